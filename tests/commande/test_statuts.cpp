// The exit statuses of the built program, as a script sees them: 0 success, 2 a bad option or
// value, 3 an unreadable input file, 4 a solve stopped at the memory limit, for both commands.
#include "fichiers/DossierTemporaire.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>

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
    // Runs the program with `arguments`, with a memory budget of `budget` bytes when non-zero.
    Sortie Lancer(const std::vector<std::string>& arguments, std::uint64_t budget = 0) const {
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
