// `ovrel5 resoudre --image` through the built program: the format follows the extension, the
// size --taille; bad values are refused with exit 2 before any solve, and write nothing.
#include "fichiers/DossierTemporaire.h"

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

using ImageCommande = DossierTemporaire;

TEST_F(ImageCommande, WritesEachFormatAtItsSizeAndRefusesBadValues) {
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
        std::string commande = "cd '" + Dossier.string() + "' && '" + OVREL_PROGRAMME +
                               "' resoudre --echantillons 2000";
        for (const std::string& a : c.arguments) {
            commande.append(" '").append(a).append("'");
        }
        const int brut = std::system(commande.append(" >/dev/null 2>erreurs").c_str());
        const std::string fichier = c.arguments[1];
        SCOPED_TRACE(fichier);
        EXPECT_EQ(WIFEXITED(brut) ? WEXITSTATUS(brut) : -1, c.statut);
        EXPECT_NE(Lire(Dossier / (c.statut ? "erreurs" : fichier)).find(c.attendu),
                  std::string::npos);
        EXPECT_EQ(std::filesystem::exists(Dossier / fichier), c.statut == 0);
    }
}
