#include "fichiers/EcritureAtomique.h"

#include "fichiers/ErreurFichier.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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
    const std::filesystem::path dossier =
        chemin.has_parent_path() ? chemin.parent_path() : std::filesystem::path(".");
    std::error_code ec;
    if (std::filesystem::is_directory(chemin, ec)) {
        throw ErreurFichier(chemin, "c'est un dossier, pas un fichier");
    }
    const auto echec = [&](const std::string& etape) {
        const int numero = errno;
        throw ErreurFichier(chemin, etape + " : " + TexteErreurSysteme(numero) +
                                        " ; aucun fichier existant n'a été modifié");
    };

    Temporaire temporaire;
    std::string modele = dossier.string();
    modele.append("/.").append(chemin.filename().string()).append(".XXXXXX");
    temporaire.Descripteur = ::mkstemp(modele.data());
    if (temporaire.Descripteur < 0) {
        echec("impossible de créer un fichier dans le dossier « " + dossier.string() + " »");
    }
    temporaire.Chemin = modele;
    if (!ecrire(temporaire.Descripteur)) {
        echec("l'écriture a échoué");
    }
    if (::fchmod(temporaire.Descripteur, Permissions(chemin)) != 0 ||
        ::fsync(temporaire.Descripteur) != 0) {
        echec("l'écriture a échoué");
    }
    const int descripteur = temporaire.Descripteur;
    temporaire.Descripteur = -1;
    if (::close(descripteur) != 0) {
        echec("l'écriture a échoué");
    }
    if (::rename(temporaire.Chemin.c_str(), chemin.c_str()) != 0) {
        echec("impossible de remplacer le fichier");
    }
    temporaire.Renomme = true;
}

void EcrireTexteAtomiquement(const std::filesystem::path& chemin, std::string_view texte) {
    EcrireAtomiquement(chemin, [&](int descripteur) { return EcrireTout(descripteur, texte); });
}
