// Text files of numbers: lines of cells separated by ";", "," or blanks (the first data line
// decides), "." as the decimal separator, an optional header line of names, blank lines and
// lines starting with "#" skipped.
#pragma once

#include "fichiers/LectureSignal.h"

#include <string_view>

ContenuFichier DecrireTexte(const std::filesystem::path& chemin, std::string_view contenu);
CanauxLus LireTexte(const std::filesystem::path& chemin, std::string_view contenu,
                    const std::vector<int>& canaux);
