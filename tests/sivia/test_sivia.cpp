#include "sivia/Sivia.h"

#include "support/AideIntervalles.h"
#include "support/CanevasEnregistreur.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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
                         double precision, int stockage = StockageFile,
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
        int stockage;
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
