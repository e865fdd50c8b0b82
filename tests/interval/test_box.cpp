#include "interval/Box.h"

#include "support/AideIntervalles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace {

Box Grand(int n, double decalage) { // component i is [decalage + i, decalage + 2i]
    Box b(n, 1);
    for (int i = 1; i <= n; ++i) {
        b[i] = Interval(decalage + i, decalage + 2 * i);
    }
    return b;
}

std::string Moities(const Box& A, int k = 0) {
    Box L, R;
    k == 0 ? Bisect(A, L, R) : BisectAt(A, L, R, k);
    return Texte(L) + " | " + Texte(R);
}

} // namespace

static_assert(sizeof(Box) <= 56, "a two-component box stays small");

TEST(Box, ConstructorsWidestComponentAndWidth) {
    EXPECT_EQ(Texte(Box()) + "; " + Texte(Box(2, 1)) + "; " + Texte(Box(3, 0)),
              "0 empty; [0,-999]x[0,-999]; 0x0x0");
    EXPECT_EQ(Box(2, 1).Width(), -999);
    EXPECT_EQ(Pave(0, 2, 0, 2).WidestComponent(), 1);
    EXPECT_EQ(Pave(0, 1, 0, 2).WidestComponent(), 2);
    EXPECT_EQ(Grand(3, 0).WidestComponent(), 3);
    EXPECT_EQ(Pave(0, 2, -1, 0.5).Width(), 2);
}

TEST(Box, BisectCentreAndHull) {
    EXPECT_EQ(Moities(Pave(0, 2, 0, 1)), "[0,1]x[0,1] | [1,2]x[0,1]");
    EXPECT_EQ(Moities(Pave(0, 1, 0, 4)), "[0,1]x[0,2] | [0,1]x[2,4]");
    EXPECT_EQ(Moities(Pave(0, 2, 5, 5), 2), "[0,2]x5 | [0,2]x5");
    // A cut is not normalised: the point half of [1, 1 + ulp] stays a genuine interval.
    const double b = std::nextafter(1.0, 2.0);
    EXPECT_EQ(Moities(Pave(1, b, 0, 0)), "[1,1]x0 | [1," + Texte(b) + "]x0");
    Box M = Pave(0, 4, 0, 1), R;
    Bisect(M, M, R); // into itself: the midpoint is read first
    EXPECT_EQ(Texte(M) + " | " + Texte(R), "[0,2]x[0,1] | [2,4]x[0,1]");
    Box creux = Pave(0, 2, -1, 3);
    creux.IsEmpty = 1;
    EXPECT_EQ(Texte(Centre(creux)), "1x1");
    EXPECT_EQ(Texte(Hull(Pave(0, 1, 0, 1), Pave(2, 3, -1, 0.5))), "[0,3]x[-1,1]");
    EXPECT_EQ(Texte(Hull(Box(), Pave(2, 3, 4, 5))) + Texte(Hull(Pave(2, 3, 4, 5), Box())),
              "[2,3]x[4,5][2,3]x[4,5]");
}

TEST(Box, CopiesAreDeepAndAssignmentReplacesTheDimension) {
    for (int n : {2, 5}) {
        Box a = Grand(n, 0), copie(a), affecte(1, 1);
        affecte = a;
        a[2] = Interval(-7);
        EXPECT_EQ(Texte(copie) + Texte(affecte), Texte(Grand(n, 0)) + Texte(Grand(n, 0)));
    }
    Box a = Grand(2, 0);
    a = Grand(5, 10);
    EXPECT_EQ(Texte(a), Texte(Grand(5, 10)));
    a = Grand(2, 20);
    EXPECT_EQ(Texte(a), "[21,22]x[22,24]");
    Box grand = Grand(4, 0), &meme = grand;
    grand = meme;
    Box deplace(std::move(grand));
    grand = std::move(deplace); // a moved-from box is a default box, usable again
    EXPECT_EQ(Texte(grand) + "; " + Texte(deplace), Texte(Grand(4, 0)) + "; 0 empty");
}
