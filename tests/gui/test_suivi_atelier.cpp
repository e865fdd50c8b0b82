// The window follows the workbench whoever changes it: after each operation of the core,
// called here directly and not through a menu, the source menus' check marks, the matrix
// editor, the display mode and the captions under panels 1 and 2 show the new state, and a
// menu chosen afterwards keeps those check marks.
#include "SupportDossier.h"
#include "SupportFenetre.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <functional>

namespace {

class SuiviAtelier : public AvecDossier<FenetreSousLocale<QLocale::French>> {
protected:
    // A new window; cosine and sine from the menus, a matrix typed and stored, the mixtures
    // generated: the window shows the mixtures, the editor holds the texts typed.
    void Preparer() {
        Fenetre.reset();
        Fenetre = std::make_unique<TForm1>();
        F = Fenetre.get();
        F->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(F));
        F->Cosinus1->trigger();
        F->Sinus2->trigger();
        F->Matricedemelange1->trigger();
        const char* textes[] = {"1", "0,5", "-0,5", "1"};
        QLineEdit* edits[] = {F->Edit1, F->Edit2, F->Edit3, F->Edit4};
        for (int i = 0; i < 4; ++i) {
            edits[i]->clear();
            QTest::keyClicks(edits[i], QString::fromUtf8(textes[i]));
        }
        Cliquer(F->Button2);
        F->GenerationdesMelanges1->trigger();
        ASSERT_TRUE(F->A.MelangesGeneres);
        ASSERT_TRUE(F->MelangesAff->isChecked());
    }
};

QAction* Cochee(const QMenu* menu) {
    for (QAction* a : menu->actions()) {
        if (a->isChecked()) {
            return a;
        }
    }
    return nullptr;
}

OrigineSignal Fichier(const std::filesystem::path& chemin, int canal) {
    return {OrigineSignal::Sorte::Fichier, {}, 0, 0, chemin.string(), canal};
}

} // namespace

TEST_F(SuiviAtelier, EveryOperationOfTheCoreShowsInTheMenusEditorPanelsAndCaptions) {
    using Operation = std::function<void(TForm1&, const std::filesystem::path& dossier)>;
    struct Cas {
        const char* nom;
        Operation operation;
        QAction* TForm1::*coche1; // nullptr: nothing checked in the menu
        QAction* TForm1::*coche2;
        const char* edit2; // the matrix editor's second box
        QAction* TForm1::*affichage;
        const char* legende1;     // a part of the caption under panel 1 ("" : empty)
        const char* texteFichier; // the file item of source 1, when checked
    };
    const Cas cas[] = {
        {"mixtures read",
         [](TForm1& f, const std::filesystem::path& d) {
             f.A.PoserMelangesLus(
                 ::GenererMelanges(f.A.Source2, f.A.Source1, {1, 0.3, 0.2, 1}, 5000, 0.1f),
                 {RecetteMelanges::Sorte::Lues,
                  Fichier(d / "x.wav", 0),
                  Fichier(d / "x.wav", 1),
                  {},
                  0},
                 8000);
         },
         nullptr, nullptr, "", &TForm1::MelangesAff, "x1 : x.wav", nullptr},
        {"Tout Effacer", [](TForm1& f, const std::filesystem::path&) { f.A.ToutEffacer(); },
         nullptr, nullptr, "0,5", &TForm1::SourcesAff, "", nullptr},
        {"a source read",
         [](TForm1& f, const std::filesystem::path& d) {
             f.A.PoserSourceLue(
                 1, {std::vector<double>(5000, 0.5), Fichier(d / "voix.wav", 1), 16000, "droite"});
         },
         &TForm1::FichierSource1, &TForm1::Sinus2, "0,5", &TForm1::MelangesAff,
         "voix.wav — 16000 Hz", "voix.wav (droite)"},
        {"a pair read",
         [](TForm1& f, const std::filesystem::path& d) {
             f.A.PoserSourcesLues({std::vector<double>(5000, 0.5), Fichier(d / "v1.wav", 0), 8000},
                                  {std::vector<double>(5000, 0.2), Fichier(d / "v2.wav", 0), 8000});
         },
         &TForm1::FichierSource1, &TForm1::FichierSource2, "0,5", &TForm1::SourcesAff, "v1.wav",
         "v1.wav"},
        {"a session",
         [](TForm1& f, const std::filesystem::path& d) {
             f.A.EnregistrerSession(d / "s.json");
             f.A.ToutEffacer();
             f.A.GenererSource(1, TypeSource::DentDeScie);
             f.Edit2->setText(QStringLiteral("9"));
             f.A.OuvrirSession(d / "s.json");
         },
         &TForm1::Cosinus1, &TForm1::Sinus2, "0,5", &TForm1::MelangesAff, "", nullptr},
        {"a source generated",
         [](TForm1& f, const std::filesystem::path&) {
             f.A.GenererSource(1, TypeSource::SignalCarre);
         },
         &TForm1::SignalCarre1, &TForm1::Sinus2, "0,5", &TForm1::MelangesAff, "", nullptr},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Preparer();
        c.operation(*F, Dossier);
        const auto attendue = [this](QAction* TForm1::*item) { return item ? F->*item : nullptr; };
        EXPECT_EQ(Cochee(F->SourceUn), attendue(c.coche1));
        EXPECT_EQ(Cochee(F->SourceDeux), attendue(c.coche2));
        if (c.texteFichier != nullptr) {
            EXPECT_EQ(F->FichierSource1->text(), QString::fromUtf8(c.texteFichier));
            EXPECT_TRUE(F->FichierSource1->isVisible());
        }
        EXPECT_EQ(F->Edit2->text(), QString::fromUtf8(c.edit2));
        EXPECT_EQ(Cochee(F->Affichage1), F->*c.affichage);
        if (*c.legende1 == '\0') {
            EXPECT_EQ(F->LabelFrequence1->text(), QString());
        } else {
            EXPECT_TRUE(F->LabelFrequence1->text().contains(QString::fromUtf8(c.legende1)))
                << F->LabelFrequence1->text().toStdString();
        }
        // A menu chosen next starts from the marks the window holds now.
        F->DeriveeAff->trigger();
        EXPECT_EQ(Cochee(F->SourceUn), attendue(c.coche1));
        EXPECT_EQ(Cochee(F->SourceDeux), attendue(c.coche2));
        EXPECT_TRUE(Messages.empty());
    }
}
