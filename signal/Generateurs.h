// The source kinds: N samples of a signal, built from uniform draws of the shared generator
// where the kind is random. "Signal carré" and "Dent de scie" share the period of "Sinus";
// "Bruit de Laplace" (one draw per sample, inverse distribution function, scale 2) is the
// heavy-tailed, non-Gaussian case.
#pragma once

#include "signal/Alea.h"
#include "signal/Avancement.h"

#include <cstdint>
#include <vector>

enum class TypeSource {
    BruitBlancGaussien,
    BruitBlancUniforme,
    Cosinus,
    Sinus,
    BruitColoreGaussien,
    SignalCarre,
    DentDeScie,
    BruitDeLaplace
};

// The uniform value of a draw r in 0 .. 9999: ((r x 0.0001) x 2 - 1) x 5, in [-5, 4.999].
inline double ValeurUniforme(std::uint32_t r) {
    return ((r * 0.0001) * 2 - 1) * 5;
}

// The off-diagonal entry b or c of a matrix [[1, b], [c, 1]] drawn as "Aléatoire" draws it:
// (r x 0.0001) x 2 - 1 in single precision, r the next draw in 0 .. 9999.
inline float CoefficientAleatoire(GenerateurAleatoire& alea) {
    return float((alea.TirageDixMille() * 0.0001) * 2 - 1);
}

// Replaces `cible` with N samples of the kind (none when N <= 0). The samples are computed
// first and then moved in, so an error (ErreurMemoire when N is too large for the machine)
// leaves `cible` and the generator as they were.
void GenererSource(TypeSource type, int N, float PasEchantillonnage, GenerateurAleatoire& alea,
                   std::vector<double>& cible);

// The same, telling its progress to `avancement`; stopped there, it returns false and leaves
// `cible` and the generator as they were.
bool GenererSource(TypeSource type, int N, float PasEchantillonnage, GenerateurAleatoire& alea,
                   std::vector<double>& cible, const RappelAvancement& avancement);
