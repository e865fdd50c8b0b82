// Handlers of the plots: display modes, superposition and scales, pan, zoom, and the
// rendering events of panels 1 to 5.
#include "app/TForm1.h"

#include "app/TravailLong.h"

#include "app/toolkit/Conversions.h"
#include "app/toolkit/TImage.h"
#include "app/toolkit/TRadioGroup.h"
#include "app/toolkit/TStatusBar.h"
#include "display/Pavage.h"
#include "display/ResumePavage.h"
#include "display/TOpenGLPanel.h"
#include "display/Traces.h"
#include "sivia/Sivia.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>

#include <GL/gl.h>
#include <QActionGroup>

void TForm1::ChoisirAffichage(QAction* item, const QString& titre1, const QString& titre2) {
    item->setChecked(true);
    Label3->setText(titre1);
    Label3->adjustSize();
    Label4->setText(titre2);
    Label4->adjustSize();
    OpenGLPanel1->Repaint();
    OpenGLPanel2->Repaint();
}

void TForm1::SourcesAffClick() {
    ChoisirAffichage(SourcesAff, tr("Source 1"), tr("Source 2"));
}

void TForm1::MelangesAffClick() {
    ChoisirAffichage(MelangesAff, tr("Mélange 1"), tr("Mélange 2"));
}

void TForm1::DeriveeAffClick() {
    ChoisirAffichage(DeriveeAff, tr("Dérivée du Mélange 1"), tr("Dérivée du Mélange 2"));
}

void TForm1::RepeindrePanneauxEstimation() {
    OpenGLPanel3->Repaint();
    OpenGLPanel4->Repaint();
    OpenGLPanel5->Repaint();
}

// After a wheel step: at the event loop's next turn, so that a burst of steps paints once.
void TForm1::RepeindreTousLesPanneaux() {
    for (TOpenGLPanel* panneau :
         {OpenGLPanel1, OpenGLPanel2, OpenGLPanel3, OpenGLPanel4, OpenGLPanel5, OpenGLPanel6}) {
        panneau->RepaintDiffere();
    }
}

void TForm1::RadioGroup1Click() {
    const int item = RadioGroup1->ItemIndex();
    const bool sources = item == 0 || item == 2;
    Label6->setText(sources ? tr("Source Estimée 1") : tr("Dérivée Source Estimée 1"));
    Label6->adjustSize();
    Label7->setText(sources ? tr("Source Estimée 2") : tr("Dérivée Source Estimée 2"));
    Label7->adjustSize();
    RepeindrePanneauxEstimation();
}

void TForm1::CheckBox1Click() {
    if (!A.MelangesGeneres) {
        // The real sources cannot be superposed before the mixtures exist.
        CheckBox1->setChecked(false);
    } else if (CheckBox1->isChecked()) {
        for (QWidget* w : {static_cast<QWidget*>(ScrollBar1), static_cast<QWidget*>(ScrollBar2),
                           static_cast<QWidget*>(Label12), static_cast<QWidget*>(Label13),
                           static_cast<QWidget*>(Label9), static_cast<QWidget*>(Label10)}) {
            w->setVisible(true);
        }
        // Superposing goes to the estimates at the click, with its cross-hair cursor.
        Reglages auClic = A.ReglagesCourants;
        auClic.EstimationAuClic = true;
        A.AdopterReglages(auClic);
    } else {
        for (QWidget* w : {static_cast<QWidget*>(ScrollBar1), static_cast<QWidget*>(ScrollBar2),
                           static_cast<QWidget*>(Label12), static_cast<QWidget*>(Label13)}) {
            w->setVisible(false);
        }
    }
    RepeindrePanneauxEstimation();
}

void TForm1::ScrollBar1Change() {
    Echelle1 = ScrollBar1->value() * 0.01;
    ScrollBar1->setToolTip(FloatToStr(Echelle1));
    RepeindrePanneauxEstimation();
}

void TForm1::ScrollBar2Change() {
    Echelle2 = ScrollBar2->value() * 0.01;
    ScrollBar2->setToolTip(FloatToStr(Echelle2));
    RepeindrePanneauxEstimation();
}

void TForm1::FormMouseWheelDown() {
    if (*ProfondeurActive >= -10) {
        *ProfondeurActive -= 0.1;
    }
    RepeindreTousLesPanneaux();
}

void TForm1::FormMouseWheelUp() {
    if (*ProfondeurActive <= -1.1) {
        *ProfondeurActive += 0.1;
    }
    RepeindreTousLesPanneaux();
}

void TForm1::OpenGLPanel1MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y) {
    SourisX = X;
    SourisY = Y;
}

void TForm1::OpenGLPanel1MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y) {
    Glisser1X = X - SourisX;
    Glisser1Y = SourisY - Y;
    OpenGLPanel1->Repaint();
    Glisser1X = Glisser1Y = 0;
}

void TForm1::OpenGLPanel1DblClick() {
    Decalage1X = Decalage1Y = 0;
}

void TForm1::OpenGLPanel2MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y) {
    SourisX = X;
    SourisY = Y;
}

void TForm1::OpenGLPanel2MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y) {
    Glisser2X = X - SourisX;
    Glisser2Y = SourisY - Y;
    OpenGLPanel2->Repaint();
    Glisser2X = Glisser2Y = 0;
}

void TForm1::OpenGLPanel2DblClick() {
    Decalage2X = Decalage2Y = 0;
}

namespace {

std::span<const double> Aucun() {
    return {};
}

} // namespace

void TForm1::OpenGLPanel1Init() {
    InitialiserTrace(OpenGLPanel1->LargeurPixels(), OpenGLPanel1->HauteurPixels());
}
void TForm1::OpenGLPanel1Resize() {
    RedimensionnerTrace(OpenGLPanel1->LargeurPixels(), OpenGLPanel1->HauteurPixels());
}
void TForm1::OpenGLPanel2Init() {
    InitialiserTrace(OpenGLPanel2->LargeurPixels(), OpenGLPanel2->HauteurPixels());
}
void TForm1::OpenGLPanel2Resize() {
    RedimensionnerTrace(OpenGLPanel2->LargeurPixels(), OpenGLPanel2->HauteurPixels());
}
void TForm1::OpenGLPanel3Init() {
    InitialiserTrace(OpenGLPanel3->LargeurPixels(), OpenGLPanel3->HauteurPixels());
}
void TForm1::OpenGLPanel3Resize() {
    RedimensionnerTrace(OpenGLPanel3->LargeurPixels(), OpenGLPanel3->HauteurPixels());
}
void TForm1::OpenGLPanel4Init() {
    InitialiserTrace(OpenGLPanel4->LargeurPixels(), OpenGLPanel4->HauteurPixels());
}
void TForm1::OpenGLPanel4Resize() {
    RedimensionnerTrace(OpenGLPanel4->LargeurPixels(), OpenGLPanel4->HauteurPixels());
}
void TForm1::OpenGLPanel5Init() {
    InitialiserTrace(OpenGLPanel5->LargeurPixels(), OpenGLPanel5->HauteurPixels());
}
void TForm1::OpenGLPanel5Resize() {
    RedimensionnerTrace(OpenGLPanel5->LargeurPixels(), OpenGLPanel5->HauteurPixels());
}

// Panels 1 and 2: the source, the mixture or its derivative, per the "Affichage" menu; the
// markers appear once a kind has been chosen for the source. A pending drag pans the plot.
void TForm1::PeindreSignal(const QActionGroup* sortes, const std::vector<double>& source,
                           const std::vector<double>& melange, const std::vector<double>& derivee,
                           double glisserX, double glisserY, double& decalageX, double& decalageY,
                           double profondeur) {
    const std::vector<double>& a = MelangesAff->isChecked()  ? melange
                                   : DeriveeAff->isChecked() ? derivee
                                                             : source;
    decalageX += 0.2 * glisserX;
    decalageY += 0.2 * glisserY;
    PeindreTemporel(sortes->checkedAction() != nullptr ? std::span<const double>(a) : Aucun(),
                    A.ReglagesCourants.NbEchantillons, A.PasEchantillonnage, decalageX, decalageY,
                    profondeur);
}

void TForm1::OpenGLPanel1Paint() {
    PeindreSignal(GroupeSource1_, A.Source1, A.MelangesCourants.Melange1,
                  A.MelangesCourants.DeriveeMelange1, Glisser1X, Glisser1Y, Decalage1X, Decalage1Y,
                  Profondeur1);
}

void TForm1::OpenGLPanel2Paint() {
    PeindreSignal(GroupeSource2_, A.Source2, A.MelangesCourants.Melange2,
                  A.MelangesCourants.DeriveeMelange2, Glisser2X, Glisser2Y, Decalage2X, Decalage2Y,
                  Profondeur2);
}

// Panels 3 and 4: the estimated source or its derivative per RadioGroup1, with the real
// source in red, scaled, when the superposition is on and the mixtures exist.
void TForm1::PeindreEstimation(const std::vector<double>& estimee,
                               const std::vector<double>& derivee,
                               const std::vector<double>& source, double echelle,
                               double profondeur) {
    const int item = RadioGroup1->ItemIndex();
    const std::span<const double> noir = item == 0   ? std::span<const double>(estimee)
                                         : item == 1 ? std::span<const double>(derivee)
                                                     : Aucun();
    const bool superposer = CheckBox1->isChecked() && A.MelangesGeneres;
    PeindreTemporel(noir, A.ReglagesCourants.NbEchantillons, A.PasEchantillonnage, 0, 0, profondeur,
                    superposer ? std::span<const double>(source) : Aucun(), echelle);
}

void TForm1::OpenGLPanel3Paint() {
    PeindreEstimation(A.Estimees.SourceEstimee1, A.Estimees.DeriveeEstimee1, A.Source1, Echelle1,
                      Profondeur3);
}

void TForm1::OpenGLPanel4Paint() {
    PeindreEstimation(A.Estimees.SourceEstimee2, A.Estimees.DeriveeEstimee2, A.Source2, Echelle2,
                      Profondeur4);
}

// Panel 5: estimated source 2 against estimated source 1, or derivative against derivative.
void TForm1::OpenGLPanel5Paint() {
    const int item = RadioGroup1->ItemIndex();
    const bool sources = item == 0;
    const bool trace = item == 0 || item == 1;
    PeindreConjointe(trace ? std::span<const double>(sources ? A.Estimees.SourceEstimee1
                                                             : A.Estimees.DeriveeEstimee1)
                           : Aucun(),
                     trace ? std::span<const double>(sources ? A.Estimees.SourceEstimee2
                                                             : A.Estimees.DeriveeEstimee2)
                           : Aucun(),
                     A.ReglagesCourants.NbEchantillons, A.PasEchantillonnage, Profondeur5);
}

void TForm1::OpenGLPanel6Init() {
    InitialiserPavage(OpenGLPanel6->LargeurPixels(), OpenGLPanel6->HauteurPixels());
}

// The size in logical pixels, those of the pointer: on a scaled display the panel's device
// pixels would misplace the readout.
VuePavage TForm1::Vue6() const {
    return {Decalage6X, Decalage6Y, Profondeur6, OpenGLPanel6->width(), OpenGLPanel6->height()};
}

// Panel 6: the paving of every solve since start-up, centred on the search box.
void TForm1::OpenGLPanel6Paint() {
    Edit6->setText(FloatToStr(Profondeur6));
    const EtatTrame etat = PeindrePavage(A.BoiteRecherche(), A.BoitesEnAttente(),
                                         A.BoitesRejetees(), A.BoitesSolution(), Vue6(), *Resume6_);
    if (etat == EtatTrame::Partielle) {
        // The picture of many boxes is not whole: it fills in over the next paints, each a
        // bounded step, and the window answers in between. During a solve the lists change
        // from slice to slice: a picture in progress is shown as often as the progress.
        QTimer::singleShot(TravailLong::EnCours() ? TravailLong::PeriodeAffichageMs : 0,
                           OpenGLPanel6, [this] { OpenGLPanel6->update(); });
    }
    if (OpenGLPanel6->underMouse()) {
        AfficherPositionPavage();
    }
}

void TForm1::OpenGLPanel6DblClick() {
    Decalage6X = Decalage6Y = 0;
    OpenGLPanel6->Repaint();
}

void TForm1::OpenGLPanel6MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y) {
    SourisX = X;
    SourisY = Y;
    Glisser6EnCours = true;
}

void TForm1::OpenGLPanel6MouseMove(Qt::KeyboardModifiers, int X, int Y) {
    if (Glisser6EnCours) {
        Glisser6X = (X - SourisX) * 0.05;
        Glisser6Y = (SourisY - Y) * 0.05;
        Decalage6X += Glisser6X;
        Decalage6Y += Glisser6Y;
        SourisX = X;
        SourisY = Y;
        OpenGLPanel6->Repaint();
    }
    PointeurPavageX_ = X;
    PointeurPavageY_ = Y;
    AfficherPositionPavage();
}

void TForm1::OpenGLPanel6MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    Glisser6EnCours = false;
    SourisX = SourisY = 0;
}

// The parameter pair under the pointer, by the view's own transformation, in the first two
// panels of the status bar; nothing changes where no parameter shows under the pointer.
void TForm1::AfficherPositionPavage() {
    const PositionPavage p =
        PositionSousPointeur(PointeurPavageX_, PointeurPavageY_, A.BoiteRecherche(), Vue6());
    if (p.valide) {
        StatusBar1->SetPanelText(0, FloatToStr(p.x));
        StatusBar1->SetPanelText(1, FloatToStr(p.y));
    }
}
