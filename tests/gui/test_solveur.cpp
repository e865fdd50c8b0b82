#include "SupportFenetre.h"

#include "app/toolkit/TImage.h"
#include "app/toolkit/TRadioGroup.h"
#include "signal/Memoire.h"
#include "sivia/Sivia.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace {

class Solveur : public FenetreSousLocale<QLocale::English> {
protected:
    // The means of the worked example, whose decorrelations vanish at (1, -1) and (-1, 1).
    void MoyennesExemple() {
        F->A.MelangesCourants.Moments.Ex1x1 = 1;
        F->A.MelangesCourants.Moments.Ex1x2 = 0.5;
        F->A.MelangesCourants.Moments.Ex2x2 = 1;
        F->A.MelangesCourants.Moments.Edx1dx1 = 1;
        F->A.MelangesCourants.Moments.Edx1dx2 = -0.5;
        F->A.MelangesCourants.Moments.Edx2dx2 = 1;
        F->A.MelangesGeneres = true;
    }

    Couleur Pixel(int x, int y) const { return F->Image1->Canvas().Pixel(x, y); }
};

} // namespace

TEST_F(Solveur, RefusesToRunBeforeTheMixturesExist) {
    Cliquer(F->Button1);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].texte, QStringLiteral("Les signaux mélangés sont inconnus"));
    EXPECT_EQ(Messages[0].titre, QStringLiteral("Erreur!"));
    EXPECT_TRUE(F->Button1->isVisible());
    EXPECT_FALSE(F->RadioGroup1->isEnabled());
    EXPECT_TRUE(BoitesSolution.IsEmpty());
    EXPECT_EQ(BoiteRecherche[1].Upper(), -999.0);
    EXPECT_EQ(Pixel(0, 0), CouleurBlanche);
}

TEST_F(Solveur, RefusesAPrecisionThatIsNotPositiveAndBoundsThatAreNotFinite) {
    MoyennesExemple();
    for (double precision : {0.0, -0.5, std::nan("")}) {
        F->A.ReglagesCourants.PrecisionSivia = precision;
        Cliquer(F->Button1);
    }
    F->A.ReglagesCourants.PrecisionSivia = 0.5;
    F->A.ReglagesCourants.BorneSupX = INFINITY;
    Cliquer(F->Button1);
    ASSERT_EQ(Messages.size(), 4u);
    for (const MessageAffiche& m : Messages) {
        EXPECT_EQ(m.titre, QStringLiteral("Erreur!"));
    }
    EXPECT_TRUE(Messages[0].texte.contains(QStringLiteral("précision")));
    EXPECT_TRUE(Messages[3].texte.contains(QStringLiteral("bornes")));
    EXPECT_TRUE(F->Button1->isVisible());
    EXPECT_TRUE(BoitesSolution.IsEmpty());
    EXPECT_TRUE(BoitesRejetees.IsEmpty());
}

TEST_F(Solveur, SolvePaintsRejectedBlueAndKeptYellowAroundTheDemixingPoints) {
    // A cosine and a coloured noise: both decorrelations vanish near the demixing point
    // (-a12/a22, -a21/a11) = (-0.5, 0.5) and near its permutation (-a11/a21, -a22/a12) =
    // (2, -2).
    F->Cosinus1->trigger();
    F->BruitColoreGaussien2->trigger();
    F->A.MatriceMelange = {1, 0.5, -0.5, 1};
    F->GenerationdesMelanges1->trigger();
    F->A.ReglagesCourants.PrecisionSivia = 0.1;
    Cliquer(F->Button1);
    EXPECT_TRUE(Messages.empty());
    EXPECT_FALSE(F->Button1->isVisible());
    EXPECT_TRUE(F->RadioGroup1->isEnabled());
    EXPECT_EQ(F->cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(BoitesEnAttente.IsEmpty());
    ASSERT_FALSE(BoitesSolution.IsEmpty());
    ASSERT_FALSE(BoitesRejetees.IsEmpty());
    EXPECT_EQ(BoiteRecherche[1].Lower(), -5.0);
    EXPECT_EQ(BoiteRecherche[2].Upper(), 5.0);

    const auto echelle = RepereImage.EchelleCourante();
    ASSERT_TRUE(echelle.has_value());
    auto pixel = [&](double x, double y) {
        return Pixel(int(echelle->sx * x + echelle->ox), int(echelle->sy * y + echelle->oy));
    };
    bool pres[2] = {false, false};
    for (const Box& b : BoitesSolution) {
        const double x = b[1].Midpoint();
        const double y = b[2].Midpoint();
        const double d1 = std::hypot(x + 0.5, y - 0.5);
        const double d2 = std::hypot(x - 2, y + 2);
        EXPECT_LT(std::min(d1, d2), 1.0) << x << "," << y;
        pres[0] = pres[0] || d1 < 0.3;
        pres[1] = pres[1] || d2 < 0.3;
        EXPECT_EQ(pixel(x, y), CouleurJaune) << x << "," << y;
    }
    EXPECT_TRUE(pres[0] && pres[1]);
    for (const Box& b : BoitesRejetees) {
        EXPECT_EQ(pixel(b[1].Midpoint(), b[2].Midpoint()), CouleurBleue);
    }
    EXPECT_EQ(Pixel(2, 2), CouleurBleue);
    EXPECT_EQ(Pixel(334, 318), CouleurBleue);

    // A click on the window's background shows "Solver" again; one on a label does not.
    QTest::mouseClick(F->Label11, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_FALSE(F->Button1->isVisible());
    QTest::mouseClick(F->centralWidget(), Qt::LeftButton, {}, QPoint(20, 150));
    EXPECT_TRUE(F->Button1->isVisible());
    QTest::mouseClick(F->centralWidget(), Qt::LeftButton, {}, QPoint(20, 150));
    EXPECT_TRUE(F->Button1->isVisible());
}

TEST_F(Solveur, FewerThanTwoConstraintsKeepTheWholeBoxYellow) {
    GenererMelanges();
    F->A.ReglagesCourants.ContrainteDecorrelationDerivees = false;
    F->A.ReglagesCourants.PrecisionSivia = 1;
    Cliquer(F->Button1);
    EXPECT_EQ(BoitesSolution.Size(), 256u);
    EXPECT_TRUE(BoitesRejetees.IsEmpty());
    for (int x : {0, 100, 168, 336}) {
        for (int y : {0, 160, 319}) {
            EXPECT_EQ(Pixel(x, y), CouleurJaune) << x << "," << y;
        }
    }
    // A second solve adds its boxes after the first one's.
    Cliquer(F->Button1);
    EXPECT_EQ(BoitesSolution.Size(), 512u);
}

TEST_F(Solveur, EncadreOutlinesTheHullOfTheKeptBoxesInRed) {
    Cliquer(F->Button4);
    EXPECT_TRUE(Messages.empty()) << "nothing to frame before a solve";

    MoyennesExemple();
    F->A.ReglagesCourants.BorneInfX = F->A.ReglagesCourants.BorneInfY = -2;
    F->A.ReglagesCourants.BorneSupX = F->A.ReglagesCourants.BorneSupY = 2;
    F->A.ReglagesCourants.PrecisionSivia = 0.5;
    Cliquer(F->Button1);
    ASSERT_EQ(BoitesSolution.Size(), 10u);
    EXPECT_EQ(BoitesRejetees.Size(), 45u);
    Cliquer(F->Button4);
    // Hull [-1.25, 1.25]^2 on the 337 x 321 image of [-2, 2]^2: columns 63 and 273, rows 60
    // and 260; each edge stops before its end point.
    EXPECT_EQ(Pixel(63, 160), CouleurRouge);
    EXPECT_EQ(Pixel(273, 160), CouleurRouge);
    EXPECT_EQ(Pixel(168, 60), CouleurRouge);
    EXPECT_EQ(Pixel(168, 260), CouleurRouge);
    EXPECT_NE(Pixel(62, 160), CouleurRouge);
    EXPECT_NE(Pixel(168, 59), CouleurRouge);
}

TEST_F(Solveur, PointerReadsTheParameterPairAtTheCornerPixels) {
    BougerPointeur(F->Image1, QPoint(0, 0));
    EXPECT_EQ(F->Label1->text(), QStringLiteral("X : -5"));
    EXPECT_EQ(F->Label2->text(), QStringLiteral("Y : 5"));
    EXPECT_EQ(F->Edit6->text(), QStringLiteral("0"));
    EXPECT_EQ(F->Edit7->text(), QStringLiteral("0"));
    BougerPointeur(F->Image1, QPoint(336, 320));
    EXPECT_EQ(F->Label1->text(), QStringLiteral("X : 5"));
    EXPECT_EQ(F->Label2->text(), QStringLiteral("Y : -5"));
    EXPECT_EQ(PointImageX, 5.0);
    EXPECT_EQ(PointImageY, -5.0);
    BougerPointeur(F->Image1, QPoint(168, 160));
    EXPECT_EQ(F->Label1->text(), QStringLiteral("X : 0"));
    EXPECT_GE(F->Label2->x(), F->Label1->geometry().right()) << "the readouts never overlap";

    // Reversed bounds: the left edge reads BorneInfX.
    F->A.ReglagesCourants.BorneInfX = 5;
    F->A.ReglagesCourants.BorneSupX = -5;
    BougerPointeur(F->Image1, QPoint(0, 0));
    EXPECT_EQ(F->Label1->text(), QStringLiteral("X : 5"));
}

TEST_F(Solveur, EstimatesFollowThePointerOrTheClicksAsChosen) {
    GenererMelanges();
    MoyennesExemple();
    BougerPointeur(F->Image1, QPoint(0, 0));
    ASSERT_EQ(F->A.Estimees.SourceEstimee1.size(), 5000u);
    EXPECT_EQ(F->A.Estimees.DeriveeEstimee1.size(), 4999u);
    // s^1 = x1 + x.x2 at x = -5.
    EXPECT_DOUBLE_EQ(F->A.Estimees.SourceEstimee1[3],
                     F->A.MelangesCourants.Melange2[3] * -5 + F->A.MelangesCourants.Melange1[3]);
    EXPECT_EQ(F->Edit6->text(), QStringLiteral("-12")); // ((5 + 0.5) + -25 x 0.5) + -5
    const auto estimee = F->A.Estimees.SourceEstimee1;
    QTest::mouseRelease(F->Image1, Qt::LeftButton, {}, QPoint(336, 320));
    EXPECT_EQ(F->A.Estimees.SourceEstimee1, estimee) << "a release computes nothing in this mode";
    EXPECT_EQ(F->Label9->text(), QStringLiteral("X : 5"));
    EXPECT_EQ(F->Edit6->text(), QStringLiteral("-12")) << "from the latest move";

    F->A.ReglagesCourants.EstimationAuClic = true;
    BougerPointeur(F->Image1, QPoint(168, 160));
    EXPECT_EQ(F->A.Estimees.SourceEstimee1, estimee);
    QTest::mouseRelease(F->Image1, Qt::LeftButton, {}, QPoint(336, 320));
    EXPECT_DOUBLE_EQ(F->A.Estimees.SourceEstimee1[3],
                     F->A.MelangesCourants.Melange2[3] * 5 + F->A.MelangesCourants.Melange1[3]);

    // N grown since the mixtures: the estimate stays within the samples that exist.
    F->A.ReglagesCourants.NbEchantillons = 100000;
    QTest::mouseRelease(F->Image1, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(F->A.Estimees.SourceEstimee2.size(), 5000u);
}

TEST_F(Solveur, ASolveBeyondTheMemoryBudgetStopsWithAMessageAndKeepsItsBoxes) {
    GenererMelanges();
    F->A.ReglagesCourants.PrecisionSivia = 0.0001;
    // Room for 500 boxes beside what the window holds, where the solve needs far more.
    const GardeBudgetMemoire budget(MemoireTenue() + OctetsParBoiteStockee * 500);
    F->A.ReglagesCourants.Stockage = StockageFile;
    Cliquer(F->Button1);
    EXPECT_TRUE(BoitesEnAttente.IsEmpty());
    EXPECT_EQ(F->cursor().shape(), Qt::ArrowCursor);
    // Breadth first, the limit comes before any box is small enough to keep; what was
    // rejected stays stored and drawn.
    EXPECT_TRUE(BoitesSolution.IsEmpty());
    ASSERT_FALSE(BoitesRejetees.IsEmpty());
    const auto echelle = RepereImage.EchelleCourante();
    ASSERT_TRUE(echelle.has_value());
    const Box& premiere = BoitesRejetees.At(0);
    EXPECT_EQ(Pixel(int(echelle->sx * premiere[1].Midpoint() + echelle->ox),
                    int(echelle->sy * premiere[2].Midpoint() + echelle->oy)),
              CouleurBleue);

    // Depth first, boxes are kept from the start.
    F->A.ReglagesCourants.Stockage = StockagePile;
    Cliquer(F->Button1);
    EXPECT_TRUE(BoitesEnAttente.IsEmpty());
    EXPECT_FALSE(BoitesSolution.IsEmpty());
    EXPECT_LE(BoitesSolution.Size() + BoitesRejetees.Size(), 1000u);

    ASSERT_EQ(Messages.size(), 2u);
    for (const MessageAffiche& m : Messages) {
        EXPECT_EQ(m.titre, QStringLiteral("Erreur!"));
        EXPECT_TRUE(m.texte.contains(QStringLiteral("mémoire")));
    }
    // The message names the command that gives back the memory of earlier solves.
    EXPECT_TRUE(
        Messages[1].texte.contains(QStringLiteral("« Choix des Sources › Effacer le pavage »")))
        << Messages[1].texte.toStdString();
}

TEST_F(Solveur, ASolveThatRejectsNothingAndCannotFitIsRefusedAtOnceWithTheFigures) {
    GenererMelanges();
    F->A.ReglagesCourants.ContrainteDecorrelation = false;
    F->A.ReglagesCourants.BorneInfX = F->A.ReglagesCourants.BorneInfY = -0.001f;
    F->A.ReglagesCourants.BorneSupX = F->A.ReglagesCourants.BorneSupY = 0.001f;
    F->A.ReglagesCourants.PrecisionSivia = 0.0001;
    // Room for 500 boxes, where the solve keeps 1,024.
    const GardeBudgetMemoire budget(MemoireTenue() + OctetsParBoiteStockee * 500);
    for (OrdreStockage stockage : {StockagePile, StockageFile}) {
        F->A.ReglagesCourants.Stockage = stockage;
        Cliquer(F->Button1);
    }
    ASSERT_EQ(Messages.size(), 2u);
    for (const MessageAffiche& m : Messages) {
        EXPECT_EQ(m.titre, QStringLiteral("Erreur!"));
        EXPECT_TRUE(m.texte.contains(QStringLiteral("1024"))) << m.texte.toStdString();
        EXPECT_TRUE(m.texte.contains(QStringLiteral("500"))) << m.texte.toStdString();
    }
    EXPECT_TRUE(F->Button1->isVisible()) << "nothing was started";
    EXPECT_TRUE(BoitesSolution.IsEmpty());
    EXPECT_EQ(Pixel(0, 0), CouleurBlanche);

    // With room for them, the same solve runs to its end.
    FixerBudgetMemoire(MemoireTenue() + OctetsParBoiteStockee * 2100);
    Cliquer(F->Button1);
    EXPECT_EQ(BoitesSolution.Size(), 1024u);
    EXPECT_EQ(Messages.size(), 2u);
}

TEST_F(Solveur, ShowSolutionAfterTheSolveDrawsBlackWithAWhitePen) {
    GenererMelanges();
    F->A.ReglagesCourants.MontrerSolution = true;
    F->A.ReglagesCourants.PrecisionSivia = 0.5;
    Cliquer(F->Button1);
    EXPECT_EQ(Pixel(151, 144), CouleurNoire);
    EXPECT_EQ(Pixel(149, 141), CouleurBlanche) << "the outline is the pen's";

    // a11 = 0: nothing is drawn for the undefined box, nothing fails.
    F->A.MatriceMelange = {0, 0.5, -0.5, 1};
    Cliquer(F->Button1);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(Solveur, EqualOrReversedBoundsStillSolveAndDrawOnlyWhatIsDefined) {
    MoyennesExemple();
    F->A.ReglagesCourants.PrecisionSivia = 0.5;
    // "abc" in both x bounds reads as 0: a domain of zero width in x.
    F->A.ReglagesCourants.BorneInfX = F->A.ReglagesCourants.BorneSupX = 0;
    Cliquer(F->Button1);
    EXPECT_TRUE(Messages.empty());
    EXPECT_FALSE(BoitesSolution.IsEmpty() && BoitesRejetees.IsEmpty());
    EXPECT_EQ(BoiteRecherche[1].Width(), 0.0);
    EXPECT_EQ(Pixel(168, 160), CouleurBlanche) << "nothing is drawn in an undefined frame";
    BougerPointeur(F->Image1, QPoint(300, 10));
    EXPECT_EQ(F->Label1->text(), QStringLiteral("X : 0"));
    Cliquer(F->Button4);
    F->OpenGLPanel6->Repaint();

    // Reversed bounds: the search box is ordered; the readout keeps the typed order.
    F->A.ReglagesCourants.BorneInfX = F->A.ReglagesCourants.BorneInfY = 2;
    F->A.ReglagesCourants.BorneSupX = F->A.ReglagesCourants.BorneSupY = -2;
    F->Button1->show();
    Cliquer(F->Button1);
    EXPECT_EQ(BoiteRecherche[1].Lower(), -2.0);
    EXPECT_EQ(BoiteRecherche[1].Upper(), 2.0);
    EXPECT_EQ(Pixel(2, 2), CouleurBleue);
    BougerPointeur(F->Image1, QPoint(0, 0));
    EXPECT_EQ(F->Label1->text(), QStringLiteral("X : 2"));
    EXPECT_TRUE(Messages.empty());
}

TEST_F(Solveur, ToutEffacerKeepsTheBoxListsAndTheEstimatesEffacerLePavageFreesTheBoxes) {
    GenererMelanges();
    F->A.ReglagesCourants.PrecisionSivia = 0.5;
    Cliquer(F->Button1);
    Cliquer(F->Button1); // a second solve appends to the lists of the first
    BougerPointeur(F->Image1, QPoint(151, 144));
    const std::uint32_t rejetees = BoitesRejetees.Size(), gardees = BoitesSolution.Size();
    ASSERT_GT(rejetees, 0u);
    ASSERT_GT(gardees, 0u);
    const std::vector<double> estimee = F->A.Estimees.SourceEstimee1;
    ASSERT_EQ(estimee.size(), 5000u);

    F->ToutEffacer1->trigger();
    EXPECT_TRUE(F->A.Source1.empty());
    EXPECT_TRUE(F->A.MelangesCourants.Melange1.empty());
    EXPECT_EQ(BoitesRejetees.Size(), rejetees);
    EXPECT_EQ(BoitesSolution.Size(), gardees);
    EXPECT_EQ(F->A.Estimees.SourceEstimee1, estimee);
    EXPECT_EQ(F->A.Estimees.DeriveeEstimee1.size(), 4999u);
    // "Encadre" still frames the kept boxes in red.
    const auto rouges = [this] {
        int n = 0;
        for (int y = 0; y < F->Image1->height(); ++y) {
            for (int x = 0; x < F->Image1->width(); ++x) {
                n += Pixel(x, y) == CouleurRouge;
            }
        }
        return n;
    };
    ASSERT_EQ(rouges(), 0);
    Cliquer(F->Button4);
    EXPECT_GT(rouges(), 20);

    F->EffacerPavage1->trigger();
    EXPECT_TRUE(BoitesRejetees.IsEmpty());
    EXPECT_TRUE(BoitesSolution.IsEmpty());
    EXPECT_EQ(F->A.Estimees.SourceEstimee1, estimee) << "the estimates are not part of the paving";
    EXPECT_TRUE(Messages.empty());
}
