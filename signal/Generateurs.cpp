#include "signal/Generateurs.h"

#include "interval/Traduction.h"
#include "signal/Memoire.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

// One pass over v[debut .. fin): value i is the draw of rank rang0 + i after the state
// `base`; pass 0 sets the values, later passes add to them. Compiled for several instruction
// sets (picked when the program starts), since the Gaussian noise of a million samples draws
// 501 million values.
[[gnu::target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")]] void
PasseUniforme(double* v, std::uint64_t debut, std::uint64_t fin, std::uint64_t base,
              std::uint64_t rang0, bool premiere) {
    for (std::uint64_t i = debut; i < fin; ++i) {
        const double u =
            ValeurUniforme(GenerateurAleatoire::TirageDeRang(base, rang0 + i) % 10000u);
        v[i] = premiere ? u : v[i] + u;
    }
}

// Fills v[0 .. n) with `passes` sums of uniform values: pass p draws n values in increasing
// index and adds value i to v[i] (pass 0 sets them). The generator being counter-based, draw
// p*n + i is computed from its rank, so the passes run tile by tile while the values and the
// order of the additions stay those of drawing pass after pass.
// Stopped through `avancement`, it returns false and leaves the generator as it was.
bool SommesUniformes(std::vector<double>& v, std::uint64_t passes, GenerateurAleatoire& alea,
                     const RappelAvancement& avancement) {
    const std::uint64_t n = v.size();
    const std::uint64_t base = alea.EtatCourant();
    constexpr std::uint64_t Tuile = 2048;
    // About half a million draws between two calls of the progress.
    const std::uint64_t tuilesParAppel = std::max<std::uint64_t>(1, 256 / passes);
    std::uint64_t tuiles = 0;
    for (std::uint64_t debut = 0; debut < n; debut += Tuile) {
        if (++tuiles % tuilesParAppel == 0 && !Poursuivre(avancement, double(debut) / double(n))) {
            return false;
        }
        const std::uint64_t fin = std::min(n, debut + Tuile);
        for (std::uint64_t p = 0; p < passes; ++p) {
            PasseUniforme(v.data(), debut, fin, base, p * n, p == 0);
        }
    }
    alea.Avancer(passes * n);
    return true;
}

// s[i] = 5 f(i x pas), by stretches between two calls of the progress.
template <typename F>
bool Periodique(std::vector<double>& s, double pas, F f, const RappelAvancement& avancement) {
    return Parcourir(s.size(), 0.0, 1.0, avancement,
                     [&](std::size_t i) { s[i] = 5 * f(double(i) * pas); });
}

// Laplace noise of scale 2 by inversion of one uniform draw per sample, in increasing index.
// Stopped through `avancement`, it returns false and leaves the generator as it was.
bool BruitLaplace(std::vector<double>& s, GenerateurAleatoire& alea,
                  const RappelAvancement& avancement) {
    const std::uint64_t n = s.size();
    const std::uint64_t base = alea.EtatCourant();
    if (!Parcourir(n, 0.0, 1.0, avancement, [&](std::size_t i) {
            const std::uint32_t r = GenerateurAleatoire::TirageDeRang(base, i) % 10000u;
            const double p = (r + 0.5) / 10000.0;
            s[i] = p < 0.5 ? 2 * std::log(2 * p) : -2 * std::log(2 * (1 - p));
        })) {
        return false;
    }
    alea.Avancer(n);
    return true;
}

// Gives v n values (zeros) stretch by stretch, hearing the progress between two stretches:
// the pages of a billion samples are touched in seconds, during which the window answers and
// a stop is heard. False when stopped there.
bool Dimensionner(std::vector<double>& v, std::uint64_t n, const RappelAvancement& avancement) {
    ReserverEchantillons(v, n);
    constexpr std::uint64_t Tranche = std::uint64_t{1} << 21; // 16 MiB
    for (std::uint64_t debut = 0; debut < n; debut += Tranche) {
        if (debut > 0 && !Poursuivre(avancement, double(debut) / double(n))) {
            return false;
        }
        v.resize(std::min(n, debut + Tranche));
    }
    return true;
}

} // namespace

void GenererSource(TypeSource type, int N, float PasEchantillonnage, GenerateurAleatoire& alea,
                   std::vector<double>& cible) {
    GenererSource(type, N, PasEchantillonnage, alea, cible, RappelAvancement());
}

bool GenererSource(TypeSource type, int N, float PasEchantillonnage, GenerateurAleatoire& alea,
                   std::vector<double>& cible, const RappelAvancement& rappel) {
    const std::uint64_t n = N > 0 ? std::uint64_t(N) : 0;
    const double pas = PasEchantillonnage;
    std::vector<double> s;
    // The first twentieth of the progress is the allocation, the rest the computation.
    const RappelAvancement allocation = Partie(rappel, 0, 0.05);
    const RappelAvancement avancement = Partie(rappel, 0.05, 0.95);

    switch (type) {
    case TypeSource::BruitBlancUniforme:
    case TypeSource::BruitBlancGaussien:
    case TypeSource::Cosinus:
    case TypeSource::Sinus:
    case TypeSource::SignalCarre:
    case TypeSource::DentDeScie:
    case TypeSource::BruitDeLaplace:
        VerifierMemoire(n * sizeof(double),
                        RemplirModele(Traduire("Signal", "une source de %1 échantillons"),
                                      {std::to_string(n)}));
        if (!Dimensionner(s, n, allocation)) {
            return false;
        }
        break;
    case TypeSource::BruitColoreGaussien:
        // The working length L = 1.5 N and the result: L + N doubles.
        VerifierMemoire((n * 3 / 2 + n) * sizeof(double),
                        RemplirModele(Traduire("Signal", "un bruit coloré de %1 échantillons"),
                                      {std::to_string(n)}));
        break;
    }

    switch (type) {
    case TypeSource::BruitBlancUniforme:
        if (!SommesUniformes(s, 1, alea, avancement)) {
            return false;
        }
        break;
    case TypeSource::BruitBlancGaussien:
        if (!SommesUniformes(s, 501, alea, avancement)) {
            return false;
        }
        for (double& x : s) {
            x *= 0.05;
        }
        break;
    case TypeSource::Cosinus:
        if (!Periodique(
                s, pas, [](double t) { return std::cos(t); }, avancement)) {
            return false;
        }
        break;
    case TypeSource::Sinus:
        if (!Periodique(
                s, pas, [](double t) { return std::sin(t); }, avancement)) {
            return false;
        }
        break;
    case TypeSource::SignalCarre:
        if (!Periodique(
                s, pas, [](double t) { return std::sin(t) >= 0 ? 1.0 : -1.0; }, avancement)) {
            return false;
        }
        break;
    case TypeSource::DentDeScie:
        if (!Periodique(
                s, pas,
                [](double t) {
                    const double u = t / 6.283185307179586;
                    return 2 * (u - std::floor(u)) - 1;
                },
                avancement)) {
            return false;
        }
        break;
    case TypeSource::BruitDeLaplace:
        if (!BruitLaplace(s, alea, avancement)) {
            return false;
        }
        break;
    case TypeSource::BruitColoreGaussien: {
        const std::uint64_t L = n * 3 / 2;
        std::vector<double> w;
        if (!Dimensionner(w, L, allocation) ||
            !SommesUniformes(w, 101, alea, Partie(avancement, 0, 0.7))) {
            return false;
        }
        for (double& x : w) {
            x *= 0.1;
        }
        // First-order low-pass filter, in place: w[j-1] already holds y[j-1].
        if (!Parcourir(L, 0.7, 0.15, avancement, [&w](std::size_t j) {
                if (j > 0) {
                    w[j] = 0.99 * w[j - 1] + 0.01 * w[j];
                }
            })) {
            return false;
        }
        // The first N/2 filtered values are the warm-up and are dropped.
        ReserverEchantillons(s, n);
        if (!Parcourir(L - n / 2, 0.85, 0.15, avancement,
                       [&](std::size_t j) { s.push_back(10 * w[n / 2 + j]); })) {
            return false;
        }
        break;
    }
    }
    cible = std::move(s);
    return true;
}
