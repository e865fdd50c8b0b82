// The per-pixel raster of the fast paving paint, without a display.
#include "display/PavageRapide.h"
#include "support/AideIntervalles.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <set>
#include <utility>

namespace {

using Pixels = std::set<std::pair<int, int>>;

Pixels Atteints(const TramePavage& t) {
    Pixels p;
    for (int y = 0; y < t.Hauteur(); ++y) {
        for (int x = 0; x < t.Largeur(); ++x) {
            if (t.At(x, y) != Aucune) {
                p.insert({x, y});
            }
        }
    }
    return p;
}

} // namespace

TEST(TramePavage, FillTakesThePixelCentresInsideLeftAndBottomEdgesIncluded) {
    struct Cas {
        double xa, xb, ya, yb;
        Pixels attendu;
    };
    const Cas cas[] = {
        {0.2, 2.7, 0.2, 1.4, {{0, 0}, {1, 0}, {2, 0}}},
        {2.7, 0.2, 1.4, 0.2, {{0, 0}, {1, 0}, {2, 0}}}, // corners in either order
        {0.5, 2.5, 0.5, 1.5, {{0, 0}, {1, 0}}},         // centres on the right/top edges: out
        {0.5, 0.5, 0.5, 3.5, {}},                       // no width
        {0.6, 1.4, 0.6, 1.4, {}},                       // holds no centre
        {1.4, 1.6, 2.4, 2.6, {{1, 2}}},                 // smaller than a pixel, around a centre
        {0.5 + 1.0 / 1024, 1.6, 0.5, 1.6, {{0, 0}, {1, 0}, {0, 1}, {1, 1}}}, // snapped onto 0.5
        {-100, 100, 2.2, 2.9, {{0, 2}, {1, 2}, {2, 2}, {3, 2}}},             // clipped
    };
    for (const Cas& c : cas) {
        TramePavage t;
        t.Preparer(4, 4);
        t.Remplir(c.xa, c.xb, c.ya, c.yb, Jaune);
        EXPECT_EQ(Atteints(t), c.attendu) << c.xa << " " << c.xb << " " << c.ya << " " << c.yb;
    }
}

TEST(TramePavage, SegmentsFollowTheDiamondExitRule) {
    struct Cas {
        double xa, ya, xb, yb;
        Pixels attendu;
    };
    const Cas cas[] = {
        // Horizontal through row 2: the pixel holding the end point in its diamond is left out.
        {0.2, 2.5, 3.7, 2.5, {{0, 2}, {1, 2}, {2, 2}}},
        {3.7, 2.5, 0.2, 2.5, {{1, 2}, {2, 2}, {3, 2}}},
        // Off-centre row: the diamond is narrower there, so the ends reach fewer pixels.
        {0.9, 2.2, 2.9, 2.2, {{1, 2}, {2, 2}}},
        {0.6, 2.2, 2.9, 2.2, {{0, 2}, {1, 2}, {2, 2}}},
        // Vertical, both ways.
        {1.5, 0.2, 1.5, 2.7, {{1, 0}, {1, 1}}},
        {1.5, 2.7, 1.5, 0.2, {{1, 1}, {1, 2}}},
        // On a pixel boundary: the row below / the column to the left.
        {0.5, 2.0, 3.5, 2.0, {{0, 1}, {1, 1}, {2, 1}}},
        {3.5, 2.0, 0.5, 2.0, {{1, 1}, {2, 1}}},
        {2.0, 0.5, 2.0, 2.5, {{1, 0}, {1, 1}}},
        {2.0, 2.5, 2.0, 0.5, {{1, 0}, {1, 1}, {1, 2}}},
        // A segment that stays inside one diamond lights nothing.
        {1.4, 1.5, 1.6, 1.5, {}},
        // Zero length, and off the raster.
        {1.5, 1.5, 1.5, 1.5, {}},
        {0.5, -0.5, 3.5, -0.5, {}},
        {0.5, 9.5, 3.5, 9.5, {}},
    };
    for (const Cas& c : cas) {
        TramePavage t;
        t.Preparer(4, 4);
        t.Segment(c.xa, c.ya, c.xb, c.yb, Blanche);
        EXPECT_EQ(Atteints(t), c.attendu) << c.xa << "," << c.ya << " -> " << c.xb << "," << c.yb;
    }
}

TEST(TramePavage, TinyOutlinesLightAPixelOnlyWhenTheyLeaveItsDiamond) {
    TramePavage t;
    t.Preparer(3, 3);
    // Around the centre of pixel (1, 1): inside its diamond.
    t.Contour(1.45, 1.46, 1.45, 1.46, Blanche);
    EXPECT_TRUE(Atteints(t).empty());
    // Across the diamond's lower-left side: the loop leaves the diamond once.
    t.Contour(1.15, 1.25, 1.3, 1.4, Blanche);
    EXPECT_EQ(Atteints(t), (Pixels{{1, 1}}));
}

TEST(TramePavage, FirstPrimitiveAtAPixelStays) {
    TramePavage t;
    t.Preparer(4, 1);
    t.Remplir(0, 2, 0, 1, Bleue);
    t.Remplir(1, 4, 0, 1, Jaune);
    t.Pave(0, 4, 0, 1, Noire, Noire);
    EXPECT_EQ(t.At(0, 0), Bleue);
    EXPECT_EQ(t.At(1, 0), Bleue);
    EXPECT_EQ(t.At(2, 0), Jaune);
    EXPECT_EQ(t.At(3, 0), Jaune);
    EXPECT_TRUE(t.Complete());
    // A box's fill comes before its own outline.
    TramePavage u;
    u.Preparer(5, 5);
    u.Pave(0.7, 3.3, 0.7, 3.3, Jaune, Blanche);
    EXPECT_EQ(u.At(1, 1), Jaune);
    EXPECT_EQ(u.At(2, 2), Jaune);
    EXPECT_EQ(u.At(0, 2), Blanche);
    EXPECT_EQ(u.At(3, 0), Blanche);
    EXPECT_EQ(u.At(4, 4), Aucune);
    EXPECT_FALSE(u.Complete());
}

// A box with a bound that is not finite is left out whole; huge bounds are clipped.
TEST(TramePavage, NonFiniteAndHugeCoordinatesAreSafe) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    TramePavage t;
    t.Preparer(5, 5);
    t.Pave(nan, 2, 0, 2, Jaune, Blanche);
    t.Pave(0, inf, 0, 2, Jaune, Blanche);
    t.Pave(-inf, inf, -inf, inf, Jaune, Blanche);
    EXPECT_TRUE(Atteints(t).empty());
    t.Pave(-1e300, 1e300, -1e300, 1e300, Bleue, Noire);
    EXPECT_TRUE(t.Complete());
    EXPECT_EQ(t.At(2, 2), Bleue);
    TramePavage u;
    u.Preparer(5, 5);
    u.Segment(-1e300, 2.5, 1e300, 2.5, Blanche);
    u.Segment(2.5, 1e300, 2.5, -1e300, Blanche);
    EXPECT_EQ(Atteints(u).size(), 9u);
}

TEST(TramePavage, SkippingCoveredBoxesChangesNothing) {
    std::mt19937 alea(3);
    std::uniform_real_distribution<double> position(-1.0, 17.0), taille(0.0, 1.2);
    TramePavage rapide, complete;
    rapide.Preparer(16, 16);
    complete.Preparer(16, 16);
    const CouleurPavage fonds[] = {Jaune, Bleue};
    for (int i = 0; i < 20000; ++i) {
        const double x = position(alea), y = position(alea);
        const double w = taille(alea), h = taille(alea);
        const CouleurPavage fond = fonds[i % 2];
        const CouleurPavage contour = i % 2 ? Noire : Blanche;
        rapide.Pave(x, x + w, y, y + h, fond, contour);
        complete.Remplir(x, x + w, y, y + h, fond);
        complete.Contour(x, x + w, y, y + h, contour);
    }
    EXPECT_EQ(rapide.Pixels(), complete.Pixels());
}
