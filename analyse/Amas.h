// Clusters of kept boxes: the connected components of a set of closed rectangles, two
// rectangles being connected when they meet (a shared edge or a single shared corner is
// enough), or, with a positive `ecart`, when the gap between them is at most `ecart` in
// both directions. For each cluster: its number of boxes, hull, centre, area, and whether
// it is extended.
//
// Cost: boxes of comparable size (every solve's kept boxes are within a factor of about 4)
// are placed on a grid whose cell is the largest side, so that boxes that meet lie in the
// same or adjacent cells; sorting the cells makes the whole run O(n log n). A box more than
// 4 times the median side (or with a non-finite bound) is compared with every other box.
#pragma once

#include "analyse/PointsVrais.h"
#include "signal/Avancement.h"
#include "sivia/BoxList.h"

#include <cstdint>
#include <optional>
#include <vector>

struct RectanglePlan {
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
};

// A cluster is extended when its hull is wider or taller than FacteurEtendu x precision.
// Around a regular root of two constraints the kept boxes form a blob a few to a few tens
// of boxes wide (the interval overestimate grows with the conditioning of the mixture:
// about 35 boxes for A = [[1, -0.7], [-0.6, 1]] at 0.01); where the constraints leave a
// region or curve of solutions (two white noises) the hull spans hundreds of boxes.
inline constexpr double FacteurEtendu = 50;

// A solve leaves single kept boxes one or two boxes away from the blob of a root (the
// boxes between were rejected against the best criterion met so far): the report joins
// boxes whose gap is at most FacteurVoisinage x precision into one solution.
inline constexpr double FacteurVoisinage = 3;

struct Amas {
    std::uint32_t NbBoites = 0;
    RectanglePlan Enveloppe;
    double Aire = 0; // sum of the areas of its boxes
    bool Etendu = false;

    PointPlan Centre() const {
        return {(Enveloppe.xmin + Enveloppe.xmax) / 2, (Enveloppe.ymin + Enveloppe.ymax) / 2};
    }
    bool Contient(PointPlan p) const {
        return Enveloppe.xmin <= p.x && p.x <= Enveloppe.xmax && Enveloppe.ymin <= p.y &&
               p.y <= Enveloppe.ymax;
    }
};

// Clusters by decreasing number of boxes (then by hull, left to right, bottom to top).
std::vector<Amas> GrouperRectangles(const std::vector<RectanglePlan>& boites, double precision,
                                    double ecart = 0);

// The two-component boxes of `boites` from position `premiere` on (the kept boxes of the
// latest solve are the last NbGardees of the list).
std::vector<RectanglePlan> Rectangles(const BoxList& boites, std::uint32_t premiere = 0);

std::vector<Amas> GrouperSolutions(const BoxList& boites, std::uint32_t premiere, double precision,
                                   double ecart = 0);

// The same, telling `avancement` the share done now and then (millions of boxes take
// seconds); nothing when it asks to stop.
std::optional<std::vector<RectanglePlan>> Rectangles(const BoxList& boites, std::uint32_t premiere,
                                                     const RappelAvancement& avancement);
std::optional<std::vector<Amas>> GrouperRectangles(const std::vector<RectanglePlan>& boites,
                                                   double precision, double ecart,
                                                   const RappelAvancement& avancement);
std::optional<std::vector<Amas>> GrouperSolutions(const BoxList& boites, std::uint32_t premiere,
                                                  double precision, double ecart,
                                                  const RappelAvancement& avancement);
