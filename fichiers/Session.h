// Sessions: a JSON file with what reproduces the screen — how each source was made (its kind,
// N and the shared generator's state just before, or the file and channel read, its path
// also relative to the session's folder, which reading tries first), the matrix
// and the edit texts, how the mixtures were made, the generator's current state and every
// Options field. Reopening rebuilds the same sources and mixtures bit for bit
// (Reproduction.h). Unknown or future fields are ignored with a note in `Remarques`; a field
// whose value cannot stand (an unknown source kind, a missing matrix entry, a setting against
// its rule) refuses the whole file.
#pragma once

#include "fichiers/ErreurFichier.h"
#include "signal/Generateurs.h"
#include "signal/Melange.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// A session that reads but holds a value that cannot stand; the message names the file and
// the field.
class ErreurChampSession : public ErreurFichier {
public:
    using ErreurFichier::ErreurFichier;
};

struct OrigineSignal {
    enum class Sorte { Aucune, Generee, Fichier };
    Sorte sorte = Sorte::Aucune;
    TypeSource Type = TypeSource::BruitBlancGaussien; // Generee
    std::int32_t N = 0;                               // Generee
    std::uint64_t EtatAlea = 0;                       // Generee: the state before the draws
    std::string Chemin;                               // Fichier
    int Canal = 0;                                    // Fichier, from 0
};

struct RecetteMelanges {
    enum class Sorte { Aucune, Generees, Lues };
    Sorte sorte = Sorte::Aucune;
    // Generees: the sources that were mixed, the matrix and N of that generation.
    // Lues: the files read as x1 and x2.
    OrigineSignal Signal1, Signal2;
    Matrice2x2 Matrice;
    std::int32_t N = 0;
};

// An Options field as the file holds it: an integer, a number (non-finite ones are written as
// text), a truth value, a text, or something else (std::monostate: null, a list, an object).
// Which fields exist, their kinds, defaults and rules belong to the workbench's settings
// table (atelier/Reglages.h): the file only carries them.
using ValeurReglage = std::variant<std::monostate, std::int64_t, double, bool, std::string>;
using ReglagesEnregistres = std::map<std::string, ValeurReglage>;

struct Session {
    OrigineSignal Source1, Source2;
    Matrice2x2 MatriceMelange;
    std::array<std::string, 4> TextesMatrice; // Edit1 .. Edit4
    RecetteMelanges Melanges;
    std::uint64_t EtatAlea = 0;                 // the shared generator now
    std::optional<ReglagesEnregistres> Options; // none when the file has no "options"
    std::vector<std::string> Remarques;         // notes of the reading (fields ignored, defaults)
};

void EnregistrerSession(const std::filesystem::path& chemin, const Session& session);
Session OuvrirSession(const std::filesystem::path& chemin);

// The identifier of a kind in a session ("BruitDeLaplace").
std::string NomTypeSource(TypeSource type);
