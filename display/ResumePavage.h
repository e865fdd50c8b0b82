// ResumePavage: the boxes of a paving rasterised into a view's TramePavage in a time bounded
// whatever their number. The boxes come as layers (CouchePavage), drawn one after the other,
// each in list order, the first primitive at a pixel staying. Up to SeuilResume boxes in all,
// every box is rasterised, as the views always did. Beyond that, the layers that only grow
// (the classified boxes) are summarised a bounded step at a time: by Suivre, which a solve
// calls between its slices so that the summary is ready when it ends, and by each paint that
// finds the summary behind (the picture then misses the boxes not yet summarised, and the
// view paints again). The summary of a layer is:
//  - the hull of each run of BoitesParMorceau consecutive boxes. The solver lists its boxes in
//    an order that keeps such runs compact, so a view whose runs in sight hold at most
//    BudgetExact boxes rasterises those runs, in draw order, which gives the exact picture;
//  - rasters of CoteTrame, CoteTrame / 2, ... cells a side (NiveauxTrame of them) over a
//    frame that holds every box, each drawn with the view's own rules (the picture of a view
//    with one pixel per cell), and the one whose cells are closest to the view's pixels
//    sampled at the pixel centres of a view whose runs in sight hold more boxes than that.
//    Boxes smaller than a pixel show their outlines, larger ones their fill: only a raster
//    of about the view's resolution tells which.
// A layer that also shrinks (the pending boxes, during a solve) is drawn box by box, up to
// BudgetExact boxes. A view (the paving panel, the analysis window) keeps its own summary.
// A paint rasterises at most BoitesParPeinture boxes, so that the window answers in between:
// when there are more to draw, it keeps the picture so far and says so (Partielle), and the
// next paint of the same lists in the same view goes on from there, ending with the picture
// of a paint in one go.
#pragma once

#include "display/PavageRapide.h"
#include "display/VuePavage.h"

#include <cstdint>
#include <span>
#include <vector>

class BoxList;

// Boxes [Premiere, end) of a list, with the colours and the rules they are drawn with.
struct CouchePavage {
    const BoxList* Liste = nullptr;
    std::uint32_t Premiere = 0;
    CouleurPavage Fond = Jaune;
    CouleurPavage Contour = Blanche; // Aucune: no outline
    // The outline before the fill (the analysis window), or after it (the paving panel).
    bool ContourDAbord = false;
    // Outlines only once the layer's first box is at least this many pixels wide (0: always).
    double ContourDes = 0;
    // The list only grows while it is shown: summarised. Otherwise drawn box by box.
    bool Croissante = true;
    // Boxes narrower or flatter than a pixel are widened about their centre to one pixel,
    // so that none vanishes (the kept boxes, which are few and what the user looks for).
    bool AuMoinsUnPixel = false;
    bool operator==(const CouchePavage&) const = default;
};

enum class EtatTrame {
    Exacte,         // the picture of every box
    Echantillonnee, // read from the summary rasters (or a pending list cut at the budget)
    Partielle       // some boxes are missing (summary behind, paint budget spent): paint again
};

class ResumePavage {
public:
    static constexpr std::uint64_t SeuilResume = std::uint64_t{1} << 22;
    static constexpr std::uint64_t BudgetExact = std::uint64_t{1} << 21;
    static constexpr int CoteTrame = 2048;
    static constexpr int NiveauxTrame = 5; // down to CoteTrame / 16 cells a side
    static constexpr std::uint32_t BoitesParMorceau = 8192;
    // Boxes a paint summarises when it finds the summary behind (each costs a rasterisation
    // at every resolution of the summary: about a microsecond on a loaded machine).
    static constexpr std::uint64_t PasParPeinture = std::uint64_t{1} << 15;
    // Boxes a paint rasterises at most into the view (about 0.1 microsecond each).
    static constexpr std::uint64_t BoitesParPeinture = std::uint64_t{1} << 18;

    ResumePavage() = default;
    // Other thresholds, raster side and steps, e.g. to see both paths on small lists.
    ResumePavage(std::uint64_t seuil, std::uint64_t budget, int cote,
                 std::uint64_t pas = PasParPeinture, std::uint64_t peinture = BoitesParPeinture)
        : Seuil_(seuil), Budget_(budget), CoteTrame_(cote), Pas_(pas), Peinture_(peinture) {}

    // The three lists of the paving panel: kept boxes yellow (at least a pixel wide), pending
    // yellow, rejected blue, each with its outline (white, white, black) drawn over its fill.
    static std::vector<CouchePavage>
    CouchesPanneau(const BoxList& enAttente, const BoxList& rejetees, const BoxList& solution);

    // Summarises at most `boites` more boxes of the growing layers. `cadre`, when given (the
    // search box), is taken into the raster's frame, so that the boxes still to come from the
    // solve fall inside it. True when every box is summarised (or too few need a summary).
    bool Suivre(std::span<const CouchePavage> couches, std::uint64_t boites,
                const Box* cadre = nullptr);

    // Rasterises the layers, projected by p, into `trame` (`cadre` as for Suivre).
    EtatTrame Tramer(TramePavage& trame, const ProjectionPavage& p,
                     std::span<const CouchePavage> couches, const Box* cadre = nullptr);
    EtatTrame Tramer(TramePavage& trame, const ProjectionPavage& p, const BoxList& enAttente,
                     const BoxList& rejetees, const BoxList& solution, const Box* cadre = nullptr);

    // Frees the summary and any picture in progress; the boxes are summarised again from the
    // start.
    void Oublier();
    // True while a summary is held.
    bool Construit() const { return !Suivis_.empty(); }
    // True while a paint stopped on its budget waits for the next one to go on.
    bool PeintureEnCours() const { return Reprise_.active; }
    // Memory the summary holds, in bytes.
    std::uint64_t Octets() const;

private:
    // The hull of boxes [debut, fin) of a list (empty while x0 > x1).
    struct Morceau {
        double x0, x1, y0, y1;
        std::uint32_t debut, fin;
    };
    struct Suivi {
        CouchePavage couche;
        std::uint64_t places = 0;  // boxes [Premiere, Premiere + places) are in the runs
        std::uint64_t tramees = 0; // ... and the first `tramees` of them in the raster
        double bornesPremiere[4] = {}, bornesDerniere[4] = {};
        std::vector<Morceau> morceaux;
        TramePavage trames[NiveauxTrame]; // CoteTrame_ >> level cells a side
        bool contourTrame[NiveauxTrame] = {};
    };

    // What a paint draws: the view, the path and, for each layer, enough to tell that its
    // boxes are the same (count, first and last box). A paint stopped on its budget goes on
    // only while this holds.
    struct Empreinte {
        int W = 0, H = 0;
        double ax = 0, bx = 0, ay = 0, by = 0;
        int chemin = 0;
        struct Couche {
            CouchePavage couche;
            std::uint64_t taille;
            double premiere[4], derniere[4];
        };
        std::vector<Couche> couches;
        bool operator==(const Empreinte& e) const;
    };
    // The picture of a paint stopped on its budget, and where it stopped.
    struct Reprise {
        bool active = false;
        Empreinte empreinte;
        EtatTrame etat = EtatTrame::Exacte;
        std::size_t couche = 0;
        std::uint64_t boite = 0; // from the layer's Premiere
        TramePavage trame;
    };

    static bool Concorde(const Suivi& s, const CouchePavage& c);
    bool Commencer(std::span<const CouchePavage> couches);
    void Placer(Suivi& s, std::uint64_t& boites);
    void Cadrer();
    void TramerSuivi(Suivi& s, std::uint64_t& boites);
    int Niveaux() const; // rasters held: fewer when CoteTrame_ is small
    bool AJour() const;

    std::uint64_t Seuil_ = SeuilResume;
    std::uint64_t Budget_ = BudgetExact;
    int CoteTrame_ = CoteTrame;
    std::uint64_t Pas_ = PasParPeinture;
    std::uint64_t Peinture_ = BoitesParPeinture;
    Reprise Reprise_;
    std::vector<Suivi> Suivis_; // one per growing layer, in draw order
    bool Cadre_ = false;        // the rasters are framed
    bool Recadrer_ = false;     // a box fell outside the frame: frame and raster again
    bool AvecIndice_ = false;
    double Indice_[4] = {};                    // the latest `cadre` of Suivre
    double X0_ = 0, X1_ = 1, Y0_ = 0, Y1_ = 1; // the rasters' frame
    double PasX_ = 1, PasY_ = 1;               // and the size of their cells
};
