#include "interval/Interval.h"

#include "support/AideIntervalles.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
const auto I = [](double a, double b) { return Interval(a, b); };
const auto S = [](double x) { return Interval(x); };
Interval Vide(double a, double b) {
    Interval e(a, b);
    e.IsEmpty = 1;
    return e;
}

} // namespace

TEST(Interval, ConstructionAndMeasures) {
    const Interval d, un(2.5);
    EXPECT_TRUE(d.Lo == 0 && d.Hi == -999 && un.Hi == -999 && un.Upper() == 2.5);
    Interval point = S(2), large = I(1, 3);
    point.SetUpper(7); // ignored by a single value
    large.SetUpper(7);
    EXPECT_EQ(Textes({I(3, 1), I(2, 2), point, large}), "[1,3]; 2; 2; [1,7]");
    EXPECT_TRUE(I(2, 2).Width() == 0 && I(1, 2).Midpoint() == 1.5 && S(7).Midpoint() == 7);
    EXPECT_EQ(I(-5, 3).Magnitude(), 5);
    EXPECT_TRUE(I(1, 2).Contains(1) && I(1, 2).Contains(2) && S(4).Contains(4));
    EXPECT_FALSE(I(1, 2).Contains(2.0000001) || Vide(1, 2).Contains(1.5));
}

TEST(Interval, SumNegationAndEmptyOperands) {
    Interval pointu = I(1, 3);
    pointu.SetUpper(1); // a genuine interval of one point
    EXPECT_EQ(
        Textes({S(2) + S(3), S(2) + I(1, 3), I(1, 3) + I(-3, -1), pointu + S(2), -I(1, 3), -S(2)}),
        "5; [3,5]; [-2,2]; 3; [-3,-1]; -2");
    const Interval E = Vide(1, 2), F = Vide(7, 8), A = I(5, 6);
    EXPECT_EQ(Textes({E + A, E * A, E / A, -E, A + F, A * F, A / F}),
              "[1,2] empty; [1,2] empty; [1,2] empty; [1,2] empty; [7,8] empty; [7,8] empty; "
              "[7,8] empty");
    EXPECT_EQ(Textes({Hull(E, A), Hull(A, E), Min(E, A), Max(A, E)}),
              "[5,6]; [5,6]; 0 empty; 0 empty");
}

TEST(Interval, ProductFollowsTheSignTableWithItsBoundaries) {
    EXPECT_EQ(
        Textes({I(1, 2) * I(3, 4), I(1, 2) * I(-3, 4), I(1, 2) * I(-3, -1), I(-2, -1) * I(3, 4),
                I(-2, -1) * I(-3, 4), I(-2, -1) * I(-3, -2), I(-1, 2) * I(3, 4),
                I(-1, 2) * I(-3, 4), I(-1, 2) * I(-3, -2), S(2) * I(-3, 4), S(2) * S(-3)}),
        "[3,8]; [-6,8]; [-6,-1]; [-8,-3]; [-8,6]; [2,6]; [-4,8]; [-6,8]; [-6,3]; [-6,8]; -6");
    // Infinite bounds tell the rows apart: a wrong row multiplies 0 by infinity. In order:
    // a = 0 counts as a >= 0, b = 0 as b <= 0, c = 0 as c >= 0, d = 0 as d <= 0.
    EXPECT_EQ(Textes({I(0, 2) * I(1, inf), I(-2, 0) * I(1, inf), I(1, inf) * I(0, 2),
                      I(1, inf) * I(-2, 0), I(-inf, -1) * I(-2, 0)}),
              "[0,inf]; [-inf,0]; [0,inf]; [-inf,0]; [-0,inf]");
}

TEST(Interval, QuotientIsUnboundedForDivisorsHoldingZero) {
    EXPECT_EQ(
        Textes({I(1, 2) / I(2, 4), I(1, 2) / S(4), I(-1, 2) / I(2, 4), I(-2, -1) / I(2, 4),
                I(1, 2) / I(-4, -2), I(-1, 2) / I(-4, -2), I(-2, -1) / I(-4, -2), S(1) / S(4)}),
        "[0.25,1]; [0.25,0.5]; [-0.5,1]; [-1,-0.25]; [-1,-0.25]; [-1,0.5]; [0.25,1]; 0.25");
    EXPECT_EQ(Textes({I(1, 2) / I(0, 4), I(1, 2) / I(-4, 0), I(1, 2) / S(0), I(1, 2) / I(-1, 1)}),
              "[-1e+60,1e+60]; [-1e+60,1e+60]; [-1e+60,1e+60]; [-1e+60,1e+60]");
}

TEST(Interval, AbsPowerHullMinMax) {
    EXPECT_EQ(Textes({Abs(S(-2)), Abs(I(-3, 2)), Abs(I(-2, 2)), Abs(I(-3, -1)), Abs(I(-2, 0))}),
              "2; [0,3]; [0,2]; [1,3]; [0,2]");
    EXPECT_EQ(Textes({Power(I(-2, 1), 2), Power(I(-2, -1), 2), Power(I(-2, 1), 3),
                      Power(I(-2, 1), 0), Power(I(2, 4), -1), Power(I(-1, 1), -2), Power(S(0), 2),
                      Power(S(-3), 3), Power(S(2), INT_MIN)}),
              "[0,4]; [1,4]; [-8,1]; 1; [0.25,0.5]; [-1e+60,1e+60]; 0; -27; 0");
    EXPECT_EQ(Textes({Hull(I(0, 1), I(3, 4)), Hull(S(2), S(2)), Max(I(-1, 5), I(2, 3)),
                      Min(I(-1, 5), I(2, 3)), Max(I(0, 1), S(1))}),
              "[0,4]; 2; [2,5]; [-1,3]; 1");
}

TEST(Interval, PowerUsesBinaryExponentiation) {
    // 1.1^13 = 1.1 * 1.1^4 * 1.1^8 along the squares; repeated products round differently.
    const double x = 1.1, x2 = x * x, x4 = x2 * x2, x8 = x4 * x4;
    ASSERT_NE((x * x4) * x8, x * x * x * x * x * x * x * x * x * x * x * x * x);
    EXPECT_EQ(Textes({Power(S(x), 13), Power(S(-x), 13)}),
              Texte((x * x4) * x8) + "; " + Texte(-((x * x4) * x8)));
}
