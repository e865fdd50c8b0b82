// The main window with its analysis window: a scratch folder the file dialogs answer in, and
// no solve kept from an earlier test.
#pragma once

#include "SupportFenetre.h"
#include "app/TFormAnalyse.h"
#include "app/toolkit/DialogueFichier.h"

#include <QTableWidget>

#include <filesystem>
#include <random>
#include <string>

class FenetreAnalyseTest : public FenetrePrincipaleTest {
protected:
    void SetUp() override {
        OublierResolution(); // kept across windows: each test starts without a solve
        FenetrePrincipaleTest::SetUp();
        std::random_device alea;
        Dossier = std::filesystem::temp_directory_path() /
                  ("ovrel_analyse_" + std::to_string(alea()) + std::to_string(alea()));
        std::filesystem::create_directories(Dossier);
        InstallerDialogueFichier([this](const QString&, bool) {
            return QStringList{QString::fromStdString((Dossier / Reponse).string())};
        });
    }
    void TearDown() override {
        InstallerDialogueFichier(nullptr);
        std::filesystem::remove_all(Dossier);
        FenetrePrincipaleTest::TearDown();
    }
    // Clicks the first cell of the table's row.
    static void CliquerLigne(QTableWidget* t, int ligne) {
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {},
                          t->visualItemRect(t->item(ligne, 0)).center());
    }
    TFormAnalyse* Ouvrir() {
        F->AnalyseSeparation1->trigger();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(F->FormAnalyse));
        return F->FormAnalyse;
    }

    std::filesystem::path Dossier;
    std::string Reponse; // what the file dialog answers, in Dossier
};
