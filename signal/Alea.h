// The program's one pseudo-random generator of uniform integers.
//
// It is counter-based (SplitMix64): draw k after a seeding is mix(key + (k + 1) * gamma). Any
// draw can therefore be computed directly from its rank, which lets the noise generators fill
// their arrays in a cache-friendly order while giving exactly the values that drawing one
// after another would give. It starts every run from the same fixed state; only "Aléatoire"
// seeds it, from the clock.
#pragma once

#include <cstdint>

class GenerateurAleatoire {
public:
    static constexpr std::uint64_t Gamma = 0x9E3779B97F4A7C15ull;
    static constexpr std::uint64_t EtatInitial = 0x4F7672656C203530ull;

    GenerateurAleatoire() = default;

    void Initialiser(std::uint64_t graine);

    // The next non-negative integer, uniform over 0 .. 2^32 - 1.
    std::uint32_t Suivant() {
        const std::uint32_t r = TirageDeRang(Etat, 0);
        Etat += Gamma;
        return r;
    }

    // The draw of rank `rang` after the state `etat` (0: the next one), computed directly.
    static std::uint32_t TirageDeRang(std::uint64_t etat, std::uint64_t rang) {
        return Melanger(etat + (rang + 1) * Gamma);
    }

    // The uniform integer in 0 .. 9999 that every noise kind is built from.
    int TirageDixMille() { return static_cast<int>(Suivant() % 10000u); }

    // Skipping draws without computing them.
    void Avancer(std::uint64_t tirages) { Etat += tirages * Gamma; }
    std::uint64_t EtatCourant() const { return Etat; }
    // Back to a state read with EtatCourant (a saved session).
    void FixerEtat(std::uint64_t etat) { Etat = etat; }

    static std::uint32_t Melanger(std::uint64_t z) {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
    }

private:
    std::uint64_t Etat = EtatInitial;
};

// The shared generator of the whole program.
GenerateurAleatoire& Alea();
