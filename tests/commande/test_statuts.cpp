// The exit statuses of the built program, as a script sees them: 0 success, 2 a bad option or
// value, 3 an unreadable input file, 4 a solve stopped at the memory limit, for both commands;
// `--langue en` changes the messages a person reads and nothing else.
#include "fichiers/DossierTemporaire.h"
#include "fichiers/EcritureSignal.h"
#include "fichiers/LectureSignal.h"
#include "signal/Melange.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// `s` between single quotes for the shell.
std::string EntreApostrophes(const std::string& s) {
    std::string r = "'";
    for (char c : s) {
        r.append(c == '\'' ? "'\\''" : std::string(1, c));
    }
    return r.append("'");
}

class Statuts : public DossierTemporaire {
protected:
    struct Sortie {
        int Statut = -1;
        std::string Texte, Erreurs;
    };
    // Runs the program with `arguments`, with a memory budget of `budget` bytes when non-zero,
    // in English when asked.
    Sortie Lancer(std::vector<std::string> arguments, std::uint64_t budget = 0,
                  bool anglais = false) const {
        if (anglais) {
            const std::vector<std::string> langue = {"--langue", "en"};
            arguments.insert(arguments.begin() + 1, langue.begin(), langue.end());
        }
        // Built by appending only (prepending to a temporary trips a false g++ 12 warning).
        std::string commande;
        if (budget) {
            commande.append("OVREL5_BUDGET_MEMOIRE=").append(std::to_string(budget)).append(" ");
        }
        commande.append(EntreApostrophes(OVREL_PROGRAMME));
        for (const std::string& a : arguments) {
            commande.append(" ").append(EntreApostrophes(a));
        }
        commande.append(" >").append(EntreApostrophes((Dossier / "sortie").string()));
        commande.append(" 2>")
            .append(EntreApostrophes((Dossier / "erreurs").string()))
            .append(" </dev/null");
        const int brut = std::system(commande.c_str());
        Sortie s;
        s.Statut = WIFEXITED(brut) ? WEXITSTATUS(brut) : -1;
        s.Texte = Lire(Dossier / "sortie");
        s.Erreurs = Lire(Dossier / "erreurs");
        return s;
    }
};

// The core build's program has no translations: it runs the French rows only.
const bool Traduit = !std::string(OVREL_PROGRAMME).ends_with("sans-fenetre");

// Words only a French sentence of the program holds.
bool AirFrancais(const std::string& t) {
    for (const char* mot : {"é", "è", "à", " les ", " des ", " de ", " ou ", "«"}) {
        if (t.find(mot) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// Both reports hold the same fields with the same values, but for the free-text messages
// (English in `en`, French in `fr`) and the times; returns how many messages were compared.
int ComparerRapports(const nlohmann::json& fr, const nlohmann::json& en) {
    const nlohmann::json f = fr.flatten(), e = en.flatten();
    int messages = 0;
    EXPECT_EQ(f.size(), e.size());
    for (const auto& [cle, valeur] : f.items()) {
        if (!e.contains(cle)) {
            ADD_FAILURE() << cle << " missing in English";
        } else if (cle.ends_with("/message") && valeur.is_string()) {
            const std::string texte = e[cle];
            EXPECT_TRUE(AirFrancais(valeur)) << cle << ": " << valeur;
            EXPECT_FALSE(AirFrancais(texte)) << cle << ": " << texte;
            EXPECT_EQ(texte.find('%'), std::string::npos) << cle << ": " << texte;
            ++messages;
        } else if (!cle.starts_with("/temps/")) {
            EXPECT_EQ(valeur, e[cle]) << cle;
        }
    }
    return messages;
}

} // namespace

TEST_F(Statuts, BothCommandsExitWithTheDocumentedStatus) {
    const std::string etude = (Dossier / "etude.csv").string();
    std::ofstream(Dossier / "vide.wav") << "";
    // A solve whose boxes cannot all be held in 1 or 4 MiB, yet not refused up front (two
    // constraints reject boxes): two white noises leave a wide band at a fine precision.
    const std::vector<std::string> sansFin = {"--source1", "gauss",       "--source2",
                                              "uniforme",  "--precision", "1e-6"};
    const auto plus = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const struct {
        std::vector<std::string> arguments;
        std::uint64_t budget;
        int statut;
        const char* erreur; // what stderr must name, or nullptr
    } cas[] = {
        {{"resoudre", "--graine", "1", "--echantillons", "500"}, 0, 0, nullptr},
        {{"etude", "--graine", "1", "--essais", "3", "--echantillons", "500", "--sortie", etude},
         0,
         0,
         nullptr},
        {{"resoudre", "--precision", "0"}, 0, 2, "--precision"},
        // Entries whose fourth-order moments could overflow, given or held by a session.
        {{"resoudre", "--graine", "1", "--echantillons", "500", "--matrice", "1e14,0,0,-1e14"},
         0,
         0,
         nullptr},
        {{"resoudre", "--matrice", "1,0.5,-0.4,1e300"}, 0, 2, "l'entrée a22"},
        {{"resoudre", "--matrice", "1,-2e14,0,1"}, 0, 2, "l'entrée a12"},
        {{"resoudre", "--session",
          Fichier("m.json", R"({"format": "ovrel5-session",
          "matrice": {"a11": 1, "a12": 0, "a21": 1e300, "a22": 1}})")
              .string()},
         0,
         2,
         "« matrice » est refusé : l'entrée a21"},
        {{"etude", "--essais", "0", "--sortie", etude}, 0, 2, "--essais"},
        // A study writes no boxes nor pictures: the options are refused, not ignored.
        {{"etude", "--boites", (Dossier / "b.csv").string(), "--sortie", etude}, 0, 2, "--boites"},
        {{"etude", "--image", (Dossier / "i.png").string(), "--sortie", etude}, 0, 2, "--image"},
        {{"resoudre", "--source1", (Dossier / "absent.wav").string()}, 0, 3, "absent.wav"},
        {{"resoudre", "--melanges", (Dossier / "vide.wav").string()}, 0, 3, "vide.wav"},
        {{"etude", "--source2", (Dossier / "absent.wav").string(), "--sortie", etude},
         0,
         3,
         "absent.wav"},
        {plus({"resoudre", "--graine", "1"}, sansFin), 1 << 20, 4, nullptr},
        {plus({"etude", "--graine", "1", "--essais", "2", "--fils", "2", "--sortie", etude},
              sansFin),
         4 << 20, 4, nullptr},
    };
    for (const auto& c : cas) {
        std::string ligne;
        for (const std::string& a : c.arguments) {
            ligne += a + " ";
        }
        std::filesystem::remove(etude);
        const Sortie s = Lancer(c.arguments, c.budget);
        EXPECT_EQ(s.Statut, c.statut) << ligne << "\n" << s.Erreurs;
        if (c.erreur) {
            EXPECT_NE(s.Erreurs.find(c.erreur), std::string::npos) << ligne << "\n" << s.Erreurs;
        }
        if (c.statut == 0 || c.statut == 4) {
            // The report or the study's summary, and the study's trials, are written.
            if (c.arguments[0] == "resoudre") {
                const auto rapport = nlohmann::json::parse(s.Texte, nullptr, false);
                EXPECT_FALSE(rapport.is_discarded()) << ligne;
            } else {
                EXPECT_NE(s.Texte.find("Essais"), std::string::npos) << ligne;
                EXPECT_TRUE(std::filesystem::exists(etude)) << ligne;
            }
        } else {
            EXPECT_TRUE(s.Texte.empty()) << ligne << s.Texte;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(Dossier / "b.csv"));
    EXPECT_FALSE(std::filesystem::exists(Dossier / "i.png"));
}

namespace {

// Columns of numbers under a header of names (none when `noms` is empty), one row per sample.
std::string TexteColonnes(const std::vector<std::string>& noms,
                          const std::vector<std::vector<double>>& colonnes) {
    std::string texte;
    for (const std::string& n : noms) {
        texte.append(texte.empty() ? "" : ";").append(n);
    }
    texte += noms.empty() ? "" : "\n";
    for (std::size_t i = 0; i < colonnes[0].size(); ++i) {
        for (std::size_t k = 0; k < colonnes.size(); ++k) {
            texte.append(k ? ";" : "").append(TexteExact(colonnes[k][i]));
        }
        texte += "\n";
    }
    return texte;
}

std::vector<double> Suite(std::size_t n, double pulsation, double phase = 0) {
    std::vector<double> v(n);
    for (std::size_t i = 0; i < n; ++i) {
        v[i] =
            std::sin(pulsation * double(i) + phase) + 0.3 * std::sin(2.9 * double(i) * pulsation);
    }
    return v;
}

} // namespace

TEST_F(Statuts, WhatACommandCannotUseIsRefusedInFrenchWithWhatItWouldTake) {
    const std::string etude = (Dossier / "etude.csv").string();
    const std::string sig =
        Fichier("sig.csv", TexteColonnes({"t", "a", "b"},
                                         {Suite(400, 0), Suite(400, 0.3), Suite(400, 0.7, 1)}))
            .string();
    const std::string court = Fichier("court.csv", TexteColonnes({}, {Suite(300, 0.3)})).string();
    const std::string long_ = Fichier("long.csv", TexteColonnes({}, {Suite(400, 0.7)})).string();
    const auto a = Suite(100, 0.2), b = Suite(100, 0.5), c = Suite(100, 0.9);
    const std::string trois = (Dossier / "trois.wav").string();
    EcrireSignaux(trois, {{"a", &a}, {"b", &b}, {"c", &c}}, 8000);
    const std::string estimees = (Dossier / "e.csv").string();
    const struct {
        std::vector<std::string> arguments;
        int statut;
        std::vector<std::string> erreurs; // what stderr must hold
        std::string pointeur = {};        // a value of the report, when status 0
        nlohmann::json valeur = {};
    } cas[] = {
        // Several channels with none chosen: listed, never read at the first one.
        {{"resoudre", "--source1", sig}, 2, {"--source1", "« t », « a », « b »", sig + ":a"}},
        {{"resoudre", "--source1", sig + ":z"}, 2, {"« z »", "« t », « a », « b »"}},
        {{"resoudre", "--source2", trois}, 2, {"« Canal 1 », « Canal 2 », « Canal 3 »"}},
        {{"resoudre", "--melanges", sig}, 2, {"--melanges", "« t », « a », « b »", "deux"}},
        {{"resoudre", "--graine", "1", "--precision", "0.1", "--source1", sig + ":a", "--source2",
          sig + ":3"},
         0,
         {},
         "/entrees/source2/canal",
         3},
        {{"resoudre", "--graine", "1", "--precision", "0.1", "--source1", sig + ":b"},
         0,
         {},
         "/entrees/source1/canal",
         3},
        // A mistyped kind is a kind, a missing path a file.
        {{"resoudre", "--source1", "cosinu"},
         2,
         {"sorte inconnue « cosinu »", "« cosinus »", "laplace"}},
        {{"resoudre", "--source1", (Dossier / "absent.csv:a").string()}, 3, {"absent.csv"}},
        {{"resoudre", "--graine", "1", "--precision", "0.1", "--source1", court, "--source2",
          long_},
         0,
         {"300 et 400", "coupée à 300"},
         "/entrees/echantillons",
         300},
        // Options a command does not use, or that serve another one only.
        {{"etude", "--estimees", estimees, "--sortie", etude}, 2, {"« --estimees »", "etude"}},
        {{"etude", "--boite", "auto", "--sortie", etude}, 2, {"--boite", "« auto »"}},
        {{"resoudre", "--point", "1,2"}, 2, {"--point", "--estimees"}},
        {{"resoudre", "--amas", "1"}, 2, {"--amas", "--estimees"}},
        {{"resoudre", "--taille", "900x900"}, 2, {"--taille", "--image"}},
        {{"resoudre", "--estimees", (Dossier / "e.txt").string()},
         2,
         {"--estimees", ".wav ou .csv"}},
        {{"resoudre", "--estimees", estimees, "--point", "1,x"}, 2, {"--point", "x,y"}},
        {{"resoudre", "--estimees", estimees, "--point", "1,2", "--amas", "1"},
         2,
         {"--point", "--amas"}},
        {{"resoudre", "--graine", "1", "--echantillons", "500", "--estimees", estimees, "--amas",
          "99"},
         2,
         {"--amas", "l'amas 99 n'existe pas"}},
        {{"resoudre", "--taille", "0x900", "--image", (Dossier / "i.png").string()},
         2,
         {"--taille", "« 0x900 »"}},
        {{"resoudre", "--taille", "900", "--image", (Dossier / "i.png").string()}, 2, {"LxH"}},
        {{"resoudre", "--boite", "1,1,-5,5"}, 2, {"--boite", "largeur non nulle"}},
        {{"resoudre", "--boite", "-5,5,2,2"}, 2, {"--boite", "largeur non nulle"}},
        {{"resoudre", "--boite", "3,1,-5,5"}, 2, {"--boite", "(3 > 1)"}},
        // CLI11's own errors, in French.
        {{"resoudre", "--matrice-aleatoire=oui"}, 2, {"--matrice-aleatoire", "pas de valeur"}},
        {{"etude", "--avec-temps=1"}, 2, {"--avec-temps", "pas de valeur"}},
        {{"resoudre", "--precision"}, 2, {"--precision", "une valeur est attendue (REEL)"}},
        {{"resoudre", "--graine", "1", "inattendu"}, 2, {"« inattendu »"}},
        {{"resoudre", "--inconnue", "3"}, 2, {"option inconnue « --inconnue »"}},
    };
    for (const auto& c : cas) {
        std::string ligne;
        for (const std::string& a : c.arguments) {
            ligne += a + " ";
        }
        const Sortie s = Lancer(c.arguments);
        EXPECT_EQ(s.Statut, c.statut) << ligne << "\n" << s.Erreurs;
        for (const std::string& e : c.erreurs) {
            EXPECT_NE(s.Erreurs.find(e), std::string::npos) << ligne << "\n" << s.Erreurs;
        }
        for (const char* anglais : {"The following", "required", "missing", "expected", "was given",
                                    "Could not", "allowed", "Value", "not "}) {
            EXPECT_EQ(s.Erreurs.find(anglais), std::string::npos) << ligne << "\n" << s.Erreurs;
        }
        if (c.statut == 0) {
            const auto rapport = nlohmann::json::parse(s.Texte, nullptr, false);
            ASSERT_FALSE(rapport.is_discarded()) << ligne;
            EXPECT_EQ(rapport[nlohmann::json::json_pointer(c.pointeur)], c.valeur) << ligne;
        } else {
            EXPECT_TRUE(s.Texte.empty()) << ligne << s.Texte;
        }
        EXPECT_FALSE(std::filesystem::exists(estimees)) << ligne;
    }
}

TEST_F(Statuts, TheEstimatesAreWrittenAtThePointAskedForOrAtTheBestCluster) {
    // Two known mixtures of two sources with different spectra, read back as the program reads
    // them.
    const std::size_t n = 3000;
    const auto s1 = Suite(n, 0.21), s2 = Suite(n, 0.83, 0.5);
    std::vector<double> x1(n), x2(n);
    for (std::size_t i = 0; i < n; ++i) {
        x1[i] = s1[i] + 0.5 * s2[i];
        x2[i] = -0.4 * s1[i] + s2[i];
    }
    const std::string melanges = Fichier("m.csv", TexteColonnes({"x1", "x2"}, {x1, x2})).string();
    const MelangesLus lus = LireMelanges(melanges);
    const struct {
        const char* fichier;
        std::vector<std::string> choix;
        const char* pointeur; // the report's point the estimates stand at; none: the one given
        double x, y;
    } cas[] = {
        {"e.csv", {"--point", "0.5,-0.25"}, nullptr, 0.5, -0.25},
        {"e.wav", {"--point", "-1.5,2"}, nullptr, -1.5, 2},
        {"e.csv", {"--amas", "2"}, "/amas/1/point_exact/point", 0, 0},
        {"e.csv", {}, "/amas/0/point_exact/point", 0, 0},
    };
    for (const auto& c : cas) {
        const std::string chemin = (Dossier / c.fichier).string();
        std::filesystem::remove(chemin);
        std::vector<std::string> arguments = {"resoudre", "--melanges", melanges, "--precision",
                                              "0.05",     "--estimees", chemin};
        arguments.insert(arguments.end(), c.choix.begin(), c.choix.end());
        const Sortie s = Lancer(arguments);
        ASSERT_EQ(s.Statut, 0) << c.fichier << s.Erreurs;
        const auto rapport = nlohmann::json::parse(s.Texte);
        ASSERT_GE(rapport["amas"].size(), 2u);
        // Both clusters are solutions here: the best is the first.
        EXPECT_TRUE(rapport["amas"][0]["point_exact"]["solution"].get<bool>());
        double x = c.x, y = c.y;
        if (c.pointeur) {
            const auto& p = rapport[nlohmann::json::json_pointer(c.pointeur)];
            x = p[0];
            y = p[1];
        }
        const SourcesEstimees attendues =
            CalculerSourcesEstimees(x, y, lus.Melange1, lus.Melange2, int(n), 0.1f);
        const CanauxLus ecrites = LireCanaux(chemin, {0, 1});
        ASSERT_EQ(ecrites.Canaux[0].size(), n) << c.fichier;
        for (std::size_t i = 0; i < n; i += 7) {
            EXPECT_NEAR(ecrites.Canaux[0][i], attendues.SourceEstimee1[i],
                        1e-6 * (1 + std::abs(attendues.SourceEstimee1[i])))
                << c.fichier << " " << i;
            EXPECT_NEAR(ecrites.Canaux[1][i], attendues.SourceEstimee2[i],
                        1e-6 * (1 + std::abs(attendues.SourceEstimee2[i])))
                << c.fichier << " " << i;
        }
    }
}

TEST_F(Statuts, AnAutomaticBoxHoldsBothRootsAndIsReportedAsTheBoxUsed) {
    const struct {
        std::vector<std::string> arguments;
        bool automatique, defaut; // the box is the default one
    } cas[] = {
        // The permuted point (-1/c, -1/b) = (2.5, -10) lies outside the default box.
        {{"--matrice", "1,0.1,-0.4,1", "--boite", "auto"}, true, false},
        {{"--matrice", "1,-0.15,0.1,1", "--boite", "auto"}, true, false},
        {{"--boite", "auto"}, true, true},
        {{"--matrice", "1,0.1,-0.4,1"}, false, true},
    };
    for (const auto& c : cas) {
        std::vector<std::string> arguments = {"resoudre", "--graine", "3", "--precision", "0.05"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const Sortie s = Lancer(arguments);
        ASSERT_EQ(s.Statut, 0) << s.Erreurs;
        const auto j = nlohmann::json::parse(s.Texte);
        const auto& r = j["reglages"];
        const std::vector<double> boite = {r["BorneInfX"], r["BorneSupX"], r["BorneInfY"],
                                           r["BorneSupY"]};
        EXPECT_EQ(j["entrees"]["boite_auto"], c.automatique);
        EXPECT_EQ(boite == std::vector<double>({-5, 5, -5, 5}), c.defaut) << r;
        int dedans = 0;
        for (const char* racine : {"racine1", "racine2"}) {
            const auto p = j["racines"][racine]["point"].get<std::vector<double>>();
            dedans += boite[0] < p[0] && p[0] < boite[1] && boite[2] < p[1] && p[1] < boite[3];
        }
        // Without `auto` the permuted root stays outside the default box.
        EXPECT_EQ(dedans == 2, c.automatique) << r << j["racines"];
        if (c.automatique) {
            // Both solutions are then found: a cluster stands for each.
            int representes = 0;
            for (const auto& a : j["amas"]) {
                representes += !a["represente"].is_null();
            }
            EXPECT_GE(representes, 2) << j["amas"];
        }
    }
}

TEST_F(Statuts, FailuresKeepTheirStatusAndSpeakTheLanguageAsked) {
    const std::string etude = (Dossier / "etude.csv").string();
    const std::string session =
        Fichier("s.json", R"({"format": "ovrel5-session", "options": {"PrecisionSivia": 0}})")
            .string();
    const std::string stockage =
        Fichier("t.json", R"({"format": "ovrel5-session", "options": {"Stockage": "pile"}})")
            .string();
    const struct {
        std::vector<std::string> arguments;
        std::uint64_t budget;
        int statut;
        const char *francais, *anglais; // on stderr, or on stdout for a success
    } cas[] = {
        {{"resoudre", "--source1", (Dossier / "absent.wav").string()},
         0,
         3,
         "ovrel5 : ",
         "ovrel5: "},
        {{"resoudre", "--boite", "3,1,-5,5"},
         0,
         2,
         "la borne inférieure pour X dépasse la borne supérieure (3 > 1)",
         "the lower bound for X exceeds the upper bound (3 > 1)"},
        {{"resoudre", "--contraintes", "retards", "--retards", "0,x,-2,2,2"},
         0,
         2,
         "0 (nul), x (non entier), -2 (négatif), 2 (répété)",
         "0 (zero), x (not an integer), -2 (negative), 2 (repeated)"},
        {{"resoudre", "--echantillons", "100", "--contraintes", "retards", "--retards", "60"},
         0,
         2,
         "option --retards : Retards refusés : 60 (plus grand que N/2 = 50).",
         "option --retards: Delays refused: 60 (greater than N/2 = 50)."},
        {{"resoudre", "--session", session},
         0,
         2,
         "le champ « options.PrecisionSivia » est refusé : la précision pour SIVIA doit être un "
         "nombre fini strictement positif (PrecisionSivia vaut 0)",
         "the field \"options.PrecisionSivia\" is refused: the precision for SIVIA must be a "
         "finite, strictly positive number (PrecisionSivia is 0)"},
        {{"resoudre", "--session", stockage},
         0,
         2,
         "le champ « options.Stockage » est refusé : il devrait être un entier",
         "the field \"options.Stockage\" is refused: it should be an integer"},
        {{"resoudre", "--echantillons", "20000000"},
         1 << 20,
         2,
         " Choisissez moins d'échantillons (--echantillons).",
         " Choose fewer samples (--echantillons)."},
        {{"etude", "--graine", "1", "--essais", "2", "--echantillons", "300", "--fils", "1",
          "--sortie", etude},
         0,
         0,
         "Essais : 2\n",
         "Trials: 2\n"},
    };
    for (const auto& c : cas) {
        std::string ligne;
        for (const std::string& a : c.arguments) {
            ligne += a + " ";
        }
        for (const bool anglais : {false, true}) {
            if (anglais && !Traduit) {
                continue;
            }
            const Sortie s = Lancer(c.arguments, c.budget, anglais);
            const std::string& texte = c.statut == 0 ? s.Texte : s.Erreurs;
            EXPECT_EQ(s.Statut, c.statut) << ligne << anglais << "\n" << s.Erreurs;
            const std::string attendu = anglais ? c.anglais : c.francais;
            const std::string autre = anglais ? c.francais : c.anglais;
            EXPECT_NE(texte.find(attendu), std::string::npos) << ligne << anglais << "\n" << texte;
            EXPECT_EQ(texte.find(autre), std::string::npos) << ligne << anglais << "\n" << texte;
        }
    }
}

TEST_F(Statuts, TheReportsSentencesFollowTheLanguageAndNothingElseDoes) {
    if (!Traduit) {
        GTEST_SKIP() << "the core build's program has no translations";
    }
    // Different spectra (one sentence), and two white noises: the weak case whose suggestion
    // is built from parts (the delays, the halves' agreement) and whose roots say why.
    const std::vector<std::string> cas[] = {
        {"resoudre", "--graine", "1", "--echantillons", "2000", "--precision", "0.05"},
        {"resoudre", "--graine", "2", "--echantillons", "2000", "--precision", "0.05", "--source1",
         "gauss", "--source2", "uniforme"},
    };
    for (const auto& arguments : cas) {
        const Sortie fr = Lancer(arguments);
        const Sortie en = Lancer(arguments, 0, true);
        ASSERT_EQ(fr.Statut, 0) << fr.Erreurs;
        ASSERT_EQ(en.Statut, 0) << en.Erreurs;
        const auto jfr = nlohmann::json::parse(fr.Texte);
        const auto jen = nlohmann::json::parse(en.Texte);
        // At least the roots' and the suggestion's sentences.
        EXPECT_GE(ComparerRapports(jfr, jen), 2) << arguments[2];
        EXPECT_FALSE(jen["suggestion"]["message"].get<std::string>().empty());
    }
}
