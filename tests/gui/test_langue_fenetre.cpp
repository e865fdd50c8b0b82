#include "SupportAnalyse.h"

#include "app/Langue.h"
#include "app/TForm2.h"
#include "app/toolkit/TStatusBar.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <filesystem>
#include <map>

namespace {

// The French texts of the translation files whose English differs, each as a pattern in which
// %1 … %9 stand for any value.
std::vector<std::pair<QString, QRegularExpression>> TextesFrancais() {
    std::vector<std::pair<QString, QRegularExpression>> textes;
    const auto dossier =
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "traductions";
    for (const char* nom : {"ovrel5_fenetre_en.ts", "ovrel5_commande_en.ts",
                            "ovrel5_fichiers_en.ts", "ovrel5_noyau_en.ts"}) {
        QFile f(QString::fromStdString((dossier / nom).string()));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << nom;
        QXmlStreamReader xml(&f);
        QString source;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) {
                continue;
            }
            if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation")) {
                const QString traduction = xml.readElementText();
                if (!traduction.isEmpty() && traduction != source) {
                    QString motif = QRegularExpression::escape(source);
                    motif.replace(QRegularExpression(QStringLiteral("%[1-9]")),
                                  QStringLiteral(".*"));
                    textes.emplace_back(
                        source, QRegularExpression(QRegularExpression::anchoredPattern(motif),
                                                   QRegularExpression::DotMatchesEverythingOption));
                }
            }
        }
    }
    return textes;
}

// Every text a person reads in `racine`, its menus and its tables' headers.
QStringList TextesVisibles(QWidget* racine) {
    QStringList textes{racine->windowTitle()};
    const auto action = [&textes](QAction* a) { textes << a->text() << a->toolTip(); };
    for (QWidget* w : racine->findChildren<QWidget*>()) {
        textes << w->toolTip();
        if (auto* l = qobject_cast<QLabel*>(w)) {
            textes << l->text();
        } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            textes << b->text();
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            textes << g->title();
        } else if (auto* t = qobject_cast<QTableWidget*>(w)) {
            for (int c = 0; c < t->columnCount(); ++c) {
                textes << t->horizontalHeaderItem(c)->text()
                       << t->horizontalHeaderItem(c)->toolTip();
            }
            for (int r = 0; r < t->rowCount(); ++r) {
                for (int c = 0; c < t->columnCount(); ++c) {
                    if (QTableWidgetItem* item = t->item(r, c)) {
                        textes << item->text() << item->toolTip();
                    }
                }
            }
        } else if (auto* m = qobject_cast<QMenu*>(w)) {
            for (QAction* a : m->actions()) {
                action(a);
            }
        }
    }
    textes.removeAll(QString());
    return textes;
}

// The French texts among `textes` (whole, or one of their lines).
QStringList Francais(const QStringList& textes) {
    static const auto francais = TextesFrancais();
    QStringList trouves;
    for (const QString& texte : textes) {
        QStringList morceaux = texte.split(QLatin1Char('\n'));
        morceaux << texte;
        for (const QString& m : morceaux) {
            for (const auto& [source, motif] : francais) {
                if (motif.match(m).hasMatch()) {
                    trouves << m + QStringLiteral("  [") + source + QStringLiteral("]");
                }
            }
        }
    }
    trouves.removeDuplicates();
    return trouves;
}

class LangueFenetre : public FenetreAnalyseTest {
protected:
    void TearDown() override {
        FenetreAnalyseTest::TearDown();
        ChoisirLangue(QStringLiteral("fr"));
        RetenirLangue(QStringLiteral("fr"));
    }
    // The language's change reaches the windows by a posted event.
    static void Attendre() { QTest::qWait(20); }

    // "Paramètres" › "Langue" › `choix`, with the mouse.
    void ChoisirParLeMenu(QAction* choix) {
        QMenuBar* barre = F->menuBar();
        QTest::mouseClick(barre, Qt::LeftButton, {},
                          barre->actionGeometry(F->Paramtres1->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(F->Paramtres1));
        // The submenu opens under the pointer after the menu's delay.
        QTest::mouseMove(F->Paramtres1,
                         F->Paramtres1->actionGeometry(F->Langue1->menuAction()).center());
        for (int i = 0; i < 200 && !F->Langue1->isVisible(); ++i) {
            QTest::qWait(10);
        }
        ASSERT_TRUE(QTest::qWaitForWindowExposed(F->Langue1));
        QTest::mouseClick(F->Langue1, Qt::LeftButton, {},
                          F->Langue1->actionGeometry(choix).center());
        Attendre();
    }
};

} // namespace

// The window started in English, every menu, the Options dialog, the matrix editor and the
// analysis window after a solve: no French text of the translation files is left on show.
TEST_F(LangueFenetre, EveryWindowInEnglishShowsNoFrenchText) {
    Fenetre.reset();
    ChoisirLangue(QStringLiteral("en"));
    Fenetre = std::make_unique<TForm1>();
    F = Fenetre.get();
    F->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(F));
    GenererMelanges();
    Cliquer(F->Button1);
    F->Matricedemelange1->trigger();
    F->Nombredchantillons1->trigger();
    TFormAnalyse* analyse = Ouvrir();
    const struct {
        const char* fenetre;
        QWidget* racine;
        const char* anglais; // one caption it must show
    } cas[] = {
        {"main window and menus", F, "Generate the Mixtures"},
        {"Options", Form2, "Decorrelation of the Sources"},
        {"analysis", analyse, "Solution clusters"},
    };
    for (const auto& c : cas) {
        const QStringList textes = TextesVisibles(c.racine);
        EXPECT_TRUE(textes.contains(QString::fromUtf8(c.anglais))) << c.fenetre;
        EXPECT_EQ(Francais(textes), QStringList()) << c.fenetre;
    }
    EXPECT_TRUE(F->Button2->isVisible()) << "the matrix editor is on show";
    EXPECT_TRUE(Messages.empty());
}

// "Paramètres" › "Langue" switches every open window and the messages at once, both ways, and
// is remembered; Qt's own dialogs follow.
TEST_F(LangueFenetre, TheLanguageMenuSwitchesCaptionsAndMessagesBothWays) {
    F->Nombredchantillons1->trigger();
    const struct {
        QAction* choix;
        const char *langue, *solver, *menu, *option, *message, *titre, *regarder;
    } cas[] = {
        {F->English1, "en", "Solve", "Settings", "Decorrelation of the Sources",
         "The mixed signals are unknown", "Error!", "Look in:"},
        {F->Francais1, "fr", "Solver", "Paramètres", "Décorrélation des Sources",
         "Les signaux mélangés sont inconnus", "Erreur!", "Voir dans :"},
    };
    for (const auto& c : cas) {
        ChoisirParLeMenu(c.choix);
        EXPECT_EQ(LangueCourante(), QLatin1String(c.langue));
        EXPECT_EQ(LangueRetenue(), QLatin1String(c.langue));
        EXPECT_TRUE(c.choix->isChecked());
        EXPECT_EQ(F->Button1->text(), QString::fromUtf8(c.solver));
        EXPECT_EQ(F->Paramtres1->title(), QString::fromUtf8(c.menu));
        EXPECT_EQ(Form2->CheckBox1->text(), QString::fromUtf8(c.option));
        Messages.clear();
        Cliquer(F->Button1); // no mixtures yet
        ASSERT_EQ(Messages.size(), 1u);
        EXPECT_EQ(Messages[0].texte, QString::fromUtf8(c.message));
        EXPECT_EQ(Messages[0].titre, QString::fromUtf8(c.titre));
        QFileDialog dialogue(F);
        dialogue.setOption(QFileDialog::DontUseNativeDialog);
        auto* regarder = dialogue.findChild<QLabel*>(QStringLiteral("lookInLabel"));
        ASSERT_NE(regarder, nullptr);
        EXPECT_EQ(regarder->text().remove(QLatin1Char('&')), QString::fromUtf8(c.regarder));
    }
}
