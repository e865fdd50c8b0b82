// A real main window under the display, with message boxes recorded instead of shown.
#pragma once

#include "app/TForm1.h"
#include "app/toolkit/BoiteMessage.h"
#include "display/TOpenGLPanel.h"
#include "sivia/Sivia.h"

#include <QLocale>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

// Texts in failure messages.
inline void PrintTo(const QString& texte, std::ostream* flux) {
    *flux << '"' << texte.toStdString() << '"';
}

class FenetreTest : public testing::Test {
protected:
    void SetUp() override {
        FixerTitreApplication(QStringLiteral("Ovrel 5"));
        InstallerAfficheur([this](const MessageAffiche& m) { Messages.push_back(m); });
        TOpenGLPanel::RapporteurMessage = [this](const QString& texte) {
            Messages.push_back({MessageAffiche::Genre::Message, texte, QString()});
        };
        // The solver's lists and frame live for the whole process: each test starts afresh.
        BoitesEnAttente.Clear();
        BoitesRejetees.Clear();
        BoitesSolution.Clear();
        RepereImage = Repere();
        BoiteRecherche = Box(2, 1);
        Fenetre = std::make_unique<TForm1>();
        Fenetre->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Fenetre.get()));
        F = Fenetre.get();
    }

    void TearDown() override {
        Fenetre.reset();
        TOpenGLPanel::RapporteurMessage = nullptr;
        InstallerAfficheur(nullptr);
    }

    // Clicks a visible button with the mouse.
    static void Cliquer(QWidget* bouton) { QTest::mouseClick(bouton, Qt::LeftButton); }

    std::vector<MessageAffiche> Messages;
    std::unique_ptr<TForm1> Fenetre;
    TForm1* F = nullptr;
};

// The same under a fixed locale ("." or "," as decimal separator), restored afterwards.
template <QLocale::Language Langue> class FenetreSousLocale : public FenetreTest {
protected:
    void SetUp() override {
        QLocale::setDefault(
            QLocale(Langue, Langue == QLocale::French ? QLocale::France : QLocale::UnitedStates));
        FenetreTest::SetUp();
    }
    void TearDown() override {
        FenetreTest::TearDown();
        QLocale::setDefault(QLocale::system());
    }
};
