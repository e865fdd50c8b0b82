#include "signal/Melange.h"
#include "signal/Memoire.h"
#include "support/Gardes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {
constexpr float Pas = 0.1f;
const double PasDouble = double(0.1f);
} // namespace

TEST(Melange, IdentityMatrixGivesTheSourcesAndTheirMeans) {
    const std::vector<double> s1{1, -2, 3, 0.5};
    const std::vector<double> s2{2, 0, -1, 4};
    const auto m = GenererMelanges(s1, s2, {1, 0, 0, 1}, 4, Pas);
    EXPECT_EQ(m.Melange1, s1);
    EXPECT_EQ(m.Melange2, s2);
    ASSERT_EQ(m.DeriveeMelange1.size(), 3u);
    EXPECT_DOUBLE_EQ(m.DeriveeMelange1[0], -3 / PasDouble);
    EXPECT_DOUBLE_EQ(m.DeriveeMelange2[2], 5 / PasDouble);
    EXPECT_DOUBLE_EQ(m.Moments.Ex1x2, (2 + 0 - 3 + 2) / 4.0);
    EXPECT_DOUBLE_EQ(m.Moments.Ex1x1, (1 + 4 + 9 + 0.25) / 4.0);
    EXPECT_DOUBLE_EQ(m.Moments.Ex2x2, (4 + 0 + 1 + 16) / 4.0);
    // Derivatives: (-3, 5, -2.5) and (-2, -1, 5), over the step.
    const double p2 = PasDouble * PasDouble;
    EXPECT_NEAR(m.Moments.Edx1dx1, (9 + 25 + 6.25) / 3.0 / p2, 1e-9);
    EXPECT_NEAR(m.Moments.Edx1dx2, (6 - 5 - 12.5) / 3.0 / p2, 1e-9);
    EXPECT_NEAR(m.Moments.Edx2dx2, (4 + 1 + 25) / 3.0 / p2, 1e-9);
    // Fourth order: mean of x1^4, x1^3 x2, x1^2 x2^2, x1 x2^3, x2^4.
    EXPECT_DOUBLE_EQ(m.Moments.Moments4[0][0], (1 + 16 + 81 + 0.0625) / 4.0);
    EXPECT_DOUBLE_EQ(m.Moments.Moments4[0][1], (2 + 0 - 27 + 0.5) / 4.0);
    EXPECT_DOUBLE_EQ(m.Moments.Moments4[1][3], (16 + 0 + 1 + 256) / 4.0);
    // First and third order: mean of x1, x2, x1^2 x2, x1 x2^2, x2^3.
    EXPECT_DOUBLE_EQ(m.Moments.Ex1, (1 - 2 + 3 + 0.5) / 4.0);
    EXPECT_DOUBLE_EQ(m.Moments.Ex2, (2 + 0 - 1 + 4) / 4.0);
    EXPECT_DOUBLE_EQ(m.Moments.Moments3[1], (2 + 0 - 9 + 1) / 4.0);
    EXPECT_DOUBLE_EQ(m.Moments.Moments3[2], (4 + 0 + 3 + 8) / 4.0);
    EXPECT_DOUBLE_EQ(m.Moments.Moments3[3], (8 + 0 - 1 + 64) / 4.0);
}

TEST(Melange, MixturesFollowTheMatrixRowByRow) {
    const std::vector<double> s1{1, 2};
    const std::vector<double> s2{3, 5};
    const auto m = GenererMelanges(s1, s2, {2, -1, 0.5, 4}, 2, Pas);
    EXPECT_EQ(m.Melange1, (std::vector<double>{2 - 3, 4 - 5}));
    EXPECT_EQ(m.Melange2, (std::vector<double>{0.5 + 12, 1 + 20}));
}

TEST(Melange, DuplicatedFourthOrderMeansAgree) {
    std::vector<double> s1, s2;
    for (int i = 0; i < 1000; ++i) {
        s1.push_back(std::sin(i * 0.37) * 3);
        s2.push_back(std::cos(i * 0.11) + 0.2);
    }
    const auto m = GenererMelanges(s1, s2, {1, 0.4, -0.7, 1}, 1000, Pas);
    const auto& M = m.Moments.Moments4;
    EXPECT_NEAR(M[0][1], M[1][0], 1e-12 * std::abs(M[0][1]) + 1e-12);
    EXPECT_NEAR(M[0][2], M[1][1], 1e-12 * std::abs(M[0][2]) + 1e-12);
    EXPECT_NEAR(M[0][3], M[1][2], 1e-12 * std::abs(M[0][3]) + 1e-12);
}

TEST(Melange, OneSampleGivesNoDerivativeAndUndefinedDerivativeMeans) {
    const auto m = GenererMelanges({2}, {3}, {1, 1, 0, 1}, 1, Pas);
    EXPECT_EQ(m.Melange1.size(), 1u);
    EXPECT_TRUE(m.DeriveeMelange1.empty());
    EXPECT_TRUE(std::isnan(m.Moments.Edx1dx1));
    EXPECT_TRUE(std::isnan(m.Moments.Edx1dx2));
    EXPECT_TRUE(std::isnan(m.Moments.Edx2dx2));
    EXPECT_DOUBLE_EQ(m.Moments.Ex1x2, 5.0 * 3.0);
}

TEST(Melange, LoopsStayWithinTheSamplesThatExist) {
    const std::vector<double> s1{1, 2, 3, 4, 5};
    const std::vector<double> s2{1, 1, 1};
    // N larger than both sources: the shorter source bounds the mixtures and the means.
    auto m = GenererMelanges(s1, s2, {1, 0, 0, 1}, 5000, Pas);
    EXPECT_EQ(m.Melange1, (std::vector<double>{1, 2, 3}));
    EXPECT_DOUBLE_EQ(m.Moments.Ex1x1, (1 + 4 + 9) / 3.0);
    // N smaller than the sources.
    m = GenererMelanges(s1, s2, {1, 0, 0, 1}, 2, Pas);
    EXPECT_EQ(m.Melange1, (std::vector<double>{1, 2}));
    // N zero or negative: no sample, means not a number.
    m = GenererMelanges(s1, s2, {1, 0, 0, 1}, -3, Pas);
    EXPECT_TRUE(m.Melange1.empty());
    EXPECT_TRUE(std::isnan(m.Moments.Ex1x1));

    const auto e = CalculerSourcesEstimees(0.5, 0.5, s1, s2, 5000, Pas);
    EXPECT_EQ(e.SourceEstimee1.size(), 3u);
    EXPECT_EQ(e.DeriveeEstimee2.size(), 2u);
}

TEST(Melange, EstimatesAtTheDemixingPointAreProportionalToTheSources) {
    std::vector<double> s1, s2;
    for (int i = 0; i < 200; ++i) {
        s1.push_back(5 * std::cos(i * 0.1));
        s2.push_back(((i * 37) % 11) - 5.0);
    }
    const Matrice2x2 A{1, 0.3, -0.6, 1};
    const auto m = GenererMelanges(s1, s2, A, 200, Pas);
    const auto boite = BoiteSolution(A);
    ASSERT_TRUE(boite.has_value());
    const double x = (*boite)[1].Midpoint();
    const double y = (*boite)[2].Midpoint();
    EXPECT_NEAR(x, -0.3, 1e-15);
    EXPECT_NEAR(y, 0.6, 1e-15);
    const auto e = CalculerSourcesEstimees(x, y, m.Melange1, m.Melange2, 200, Pas);
    const double k1 = 1 - A.a12 * A.a21; // s^1 = (1 - a12 a21) s1 at that point
    for (std::size_t i = 0; i < s1.size(); ++i) {
        ASSERT_NEAR(e.SourceEstimee1[i], k1 * s1[i], 1e-12);
        ASSERT_NEAR(e.SourceEstimee2[i], k1 * s2[i], 1e-12);
    }
    EXPECT_NEAR(e.DeriveeEstimee1[0], (e.SourceEstimee1[1] - e.SourceEstimee1[0]) / PasDouble,
                1e-12);
}

TEST(Melange, SolutionBoxIsPointOneWideAndUndefinedWithoutDiagonal) {
    const auto b = BoiteSolution({2, 1, 1, 4});
    ASSERT_TRUE(b.has_value());
    EXPECT_DOUBLE_EQ((*b)[1].Lower(), -0.25 - 0.05);
    EXPECT_DOUBLE_EQ((*b)[1].Upper(), -0.25 + 0.05);
    EXPECT_DOUBLE_EQ((*b)[2].Lower(), -0.5 - 0.05);
    EXPECT_DOUBLE_EQ((*b)[2].Upper(), -0.5 + 0.05);
    EXPECT_FALSE(BoiteSolution({0, 1, 1, 1}).has_value());
    EXPECT_FALSE(BoiteSolution({1, 1, 1, 0}).has_value());
    EXPECT_FALSE(BoiteSolution({}).has_value());
    EXPECT_FALSE(BoiteSolution({1e-320, 1, 1e300, 1}).has_value());
}

TEST(Melange, TooManySamplesForMemoryAreRefused) {
    const GardeBudgetMemoire budget(1000);
    const std::vector<double> s(100, 1.0);
    EXPECT_THROW(GenererMelanges(s, s, {1, 0, 0, 1}, 100, Pas), ErreurMemoire);
    EXPECT_THROW(CalculerSourcesEstimees(0, 0, s, s, 100, Pas), ErreurMemoire);
}

TEST(Melange, ObservedMixturesAreCutToTheShorterAndMatchTheIdentityMixing) {
    const std::vector<double> x1 = {1, -2, 3.5, 0.25, 7}, x2 = {0.5, 4, -1, 2};
    const Melanges observes = MelangesObserves(x1, x2, 0.1f);
    const Melanges identite = GenererMelanges(x1, x2, {1, 0, 0, 1}, 100, 0.1f);
    EXPECT_EQ(observes.Melange1, identite.Melange1);
    EXPECT_EQ(observes.Melange1.size(), 4u);
    EXPECT_EQ(observes.DeriveeMelange2, identite.DeriveeMelange2);
    EXPECT_EQ(std::memcmp(&observes.Moments, &identite.Moments, sizeof observes.Moments), 0);
}

TEST(Melange, AProgressThatGoesOnGivesTheSameMixturesAndOneThatStopsGivesNone) {
    const std::size_t n = 1'000'000;
    std::vector<double> s1(n), s2(n);
    for (std::size_t i = 0; i < n; ++i) {
        s1[i] = std::cos(0.1 * double(i));
        s2[i] = std::sin(0.37 * double(i)) + 0.01 * double(i % 7);
    }
    const Matrice2x2 A{1, 0.5, -0.3, 1};
    const Melanges sans = GenererMelanges(s1, s2, A, int(n), 0.1f);
    int appels = 0;
    const auto avec = GenererMelanges(s1, s2, A, int(n), 0.1f, [&](double) {
        ++appels;
        return true;
    });
    ASSERT_TRUE(avec.has_value());
    EXPECT_GT(appels, 4);
    EXPECT_EQ(avec->Melange1, sans.Melange1);
    EXPECT_EQ(avec->DeriveeMelange2, sans.DeriveeMelange2);
    EXPECT_EQ(avec->Moments.Ex1x2, sans.Moments.Ex1x2);
    EXPECT_EQ(avec->Moments.Edx1dx1, sans.Moments.Edx1dx1);
    EXPECT_EQ(avec->Moments.Moments4[1][3], sans.Moments.Moments4[1][3]);
    for (int arret : {1, 3, 6}) {
        int restants = arret;
        EXPECT_FALSE(
            GenererMelanges(s1, s2, A, int(n), 0.1f, [&](double) { return --restants > 0; })
                .has_value())
            << arret;
    }
    // Observed mixtures end a stop by throwing.
    const Melanges observes = MelangesObserves(sans.Melange1, sans.Melange2, 0.1f);
    const auto avecObserves =
        MelangesObserves(sans.Melange1, sans.Melange2, 0.1f, [](double) { return true; });
    EXPECT_EQ(std::memcmp(&avecObserves.Moments, &observes.Moments, sizeof observes.Moments), 0);
    int restants = 2;
    EXPECT_THROW(MelangesObserves(sans.Melange1, sans.Melange2, 0.1f,
                                  [&](double) { return --restants > 0; }),
                 ArretUtilisateur);
    EXPECT_EQ(restants, 0);
}

TEST(Melange, TheBudgetCountsWhatTheProgramAlreadyHolds) {
    const std::vector<double> s(1000, 1.0);
    const Matrice2x2 A{1, 0, 0, 1};
    // Four arrays of 1,000 doubles: 32,000 bytes.
    const GardeBudgetMemoire budget(40'000);
    std::uint64_t tenu = 0;
    const GardeCompteurMemoire compteur([&] { return tenu; });
    EXPECT_NO_THROW(GenererMelanges(s, s, A, 1000, 0.1f));
    tenu = 10'000;
    EXPECT_THROW(GenererMelanges(s, s, A, 1000, 0.1f), ErreurMemoire);
    EXPECT_EQ(MemoireLibre(), 30'000u);
    tenu = 50'000;
    EXPECT_EQ(MemoireLibre(), 0u);
}

TEST(Melange, LaggedMeansPairEachSampleWithTheOneTheDelayLater) {
    // x1 = 1..5, x2 = (2, -1, 0, 3, 1); x2 longer: its extra sample is not read.
    const std::vector<double> x1{1, 2, 3, 4, 5}, x2{2, -1, 0, 3, 1, 100};
    const MomentsRetardes r = CalculerMomentsRetardes(x1, x2, {1, 4, 5, 0});
    EXPECT_EQ(r.Retards, (std::vector<int>{1, 4, 5, 0}));
    const struct {
        std::size_t k;
        double r11, r12, r21, r22;
    } cas[] = {
        // Delay 1, four pairs: x1(n)x1(n+1), x1(n)x2(n+1), x2(n)x1(n+1), x2(n)x2(n+1).
        {0, (2 + 6 + 12 + 20) / 4.0, (-1 + 0 + 9 + 4) / 4.0, (4 - 3 + 0 + 15) / 4.0,
         (-2 + 0 + 0 + 3) / 4.0},
        {1, 5, 1, 10, 2},                            // delay 4: the one pair (n = 0, n + 4 = 4)
        {3, 55 / 5.0, 17 / 5.0, 17 / 5.0, 15 / 5.0}, // delay 0: the plain means
    };
    for (const auto& c : cas) {
        EXPECT_DOUBLE_EQ(r.R11[c.k], c.r11) << c.k;
        EXPECT_DOUBLE_EQ(r.R12[c.k], c.r12) << c.k;
        EXPECT_DOUBLE_EQ(r.R21[c.k], c.r21) << c.k;
        EXPECT_DOUBLE_EQ(r.R22[c.k], c.r22) << c.k;
    }
    // A delay of the whole length leaves no pair: not a number.
    EXPECT_TRUE(std::isnan(r.R11[2]) && std::isnan(r.R12[2]) && std::isnan(r.R22[2]));
}
