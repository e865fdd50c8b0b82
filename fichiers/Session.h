// Sessions: a JSON file with what reproduces the screen — how each source was made (its kind,
// N and the shared generator's state just before, or the file and channel read), the matrix
// and the edit texts, how the mixtures were made, the generator's current state and every
// Options field. Reopening rebuilds the same sources and mixtures bit for bit
// (Reproduction.h). Unknown or future fields are ignored with a note in `Remarques`.
#pragma once

#include "signal/Generateurs.h"
#include "signal/Melange.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

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

struct OptionsSession {
    std::int32_t NbEchantillons = 5000;
    float BorneInfX = -5, BorneSupX = 5, BorneInfY = -5, BorneSupY = 5;
    double PrecisionSivia = 0.01;
    std::int32_t Stockage = 1;
    bool ContrainteDecorrelation = true;
    bool ContrainteDecorrelationDerivees = true;
    bool ContrainteMomentOrdre4 = false;
    bool MontrerSolution = false;
    bool EstimationAuClic = false;
};

struct Session {
    OrigineSignal Source1, Source2;
    Matrice2x2 MatriceMelange;
    std::array<std::string, 4> TextesMatrice; // Edit1 .. Edit4
    RecetteMelanges Melanges;
    std::uint64_t EtatAlea = 0; // the shared generator now
    OptionsSession Options;
    std::vector<std::string> Remarques; // notes of the reading (fields ignored, defaults)
};

void EnregistrerSession(const std::filesystem::path& chemin, const Session& session);
Session OuvrirSession(const std::filesystem::path& chemin);

// The identifier of a kind in a session ("BruitDeLaplace").
std::string NomTypeSource(TypeSource type);
