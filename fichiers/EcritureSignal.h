// Writing signals, atomically (EcritureAtomique.h): WAV in 32-bit float (values as they are,
// not clipped, so a float signal reads back exactly) or CSV (one column per signal, a header
// line of names, each value in the shortest text that reads back to the same double).
// The signals are written over their common length, by blocks, the progress told between two;
// a progress that stops the writing makes it throw ArretUtilisateur after removing its
// temporary file: no file is written and none is replaced.
#pragma once

#include "signal/Avancement.h"

#include <filesystem>
#include <string>
#include <vector>

// The rate written when the signals have none (generated ones): the workbench's sample step
// is a time unit, not a rate, so a plain audio rate is used.
inline constexpr int FrequenceParDefaut = 8000;

struct SignalNomme {
    std::string Nom;
    const std::vector<double>* Echantillons;
};

// `frequence` 0 writes FrequenceParDefaut.
void EcrireWav(const std::filesystem::path& chemin, const std::vector<SignalNomme>& signaux,
               double frequence, const RappelAvancement& avancement = {});
void EcrireCsv(const std::filesystem::path& chemin, const std::vector<SignalNomme>& signaux,
               const RappelAvancement& avancement = {});

// WAV when the extension is .wav, CSV otherwise.
void EcrireSignaux(const std::filesystem::path& chemin, const std::vector<SignalNomme>& signaux,
                   double frequence, const RappelAvancement& avancement = {});

// The shortest "." text of a double that reads back to it.
std::string TexteExact(double v);
