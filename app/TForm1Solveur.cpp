// Handlers around the solver: the Options dialog, "Solver", "Encadre", and the pointer over
// the paving image, which reads out the parameter pair (x, y) and estimates the sources there.
#include "app/TForm1.h"

#include "app/TForm2.h"
#include "app/TravailLong.h"
#include "app/toolkit/BoiteMessage.h"
#include "app/toolkit/Conversions.h"
#include "app/toolkit/TImage.h"
#include "app/toolkit/TRadioGroup.h"
#include "app/toolkit/TStatusBar.h"
#include "display/ResumePavage.h"
#include "display/TOpenGLPanel.h"
#include "signal/Memoire.h"
#include "sivia/Sivia.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include <algorithm>
#include <cmath>

double PointImageX = 0;
double PointImageY = 0;

namespace {

// Boxes classified between two looks at the clock: a few hundred microseconds of work, so a
// short solve pays nothing for the slices.
constexpr std::uint64_t BoitesParPas = 4096;
// Boxes panel 6's summary takes in at a time: a few milliseconds at most, even on a loaded
// machine (its rasters at several resolutions cost about a microsecond a box there), so that
// a step never outlasts the slice it is in by much.
constexpr std::uint64_t BoitesParTranche = std::uint64_t{1} << 12;

// Empties the pending list however the solve ends.
struct ViderEnAttente {
    ~ViderEnAttente() { Atelier::BoitesEnAttente().Clear(); }
};

// A count in words of the locale, without group separators; in powers of ten when huge.
QString TexteNombre(double n) {
    return n < 1e15 ? TexteLocal(n, 'f', 0) : TexteLocal(n, 'g', 4);
}

// "Résolution : 42,3 % de la surface classée — 1 234 567 boîtes/s — reste environ 12 s".
QString TexteProgresResolution(const ResolutionSivia& r, double secondes) {
    const double fait = r.FractionClassee();
    const double debit = secondes > 0 ? double(r.Resultat().NbPrises) / secondes : 0.0;
    QString texte = QCoreApplication::translate(
                        "TForm1", "Résolution : %1 % de la surface classée — %2 boîtes/s")
                        .arg(QLocale().toString(100.0 * fait, 'f', 1), TexteNombre(debit));
    if (fait > 0 && fait < 1) {
        texte += QCoreApplication::translate("TForm1", " — reste environ %1 s")
                     .arg(TexteNombre(std::ceil(secondes * (1 - fait) / fait)));
    }
    return texte + QCoreApplication::translate("TForm1", " — Échap pour arrêter");
}

// Why the settings cannot be solved, from the reason the settings table gives.
QString ObstacleResolution(const std::string& raisonReglage) {
    QString raison = QString::fromStdString(raisonReglage);
    raison[0] = raison[0].toUpper();
    return raison +
           QCoreApplication::translate("TForm1", " : corrigez-la dans Paramètres › Options.");
}

// Writes "X : x" and "Y : y" into a pair of labels. The y label keeps its place unless the x
// label has grown over it, and then moves just right of it, so both numbers stay readable.
void Legender(QLabel* etiquetteX, QLabel* etiquetteY, double x, double y) {
    etiquetteX->setText(QCoreApplication::translate("TForm1", "X : ") + FloatToStr(x));
    etiquetteX->adjustSize();
    etiquetteY->setText(QCoreApplication::translate("TForm1", "Y : ") + FloatToStr(y));
    etiquetteY->adjustSize();
    const int placeY = etiquetteY->property("placeInitiale").toInt();
    etiquetteY->move(std::max(placeY, etiquetteX->geometry().right() + 12), etiquetteY->y());
}

} // namespace

void TForm1::OptionsClick() {
    Form2 = new TForm2(this);
    Form2->show();
    Form2->Remplir();
}

void TForm1::Button1Click() {
    if (TravailLong::EnCours()) {
        return; // no second solve inside a running one
    }
    Image1->Repaint();
    using Obstacle = PreparationResolution::Obstacle;
    PreparationResolution p = A.PreparerResolution();
    switch (p.obstacle) {
    case Obstacle::Aucun:
        break;
    case Obstacle::MelangesInconnus:
        MessageBox(tr("Les signaux mélangés sont inconnus"), tr("Erreur!"));
        return;
    case Obstacle::Reglages:
        MessageBox(ObstacleResolution(p.Message), tr("Erreur!"));
        return;
    case Obstacle::Retards:
        MessageBox(QString::fromStdString(p.Message), tr("Erreur!"));
        return;
    case Obstacle::Memoire:
        MessageBox(QString::fromStdString(p.Message) +
                       tr(" « Choix des Sources › Effacer le pavage » rend la "
                          "mémoire des résolutions précédentes."),
                   tr("Erreur!"));
        return;
    }

    ResultatSivia resultat;
    double secondes = 0;
    double fraction = 0;
    {
        TravailLong travail(this, StatusBar1, 2, ButtonArreter);
        ViderEnAttente vider;
        Button1->hide();
        RadioGroup1->setEnabled(true);

        Box& boite = A.BoiteRecherche();
        boite = p.Boite;
        RepereImage.IntervalleX = boite[1];
        RepereImage.IntervalleY = boite[2];
        RepereImage.Image = &Image1->Canvas();
        RepereImage.DessinePave(boite, CouleurBlanche, CouleurBlanche, BrossePleine);

        // The lists may grow into what the budget leaves free.
        const std::uint64_t limite = MemoireLibre() / OctetsParBoiteStockee;
        DessinSivia dessin(RepereImage);
        ResolutionSivia resolution(boite, A.BoitesEnAttente(), A.BoitesRejetees(),
                                   A.BoitesSolution(), &dessin, p.Moments, p.Contraintes,
                                   A.ReglagesCourants.PrecisionSivia, A.ReglagesCourants.Stockage,
                                   limite, p.Retardes);
        // Slices of the solve alternate with slices in which panel 6's summary follows the
        // classified boxes (so that it is ready when the solve ends), each ended by a pause
        // in which the window answers: the window waits one slice at most, never both.
        const auto respirer = [&] {
            if (!travail.Respirer(TexteProgresResolution(resolution, travail.Duree() / 1000.0),
                                  [this] { Image1->update(); })) {
                resolution.Arreter();
            }
        };
        bool encore = true;
        while (encore) {
            while ((encore = resolution.Avancer(BoitesParPas)) && !travail.TrancheFinie()) {
            }
            if (!encore) {
                break;
            }
            respirer();
            while (!SuivrePavage(BoitesParTranche) && !travail.TrancheFinie()) {
            }
            if (travail.TrancheFinie()) {
                respirer();
            }
        }
        resultat = resolution.Resultat();
        fraction = resolution.FractionClassee();
        secondes = travail.Duree() / 1000.0;
        // A stopped solve leaves boxes it had not classified: gone before panel 6 paints.
        A.BoitesEnAttente().Clear();
        // What the summary still lacks (the last slice, or all of it after a solve that added
        // to many boxes of earlier ones); a stop leaves the rest to the next paints.
        bool suivre = true;
        while (suivre && !SuivrePavage(BoitesParTranche)) {
            suivre = !travail.TrancheFinie() ||
                     travail.Respirer(tr("Préparation de l'affichage du pavage — "
                                         "Échap pour arrêter"));
        }
        A.RetenirResultat(resultat);
        OpenGLPanel6->Repaint();

        if (A.ReglagesCourants.MontrerSolution) {
            DessinerBoiteSolution(CouleurNoire, CouleurBlanche);
        }
        Image1->update();
    }
    NoterResolution(resultat, secondes);

    if (resultat.Statut == StatutSivia::ArreteALaLimite) {
        MessageBox(tr("La résolution a été arrêtée avant la fin : la mémoire de "
                      "cette machine ne suffit pas pour poursuivre le pavage "
                      "(%1 boîtes classées). Les boîtes déjà tracées sont "
                      "conservées. Choisissez une précision moins fine ou une "
                      "boîte de recherche plus petite, ou rendez la mémoire des "
                      "résolutions précédentes par « Choix des Sources › Effacer "
                      "le pavage ».")
                       .arg(resultat.NbRejetees + resultat.NbGardees),
                   tr("Erreur!"));
    } else if (resultat.Statut == StatutSivia::ArreteParUtilisateur) {
        MessageBox(tr("La résolution a été arrêtée par l'utilisateur (%1 boîtes "
                      "classées, %2 % de la surface). Les boîtes déjà tracées sont "
                      "conservées.")
                       .arg(resultat.NbRejetees + resultat.NbGardees)
                       .arg(QLocale().toString(100.0 * fraction, 'f', 1)),
                   TitreApplication());
    }
}

bool TForm1::SuivrePavage(std::uint64_t boites) {
    const std::vector<CouchePavage> couches =
        ResumePavage::CouchesPanneau(A.BoitesEnAttente(), A.BoitesRejetees(), A.BoitesSolution());
    return Resume6_->Suivre(couches, boites, &A.BoiteRecherche());
}

void TForm1::Button4Click() {
    const BoxList& gardees = A.BoitesSolution();
    if (gardees.IsEmpty()) {
        return;
    }
    Box cadre = gardees.At(0);
    for (std::uint32_t i = 1; i < gardees.Size(); ++i) {
        cadre = Hull(gardees.At(i), cadre);
    }
    RepereImage.DessineContour(cadre, CouleurRouge, PlumePleine, 1);
    Image1->update();
}

// The parameter pair under a pixel of the image: the left column is BorneInfX, the right one
// BorneSupX, the top row BorneSupY and the bottom row BorneInfY, as the current bounds say.
std::pair<double, double> TForm1::ParametresPixel(int X, int Y) const {
    const double W = Image1->width();
    const double H = Image1->height();
    const Reglages& r = A.ReglagesCourants;
    return {double(r.BorneInfX) + X / (W - 1) * (double(r.BorneSupX) - double(r.BorneInfX)),
            double(r.BorneSupY) - Y / (H - 1) * (double(r.BorneSupY) - double(r.BorneInfY))};
}

void TForm1::Image1MouseMove(Qt::KeyboardModifiers, int X, int Y) {
    const auto [x, y] = ParametresPixel(X, Y);
    Legender(Label1, Label2, x, y);
    PointImageX = x;
    PointImageY = y;
    if (!A.ReglagesCourants.EstimationAuClic) {
        A.EstimerAuPoint(x, y);
    }
    AfficherDecorrelations();
}

void TForm1::EstimerAuPoint(double x, double y) {
    Legender(Label1, Label2, x, y);
    PointImageX = x;
    PointImageY = y;
    A.EstimerAuPoint(x, y);
    AfficherDecorrelations();
}

void TForm1::Image1MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y) {
    const auto [x, y] = ParametresPixel(X, Y);
    Legender(Label9, Label10, x, y);
    if (A.ReglagesCourants.EstimationAuClic) {
        A.EstimerAuPoint(x, y);
    }
    AfficherDecorrelations();
}

// The two decorrelation constraints at the point of the latest move: the solver's own
// functions on a box of single values, whose bounds are then the values themselves.
void TForm1::AfficherDecorrelations() {
    Box point(2, 0);
    point[1] = Interval(PointImageX);
    point[2] = Interval(PointImageY);
    Edit6->setText(FloatToStr(EvalDecorrelation(point, A.Moments()).Lower()));
    Edit7->setText(FloatToStr(EvalDecorrelationDerivees(point, A.Moments()).Lower()));
}

void TForm1::AfficherModeEstimation() {
    const bool auClic = A.ReglagesCourants.EstimationAuClic;
    Label9->setVisible(auClic);
    Label10->setVisible(auClic);
    Image1->setCursor(auClic ? Qt::CrossCursor : Qt::ArrowCursor);
}

void TForm1::DessinerBoiteSolution(Couleur pinceau, Couleur plume) {
    // Nothing before the first solve, and nothing when the matrix gives the demixing point no
    // finite place.
    if (const auto solution = BoiteSolution(A.MatriceMelange)) {
        RepereImage.DessinePave(*solution, pinceau, plume, BrossePleine);
        Image1->update();
    }
}
