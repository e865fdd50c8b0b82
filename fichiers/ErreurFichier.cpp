#include "fichiers/ErreurFichier.h"

#include <cerrno>
#include <cstring>

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
    default:
        return std::string("erreur système ") + std::to_string(numero) + " (" +
               std::strerror(numero) + ")";
    }
}
