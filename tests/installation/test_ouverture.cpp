// The files a desktop entry passes to the program open in the window: a session alone as a
// session, with no question; a signal where the user drops it.
#include "gui/SupportFenetre.h"

#include "app/TMenuFichier.h"
#include "app/toolkit/DialogueFichier.h"

#include <filesystem>
#include <random>

namespace {

class Ouverture : public FenetrePrincipaleTest {
protected:
    void SetUp() override {
        FenetrePrincipaleTest::SetUp();
        std::random_device alea;
        Dossier = std::filesystem::temp_directory_path() /
                  ("ovrel_ouverture_" + std::to_string(alea()) + std::to_string(alea()));
        std::filesystem::create_directories(Dossier);
        TMenuFichier::ChoisirDepot = [this](const QStringList& choix) {
            Proposes.push_back(choix);
            return Reponse;
        };
    }
    void TearDown() override {
        InstallerDialogueFichier(nullptr);
        TMenuFichier::ChoisirDepot = ChoixReel;
        std::filesystem::remove_all(Dossier);
        FenetrePrincipaleTest::TearDown();
    }
    std::filesystem::path Dossier;
    std::vector<QStringList> Proposes;
    int Reponse = -1;
    const std::function<int(const QStringList&)> ChoixReel = TMenuFichier::ChoisirDepot;
};

TEST_F(Ouverture, ASessionGivenAtStartUpOpensWithoutAQuestion) {
    GenererMelanges();
    const QString session = QString::fromStdString((Dossier / "session.json").string());
    InstallerDialogueFichier([&](const QString&, bool) { return QStringList{session}; });
    F->MenuFichier->EnregistrerSession->trigger();
    ASSERT_TRUE(std::filesystem::exists(Dossier / "session.json"));
    F->ToutEffacer1->trigger();
    F->BruitBlancGaussien1->trigger();

    F->MenuFichier->Ouvrir({session});
    EXPECT_TRUE(Proposes.empty());
    EXPECT_TRUE(F->Cosinus1->isChecked());
    EXPECT_TRUE(F->Sinus2->isChecked());
    EXPECT_TRUE(F->A.MelangesGeneres);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(Ouverture, ASignalGivenAtStartUpGoesWhereTheUserDropsIt) {
    const QString voix = QStringLiteral(OVREL_DONNEES "/voix2.wav");
    Reponse = 1; // "Source 2"
    F->MenuFichier->Ouvrir({voix});
    ASSERT_EQ(Proposes.size(), 1u);
    EXPECT_EQ(Proposes[0].value(1), QStringLiteral("Source 2"));
    EXPECT_EQ(F->A.Source2.size(), 80000u);
    Reponse = -1; // the user closes the menu: nothing changes
    F->MenuFichier->Ouvrir({voix, voix});
    EXPECT_EQ(Proposes.size(), 2u);
    EXPECT_EQ(F->A.Source2.size(), 80000u);
    EXPECT_TRUE(Messages.empty());
}

} // namespace
