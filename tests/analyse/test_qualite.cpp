#include "analyse/Qualite.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const Matrice2x2 Exemple{1, 0.5, -0.4, 1};
const double Inf = INFINITY;

bool Proche(double a, double b) {
    return a == b || std::fabs(a - b) < 1e-4;
}

} // namespace

TEST(Qualite, WorkedCasePinsSirPairingAndAmari) {
    const struct {
        double x, y, P1, P2;
        double sir1, sir2;
        Appariement paires;
        double amari;
    } cas[] = {
        {0, 0, 1, 1, 6.0206, 7.9588, Appariement::Identite, 0.45},
        {-0.5, 0.4, 1, 1, Inf, Inf, Appariement::Identite, 0},
        {2.5, -2, 1, 1, Inf, Inf, Appariement::Croise, 0},
        {0, 0, 4, 1, 12.0412, 1.9382, Appariement::Identite, 0.45}, // powers weigh in
        {-0.5, 1, 1, 1, Inf, 7.9588, Appariement::Identite, 0.225}, // one exact
    };
    for (const auto& c : cas) {
        const Qualite q = CalculerQualite(c.x, c.y, Exemple, {c.P1, c.P2});
        ASSERT_TRUE(q.Sir1 && q.Sir2 && q.Amari);
        EXPECT_TRUE(Proche(*q.Sir1, c.sir1) && Proche(*q.Sir2, c.sir2))
            << *q.Sir1 << " " << *q.Sir2;
        EXPECT_EQ(q.Paires, c.paires);
        EXPECT_NEAR(*q.Amari, c.amari, 1e-12);
    }
    // The scale and sign of a source cancel against its power.
    const Qualite q = CalculerQualite(0.3, 0.7, Exemple, {1, 2});
    const Qualite r = CalculerQualite(0.3, 0.7, {-2, 0.5, 0.8, 1}, {0.25, 2});
    EXPECT_NEAR(*q.Sir1, *r.Sir1, 1e-12);
    EXPECT_NEAR(*q.Sir2, *r.Sir2, 1e-12);
}

TEST(Qualite, UndefinedValuesAreAbsentNeverNaN) {
    // Zero power: no SIR, the Amari index stays.
    const Qualite sansPuissance = CalculerQualite(0, 0, Exemple, {0, 1});
    EXPECT_FALSE(sansPuissance.Sir1 || sansPuissance.Sir2 || sansPuissance.SirMoyen());
    EXPECT_TRUE(sansPuissance.Amari);
    // A singular A with x = -1 zeroes row 1 of G: ŝ1 holds nothing.
    const Qualite ligneNulle = CalculerQualite(-1, 0, {1, 2, 1, 2}, {1, 1});
    EXPECT_FALSE(ligneNulle.Sir1 || ligneNulle.Amari || ligneNulle.SirMoyen());
    EXPECT_TRUE(ligneNulle.Sir2);
    // Opposite infinities: both estimates hold s1 only.
    const Qualite opposes = CalculerQualite(0, 0, {1, 0, 1, 0}, {1, 1});
    EXPECT_EQ(*opposes.Sir1, Inf);
    EXPECT_EQ(*opposes.Sir2, -Inf);
    EXPECT_FALSE(opposes.SirMoyen());
}

TEST(Qualite, PowersUseTheSamplesCommonToBothSourcesAndN) {
    const PuissancesSources p = CalculerPuissances({1, 3, 100}, {2, 2}, 5);
    EXPECT_EQ(p.P1, 5);
    EXPECT_EQ(p.P2, 4);
    EXPECT_EQ(CalculerPuissances({1, 3}, {2, 2}, 1).P1, 1);
    EXPECT_FALSE(CalculerPuissances({}, {}, 10).Utilisables());
}

TEST(Qualite, ATieBetweenThePairingsKeepsTheIdentity) {
    // With A = I, G = W: SIR1 = -20 log10|x|, SIR2 = -20 log10|y|. Each case is a tie (a mean
    // SIR of exactly 0) or just off one, on either side.
    const Matrice2x2 I{1, 0, 0, 1};
    const struct {
        double x, y;
        Appariement paires;
    } cas[] = {
        {1, 1, Appariement::Identite},     // both 0 dB
        {-1, 1, Appariement::Identite},    // signs do not count
        {0.5, 2, Appariement::Identite},   // +6.02 and -6.02
        {2, 0.5, Appariement::Identite},   // -6.02 and +6.02
        {0.5, 2.001, Appariement::Croise}, // just below the tie
        {0.5, 1.999, Appariement::Identite},
    };
    for (const auto& c : cas) {
        const Qualite q = CalculerQualite(c.x, c.y, I, {1, 1});
        ASSERT_TRUE(q.Sir1 && q.Sir2) << c.x << " " << c.y;
        EXPECT_EQ(q.Paires, c.paires) << c.x << " " << c.y;
        // The pairing kept never has the smaller mean.
        EXPECT_GE(*q.Sir1 + *q.Sir2, 0) << c.x << " " << c.y;
        const double sir1 = -20 * std::log10(std::fabs(c.x));
        EXPECT_EQ(*q.Sir1, c.paires == Appariement::Identite ? sir1 : -sir1);
    }
}
