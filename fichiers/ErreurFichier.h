// The error of every file operation the user starts: a French message that names the file
// and says why ("Fichier « voix.wav » : le fichier est vide.").
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

class ErreurFichier : public std::runtime_error {
public:
    ErreurFichier(const std::filesystem::path& chemin, const std::string& raison);

    const std::filesystem::path& Chemin() const { return Chemin_; }

private:
    std::filesystem::path Chemin_;
};

// The reason behind a system error number, in French ("plus de place sur le disque").
std::string TexteErreurSysteme(int numero);
