#include "DossierTemporaire.h"

#include "fichiers/EcritureAtomique.h"
#include "fichiers/EcritureSignal.h"
#include "fichiers/ErreurFichier.h"
#include "fichiers/ExportPavage.h"

#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <set>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using EcritureAtomique = DossierTemporaire;

std::size_t NbFichiers(const std::filesystem::path& dossier) {
    return std::size_t(std::distance(std::filesystem::directory_iterator(dossier), {}));
}

} // namespace

TEST_F(EcritureAtomique, ASuccessfulWriteReplacesTheFileAndLeavesNoTemporary) {
    const auto chemin = Fichier("r.txt", "ancien");
    EcrireTexteAtomiquement(chemin, "nouveau");
    EXPECT_EQ(Lire(chemin), "nouveau");
    EXPECT_EQ(NbFichiers(Dossier), 1u);
}

TEST_F(EcritureAtomique, AFailedWriteLeavesTheOldFileUntouchedAndSaysWhy) {
    const auto ancien = Fichier("r.txt", "ancien");
    Fichier("fichier", "pas un dossier");
    const struct {
        std::filesystem::path chemin;
        std::function<bool(int)> ecrire;
        const char* raison;
    } cas[] = {
        {Dossier / "fichier" / "r.txt", [](int) { return true; }, "n'est pas un dossier"},
        {Dossier / "disparu" / "r.txt", [](int) { return true; }, "n'existe pas"},
        {ancien,
         [](int) {
             errno = ENOSPC;
             return false;
         },
         "plus de place sur le disque"},
        {ancien, [](int) -> bool { throw ErreurFichier("r.txt", "interrompu"); }, "interrompu"},
    };
    for (const auto& c : cas) {
        try {
            EcrireAtomiquement(c.chemin, c.ecrire);
            ADD_FAILURE() << c.chemin;
        } catch (const ErreurFichier& e) {
            EXPECT_NE(std::string(e.what()).find(c.raison), std::string::npos) << e.what();
        }
        EXPECT_EQ(Lire(ancien), "ancien");
        EXPECT_EQ(NbFichiers(Dossier), 2u) << "a temporary file was left";
    }
}

TEST_F(EcritureAtomique, AWriteStoppedByItsProgressLeavesNoFileAndOneThatGoesOnTheSameBytes) {
    // Several blocks of samples and several MiB of text.
    std::vector<double> v(200'000);
    BoxList boites;
    for (std::size_t i = 0; i < v.size(); ++i) {
        v[i] = std::sin(0.01 * double(i)) / 3;
        boites.PushBack(Box(2, 1));
        boites.Back()[1] = Interval(v[i], v[i] + 0.125);
    }
    const auto ecrire = [&](const std::string& nom, const RappelAvancement& r) {
        if (nom.ends_with("pavage.csv")) {
            ExporterPavageCsv(Dossier / nom, boites, boites, r);
        } else {
            EcrireSignaux(Dossier / nom, {{"a", &v}, {"b", &v}}, 8000, r);
        }
    };
    for (const std::string nom : {"s.wav", "s.csv", "pavage.csv"}) {
        for (const bool existant : {false, true}) {
            if (existant) {
                Fichier(nom, "ancien");
            }
            int appels = 0;
            EXPECT_THROW(ecrire(nom, [&](double) { return ++appels != 2; }), ArretUtilisateur);
            EXPECT_EQ(appels, 2) << nom;
            EXPECT_EQ(NbFichiers(Dossier), existant ? 1u : 0u) << nom;
            EXPECT_EQ(Lire(Dossier / nom), existant ? "ancien" : "") << nom;
        }
        ecrire("avec_" + nom, [](double) { return true; });
        ecrire("sans_" + nom, {});
        EXPECT_EQ(Lire(Dossier / ("avec_" + nom)), Lire(Dossier / ("sans_" + nom))) << nom;
        std::filesystem::remove_all(Dossier);
        std::filesystem::create_directories(Dossier);
    }
}

// Every kind of target a path may name: what is written where, what the path is afterwards,
// and that nothing else in the folder moved.
TEST_F(EcritureAtomique, LinksAreFollowedAndSpecialFilesAreWrittenInPlaceOrRefused) {
    namespace fs = std::filesystem;
    using fs::file_type;
    std::filesystem::create_directories(Dossier / "ailleurs");
    struct Cas {
        const char* nom;
        std::function<void()> preparer;
        const char* ecrit;  // the file that must hold "nouveau" afterwards, nullptr: none
        file_type sorte;    // what the named path is afterwards (links: not followed)
        const char* raison; // the refusal's reason, nullptr when the write succeeds
        bool racineSeulement = false;
    };
    const fs::path d = Dossier;
    const auto fifo = [d](const char* nom) { ASSERT_EQ(::mkfifo((d / nom).c_str(), 0600), 0); };
    int lecteur = -1; // the reading end of the pipe that has one
    const Cas cas[] = {
        {"ordinaire", [&] { Fichier("ordinaire", "ancien"); }, "ordinaire", file_type::regular,
         nullptr},
        {"lien",
         [&] {
             Fichier("ailleurs/vise", "ancien");
             fs::create_symlink("ailleurs/vise", d / "lien");
         },
         "ailleurs/vise", file_type::symlink, nullptr},
        {"chaine",
         [&] {
             Fichier("ailleurs/fin", "ancien");
             fs::create_symlink("../ailleurs/fin", d / "ailleurs" / "milieu");
             fs::create_symlink(d / "ailleurs" / "milieu", d / "chaine");
         },
         "ailleurs/fin", file_type::symlink, nullptr},
        {"pendant", [&] { fs::create_symlink("ailleurs/cree", d / "pendant"); }, "ailleurs/cree",
         file_type::symlink, nullptr},
        {"boucle",
         [&] {
             fs::create_symlink("boucle2", d / "boucle");
             fs::create_symlink("boucle", d / "boucle2");
         },
         nullptr, file_type::symlink, "boucle de liens symboliques"},
        {"dossier", [&] { fs::create_directory(d / "dossier"); }, nullptr, file_type::directory,
         "c'est un dossier"},
        {"tube_lu",
         [&] {
             fifo("tube_lu");
             lecteur = ::open((d / "tube_lu").c_str(), O_RDONLY | O_NONBLOCK);
         },
         nullptr, file_type::fifo, nullptr},
        {"tube_sans_lecteur", [&] { fifo("tube_sans_lecteur"); }, nullptr, file_type::fifo,
         "tube nommé que personne ne lit"},
        {"socket",
         [&] {
             const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
             sockaddr_un adresse{};
             adresse.sun_family = AF_UNIX;
             const std::string p = (d / "socket").string();
             ASSERT_LT(p.size(), sizeof adresse.sun_path);
             p.copy(adresse.sun_path, p.size());
             ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse), 0);
             ::close(s);
         },
         nullptr, file_type::socket, "c'est une socket"},
        // The null device's numbers: written to, and still a device afterwards.
        {"nul", [&] { ASSERT_EQ(::mknod((d / "nul").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0); },
         nullptr, file_type::character, nullptr, true},
        {"disque",
         [&] { ASSERT_EQ(::mknod((d / "disque").c_str(), S_IFBLK | 0600, makedev(7, 200)), 0); },
         nullptr, file_type::block, "périphérique de blocs", true},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        if (c.racineSeulement && ::geteuid() != 0) {
            continue; // only root makes devices
        }
        fs::remove_all(d);
        fs::create_directories(d / "ailleurs");
        lecteur = -1;
        c.preparer();
        std::set<fs::path> avant;
        for (const auto& e : fs::recursive_directory_iterator(d)) {
            avant.insert(e.path());
        }
        const fs::path chemin = d / c.nom;
        try {
            EcrireTexteAtomiquement(chemin, "nouveau");
            EXPECT_EQ(c.raison, nullptr) << "written";
        } catch (const ErreurFichier& e) {
            EXPECT_TRUE(c.raison != nullptr &&
                        std::string(e.what()).find(c.raison) != std::string::npos)
                << e.what();
        }
        EXPECT_EQ(fs::symlink_status(chemin).type(), c.sorte);
        if (c.ecrit != nullptr) {
            EXPECT_EQ(Lire(d / c.ecrit), "nouveau");
            avant.insert(d / c.ecrit);
        }
        if (lecteur >= 0) {
            char t[16] = {};
            EXPECT_EQ(::read(lecteur, t, sizeof t), 7);
            EXPECT_EQ(std::string(t), "nouveau");
            ::close(lecteur);
        }
        std::set<fs::path> apres;
        for (const auto& e : fs::recursive_directory_iterator(d)) {
            apres.insert(e.path());
        }
        EXPECT_EQ(apres, avant) << "a file appeared, vanished or moved";
    }
    // A reader that leaves the pipe before the write: a message, and the program goes on.
    fifo("quitte");
    lecteur = ::open((d / "quitte").c_str(), O_RDONLY | O_NONBLOCK);
    try {
        EcrireAtomiquement(d / "quitte", [&](int descripteur) {
            ::close(lecteur);
            return EcrireTout(descripteur, "nouveau");
        });
        ADD_FAILURE() << "written to a pipe nobody reads";
    } catch (const ErreurFichier& e) {
        EXPECT_NE(std::string(e.what()).find("le lecteur du tube s'est fermé"), std::string::npos)
            << e.what();
    }
}
