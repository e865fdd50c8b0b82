// Handlers around the solver: the Options dialog, "Solver", "Encadre", and the pointer over
// the paving image, which reads out the parameter pair (x, y) and estimates the sources there.
#include "app/TForm1.h"

#include "app/TForm2.h"
#include "app/signal/Memoire.h"
#include "app/toolkit/BoiteMessage.h"
#include "app/toolkit/Conversions.h"
#include "app/toolkit/TImage.h"
#include "app/toolkit/TRadioGroup.h"
#include "display/TOpenGLPanel.h"
#include "sivia/Sivia.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <chrono>
#include <cmath>

double PointImageX = 0;
double PointImageY = 0;

namespace {

// Restores the cursor and empties the pending list however the solve ends.
class FinResolution {
public:
    explicit FinResolution(QWidget* fenetre) : Fenetre(fenetre) {
        Fenetre->setCursor(Qt::BusyCursor);
    }
    ~FinResolution() {
        BoitesEnAttente.Clear();
        Fenetre->unsetCursor();
    }
    FinResolution(const FinResolution&) = delete;
    FinResolution& operator=(const FinResolution&) = delete;

private:
    QWidget* Fenetre;
};

// Why the settings cannot be solved, or an empty text when they can.
QString ObstacleResolution(double precision, const float bornes[4]) {
    if (!(precision > 0)) {
        return QStringLiteral("La précision pour SIVIA doit être un nombre strictement positif "
                              "(elle vaut %1) : choisissez-la dans Paramètres › Options.")
            .arg(FloatToStr(precision));
    }
    for (int i = 0; i < 4; ++i) {
        if (!std::isfinite(bornes[i])) {
            return QStringLiteral("Les bornes pour X et Y doivent être des nombres finis : "
                                  "corrigez-les dans Paramètres › Options.");
        }
    }
    return {};
}

// Writes "X : x" and "Y : y" into a pair of labels. The y label keeps its place unless the x
// label has grown over it, and then moves just right of it, so both numbers stay readable.
void Legender(QLabel* etiquetteX, QLabel* etiquetteY, double x, double y) {
    etiquetteX->setText(QStringLiteral("X : ") + FloatToStr(x));
    etiquetteX->adjustSize();
    etiquetteY->setText(QStringLiteral("Y : ") + FloatToStr(y));
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
    Image1->Repaint();
    if (!MelangesGeneres) {
        MessageBox(QStringLiteral("Les signaux mélangés sont inconnus"), QStringLiteral("Erreur!"));
        return;
    }
    const float bornes[4] = {BorneInfX, BorneSupX, BorneInfY, BorneSupY};
    if (const QString obstacle = ObstacleResolution(PrecisionSivia, bornes); !obstacle.isEmpty()) {
        MessageBox(obstacle, QStringLiteral("Erreur!"));
        return;
    }

    ResultatSivia resultat;
    double secondes = 0;
    {
        FinResolution fin(this);
        Button1->hide();
        RadioGroup1->setEnabled(true);

        BoiteRecherche[1] = Interval(BorneInfX, BorneSupX);
        BoiteRecherche[2] = Interval(BorneInfY, BorneSupY);
        RepereImage.IntervalleX = BoiteRecherche[1];
        RepereImage.IntervalleY = BoiteRecherche[2];
        RepereImage.Image = &Image1->Canvas();
        RepereImage.DessinePave(BoiteRecherche, CouleurBlanche, CouleurBlanche, BrossePleine);

        // The lists may hold as many boxes as half the available memory allows.
        const std::uint64_t limite = BudgetMemoire() / OctetsParBoiteStockee;
        const auto debut = std::chrono::steady_clock::now();
        resultat = ExecuterSivia(
            BoiteRecherche, BoitesEnAttente, BoitesRejetees, BoitesSolution, RepereImage, Moments(),
            {ContrainteDecorrelation, ContrainteDecorrelationDerivees, ContrainteMomentOrdre4},
            PrecisionSivia, Stockage, limite);
        secondes = std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
        DernierResultat = resultat;
        OpenGLPanel6->Repaint();

        if (MontrerSolution) {
            if (const auto solution = BoiteSolution(MatriceMelange)) {
                RepereImage.DessinePave(*solution, CouleurNoire, CouleurBlanche, BrossePleine);
            }
        }
        Image1->update();
    }
    NoterResolution(resultat, secondes);

    if (resultat.Statut == StatutSivia::ArreteALaLimite) {
        MessageBox(QStringLiteral("La résolution a été arrêtée avant la fin : la mémoire de "
                                  "cette machine ne suffit pas pour poursuivre le pavage "
                                  "(%1 boîtes classées). Les boîtes déjà tracées sont "
                                  "conservées. Choisissez une précision moins fine ou une "
                                  "boîte de recherche plus petite.")
                       .arg(resultat.NbRejetees + resultat.NbGardees),
                   QStringLiteral("Erreur!"));
    }
}

void TForm1::Button4Click() {
    if (BoitesSolution.IsEmpty()) {
        return;
    }
    Box cadre = BoitesSolution.At(0);
    for (std::uint32_t i = 1; i < BoitesSolution.Size(); ++i) {
        cadre = Hull(BoitesSolution.At(i), cadre);
    }
    RepereImage.DessineContour(cadre, CouleurRouge, PlumePleine, 1);
    Image1->update();
}

// The parameter pair under a pixel of the image: the left column is BorneInfX, the right one
// BorneSupX, the top row BorneSupY and the bottom row BorneInfY, as the current bounds say.
std::pair<double, double> TForm1::ParametresPixel(int X, int Y) const {
    const double W = Image1->width();
    const double H = Image1->height();
    return {double(BorneInfX) + X / (W - 1) * (double(BorneSupX) - double(BorneInfX)),
            double(BorneSupY) - Y / (H - 1) * (double(BorneSupY) - double(BorneInfY))};
}

void TForm1::Image1MouseMove(Qt::KeyboardModifiers, int X, int Y) {
    const auto [x, y] = ParametresPixel(X, Y);
    Legender(Label1, Label2, x, y);
    PointImageX = x;
    PointImageY = y;
    if (!EstimationAuClic && MelangesGeneres) {
        EstimerSources(x, y);
        RepeindrePanneauxEstimation();
    }
    AfficherDecorrelations();
}

void TForm1::EstimerAuPoint(double x, double y) {
    Legender(Label1, Label2, x, y);
    PointImageX = x;
    PointImageY = y;
    if (MelangesGeneres) {
        EstimerSources(x, y);
        RepeindrePanneauxEstimation();
    }
    AfficherDecorrelations();
}

void TForm1::Image1MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y) {
    const auto [x, y] = ParametresPixel(X, Y);
    Legender(Label9, Label10, x, y);
    if (EstimationAuClic && MelangesGeneres) {
        EstimerSources(x, y);
        RepeindrePanneauxEstimation();
    }
    AfficherDecorrelations();
}

// The two decorrelation constraints at the point of the latest move, in double arithmetic
// and in the order the solver evaluates them.
void TForm1::AfficherDecorrelations() {
    const double x = PointImageX;
    const double y = PointImageY;
    Edit6->setText(FloatToStr(((y * Ex1x1 + Ex1x2) + (x * y) * Ex1x2) + x * Ex2x2));
    Edit7->setText(FloatToStr(((y * Edx1dx1 + Edx1dx2) + (x * y) * Edx1dx2) + x * Edx2dx2));
}

void TForm1::EstimerSources(double x, double y) {
    SourcesEstimees e =
        CalculerSourcesEstimees(x, y, Melange1, Melange2, NbEchantillons, PasEchantillonnage);
    SourceEstimee1 = std::move(e.SourceEstimee1);
    SourceEstimee2 = std::move(e.SourceEstimee2);
    DeriveeEstimee1 = std::move(e.DeriveeEstimee1);
    DeriveeEstimee2 = std::move(e.DeriveeEstimee2);
}
