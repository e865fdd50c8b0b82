// The ticks of one axis of a view, without Qt: values at the multiples of a step of 1, 2 or 5
// times a power of ten inside the visible range, with labels that tell consecutive ticks apart.
// Whatever the range (a deep zoom far from the origin, ranges near the limits of doubles),
// the ticks are counted by an integer index, never found by adding the step to a value: the
// step is never below what doubles resolve there, and there are at most MaxGraduations ticks.
#pragma once

#include <string>
#include <vector>

struct Graduations {
    static constexpr int MaxGraduations = 200;

    double Pas = 0; // the step; 0 when there is no tick
    // The labels: fixed notation with `Decimales` decimals, or, for values too large or too
    // small for it, scientific notation with `Chiffres` significant digits.
    bool Scientifique = false;
    int Decimales = 0, Chiffres = 1;
    struct Trait {
        double Valeur;
        double Position; // pixels from the low end of the axis
    };
    std::vector<Trait> Traits; // by increasing value and position

    // The label of a tick, with `.` as the decimal separator.
    std::string Texte(double valeur) const;
};

// The ticks of the values [bas, haut] shown over `longueur` pixels, about one per `ecart`
// pixels. No tick for a range that is empty, reversed or not finite.
Graduations Graduer(double bas, double haut, double longueur, double ecart);
