#include "fichiers/EcritureAtomique.h"

#include "fichiers/ErreurFichier.h"
#include "interval/Traduction.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <pthread.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Links followed before a path is taken for a loop, as the system counts them.
constexpr int LiensMax = 40;
// The target's name kept in the temporary file's name, within the system's 255 bytes.
constexpr std::size_t LongueurNomTemporaire = 200;

// Removes the temporary file unless the rename took it.
struct Temporaire {
    std::string Chemin;
    int Descripteur = -1;
    bool Renomme = false;
    ~Temporaire() {
        if (Descripteur >= 0) {
            ::close(Descripteur);
        }
        if (!Renomme && !Chemin.empty()) {
            ::unlink(Chemin.c_str());
        }
    }
};

// The permissions a new file gets (0666 less the umask), or those of the file replaced.
mode_t Permissions(const std::filesystem::path& chemin) {
    struct stat etat {};
    if (::stat(chemin.c_str(), &etat) == 0) {
        return etat.st_mode & 07777;
    }
    const mode_t masque = ::umask(0);
    ::umask(masque);
    return 0666 & ~masque;
}

// `enPlace`: the write went to the destination itself, which may hold part of it.
[[noreturn]] void Echouer(const std::filesystem::path& chemin, const std::string& etape, int numero,
                          bool enPlace = false) {
    const std::string modele =
        enPlace ? Traduire("Fichiers", "%1 : %2")
                : Traduire("Fichiers", "%1 : %2 ; aucun fichier existant n'a été modifié");
    throw ErreurFichier(chemin, RemplirModele(modele, {etape, TexteErreurSysteme(numero)}));
}

// While it lives, a reader that leaves a pipe ends the write with EPIPE instead of ending
// the program with SIGPIPE (the window among them); a SIGPIPE raised meanwhile is consumed.
class SansSigpipe {
public:
    SansSigpipe() {
        sigemptyset(&Masque_);
        sigaddset(&Masque_, SIGPIPE);
        sigset_t enAttente;
        sigpending(&enAttente);
        DejaEnAttente_ = sigismember(&enAttente, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &Masque_, &Ancien_);
    }
    ~SansSigpipe() {
        if (!DejaEnAttente_) {
            const timespec zero{};
            while (sigtimedwait(&Masque_, nullptr, &zero) > 0) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &Ancien_, nullptr);
    }
    SansSigpipe(const SansSigpipe&) = delete;
    SansSigpipe& operator=(const SansSigpipe&) = delete;

private:
    sigset_t Masque_{}, Ancien_{};
    bool DejaEnAttente_ = false;
};

// A pipe or a character device, written in place: opened without waiting for a reader (a
// pipe nobody reads is refused instead of blocking forever), then written as it comes.
void EcrireEnPlace(const std::filesystem::path& chemin, const std::filesystem::path& cible,
                   const std::function<bool(int)>& ecrire) {
    const int descripteur = ::open(cible.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descripteur < 0) {
        if (errno == ENXIO) {
            throw ErreurFichier(chemin, Traduire("Fichiers", "c'est un tube nommé que personne ne "
                                                             "lit : rien n'y a été écrit"));
        }
        Echouer(chemin, Traduire("Fichiers", "impossible de l'ouvrir"), errno, true);
    }
    Temporaire ouvert; // closes the descriptor however the write ends; removes nothing
    ouvert.Descripteur = descripteur;
    const SansSigpipe sansSigpipe;
    const int drapeaux = ::fcntl(descripteur, F_GETFL);
    if (drapeaux < 0 || ::fcntl(descripteur, F_SETFL, drapeaux & ~O_NONBLOCK) != 0 ||
        !ecrire(descripteur)) {
        Echouer(chemin, Traduire("Fichiers", "l'écriture a échoué"), errno, true);
    }
    ouvert.Descripteur = -1;
    if (::close(descripteur) != 0) {
        Echouer(chemin, Traduire("Fichiers", "l'écriture a échoué"), errno, true);
    }
}

// The file a path names once its symbolic links are followed (the path itself when it is no
// link); the end of a dangling link when it dangles. Throws ErreurFichier on a loop.
std::filesystem::path CibleDesLiens(const std::filesystem::path& chemin) {
    std::filesystem::path cible = chemin;
    for (int liens = 0;; ++liens) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(cible, ec))) {
            return cible;
        }
        if (liens == LiensMax) {
            throw ErreurFichier(chemin, TexteErreurSysteme(ELOOP));
        }
        const std::filesystem::path vers = std::filesystem::read_symlink(cible, ec);
        if (ec) {
            throw ErreurFichier(
                chemin, RemplirModele(Traduire("Fichiers",
                                               "impossible de lire le lien symbolique « %1 » : %2"),
                                      {cible.string(), TexteErreurSysteme(ec.value())}));
        }
        cible = vers.is_absolute() ? vers : cible.parent_path() / vers;
    }
}

} // namespace

bool EcrireTout(int descripteur, std::string_view texte) {
    while (!texte.empty()) {
        const ssize_t ecrits = ::write(descripteur, texte.data(), texte.size());
        if (ecrits < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        texte.remove_prefix(std::size_t(ecrits));
    }
    return true;
}

void EcrireAtomiquement(const std::filesystem::path& chemin,
                        const std::function<bool(int descripteur)>& ecrire) {
    const std::filesystem::path cible = CibleDesLiens(chemin);
    using std::filesystem::file_type;
    std::error_code ec;
    const file_type sorte = std::filesystem::symlink_status(cible, ec).type();
    if (sorte == file_type::fifo || sorte == file_type::character) {
        EcrireEnPlace(chemin, cible, ecrire);
        return;
    }
    if (sorte != file_type::regular && sorte != file_type::not_found && sorte != file_type::none) {
        throw ErreurFichier(chemin, RemplirModele(Traduire("Fichiers", "%1 : rien n'y a été écrit"),
                                                  {NatureFichier(sorte)}));
    }
    const std::filesystem::path dossier =
        cible.has_parent_path() ? cible.parent_path() : std::filesystem::path(".");

    Temporaire temporaire;
    std::string modele = dossier.string();
    modele.append("/.")
        .append(cible.filename().string().substr(0, LongueurNomTemporaire))
        .append(".XXXXXX");
    temporaire.Descripteur = ::mkostemp(modele.data(), O_CLOEXEC);
    if (temporaire.Descripteur < 0) {
        Echouer(chemin,
                RemplirModele(
                    Traduire("Fichiers", "impossible de créer un fichier dans le dossier « %1 »"),
                    {dossier.string()}),
                errno);
    }
    temporaire.Chemin = modele;
    if (!ecrire(temporaire.Descripteur)) {
        Echouer(chemin, Traduire("Fichiers", "l'écriture a échoué"), errno);
    }
    if (::fchmod(temporaire.Descripteur, Permissions(cible)) != 0 ||
        ::fsync(temporaire.Descripteur) != 0) {
        Echouer(chemin, Traduire("Fichiers", "l'écriture a échoué"), errno);
    }
    const int descripteur = temporaire.Descripteur;
    temporaire.Descripteur = -1;
    if (::close(descripteur) != 0) {
        Echouer(chemin, Traduire("Fichiers", "l'écriture a échoué"), errno);
    }
    if (::rename(temporaire.Chemin.c_str(), cible.c_str()) != 0) {
        Echouer(chemin, Traduire("Fichiers", "impossible de remplacer le fichier"), errno);
    }
    temporaire.Renomme = true;
}

void EcrireTexteAtomiquement(const std::filesystem::path& chemin, std::string_view texte) {
    EcrireAtomiquement(chemin, [&](int descripteur) { return EcrireTout(descripteur, texte); });
}
