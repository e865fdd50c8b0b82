#include "signal/Generateurs.h"
#include "signal/Memoire.h"
#include "support/Gardes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <vector>

namespace {

constexpr float Pas = 0.1f;

std::vector<double> Generer(TypeSource type, int N, GenerateurAleatoire& alea) {
    std::vector<double> s;
    GenererSource(type, N, Pas, alea, s);
    return s;
}

double Moyenne(const std::vector<double>& v) {
    return std::accumulate(v.begin(), v.end(), 0.0) / double(v.size());
}

double EcartType(const std::vector<double>& v) {
    const double m = Moyenne(v);
    double s = 0;
    for (double x : v) {
        s += (x - m) * (x - m);
    }
    return std::sqrt(s / double(v.size()));
}

// The noise kinds as described draw by draw, pass after pass, from the generator's next().
std::vector<double> SommesPasAPas(std::size_t n, int passes, GenerateurAleatoire& alea) {
    std::vector<double> v(n, 0.0);
    for (int p = 0; p < passes; ++p) {
        for (std::size_t i = 0; i < n; ++i) {
            const double u = ValeurUniforme(alea.TirageDixMille());
            v[i] = p == 0 ? u : v[i] + u;
        }
    }
    return v;
}

} // namespace

TEST(Generateurs, EveryKindYieldsExactlyNSamples) {
    for (int N : {5000, 5001, 5, 1}) {
        for (TypeSource type :
             {TypeSource::BruitBlancGaussien, TypeSource::BruitBlancUniforme, TypeSource::Cosinus,
              TypeSource::Sinus, TypeSource::BruitColoreGaussien, TypeSource::SignalCarre,
              TypeSource::DentDeScie, TypeSource::BruitDeLaplace}) {
            GenerateurAleatoire alea;
            EXPECT_EQ(Generer(type, N, alea).size(), std::size_t(N))
                << "kind " << int(type) << ", N " << N;
        }
    }
}

TEST(Generateurs, ZeroOrNegativeNGivesAnEmptySource) {
    for (int N : {0, -1, -5000}) {
        for (TypeSource type :
             {TypeSource::BruitBlancGaussien, TypeSource::BruitBlancUniforme, TypeSource::Cosinus,
              TypeSource::Sinus, TypeSource::BruitColoreGaussien, TypeSource::SignalCarre,
              TypeSource::DentDeScie, TypeSource::BruitDeLaplace}) {
            GenerateurAleatoire alea;
            std::vector<double> s{1.0, 2.0};
            GenererSource(type, N, Pas, alea, s);
            EXPECT_TRUE(s.empty()) << "kind " << int(type) << ", N " << N;
        }
    }
}

TEST(Generateurs, UniformValuesLieOnTheThousandthGridOfMinusFiveToFourPointNineNineNine) {
    EXPECT_DOUBLE_EQ(ValeurUniforme(0), -5.0);
    EXPECT_NEAR(ValeurUniforme(9999), 4.999, 1e-12);
    GenerateurAleatoire alea;
    const auto s = Generer(TypeSource::BruitBlancUniforme, 100000, alea);
    for (double x : s) {
        ASSERT_GE(x, -5.0);
        ASSERT_LE(x, 4.999 + 1e-12);
        ASSERT_NEAR(x * 1000, std::round(x * 1000), 1e-6);
    }
    EXPECT_NEAR(Moyenne(s), -0.0005, 0.03);
    EXPECT_NEAR(EcartType(s), 2.8868, 0.03);
}

TEST(Generateurs, CosineAndSineHaveAmplitudeFiveAndStepPointOne) {
    GenerateurAleatoire alea;
    const auto c = Generer(TypeSource::Cosinus, 5000, alea);
    const auto s = Generer(TypeSource::Sinus, 5000, alea);
    EXPECT_EQ(c[0], 5.0);
    EXPECT_EQ(s[0], 0.0);
    for (std::size_t i = 0; i < c.size(); ++i) {
        ASSERT_NEAR(c[i] * c[i] + s[i] * s[i], 25.0, 1e-9) << i;
    }
    // The step is the single-precision 0.1.
    EXPECT_EQ(c[1], 5 * std::cos(double(0.1f)));
    EXPECT_NE(c[1], 5 * std::cos(0.1));
}

TEST(Generateurs, NoiseDiffersEachTimeWhileCosineRepeats) {
    GenerateurAleatoire alea;
    for (TypeSource type : {TypeSource::BruitBlancGaussien, TypeSource::BruitBlancUniforme,
                            TypeSource::BruitColoreGaussien}) {
        EXPECT_NE(Generer(type, 1000, alea), Generer(type, 1000, alea)) << int(type);
    }
    EXPECT_EQ(Generer(TypeSource::Cosinus, 1000, alea), Generer(TypeSource::Cosinus, 1000, alea));
}

TEST(Generateurs, TwoRunsFromTheFixedStartGiveTheSameNoise) {
    GenerateurAleatoire premier, second;
    EXPECT_EQ(Generer(TypeSource::BruitBlancGaussien, 2000, premier),
              Generer(TypeSource::BruitBlancGaussien, 2000, second));
    EXPECT_EQ(Generer(TypeSource::BruitColoreGaussien, 2001, premier),
              Generer(TypeSource::BruitColoreGaussien, 2001, second));
}

TEST(Generateurs, TiledSumsEqualTheDrawByDrawDefinition) {
    // Gaussian: s[i] = 0.05 x (501 uniforms added pass after pass).
    GenerateurAleatoire rapide, reference;
    const auto g = Generer(TypeSource::BruitBlancGaussien, 4099, rapide);
    auto attendu = SommesPasAPas(4099, 501, reference);
    for (double& x : attendu) {
        x *= 0.05;
    }
    EXPECT_EQ(g, attendu);
    EXPECT_EQ(rapide.EtatCourant(), reference.EtatCourant());

    // Coloured: L = 1.5 N truncated; 101 passes, x 0.1, filter, warm-up of N/2 dropped.
    const int N = 2049;
    const auto c = Generer(TypeSource::BruitColoreGaussien, N, rapide);
    auto w = SommesPasAPas(std::size_t(N) * 3 / 2, 101, reference);
    std::vector<double> y(w.size());
    for (std::size_t j = 0; j < w.size(); ++j) {
        w[j] *= 0.1;
        y[j] = j == 0 ? w[0] : 0.99 * y[j - 1] + 0.01 * w[j];
    }
    std::vector<double> attenduColore;
    for (std::size_t j = N / 2; j < y.size(); ++j) {
        attenduColore.push_back(10 * y[j]);
    }
    EXPECT_EQ(c, attenduColore);
    EXPECT_EQ(rapide.EtatCourant(), reference.EtatCourant());
}

TEST(Generateurs, NoiseStatisticsMatchTheirConstruction) {
    GenerateurAleatoire alea;
    const auto g = Generer(TypeSource::BruitBlancGaussien, 100000, alea);
    EXPECT_NEAR(Moyenne(g), -0.012525, 0.04);
    EXPECT_NEAR(EcartType(g), 3.23, 0.05);

    // Coloured noise: standard deviation about 2.06, lag-one correlation about 0.99.
    const auto c = Generer(TypeSource::BruitColoreGaussien, 200000, alea);
    EXPECT_NEAR(Moyenne(c), -0.05, 0.4);
    EXPECT_NEAR(EcartType(c), 2.06, 0.2);
    const double m = Moyenne(c);
    double cov = 0, var = 0;
    for (std::size_t i = 0; i + 1 < c.size(); ++i) {
        cov += (c[i] - m) * (c[i + 1] - m);
        var += (c[i] - m) * (c[i] - m);
    }
    EXPECT_NEAR(cov / var, 0.99, 0.005);
}

TEST(Generateurs, TooLargeANIsRefusedBeforeAnythingChanges) {
    const GardeBudgetMemoire budget(1 << 20);
    GenerateurAleatoire alea;
    const auto etat = alea.EtatCourant();
    std::vector<double> s{1.0, 2.0, 3.0};
    for (TypeSource type :
         {TypeSource::BruitBlancGaussien, TypeSource::Cosinus, TypeSource::BruitColoreGaussien}) {
        EXPECT_THROW(GenererSource(type, 1 << 20, Pas, alea, s), ErreurMemoire);
        EXPECT_EQ(s, (std::vector<double>{1.0, 2.0, 3.0}));
        EXPECT_EQ(alea.EtatCourant(), etat);
    }
    EXPECT_THROW(GenererSource(TypeSource::Sinus, 2147483647, Pas, alea, s), ErreurMemoire);
}

TEST(Generateurs, SquareAndSawtoothShareThePeriodOfTheSineAndLaplaceNoiseHasHeavyTails) {
    GenerateurAleatoire alea;
    const auto sinus = Generer(TypeSource::Sinus, 2000, alea);
    const auto carre = Generer(TypeSource::SignalCarre, 2000, alea);
    const auto scie = Generer(TypeSource::DentDeScie, 2000, alea);
    for (std::size_t i = 0; i < sinus.size(); ++i) {
        ASSERT_EQ(carre[i], sinus[i] >= 0 ? 5.0 : -5.0) << i;
        ASSERT_GE(scie[i], -5.0);
        ASSERT_LT(scie[i], 5.0);
        const double t = double(i) * double(Pas) / 6.283185307179586;
        ASSERT_NEAR(scie[i], 5 * (2 * (t - std::floor(t)) - 1), 1e-9) << i;
    }
    const std::uint64_t avant = alea.EtatCourant();
    const auto laplace = Generer(TypeSource::BruitDeLaplace, 200000, alea);
    GenerateurAleatoire attendu;
    attendu.FixerEtat(avant);
    attendu.Avancer(200000);
    EXPECT_EQ(alea.EtatCourant(), attendu.EtatCourant()) << "one draw per sample";
    const double m = Moyenne(laplace), e = EcartType(laplace);
    double m4 = 0;
    for (double x : laplace) {
        m4 += std::pow((x - m) / e, 4);
    }
    EXPECT_NEAR(m, 0.0, 0.02);
    EXPECT_NEAR(e, 2 * std::sqrt(2.0), 0.03);
    EXPECT_NEAR(m4 / double(laplace.size()), 6.0, 0.3); // a Gaussian gives 3
}

TEST(Generateurs, AProgressThatGoesOnChangesNothingAndOneThatStopsLeavesAllAsItWas) {
    const int N = 3'000'000; // several calls of the progress for every kind
    for (TypeSource type :
         {TypeSource::BruitBlancUniforme, TypeSource::BruitBlancGaussien, TypeSource::Cosinus,
          TypeSource::Sinus, TypeSource::BruitColoreGaussien, TypeSource::SignalCarre,
          TypeSource::DentDeScie, TypeSource::BruitDeLaplace}) {
        GenerateurAleatoire a, b;
        std::vector<double> sans, avec;
        GenererSource(type, N, Pas, a, sans);
        double dernier = -1;
        int appels = 0;
        const RappelAvancement suivre = [&](double fait) {
            EXPECT_GT(fait, dernier);
            EXPECT_LT(fait, 1.0);
            dernier = fait;
            ++appels;
            return true;
        };
        ASSERT_TRUE(GenererSource(type, N, Pas, b, avec, suivre));
        EXPECT_GT(appels, 1) << int(type);
        EXPECT_EQ(avec, sans) << "bit for bit";
        EXPECT_EQ(b.EtatCourant(), a.EtatCourant());

        const auto etat = b.EtatCourant();
        std::vector<double> cible{1.0, 2.0};
        EXPECT_FALSE(GenererSource(type, N, Pas, b, cible, [](double) { return false; }));
        EXPECT_EQ(cible, (std::vector<double>{1.0, 2.0}));
        EXPECT_EQ(b.EtatCourant(), etat);
    }
}
