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
#include "signal/Alea.h"
#include "signal/Generateurs.h"
#include "signal/Memoire.h"
#include "sivia/Sivia.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <malloc.h>

#include <algorithm>

void TForm1::GenererSourceUn(TypeSource type, QAction* item) {
    if (GenererSourceLongue(1, type)) {
        item->setChecked(true);
        OpenGLPanel1->Repaint();
    }
}

void TForm1::GenererSourceDeux(TypeSource type, QAction* item) {
    if (GenererSourceLongue(2, type)) {
        item->setChecked(true);
        OpenGLPanel2->Repaint();
    }
}

// A stopped generation leaves the source, its menu and the generator as they were.
bool TForm1::GenererSourceLongue(int k, TypeSource type) {
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
    return fait;
}

void TForm1::BruitBlancGaussien1Click() {
    GenererSourceUn(TypeSource::BruitBlancGaussien, BruitBlancGaussien1);
}
void TForm1::BruitBlancUniforme1Click() {
    GenererSourceUn(TypeSource::BruitBlancUniforme, BruitBlancUniforme1);
}
void TForm1::Cosinus1Click() {
    GenererSourceUn(TypeSource::Cosinus, Cosinus1);
}
void TForm1::Sinus1Click() {
    GenererSourceUn(TypeSource::Sinus, Sinus1);
}
void TForm1::BruitColoreGaussien1Click() {
    GenererSourceUn(TypeSource::BruitColoreGaussien, BruitColoreGaussien1);
}
void TForm1::BruitBlancGaussien2Click() {
    GenererSourceDeux(TypeSource::BruitBlancGaussien, BruitBlancGaussien2);
}
void TForm1::BruitBlancUniforme2Click() {
    GenererSourceDeux(TypeSource::BruitBlancUniforme, BruitBlancUniforme2);
}
void TForm1::Cosinus2Click() {
    GenererSourceDeux(TypeSource::Cosinus, Cosinus2);
}
void TForm1::Sinus2Click() {
    GenererSourceDeux(TypeSource::Sinus, Sinus2);
}
void TForm1::BruitColoreGaussien2Click() {
    GenererSourceDeux(TypeSource::BruitColoreGaussien, BruitColoreGaussien2);
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

void TForm1::Edit1Change() {
    Button2->setVisible(true);
}
void TForm1::Edit2Change() {
    Button2->setVisible(true);
}
void TForm1::Edit3Change() {
    Button2->setVisible(true);
}
void TForm1::Edit4Change() {
    Button2->setVisible(true);
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
        return;
    }
    MelangesAffClick();
}

void TForm1::ToutEffacer1Click() {
    Decalage1X = Decalage1Y = Decalage2X = Decalage2Y = 0;
    for (QActionGroup* groupe : {GroupeSource1_, GroupeSource2_}) {
        for (QAction* item : groupe->actions()) {
            item->setChecked(false);
        }
    }
    SourcesAff->setChecked(true);
    OublierResolution();
    Button2->setVisible(true);
    // The core clears its data (the estimates, panels 3 to 5 and the boxes of every solve
    // stay: "Effacer le pavage" frees the boxes) and announces it.
    A.ToutEffacer();
    // The allocator keeps freed blocks below its (self-raising) mapping threshold in its heap:
    // hand them back to the system.
    malloc_trim(0);
    OpenGLPanel1->Repaint();
    OpenGLPanel2->Repaint();
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
