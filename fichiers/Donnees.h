// Where the program finds the files it ships with (the example voices), relative to the
// program itself: installed, they sit in <prefix>/share/ovrel5/data beside <prefix>/bin;
// in a build tree, in the repository's data/ two folders up. Never an absolute path of the
// machine that built it, so that a copied or moved installation keeps working.
#pragma once

#include <filesystem>
#include <vector>

// The folder of the running program: the target of /proc/self/exe, else the folder of
// `argv0` (made absolute), else the current folder.
std::filesystem::path DossierProgramme(const char* argv0 = nullptr);

// The folders where the example voices may be, in the order they are tried.
std::vector<std::filesystem::path> DossiersDonneesPossibles(const std::filesystem::path& programme);

// The first of those holding the example voices (voix1.wav); the installed one when none does
// (a message then names where they were expected).
std::filesystem::path DossierDonnees(const std::filesystem::path& programme);

// The same for the Python module in the folder `module`: installed in
// <prefix>/lib/python3/dist-packages it finds <prefix>/share/ovrel5/data, in a build tree the
// repository's data/.
std::filesystem::path DossierDonneesModule(const std::filesystem::path& module);

// True when DossierDonnees found the voices there.
bool DonneesPresentes(const std::filesystem::path& dossier);

// Refuses, naming where the first voice was expected, a folder without the voices.
void VerifierDonneesPresentes(const std::filesystem::path& dossier);
