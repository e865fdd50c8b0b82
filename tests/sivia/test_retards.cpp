#include "sivia/Retards.h"

#include "sivia/AideCourbeOrdre0.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

TEST(Retards, DelaysAreReadOrRefusedByName) {
    const struct {
        const char* texte;
        std::size_t N;
        std::vector<int> retards;
        std::string erreur; // a part of the message; empty when accepted
    } cas[] = {
        {"1,2,4,8", 5000, {1, 2, 4, 8}, ""},
        {" 3; 1\t+2 ", 100, {3, 1, 2}, ""},
        {"1,2500", 5000, {1, 2500}, ""},
        {"1,2500", 4999, {}, "2500 (plus grand que N/2 = 2499)"},
        {"1,-3,2", 5000, {}, "-3 (négatif)"},
        {"0,1", 5000, {}, "0 (nul)"},
        {"-0", 5000, {}, "-0 (nul)"},
        {"1,2,1", 5000, {}, "1 (répété)"},
        {"2.5,4", 5000, {}, "2.5 (non entier)"},
        {"1e2", 5000, {}, "1e2 (non entier)"},
        {"un", 5000, {}, "un (non entier)"},
        {"99999999999999999999999", 5000, {}, "(plus grand que N/2 = 2500)"},
        {"-1,0,7,7",
         10,
         {},
         "Retards refusés : -1 (négatif), 0 (nul), 7 (plus grand que N/2 = "
         "5), 7 (plus grand que N/2 = 5)."},
        {" , ", 5000, {}, "Aucun retard"},
    };
    for (const auto& c : cas) {
        const LectureRetards l = LireRetards(c.texte, c.N);
        EXPECT_EQ(l.Retards, c.retards) << c.texte;
        if (c.erreur.empty()) {
            EXPECT_EQ(l.Erreur, "") << c.texte;
        } else {
            EXPECT_NE(l.Erreur.find(c.erreur), std::string::npos) << c.texte << ": " << l.Erreur;
        }
    }
}

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// Two autoregressive sources of random spectra mixed by [[1, b], [c, 1]], and the means the
// criterion reads, computed here from their definitions.
struct Donnees {
    MomentsMelanges m;
    MomentsRetardes r;
};

Donnees Tirer(std::mt19937_64& g, int n) {
    std::uniform_real_distribution<double> u(-1, 1);
    std::normal_distribution<double> bruit;
    std::vector<double> s[2];
    for (auto& v : s) {
        // Stable: |a2| < 1 and |a1| < 1 - a2.
        const double a2 = -0.3 - 0.6 * std::fabs(u(g)), a1 = 0.95 * (1 - a2) * u(g);
        double p1 = 0, p2 = 0;
        for (int i = 0; i < n; ++i) {
            const double e = a1 * p1 + a2 * p2 + bruit(g);
            v.push_back(e), p2 = p1, p1 = e;
        }
    }
    const double b = 1.2 * u(g), c = 1.2 * u(g);
    std::vector<double> x1, x2;
    for (int i = 0; i < n; ++i) {
        x1.push_back(s[0][i] + b * s[1][i]);
        x2.push_back(c * s[0][i] + s[1][i]);
    }
    Donnees d;
    const auto moyenne = [&](const std::vector<double>& p, const std::vector<double>& q, int t) {
        double somme = 0;
        for (int i = 0; i + t < n; ++i) {
            somme += p[i] * q[i + t];
        }
        return somme / (n - t);
    };
    d.m.Ex1x1 = moyenne(x1, x1, 0), d.m.Ex1x2 = moyenne(x1, x2, 0), d.m.Ex2x2 = moyenne(x2, x2, 0);
    const int tous[] = {1, 2, 3, 4, 6, 8};
    for (int k = 0, nb = 1 + int(g() % 6); k < nb; ++k) {
        d.r.Retards.push_back(tous[k]);
        d.r.R11.push_back(moyenne(x1, x1, tous[k]));
        d.r.R12.push_back(moyenne(x1, x2, tous[k]));
        d.r.R21.push_back(moyenne(x2, x1, tous[k]));
        d.r.R22.push_back(moyenne(x2, x2, tous[k]));
    }
    return d;
}

const ContraintesActives Retardee{true, true, false, true};

} // namespace

TEST(Retards, TheBoxBoundNeverExceedsTheCriterionAtAPointOfTheCurveInside) {
    std::mt19937_64 g(11);
    std::uniform_real_distribution<double> u(0, 1);
    for (int essai = 0; essai < 300; ++essai) {
        const Donnees d = Tirer(g, 500);
        const critere_rapide::DecorrelationRetardee k(d.m, d.r, {-4, 4}, {-4, 4});
        const double x0 = -4 + 7 * u(g), y0 = -4 + 7 * u(g), w = std::ldexp(1.0, -int(g() % 12));
        const double x = x0 + w * u(g), y = CourbeOrdre0EnX(x, d.m);
        const double f = k.SurPave({x0, x0 + w}, {y0, y0 + w});
        if (y0 <= y && y <= y0 + w) { // a point of the curve in the box
            EXPECT_LE(f, CritereRetardeAuPoint(x, y, d.m, d.r)) << essai;
        }
        // The centre's value is the criterion at a point of the curve: never below the box's
        // bound where that point lies in the box.
        const double v = k.AuPoint(x0 + w / 2, y0 + w / 2);
        if (std::isfinite(v) && std::fabs(CourbeOrdre0EnX(x0 + w / 2, d.m) - y0 - w / 2) < w / 2) {
            EXPECT_LE(f, v) << essai;
        }
    }
}

TEST(Retards, EveryMinimiserOnTheLagZeroCurveLiesInAKeptBox) {
    std::mt19937_64 g(5);
    std::uniform_real_distribution<double> u(0, 1);
    int verifies = 0;
    for (int essai = 0; essai < 400; ++essai) {
        const Donnees d = Tirer(g, 1500);
        // Search boxes that cut the curve: its minimum outside must not bound the one inside.
        const double lo = -3 + 2 * u(g), up = lo + 1.5 + 3 * u(g);
        const double precision = (g() % 2) ? 0.05 : 0.02;
        const OrdreStockage ordre = g() % 2 ? StockageFile : StockagePile;
        const PointCourbeOrdre0 p = VerifierMinimiseurGarde(
            d.m, d.r, Retardee, lo, up, precision, ordre,
            [&](double x, double y) { return CritereRetardeAuPoint(x, y, d.m, d.r); }, essai);
        verifies += std::isfinite(p.valeur) ? 1 : 0;
    }
    EXPECT_GT(verifies, 300);
}

TEST(Retards, WithoutItsPathTheSolveRejectsNothing) {
    std::mt19937_64 g(3);
    const Donnees d = Tirer(g, 300);
    Interval inverse(-2, 2);
    std::swap(inverse.Lo, inverse.Hi);
    const struct {
        Box boite;
        bool nan;
    } cas[] = {{Pave(inverse, Interval(-2, 2)), false},
               {Pave(-2, 2, -2, INFINITY), false},
               {Pave(-2, 2, -2, 2), true}}; // a lagged mean that is not a number
    for (const auto& c : cas) {
        Donnees e = d;
        if (c.nan) {
            e.r.R21.back() = NaN;
        }
        BoxList enAttente, rejetees, gardees;
        const ResultatSivia r = ExecuterSivia(c.boite, enAttente, rejetees, gardees, Repere{}, e.m,
                                              Retardee, 0.5, StockageFile, UINT64_MAX, e.r);
        EXPECT_EQ(r.NbRejetees, 0u) << Texte(c.boite);
        EXPECT_GT(r.NbGardees, 0u) << Texte(c.boite);
    }
}
