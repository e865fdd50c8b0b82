// For random intervals and points inside them, the point result of each operation lies
// inside the interval result. Rounding to nearest is monotone, so bounds rounded like the
// point result still enclose it exactly.
#include "interval/Interval.h"

#include <gtest/gtest.h>

#include <random>

TEST(IntervalEnclosure, PointResultsLieInsideIntervalResults) {
    std::mt19937_64 gen(20240917);
    std::uniform_real_distribution<double> u(-10, 10), t(0, 1);
    auto intervalle = [&] { // some single values, some with a zero bound
        const double a = u(gen), b = u(gen);
        const auto k = gen() % 8;
        return k == 0 ? Interval(a) : k == 1 ? Interval(0.0, b) : Interval(a, b);
    };
    auto point = [&](const Interval& A) { // either bound or a point between
        const auto k = gen() % 4;
        const double p = A.Lower() + t(gen) * A.Width();
        return k == 0 ? A.Lower() : k == 1 || p > A.Upper() ? A.Upper() : p;
    };
    auto dedans = [](const Interval& r, double v) { return r.Lower() <= v && v <= r.Upper(); };
    for (int essai = 0; essai < 200000; ++essai) {
        const Interval A = intervalle(), B = intervalle();
        const double x = point(A), y = point(B);
        const int n = static_cast<int>(gen() % 9) - 2;
        ASSERT_TRUE(dedans(A + B, x + y)) << essai;
        ASSERT_TRUE(dedans(A * B, x * y)) << essai;
        ASSERT_TRUE(dedans(Abs(A), x < 0 ? -x : x)) << essai;
        ASSERT_TRUE(dedans(Min(A, B), x < y ? x : y)) << essai;
        ASSERT_TRUE(dedans(Max(A, B), x < y ? y : x)) << essai;
        ASSERT_TRUE(dedans(Hull(A, B), x) && dedans(Hull(A, B), y)) << essai;
        const double p = interval_detail::PuissanceScalaire(x, n < 0 ? -n : n);
        if (n >= 0 || !A.Contains(0.0)) {
            ASSERT_TRUE(dedans(Power(A, n), n == 0 ? 1.0 : n > 0 ? p : 1.0 / p)) << essai;
        }
        if (!B.Contains(0.0)) { // a single-value divisor multiplies by its reciprocal
            ASSERT_TRUE(dedans(A / B, B.IsInterval ? x / y : (1.0 / y) * x)) << essai;
        }
    }
}
