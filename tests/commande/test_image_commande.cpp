// `ovrel5 resoudre --image` through the built program: the figure's format follows the file's
// extension (PNG, SVG, PDF), its size --taille, and bad values are refused with exit 2 before
// any solve.
#include "fichiers/DossierTemporaire.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

namespace {

class ImageCommande : public DossierTemporaire {
protected:
    // Runs the program; its exit status, and what it wrote on stderr.
    int Lancer(const std::vector<std::string>& arguments, std::string* erreurs = nullptr) const {
        std::string commande =
            std::string("'") + OVREL_PROGRAMME + "' resoudre --echantillons 2000";
        for (const std::string& a : arguments) {
            commande.append(" '").append(a).append("'");
        }
        commande.append(" >/dev/null 2>'").append((Dossier / "erreurs").string()).append("'");
        const int brut = std::system(commande.c_str());
        if (erreurs) {
            *erreurs = Lire(Dossier / "erreurs");
        }
        return WIFEXITED(brut) ? WEXITSTATUS(brut) : -1;
    }
    // The core build's program has no window library and draws no figure.
    static bool SansDessin() { return std::string(OVREL_PROGRAMME).ends_with("sans-fenetre"); }
};

// Width and height of a PNG, read from its IHDR chunk.
std::pair<std::uint32_t, std::uint32_t> TaillePng(const std::string& png) {
    const auto mot = [&png](std::size_t i) {
        std::uint32_t v = 0;
        for (std::size_t k = i; k < i + 4; ++k) {
            v = v << 8 | std::uint8_t(png.at(k));
        }
        return v;
    };
    return {mot(16), mot(20)};
}

} // namespace

TEST_F(ImageCommande, WritesTheFormatOfTheExtensionAtTheAskedSize) {
    if (SansDessin()) {
        GTEST_SKIP() << "this program draws no figure";
    }
    const std::string melanges = (Dossier / "melanges.csv").string();
    const struct {
        const char* nom;
        std::vector<std::string> options; // besides --image
        int largeur, hauteur;
        bool carte; // the mean-SIR map and its scale: sources known
    } cas[] = {
        {"a.png", {"--taille", "400x300"}, 400, 300, true},
        {"b.png", {}, 900, 900, true},
        {"c.svg", {"--taille=640x480"}, 640, 480, true},
        {"d.pdf", {"--taille", "600x400"}, 600, 400, true},
        {"e.SVG", {"--melanges", melanges}, 900, 900, false},
    };
    // Two columns mixed from a cosine and a noise: the sources are unknown to the program.
    std::string texte;
    for (int i = 0; i < 2000; ++i) {
        const double s1 = std::cos(0.1 * i), s2 = std::sin(0.37 * i * i);
        texte += std::to_string(s1 + 0.5 * s2) + "," + std::to_string(-0.4 * s1 + s2) + "\n";
    }
    Fichier("melanges.csv", texte);
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        std::vector<std::string> arguments = c.options;
        arguments.insert(arguments.end(), {"--image", (Dossier / c.nom).string()});
        ASSERT_EQ(Lancer(arguments), 0);
        const std::string f = Lire(Dossier / c.nom);
        const std::string ext = c.nom + 2;
        if (ext == "png") {
            ASSERT_EQ(f.compare(0, 8, "\x89PNG\r\n\x1a\n"), 0);
            EXPECT_EQ(TaillePng(f),
                      std::make_pair(std::uint32_t(c.largeur), std::uint32_t(c.hauteur)));
        } else if (ext == "pdf") {
            ASSERT_EQ(f.compare(0, 5, "%PDF-"), 0);
            EXPECT_NE(f.find("%%EOF"), std::string::npos);
            // One pixel is 0.75 point at the screen's 96 dots per inch.
            std::smatch m;
            ASSERT_TRUE(
                std::regex_search(f, m, std::regex(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])")));
            EXPECT_NEAR(std::stod(m[1]), c.largeur * 0.75, 1);
            EXPECT_NEAR(std::stod(m[2]), c.hauteur * 0.75, 1);
            EXPECT_GT(f.size(), 20000u); // the paving's raster at least
        } else {
            EXPECT_NE(f.find("<svg"), std::string::npos);
            EXPECT_NE(f.find("viewBox=\"0 0 " + std::to_string(c.largeur) + " " +
                             std::to_string(c.hauteur) + "\""),
                      std::string::npos);
            EXPECT_NE(f.find(">Boîtes gardées</text>"), std::string::npos);
            EXPECT_NE(f.find("<image"), std::string::npos);
        }
        // The map's scale is written as text in the vector formats only.
        if (ext != "png" && ext != "pdf") {
            EXPECT_EQ(f.find(">RSI moyen</text>") != std::string::npos, c.carte);
        }
    }
}

TEST_F(ImageCommande, RefusesBadSizesAndFormatsBeforeSolving) {
    const std::string png = (Dossier / "x.png").string();
    const struct {
        std::vector<std::string> arguments;
        const char* option; // named in the message
    } cas[] = {
        {{"--image", png, "--taille", "0x0"}, "--taille"},
        {{"--image", png, "--taille", "900"}, "--taille"},
        {{"--image", png, "--taille", "900x"}, "--taille"},
        {{"--image", png, "--taille", "x900"}, "--taille"},
        {{"--image", png, "--taille", "-900x900"}, "--taille"},
        {{"--image", png, "--taille", "199x900"}, "--taille"},
        {{"--image", png, "--taille", "900x5001"}, "--taille"},
        {{"--image", png, "--taille", "900x900x900"}, "--taille"},
        {{"--image", png, "--taille", "9OOx900"}, "--taille"},
        {{"--taille", "900x900"}, "--taille"},
        {{"--image", (Dossier / "x.jpg").string()}, "--image"},
        {{"--image", (Dossier / "png").string()}, "--image"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.arguments.back());
        std::string erreurs;
        EXPECT_EQ(Lancer(c.arguments, &erreurs), 2);
        EXPECT_NE(erreurs.find(std::string("option ") + c.option), std::string::npos) << erreurs;
        EXPECT_FALSE(std::filesystem::exists(Dossier / "x.png"));
    }
    // The limits themselves are sizes.
    if (!SansDessin()) {
        EXPECT_EQ(Lancer({"--image", png, "--taille", "200x5000"}), 0);
        EXPECT_EQ(TaillePng(Lire(png)), std::make_pair(200u, 5000u));
    }
}
