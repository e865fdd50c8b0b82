#include "sivia/Sivia.h"

#include "support/AideIntervalles.h"
#include "support/CanevasEnregistreur.h"
#include "support/SiviaReference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <iterator>
#include <limits>
#include <random>

namespace {

using Appels = std::vector<std::string>;
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// Two decorrelations, both zero at (1, -1) and at (-1, 1).
MomentsMelanges MomentsExemple() {
    MomentsMelanges m;
    m.Ex1x1 = 1, m.Ex1x2 = 0.5, m.Ex2x2 = 1, m.Edx1dx1 = 1, m.Edx1dx2 = -0.5, m.Edx2dx2 = 1;
    return m;
}
const ContraintesActives Deux{true, true, false}, Une{true, false, false};

// A solve on lists of its own, drawn on a 20 x 20 recording canvas over its box.
struct Solveur {
    BoxList enAttente, rejetees, solution;
    CanevasEnregistreur canevas{20, 20};
    Repere repere;
    ResultatSivia r;
    bool dessiner = true;

    std::string Executer(const Box& b, const MomentsMelanges& m, const ContraintesActives& c,
                         double precision, OrdreStockage stockage = StockageFile,
                         std::uint64_t limite = UINT64_MAX) {
        repere = Repere{b[2], b[1], dessiner ? &canevas : nullptr};
        r = ExecuterSivia(b, enAttente, rejetees, solution, repere, m, c, precision, stockage,
                          limite);
        EXPECT_TRUE(enAttente.IsEmpty());
        if (std::isfinite(b[1].Width() + b[2].Width()) && repere.EchelleCourante()) {
            // Every stored box was drawn.
            EXPECT_EQ(rejetees.Size() + solution.Size(), canevas.Filtrer("Rectangle").size());
        }
        return std::to_string(r.NbPrises) + " " + std::to_string(r.NbRejetees) + " " +
               std::to_string(r.NbGardees);
    }
    std::string HullSolution() const {
        Box e = solution.At(0);
        for (const Box& b : solution) {
            e = Hull(b, e);
        }
        return Texte(e);
    }
};

} // namespace

TEST(Sivia, WorkedRunsInBothStorageOrders) {
    // Stack-order figures traced separately with an independent model of the arithmetic
    // and the loop, which also gives the queue-order figures.
    const struct {
        ContraintesActives c;
        double precision;
        OrdreStockage stockage;
        std::string attendu, hull;
    } cas[] = {
        {Deux, 0.5, StockageFile, "109 45 10", "[-1.25,1.25]x[-1.25,1.25]"},
        {Deux, 1.0, StockageFile, "65 23 10", "[-1.5,1.5]x[-1.5,1.5]"},
        {Une, 0.5, StockageFile, "511 0 256", "[-2,2]x[-2,2]"},
        {Deux, 0.5, StockagePile, "119 49 11", "[-1.25,1.25]x[-1.25,1.25]"},
        {Deux, 1.0, StockagePile, "71 25 11", "[-1.5,1.5]x[-1.5,1.5]"},
        {Une, 0.5, StockagePile, "511 0 256", "[-2,2]x[-2,2]"},
    };
    for (const auto& c : cas) {
        Solveur s;
        EXPECT_EQ(s.Executer(Pave(-2, 2, -2, 2), MomentsExemple(), c.c, c.precision, c.stockage),
                  c.attendu);
        EXPECT_EQ(s.r.MeilleurCritere, 0);
        EXPECT_EQ(s.HullSolution(), c.hull);
    }
}

TEST(Sivia, DrawsEachClassifiedBoxInItsColour) {
    // [0,2]^2 at 1.5: cut along x, then each half along y. sx = 10, ox = 0, sy = -10, oy = 20.
    const Appels file = {"Rectangle(0,20,11,9)", "Rectangle(0,10,11,-1)", "Rectangle(10,20,21,9)",
                         "Rectangle(10,10,21,-1)"};
    Solveur f, p;
    EXPECT_EQ(f.Executer(Pave(0, 2, 0, 2), {}, Une, 1.5, StockageFile), "7 0 4");
    EXPECT_EQ(f.canevas.Filtrer("Rectangle"), file);
    EXPECT_EQ(p.Executer(Pave(0, 2, 0, 2), {}, Une, 1.5, StockagePile), "7 0 4");
    EXPECT_EQ(p.canevas.Filtrer("Rectangle"), Appels(file.rbegin(), file.rend()));
    EXPECT_EQ(Appels(p.canevas.Appels.begin(), p.canevas.Appels.begin() + 3),
              (Appels{"BrushStyle(0)", "BrushColor(0x00FFFF)", "PenColor(0x00FFFF)"}));
    MomentsMelanges fort; // both constraints in [2000, 4000] over [0,1]^2: above 999
    fort.Ex1x2 = fort.Edx1dx2 = 2000;
    Solveur r;
    EXPECT_EQ(r.Executer(Pave(0, 1, 0, 1), fort, Deux, 0.01), "1 1 0");
    EXPECT_EQ(r.r.MeilleurCritere, 999);
    EXPECT_EQ(r.canevas.Appels, (Appels{"BrushStyle(0)", "BrushColor(0xFF0000)",
                                        "PenColor(0xFF0000)", "Rectangle(0,20,21,-1)"}));
}

TEST(Sivia, EdgeCasesEndWithoutRejecting) {
    MomentsMelanges nanMoments = MomentsExemple();
    nanMoments.Ex1x1 = NaN; // every criterion Lower is NaN
    const double inf = std::numeric_limits<double>::infinity();
    Solveur a, b, c, d, e;
    EXPECT_EQ(a.Executer(Pave(-2, 2, -2, 2), nanMoments, Deux, 0.5), "511 0 256");
    EXPECT_TRUE(std::isnan(a.r.MeilleurCritere));
    EXPECT_EQ(b.Executer(Pave(0, 0.1, 0, 0.2), MomentsExemple(), Deux, 0.5), "1 0 1");
    // Halves as wide as their parent: kept rather than cut forever.
    EXPECT_EQ(c.Executer(Pave(0, inf, 0, 1), {}, Deux, 1), "1 0 1");
    EXPECT_EQ(d.Executer(Pave(1, std::nextafter(1.0, 2.0), 0, 0), {}, Deux, 1e-300), "1 0 1");
    EXPECT_EQ(e.Executer(Pave(NaN, 1, 0, 1), {}, Deux, 0.5), "1 0 1"); // NaN width
}

TEST(Sivia, TwoSolvesAccumulateAfterEmptyingThePendingList) {
    Solveur s;
    s.enAttente.PushBack(Pave(50, 60, 50, 60)); // left over: dropped at the start
    s.Executer(Pave(-2, 2, -2, 2), MomentsExemple(), Deux, 0.5);
    s.Executer(Pave(-2, 2, -2, 2), MomentsExemple(), Deux, 0.5);
    ASSERT_EQ(s.solution.Size(), 20u);
    EXPECT_EQ(s.rejetees.Size(), 90u);
    for (std::uint32_t i = 0; i < 10; ++i) {
        EXPECT_EQ(Texte(s.solution.At(i)), Texte(s.solution.At(i + 10)));
    }
}

TEST(Sivia, RefusesNonPositivePrecisionAndStopsAtTheBoxLimit) {
    for (double p : {0.0, -0.5, NaN}) {
        Solveur s;
        EXPECT_EQ(s.Executer(Pave(-2, 2, -2, 2), {}, Une, p), "0 0 0");
        EXPECT_EQ(s.r.Statut, StatutSivia::PrecisionRefusee);
    }
    // Breadth first, nothing is kept before depth 8; cutting the j-th box of depth 6
    // brings the boxes held to 64 + j + 1, so j = 36 would exceed 100.
    Solveur f;
    EXPECT_EQ(f.Executer(Pave(-2, 2, -2, 2), {}, Une, 0.5, StockageFile, 100), "100 0 0");
    EXPECT_EQ(f.r.Statut, StatutSivia::ArreteALaLimite);
    Solveur p; // depth first keeps boxes early: they stay drawn and stored
    p.Executer(Pave(-2, 2, -2, 2), {}, Une, 0.5, StockagePile, 200);
    EXPECT_EQ(p.r.Statut, StatutSivia::ArreteALaLimite);
    EXPECT_TRUE(p.r.NbGardees > 150 && p.r.NbGardees <= 200 - 2);
    EXPECT_EQ(p.solution.Size(), p.r.NbGardees);
    Solveur z;
    EXPECT_EQ(z.Executer(Pave(0, 1, 0, 1), {}, Une, 0.5, StockageFile, 0), "0 0 0");
    EXPECT_EQ(z.r.Statut, StatutSivia::ArreteALaLimite);
}

TEST(Sivia, DefaultDomainWithoutASelectedPairKeepsEveryLeaf) {
    Solveur s;
    s.dessiner = false;
    EXPECT_EQ(s.Executer(Pave(-5, 5, -5, 5), MomentsExemple(), Une, 0.01), "2097151 0 1048576");
    EXPECT_EQ(s.r.MeilleurCritere, 0);
    EXPECT_EQ(s.solution.At(0)[1].Width(), 0.009765625);
    EXPECT_EQ(s.HullSolution(), "[-5,5]x[-5,5]");
    EXPECT_TRUE(BoitesEnAttente.IsEmpty() && BoitesSolution.IsEmpty()); // module lists untouched
    EXPECT_FALSE(RepereImage.EchelleCourante().has_value());
}

namespace {

// Every bit of a list's boxes, a solve's counts and status, and the drawing calls: what a
// solve must reproduce exactly.
std::string Empreinte(const BoxList& l) {
    std::string r;
    for (const Box& b : l) {
        r += std::to_string(b.IsEmpty) + std::to_string(b.Dimension);
        for (int i = 1; i <= b.Dimension; ++i) {
            r += ' ' + std::to_string(std::bit_cast<std::uint64_t>(b[i].Lo)) + ',' +
                 std::to_string(std::bit_cast<std::uint64_t>(b[i].Hi)) +
                 std::to_string(b[i].IsInterval) + std::to_string(b[i].IsEmpty);
        }
        r += ';';
    }
    return r;
}
std::string Empreinte(const ResultatSivia& r) {
    const double c = std::isnan(r.MeilleurCritere) ? NaN : r.MeilleurCritere;
    return std::to_string(r.NbPrises) + ' ' + std::to_string(r.NbRejetees) + ' ' +
           std::to_string(r.NbGardees) + ' ' + std::to_string(std::bit_cast<std::uint64_t>(c)) +
           ' ' + std::to_string(static_cast<int>(r.Statut));
}

struct CasAleatoire {
    Box boite;
    MomentsMelanges m;
    ContraintesActives c;
    double precision;
    OrdreStockage stockage;
    std::uint64_t limite;
};

// Boxes of every kind (reversed, one-point, single-value, non-finite, an empty component
// now and then), moments with NaN, infinite and huge values, every flag set, both orders,
// precisions that keep runs small, sometimes a box limit.
CasAleatoire Tirer(std::mt19937_64& g) {
    std::uniform_real_distribution<double> u(-3, 3);
    auto valeur = [&] {
        static constexpr double s[] = {0.0, -0.0, NaN, 1e300, -1e300, 1e200, 1e-300};
        return g() % 12 == 0 ? s[g() % std::size(s)] : u(g);
    };
    auto composante = [&] {
        Interval I(valeur(), valeur());
        const auto k = g() % 10;
        if (k == 0) {
            I = Interval(I.Lo);
        } else if (k == 1) {
            std::swap(I.Lo, I.Hi), I.IsInterval = 1;
        } else if (k == 2) {
            I.IsEmpty = 1;
        }
        return I;
    };
    CasAleatoire c{Pave(composante(), composante()), {}, {}, 0, StockageFile, UINT64_MAX};
    c.boite.IsEmpty = g() % 20 == 0;
    for (double* v :
         {&c.m.Ex1x1, &c.m.Ex1x2, &c.m.Ex2x2, &c.m.Edx1dx1, &c.m.Edx1dx2, &c.m.Edx2dx2}) {
        *v = g() % 40 == 0 ? (g() % 2 ? NaN : 1e300) : u(g);
    }
    for (auto& ligne : c.m.Moments4) {
        for (double& v : ligne) {
            v = u(g);
        }
    }
    const auto f = g() % 8;
    c.c = {(f & 1) != 0, (f & 2) != 0, (f & 4) != 0};
    const double w = c.boite.Width();
    c.precision = std::isfinite(w) && w > 0 ? std::ldexp(w, -static_cast<int>(g() % 7)) : 0.3;
    c.stockage = g() % 2 ? StockagePile : StockageFile;
    if (g() % 10 == 0) {
        c.limite = g() % 200;
    }
    return c;
}

// One solve on lists of its own, drawn on a recording canvas over [-3, 3]^2.
struct Trace {
    BoxList enAttente, rejetees, solution;
    CanevasEnregistreur canevas{40, 30};
    Repere repere{Interval(-3, 3), Interval(-3, 3), &canevas};
    ResultatSivia r;

    std::string Tout() const {
        std::string a;
        for (const std::string& s : canevas.Appels) {
            a += s;
        }
        return Empreinte(r) + '|' + Empreinte(rejetees) + '|' + Empreinte(solution) + '|' + a;
    }
};

} // namespace

TEST(Sivia, MatchesTheReferenceLoopBitForBitWholeOrInSlices) {
    std::mt19937_64 g(7);
    for (int essai = 0; essai < 1000; ++essai) {
        const CasAleatoire c = Tirer(g);
        Trace ref, entier, tranches;
        ref.r = ExecuterSiviaReference(c.boite, ref.enAttente, ref.rejetees, ref.solution,
                                       ref.repere, c.m, c.c, c.precision, c.stockage, c.limite);
        entier.r = ExecuterSivia(c.boite, entier.enAttente, entier.rejetees, entier.solution,
                                 entier.repere, c.m, c.c, c.precision, c.stockage, c.limite);
        ResolutionSivia s(c.boite, tranches.enAttente, tranches.rejetees, tranches.solution,
                          tranches.repere, c.m, c.c, c.precision, c.stockage, c.limite);
        while (s.Avancer(1 + g() % 5)) {
        }
        tranches.r = s.Resultat();
        ASSERT_EQ(entier.Tout(), ref.Tout()) << essai;
        ASSERT_EQ(tranches.Tout(), ref.Tout()) << essai;
        ASSERT_TRUE(entier.enAttente.IsEmpty() && tranches.enAttente.IsEmpty());
        if (ref.r.Statut == StatutSivia::Termine) {
            EXPECT_EQ(s.FractionClassee(), 1.0) << essai;
        }
    }
}

TEST(Sivia, StopKeepsTheClassifiedBoxesAndEmptiesThePendingList) {
    Solveur t;
    ResolutionSivia s(Pave(-2, 2, -2, 2), t.enAttente, t.rejetees, t.solution, t.repere,
                      MomentsExemple(), Deux, 0.5, StockageFile, UINT64_MAX);
    double avant = 0;
    for (int i = 0; i < 12; ++i) { // the share classified only grows
        ASSERT_TRUE(s.Avancer(5));
        EXPECT_GE(s.FractionClassee(), avant);
        avant = s.FractionClassee();
    }
    EXPECT_TRUE(avant > 0 && avant < 1);
    s.Arreter();
    EXPECT_FALSE(s.EnCours());
    EXPECT_FALSE(s.Avancer(5));
    EXPECT_EQ(s.Resultat().Statut, StatutSivia::ArreteParUtilisateur);
    EXPECT_EQ(s.Resultat().NbPrises, 60u);
    EXPECT_TRUE(t.enAttente.IsEmpty());
    EXPECT_EQ(t.rejetees.Size(), s.Resultat().NbRejetees);
    EXPECT_EQ(t.solution.Size(), s.Resultat().NbGardees);
    EXPECT_GT(t.rejetees.Size(), 0u);
}

TEST(Sivia, PredictionWithoutRejectionMatchesRealRuns) {
    const struct {
        Box b;
        double precision;
    } cas[] = {{Pave(-2, 2, -2, 2), 0.5},
               {Pave(0, 3, -1, 0), 0.2},
               {Pave(0, 1, 0, 1), 2},
               {Pave(-5, 5, 0, 0.01), 0.01},
               {Pave(0, 1e-3, 0, 7), 0.07}};
    for (const auto& c : cas) {
        for (const OrdreStockage stockage : {StockageFile, StockagePile}) {
            Solveur t;
            ResolutionSivia s(c.b, t.enAttente, t.rejetees, t.solution, t.repere, {}, Une,
                              c.precision, stockage, UINT64_MAX);
            std::uint32_t maxEnAttente = 0;
            while (s.Avancer(1)) {
                maxEnAttente = std::max(maxEnAttente, t.enAttente.Size());
            }
            const PrevisionSivia p = PrevoirSansRejet(c.b, c.precision, stockage);
            EXPECT_EQ(p.NbPrises, double(s.Resultat().NbPrises)) << Texte(c.b);
            EXPECT_EQ(p.NbGardees, double(s.Resultat().NbGardees)) << Texte(c.b);
            EXPECT_EQ(p.MaxEnAttente, double(std::max(maxEnAttente, 1u))) << Texte(c.b);
        }
    }
}

namespace {

// Hears a solve: each box with its class ('R' rejected, 'G' kept), and how often it was asked.
struct Oreille : EcouteurSivia {
    bool ecoute = true;
    int questions = 0;
    std::string entendu[2]; // rejected, kept: the boxes' texts in the order heard
    std::string ordre;      // the classes in the order heard
    bool Ecoute() override { return ++questions, ecoute; }
    void Rejetee(const Box& B) override { entendu[0] += Texte(B) + ';', ordre += 'R'; }
    void Gardee(const Box& B) override { entendu[1] += Texte(B) + ';', ordre += 'G'; }
};

std::string Textes(const BoxList& l) {
    std::string r;
    for (const Box& b : l) {
        r += Texte(b) + ';';
    }
    return r;
}

} // namespace

TEST(Sivia, TheListenerHearsEachClassifiedBoxOnceInOrderAndNothingWhenItDoesNotListen) {
    for (const OrdreStockage stockage : {StockageFile, StockagePile}) {
        for (const bool ecoute : {true, false}) {
            Oreille o;
            o.ecoute = ecoute;
            Solveur t; // the same solve drawn through its frame, in the same order
            t.Executer(Pave(-2, 2, -2, 2), MomentsExemple(), Deux, 0.5, stockage);
            BoxList enAttente, rejetees, solution;
            ResolutionSivia s(Pave(-2, 2, -2, 2), enAttente, rejetees, solution, &o,
                              MomentsExemple(), Deux, 0.5, stockage, UINT64_MAX);
            int tranches = 0;
            while (s.Avancer(7)) {
                ++tranches;
            }
            EXPECT_EQ(o.questions, tranches + 1);
            EXPECT_EQ(Empreinte(rejetees) + Empreinte(solution),
                      Empreinte(t.rejetees) + Empreinte(t.solution));
            std::string couleurs; // the drawing's classes, from the brush colours
            for (const std::string& a : t.canevas.Filtrer("BrushColor")) {
                couleurs += a == "BrushColor(0xFF0000)" ? 'R' : 'G';
            }
            EXPECT_EQ(o.ordre, ecoute ? couleurs : "");
            EXPECT_EQ(o.entendu[0], ecoute ? Textes(rejetees) : "");
            EXPECT_EQ(o.entendu[1], ecoute ? Textes(solution) : "");
        }
    }
    // Nobody listening: the same solve.
    BoxList enAttente, rejetees, solution;
    const ResultatSivia r =
        ExecuterSivia(Pave(-2, 2, -2, 2), enAttente, rejetees, solution, nullptr, MomentsExemple(),
                      Deux, 0.5, StockageFile, UINT64_MAX);
    EXPECT_EQ(r.NbRejetees, 45u);
    EXPECT_EQ(r.NbGardees, 10u);
}
