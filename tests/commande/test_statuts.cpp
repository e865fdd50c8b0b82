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

// The arguments as one line, for the failures' messages.
std::string Ligne(const std::vector<std::string>& arguments) {
    std::string ligne;
    for (const std::string& a : arguments) {
        ligne += a + " ";
    }
    return ligne;
}

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
    // A session file of its own per case; `format` adds the session's format to the fields.
    int sessions = 0;
    const auto session = [&](const std::string& champs, bool format = true) {
        std::string contenu = format ? R"({"format": "ovrel5-session", )" : "";
        contenu.append(champs).append(format ? "}" : "");
        return Fichier(std::to_string(sessions++).append(".json"), contenu).string();
    };
    const char* pasSession = "pas une session d'Ovrel 5";
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
        // A session against the rules, or a box against them on the command line: the same
        // rule, the file and its field named.
        {{"resoudre", "--session", session(R"("options": {"PrecisionSivia": 0})")},
         0,
         2,
         "« options.PrecisionSivia »"},
        {{"resoudre", "--session", session(R"("options": {"BorneInfX": 2, "BorneSupX": -2})")},
         0,
         2,
         "« options.BorneInfX »"},
        {{"resoudre", "--session", session(R"("options": {"NbEchantillons": -5})")},
         0,
         2,
         "« options.NbEchantillons »"},
        {{"resoudre", "--session", session(R"("options": {"Stockage": 7})")},
         0,
         2,
         "« options.Stockage »"},
        {{"resoudre", "--session",
          session(R"("sources": [{"sorte": "generee", "type": "Martien"}, {"sorte": "aucune"}])")},
         0,
         2,
         "« sources[0].type »"},
        {{"resoudre", "--session", session(R"("matrice": {"a11": 1, "a12": 0, "a21": 0})")},
         0,
         2,
         "« matrice.a22 »"},
        {{"resoudre", "--session", session(R"("options": {"PrecisionSivia": 1e400})")},
         0,
         2,
         "« PrecisionSivia »"},
        {{"resoudre", "--session", session(R"({"format": 5})", false)}, 0, 3, pasSession},
        {{"resoudre", "--session", session(R"({"format": null})", false)}, 0, 3, pasSession},
        {{"resoudre", "--session", session(R"({"format": []})", false)}, 0, 3, pasSession},
        {{"resoudre", "--session", session(R"({"format": {}})", false)}, 0, 3, pasSession},
        {{"resoudre", "--boite", "1,-1,-5,5"},
         0,
         2,
         "option --boite : la borne inférieure pour X dépasse la borne supérieure"},
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
        const std::string ligne = Ligne(c.arguments);
        std::filesystem::remove(etude);
        const Sortie s = Lancer(c.arguments, c.budget);
        EXPECT_EQ(s.Statut, c.statut) << ligne << "\n" << s.Erreurs;
        if (c.erreur) {
            EXPECT_NE(s.Erreurs.find(c.erreur), std::string::npos) << ligne << "\n" << s.Erreurs;
        }
        // A file refused is named, and a parser's own words never reach the user.
        if (c.statut != 0 && c.arguments[1] == "--session") {
            EXPECT_NE(s.Erreurs.find(c.arguments[2]), std::string::npos) << s.Erreurs;
        }
        EXPECT_EQ(s.Erreurs.find("json.exception"), std::string::npos) << s.Erreurs;
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
    const auto retards = [](const std::vector<std::string>& plus) {
        std::vector<std::string> a = {"resoudre",
                                      "--graine",
                                      "3",
                                      "--echantillons",
                                      "400",
                                      "--contraintes",
                                      "decorrelation,retards",
                                      "--precision",
                                      "0.2"};
        a.insert(a.end(), plus.begin(), plus.end());
        return a;
    };
    // The delays reported, with the four constraint flags of the delayed decorrelation's set.
    using Valeurs = std::vector<std::pair<std::string, nlohmann::json>>;
    const auto avecRetards = [](const std::vector<int>& liste) {
        return Valeurs{{"/entrees/retards", liste},
                       {"/reglages/ContrainteDecorrelation", true},
                       {"/reglages/ContrainteDecorrelationDerivees", false},
                       {"/reglages/ContrainteMomentOrdre4", false},
                       {"/reglages/ContrainteDecorrelationRetardee", true}};
    };
    const auto plus = [](Valeurs a, const Valeurs& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const std::string avecRetardsSession =
        Fichier("retards.json", R"({"format": "ovrel5-session", "options": {
        "ContrainteDecorrelation": true, "ContrainteDecorrelationDerivees": false,
        "ContrainteDecorrelationRetardee": true, "Retards": "3,5", "NbEchantillons": 500,
        "PrecisionSivia": 0.2}})")
            .string();
    const struct {
        std::vector<std::string> arguments;
        int statut;
        std::vector<std::string> erreurs; // what stderr must hold
        // Values of the report, by their pointers, when status 0.
        std::vector<std::pair<std::string, nlohmann::json>> valeurs = {};
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
         {{"/entrees/source2/canal", 3}}},
        {{"resoudre", "--graine", "1", "--precision", "0.1", "--source1", sig + ":b"},
         0,
         {},
         {{"/entrees/source1/canal", 3}}},
        // A mistyped kind is a kind, a missing path a file.
        {{"resoudre", "--source1", "cosinu"},
         2,
         {"sorte inconnue « cosinu »", "« cosinus »", "laplace"}},
        {{"resoudre", "--source1", (Dossier / "absent.csv:a").string()}, 3, {"absent.csv"}},
        {{"resoudre", "--graine", "1", "--precision", "0.1", "--source1", court, "--source2",
          long_},
         0,
         {"300 et 400", "coupée à 300"},
         {{"/entrees/echantillons", 300}}},
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
        // The delays of the delayed decorrelation: each bad one named, good ones reported
        // with the constraint on, a study checks them against its N before any trial.
        {retards({"--retards", "0"}), 2, {"--retards", "0 (nul)"}},
        {retards({"--retards", "1,-3"}), 2, {"--retards", "-3 (négatif)"}},
        {retards({"--retards", "2,4,2"}), 2, {"--retards", "2 (répété)"}},
        {retards({"--retards", "1.5"}), 2, {"--retards", "1.5 (non entier)"}},
        {retards({"--retards", "deux"}), 2, {"--retards", "deux (non entier)"}},
        {retards({"--retards", ""}), 2, {"--retards", "Aucun retard"}},
        {retards({"--retards", "99999999999"}), 2, {"--retards", "99999999999"}},
        // N = 400: 200 is the largest delay
        {retards({"--retards", "1,201"}), 2, {"--retards", "201 (plus grand que N/2 = 200)"}},
        {retards({"--retards", "1,200"}), 0, {}, avecRetards({1, 200})},
        {retards({"--retards", "1 2;8"}), 0, {}, avecRetards({1, 2, 8})},
        {retards({}), 0, {}, avecRetards({1, 2, 3, 4, 5, 6, 8, 10, 12, 16, 20})},
        {{"etude", "--echantillons", "100", "--contraintes", "retards", "--retards", "51",
          "--essais", "1", "--sortie", "/dev/null"},
         2,
         {"--retards", "51 (plus grand que N/2 = 50)"}},
        // A session keeps the constraint and its delays; the option given wins over its list,
        // a bad list in it is refused.
        {{"resoudre", "--graine", "1", "--session", avecRetardsSession},
         0,
         {},
         plus(avecRetards({3, 5}), {{"/reglages/Retards", "3,5"}})},
        {{"resoudre", "--graine", "1", "--session", avecRetardsSession, "--retards", "2"},
         0,
         {},
         avecRetards({2})},
        {{"resoudre", "--session",
          Fichier("r.json", R"({"format": "ovrel5-session", "options": {"Retards": "4,x"}})")
              .string()},
         2,
         {"« options.Retards »", "x (non entier)"}},
    };
    for (const auto& c : cas) {
        const std::string ligne = Ligne(c.arguments);
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
            EXPECT_FALSE(c.valeurs.empty()) << ligne; // a success says what it gave
            for (const auto& [pointeur, valeur] : c.valeurs) {
                EXPECT_EQ(rapport[nlohmann::json::json_pointer(pointeur)], valeur)
                    << ligne << pointeur;
            }
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

// A bad input file is refused with the same exit status whatever the language, and a message
// in that language naming the file. The windowless program of the core build has no
// translations: there only the French rows run.
TEST_F(Statuts, ABadInputFileIsRefusedAlikeInFrenchAndInEnglish) {
    const bool traduit = std::filesystem::path(OVREL_PROGRAMME).filename() == "ovrel5";
    const std::string absent = (Dossier / "absent.wav").string();
    const std::string vide = Fichier("vide.wav", "").string();
    const std::string texte = Fichier("texte.wav", "ceci n'est pas du son").string();
    const std::string cellule = Fichier("cellule.csv", "1\n2\nx\n").string();
    const std::string deux = Fichier("deux.csv", "1;2\n3;4\n5;6\n").string();
    const std::string seule = Fichier("seule.csv", "1\n2\n3\n").string();
    const std::string session =
        Fichier("s.json", R"({"format": "ovrel5-session", "sources": 3})").string();
    // 3000 bytes of numbers, read under a budget of 1000.
    std::string lignes;
    for (int i = 0; i < 1500; ++i) {
        lignes += "1\n";
    }
    const std::string gros = Fichier("gros.csv", lignes).string();
    const auto fr = [](const std::string& f, const std::string& raison) {
        return "Fichier « " + f + " » : " + raison + ".";
    };
    const auto en = [](const std::string& f, const std::string& raison) {
        return "File \"" + f + "\": " + raison + ".";
    };
    const struct {
        std::vector<std::string> arguments;
        int statut;
        std::vector<std::string> francais, anglais; // what stderr must hold in each language
        std::uint64_t budget = 0;
    } cas[] = {
        {{"--source1", absent},
         3,
         {fr(absent, "le fichier n'existe pas")},
         {en(absent, "the file does not exist")}},
        {{"--source1", vide},
         3,
         {fr(vide, "le fichier est vide")},
         {en(vide, "the file is empty")}},
        {{"--source1", texte},
         3,
         {fr(texte, "ce n'est pas un fichier audio lisible")},
         {en(texte, "it is not a readable audio file")}},
        {{"--source1", cellule},
         3,
         {fr(cellule, "ligne 3, colonne 1 : « x » n'est pas un nombre")},
         {en(cellule, "line 3, column 1: \"x\" is not a number")}},
        // Several columns and none chosen: listed by the names a choice may use.
        {{"--source1", deux},
         2,
         {deux, "« Colonne 1 », « Colonne 2 »"},
         {deux, "Column 1", "Column 2"}},
        {{"--melanges", seule},
         3,
         {fr(seule, "les mélanges demandent deux colonnes, le fichier n'en a qu'une")},
         {en(seule, "the mixtures need two columns, the file has only one")}},
        {{"--session", session},
         3,
         {fr(session, "le champ « sources » devrait être une liste de deux sources")},
         {en(session, "field \"sources\" should be a list of two sources")}},
        // Sizes in the units and with the decimal separator of the language.
        {{"--source1", gros},
         3,
         {gros, "Mémoire insuffisante : la lecture d'un texte de 2,9 ko demande 2,9 ko"},
         {gros, "Not enough memory: reading a text of 2.9 kB needs 2.9 kB"},
         1000},
    };
    for (const auto& c : cas) {
        std::vector<std::string> arguments = {"resoudre"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const Sortie francais = Lancer(arguments, c.budget);
        EXPECT_EQ(francais.Statut, c.statut) << c.arguments[1] << "\n" << francais.Erreurs;
        for (const std::string& e : c.francais) {
            EXPECT_NE(francais.Erreurs.find(e), std::string::npos) << e << "\n" << francais.Erreurs;
        }
        if (!traduit) {
            continue;
        }
        arguments.insert(arguments.begin(), {"--langue", "en"});
        const Sortie anglais = Lancer(arguments, c.budget);
        EXPECT_EQ(anglais.Statut, francais.Statut) << c.arguments[1] << "\n" << anglais.Erreurs;
        EXPECT_TRUE(anglais.Texte.empty()) << anglais.Texte;
        for (const std::string& e : c.anglais) {
            EXPECT_NE(anglais.Erreurs.find(e), std::string::npos) << e << "\n" << anglais.Erreurs;
        }
        // What the French message says of the file is not left in the English one.
        EXPECT_EQ(anglais.Erreurs.find(c.francais.back()), std::string::npos) << anglais.Erreurs;
    }
}

TEST_F(Statuts, TheFigureIsWrittenInEachFormatAtItsSizeAndBadValuesWriteNothing) {
    // The core build's program has no window library and draws no figure.
    const bool dessine = !std::string(OVREL_PROGRAMME).ends_with("sans-fenetre");
    using namespace std::string_literals;
    const struct {
        std::vector<std::string> arguments;
        int statut;
        std::string attendu; // in the file written, or on stderr
    } cas[] = {
        // A PNG's IHDR chunk: width and height on four bytes each.
        {{"--image", "a.png", "--taille", "400x300"}, 0, "IHDR\0\0\x01\x90\0\0\x01\x2c"s},
        {{"--image", "b.png"}, 0, "IHDR\0\0\x03\x84\0\0\x03\x84"s},
        {{"--image", "c.SVG", "--taille=640x480"}, 0, "viewBox=\"0 0 640 480\""},
        {{"--image", "d.svg"}, 0, ">RSI moyen</text>"}, // the map of known sources
        {{"--image", "f.svg"}, 0, "JADE</text>"},       // the classic methods the legend lists
        {{"--image", "e.pdf", "--taille", "600x400"}, 0, "/MediaBox [0 0 450.000000 300.000000]"},
        {{"--image", "x.png", "--taille", "199x900"}, 2, "option --taille"},
        {{"--image", "x.png", "--taille", "900x5001"}, 2, "option --taille"},
        {{"--image", "x.png", "--taille", "900"}, 2, "option --taille"},
        {{"--image", "x.png", "--taille", "900x900x9"}, 2, "option --taille"},
        {{"--taille", "900x900"}, 2, "option --taille"},
        {{"--image", "x.jpg"}, 2, "option --image"},
    };
    for (const auto& c : cas) {
        if (c.statut == 0 && !dessine) {
            continue;
        }
        const std::string fichier = (Dossier / c.arguments[1]).string();
        std::vector<std::string> arguments = {"resoudre", "--echantillons", "2000", "--graine",
                                              "1"};
        for (const std::string& a : c.arguments) {
            arguments.push_back(a == c.arguments[1] ? fichier : a);
        }
        SCOPED_TRACE(fichier);
        const Sortie s = Lancer(arguments);
        EXPECT_EQ(s.Statut, c.statut) << s.Erreurs;
        EXPECT_NE((c.statut ? s.Erreurs : Lire(fichier)).find(c.attendu), std::string::npos);
        EXPECT_EQ(std::filesystem::exists(fichier), c.statut == 0);
    }
}

TEST_F(Statuts, TheHelpAndTheMessagesFollowTheLanguageChosenAnywhereOnTheLine) {
    // Only the program with the window reads --langue (before anything else).
    const bool langues = !std::string(OVREL_PROGRAMME).ends_with("sans-fenetre");
    const struct {
        std::vector<std::string> arguments;
        int statut;
        std::vector<std::string> attendus; // on stdout for status 0, else on stderr
    } cas[] = {
        {{"resoudre", "--help"},
         0,
         {"Usage : ovrel5 resoudre", "la précision de SIVIA", "(défaut : 0.01)", "--langue fr|en"}},
        {{"--langue", "en", "resoudre", "--help"},
         0,
         {"Usage: ovrel5 resoudre", "the precision of SIVIA", "(default: 0.01)", "--langue fr|en",
          "Source kinds: gauss|"}},
        {{"etude", "--help", "--langue=en"}, 0, {"the number of computing threads", "every core"}},
        {{"--langue", "fr", "etude", "--help"},
         0,
         {"le nombre de fils de calcul", "tous les cœurs"}},
        {{"--langue", "en", "--help"}, 0, {"--langue fr|en", "Exit statuses: 0 success"}},
        {{"resoudre", "--precision", "abc"},
         2,
         {"option --precision : « abc » n'est pas valable, un nombre strictement positif est "
          "attendu."}},
        {{"--langue", "en", "resoudre", "--precision", "abc"},
         2,
         {"option --precision: “abc” is not valid, a number greater than 0 is expected."}},
        {{"resoudre", "--source1", "cosinu", "--langue", "en"},
         2,
         {"unknown kind “cosinu” (closest: “cosinus”)"}},
        // CLI11's own errors, and the rules between options.
        {{"--langue", "en", "etude", "--avec-temps=1"},
         2,
         {"option --avec-temps: it takes no value."}},
        {{"--langue", "en", "resoudre", "--precision"}, 2, {"a value is expected (REEL)"}},
        {{"--langue", "en", "resoudre", "--point", "1,2"},
         2,
         {"--point: it is used only with --estimees"}},
        {{"--langue", "en", "resoudre", "--amas", "1", "--point", "1,2", "--estimees", "e.csv"},
         2,
         {"only one of the two is allowed"}},
        {{"--langue", "en", "etude", "--estimees", "e.csv"},
         2,
         {"unknown option “--estimees” for etude (it applies to the other command only)"}},
    };
    for (const auto& c : cas) {
        const bool anglais =
            std::ranges::count(c.arguments, "en") + std::ranges::count(c.arguments, "--langue=en");
        if (!langues && (anglais || std::ranges::count(c.arguments, "--langue"))) {
            continue;
        }
        const std::string ligne = Ligne(c.arguments);
        const Sortie s = Lancer(c.arguments);
        EXPECT_EQ(s.Statut, c.statut) << ligne << s.Erreurs;
        const std::string& texte = c.statut == 0 ? s.Texte : s.Erreurs;
        for (const std::string& a : c.attendus) {
            EXPECT_NE(texte.find(a), std::string::npos) << ligne << "\n" << texte;
        }
        // Nothing of the other language.
        for (const char* mot :
             anglais ? std::vector<const char*>{"« ", "défaut", " est attendu", "Usage :", "aucun"}
                     : std::vector<const char*>{"expected", "default:", "Usage:", "none"}) {
            EXPECT_EQ(texte.find(mot), std::string::npos) << ligne << mot << "\n" << texte;
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
         ",0 %)\nDeux points vrais", // the language's decimal mark
         ".0%)\nBoth true points"},
    };
    for (const auto& c : cas) {
        const std::string ligne = Ligne(c.arguments);
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
