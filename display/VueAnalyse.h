// TVueAnalyse: the large view of a paving with axes, for the analysis window. Rejected and
// kept boxes in the main window's colours are rasterised by the fast paving path (one pass
// over the lists, no call per box to the painter), then axes with ticks and labels, the
// true points, the exact roots, the clusters' hulls with their numbers, the classic methods'
// points with their names and, when asked, the mean-SIR map under the boxes with its dB scale
// are painted over it. The legend sits in a strip above the plotting area, so that it never
// hides the search box.
// Both axes share one scale. Wheel: zoom about the pointer; left drag: pan; Ajuster: fit.
// The view owns its zoom and pan and reports the plane point under the pointer.
#pragma once

#include "analyse/Amas.h"
#include "analyse/CarteSir.h"
#include "analyse/PointsVrais.h"
#include "display/PavageRapide.h"
#include "display/ResumePavage.h"
#include "sivia/BoxList.h"

#include <QWidget>

#include <optional>
#include <vector>

// A point of a classic separation method, under its name.
struct MarqueurMethode {
    PointPlan Point;
    QString Nom;
};

struct MarqueursAnalyse {
    std::optional<PointPlan> PointDirect, PointPermute, Racine1, Racine2;
    std::vector<Amas> Groupes; // numbered from 1 in this order
    std::vector<MarqueurMethode> Methodes;
};

class TVueAnalyse : public QWidget {
    Q_OBJECT
public:
    explicit TVueAnalyse(QWidget* parent = nullptr);

    // Shows boxes [premiereRejetee, end) of `rejetees` and [premiereGardee, end) of `gardees`
    // over the search box. The lists are not owned: call EffacerPavage before they change.
    void DefinirPavage(const RectanglePlan& recherche, const BoxList* rejetees,
                       std::uint32_t premiereRejetee, const BoxList* gardees,
                       std::uint32_t premiereGardee);
    void EffacerPavage();
    // Summarises the boxes shown, however many, before a paint that must be whole (an image
    // written to a file); on screen, a paint of many boxes does a bounded step of it and
    // paints again.
    void PreparerPavage();
    // Memory the summary of many boxes holds, in bytes.
    std::uint64_t OctetsResume() const { return Resume_.Octets(); }
    void DefinirMarqueurs(MarqueursAnalyse m);
    void DefinirCarte(CarteSir carte); // an empty map hides it
    void AfficherCarte(bool afficher);
    void SelectionnerAmas(int indice); // -1: none

    // Fits the search box (or [-5, 5]^2 without a paving) into the plotting area.
    void Ajuster();

    // The plotting area in widget pixels, and the mapping between it and the plane.
    QRect ZoneTrace() const;
    // The legend's frame, above the plotting area.
    QRect CadreLegende() const;
    // The classic methods' names as painted: markers closer than a few pixels share one label
    // listing their names, and labels are moved apart from one another (zooming in separates
    // the points and gives each its own).
    struct EtiquetteMethodes {
        QRect Cadre;
        QString Texte;
        std::vector<std::size_t> Marqueurs; // indices into the markers' Methodes
        QPointF Ancre;                      // the first marker's pixel
    };
    std::vector<EtiquetteMethodes> EtiquettesMethodes() const;
    QPointF VersEcran(double x, double y) const;
    PointPlan VersPlan(QPointF p) const;
    double Echelle() const { return Echelle_; } // pixels per unit, on both axes
    PointPlan Centre() const { return {CentreX_, CentreY_}; }
    // Centres the view on (x, y) at `echelle` pixels per unit, within the zoom's limits.
    void DefinirVue(double x, double y, double echelle);

    // The ticks of the x axis (left to right) or of the y axis (bottom to top) as painted:
    // the pixel column or row of each and its label.
    struct TraitAxe {
        int Pixel;
        QString Texte;
    };
    std::vector<TraitAxe> TraitsAxe(bool axeY) const;

signals:
    void PointSurvole(double x, double y);
    void PointClique(double x, double y);

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    void Tramer(const QRect& zone);
    std::vector<CouchePavage> Couches() const;
    Box CadreRecherche() const;
    void PeindreAxes(class QPainter& p, const QRect& zone) const;
    // Keeps the centre finite and the scale where doubles still tell pixels apart.
    void BornerVue();
    void PeindreMarqueurs(class QPainter& p) const;
    void PeindreLegende(class QPainter& p) const;
    // The legend's entries laid out in rows over `largeur` pixels: their frame's height.
    int HauteurLegende(int largeur) const;
    void PeindreEchelleCarte(class QPainter& p, const QRect& zone) const;

    RectanglePlan Recherche_{-5, 5, -5, 5};
    bool AvecPavage_ = false;
    const BoxList* Rejetees_ = nullptr;
    const BoxList* Gardees_ = nullptr;
    std::uint32_t PremiereRejetee_ = 0, PremiereGardee_ = 0;
    MarqueursAnalyse Marqueurs_;
    CarteSir Carte_;
    bool AfficherCarte_ = false;
    int AmasSelectionne_ = -1;

    double CentreX_ = 0, CentreY_ = 0, Echelle_ = 1;
    bool AjusterAuProchainTrace_ = true;
    bool Ajuste_ = true; // no zoom or pan since the last fit: a resize fits again
    bool Glisse_ = false;
    QPoint Appui_, Dernier_;
    TramePavage Trame_;
    ResumePavage Resume_;
    std::vector<std::uint32_t> Image_;
    // The raster is rebuilt only when the paving, the map, the size or the view changed:
    // markers, selection and readout repaint over the same one.
    struct CleTrame {
        int W = -1, H = -1;
        double cx = 0, cy = 0, s = 0;
        bool carte = false;
        std::uint64_t version = 0;
        bool operator==(const CleTrame&) const = default;
    };
    CleTrame CleTrame_;
    std::uint64_t Version_ = 1;
};
