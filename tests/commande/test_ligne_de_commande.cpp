#include "commande/Lancement.h"
#include "signal/Memoire.h"
#include "support/Gardes.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "fichiers/ErreurFichier.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <sstream>

#include <unistd.h>

namespace {

// A standard output that refuses every byte, as a full disk or a closed pipe does.
struct FluxPlein : std::streambuf {
    int overflow(int) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

std::string Lire(const std::filesystem::path& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

class LigneDeCommande : public ::testing::Test {
protected:
    void SetUp() override {
        // Each test runs in its own process, several at once: the folder is named by the
        // process and a random draw, never by the time-derived shuffle seed.
        std::random_device alea;
        Dossier = std::filesystem::temp_directory_path() /
                  ("ovrel5-commande-" + std::to_string(::getpid()) + "-" + std::to_string(alea()));
        ASSERT_TRUE(std::filesystem::create_directories(Dossier)) << Dossier;
    }
    void TearDown() override { std::filesystem::remove_all(Dossier); }
    std::filesystem::path Dossier;
};

TEST_F(LigneDeCommande, EveryBadOptionOrValueNamesTheOptionAndExitsWithTwo) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cas = {
        {{"resoudre", "--precision", "0"}, "--precision"},
        {{"resoudre", "--precision", "1,5"}, "--precision"},
        {{"resoudre", "--echantillons", "1"}, "--echantillons"},
        {{"resoudre", "--echantillons", "99999999999"}, "--echantillons"},
        {{"resoudre", "--boite", "1,2,3"}, "--boite"},
        {{"resoudre", "--boite", "0,1,nan,2"}, "--boite"},
        {{"resoudre", "--matrice", "0,0,0,0"}, "--matrice"},
        {{"resoudre", "--stockage", "tas"}, "--stockage"},
        {{"resoudre", "--contraintes", "decorrelation,ordre9"}, "--contraintes"},
        {{"resoudre", "--source1="}, "--source1"},
        {{"resoudre", "--source2", "voix.wav:0"}, "--source2"},
        {{"resoudre", "--graine", "-3"}, "--graine"},
        {{"resoudre", "--essais", "10"}, "--essais"},
        {{"resoudre", "--precision"}, "--precision"},
        {{"resoudre", "--matrice-aleatoire=oui"}, "--matrice-aleatoire"},
        {{"resoudre", "--matrice", "1,0,0,1", "--matrice-aleatoire"}, "--matrice"},
        {{"resoudre", "--inconnue"}, "--inconnue"},
        {{"etude", "--essais", "0"}, "--essais"},
        {{"etude", "--fils", "0"}, "--fils"},
        {{"etude", "--matrice", "1,0,0,1"}, "--matrice"},
        {{"resoudre-vite"}, "resoudre-vite"},
        {{"resoudre", "--melanges", "m.wav", "--source1", "gauss"}, "--source1"},
        {{"resoudre", "--source2", "gauss", "--melanges", "m.wav"}, "--source2"},
        {{"resoudre", "--melanges", "m.wav", "--matrice", "1,0,0,1"}, "--matrice"},
        {{"resoudre", "--melanges", "m.wav", "--matrice-aleatoire"}, "--matrice-aleatoire"},
        {{"resoudre", "--boites", ""}, "--boites"},
        {{"resoudre", "--image="}, "--image"},
        {{"etude", "--boites", "b.csv"}, "--boites"},
        {{"etude", "--estimees", "e.wav"}, "--estimees"},
        {{"resoudre", "--estimees", "e.wav", "--amas", "0"}, "--amas"},
        {{"resoudre", "--estimees="}, "--estimees"},
        {{"resoudre", "--source1", "gaus"}, "--source1"},
        {{"resoudre", "--boite", "auto,1"}, "--boite"},
        {{"resoudre", "--avec-temps"}, "--avec-temps"},
    };
    for (const auto& [arguments, option] : cas) {
        const Sortie s = Lancer(arguments);
        EXPECT_EQ(s.Statut, SortieOptionInvalide) << arguments.back();
        EXPECT_NE(s.Erreurs.find(option), std::string::npos) << s.Erreurs;
        EXPECT_TRUE(s.Texte.empty()) << arguments.back();
    }
}

TEST_F(LigneDeCommande, HelpListsEveryOptionWithItsDefault) {
    // Each command lists what it registers, with the defaults of the options it fills.
    const struct {
        const char* commande;
        std::vector<const char*> presents, absents;
    } cas[] = {
        {"etude",
         {"--source1", "--graine", "--precision REEL", "--essais", "--fils", "défaut : 0.01",
          "défaut : decorrelation,derivees", "laplace"},
         {"--estimees", "--taille", "--boites", "--image", "--matrice ", "|auto"}},
        {"resoudre",
         {"--estimees FICHIER.wav|.csv", "--taille LxH", "défaut : 900x900",
          "--boite xmin,xmax,ymin,ymax|auto", "défaut : -5,5,-5,5", "--amas N", "--point x,y",
          "FICHIER[:canal|:nom]", "défaut : 5000"},
         {"--essais", "--fils", "--sortie", "--avec-temps"}},
    };
    for (const auto& c : cas) {
        const Sortie s = Lancer({c.commande, "--help"});
        EXPECT_EQ(s.Statut, SortieSucces) << c.commande;
        for (const char* o : c.presents) {
            EXPECT_NE(s.Texte.find(o), std::string::npos) << c.commande << " " << o;
        }
        for (const char* o : c.absents) {
            EXPECT_EQ(s.Texte.find(o), std::string::npos) << c.commande << " " << o;
        }
    }
}

TEST_F(LigneDeCommande, EachCommandTakesItsOwnOptionsAndRefusesTheOtherOnes) {
    const std::vector<std::string> communes = {
        "--source1",   "--source2",     "--session", "--graine",   "--echantillons", "--boite",
        "--precision", "--contraintes", "--retards", "--stockage", "--help",         "--langue"};
    const std::vector<std::string> resoudre = {"--melanges", "--matrice", "--matrice-aleatoire",
                                               "--boites",   "--image",   "--taille",
                                               "--estimees", "--point",   "--amas"};
    const std::vector<std::string> etude = {"--essais", "--fils", "--sortie", "--avec-temps"};
    const struct {
        const char* commande;
        const std::vector<std::string>&siennes, &autres;
    } cas[] = {{"resoudre", resoudre, etude}, {"etude", etude, resoudre}};
    for (const auto& c : cas) {
        // The help lists every option the command takes, and those only, on lines that end
        // with their text.
        std::set<std::string> listees, attendues(communes.begin(), communes.end());
        attendues.insert(c.siennes.begin(), c.siennes.end());
        std::istringstream aide(Lancer({c.commande, "--help"}).Texte);
        for (std::string ligne; std::getline(aide, ligne);) {
            EXPECT_FALSE(ligne.ends_with(' ')) << "«" << ligne << "»";
            if (ligne.starts_with("  --")) {
                listees.insert(ligne.substr(2, ligne.find(' ', 2) - 2));
            }
        }
        EXPECT_EQ(listees, attendues) << c.commande;
        // The other command's options are refused by name, never ignored.
        for (const std::string& option : c.autres) {
            const Sortie s = Lancer({c.commande, option, "x.csv"});
            EXPECT_EQ(s.Statut, SortieOptionInvalide) << c.commande << " " << option;
            EXPECT_NE(s.Erreurs.find("option inconnue « " + option + " »"), std::string::npos)
                << s.Erreurs;
            EXPECT_NE(s.Erreurs.find("l'autre commande"), std::string::npos) << s.Erreurs;
        }
    }
}

TEST_F(LigneDeCommande, AnUnreadableInputFileIsNamedAndExitsWithThree) {
    const std::string absent = (Dossier / "absent.wav").string();
    std::filesystem::create_symlink("boucle.csv", Dossier / "boucle.csv");
    std::ofstream(Dossier / "enorme.csv") << "1,2\n1e300,3\n";
    int sessions = 0;
    const auto session = [&](const char* texte) {
        const std::string fichier = (Dossier / (std::to_string(sessions++) + ".json")).string();
        std::ofstream(fichier) << texte;
        return fichier;
    };
    const struct {
        const char* option;
        std::string fichier;
        int statut;
        const char* raison;
    } cas[] = {
        {"--source1", absent, SortieFichierIllisible, "le fichier n'existe pas"},
        {"--melanges", absent, SortieFichierIllisible, "le fichier n'existe pas"},
        {"--session", absent, SortieFichierIllisible, "le fichier n'existe pas"},
        // Files that are no samples, each said for what it is.
        {"--melanges", "/dev/zero", SortieFichierIllisible, "c'est un périphérique"},
        {"--melanges", (Dossier / "boucle.csv").string(), SortieFichierIllisible,
         "boucle de liens symboliques"},
        {"--melanges", (Dossier / "enorme.csv").string(), SortieFichierIllisible,
         "valeur trop grande"},
        // Sessions whose values have the wrong type or no double can hold: never the JSON
        // library's English, never an abort. A file that is not a session cannot be read (3);
        // a value out of range is a bad value (2).
        {"--session", session(R"({"format": 5})"), SortieFichierIllisible, "pas une session"},
        {"--session", session(R"({"format": null})"), SortieFichierIllisible, "pas une session"},
        {"--session", session(R"({"format": [1]})"), SortieFichierIllisible, "pas une session"},
        {"--session", session(R"({"format": "ovrel5-session", "options": {"x": 1e400}})"),
         SortieOptionInvalide, "hors de l'étendue des nombres"},
    };
    for (const auto& c : cas) {
        const Sortie s = Lancer({"resoudre", c.option, c.fichier});
        EXPECT_EQ(s.Statut, c.statut) << c.fichier << s.Erreurs;
        EXPECT_NE(s.Erreurs.find("« " + c.fichier + " »"), std::string::npos) << s.Erreurs;
        EXPECT_NE(s.Erreurs.find(c.raison), std::string::npos) << s.Erreurs;
        EXPECT_EQ(s.Erreurs.find("json.exception"), std::string::npos) << s.Erreurs;
    }
}

TEST_F(LigneDeCommande, AFixedSeedGivesTheSameReportTimingsAside) {
    const std::vector<std::string> arguments = {
        "resoudre",       "--graine", "42",
        "--source2",      "gauss",    "--matrice-aleatoire",
        "--echantillons", "3000",     "--precision",
        "0.02",           "--boites", (Dossier / "boites.csv").string()};
    Sortie a = Lancer(arguments);
    const std::string boites = Lire(Dossier / "boites.csv");
    Sortie b = Lancer(arguments);
    ASSERT_EQ(a.Statut, SortieSucces) << a.Erreurs;
    auto ja = nlohmann::ordered_json::parse(a.Texte);
    auto jb = nlohmann::ordered_json::parse(b.Texte);
    ja.erase("temps");
    jb.erase("temps");
    EXPECT_EQ(ja.dump(), jb.dump());
    EXPECT_EQ(boites, Lire(Dossier / "boites.csv"));
    EXPECT_EQ(ja["entrees"]["graine"], 42);
    EXPECT_EQ(ja["resolution"]["statut"], "termine");
    const std::uint64_t gardees = ja["resolution"]["gardees"];
    const std::uint64_t rejetees = ja["resolution"]["rejetees"];
    EXPECT_EQ(std::count(boites.begin(), boites.end(), '\n'),
              std::ptrdiff_t(gardees + rejetees + 1));
    EXPECT_FALSE(ja["amas"].empty());
    // Another seed draws another matrix.
    auto autre = Lancer({"resoudre", "--graine", "43", "--matrice-aleatoire"});
    EXPECT_NE(nlohmann::json::parse(autre.Texte)["entrees"]["matrice"], ja["entrees"]["matrice"]);
}

TEST_F(LigneDeCommande, AStudyWritesTheSameCsvWhateverTheNumberOfThreads) {
    std::vector<std::string> csv;
    for (const char* fils : {"1", "2"}) {
        const auto chemin = Dossier / (std::string("etude") + fils + ".csv");
        const Sortie s =
            Lancer({"etude", "--graine", "7", "--essais", "6", "--fils", fils, "--echantillons",
                    "2000", "--precision", "0.05", "--sortie", chemin.string()});
        ASSERT_EQ(s.Statut, SortieSucces) << s.Erreurs;
        EXPECT_NE(s.Texte.find("médiane"), std::string::npos) << s.Texte;
        EXPECT_TRUE(s.Erreurs.empty()); // no progress bar when stderr is not a terminal
        csv.push_back(Lire(chemin));
    }
    EXPECT_EQ(csv[0], csv[1]);
    EXPECT_EQ(std::count(csv[0].begin(), csv[0].end(), '\n'), 7);
    // Trial k replays alone from its own seed.
    std::istringstream lignes(csv[0]);
    std::string entete, premiere;
    std::getline(lignes, entete);
    std::getline(lignes, premiere);
    const std::string graine = premiere.substr(2, premiere.find(',', 2) - 2);
    const Sortie seul = Lancer({"resoudre", "--graine", graine, "--matrice-aleatoire",
                                "--echantillons", "2000", "--precision", "0.05"});
    const auto j = nlohmann::json::parse(seul.Texte);
    std::vector<std::string> cellules;
    std::istringstream flux(premiere);
    for (std::string c; std::getline(flux, c, ',');) {
        cellules.push_back(c);
    }
    ASSERT_GE(cellules.size(), 8u);
    EXPECT_EQ(cellules[5], std::to_string(std::uint64_t(j["resolution"]["prises"])));
    EXPECT_EQ(cellules[6], std::to_string(std::uint64_t(j["resolution"]["rejetees"])));
    EXPECT_EQ(cellules[7], std::to_string(std::uint64_t(j["resolution"]["gardees"])));
}

TEST_F(LigneDeCommande, ASolveStoppedAtTheMemoryLimitStillReportsAndExitsWithFour) {
    // Two constraints: a solve that rejects boxes is not refused up front; two white noises
    // leave a wide band of boxes that runs into the budget (16384 boxes) as it goes.
    const GardeBudgetMemoire budget(1 << 20);
    const Sortie s = Lancer({"resoudre", "--graine", "1", "--source1", "gauss", "--source2",
                             "uniforme", "--precision", "1e-5"});
    EXPECT_EQ(s.Statut, SortieLimiteMemoire);
    EXPECT_EQ(nlohmann::json::parse(s.Texte)["resolution"]["statut"], "arrete_a_la_limite");
}

TEST_F(LigneDeCommande, NoExceptionLeavesTheCommandEachEndsInAFrenchMessageAndItsStatus) {
    const std::string image = (Dossier / "p.png").string();
    const struct {
        std::function<void()> lancer;
        int statut;
        const char* message;
    } cas[] = {
        {[] { throw std::runtime_error("boom"); }, SortieErreurInattendue, "erreur inattendue"},
        {[] { throw std::bad_alloc(); }, SortieErreurInattendue, "mémoire insuffisante"},
        {[] { (void)nlohmann::json(3).get<std::string>(); }, SortieErreurInattendue,
         "n'a pas le type attendu"},
        {[] { (void)nlohmann::json(std::string("\xff")).dump(); }, SortieErreurInattendue,
         "n'est pas de l'UTF-8 valide"},
        {[] { throw 7; }, SortieErreurInattendue, "erreur inattendue"},
        {[] { throw ErreurFichier("p.png", "plus de place sur le disque"); },
         SortieEcritureImpossible, "plus de place sur le disque"},
    };
    for (const auto& c : cas) {
        const Sortie s =
            Lancer({"resoudre", "--graine", "1", "--echantillons", "500", "--image", image},
                   [&](auto&&...) { c.lancer(); });
        EXPECT_EQ(s.Statut, c.statut) << s.Erreurs;
        EXPECT_NE(s.Erreurs.find(c.message), std::string::npos) << s.Erreurs;
        EXPECT_EQ(s.Erreurs.find("json.exception"), std::string::npos) << s.Erreurs;
        EXPECT_TRUE(s.Texte.empty());
    }
}

TEST_F(LigneDeCommande, AnOutputThatCannotBeWrittenExitsWithFiveAndNamesIt) {
    const std::string absent = (Dossier / "absent" / "sortie.csv").string();
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"resoudre", "--echantillons", "500", "--boites", absent},
          std::vector<std::string>{"etude", "--essais", "1", "--echantillons", "500", "--sortie",
                                   absent}}) {
        const Sortie s = Lancer(arguments);
        EXPECT_EQ(s.Statut, SortieEcritureImpossible) << s.Erreurs;
        EXPECT_NE(s.Erreurs.find(absent), std::string::npos) << s.Erreurs;
    }
    // The report itself, on a standard output that takes nothing.
    FluxPlein plein;
    std::ostream sortie(&plein);
    std::ostringstream erreurs;
    EXPECT_EQ(
        ExecuterLigneDeCommande({"resoudre", "--echantillons", "500"}, sortie, erreurs, false),
        SortieEcritureImpossible);
    EXPECT_NE(erreurs.str().find("sortie standard"), std::string::npos) << erreurs.str();
    // A device is written, not replaced.
    const Sortie nul =
        Lancer({"etude", "--essais", "1", "--echantillons", "500", "--sortie", "/dev/null"});
    EXPECT_EQ(nul.Statut, SortieSucces) << nul.Erreurs;
    EXPECT_EQ(std::filesystem::status("/dev/null").type(), std::filesystem::file_type::character);
}

TEST_F(LigneDeCommande, FileNamesThatAreNotUtf8AreReportedEscaped) {
    // Invalid lead and continuation bytes, an overlong form, a surrogate; then valid UTF-8.
    const std::string nom = "voix\xff\xc3(\xc0\xaf\xed\xa0\x80é.csv";
    {
        std::ofstream f(Dossier / nom);
        for (int i = 0; i < 200; ++i) {
            f << (i % 7) - 3 << "," << (i % 5) - 2 << "\n";
        }
    }
    const std::string chemin = (Dossier / nom).string();
    const Sortie s =
        Lancer({"resoudre", "--graine", "1", "--source1", chemin + ":2", "--precision", "0.1"});
    ASSERT_EQ(s.Statut, SortieSucces) << s.Erreurs;
    const auto j = nlohmann::json::parse(s.Texte);
    const std::string attendu = Dossier.string() + "/voix\\xFF\\xC3(\\xC0\\xAF\\xED\\xA0\\x80é.csv";
    EXPECT_EQ(j["entrees"]["source1"]["fichier"], attendu);
    const Sortie m = Lancer({"resoudre", "--melanges", chemin, "--precision", "0.1"});
    ASSERT_EQ(m.Statut, SortieSucces) << m.Erreurs;
    EXPECT_EQ(nlohmann::json::parse(m.Texte)["entrees"]["melanges"][0], attendu);
}

// The figure after `avant` in a message, read with "," as its decimal separator and scaled by
// the unit of bytes that follows it, if any.
double FigureApres(const std::string& message, const std::string& avant) {
    const std::size_t p = message.find(avant);
    if (p == std::string::npos) {
        return std::nan("");
    }
    std::string nombre = message.substr(p + avant.size(), 32);
    std::replace(nombre.begin(), nombre.end(), ',', '.');
    char* fin = nullptr;
    double v = std::strtod(nombre.c_str(), &fin);
    const std::string unite = std::string(fin).substr(0, 3);
    const char* unites[] = {" ko", " Mo", " Go", " To", " Po", " Eo"};
    for (int k = 0; k < 6; ++k) {
        if (unite == unites[k]) {
            v *= std::pow(1024.0, k + 1);
        }
    }
    return v;
}

TEST_F(LigneDeCommande, ASolveThatCannotFitIsRefusedUpFrontWithTheWindowsFigures) {
    const struct {
        std::vector<std::string> arguments;
        double xmin, xmax, precision;
    } cas[] = {
        {{"resoudre", "--precision", "1e-9", "--contraintes", "decorrelation"}, -5, 5, 1e-9},
        {{"resoudre", "--boite", "-99999999999,99999999999,-99999999999,99999999999", "--precision",
          "1e-9", "--contraintes", "moment4"},
         -99999999999,
         99999999999,
         1e-9},
        {{"etude", "--precision", "1e-300", "--contraintes="}, -5, 5, 1e-300},
    };
    for (const auto& c : cas) {
        const Sortie s = Lancer(c.arguments);
        EXPECT_EQ(s.Statut, SortieOptionInvalide) << s.Erreurs;
        EXPECT_NE(s.Erreurs.find("ne peut pas tenir en mémoire"), std::string::npos) << s.Erreurs;
        Box boite(2, 1);
        boite[1] = boite[2] = Interval(c.xmin, c.xmax);
        const double boites = PrevoirSansRejet(boite, c.precision, StockageFile).NbGardees;
        if (std::isfinite(boites)) {
            EXPECT_NEAR(FigureApres(s.Erreurs, "donne ") / boites, 1, 1e-3) << s.Erreurs;
            const double octets = boites * OctetsParBoiteStockee;
            EXPECT_NEAR(FigureApres(s.Erreurs, "garder (") / octets, 1, 0.06) << s.Erreurs;
        } else {
            EXPECT_NE(s.Erreurs.find("donne plus de 1e+308 boîtes"), std::string::npos)
                << s.Erreurs;
        }
        // One decimal separator: no digit, point, digit anywhere.
        for (std::size_t i = 1; i + 1 < s.Erreurs.size(); ++i) {
            EXPECT_FALSE(s.Erreurs[i] == '.' &&
                         std::isdigit(static_cast<unsigned char>(s.Erreurs[i - 1])) &&
                         std::isdigit(static_cast<unsigned char>(s.Erreurs[i + 1])))
                << s.Erreurs;
        }
    }
}

} // namespace
