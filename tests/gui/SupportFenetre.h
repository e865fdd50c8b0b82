// A real main window under the display, with message boxes recorded instead of shown.
#pragma once

#include "app/Langue.h"
#include "app/TForm1.h"
#include "app/toolkit/BoiteMessage.h"
#include "display/TOpenGLPanel.h"
#include "signal/Alea.h"
#include "sivia/Sivia.h"
#include "support/GardesFenetre.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QLocale>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <vector>

// Moves the pointer over a widget with Qt Test and waits until the widget has the move: on
// X11 the pointer is warped and the display sends the move back later. The widget must not
// be at the window's top-left corner.
inline void BougerPointeur(QWidget* widget, QPoint position) {
    struct Guetteur : QObject {
        QPoint recu{-1, -1};
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::MouseMove) {
                recu = static_cast<QMouseEvent*>(e)->position().toPoint();
            }
            return false;
        }
    } guetteur;
    widget->installEventFilter(&guetteur);
    // Qt Test reads a null point as the widget's centre: (0, 0) is reached from the window.
    QWidget* fenetre = widget->window();
    // A pointer already there moves no more, and the last position Qt saw may be another
    // than the display's cursor: it always goes by a neighbouring point first.
    const QPoint cible = widget->mapTo(fenetre, position);
    QTest::mouseMove(fenetre, cible + QPoint(cible.x() > 2 ? -2 : 2, 0));
    QTest::qWait(10);
    if (position.isNull()) {
        QTest::mouseMove(fenetre, widget->mapTo(fenetre, position));
    } else {
        QTest::mouseMove(widget, position);
    }
    for (int i = 0; i < 200 && guetteur.recu != position; ++i) {
        QTest::qWait(5);
    }
    widget->removeEventFilter(&guetteur);
}

// Texts in failure messages.
inline void PrintTo(const QString& texte, std::ostream* flux) {
    *flux << '"' << texte.toStdString() << '"';
}

// Every test starts from the program's start-up state, whatever ran before it in the process.
class FenetrePrincipaleTest : public testing::Test {
protected:
    void SetUp() override {
        FixerTitreApplication(QStringLiteral("Ovrel 5"));
        ChoisirLangue(QStringLiteral("fr"));
        Afficheur.emplace([this](const MessageAffiche& m) { Messages.push_back(m); });
        Rapporteur.emplace([this](const QString& texte) {
            Messages.push_back({MessageAffiche::Genre::Message, texte, QString()});
        });
        // Module-level state lives for the whole process: back to its start-up values.
        BoitesEnAttente.Clear();
        BoitesRejetees.Clear();
        BoitesSolution.Clear();
        RepereImage = Repere();
        BoiteRecherche = Box(2, 1);
        PointImageX = PointImageY = 0;
        Alea() = GenerateurAleatoire();
        Fenetre = std::make_unique<TForm1>();
        Fenetre->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Fenetre.get()));
        F = Fenetre.get();
        // A button Qt still holds down from a test before (a double click ends that way) would
        // make every move of this test a drag.
        for (const Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            if (QGuiApplication::mouseButtons() & b) {
                QTest::mouseRelease(F, b, {}, QPoint(1, 1));
            }
        }
        ASSERT_EQ(QGuiApplication::mouseButtons(), Qt::NoButton);
    }

    void TearDown() override {
        Fenetre.reset();
        Rapporteur.reset();
        Afficheur.reset();
    }

    // Clicks a visible button with the mouse.
    static void Cliquer(QWidget* bouton) { QTest::mouseClick(bouton, Qt::LeftButton); }

    // Mixtures of a cosine and a sine by [[1, 0.5], [-0.5, 1]], generated from the menus.
    void GenererMelanges() {
        F->Cosinus1->trigger();
        F->Sinus2->trigger();
        F->A.MatriceMelange = {1, 0.5, -0.5, 1};
        F->GenerationdesMelanges1->trigger();
        ASSERT_TRUE(F->A.MelangesGeneres);
    }

    std::vector<MessageAffiche> Messages;
    std::optional<GardeAfficheur> Afficheur;
    std::optional<GardeRapporteurPanneau> Rapporteur;
    std::unique_ptr<TForm1> Fenetre;
    TForm1* F = nullptr;
};

// The same under a fixed locale ("." or "," as decimal separator), restored afterwards.
template <QLocale::Language Langue> class FenetreSousLocale : public FenetrePrincipaleTest {
protected:
    void SetUp() override {
        QLocale::setDefault(
            QLocale(Langue, Langue == QLocale::French ? QLocale::France : QLocale::UnitedStates));
        FenetrePrincipaleTest::SetUp();
    }
    void TearDown() override {
        FenetrePrincipaleTest::TearDown();
        QLocale::setDefault(QLocale::system());
    }
};
