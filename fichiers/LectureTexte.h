// Text files of numbers: lines of cells separated by ";", "," or blanks (the first data line
// decides), "." as the decimal separator, an optional header line of names, blank lines and
// lines starting with "#" skipped. Both functions go through the text by stretches, telling
// their progress between two (ArretUtilisateur when it stops them).
#pragma once

#include "fichiers/LectureSignal.h"

#include <string_view>

ContenuFichier DecrireTexte(const std::filesystem::path& chemin, std::string_view contenu,
                            const RappelAvancement& avancement = {});
CanauxLus LireTexte(const std::filesystem::path& chemin, std::string_view contenu,
                    const std::vector<int>& canaux, const RappelAvancement& avancement = {});
