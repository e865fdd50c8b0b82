#include "SupportFenetre.h"

#include "app/toolkit/TImage.h"
#include "app/toolkit/TRadioGroup.h"
#include "app/toolkit/TStatusBar.h"
#include "support/LecturePanneau.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

const QRgb Noir = qRgb(0, 0, 0);
const QRgb Rouge = qRgb(255, 0, 0);
const QRgb Jaune = qRgb(255, 255, 0);
const QRgb Bleu = qRgb(0, 0, 255);

class Affichage : public FenetreSousLocale<QLocale::English> {
protected:
    void SetUp() override {
        FenetreSousLocale::SetUp();
        TOpenGLPanel* panneaux[] = {F->OpenGLPanel1, F->OpenGLPanel2, F->OpenGLPanel3,
                                    F->OpenGLPanel4, F->OpenGLPanel5, F->OpenGLPanel6};
        for (std::size_t i = 0; i < 6; ++i) {
            auto peindre = panneaux[i]->OnPaint;
            panneaux[i]->OnPaint = [this, i, peindre](TOpenGLPanel* p) {
                ++Peintures[i];
                peindre(p);
            };
        }
    }

    // `crans` wheel steps sent at once, as a fast wheel does, then the event loop's turn.
    void Molette(QWidget* sous, int delta, int crans = 1) {
        const QPointF centre(sous->width() / 2.0, sous->height() / 2.0);
        for (int k = 0; k < crans; ++k) {
            QWheelEvent evenement(centre, sous->mapToGlobal(centre), QPoint(), QPoint(0, delta),
                                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(sous, &evenement);
        }
        QApplication::processEvents();
    }

    void GenererMelanges() {
        F->Cosinus1->trigger();
        F->BruitColoreGaussien2->trigger();
        F->A.MatriceMelange = {1, 0.5, -0.5, 1};
        F->GenerationdesMelanges1->trigger();
    }

    std::array<int, 6> Peintures{};
};

} // namespace

TEST_F(Affichage, DisplayMenuSetsTheTitlesAndRepaintsPanelsOneAndTwo) {
    const struct {
        QAction* item;
        const char* titre1;
        const char* titre2;
    } cas[] = {
        {F->MelangesAff, "Mélange 1", "Mélange 2"},
        {F->DeriveeAff, "Dérivée du Mélange 1", "Dérivée du Mélange 2"},
        {F->SourcesAff, "Source 1", "Source 2"},
    };
    for (const auto& c : cas) {
        Peintures = {};
        c.item->trigger();
        EXPECT_TRUE(c.item->isChecked());
        EXPECT_EQ(F->Label3->text(), QString::fromUtf8(c.titre1));
        EXPECT_EQ(F->Label4->text(), QString::fromUtf8(c.titre2));
        EXPECT_EQ(Peintures[0], 1);
        EXPECT_EQ(Peintures[1], 1);
        EXPECT_EQ(Peintures[2], 0);
    }
}

TEST_F(Affichage, PanelOneShowsOnlyTheAxesUntilItsSourceExists) {
    for (QAction* mode : {F->SourcesAff, F->MelangesAff, F->DeriveeAff}) {
        mode->trigger();
        const QImage image = ImageAffichee(F->OpenGLPanel1);
        EXPECT_EQ(CompterPixels(image, Noir), 0) << mode->text().toStdString();
        EXPECT_GT(CompterPixels(image, qRgb(0, 255, 255)), 100) << "the cyan time axis";
    }
    F->Cosinus1->trigger();
    F->SourcesAff->trigger();
    EXPECT_GT(CompterPixels(ImageAffichee(F->OpenGLPanel1), Noir), 300);
    F->MelangesAff->trigger();
    EXPECT_EQ(CompterPixels(ImageAffichee(F->OpenGLPanel1), Noir), 0)
        << "no mixture before the generation";
}

TEST_F(Affichage, DraggingPanelOnePansItsPlotAndADoubleClickResetsIt) {
    F->Cosinus1->trigger();
    // The y axis sits at the time origin, 22 units left of the view axis: out of sight.
    auto axeY = [&] {
        const QImage image = ImageAffichee(F->OpenGLPanel1);
        return CompterPixels(image.copy(30, 0, 21, image.height()), Jaune);
    };
    EXPECT_EQ(axeY(), 0);
    QTest::mousePress(F->OpenGLPanel1, Qt::LeftButton, {}, QPoint(100, 60));
    QTest::mouseRelease(F->OpenGLPanel1, Qt::LeftButton, {}, QPoint(150, 50));
    EXPECT_DOUBLE_EQ(F->Decalage1X, 10.0);
    EXPECT_DOUBLE_EQ(F->Decalage1Y, 2.0);
    EXPECT_EQ(F->Glisser1X, 0.0);
    // 10 units right at depth -20 brings the axis to about column 41.
    EXPECT_GT(axeY(), 20);

    QTest::mouseDClick(F->OpenGLPanel1, Qt::LeftButton, {}, QPoint(150, 50));
    EXPECT_EQ(F->Decalage1X, 0.0);
    EXPECT_EQ(F->Decalage1Y, 0.0);
    F->OpenGLPanel1->Repaint();
    EXPECT_EQ(axeY(), 0);
}

TEST_F(Affichage, TheWheelZoomsTheLastClickedPanelWithinItsLimitsAndRepaintsAll) {
    Peintures = {};
    Molette(F->OpenGLPanel2, -120);
    EXPECT_EQ(F->Profondeur1, -20.0) << "wheel-down stops at -10: nothing from -20";
    EXPECT_EQ(Peintures, (std::array<int, 6>{1, 1, 1, 1, 1, 1}));
    // A burst of steps before the event loop's turn moves the depth by all of them and
    // paints each panel once (a paint per step kept the window from answering for seconds
    // over long signals).
    for (const int crans : {2, 37}) {
        Peintures = {};
        const double avant = F->Profondeur1;
        Molette(F->OpenGLPanel2, 120, crans);
        EXPECT_NEAR(F->Profondeur1, avant + 0.1 * crans, 1e-9) << crans;
        EXPECT_EQ(Peintures, (std::array<int, 6>{1, 1, 1, 1, 1, 1})) << crans;
    }
    F->Profondeur1 = -20.0;

    QTest::mouseClick(F->OpenGLPanel4, Qt::LeftButton);
    EXPECT_EQ(F->ProfondeurActive, &F->Profondeur4);
    Molette(F->Image1, 120);
    EXPECT_DOUBLE_EQ(F->Profondeur4, -19.9);
    EXPECT_EQ(F->Profondeur1, -20.0);
    int pas = 1;
    while (F->Profondeur4 <= -1.1) {
        Molette(F->OpenGLPanel1, 120);
        ++pas;
    }
    EXPECT_EQ(pas, 189);
    EXPECT_NEAR(F->Profondeur4, -1.1, 1e-9);
    Molette(F->OpenGLPanel1, 120);
    EXPECT_NEAR(F->Profondeur4, -1.1, 1e-9) << "no nearer than about -1.1";
    while (F->Profondeur4 >= -10) {
        Molette(F->OpenGLPanel1, -120);
    }
    EXPECT_NEAR(F->Profondeur4, -10.1, 1e-9);
    Molette(F->OpenGLPanel1, -120);
    EXPECT_NEAR(F->Profondeur4, -10.1, 1e-9);
}

TEST_F(Affichage, RadioGroupChoosesTheEstimateTitles) {
    const struct {
        int item;
        const char* titre1;
    } cas[] = {{1, "Dérivée Source Estimée 1"}, {2, "Source Estimée 1"}, {0, "Source Estimée 1"}};
    F->RadioGroup1->setEnabled(true);
    for (const auto& c : cas) {
        Peintures = {};
        QTest::mouseClick(F->RadioGroup1->Item(c.item), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(F->RadioGroup1->ItemIndex(), c.item);
        EXPECT_EQ(F->Label6->text(), QString::fromUtf8(c.titre1));
        EXPECT_EQ((std::array<int, 3>{Peintures[2], Peintures[3], Peintures[4]}),
                  (std::array<int, 3>{1, 1, 1}));
    }
}

TEST_F(Affichage, SuperpositionNeedsTheMixturesAndDrawsTheRealSourceInRed) {
    QTest::mouseClick(F->CheckBox1, Qt::LeftButton);
    EXPECT_FALSE(F->CheckBox1->isChecked());
    EXPECT_FALSE(F->ScrollBar1->isVisible());
    EXPECT_EQ(CompterPixels(ImageAffichee(F->OpenGLPanel3), Rouge), 0);

    GenererMelanges();
    QTest::mouseClick(F->CheckBox1, Qt::LeftButton);
    EXPECT_TRUE(F->CheckBox1->isChecked());
    for (QWidget* w : {static_cast<QWidget*>(F->ScrollBar1), static_cast<QWidget*>(F->ScrollBar2),
                       static_cast<QWidget*>(F->Label12), static_cast<QWidget*>(F->Label13),
                       static_cast<QWidget*>(F->Label9), static_cast<QWidget*>(F->Label10)}) {
        EXPECT_TRUE(w->isVisible());
    }
    EXPECT_TRUE(F->A.ReglagesCourants.EstimationAuClic);
    EXPECT_EQ(F->Image1->cursor().shape(), Qt::CrossCursor);
    EXPECT_GT(CompterPixels(ImageAffichee(F->OpenGLPanel3), Rouge), 500);
    EXPECT_EQ(CompterPixels(ImageAffichee(F->OpenGLPanel3), Noir), 0) << "no estimate yet";

    // Scale 0: a flat red line on the time axis. The axis bar, nearer the eye, hides its
    // middle; seen closer, the line shows above and below the bar.
    F->ScrollBar1->setValue(0);
    EXPECT_EQ(F->Echelle1, 0.0);
    EXPECT_EQ(F->ScrollBar1->toolTip(), QStringLiteral("0"));
    F->Profondeur3 = -4;
    F->OpenGLPanel3->Repaint();
    const QImage plat = ImageAffichee(F->OpenGLPanel3);
    int premiere = plat.height(), derniere = -1;
    for (int y = 0; y < plat.height(); ++y) {
        if (CompterPixels(plat.copy(0, y, plat.width(), 1), Rouge) > plat.width() / 2) {
            premiere = std::min(premiere, y);
            derniere = std::max(derniere, y);
        }
    }
    EXPECT_LE(std::abs(premiere - plat.height() / 2), 5);
    EXPECT_LE(std::abs(derniere - plat.height() / 2), 5);
    EXPECT_EQ(CompterPixels(plat.copy(0, 0, plat.width(), plat.height() / 2 - 6), Rouge), 0);
    F->ScrollBar2->setValue(-1000);
    EXPECT_EQ(F->Echelle2, -10.0);
    EXPECT_EQ(F->ScrollBar2->toolTip(), QStringLiteral("-10"));

    QTest::mouseClick(F->CheckBox1, Qt::LeftButton);
    EXPECT_FALSE(F->ScrollBar1->isVisible());
    EXPECT_TRUE(F->A.ReglagesCourants.EstimationAuClic) << "unticking keeps the click mode";
    EXPECT_EQ(CompterPixels(ImageAffichee(F->OpenGLPanel4), Rouge), 0);

    // After "Tout Effacer" the box may stay ticked, but no red is drawn.
    QTest::mouseClick(F->CheckBox1, Qt::LeftButton);
    F->ToutEffacer1->trigger();
    F->OpenGLPanel3->Repaint();
    EXPECT_TRUE(F->CheckBox1->isChecked());
    EXPECT_EQ(CompterPixels(ImageAffichee(F->OpenGLPanel3), Rouge), 0);
}

TEST_F(Affichage, EstimatesAppearInPanelsThreeToFiveAfterASolve) {
    GenererMelanges();
    F->A.ReglagesCourants.PrecisionSivia = 0.5;
    Cliquer(F->Button1);
    QTest::mouseClick(F->RadioGroup1->Item(0), Qt::LeftButton, {}, QPoint(5, 5));
    BougerPointeur(F->Image1, QPoint(151, 144));
    EXPECT_GT(CompterPixels(ImageAffichee(F->OpenGLPanel3), Noir), 500);
    EXPECT_GT(CompterPixels(ImageAffichee(F->OpenGLPanel4), Noir), 500);
    const QImage nuage = ImageAffichee(F->OpenGLPanel5);
    EXPECT_GT(CompterPixels(nuage, Noir), 200);
    // The cloud of two centred signals sits around the panel's centre.
    EXPECT_EQ(CompterPixels(nuage.copy(0, 0, 20, 20), Noir), 0);

    QTest::mouseClick(F->RadioGroup1->Item(2), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(CompterPixels(ImageAffichee(F->OpenGLPanel3), Noir), 0) << "Aucun";
    EXPECT_EQ(CompterPixels(ImageAffichee(F->OpenGLPanel5), Noir), 0);
}

TEST_F(Affichage, PavingViewPansResetsAndReadsOutWhereThePointerIs) {
    GenererMelanges();
    F->A.ReglagesCourants.PrecisionSivia = 0.5;
    Cliquer(F->Button1);
    EXPECT_EQ(F->Edit6->text(), QStringLiteral("-10"));
    EXPECT_GT(Peintures[5], 0);
    const QImage vue = ImageAffichee(F->OpenGLPanel6);
    EXPECT_GT(CompterPixels(vue, Bleu, 60), 0);

    QTest::mousePress(F->OpenGLPanel6, Qt::LeftButton, {}, QPoint(2, 12));
    EXPECT_TRUE(F->Glisser6EnCours);
    BougerPointeur(F->OpenGLPanel6, QPoint(22, 2));
    EXPECT_DOUBLE_EQ(F->Decalage6X, 1.0);
    EXPECT_DOUBLE_EQ(F->Decalage6Y, 0.5);
    QTest::mouseRelease(F->OpenGLPanel6, Qt::LeftButton, {}, QPoint(22, 2));
    EXPECT_FALSE(F->Glisser6EnCours);
    EXPECT_EQ(F->SourisX, 0.0);
    EXPECT_EQ(F->SourisY, 0.0);
    EXPECT_EQ(F->ProfondeurActive, &F->Profondeur1) << "released outside: no click";
    QTest::mouseClick(F->OpenGLPanel6, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_EQ(F->ProfondeurActive, &F->Profondeur6);

    Molette(F->OpenGLPanel1, 120);
    EXPECT_DOUBLE_EQ(F->Profondeur6, -9.9);
    EXPECT_EQ(F->Edit6->text(), QStringLiteral("-9.9"));

    QTest::mouseDClick(F->OpenGLPanel6, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_EQ(F->Decalage6X, 0.0);
    EXPECT_EQ(F->Decalage6Y, 0.0);

    // The centre pixel of the view shows the centre of the search box.
    BougerPointeur(F->OpenGLPanel6, QPoint(8, 8));
    bool ok = false;
    const double x = F->StatusBar1->PanelText(0).toDouble(&ok);
    ASSERT_TRUE(ok) << F->StatusBar1->PanelText(0).toStdString();
    const double y = F->StatusBar1->PanelText(1).toDouble(&ok);
    ASSERT_TRUE(ok);
    EXPECT_NEAR(x, 0.0, 0.2);
    EXPECT_NEAR(y, 0.0, 0.2);
    BougerPointeur(F->OpenGLPanel6, QPoint(16, 8));
    EXPECT_GT(F->StatusBar1->PanelText(0).toDouble(), x) << "x grows to the right";
    BougerPointeur(F->OpenGLPanel6, QPoint(8, 0));
    EXPECT_GT(F->StatusBar1->PanelText(1).toDouble(), y) << "y grows upward";
}

TEST_F(Affichage, DraggingPanelTwoPansItsPlotAndADoubleClickResetsIt) {
    QTest::mousePress(F->OpenGLPanel2, Qt::LeftButton, {}, QPoint(100, 60));
    QTest::mouseRelease(F->OpenGLPanel2, Qt::LeftButton, {}, QPoint(130, 40));
    EXPECT_DOUBLE_EQ(F->Decalage2X, 0.2 * 30);
    EXPECT_DOUBLE_EQ(F->Decalage2Y, 0.2 * 20);
    EXPECT_EQ(F->Decalage1X, 0.0);
    QTest::mouseDClick(F->OpenGLPanel2, Qt::LeftButton, {}, QPoint(130, 40));
    EXPECT_EQ(F->Decalage2X, 0.0);
    EXPECT_EQ(F->Decalage2Y, 0.0);
}

// Run also under QT_SCALE_FACTOR=2 (device pixel ratio 2): the pointer is in logical pixels.
TEST_F(Affichage, PavingReadoutIsInThePointersPixelsAtAnyScale) {
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        EXPECT_DOUBLE_EQ(F->OpenGLPanel6->devicePixelRatioF(),
                         qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    }
    const int w = F->OpenGLPanel6->width(), h = F->OpenGLPanel6->height();
    for (const QPoint& p : {QPoint(w / 2, h / 2), QPoint(1, h - 2)}) {
        BougerPointeur(F->OpenGLPanel6, p);
        const PositionPavage attendu =
            PositionSousPointeur(p.x(), p.y(), BoiteRecherche, VuePavage{0, 0, -10, w, h});
        ASSERT_TRUE(attendu.valide);
        EXPECT_NEAR(F->StatusBar1->PanelText(0).toDouble(), attendu.x, 1e-9);
        EXPECT_NEAR(F->StatusBar1->PanelText(1).toDouble(), attendu.y, 1e-9);
    }
    // Before any solve the view frames the placeholder box, centred on (-499.5, -499.5).
    BougerPointeur(F->OpenGLPanel6, QPoint(w / 2, h / 2));
    EXPECT_NEAR(F->StatusBar1->PanelText(0).toDouble(), -499.5, 0.6 * 999 / 5 * 8.3 / w);
}
