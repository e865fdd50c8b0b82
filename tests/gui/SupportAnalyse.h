// The main window with its analysis window: a scratch folder the file dialogs answer in, and
// no solve kept from an earlier test.
#pragma once

#include "SupportDossier.h"
#include "SupportFenetre.h"
#include "app/TFormAnalyse.h"

#include <QTableWidget>

class FenetreAnalyseTest : public AvecDossier<FenetrePrincipaleTest> {
protected:
    void SetUp() override {
        OublierResolution(); // kept across windows: each test starts without a solve
        AvecDossier::SetUp();
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
};
