// The delayed decorrelation and the classic methods on the command line: the delays separate
// what lag 0 alone cannot, and every classic method is reported (the refusals and the
// sessions' delays are in the exit-status tables).
#include "commande/Lancement.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

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
