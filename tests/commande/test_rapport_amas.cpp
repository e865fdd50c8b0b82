#include "analyse/Suggestion.h"
#include "commande/LigneDeCommande.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <set>
#include <sstream>

namespace {

nlohmann::json Rapport(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(),
                     {"resoudre", "--graine", "42", "--source1", "cosinus", "--source2", "colore"});
    std::ostringstream sortie, erreurs;
    EXPECT_EQ(ExecuterLigneDeCommande(arguments, sortie, erreurs, false), SortieSucces)
        << erreurs.str();
    return nlohmann::json::parse(sortie.str());
}

double Distance(const nlohmann::json& p, const nlohmann::json& q) {
    return std::hypot(p[0].get<double>() - q[0].get<double>(),
                      p[1].get<double>() - q[1].get<double>());
}

} // namespace

TEST(RapportAmas, EachClusterGivesItsProvenExactPointAndTheDistanceToTheTruePoints) {
    const nlohmann::json j = Rapport({"--matrice", "1,0.5,-0.4,1"});
    EXPECT_EQ(j["version"], 3);
    std::set<std::string> represente;
    for (const nlohmann::json& a : j["amas"]) {
        const nlohmann::json& e = a["point_exact"];
        EXPECT_EQ(e["methode"], "newton");
        EXPECT_EQ(e["preuve"], "prouvee");
        EXPECT_TRUE(e["solution"].get<bool>());
        const nlohmann::json& b = e["boite_preuve"];
        EXPECT_TRUE(b[0] <= e["point"][0] && e["point"][0] <= b[1] && b[2] <= e["point"][1] &&
                    e["point"][1] <= b[3]);
        // The exact point is an exact second-order root, and the distance to the true point
        // is counted in precisions.
        const std::string r = a["represente"];
        represente.insert(r);
        const nlohmann::json& racine = j["racines"][r == "direct" ? "racine1" : "racine2"];
        EXPECT_LT(Distance(e["point"], racine["point"]), 1e-9);
        EXPECT_NEAR(a[r == "direct" ? "ecart_point_vrai" : "ecart_point_permute"].get<double>(),
                    Distance(e["point"], j["points_vrais"][r]) / 0.01, 1e-9);
        EXPECT_NEAR(a["qualite_exacte"]["sir_moyen_db"].get<double>(),
                    racine["qualite"]["sir_moyen_db"].get<double>(), 1e-6);
    }
    EXPECT_EQ(represente, (std::set<std::string>{"direct", "permute"}));
    // The set named is the one whose points on the two halves of the mixtures agree best, or
    // a second-order set within MargeAccordDb of it (here the delays, 2 dB below the cumulants).
    const nlohmann::json& accords = j["suggestion"]["accords_moities_db"];
    ASSERT_EQ(accords.size(), 6u) << accords.dump();
    const std::string nomme = j["suggestion"]["jeu"].get<std::string>();
    EXPECT_EQ(nomme, "retards") << accords.dump();
    for (const auto& [jeu, db] : accords.items()) {
        EXPECT_GE(accords[nomme].get<double>() + MargeAccordDb, db.get<double>()) << accords.dump();
    }
    EXPECT_FALSE(j["suggestion"]["boite_modifiee"].get<bool>());
    const nlohmann::json& r = j["reglages"];
    EXPECT_EQ(j["suggestion"]["boite_proposee"],
              nlohmann::json({r["BorneInfX"], r["BorneSupX"], r["BorneInfY"], r["BorneSupY"]}));
}

TEST(RapportAmas, NoClusterIsClaimedAsASolutionWhereTheCriterionCannotVanish) {
    // Both roots lie outside this box; the permuted one outside the default box too.
    const nlohmann::json j = Rapport({"--matrice", "1,0.1,-0.4,1", "--boite", "0.5,1.5,0.5,1.5"});
    ASSERT_FALSE(j["amas"].empty());
    for (const nlohmann::json& a : j["amas"]) {
        EXPECT_FALSE(a["point_exact"]["solution"].get<bool>());
        EXPECT_EQ(a["point_exact"]["preuve"], "non_prouvee");
        EXPECT_TRUE(a["represente"].is_null());
    }
    const nlohmann::json& s = j["suggestion"];
    EXPECT_TRUE(s["boite_modifiee"].get<bool>());
    for (const char* r : {"racine1", "racine2"}) {
        const nlohmann::json& p = j["racines"][r]["point"];
        EXPECT_TRUE(s["boite_proposee"][0] < p[0] && p[0] < s["boite_proposee"][1] &&
                    s["boite_proposee"][2] < p[1] && p[1] < s["boite_proposee"][3]);
    }
}
