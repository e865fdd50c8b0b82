#include "SupportFenetre.h"

#include "app/TForm2.h"
#include "app/toolkit/TImage.h"
#include "app/toolkit/TRadioGroup.h"
#include "sivia/Sivia.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

class Options : public FenetreSousLocale<QLocale::French> {
protected:
    TForm2* Ouvrir() {
        F->Nombredchantillons1->trigger();
        EXPECT_NE(Form2, nullptr);
        EXPECT_TRUE(Form2->isVisible());
        return Form2;
    }
};

} // namespace

TEST_F(Options, OpensFilledFromTheStateAndValiderAtOnceChangesNothing) {
    TForm2* d = Ouvrir();
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Options"));
    EXPECT_EQ(d->Edit1->text(), QStringLiteral("5000"));
    EXPECT_EQ(d->Edit2->text(), QStringLiteral("-5"));
    EXPECT_EQ(d->Edit3->text(), QStringLiteral("5"));
    EXPECT_EQ(d->Edit4->text(), QStringLiteral("-5"));
    EXPECT_EQ(d->Edit5->text(), QStringLiteral("5"));
    EXPECT_EQ(d->Memo1->toPlainText(), QStringLiteral("0,01"));
    EXPECT_EQ(d->RadioGroup1->ItemIndex(), 1);
    EXPECT_EQ(d->RadioGroup2->ItemIndex(), 1);
    EXPECT_TRUE(d->CheckBox1->isChecked());
    EXPECT_TRUE(d->CheckBox2->isChecked());
    EXPECT_FALSE(d->CheckBox3->isChecked());
    EXPECT_FALSE(d->CheckBox4->isChecked());

    Cliquer(d->Button1);
    EXPECT_FALSE(d->isVisible());
    EXPECT_TRUE(Messages.empty());
    // The dialog filled with the defaults gives them back, every field of the settings.
    EXPECT_EQ(EnregistrerReglages(F->A.ReglagesCourants), EnregistrerReglages(Reglages{}));
}

TEST_F(Options, ReadsNAndTheBoundsByTheirPrefixes) {
    struct Cas {
        const char* n;
        int attenduN;
        const char* borne;
        float attendueBorne;
    };
    const Cas cas[] = {
        {"12abc", 12, "2.5", 2.5f}, {"abc", 0, "2,5", 2.0f},    {"-40", -40, "abc", 0.0f},
        {" 7", 7, "-1e2", -100.0f}, {"", 0, "1e999", INFINITY},
    };
    for (const Cas& c : cas) {
        TForm2* d = Ouvrir();
        d->Edit1->setText(QString::fromUtf8(c.n));
        d->Edit2->setText(QString::fromUtf8(c.borne));
        d->Memo1->setPlainText(QStringLiteral("0,5"));
        d->RadioGroup1->SetItemIndex(0);
        Cliquer(d->Button1);
        EXPECT_EQ(F->A.ReglagesCourants.NbEchantillons, c.attenduN) << c.n;
        EXPECT_EQ(F->A.ReglagesCourants.BorneInfX, c.attendueBorne) << c.borne;
        EXPECT_EQ(F->A.ReglagesCourants.PrecisionSivia, 0.5);
        EXPECT_EQ(F->A.ReglagesCourants.Stockage, StockagePile);
    }
    EXPECT_TRUE(Messages.empty());
}

TEST_F(Options, APrecisionThatDoesNotConvertStopsAfterNAndTheBounds) {
    TForm2* d = Ouvrir();
    d->Edit1->setText(QStringLiteral("300"));
    d->Edit3->setText(QStringLiteral("3"));
    d->CheckBox3->setChecked(true);
    d->RadioGroup2->SetItemIndex(0);
    for (const char* faux : {"", "0.5", "abc"}) {
        d->Memo1->setPlainText(QString::fromUtf8(faux));
        Cliquer(d->Button1);
        EXPECT_TRUE(d->isVisible()) << faux;
    }
    ASSERT_EQ(Messages.size(), 3u);
    EXPECT_EQ(Messages[0].genre, MessageAffiche::Genre::Exception);
    EXPECT_EQ(F->A.ReglagesCourants.NbEchantillons, 300);
    EXPECT_EQ(F->A.ReglagesCourants.BorneSupX, 3.0f);
    EXPECT_EQ(F->A.ReglagesCourants.PrecisionSivia, 0.01);
    EXPECT_FALSE(F->A.ReglagesCourants.ContrainteMomentOrdre4);
    EXPECT_FALSE(F->A.ReglagesCourants.EstimationAuClic);
}

TEST_F(Options, AuClicShowsTheClickLabelsAndTheCrossCursor) {
    TForm2* d = Ouvrir();
    d->RadioGroup2->SetItemIndex(0);
    Cliquer(d->Button1);
    EXPECT_TRUE(F->A.ReglagesCourants.EstimationAuClic);
    EXPECT_TRUE(F->Label9->isVisible());
    EXPECT_TRUE(F->Label10->isVisible());
    EXPECT_EQ(F->Image1->cursor().shape(), Qt::CrossCursor);

    d = Ouvrir();
    EXPECT_EQ(d->RadioGroup2->ItemIndex(), 0) << "a new dialog shows the state of that moment";
    d->RadioGroup2->SetItemIndex(1);
    Cliquer(d->Button1);
    EXPECT_FALSE(F->A.ReglagesCourants.EstimationAuClic);
    EXPECT_FALSE(F->Label9->isVisible());
    EXPECT_EQ(F->Image1->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(Options, ShowSolutionDrawsTheBoxInTheFrameOfTheLastSolveOnly) {
    F->A.MatriceMelange = {1, 0.5, -0.5, 1};
    TForm2* d = Ouvrir();
    d->CheckBox4->setChecked(true);
    Cliquer(d->Button1);
    EXPECT_TRUE(Messages.empty()) << "no frame yet: nothing drawn, nothing reported";
    EXPECT_TRUE(F->A.ReglagesCourants.MontrerSolution);
    EXPECT_EQ(F->Image1->Canvas().Pixel(168, 160), CouleurBlanche);

    // Bind the frame as a solve does, to the default domain.
    RepereImage.IntervalleX = Interval(-5, 5);
    RepereImage.IntervalleY = Interval(-5, 5);
    RepereImage.Image = &F->Image1->Canvas();
    d = Ouvrir();
    Cliquer(d->Button1);
    // The solution point (-0.5, 0.5) falls on pixel (151, 144).
    EXPECT_EQ(F->Image1->Canvas().Pixel(151, 144), CouleurNoire);
    EXPECT_EQ(F->Image1->Canvas().Pixel(168, 160), CouleurBlanche);

    // a22 = 0: the demixing point has no finite place and nothing more is drawn.
    F->A.MatriceMelange = {1, 0.5, -0.5, 0};
    d = Ouvrir();
    Cliquer(d->Button1);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(Options, TheFourthOrderContrastsAreTickedOneAtATimeAndShownAgain) {
    const struct {
        QCheckBox* TForm2::*case_;
        bool Reglages::*drapeau;
    } cas[] = {{&TForm2::CheckBoxCumulants, &Reglages::ContrainteCumulants},
               {&TForm2::CheckBoxKurtosis, &Reglages::ContrainteKurtosis},
               {&TForm2::CheckBoxNeguentropie, &Reglages::ContrainteNeguentropie},

               {&TForm2::CheckBoxSommeKurtosis, &Reglages::ContrainteSommeKurtosis}};
    for (const auto& c : cas) {
        TForm2* d = Ouvrir();
        QCheckBox* coche = d->*c.case_;
        EXPECT_FALSE(coche->isChecked());
        Cliquer(coche);
        Cliquer(d->Button1);
        Reglages attendus;
        attendus.*c.drapeau = true;
        EXPECT_EQ(EnregistrerReglages(F->A.ReglagesCourants), EnregistrerReglages(attendus))
            << "only this flag changes";

        d = Ouvrir();
        coche = d->*c.case_;
        EXPECT_TRUE(coche->isChecked()) << "a new dialog shows the state of that moment";
        Cliquer(coche);
        Cliquer(d->Button1);
        EXPECT_FALSE(F->A.ReglagesCourants.*c.drapeau);
    }
}
