#include "sivia/Contraintes.h"

#include "support/AideIntervalles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

MomentsMelanges Moments4Egaux(double v) {
    MomentsMelanges m;
    for (auto& ligne : m.Moments4) {
        std::fill(std::begin(ligne), std::end(ligne), v);
    }
    return m;
}

} // namespace

TEST(Contraintes, WorkedValues) {
    MomentsMelanges m;
    m.Ex1x1 = 2, m.Ex1x2 = 1, m.Ex2x2 = 3, m.Edx1dx2 = -0.75, m.Moments4[0][3] = 4;
    const Box o = Pave(Interval(0.0), Interval(0.0)), I = Pave(Interval(-1, 1), Interval(-1, 1));
    EXPECT_EQ(Textes({EvalDecorrelation(o, m), EvalDecorrelationDerivees(o, m),
                      EvalMomentOrdre4(o, m), EvalCritere(o, m, {})[1], EvalDecorrelation(I, m),
                      EvalDecorrelation(Pave(Interval(0, 1), Interval(0, 1)), m),
                      EvalMomentOrdre4(I, Moments4Egaux(1)),
                      EvalMomentOrdre4(Pave(Interval(0.0), Interval(1.0)), Moments4Egaux(1))}),
              "1; -0.75; 4; 1; [-5,7]; [1,7]; [-11,16]; 8");
    const double x = 0.3, y = -0.7; // at a point: plain doubles in the same order
    const double c1 = ((y * 2 + 1) + (x * y) * 1) + x * 3;
    const double c2 = ((y * 0 + -0.75) + (x * y) * -0.75) + x * 0;
    EXPECT_EQ(EvalCritere(Pave(Interval(x), Interval(y)), m, {})[1].Lower(),
              std::max(std::fabs(c1), std::fabs(c2)));
    MomentsMelanges carre; // T2 and T6 use Power(Y, 2), whose Lower is 0, not Y . Y
    carre.Moments4[0][1] = carre.Moments4[1][1] = 1;
    EXPECT_EQ(Texte(EvalMomentOrdre4(Pave(Interval(1.0), Interval(-1, 1)), carre)), "[0,6]");
}

TEST(Contraintes, FlagsSelectThePairAndLaterPairsWin) {
    // |C1| about [1, 10], |C2| about [2, 2.4], |C3| about [0.7, 4.8]: three distinct pairs.
    MomentsMelanges m = Moments4Egaux(0.5);
    m.Ex1x1 = 10, m.Edx1dx1 = 0.01, m.Edx1dx2 = 2, m.Edx2dx2 = 0.01;
    const Box b = Pave(Interval(0.1, 0.2), Interval(0.1, 1));
    const Interval A1 = Abs(EvalDecorrelation(b, m)), A2 = Abs(EvalDecorrelationDerivees(b, m)),
                   A3 = Abs(EvalMomentOrdre4(b, m));
    const std::string p12 = Texte(Max(A1, A2)), p13 = Texte(Max(A1, A3)), p23 = Texte(Max(A2, A3));
    ASSERT_TRUE(p12 != p13 && p13 != p23 && p12 != p23);
    const std::string aucune = "[0,-999]"; // the component as built, Lower 0
    const std::string attendu[8] = {aucune, aucune, aucune, p12, aucune, p13, p23, p23};
    MomentsMelanges autre = m; // with all three, the source means take no part
    autre.Ex1x1 = 50, autre.Ex1x2 = -7;
    for (int f = 0; f < 8; ++f) { // bit 0: sources, bit 1: derivatives, bit 2: moment
        const ContraintesActives c{(f & 1) != 0, (f & 2) != 0, (f & 4) != 0};
        EXPECT_EQ(Texte(EvalCritere(b, f == 7 ? autre : m, c)), attendu[f]) << f;
        EXPECT_EQ(EvalBorneInfCritere(b, m, c), EvalCritere(b, m, c)[1].Lower()) << f;
    }
}
