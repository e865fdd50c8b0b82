#include "commande/Chaine.h"
#include "commande/Parallele.h"
#include "signal/Memoire.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

namespace {

struct BudgetFixe {
    explicit BudgetFixe(std::uint64_t octets) { FixerBudgetMemoire(octets); }
    ~BudgetFixe() { FixerBudgetMemoire(0); }
};

} // namespace

TEST(Parallele, EachThreadHoldsItsPartOfTheOneBudget) {
    constexpr std::uint64_t Mio = 1 << 20;
    const BudgetFixe budget(64 * Mio);
    for (int fils : {1, 2, 4}) {
        std::mutex verrou;
        std::vector<std::uint64_t> parts;
        ExecuterEnParallele(
            8, fils,
            [&](std::int64_t) {
                std::lock_guard<std::mutex> g(verrou);
                parts.push_back(BudgetDuFil());
            },
            [](std::int64_t) {});
        ASSERT_EQ(parts.size(), 8u);
        for (std::uint64_t p : parts) {
            EXPECT_EQ(p, 64 * Mio / std::uint64_t(fils)) << fils << " fils";
        }
    }
    EXPECT_EQ(BudgetDuFil(), 64 * Mio) << "outside a study, the whole budget";
}

TEST(Parallele, TrialsStoppedAtTheLimitTogetherStayWithinTheBudget) {
    // No constraint rejects anything: every trial would keep boxes until the memory stops it.
    const std::uint64_t budget = 4000 * OctetsParBoiteStockee;
    const BudgetFixe garde(budget + 2 * 6 * 300 * sizeof(double));
    OptionsCommande o;
    o.NbEchantillons = 300;
    o.PrecisionSivia = 1e-4;
    o.FixerContraintes({false, false, false});
    o.Stockage = StockagePile; // depth first: boxes are kept from the start
    const EntreesLues lues;
    std::vector<std::uint64_t> boites(4);
    std::vector<bool> arretes(4);
    ExecuterEnParallele(
        4, 2,
        [&](std::int64_t k) {
            const EntreesChaine e = PreparerEntrees(o, lues, GraineEssai(1, k), true);
            BoxList enAttente, rejetees, solution;
            const ResultatChaine c = ResoudreChaine(e, o, enAttente, rejetees, solution);
            boites[k] = rejetees.Size() + solution.Size();
            arretes[k] = c.Rapport.Resultat.Statut == StatutSivia::ArreteALaLimite;
        },
        [](std::int64_t) {});
    for (int k = 0; k < 4; ++k) {
        EXPECT_TRUE(arretes[k]) << k;
        // Two trials run at once: each within half the budget, both together within it.
        EXPECT_LE(boites[k], budget / 2 / OctetsParBoiteStockee + 1) << k;
        EXPECT_GT(boites[k], budget / 4 / OctetsParBoiteStockee) << k;
    }
}
