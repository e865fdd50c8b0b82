#include "fichiers/ErreurFichier.h"

#include "interval/Traduction.h"

#include <cerrno>

namespace {

// The message ends with one full stop, also when the reason brings its own (a memory
// refusal is a whole sentence).
std::string SansPointFinal(std::string raison) {
    if (!raison.empty() && raison.back() == '.') {
        raison.pop_back();
    }
    return raison;
}

} // namespace

ErreurFichier::ErreurFichier(const std::filesystem::path& chemin, const std::string& raison)
    : std::runtime_error(RemplirModele(Traduire("Fichiers", "Fichier « %1 » : %2."),
                                       {chemin.string(), SansPointFinal(raison)})),
      Chemin_(chemin) {}

std::string TexteErreurSysteme(int numero) {
    switch (numero) {
    case ENOENT:
        return Traduire("Fichiers", "le fichier ou son dossier n'existe pas");
    case ENOTDIR:
        return Traduire("Fichiers", "un élément du chemin n'est pas un dossier");
    case EISDIR:
        return Traduire("Fichiers", "c'est un dossier, pas un fichier");
    case EACCES:
    case EPERM:
        return Traduire("Fichiers", "permission refusée");
    case ENOSPC:
        return Traduire("Fichiers", "plus de place sur le disque");
    case EDQUOT:
        return Traduire("Fichiers", "quota de disque dépassé");
    case EROFS:
        return Traduire("Fichiers", "le disque est en lecture seule");
    case ENAMETOOLONG:
        return Traduire("Fichiers", "nom trop long");
    case EIO:
        return Traduire("Fichiers", "erreur d'entrée-sortie du disque");
    case EMFILE:
    case ENFILE:
        return Traduire("Fichiers", "trop de fichiers ouverts");
    case ELOOP:
        return Traduire("Fichiers", "boucle de liens symboliques");
    case EFBIG:
        return Traduire("Fichiers", "fichier trop grand pour ce système de fichiers");
    case ENXIO:
    case ENODEV:
        return Traduire("Fichiers", "périphérique absent ou inaccessible");
    case EBUSY:
    case ETXTBSY:
        return Traduire("Fichiers", "le fichier est occupé");
    case EPIPE:
        return Traduire("Fichiers", "le lecteur du tube s'est fermé");
    case ESPIPE:
        return Traduire("Fichiers",
                        "le fichier ne permet pas de se déplacer (tube ou périphérique)");
    case EINVAL:
        return Traduire("Fichiers", "opération impossible sur ce fichier");
    case EAGAIN:
        return Traduire("Fichiers", "ressource momentanément indisponible");
    case EINTR:
        return Traduire("Fichiers", "opération interrompue");
    case ENOMEM:
        return Traduire("Fichiers", "mémoire insuffisante");
    case EOVERFLOW:
        return Traduire("Fichiers", "fichier trop grand pour être lu");
    case ESTALE:
        return Traduire("Fichiers", "fichier d'un partage réseau devenu inaccessible");
    case ETIMEDOUT:
        return Traduire("Fichiers", "délai dépassé (partage réseau)");
    default:
        return RemplirModele(Traduire("Fichiers", "erreur système n° %1"),
                             {std::to_string(numero)});
    }
}

std::string NatureFichier(std::filesystem::file_type sorte) {
    using std::filesystem::file_type;
    switch (sorte) {
    case file_type::regular:
        return {};
    case file_type::directory:
        return Traduire("Fichiers", "c'est un dossier, pas un fichier");
    case file_type::fifo:
        return Traduire("Fichiers", "c'est un tube nommé, pas un fichier ordinaire");
    case file_type::character:
        return Traduire("Fichiers",
                        "c'est un périphérique (en mode caractère), pas un fichier ordinaire");
    case file_type::block:
        return Traduire("Fichiers",
                        "c'est un périphérique de blocs (un disque), pas un fichier ordinaire");
    case file_type::socket:
        return Traduire("Fichiers", "c'est une socket, pas un fichier ordinaire");
    case file_type::not_found:
        return Traduire("Fichiers", "le fichier n'existe pas");
    default:
        return Traduire("Fichiers", "ce n'est pas un fichier ordinaire");
    }
}

void VerifierFichierOrdinaire(const std::filesystem::path& chemin) {
    using std::filesystem::file_type;
    std::error_code ec;
    const file_type sorte = std::filesystem::status(chemin, ec).type();
    if (sorte == file_type::not_found &&
        std::filesystem::is_symlink(std::filesystem::symlink_status(chemin, ec))) {
        throw ErreurFichier(
            chemin,
            Traduire("Fichiers", "c'est un lien symbolique vers un fichier qui n'existe pas"));
    }
    if (sorte == file_type::none) {
        throw ErreurFichier(chemin,
                            RemplirModele(Traduire("Fichiers", "impossible d'y accéder : %1"),
                                          {TexteErreurSysteme(ec.value())}));
    }
    if (sorte != file_type::regular) {
        throw ErreurFichier(chemin, NatureFichier(sorte));
    }
}
