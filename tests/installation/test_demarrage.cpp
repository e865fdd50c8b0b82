// How the program starts (window or command line, unknown words refused) and where it finds
// its example voices, on folder layouts made for the test.
#include "commande/LigneDeCommande.h"
#include "fichiers/Donnees.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class Dossier : public ::testing::Test {
protected:
    void SetUp() override {
        Racine = fs::temp_directory_path() /
                 ("ovrel_installation_" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(Racine);
        fs::create_directories(Racine);
    }
    void TearDown() override { fs::remove_all(Racine); }
    fs::path Fichier(const fs::path& relatif) {
        fs::create_directories((Racine / relatif).parent_path());
        std::ofstream(Racine / relatif) << "x";
        return Racine / relatif;
    }
    fs::path Racine;
};

TEST_F(Dossier, WindowOpensOnNothingOrOnlyExistingFiles) {
    const std::string session = Fichier("session.json").string();
    const std::string voix = Fichier("melanges.wav").string();
    // A file named like a command is still the command.
    const fs::path ancien = fs::current_path();
    fs::current_path(Racine);
    Fichier("resoudre");
    struct Cas {
        std::vector<std::string> Arguments;
        bool Fenetre;
    } const cas[] = {
        {{}, true},
        {{session}, true},
        {{voix, session}, true},
        {{"resoudre"}, false},
        {{"etude", session}, false},
        {{"--help"}, false},
        {{"help"}, false},
        {{"resoudre-vite"}, false},
        {{"-x"}, false},
        {{"--exemples"}, false},
        {{(Racine / "absent.wav").string()}, false},
        {{voix, (Racine / "absent.wav").string()}, false},
        {{Racine.string()}, false}, // a folder is not a file to open
    };
    for (const Cas& c : cas) {
        std::string texte;
        for (const std::string& a : c.Arguments) {
            texte += " " + a;
        }
        EXPECT_EQ(OuvreLaFenetre(c.Arguments), c.Fenetre) << texte;
    }
    fs::current_path(ancien);
}

TEST(Demarrage, UnknownFirstWordIsRefusedWithTheCommands) {
    for (const std::string mot : {"help", "resoudre-vite", "-x", "--versio"}) {
        std::ostringstream sortie, erreurs;
        EXPECT_EQ(ExecuterLigneDeCommande({mot, "--graine", "1"}, sortie, erreurs, false),
                  SortieOptionInvalide)
            << mot;
        EXPECT_EQ(sortie.str(), "") << mot;
        EXPECT_NE(erreurs.str().find("« " + mot + " » n'est ni une commande"), std::string::npos)
            << erreurs.str();
        for (const char* commande : {"ovrel5 resoudre", "ovrel5 etude", "ovrel5 --version"}) {
            EXPECT_NE(erreurs.str().find(commande), std::string::npos) << commande;
        }
    }
}

TEST_F(Dossier, ExampleVoicesAreFoundRelativeToTheProgram) {
    struct Cas {
        const char* Nom;
        std::vector<const char*> Voix; // where voix1.wav is put
        const char* Programme;
        const char* Attendu;
        bool Presentes;
    } const cas[] = {
        {"installed", {"p/share/ovrel5/data"}, "p/bin", "p/share/ovrel5/data", true},
        {"build tree", {"src/data"}, "src/build/app", "src/data", true},
        {"beside", {"dist/data"}, "dist", "dist/data", true},
        {"installed first", {"q/share/ovrel5/data", "data"}, "q/bin", "q/share/ovrel5/data", true},
        {"none", {}, "r/bin", "r/share/ovrel5/data", false},
    };
    for (const Cas& c : cas) {
        for (const char* v : c.Voix) {
            Fichier(fs::path(v) / "voix1.wav");
        }
        fs::create_directories(Racine / c.Programme);
        const fs::path trouve = DossierDonnees(Racine / c.Programme);
        EXPECT_EQ(trouve, Racine / c.Attendu) << c.Nom;
        EXPECT_EQ(DonneesPresentes(trouve), c.Presentes) << c.Nom;
        for (const char* v : c.Voix) {
            fs::remove(Racine / v / "voix1.wav");
        }
    }
}

TEST_F(Dossier, PythonModuleFindsTheVoicesRelativeToItself) {
    struct Cas {
        const char* Nom;
        const char* Voix; // where voix1.wav is put, none when empty
        const char* Module;
        const char* Attendu;
    } const cas[] = {
        {"installed", "p/share/ovrel5/data", "p/lib/python3/dist-packages", "p/share/ovrel5/data"},
        {"site-packages", "v/share/ovrel5/data", "v/lib/python3.11/site-packages",
         "v/share/ovrel5/data"},
        {"build tree", "src/data", "src/build/python", "src/data"},
        {"none", "", "r/lib/python3/dist-packages", "r/share/ovrel5/data"},
    };
    for (const Cas& c : cas) {
        if (*c.Voix != 0) {
            Fichier(fs::path(c.Voix) / "voix1.wav");
        }
        fs::create_directories(Racine / c.Module);
        const fs::path trouve = DossierDonneesModule(Racine / c.Module);
        EXPECT_EQ(trouve, Racine / c.Attendu) << c.Nom;
        EXPECT_EQ(DonneesPresentes(trouve), *c.Voix != 0) << c.Nom;
    }
}

TEST(Demarrage, ProgramFolderIsThisProgramsFolder) {
    EXPECT_TRUE(fs::is_regular_file(DossierProgramme() / "tests_installation"));
    EXPECT_TRUE(
        fs::is_regular_file(DossierProgramme("/ailleurs/programme") / "tests_installation"));
}

} // namespace
