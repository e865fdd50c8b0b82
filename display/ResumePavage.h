// ResumePavage: the three box lists of the paving (pending, rejected, kept) rasterised into a
// view's TramePavage in a time bounded whatever their length. Up to SeuilResume boxes in all,
// every box is rasterised in draw order, as the view always did. Beyond that, a summary is
// built once for each new content of the lists (on the first paint that sees it):
//  - a grid of cells over the hull of the boxes, each cell listing the draw ranks of the
//    boxes that reach it, so that a view showing at most BudgetExact boxes rasterises exactly
//    those, in draw order, which gives the exact picture;
//  - a raster of the whole hull, up to CoteTrame cells a side, drawn with the view's own rules (the
//    picture of a view with one pixel per cell), sampled at the pixel centres of a view that
//    shows more boxes than that.
// A view (the paving panel, the analysis window) keeps its own ResumePavage.
#pragma once

#include "display/PavageRapide.h"
#include "display/VuePavage.h"

#include <cstdint>
#include <vector>

class BoxList;

class ResumePavage {
public:
    static constexpr std::uint64_t SeuilResume = std::uint64_t{1} << 22;
    static constexpr std::uint64_t BudgetExact = std::uint64_t{1} << 20;
    static constexpr int CoteTrame = 2048;

    ResumePavage() = default;
    // Other thresholds and raster side, e.g. to see both paths on small lists.
    ResumePavage(std::uint64_t seuil, std::uint64_t budget, int cote)
        : Seuil_(seuil), Budget_(budget), CoteTrame_(cote) {}

    // Rasterises the boxes of the three lists, projected by p, into `trame` (pending boxes
    // yellow, rejected blue, kept yellow, each with its outline), the first primitive at a
    // pixel staying. True when the picture is exact, false when it was sampled.
    bool Tramer(TramePavage& trame, const ProjectionPavage& p, const BoxList& enAttente,
                const BoxList& rejetees, const BoxList& solution);

    // Frees the summary; the next paint of many boxes builds it again.
    void Oublier();
    // True while a summary is held.
    bool Construit() const { return Construit_; }
    // Memory the summary holds, in bytes.
    std::uint64_t Octets() const;

private:
    struct Empreinte {
        const BoxList* liste = nullptr;
        std::uint64_t taille = 0;
        const void* premier = nullptr;
        const void* dernier = nullptr;
        double bornes[8] = {};
        bool operator==(const Empreinte&) const = default;
    };
    static Empreinte EmpreinteDe(const BoxList& l);

    // Frames the grid on the hull of the boxes, counts the boxes of each cell and draws the
    // raster; CompleterIndex places the ranks in the cells.
    void Construire(const BoxList* listes[3]);
    void CompleterIndex(const BoxList* listes[3]);
    // Calls action(box, list, rank, i0, i1, j0, j1) for every finite box, in draw order, with
    // the cells it spans.
    template <class Action> void Parcourir(const BoxList* listes[3], Action&& action) const;
    // Cell column (or row) of a parameter, clamped to the grid.
    int Colonne(double x) const;
    int Rangee(double y) const;

    std::uint64_t Seuil_ = SeuilResume;
    std::uint64_t Budget_ = BudgetExact;
    int CoteTrame_ = CoteTrame;
    int Cellules_ = 1; // side of the raster, at most CoteTrame_
    bool Construit_ = false;
    bool IndexComplet_ = false;
    Empreinte Empreintes_[3];
    std::uint64_t Tailles_[3] = {};
    double X0_ = 0, Y0_ = 0, PasX_ = 1, PasY_ = 1; // hull corner and cell size of the grid
    double ParPasX_ = 1, ParPasY_ = 1;             // their inverses
    int Cote_ = 1;                                 // cells per side of the grid
    std::vector<std::uint64_t> Debuts_;            // per cell, row-major: start in Rangs_
    std::vector<std::uint32_t> Rangs_;             // draw ranks, cell after cell
    std::vector<std::uint32_t> Grands_;  // boxes over many cells: considered by every view
    std::vector<std::uint64_t> Marques_; // one bit per rank, scratch of the exact paint
    TramePavage Trame_;                  // the whole hull, Cellules_ cells a side
};
