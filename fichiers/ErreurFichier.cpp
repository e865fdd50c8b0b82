#include "fichiers/ErreurFichier.h"

#include <cerrno>

ErreurFichier::ErreurFichier(const std::filesystem::path& chemin, const std::string& raison)
    : std::runtime_error("Fichier « " + chemin.string() + " » : " + raison + "."), Chemin_(chemin) {
}

std::string TexteErreurSysteme(int numero) {
    switch (numero) {
    case ENOENT:
        return "le fichier ou son dossier n'existe pas";
    case ENOTDIR:
        return "un élément du chemin n'est pas un dossier";
    case EISDIR:
        return "c'est un dossier, pas un fichier";
    case EACCES:
    case EPERM:
        return "permission refusée";
    case ENOSPC:
        return "plus de place sur le disque";
    case EDQUOT:
        return "quota de disque dépassé";
    case EROFS:
        return "le disque est en lecture seule";
    case ENAMETOOLONG:
        return "nom trop long";
    case EIO:
        return "erreur d'entrée-sortie du disque";
    case EMFILE:
    case ENFILE:
        return "trop de fichiers ouverts";
    case ELOOP:
        return "boucle de liens symboliques";
    case EFBIG:
        return "fichier trop grand pour ce système de fichiers";
    case ENXIO:
    case ENODEV:
        return "périphérique absent ou inaccessible";
    case EBUSY:
    case ETXTBSY:
        return "le fichier est occupé";
    case EPIPE:
        return "le lecteur du tube s'est fermé";
    case ESPIPE:
        return "le fichier ne permet pas de se déplacer (tube ou périphérique)";
    case EINVAL:
        return "opération impossible sur ce fichier";
    case EAGAIN:
        return "ressource momentanément indisponible";
    case EINTR:
        return "opération interrompue";
    case ENOMEM:
        return "mémoire insuffisante";
    case EOVERFLOW:
        return "fichier trop grand pour être lu";
    case ESTALE:
        return "fichier d'un partage réseau devenu inaccessible";
    case ETIMEDOUT:
        return "délai dépassé (partage réseau)";
    default:
        return "erreur système n° " + std::to_string(numero);
    }
}

std::string NatureFichier(std::filesystem::file_type sorte) {
    using std::filesystem::file_type;
    switch (sorte) {
    case file_type::regular:
        return {};
    case file_type::directory:
        return "c'est un dossier, pas un fichier";
    case file_type::fifo:
        return "c'est un tube nommé, pas un fichier ordinaire";
    case file_type::character:
        return "c'est un périphérique (en mode caractère), pas un fichier ordinaire";
    case file_type::block:
        return "c'est un périphérique de blocs (un disque), pas un fichier ordinaire";
    case file_type::socket:
        return "c'est une socket, pas un fichier ordinaire";
    case file_type::not_found:
        return "le fichier n'existe pas";
    default:
        return "ce n'est pas un fichier ordinaire";
    }
}

void VerifierFichierOrdinaire(const std::filesystem::path& chemin) {
    using std::filesystem::file_type;
    std::error_code ec;
    const file_type sorte = std::filesystem::status(chemin, ec).type();
    if (sorte == file_type::not_found &&
        std::filesystem::is_symlink(std::filesystem::symlink_status(chemin, ec))) {
        throw ErreurFichier(chemin, "c'est un lien symbolique vers un fichier qui n'existe pas");
    }
    if (sorte == file_type::none) {
        throw ErreurFichier(chemin, "impossible d'y accéder : " + TexteErreurSysteme(ec.value()));
    }
    if (sorte != file_type::regular) {
        throw ErreurFichier(chemin, NatureFichier(sorte));
    }
}
