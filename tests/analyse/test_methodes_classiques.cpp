#include "analyse/MethodesClassiques.h"

#include "analyse/Qualite.h"
#include "analyse/RacinesOrdre2.h"
#include "signal/Generateurs.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int N = 20000;
constexpr float Pas = 0.1f;

std::vector<double> Bruit(TypeSource type, std::uint64_t graine) {
    GenerateurAleatoire alea;
    alea.Initialiser(graine);
    std::vector<double> s;
    GenererSource(type, N, Pas, alea, s);
    return s;
}

// s(t) = a.s(t-1) + e(t): the lag-k autocorrelation is a^k.
std::vector<double> Autoregressif(double a, std::uint64_t graine) {
    std::vector<double> s = Bruit(TypeSource::BruitBlancGaussien, graine);
    for (std::size_t i = 1; i < s.size(); ++i) {
        s[i] += a * s[i - 1];
    }
    return s;
}

struct Sources {
    std::vector<double> s1, s2;
};

ReponseClassique Calculer(MethodeClassique m, const Melanges& x, const OptionsClassiques& o) {
    return CalculerMethodesClassiques(x, N, o)[std::size_t(m)];
}

} // namespace

TEST(MethodesClassiques, EachMethodSeparatesSourcesBuiltForIt) {
    const Sources ar{Autoregressif(0.9, 1), Autoregressif(-0.5, 2)};
    const Sources ica{Bruit(TypeSource::BruitDeLaplace, 3),
                      Bruit(TypeSource::BruitBlancUniforme, 4)};
    const auto options = [](NonLineariteIca g) {
        OptionsClassiques o;
        o.NonLinearite = g;
        return o;
    };
    const struct {
        MethodeClassique methode;
        const Sources& s;
        OptionsClassiques o;
    } cas[] = {
        {MethodeClassique::Amuse, ar, {}},
        {MethodeClassique::Sobi, ar, {}},
        {MethodeClassique::FastIca, ica, options(NonLineariteIca::LogCosh)},
        {MethodeClassique::FastIca, ica, options(NonLineariteIca::Cube)},
        {MethodeClassique::FastIca, ica, options(NonLineariteIca::Gauss)},
        {MethodeClassique::Jade, ica, {}},
    };
    // The last two are ill-conditioned: cond(A) about 13 and 19.
    const Matrice2x2 matrices[] = {
        {1, 0.5, -0.4, 1}, {1, -0.9, 0.3, 1}, {2, 1, 1, 3}, {1, 0.85, 0.9, 1}, {1, -0.9, -0.9, 1}};
    for (const auto& c : cas) {
        for (const Matrice2x2& A : matrices) {
            SCOPED_TRACE(NomMethode(c.methode) + " A = [" + std::to_string(A.a12) + ", " +
                         std::to_string(A.a21) + "]");
            const Melanges x = GenererMelanges(c.s.s1, c.s.s2, A, N, Pas);
            const ReponseClassique r = Calculer(c.methode, x, c.o);
            EXPECT_EQ(r.Methode, c.methode);
            EXPECT_TRUE(r.Converge) << r.Message;
            EXPECT_TRUE(r.Message.empty()) << r.Message;
            ASSERT_TRUE(r.Point && r.Permutation);
            // |a11.a22| > |a12.a21|: the diagonal-dominant demixing row order is the direct
            // one, the other order the permuted point.
            const PuissancesSources P = CalculerPuissances(c.s.s1, c.s.s2, N);
            const Qualite q = CalculerQualite(r.Point->x, r.Point->y, A, P);
            const Qualite p = CalculerQualite(r.Permutation->x, r.Permutation->y, A, P);
            EXPECT_EQ(q.Paires, Appariement::Identite);
            EXPECT_EQ(p.Paires, Appariement::Croise);
            ASSERT_TRUE(q.Sir1 && q.Sir2 && p.Sir1 && p.Sir2);
            EXPECT_GT(std::min(*q.Sir1, *q.Sir2), 30);
            EXPECT_GT(std::min(*p.Sir1, *p.Sir2), 30);
            EXPECT_NEAR(r.Separation.a11 * r.Point->x, r.Separation.a12, 1e-9);
        }
    }
}

TEST(MethodesClassiques, AmuseIsTheExactRootPairAndSobiAtLagOneAgrees) {
    const Sources ar{Autoregressif(0.9, 5), Autoregressif(-0.5, 6)};
    const Melanges x = GenererMelanges(ar.s1, ar.s2, {1, 0.6, -0.45, 1}, N, Pas);
    const RacinesOrdre2 racines = CalculerRacinesOrdre2(x.Moments);
    const ReponseClassique amuse = CalculerAmuse(x.Moments, N);
    ASSERT_TRUE(racines.Racine1 && racines.Racine2 && amuse.Point && amuse.Permutation);
    EXPECT_NEAR(amuse.Point->x, racines.Racine1->x, 1e-12);
    EXPECT_NEAR(amuse.Point->y, racines.Racine1->y, 1e-12);
    EXPECT_NEAR(amuse.Permutation->x, racines.Racine2->x, 1e-9);
    EXPECT_NEAR(amuse.Permutation->y, racines.Racine2->y, 1e-9);
    // Whitening, then the rotation that diagonalises the lag-1 covariance: the same
    // generalised eigenvectors, up to the end samples and the means.
    const ReponseClassique sobi = CalculerSobi(x.Melange1, x.Melange2, N, {1});
    ASSERT_TRUE(sobi.Point);
    EXPECT_NEAR(sobi.Point->x, amuse.Point->x, 2e-3);
    EXPECT_NEAR(sobi.Point->y, amuse.Point->y, 2e-3);
}

TEST(MethodesClassiques, DegenerateMixturesFailClearlyWithoutPoints) {
    const std::vector<double> s = Autoregressif(0.9, 7);
    const std::vector<double> u = Bruit(TypeSource::BruitDeLaplace, 8);
    std::vector<double> arrondi(s.size()), troue = s;
    for (std::size_t i = 0; i < s.size(); ++i) {
        arrondi[i] = 2 * double(float(s[i])); // the same signal, through a float file
    }
    troue[100] = NAN;
    const struct {
        const char* nom;
        std::vector<double> x1, x2;
    } cas[] = {
        {"identical", s, s},
        {"proportional to the last bits", s, arrondi},
        {"zeros", std::vector<double>(N, 0.0), std::vector<double>(N, 0.0)},
        {"one zero mixture", s, std::vector<double>(N, 0.0)},
        {"not a number", troue, u},
        {"too short", {s.begin(), s.begin() + 3}, {u.begin(), u.begin() + 3}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const Melanges x = MelangesObserves(c.x1, c.x2, Pas);
        for (const ReponseClassique& r : CalculerMethodesClassiques(x, N)) {
            SCOPED_TRACE(NomMethode(r.Methode));
            EXPECT_FALSE(r.Converge);
            EXPECT_FALSE(r.Point || r.Permutation);
            EXPECT_FALSE(r.Message.empty());
        }
    }
}

TEST(MethodesClassiques, BadDelaysAndNonConvergenceAreSaid) {
    const Sources ica{Bruit(TypeSource::BruitDeLaplace, 9),
                      Bruit(TypeSource::BruitBlancUniforme, 10)};
    const Melanges x = GenererMelanges(ica.s1, ica.s2, {1, 0.5, -0.4, 1}, N, Pas);
    const struct {
        std::vector<int> retards;
        std::vector<std::string> nommes;
    } cas[] = {
        {{1, 0, -3}, {"0", "-3"}},
        {{2, 2, 5}, {"2"}},
        {{1, N / 2 + 1}, {std::to_string(N / 2 + 1)}},
        {{}, {"aucun"}},
    };
    for (const auto& c : cas) {
        const ReponseClassique r = CalculerSobi(x.Melange1, x.Melange2, N, c.retards);
        EXPECT_FALSE(r.Point || r.Converge);
        for (const std::string& nom : c.nommes) {
            EXPECT_NE(r.Message.find(nom), std::string::npos) << r.Message;
        }
    }
    EXPECT_TRUE(CalculerSobi(x.Melange1, x.Melange2, N, {N / 2}).Point);
    // Two iterations are not enough: the last iterate is given, marked as not converged.
    const ReponseClassique ica2 =
        CalculerFastIca(x.Melange1, x.Melange2, N, NonLineariteIca::LogCosh, 2, 1e-12);
    EXPECT_FALSE(ica2.Converge);
    EXPECT_EQ(ica2.Iterations, 2);
    EXPECT_NE(ica2.Message.find("pas convergé"), std::string::npos);
    ASSERT_TRUE(ica2.Point);
    EXPECT_TRUE(std::isfinite(ica2.Point->x) && std::isfinite(ica2.Point->y));
}

TEST(MethodesClassiques, NormalisationPicksTheDiagonalDominantRowOrder) {
    const struct {
        Matrice2x2 W;
        std::optional<PointPlan> point, permutation;
    } cas[] = {
        {{2, 1, 0.5, 4}, PointPlan{0.5, 0.125}, PointPlan{8, 2}},
        {{0.5, 4, 2, 1}, PointPlan{0.5, 0.125}, PointPlan{8, 2}}, // rows swapped
        {{-3, 0, 0, 2}, PointPlan{0, 0}, std::nullopt},           // no permuted point
        {{0, 2, 5, 0}, PointPlan{0, 0}, std::nullopt},
        {{1, 2, 2, 4}, std::nullopt, std::nullopt}, // singular
        {{1, NAN, 0, 1}, std::nullopt, std::nullopt},
    };
    for (const auto& c : cas) {
        const PointsSeparation p = NormaliserSeparation(c.W);
        ASSERT_EQ(bool(p.Point), bool(c.point));
        ASSERT_EQ(bool(p.Permutation), bool(c.permutation));
        if (c.point) {
            EXPECT_DOUBLE_EQ(p.Point->x, c.point->x);
            EXPECT_DOUBLE_EQ(p.Point->y, c.point->y);
        }
        if (c.permutation) {
            EXPECT_DOUBLE_EQ(p.Permutation->x, c.permutation->x);
            EXPECT_DOUBLE_EQ(p.Permutation->y, c.permutation->y);
        }
    }
}

TEST(MethodesClassiques, SameSpectraDefeatSecondOrderButNotFourth) {
    // s2 is s1 delayed by 200 samples, s1 being blocks of 100 small integers (zero sum) 300
    // samples apart: the same autocorrelation at every delay exactly, no cross-correlation
    // up to delay 100, the same non-Gaussian distribution.
    GenerateurAleatoire alea;
    std::vector<double> s1(N, 0.0), s2(N, 0.0);
    for (int debut = 0; debut + 400 <= N; debut += 400) {
        double somme = 0;
        for (int i = 0; i < 99; ++i) {
            s1[debut + i] = alea.TirageDixMille() % 7 - 3;
            somme += s1[debut + i];
        }
        s1[debut + 99] = -somme;
        std::copy(s1.begin() + debut, s1.begin() + debut + 100, s2.begin() + debut + 200);
    }
    const Matrice2x2 A{1, 0.5, -0.4, 1};
    const Melanges x = GenererMelanges(s1, s2, A, N, Pas);
    const PuissancesSources P = CalculerPuissances(s1, s2, N);
    const std::vector<ReponseClassique> r = CalculerMethodesClassiques(x, N);
    const bool separe[] = {false, false, true, true}; // AMUSE, SOBI, FastICA, JADE
    for (std::size_t k = 0; k < r.size(); ++k) {
        SCOPED_TRACE(NomMethode(r[k].Methode));
        EXPECT_EQ(bool(r[k].Point), separe[k]);
        EXPECT_EQ(r[k].Converge, separe[k]);
        EXPECT_EQ(r[k].Message.empty(), separe[k]) << r[k].Message;
        if (r[k].Point) {
            EXPECT_GT(*CalculerQualite(r[k].Point->x, r[k].Point->y, A, P).SirMoyen(), 30);
        }
    }
}
