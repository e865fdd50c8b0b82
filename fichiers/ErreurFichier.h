// The error of every file operation the user starts: a message in the chosen language that
// names the file and says why ("Fichier « voix.wav » : le fichier est vide.").
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

// The reason behind a system error number, in the program's words ("plus de place sur le
// disque"); never the system's own text, whatever the locale.
std::string TexteErreurSysteme(int numero);

// What a path that is not a regular file is ("c'est un tube nommé, pas un fichier
// ordinaire"); empty for a regular file.
std::string NatureFichier(std::filesystem::file_type sorte);

// Refuses, saying what it is, a path that cannot be read as a regular file: missing (or a
// link to nothing), a folder, a pipe, a device, a socket, a loop of symbolic links, a path
// out of reach.
void VerifierFichierOrdinaire(const std::filesystem::path& chemin);
