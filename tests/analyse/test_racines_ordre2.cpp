#include "analyse/RacinesOrdre2.h"
#include "signal/Generateurs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Moments of the mixtures of uncorrelated sources of powers p and derivative powers d:
// C = A.diag(p1, p2).A^T.
MomentsMelanges Moments(const Matrice2x2& A, double p1, double p2, double d1, double d2) {
    MomentsMelanges m;
    const auto C = [&A](double u, double v, double& c11, double& c12, double& c22) {
        c11 = A.a11 * A.a11 * u + A.a12 * A.a12 * v;
        c12 = A.a11 * A.a21 * u + A.a12 * A.a22 * v;
        c22 = A.a21 * A.a21 * u + A.a22 * A.a22 * v;
    };
    C(p1, p2, m.Ex1x1, m.Ex1x2, m.Ex2x2);
    C(d1, d2, m.Edx1dx1, m.Edx1dx2, m.Edx2dx2);
    return m;
}

void ExpectPoint(const std::optional<PointPlan>& p, PointPlan attendu) {
    ASSERT_TRUE(p);
    EXPECT_NEAR(p->x, attendu.x, 1e-12);
    EXPECT_NEAR(p->y, attendu.y, 1e-12);
}

} // namespace

TEST(RacinesOrdre2, RootsAreTheTruePointsOfUncorrelatedSources) {
    // Source 1 has the smaller ratio d/p: root 1 is the direct point.
    const Matrice2x2 matrices[] = {{1, 0.5, -0.4, 1}, {1, -0.9, 0.3, 1}, {2, 1, 1, 3}};
    for (const Matrice2x2& A : matrices) {
        const RacinesOrdre2 r = CalculerRacinesOrdre2(Moments(A, 2, 1, 0.5, 30));
        EXPECT_EQ(r.Etat, Identifiabilite::Bonne);
        EXPECT_NEAR(r.Lambda1, 0.25, 1e-12);
        EXPECT_NEAR(r.Lambda2, 30, 1e-9);
        const PointsVrais v = CalculerPointsVrais(A);
        ExpectPoint(r.Racine1, *v.Direct);
        ExpectPoint(r.Racine2, *v.Permute);
    }
    // A diagonal mixture: the permuted point is at infinity, so root 2 is absent.
    const RacinesOrdre2 d = CalculerRacinesOrdre2(Moments({1, 0, 0, 1}, 1, 1, 1, 5));
    ExpectPoint(d.Racine1, {0, 0});
    EXPECT_FALSE(d.Racine2);
}

TEST(RacinesOrdre2, GaugeFollowsTheGapBetweenEigenvalues) {
    const Matrice2x2 A{1, 0.5, -0.4, 1};
    const struct {
        MomentsMelanges m;
        Identifiabilite etat;
    } cas[] = {
        {Moments(A, 1, 1, 10, 12), Identifiabilite::Bonne},    // gap 1/6
        {Moments(A, 1, 1, 10, 10.5), Identifiabilite::Faible}, // gap 1/21
        {Moments(A, 2, 1, 10, 5), Identifiabilite::Nulle},     // C1 = 5.C0
        {Moments(A, 0, 1, 10, 5), Identifiabilite::Indefinie}, // a source of zero power
        {MomentsMelanges{}, Identifiabilite::Indefinie},
    };
    for (const auto& c : cas) {
        const RacinesOrdre2 r = CalculerRacinesOrdre2(c.m);
        EXPECT_EQ(r.Etat, c.etat);
        if (r.Etat == Identifiabilite::Nulle || r.Etat == Identifiabilite::Indefinie) {
            EXPECT_FALSE(r.Racine1 || r.Racine2);
        }
        EXPECT_FALSE(MessageIdentifiabilite(r.Etat).empty());
    }
}

TEST(RacinesOrdre2, DegenerateMomentsAreUndefinedWithTheirReasonWhateverTheRounding) {
    GenerateurAleatoire alea;
    alea.Initialiser(7);
    std::vector<double> s, bruit;
    GenererSource(TypeSource::BruitColoreGaussien, 5000, 0.1f, alea, s);
    GenererSource(TypeSource::Cosinus, 5000, 0.1f, alea, bruit);
    // The same signal as both sources, as stored exactly, through a 32-bit float file, with
    // its last bits changed; proportional; silent.
    const auto transforme = [&s](auto f) {
        std::vector<double> t(s.size());
        for (std::size_t i = 0; i < s.size(); ++i) {
            t[i] = f(s[i], i);
        }
        return t;
    };
    const std::vector<double> secondes[] = {
        s,
        transforme([](double v, std::size_t) { return double(float(v)); }),
        transforme(
            [](double v, std::size_t i) { return std::nextafter(v, i % 3 == 0 ? 1e300 : -1e300); }),
        transforme([](double v, std::size_t) { return -3.7 * v; }),
        std::vector<double>(s.size(), 0.0),
    };
    const Matrice2x2 matrices[] = {{1, 0.5, -0.4, 1}, {1, 0.9, 0.8, 1}, {2, -1, 1, 3}};
    for (const Matrice2x2& A : matrices) {
        for (const std::vector<double>& s2 : secondes) {
            const RacinesOrdre2 r =
                CalculerRacinesOrdre2(GenererMelanges(s, s2, A, 5000, 0.1f).Moments);
            EXPECT_EQ(r.Etat, Identifiabilite::Indefinie) << r.Lambda1 << " " << r.Lambda2;
            EXPECT_EQ(r.Cause, CauseIndefinie::MelangesProportionnels);
            EXPECT_FALSE(r.Racine1 || r.Racine2);
        }
        // Different sources under an ill-conditioned matrix stay identifiable.
        const RacinesOrdre2 r = CalculerRacinesOrdre2(
            GenererMelanges(s, bruit, {1, 0.99, 0.98, 1}, 5000, 0.1f).Moments);
        EXPECT_EQ(r.Etat, Identifiabilite::Bonne);
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const MomentsMelanges sain = Moments({1, 0.5, -0.4, 1}, 2, 1, 0.5, 30);
    const auto avec = [&sain](auto f) {
        MomentsMelanges m = sain;
        f(m);
        return m;
    };
    const struct {
        MomentsMelanges m;
        CauseIndefinie cause;
    } cas[] = {
        {avec([&](MomentsMelanges& m) { m.Edx1dx2 = nan; }), CauseIndefinie::NonFinis},
        {avec([](MomentsMelanges& m) { m.Ex1x2 = 1e308, m.Ex1x1 = m.Ex2x2 = 1e308; }),
         CauseIndefinie::MelangesProportionnels},
        {avec([](MomentsMelanges& m) { m.Ex2x2 = 0; }), CauseIndefinie::MelangeNul},
        // C1 indefinite: a negative ratio of powers.
        {avec([](MomentsMelanges& m) { m.Edx1dx1 = -m.Edx1dx1; }),
         CauseIndefinie::ValeurPropreNegative},
        {avec([](MomentsMelanges& m) { m.Edx1dx1 = m.Edx2dx2 = 1e308, m.Edx1dx2 = -1e308; }),
         CauseIndefinie::ValeurPropreNonFinie},
    };
    for (const auto& c : cas) {
        const RacinesOrdre2 r = CalculerRacinesOrdre2(c.m);
        EXPECT_EQ(r.Etat, Identifiabilite::Indefinie);
        EXPECT_EQ(r.Cause, c.cause) << NomCause(r.Cause);
        EXPECT_NE(MessageRacines(r), MessageIdentifiabilite(Identifiabilite::Bonne));
    }
}
