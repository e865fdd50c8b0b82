// Long work in the main window: progress, the "Arrêter" control and Escape, what a stopped
// job leaves, and what stays out of reach while a job runs.
#include "MemoireProcessus.h"
#include "SupportFenetre.h"
#include "support/Gardes.h"

#include "app/TravailLong.h"
#include "app/toolkit/TImage.h"
#include "app/toolkit/TStatusBar.h"
#include "signal/Alea.h"
#include "signal/Memoire.h"

#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <cstdlib>
#include <functional>

namespace {

class TravailLongFenetre : public FenetreSousLocale<QLocale::English> {
protected:
    // Runs `pendant` 300 ms into the next command, from the event processing of a slice.
    void PendantLaCommande(std::function<void()> pendant) {
        QTimer::singleShot(300, F, [this, pendant] {
            Vu.enCours = TravailLong::EnCours();
            Vu.arreterVisible = F->ButtonArreter->isVisible();
            Vu.controlesActifs = F->centralWidget()->isEnabled() || F->menuBar()->isEnabled();
            Vu.progres = F->StatusBar1->PanelText(2);
            // The window as it looks during the job, to be looked at.
            if (const char* dossier = std::getenv("OVREL_IMAGES_TESTS")) {
                const QRect cadre = F->frameGeometry();
                F->screen()
                    ->grabWindow(0, cadre.x(), cadre.y(), cadre.width(), cadre.height())
                    .save(QStringLiteral("%1/%2.png")
                              .arg(dossier,
                                   testing::UnitTest::GetInstance()->current_test_info()->name()));
            }
            pendant();
        });
    }

    struct {
        bool enCours = false, arreterVisible = false, controlesActifs = true;
        QString progres;
    } Vu;

    // The window is back to its idle state.
    void VerifierRepos() {
        EXPECT_FALSE(TravailLong::EnCours());
        EXPECT_FALSE(F->ButtonArreter->isVisible());
        EXPECT_TRUE(F->centralWidget()->isEnabled());
        EXPECT_TRUE(F->menuBar()->isEnabled());
        EXPECT_EQ(F->StatusBar1->PanelText(2), QString());
        EXPECT_EQ(F->cursor().shape(), Qt::ArrowCursor);
    }
};

} // namespace

TEST_F(TravailLongFenetre, EscapeStopsALongSolveThatKeepsWhatItClassified) {
    GenererMelanges();
    // With one constraint nothing is rejected: 2^26 boxes to keep at this precision.
    F->A.ReglagesCourants.ContrainteDecorrelation = false;
    F->A.ReglagesCourants.PrecisionSivia = 0.002;
    F->A.ReglagesCourants.Stockage = StockagePile;
    const GardeBudgetMemoire budget(MemoireTenue() + (std::uint64_t(1) << 33));
    const double* source1 = F->A.Source1.data();
    bool resolutionImbriquee = false;
    PendantLaCommande([&] {
        F->Cosinus1->trigger(); // refused: the sources stay as they are
        const std::uint32_t avant = BoitesSolution.Size();
        F->Button1Click(); // refused: no solve inside a solve
        resolutionImbriquee = BoitesSolution.Size() != avant;
        QTest::keyClick(F, Qt::Key_Escape);
    });
    Cliquer(F->Button1);

    EXPECT_TRUE(Vu.enCours);
    EXPECT_TRUE(Vu.arreterVisible);
    EXPECT_FALSE(Vu.controlesActifs);
    EXPECT_TRUE(Vu.progres.startsWith(QStringLiteral("Résolution : "))) << Vu.progres.toStdString();
    EXPECT_TRUE(Vu.progres.contains(QStringLiteral("boîtes/s")));
    EXPECT_TRUE(Vu.progres.contains(QStringLiteral("reste environ")));
    EXPECT_EQ(F->A.Source1.data(), source1);
    EXPECT_FALSE(resolutionImbriquee);

    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_TRUE(Messages[0].texte.contains(QStringLiteral("arrêtée par l'utilisateur")))
        << Messages[0].texte.toStdString();
    EXPECT_TRUE(BoitesEnAttente.IsEmpty());
    EXPECT_GT(BoitesSolution.Size(), 0u);
    EXPECT_LT(BoitesSolution.Size(), 1u << 26);
    int jaunes = 0;
    for (int y = 0; y < F->Image1->height(); ++y) {
        for (int x = 0; x < F->Image1->width(); ++x) {
            jaunes += F->Image1->Canvas().Pixel(x, y) == CouleurJaune;
        }
    }
    EXPECT_GT(jaunes, 0) << "what was kept stays drawn";
    VerifierRepos();
}

TEST_F(TravailLongFenetre, TheArreterButtonStopsALargeGenerationThatLeavesTheSourceAsItWas) {
    F->Cosinus1->trigger();
    const std::vector<double> avant = F->A.Source1;
    const auto etat = Alea().EtatCourant();
    // 501 uniform draws per sample: many seconds for 20 million samples.
    F->A.ReglagesCourants.NbEchantillons = 20'000'000;
    PendantLaCommande([&] { QTest::mouseClick(F->ButtonArreter, Qt::LeftButton); });
    F->BruitBlancGaussien1->trigger();

    EXPECT_TRUE(Vu.arreterVisible);
    EXPECT_TRUE(Vu.progres.startsWith(QStringLiteral("Génération de la source 1 : ")))
        << Vu.progres.toStdString();
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_TRUE(Messages[0].texte.contains(QStringLiteral("arrêtée par l'utilisateur")));
    EXPECT_EQ(F->A.Source1, avant);
    EXPECT_EQ(Alea().EtatCourant(), etat);
    EXPECT_TRUE(F->Cosinus1->isChecked());
    EXPECT_FALSE(F->BruitBlancGaussien1->isChecked());
    VerifierRepos();
}

TEST_F(TravailLongFenetre, EscapeStopsAHugeGenerationWhileItsArrayIsStillBeingFilledIn) {
    F->Cosinus1->trigger();
    const std::vector<double> avant = F->A.Source1;
    // 2 GiB of samples, inside a fixed budget; the array is given its pages stretch by
    // stretch inside the job, so Escape is heard long before they are all touched.
    F->A.ReglagesCourants.NbEchantillons = 1 << 28;
    const GardeBudgetMemoire budget(MemoireTenue() + (std::uint64_t(3) << 30));
    // The peak counts from here: what this test touches, whatever ran before it.
    RemettrePicResident();
    const std::uint64_t pic = PicResident();
    bool enCours = false;
    QTimer::singleShot(0, F, [&] {
        enCours = TravailLong::EnCours();
        QTest::keyClick(F, Qt::Key_Escape);
    });
    F->Sinus1->trigger();

    EXPECT_TRUE(enCours) << "the window answered during the generation";
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_TRUE(Messages[0].texte.contains(QStringLiteral("arrêtée par l'utilisateur")));
    EXPECT_EQ(F->A.Source1, avant);
    EXPECT_TRUE(F->Cosinus1->isChecked());
    EXPECT_LT(PicResident() - pic, std::uint64_t(1) << 30)
        << "stopped before the whole array was touched";
    VerifierRepos();
}
