// Times the five source kinds and the generation of the mixtures, for N = 5000 and
// N = 1,000,000 (Release build; figures only).
#include "signal/Alea.h"
#include "signal/Generateurs.h"
#include "signal/Melange.h"

#include <chrono>
#include <cstdio>
#include <vector>

namespace {

template <typename F> double Secondes(F&& f, int repetitions) {
    const auto debut = std::chrono::steady_clock::now();
    for (int i = 0; i < repetitions; ++i) {
        f();
    }
    const std::chrono::duration<double> duree = std::chrono::steady_clock::now() - debut;
    return duree.count() / repetitions;
}

} // namespace

int main() {
    const struct {
        TypeSource type;
        const char* nom;
    } sortes[] = {
        {TypeSource::BruitBlancGaussien, "Bruit Blanc Gaussien (501 draws/sample)"},
        {TypeSource::BruitBlancUniforme, "Bruit Blanc Uniforme"},
        {TypeSource::Cosinus, "Cosinus"},
        {TypeSource::Sinus, "Sinus"},
        {TypeSource::BruitColoreGaussien, "Bruit Colore Gaussien (151.5 draws/sample)"},
    };
    GenerateurAleatoire alea;
    double controle = 0;
    for (int N : {5000, 1000000}) {
        const int repetitions = N <= 5000 ? 20 : 1;
        std::printf("N = %d\n", N);
        std::vector<double> s1, s2;
        for (const auto& sorte : sortes) {
            const double t =
                Secondes([&] { GenererSource(sorte.type, N, 0.1f, alea, s1); }, repetitions);
            controle += s1[N / 2];
            std::printf("  %-45s %10.3f ms\n", sorte.nom, t * 1e3);
        }
        GenererSource(TypeSource::BruitBlancGaussien, N, 0.1f, alea, s1);
        GenererSource(TypeSource::Cosinus, N, 0.1f, alea, s2);
        const double t = Secondes(
            [&] {
                const Melanges m = GenererMelanges(s1, s2, {1, 0.5, -0.3, 1}, N, 0.1f);
                controle += m.Moments.Moments4[1][2];
            },
            repetitions);
        std::printf("  %-45s %10.3f ms\n", "Generation des Melanges", t * 1e3);
    }
    std::printf("(checksum %g)\n", controle);
    return 0;
}
