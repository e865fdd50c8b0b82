#include "SupportFenetre.h"

#include "app/Horloge.h"
#include "app/toolkit/Conversions.h"
#include "signal/Memoire.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include <cmath>

namespace {

class SourcesMelange : public FenetreSousLocale<QLocale::English> {
protected:
    void SaisirMatrice(const char* a11, const char* a12, const char* a21, const char* a22) {
        if (!F->Matricedemelange1->isChecked()) {
            F->Matricedemelange1->trigger();
        }
        QLineEdit* edits[] = {F->Edit1, F->Edit2, F->Edit3, F->Edit4};
        const char* textes[] = {a11, a12, a21, a22};
        for (int i = 0; i < 4; ++i) {
            edits[i]->clear();
            QTest::keyClicks(edits[i], QString::fromUtf8(textes[i]));
        }
    }
};

} // namespace

TEST_F(SourcesMelange, SourceItemsFillTheirSourceAndCheckOneItemPerSubmenu) {
    int peintures1 = 0, peintures2 = 0;
    const auto peinture1 = F->OpenGLPanel1->OnPaint;
    const auto peinture2 = F->OpenGLPanel2->OnPaint;
    F->OpenGLPanel1->OnPaint = [&](TOpenGLPanel* p) {
        ++peintures1;
        peinture1(p);
    };
    F->OpenGLPanel2->OnPaint = [&](TOpenGLPanel* p) {
        ++peintures2;
        peinture2(p);
    };

    F->Cosinus1->trigger();
    EXPECT_EQ(F->A.Source1.size(), 5000u);
    EXPECT_EQ(F->A.Source1[0], 5.0);
    EXPECT_TRUE(F->Cosinus1->isChecked());
    EXPECT_EQ(peintures1, 1);
    EXPECT_EQ(peintures2, 0);

    F->Sinus2->trigger();
    EXPECT_EQ(F->A.Source2[0], 0.0);
    EXPECT_TRUE(F->Sinus2->isChecked());
    EXPECT_TRUE(F->Cosinus1->isChecked()) << "source 2 leaves source 1's kind checked";
    EXPECT_EQ(peintures2, 1);

    F->BruitBlancUniforme1->trigger();
    EXPECT_TRUE(F->BruitBlancUniforme1->isChecked());
    EXPECT_FALSE(F->Cosinus1->isChecked());
    const auto premier = F->A.Source1;
    F->BruitBlancUniforme1->trigger();
    EXPECT_TRUE(F->BruitBlancUniforme1->isChecked()) << "choosing the checked item keeps it";
    EXPECT_NE(F->A.Source1, premier);
    for (QAction* a : {F->BruitBlancGaussien1, F->BruitColoreGaussien1, F->BruitBlancGaussien2,
                       F->BruitBlancUniforme2, F->Cosinus2, F->BruitColoreGaussien2}) {
        a->trigger();
        EXPECT_TRUE(a->isChecked());
    }
    EXPECT_EQ(F->A.Source1.size(), 5000u);
    EXPECT_EQ(F->A.Source2.size(), 5000u);
    EXPECT_FALSE(F->A.MelangesGeneres);
}

TEST_F(SourcesMelange, ZeroSamplesStillCheckTheItemAndATooLargeNIsReported) {
    F->A.ReglagesCourants.NbEchantillons = 0;
    F->Sinus1->trigger();
    EXPECT_TRUE(F->A.Source1.empty());
    EXPECT_TRUE(F->Sinus1->isChecked());
    EXPECT_TRUE(Messages.empty());

    F->A.ReglagesCourants.NbEchantillons = 1000;
    F->Cosinus1->trigger();
    {
        const GardeBudgetMemoire budget(1024);
        F->A.ReglagesCourants.NbEchantillons = 1 << 20;
        F->BruitBlancGaussien1->trigger();
    }
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].genre, MessageAffiche::Genre::Exception);
    EXPECT_TRUE(Messages[0].texte.startsWith(QStringLiteral("Mémoire insuffisante")))
        << Messages[0].texte.toStdString();
    EXPECT_EQ(F->A.Source1.size(), 1000u) << "the source stays as it was";
    EXPECT_TRUE(F->Cosinus1->isChecked());
    EXPECT_FALSE(F->BruitBlancGaussien1->isChecked());
}

TEST_F(SourcesMelange, MatrixItemTogglesTheEditorAndKeepsItsTexts) {
    QWidget* editeur[] = {F->Button2, F->Button3, F->Label5, F->Edit1,
                          F->Edit2,   F->Edit3,   F->Edit4};
    F->Matricedemelange1->trigger();
    EXPECT_TRUE(F->Matricedemelange1->isChecked());
    for (QWidget* w : editeur) {
        EXPECT_TRUE(w->isVisible());
    }
    QTest::keyClicks(F->Edit1, "2");
    F->Matricedemelange1->trigger();
    EXPECT_FALSE(F->Matricedemelange1->isChecked());
    for (QWidget* w : editeur) {
        EXPECT_FALSE(w->isVisible());
    }
    F->Matricedemelange1->trigger();
    EXPECT_EQ(F->Edit1->text(), QStringLiteral("2"));
}

TEST_F(SourcesMelange, ValiderStoresEachEntryUntilOneFailsToConvert) {
    SaisirMatrice("2", "0.5", "", "7");
    Cliquer(F->Button2);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].genre, MessageAffiche::Genre::Exception);
    EXPECT_EQ(F->A.MatriceMelange.a11, 2.0);
    EXPECT_EQ(F->A.MatriceMelange.a12, 0.5);
    EXPECT_EQ(F->A.MatriceMelange.a21, 0.0)
        << "the faulty entry and the later ones keep their value";
    EXPECT_EQ(F->A.MatriceMelange.a22, 0.0);
    EXPECT_TRUE(F->Button2->isVisible());

    for (const char* faux : {"abc", "1e999", "1,5", " "}) {
        F->Edit3->setText(QString::fromUtf8(faux));
        Cliquer(F->Button2);
        EXPECT_TRUE(F->Button2->isVisible()) << faux;
    }
    EXPECT_EQ(Messages.size(), 5u);

    F->Edit3->setText(QStringLiteral("-0.25"));
    Cliquer(F->Button2);
    EXPECT_EQ(Messages.size(), 5u);
    EXPECT_EQ(F->A.MatriceMelange.a21, -0.25);
    EXPECT_EQ(F->A.MatriceMelange.a22, 7.0);
    EXPECT_FALSE(F->Button2->isVisible());
    F->Edit4->setText(QStringLiteral("1"));
    EXPECT_TRUE(F->Button2->isVisible()) << "any edit shows Valider again";
    EXPECT_EQ(F->A.MatriceMelange.a22, 7.0) << "a text becomes the matrix only through Valider";
}

TEST_F(SourcesMelange, AleatoireProposesOneBOneCFromTheClockSecond) {
    std::optional<GardeHorloge> horloge;
    horloge.emplace([] { return std::int64_t(1700000000); });
    F->Matricedemelange1->trigger();
    Cliquer(F->Button3);
    const QString b = F->Edit2->text();
    const QString c = F->Edit3->text();
    EXPECT_EQ(F->Edit1->text(), QStringLiteral("1"));
    EXPECT_EQ(F->Edit4->text(), QStringLiteral("1"));
    for (const QString& t : {b, c}) {
        const double v = t.toDouble();
        EXPECT_GE(v, -1.0);
        EXPECT_LE(v, 0.9998 + 1e-7);
        // A single-precision value written with up to 15 digits.
        EXPECT_EQ(t, FloatToStr(double(float(v))));
        EXPECT_GT(t.size(), 6) << t.toStdString();
    }
    EXPECT_TRUE(F->Button2->isVisible());
    Cliquer(F->Button3);
    EXPECT_EQ(F->Edit2->text(), b) << "same second, same values";
    EXPECT_EQ(F->Edit3->text(), c);
    horloge.emplace([] { return std::int64_t(1700000001); });
    Cliquer(F->Button3);
    EXPECT_TRUE(F->Edit2->text() != b || F->Edit3->text() != c);
    EXPECT_EQ(F->A.MatriceMelange.a12, 0.0) << "the matrix changes only through Valider";
}

TEST_F(SourcesMelange, GenerationNeedsBothSourcesAndANonZeroMatrix) {
    const QString texte = QStringLiteral("La matrice de mélange et/ou les sources sont inconnues");
    F->GenerationdesMelanges1->trigger();
    F->Cosinus1->trigger();
    F->Sinus2->trigger();
    F->GenerationdesMelanges1->trigger();
    SaisirMatrice("0", "0", "0", "0");
    Cliquer(F->Button2);
    F->GenerationdesMelanges1->trigger();
    ASSERT_EQ(Messages.size(), 3u);
    for (const MessageAffiche& m : Messages) {
        EXPECT_EQ(m.genre, MessageAffiche::Genre::Message);
        EXPECT_EQ(m.texte, texte);
        EXPECT_EQ(m.titre, QStringLiteral("Erreur!"));
    }
    EXPECT_FALSE(F->A.MelangesGeneres);
    EXPECT_TRUE(F->A.MelangesCourants.Melange1.empty());
    EXPECT_TRUE(F->SourcesAff->isChecked());
}

TEST_F(SourcesMelange, GenerationComputesMixturesMeansAndSwitchesTheDisplay) {
    F->Cosinus1->trigger();
    F->Sinus2->trigger();
    SaisirMatrice("1", "0.5", "-0.25", "1");
    Cliquer(F->Button2);
    F->GenerationdesMelanges1->trigger();
    EXPECT_TRUE(Messages.empty());
    EXPECT_TRUE(F->A.MelangesGeneres);
    ASSERT_EQ(F->A.MelangesCourants.Melange1.size(), 5000u);
    EXPECT_EQ(F->A.MelangesCourants.DeriveeMelange2.size(), 4999u);
    EXPECT_DOUBLE_EQ(F->A.MelangesCourants.Melange1[10], F->A.Source1[10] + 0.5 * F->A.Source2[10]);
    EXPECT_DOUBLE_EQ(F->A.MelangesCourants.Melange2[10],
                     -0.25 * F->A.Source1[10] + F->A.Source2[10]);
    double s12 = 0;
    for (std::size_t i = 0; i < 5000; ++i) {
        s12 += F->A.MelangesCourants.Melange1[i] * F->A.MelangesCourants.Melange2[i];
    }
    EXPECT_DOUBLE_EQ(F->A.MelangesCourants.Moments.Ex1x2, s12 / 5000);
    EXPECT_NEAR(F->A.MelangesCourants.Moments.Moments4[0][1],
                F->A.MelangesCourants.Moments.Moments4[1][0], 1e-9);
    EXPECT_TRUE(F->MelangesAff->isChecked());
    EXPECT_FALSE(F->SourcesAff->isChecked());
    EXPECT_EQ(F->Label3->text(), QStringLiteral("Mélange 1"));
    EXPECT_EQ(F->Label4->text(), QStringLiteral("Mélange 2"));

    // A new source changes neither the mixtures nor the flag.
    const auto melange = F->A.MelangesCourants.Melange1;
    F->BruitBlancGaussien1->trigger();
    EXPECT_EQ(F->A.MelangesCourants.Melange1, melange);
    EXPECT_TRUE(F->A.MelangesGeneres);
}

TEST_F(SourcesMelange, ToutEffacerReturnsTheDataToStartUpButKeepsTitlesAndTexts) {
    F->Cosinus1->trigger();
    F->BruitColoreGaussien2->trigger();
    SaisirMatrice("1", "0.5", "0.5", "1");
    Cliquer(F->Button2);
    F->GenerationdesMelanges1->trigger();
    F->Decalage1X = 3;
    F->Decalage2Y = -4;

    F->ToutEffacer1->trigger();
    EXPECT_TRUE(F->A.Source1.empty());
    EXPECT_TRUE(F->A.Source2.empty());
    EXPECT_TRUE(F->A.MelangesCourants.Melange1.empty());
    EXPECT_TRUE(F->A.MelangesCourants.DeriveeMelange2.empty());
    EXPECT_FALSE(F->A.MatriceMelange.EstConnue());
    EXPECT_FALSE(F->A.MelangesGeneres);
    EXPECT_EQ(F->Decalage1X, 0.0);
    EXPECT_EQ(F->Decalage2Y, 0.0);
    EXPECT_FALSE(F->Cosinus1->isChecked());
    EXPECT_FALSE(F->BruitColoreGaussien2->isChecked());
    EXPECT_TRUE(F->SourcesAff->isChecked());
    EXPECT_FALSE(F->MelangesAff->isChecked());
    EXPECT_EQ(F->Label3->text(), QStringLiteral("Mélange 1")) << "titles stay as they were";
    EXPECT_TRUE(F->Button2->isVisible());
    EXPECT_EQ(F->Edit2->text(), QStringLiteral("0.5"));

    F->GenerationdesMelanges1->trigger();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].titre, QStringLiteral("Erreur!"));
}
