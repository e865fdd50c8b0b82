#include "interval/Repere.h"

#include "support/AideIntervalles.h"
#include "support/CanevasEnregistreur.h"

#include <gtest/gtest.h>

#include <iterator>
#include <limits>

namespace {

using Appels = std::vector<std::string>;
constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// The main window's 337 x 321 image over the default domain [-5, 5] x [-5, 5].
struct Repere337x321 : ::testing::Test {
    CanevasEnregistreur canevas{337, 321};
    Repere repere{Interval(-5, 5), Interval(-5, 5), &canevas};
};

} // namespace

TEST_F(Repere337x321, PavesMapWithSinglePrecisionFactorsAndTruncationTowardZero) {
    const auto e = repere.EchelleCourante();
    ASSERT_TRUE(e);
    EXPECT_TRUE(e->sx == 33.7f && e->ox == 168.5f && e->sy == -32.1f && e->oy == 160.5f);
    repere.DessinePave(Pave(-5, 5, -5, 5), CouleurBleue, CouleurJaune, BrossePleine);
    EXPECT_EQ(canevas.Appels, (Appels{"BrushStyle(0)", "BrushColor(0xFF0000)", "PenColor(0x00FFFF)",
                                      "Rectangle(0,320,338,0)"}));
    repere.DessinePave(Pave(0, 1, 0, 1), 0, 0, 0);
    repere.DessinePave(Pave(0, 0, 0, 0), 0, 0, 0);
    repere.DessinePave(Pave(-6, -5.5, 0, 1), 0, 0, 0); // toward zero, not downward
    EXPECT_EQ(canevas.Filtrer("Rectangle"),
              (Appels{"Rectangle(0,320,338,0)", "Rectangle(168,160,203,127)",
                      "Rectangle(168,160,169,159)", "Rectangle(-33,160,-15,127)"}));
}

TEST_F(Repere337x321, SegmentsAndContours) {
    repere.DessineSegment(0, 0, 5, -5, CouleurRouge, PlumeTirets, 3);
    EXPECT_EQ(canevas.Appels, (Appels{"PenColor(0x0000FF)", "PenStyle(1)", "PenWidth(3)",
                                      "MoveTo(168,160)", "LineTo(337,320)", "PenWidth(1)"}));
    canevas.Appels.clear();
    repere.DessineContour(Pave(0, 1, 0, 1), CouleurRouge, PlumePleine); // left, bottom, top, right
    EXPECT_EQ(canevas.Filtrer("MoveTo"),
              (Appels{"MoveTo(168,160)", "MoveTo(168,160)", "MoveTo(202,128)", "MoveTo(202,160)"}));
    EXPECT_EQ(canevas.Filtrer("LineTo"),
              (Appels{"LineTo(168,128)", "LineTo(202,160)", "LineTo(168,128)", "LineTo(202,128)"}));
    EXPECT_EQ(canevas.Filtrer("PenWidth"), Appels(8, "PenWidth(1)"));
}

TEST_F(Repere337x321, NothingIsDrawnWhereTheMappingIsUndefined) {
    Box creux = Pave(0, 1, 0, 1);
    creux.IsEmpty = 1;
    const struct {
        Interval x, y;
        bool image;
        Box pave;
    } cas[] = {
        {Interval(-5, 5), Interval(-5, 5), true, creux},
        {Interval(-5, 5), Interval(-5, 5), false, Pave(0, 1, 0, 1)},
        {Interval(), Interval(), true, Pave(0, 1, 0, 1)}, // the frame before any binding
        {Interval(-5, 5), Interval(2, 2), true, Pave(0, 1, 0, 1)},
        {Interval(0, 1e-320), Interval(-5, 5), true, Pave(0, 1, 0, 1)},
        {Interval(-inf, 5), Interval(-5, 5), true, Pave(0, 1, 0, 1)},
        {Interval(-5, 5), Interval(-5, 5), true, Pave(0, 1e300, 0, 1)},
        {Interval(-5, 5), Interval(-5, 5), true, Pave(NaN, 1, 0, 1)},
    };
    for (std::size_t i = 0; i < std::size(cas); ++i) {
        repere = Repere{cas[i].y, cas[i].x, cas[i].image ? &canevas : nullptr};
        repere.DessinePave(cas[i].pave, 0, 0, 0);
        if (i < 6) { // a contour still draws the edges whose ends are representable
            repere.DessineContour(cas[i].pave, CouleurRouge, PlumePleine, 4);
        }
    }
    EXPECT_TRUE(canevas.Appels.empty());
}
