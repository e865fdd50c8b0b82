#include "DossierTemporaire.h"
#include "support/Gardes.h"

#include "fichiers/EcritureSignal.h"
#include "fichiers/ErreurFichier.h"
#include "fichiers/LectureSignal.h"
#include "signal/Memoire.h"

#include <sndfile.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

using Lecture = DossierTemporaire;

// Float values of all magnitudes, negative zero and subnormals included.
std::vector<double> ValeursFloat(std::size_t n, double echelle) {
    std::vector<double> v(n);
    for (std::size_t i = 0; i < n; ++i) {
        v[i] = double(float(echelle * std::sin(0.37 * double(i)) * std::pow(10.0, int(i % 9) - 4)));
    }
    v[0] = -0.0;
    v[1] = double(std::numeric_limits<float>::denorm_min());
    return v;
}

// 16-bit PCM header for `octets` bytes of data, one channel at 8000 Hz.
std::string EnteteWav(std::uint32_t octets) {
    std::string h = "RIFF";
    auto mot = [&](std::uint32_t v, int n) {
        for (int k = 0; k < n; ++k) {
            h += char((v >> (8 * k)) & 0xFF);
        }
    };
    mot(36 + octets, 4);
    h += "WAVEfmt ";
    mot(16, 4);
    mot(1, 2);
    mot(1, 2);
    mot(8000, 4);
    mot(16000, 4);
    mot(2, 2);
    mot(16, 2);
    h += "data";
    mot(octets, 4);
    return h;
}

} // namespace

TEST_F(Lecture, AReadStoppedByItsProgressThrowsAndOneThatGoesOnGivesTheSameSamples) {
    // Several blocks of audio and several stretches of text.
    const auto a = ValeursFloat(100'000, 3.0), b = ValeursFloat(100'000, -0.5);
    EcrireSignaux(Dossier / "m.wav", {{"a", &a}, {"b", &b}}, 16000);
    EcrireSignaux(Dossier / "m.csv", {{"a", &a}, {"b", &b}}, 0);
    using Lire = std::function<MelangesLus(const RappelAvancement&)>;
    const struct {
        const char* nom;
        Lire lire;
        const std::vector<double>*x1, *x2;
    } cas[] = {
        {"wav", [&](auto& r) { return LireMelanges(Dossier / "m.wav", 0, 1, r); }, &a, &b},
        {"csv", [&](auto& r) { return LireMelanges(Dossier / "m.csv", 1, 0, r); }, &b, &a},
        {"deux fichiers",
         [&](auto& r) { return LireMelanges(Dossier / "m.wav", 1, Dossier / "m.csv", 0, r); }, &b,
         &a},
    };
    for (const auto& c : cas) {
        std::vector<double> parts; // what the progress was told, stopping at call `arret`
        const auto suivre = [&parts](int arret) -> RappelAvancement {
            parts.clear();
            return [&parts, arret](double fait) {
                parts.push_back(fait);
                return int(parts.size()) != arret;
            };
        };
        const MelangesLus lus = c.lire(suivre(0));
        EXPECT_EQ(lus.Melange1, *c.x1) << c.nom;
        EXPECT_EQ(lus.Melange2, *c.x2) << c.nom;
        ASSERT_GE(parts.size(), 2u) << c.nom;
        EXPECT_TRUE(std::is_sorted(parts.begin(), parts.end()) && parts[0] > 0 && parts.back() < 1);
        EXPECT_THROW(c.lire(suivre(2)), ArretUtilisateur) << c.nom;
        EXPECT_EQ(parts.size(), 2u) << c.nom << ": stopped at once";
    }
}

TEST_F(Lecture, WavAndCsvRoundTripsAreExactForFloatData) {
    const auto a = ValeursFloat(1000, 5.0), b = ValeursFloat(1000, -123.0);
    for (const char* nom : {"paire.wav", "paire.csv", "ééé vôix.wav"}) {
        const auto chemin = Dossier / nom;
        EcrireSignaux(chemin, {{"s1", &a}, {"s2", &b}}, 16000);
        const MelangesLus lus = LireMelanges(chemin);
        EXPECT_EQ(lus.Melange1, a) << nom;
        EXPECT_EQ(lus.Melange2, b) << nom;
        EXPECT_TRUE(std::signbit(lus.Melange1[0])) << nom;
        EXPECT_EQ(lus.Frequence, std::string(nom).ends_with(".wav") ? 16000.0 : 0.0) << nom;
    }
}

TEST_F(Lecture, CsvRoundTripIsExactForAnyDouble) {
    // Any double up to the admitted magnitude, the bound itself and subnormals included.
    const std::vector<double> v = {
        0.1,     1.0 / 3, -2.5e-300, std::nextafter(AmplitudeMaximale, 0.0), 42, -AmplitudeMaximale,
        4.9e-324};
    EcrireCsv(Dossier / "d.csv", {{"x", &v}});
    EXPECT_EQ(LireSignal(Dossier / "d.csv", 0).Echantillons, v);
}

TEST_F(Lecture, TextColumnsAreChosenWithOrWithoutHeaderAndAnySeparator) {
    const struct {
        const char* contenu;
        int canal;
        std::vector<double> attendu;
    } cas[] = {
        {"t,gauche,droite\n0,1.5,-2\n1,+2.5,3e2\n", 1, {1.5, 2.5}},
        {"t,gauche,droite\n0,1.5,-2\n1,+2.5,3e2\n", 2, {-2, 300}},
        {"1.5; 2\r\n3 ;4\r\n", 1, {2, 4}},
        {"# commentaire\n  1\t 2\n\n 3   4  \n", 0, {1, 3}},
        {".5\n-.25\n7", 0, {0.5, -0.25, 7}},
    };
    for (const auto& c : cas) {
        const auto chemin = Fichier("t.txt", c.contenu);
        EXPECT_EQ(LireSignal(chemin, c.canal).Echantillons, c.attendu) << c.contenu;
    }
    const ContenuFichier contenu = DecrireFichier(Fichier("h.csv", "t,gauche\n1,2\n3,4\n"));
    EXPECT_EQ(contenu.NbCanaux, 2);
    EXPECT_EQ(contenu.NomsCanaux, (std::vector<std::string>{"t", "gauche"}));
    EXPECT_EQ(contenu.NbEchantillons, 2u);
}

TEST_F(Lecture, EveryBadInputGivesAFrenchMessageNamingTheFileAndTheReason) {
    namespace fs = std::filesystem;
    fs::create_directory(Dossier / "dossier.wav");
    const auto wav = EnteteWav(2000) + std::string(100, '\x01');
    std::string codage = EnteteWav(200) + std::string(200, '\x01');
    codage[20] = '\x34'; // a format tag no codec has
    codage[21] = '\x12';
    fs::create_symlink("boucle2.wav", Dossier / "boucle.wav");
    fs::create_symlink("boucle.wav", Dossier / "boucle2.wav");
    fs::create_symlink("parti.wav", Dossier / "pendant.wav");
    ASSERT_EQ(::mkfifo((Dossier / "tube.csv").c_str(), 0600), 0);
    {
        // Doubles of enormous magnitude, whose fourth powers no double holds.
        SF_INFO info{};
        info.channels = 1;
        info.samplerate = 8000;
        info.format = SF_FORMAT_WAV | SF_FORMAT_DOUBLE;
        SNDFILE* f = sf_open((Dossier / "enorme.wav").c_str(), SFM_WRITE, &info);
        ASSERT_NE(f, nullptr);
        const double v[] = {0.5, 1e308, -1e308};
        ASSERT_EQ(sf_write_double(f, v, 3), 3);
        sf_close(f);
    }
    const struct {
        std::filesystem::path chemin;
        int canal;
        const char* raison;
    } cas[] = {
        {Dossier / "absent.wav", 0, "n'existe pas"},
        {Dossier / "dossier.wav", 0, "c'est un dossier"},
        {Fichier("vide.csv", ""), 0, "le fichier est vide"},
        {Fichier("texte.wav", "ceci n'est pas du son"), 0, "pas un fichier audio"},
        {Fichier("bin.dat", std::string("1\0\2", 3)), 0, "ni un fichier audio reconnu"},
        {Fichier("tronque.wav", wav), 0, "tronqué"},
        {Fichier("entete.wav", EnteteWav(0).substr(0, 30)), 0, "tronqué"},
        {Fichier("cellule.csv", "a,b\n1,2\n3,x\n"), 1, "ligne 3, colonne 2 : « x » n'est pas"},
        {Fichier("virgule.csv", "1,5;2\n3;4\n"), 0, "le séparateur décimal est le point"},
        {Fichier("inegal.csv", "1,2\n3\n"), 0, "ligne 2 : 1 valeur au lieu de 2"},
        {Fichier("inegaux.csv", "1,2\n3,4,5\n"), 0, "ligne 2 : 3 valeurs au lieu de 2"},
        {Fichier("nan.csv", "1\nnan\n"), 0, "valeur non finie"},
        {Fichier("inf.csv", "1\n-inf\n"), 0, "valeur non finie"},
        {Fichier("seul.csv", "3.5\n"), 0, "un seul échantillon"},
        {Fichier("entete.csv", "x,y\n"), 0, "aucun échantillon"},
        {Fichier("colonne.csv", "1,2\n3,4\n"), 2, "la colonne 3 n'existe pas"},
        {Fichier("ààé.csv", "1\n\xc3\xa9\n"), 0, "ligne 2, colonne 1"},
        {Fichier("codage.wav", codage), 0, "pas un fichier audio lisible (fichier WAV abîmé"},
        {Fichier("faux.flac", "fLaC" + std::string(200, '\xff')), 0, "pas un fichier audio"},
        {Dossier / "boucle.wav", 0, "boucle de liens symboliques"},
        {Dossier / "pendant.wav", 0, "lien symbolique vers un fichier qui n'existe pas"},
        {Dossier / "tube.csv", 0, "c'est un tube nommé"},
        {"/dev/zero", 0, "c'est un périphérique"},
        {Fichier("grand.csv", "1\n1e400\n"), 0, "« 1e400 » est hors de l'étendue des nombres"},
        {Fichier("petit.csv", "1\n-1e-400\n"), 0, "« -1e-400 » est hors de l'étendue"},
        {Fichier("enorme.csv", "1\n-1e100\n"), 0, "ligne 2, colonne 1 : valeur trop grande"},
        {Dossier / "enorme.wav", 0, "échantillon 2 du canal 1 : valeur trop grande"},
    };
    for (const auto& c : cas) {
        try {
            LireSignal(c.chemin, c.canal);
            ADD_FAILURE() << c.chemin << " was read";
        } catch (const ErreurFichier& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find("« " + c.chemin.string() + " »"), std::string::npos) << message;
            EXPECT_NE(message.find(c.raison), std::string::npos) << message;
            // libsndfile's and the system's own texts are English: none may show through.
            for (const char* anglais :
                 {"rror", "hunk", "not ", "Too ", "ecoder", "alformed", "ecognised"}) {
                EXPECT_EQ(message.find(anglais), std::string::npos) << message;
            }
        }
    }
}

// libsndfile opens no path longer than its own limit: the file is handed over opened.
TEST_F(Lecture, AFileAtTheEndOfAPathOf3895CharactersIsWrittenAndRead) {
    std::filesystem::path dossier = Dossier;
    std::size_t reste = 3895 - Dossier.string().size(); // what is left to add, separators too
    while (reste > 201) {
        const std::size_t n = std::min<std::size_t>(200, reste - 101);
        dossier /= std::string(n, 'd');
        reste -= n + 1;
    }
    std::filesystem::create_directories(dossier);
    const auto a = ValeursFloat(500, 1.0), b = ValeursFloat(500, -2.0);
    for (const char* extension : {".wav", ".csv"}) {
        const auto chemin = dossier / (std::string(reste - 5, 'v') + extension);
        ASSERT_EQ(chemin.string().size(), 3895u);
        EcrireSignaux(chemin, {{"a", &a}, {"b", &b}}, 8000);
        EXPECT_EQ(DecrireFichier(chemin).NbCanaux, 2) << extension;
        const MelangesLus m = LireMelanges(chemin);
        EXPECT_EQ(m.Melange1, a) << extension;
        EXPECT_EQ(m.Melange2, b) << extension;
    }
}

TEST_F(Lecture, AFileBeyondTheMemoryBudgetIsRefusedBeforeReading) {
    const auto v = ValeursFloat(20000, 1.0);
    EcrireSignaux(Dossier / "gros.wav", {{"a", &v}}, 8000);
    EcrireSignaux(Dossier / "gros.csv", {{"a", &v}}, 0);
    const GardeBudgetMemoire budget(50000);
    for (const char* nom : {"gros.wav", "gros.csv"}) {
        try {
            LireSignal(Dossier / nom, 0);
            ADD_FAILURE() << nom;
        } catch (const ErreurFichier& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find("Mémoire insuffisante"), std::string::npos);
            // The refusal is a sentence of its own: the message still ends with one full stop.
            EXPECT_EQ(message.find(".."), std::string::npos) << message;
            EXPECT_EQ(message.back(), '.') << message;
        }
    }
}

TEST_F(Lecture, TwoFilesAreCutToTheShorterAndMustShareTheirRate) {
    const auto a = ValeursFloat(300, 1.0), b = ValeursFloat(200, 2.0);
    EcrireWav(Dossier / "a.wav", {{"a", &a}}, 16000);
    EcrireWav(Dossier / "b.wav", {{"b", &b}}, 16000);
    EcrireWav(Dossier / "c.wav", {{"b", &b}}, 22050);
    const MelangesLus m = LireMelanges(Dossier / "a.wav", 0, Dossier / "b.wav", 0);
    EXPECT_EQ(m.Melange1.size(), 200u);
    EXPECT_EQ(m.Melange2, b);
    ASSERT_EQ(m.Remarques.size(), 1u);
    EXPECT_NE(m.Remarques[0].find("300 et 200"), std::string::npos);
    try {
        LireMelanges(Dossier / "a.wav", 0, Dossier / "c.wav", 0);
        ADD_FAILURE();
    } catch (const ErreurFichier& e) {
        EXPECT_NE(std::string(e.what()).find("22050 Hz"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("16000 Hz"), std::string::npos);
    }
    EXPECT_THROW(LireMelanges(Dossier / "a.wav"), ErreurFichier); // one channel only
}

// A channel is chosen by the name its file gives it: the header's names, or "Colonne k" /
// "Canal k" when the file has none; the names come from the first data line only.
TEST_F(Lecture, ChannelsAreNamedByTheirHeaderAndFoundByName) {
    const std::vector<double> a = {1, 2, 3}, b = {4, 5, 6};
    EcrireSignaux(Dossier / "deux.wav", {{"a", &a}, {"b", &b}}, 8000);
    const struct {
        std::filesystem::path chemin;
        std::vector<std::string> noms;
        const char* cherche;
        int canal;
    } cas[] = {
        {Fichier("entete.csv", "t;a;b\n0;1;2\n1;2;3\n"), {"t", "a", "b"}, "b", 2},
        {Fichier("commente.txt", "# mesures\n\n  temps  x1\tx2 \n0 1 2\n"),
         {"temps", "x1", "x2"},
         "x1",
         1},
        {Fichier("virgules.csv", "u,v\n1,2\n"), {"u", "v"}, "w", -1},
        {Fichier("nombres.csv", "1,2,3\n4,5,6\n"),
         {"Colonne 1", "Colonne 2", "Colonne 3"},
         "Colonne 3",
         2},
        {Fichier("seule.csv", "x\n1\n2\n"), {"x"}, "x", 0},
        {Dossier / "deux.wav", {"Canal 1", "Canal 2"}, "Canal 2", 1},
        // The default names in the other language, and numbers beyond the channels.
        {Dossier / "deux.wav", {"Canal 1", "Canal 2"}, "Channel 2", 1},
        {Fichier("n.csv", "1,2\n"), {"Colonne 1", "Colonne 2"}, "Column 1", 0},
        {Fichier("n3.csv", "1,2\n"), {"Colonne 1", "Colonne 2"}, "Colonne 3", -1},
        {Fichier("n0.csv", "1,2\n"), {"Colonne 1", "Colonne 2"}, "Canal 0", -1},
    };
    for (const auto& c : cas) {
        const std::vector<std::string> noms = NomsDesCanaux(c.chemin);
        EXPECT_EQ(noms, c.noms) << c.chemin;
        EXPECT_EQ(CanalNomme(noms, c.cherche), c.canal) << c.chemin;
    }
    // Not a text of numbers, or no file: the reading's own errors.
    for (const auto& chemin :
         {Fichier("binaire.csv", std::string("a;b\0\n", 5)), Dossier / "absent.csv"}) {
        EXPECT_THROW(NomsDesCanaux(chemin), ErreurFichier) << chemin;
    }
}
