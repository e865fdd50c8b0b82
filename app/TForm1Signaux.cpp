// Handlers of the sources, the mixing matrix and the mixtures.
#include "app/TForm1.h"

#include "app/Horloge.h"
#include "app/TFormAnalyse.h"
#include "app/TravailLong.h"
#include "app/toolkit/BoiteMessage.h"
#include "app/toolkit/Conversions.h"
#include "app/toolkit/TStatusBar.h"
#include "display/ResumePavage.h"
#include "display/TOpenGLPanel.h"
#include "fichiers/LectureSignal.h"
#include "signal/Alea.h"
#include "signal/Generateurs.h"
#include "signal/Memoire.h"
#include "sivia/Sivia.h"

#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <malloc.h>

#include <algorithm>

void TForm1::GenererSourceUn(TypeSource type) {
    GenererSourceLongue(1, type);
}

void TForm1::GenererSourceDeux(TypeSource type) {
    GenererSourceLongue(2, type);
}

// A stopped generation leaves the source, its menu and the generator as they were; a done one
// is announced, and the menu and panel follow.
void TForm1::GenererSourceLongue(int k, TypeSource type) {
    const QString quoi = tr("Génération de la source %1").arg(k);
    bool fait = false;
    {
        TravailLong travail(this, StatusBar1, 2, ButtonArreter);
        fait = A.GenererSource(k, type, travail.Rappel(quoi));
    }
    if (!fait) {
        MessageBox(quoi + tr(" a été arrêtée par l'utilisateur : la source est "
                             "restée comme elle était."),
                   TitreApplication());
    }
}

void TForm1::BruitBlancGaussien1Click() {
    GenererSourceUn(TypeSource::BruitBlancGaussien);
}
void TForm1::BruitBlancUniforme1Click() {
    GenererSourceUn(TypeSource::BruitBlancUniforme);
}
void TForm1::Cosinus1Click() {
    GenererSourceUn(TypeSource::Cosinus);
}
void TForm1::Sinus1Click() {
    GenererSourceUn(TypeSource::Sinus);
}
void TForm1::BruitColoreGaussien1Click() {
    GenererSourceUn(TypeSource::BruitColoreGaussien);
}
void TForm1::BruitBlancGaussien2Click() {
    GenererSourceDeux(TypeSource::BruitBlancGaussien);
}
void TForm1::BruitBlancUniforme2Click() {
    GenererSourceDeux(TypeSource::BruitBlancUniforme);
}
void TForm1::Cosinus2Click() {
    GenererSourceDeux(TypeSource::Cosinus);
}
void TForm1::Sinus2Click() {
    GenererSourceDeux(TypeSource::Sinus);
}
void TForm1::BruitColoreGaussien2Click() {
    GenererSourceDeux(TypeSource::BruitColoreGaussien);
}

void TForm1::AfficherEditeur(bool visible) {
    for (QWidget* w :
         {static_cast<QWidget*>(Button2), static_cast<QWidget*>(Button3),
          static_cast<QWidget*>(Label5), static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Edit2),
          static_cast<QWidget*>(Edit3), static_cast<QWidget*>(Edit4)}) {
        w->setVisible(visible);
    }
    Matricedemelange1->setChecked(visible);
}

void TForm1::Matricedemelange1Click() {
    AfficherEditeur(!Matricedemelange1->isChecked());
}

// The texts as typed are the workbench's (a session keeps them).
void TForm1::Edit1Change() {
    Button2->setVisible(true);
    A.TextesMatrice[0] = Edit1->text().toStdString();
}
void TForm1::Edit2Change() {
    Button2->setVisible(true);
    A.TextesMatrice[1] = Edit2->text().toStdString();
}
void TForm1::Edit3Change() {
    Button2->setVisible(true);
    A.TextesMatrice[2] = Edit3->text().toStdString();
}
void TForm1::Edit4Change() {
    Button2->setVisible(true);
    A.TextesMatrice[3] = Edit4->text().toStdString();
}

void TForm1::Button2Click() {
    // Each entry is stored as soon as it converts: a text that does not convert ends the
    // handler there, with the earlier entries stored and "Valider" still shown.
    Matrice2x2 m = A.MatriceMelange;
    double* const entrees[4] = {&m.a11, &m.a12, &m.a21, &m.a22};
    const QLineEdit* const edits[4] = {Edit1, Edit2, Edit3, Edit4};
    for (int k = 0; k < 4; ++k) {
        try {
            *entrees[k] = StrToFloat(edits[k]->text());
        } catch (...) {
            if (k > 0) {
                A.FixerMatrice(m);
            }
            throw;
        }
    }
    Button2->setVisible(false);
    A.FixerMatrice(m);
}

void TForm1::Button3Click() {
    Button2->setVisible(true);
    Alea().Initialiser(std::uint64_t(SecondesHorloge()));
    const float b = CoefficientAleatoire(Alea());
    const float c = CoefficientAleatoire(Alea());
    Edit1->setText(QStringLiteral("1"));
    Edit2->setText(FloatToStr(b));
    Edit3->setText(FloatToStr(c));
    Edit4->setText(QStringLiteral("1"));
    // The boxes are narrower than the numbers: show their start (sign and leading digits).
    for (QLineEdit* edit : {Edit1, Edit2, Edit3, Edit4}) {
        edit->setCursorPosition(0);
    }
}

void TForm1::GenerationdesMelanges1Click() {
    if (!A.PeutMelanger()) {
        MessageBox(tr("La matrice de mélange et/ou les sources sont inconnues"), tr("Erreur!"));
        return;
    }
    bool fait = false;
    {
        TravailLong travail(this, StatusBar1, 2, ButtonArreter);
        fait = A.Melanger(travail.Rappel(tr("Génération des mélanges")));
    }
    if (!fait) {
        MessageBox(tr("La génération des mélanges a été arrêtée par l'utilisateur : "
                      "les mélanges sont restés comme ils étaient."),
                   TitreApplication());
    }
}

void TForm1::ToutEffacer1Click() {
    // The core clears its data (the estimates, panels 3 to 5 and the boxes of every solve
    // stay: "Effacer le pavage" frees the boxes) and announces it; the views follow.
    A.ToutEffacer();
}

void TForm1::SuivreSignaux(unsigned changements) {
    if (changements & ChangementEffacement) {
        Decalage1X = Decalage1Y = Decalage2X = Decalage2Y = 0;
        SourcesAff->setChecked(true);
        OublierResolution();
        Button2->setVisible(true);
        FichierSource1->setVisible(false);
        FichierSource2->setVisible(false);
        // The allocator keeps freed blocks below its (self-raising) mapping threshold in its
        // heap: hand them back to the system.
        malloc_trim(0);
    }
    for (const int k : {1, 2}) {
        if (changements & (k == 1 ? ChangementSource1 : ChangementSource2)) {
            CocherOrigine(k);
        }
    }
    if (changements & ChangementMatrice) {
        // Mixtures read leave the editor empty, a session fills it; the texts being typed are
        // already there (a text set again would move the cursor).
        QLineEdit* const edits[4] = {Edit1, Edit2, Edit3, Edit4};
        for (std::size_t k = 0; k < 4; ++k) {
            const QString texte = QString::fromStdString(A.TextesMatrice[k]);
            if (edits[k]->text() != texte) {
                edits[k]->setText(texte);
            }
        }
    }
    if (!(changements & (ChangementSources | ChangementMelanges))) {
        return;
    }
    AfficherFrequences();
    // New mixtures are shown (a session without mixtures shows its sources), and so is a new
    // pair of sources; after "Tout Effacer" the check mark alone goes back to "Sources". Else
    // the panel of each signal changed paints it.
    const bool efface = changements & ChangementEffacement;
    const bool melanges = changements & ChangementMelanges;
    if (!efface && melanges) {
        if (A.MelangesGeneres) {
            MelangesAffClick();
        } else {
            SourcesAffClick();
        }
    } else if ((changements & ChangementSources) == ChangementSources && !efface &&
               !SourcesAff->isChecked()) {
        SourcesAffClick();
    } else {
        if (melanges || (changements & ChangementSource1)) {
            OpenGLPanel1->Repaint();
        }
        if (melanges || (changements & ChangementSource2)) {
            OpenGLPanel2->Repaint();
        }
    }
    RetenirCoches();
}

// Source k's menu shows where the source came from: its kind, or the item of its file (shown
// from then on, until "Tout Effacer"), or nothing checked.
void TForm1::CocherOrigine(int k) {
    const OrigineSignal& o = k == 1 ? A.OrigineSource1 : A.OrigineSource2;
    if (o.sorte == OrigineSignal::Sorte::Generee) {
        (k == 1 ? SortesSource1_ : SortesSource2_)[std::size_t(o.Type)]->setChecked(true);
    } else if (o.sorte == OrigineSignal::Sorte::Fichier) {
        QAction* item = k == 1 ? FichierSource1 : FichierSource2;
        const QString chemin = QFile::decodeName(o.Chemin.c_str());
        const QString nom = QFileInfo(chemin).fileName();
        const std::string& canal = k == 1 ? A.NomCanalSource1 : A.NomCanalSource2;
        item->setData(chemin);
        item->setText(canal.empty()
                          ? nom
                          : QStringLiteral("%1 (%2)").arg(nom, QString::fromStdString(canal)));
        item->setVisible(true);
        item->setChecked(true);
    } else {
        for (QAction* item : (k == 1 ? GroupeSource1_ : GroupeSource2_)->actions()) {
            item->setChecked(false);
        }
    }
}

// The captions under panels 1 and 2 name the files the signals shown came from.
void TForm1::AfficherFrequences() {
    const auto texte = [](const OrigineSignal& o, double frequence, const QString& prefixe) {
        if (o.sorte != OrigineSignal::Sorte::Fichier) {
            return QString();
        }
        return prefixe + QFileInfo(QString::fromStdString(o.Chemin)).fileName() +
               QStringLiteral(" — ") + QString::fromStdString(TexteFrequence(frequence));
    };
    const RecetteMelanges& r = A.RecetteMelangesCourante;
    if (r.sorte == RecetteMelanges::Sorte::Lues) {
        LabelFrequence1->setText(texte(r.Signal1, A.FrequenceMelanges, tr("x1 : ")));
        LabelFrequence2->setText(texte(r.Signal2, A.FrequenceMelanges, tr("x2 : ")));
    } else {
        LabelFrequence1->setText(texte(A.OrigineSource1, A.FrequenceSource1, QString()));
        LabelFrequence2->setText(texte(A.OrigineSource2, A.FrequenceSource2, QString()));
    }
}

void TForm1::EffacerPavage1Click() {
    const std::uint64_t avant = OctetsTenus();
    Resume6_->Oublier();
    OublierResolution();
    A.EffacerPavage();
    malloc_trim(0);
    const std::uint64_t liberes = avant - std::min(avant, OctetsTenus());
    StatusBar1->SetPanelText(
        2, tr("Pavage effacé : %1 libérés").arg(QString::fromStdString(TexteOctets(liberes))));
    OpenGLPanel6->Repaint();
}
