// The delayed decorrelation on the command line: the constraint `retards`, its delays
// (`--retards`), kept by sessions, used by the solve and listed in the report.
#include "commande/LigneDeCommande.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

struct Sortie {
    int Statut;
    std::string Texte, Erreurs;
};

Sortie Lancer(const std::vector<std::string>& arguments) {
    std::ostringstream sortie, erreurs;
    const int statut = ExecuterLigneDeCommande(arguments, sortie, erreurs, false);
    return {statut, sortie.str(), erreurs.str()};
}

// The four constraint flags of a report's settings, in the table's keys.
std::vector<bool> Contraintes(const nlohmann::json& rapport) {
    std::vector<bool> c;
    for (const char* cle : {"ContrainteDecorrelation", "ContrainteDecorrelationDerivees",
                            "ContrainteMomentOrdre4", "ContrainteDecorrelationRetardee"}) {
        c.push_back(rapport["reglages"][cle].get<bool>());
    }
    return c;
}

} // namespace

TEST(RetardsCommande, BadDelaysExitWithTwoNamingThemGoodOnesAreReported) {
    const std::vector<std::string> base = {"resoudre",
                                           "--graine",
                                           "3",
                                           "--echantillons",
                                           "400",
                                           "--contraintes",
                                           "decorrelation,retards",
                                           "--precision",
                                           "0.2"};
    const struct {
        std::vector<std::string> plus;
        int statut;
        const char* nomme;        // in the error, for a refusal
        std::vector<int> retards; // in the report, for a success
    } cas[] = {
        {{"--retards", "0"}, 2, "0 (nul)", {}},
        {{"--retards", "1,-3"}, 2, "-3 (négatif)", {}},
        {{"--retards", "2,4,2"}, 2, "2 (répété)", {}},
        {{"--retards", "1.5"}, 2, "1.5 (non entier)", {}},
        {{"--retards", "deux"}, 2, "deux (non entier)", {}},
        {{"--retards", ""}, 2, "Aucun retard", {}},
        {{"--retards", "99999999999"}, 2, "99999999999", {}},
        // N = 400: 200 is the largest delay
        {{"--retards", "1,201"}, 2, "201 (plus grand que N/2 = 200)", {}},
        {{"--retards", "1,200"}, 0, nullptr, {1, 200}},
        {{"--retards", "1 2;8"}, 0, nullptr, {1, 2, 8}},
        {{}, 0, nullptr, {1, 2, 3, 4, 5, 6, 8, 10, 12, 16, 20}},
    };
    for (const auto& c : cas) {
        std::vector<std::string> arguments = base;
        arguments.insert(arguments.end(), c.plus.begin(), c.plus.end());
        const Sortie s = Lancer(arguments);
        const std::string quoi = c.plus.empty() ? "(défaut)" : c.plus.back();
        ASSERT_EQ(s.Statut, c.statut) << quoi << " " << s.Erreurs;
        if (c.nomme) {
            EXPECT_NE(s.Erreurs.find("--retards"), std::string::npos) << s.Erreurs;
            EXPECT_NE(s.Erreurs.find(c.nomme), std::string::npos) << s.Erreurs;
            EXPECT_TRUE(s.Texte.empty()) << quoi;
        } else {
            const auto rapport = nlohmann::json::parse(s.Texte);
            EXPECT_EQ(rapport["entrees"]["retards"].get<std::vector<int>>(), c.retards) << quoi;
            EXPECT_EQ(Contraintes(rapport), (std::vector<bool>{true, false, false, true}));
        }
    }
    // A study checks the delays against its N before any trial.
    const Sortie etude = Lancer({"etude", "--echantillons", "100", "--contraintes", "retards",
                                 "--retards", "51", "--essais", "1", "--sortie", "/dev/null"});
    EXPECT_EQ(etude.Statut, 2);
    EXPECT_NE(etude.Erreurs.find("51 (plus grand que N/2 = 50)"), std::string::npos)
        << etude.Erreurs;
}

TEST(RetardsCommande, SourcesOfDifferentSpectraAreSeparatedByTheDelays) {
    // A cosine and a coloured noise: at lag 0 alone the pair is not identifiable, the delays
    // tell the two spectra apart.
    const Sortie s =
        Lancer({"resoudre", "--graine", "11", "--echantillons", "4000", "--source1", "cosinus",
                "--source2", "colore", "--contraintes", "decorrelation,retards", "--retards",
                "1,2,4,8", "--precision", "0.02"});
    ASSERT_EQ(s.Statut, 0) << s.Erreurs;
    const auto rapport = nlohmann::json::parse(s.Texte);
    double meilleur = -1e300;
    int representes = 0;
    for (const auto& amas : rapport["amas"]) {
        if (amas["qualite"].is_object() && amas["qualite"]["sir_moyen_db"].is_number()) {
            meilleur = std::max(meilleur, amas["qualite"]["sir_moyen_db"].get<double>());
        }
        // The delayed criterion is minimised, not brought to zero: each cluster stands at its
        // minimiser on the lag-0 curve, never refined on the lag-1 pair and dismissed.
        EXPECT_EQ(amas["point_exact"]["methode"], "minimisation") << amas.dump();
        EXPECT_EQ(amas["point_exact"]["solution"], true) << amas.dump();
        representes += amas["represente"].is_string() ? 1 : 0;
    }
    EXPECT_GT(meilleur, 20.0) << rapport["amas"].dump();
    EXPECT_GE(representes, 1) << rapport["amas"].dump();
}

TEST(RetardsCommande, ASessionKeepsTheConstraintAndItsDelays) {
    const auto chemin = std::filesystem::temp_directory_path() /
                        ("ovrel5-retards-session-" + std::to_string(::getpid()) + ".json");
    std::ofstream(chemin) << R"({"format": "ovrel5-session", "options": {
        "ContrainteDecorrelation": true, "ContrainteDecorrelationDerivees": false,
        "ContrainteDecorrelationRetardee": true, "Retards": "3,5", "NbEchantillons": 500,
        "PrecisionSivia": 0.2}})";
    const Sortie s = Lancer({"resoudre", "--graine", "1", "--session", chemin.string()});
    ASSERT_EQ(s.Statut, 0) << s.Erreurs;
    const auto rapport = nlohmann::json::parse(s.Texte);
    EXPECT_EQ(rapport["entrees"]["retards"], nlohmann::json::array({3, 5}));
    EXPECT_EQ(Contraintes(rapport), (std::vector<bool>{true, false, false, true}));
    EXPECT_EQ(rapport["reglages"]["Retards"], "3,5");
    // The option given wins over the session's list; a bad list in the session is refused.
    const Sortie donnee =
        Lancer({"resoudre", "--graine", "1", "--session", chemin.string(), "--retards", "2"});
    ASSERT_EQ(donnee.Statut, 0) << donnee.Erreurs;
    EXPECT_EQ(nlohmann::json::parse(donnee.Texte)["entrees"]["retards"],
              nlohmann::json::array({2}));
    std::ofstream(chemin) << R"({"format": "ovrel5-session", "options": {"Retards": "4,x"}})";
    const Sortie refusee = Lancer({"resoudre", "--session", chemin.string()});
    EXPECT_EQ(refusee.Statut, 2);
    EXPECT_NE(refusee.Erreurs.find("« options.Retards »"), std::string::npos) << refusee.Erreurs;
    EXPECT_NE(refusee.Erreurs.find("x (non entier)"), std::string::npos) << refusee.Erreurs;
    std::filesystem::remove(chemin);
}

TEST(ReferencesCommande, EachClassicMethodIsReportedAndAmuseIsTheExactRootPair) {
    const auto dossier = std::filesystem::temp_directory_path() /
                         ("ovrel5-references-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dossier);
    const std::string melanges = (dossier / "m.csv").string();
    {
        // Two channels of different periods: mixtures read, the matrix unknown.
        std::ofstream f(melanges);
        for (int i = 0; i < 600; ++i) {
            f << (i % 7) - 3 + 0.5 * ((i % 11) - 5) << "," << (i % 11) - 5 << "\n";
        }
    }
    const struct {
        std::vector<std::string> arguments;
        bool matriceConnue;
    } cas[] = {
        {{"resoudre", "--graine", "11", "--echantillons", "4000", "--precision", "0.05"}, true},
        {{"resoudre", "--melanges", melanges, "--precision", "0.1"}, false},
    };
    const std::vector<std::pair<std::string, nlohmann::json>> attendues = {
        {"AMUSE", nullptr},  {"SOBI", nullptr},    {"FastICA", "logcosh"},
        {"FastICA", "cube"}, {"FastICA", "gauss"}, {"JADE", nullptr}};
    for (const auto& c : cas) {
        const Sortie s = Lancer(c.arguments);
        ASSERT_EQ(s.Statut, 0) << s.Erreurs;
        const auto rapport = nlohmann::json::parse(s.Texte);
        const auto& references = rapport["references"];
        ASSERT_EQ(references.size(), attendues.size()) << references.dump();
        for (std::size_t i = 0; i < attendues.size(); ++i) {
            const auto& r = references[i];
            EXPECT_EQ(r["methode"], attendues[i].first);
            EXPECT_EQ(r["non_linearite"], attendues[i].second);
            for (const char* cle : {"point", "permutation", "converge", "iterations", "message"}) {
                EXPECT_TRUE(r.contains(cle)) << cle;
            }
            EXPECT_TRUE(r["converge"].is_boolean());
            EXPECT_EQ(r["qualite"].is_object(), c.matriceConnue && r["point"].is_array())
                << r.dump();
        }
        // AMUSE is the pair of exact second-order roots, in either order.
        const auto& amuse = references[0];
        ASSERT_TRUE(amuse["point"].is_array()) << amuse.dump();
        const auto& r1 = rapport["racines"]["racine1"]["point"];
        const auto& r2 = rapport["racines"]["racine2"]["point"];
        // The normalisation divides again: equal to the last bits, not bit for bit.
        const auto proches = [](const nlohmann::json& p, const nlohmann::json& q) {
            for (int k = 0; k < 2; ++k) {
                const double u = p[k].get<double>(), v = q[k].get<double>();
                if (!(std::abs(u - v) <= 1e-9 * std::max(1.0, std::abs(v)))) {
                    return false;
                }
            }
            return true;
        };
        const bool direct = proches(amuse["point"], r1);
        EXPECT_TRUE(direct ? proches(amuse["permutation"], r2)
                           : proches(amuse["point"], r2) && proches(amuse["permutation"], r1))
            << amuse.dump() << rapport["racines"].dump();
        if (c.matriceConnue) {
            EXPECT_EQ(amuse["qualite"],
                      rapport["racines"][direct ? "racine1" : "racine2"]["qualite"]);
            EXPECT_GT(amuse["qualite"]["sir_moyen_db"].get<double>(), 40.0);
        }
    }
    std::filesystem::remove_all(dossier);
}
