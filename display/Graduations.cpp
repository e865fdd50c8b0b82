#include "display/Graduations.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// The smallest step of 1, 2 or 5 times a power of ten that is at least `brut` (> 0).
double PasAuMoins(double brut) {
    const int e = int(std::floor(std::log10(brut)));
    for (int k = e - 1; k <= e + 1; ++k) {
        for (double m : {1.0, 2.0, 5.0}) {
            const double pas = m * std::pow(10.0, k);
            if (pas >= brut && std::isfinite(pas)) {
                return pas;
            }
        }
    }
    return std::pow(10.0, e + 2);
}

// The next step of the 1, 2, 5 sequence.
double PasSuivant(double pas) {
    return PasAuMoins(pas * 1.5);
}

} // namespace

std::string Graduations::Texte(double v) const {
    char t[64];
    if (v == 0) {
        return "0";
    }
    if (Scientifique) {
        std::snprintf(t, sizeof t, "%.*e", Chiffres - 1, v);
    } else {
        std::snprintf(t, sizeof t, "%.*f", Decimales, v);
    }
    return t;
}

Graduations Graduer(double bas, double haut, double longueur, double ecart) {
    Graduations g;
    if (!std::isfinite(bas) || !std::isfinite(haut) || !(haut > bas) || !(longueur >= 1) ||
        !std::isfinite(longueur) || !(ecart > 0)) {
        return g;
    }
    // Halves, so that the width of a range of the whole double line stays finite.
    const double demiEtendue = haut / 2 - bas / 2;
    const double grand = std::max(std::fabs(bas), std::fabs(haut));
    const double nombre = std::max(1.0, longueur / ecart);
    // Below 2^-50 of the values, multiples of the step would not be exact doubles any more
    // (their index passes 2^53 soon after), and ticks would repeat or stand still.
    const double plancher = std::max(grand * 0x1p-50, 1e-300);
    double pas = PasAuMoins(std::max(2 * (demiEtendue / nombre), plancher));
    // A step as large as the range leaves one tick or none; a few more steps at most.
    for (int essai = 0; essai < 8 && std::isfinite(pas); ++essai) {
        const double k0 = std::ceil(bas / pas), k1 = std::floor(haut / pas);
        if (k1 - k0 < Graduations::MaxGraduations) {
            break;
        }
        pas = PasSuivant(pas);
    }
    if (!std::isfinite(pas) || !(pas > 0)) {
        return g;
    }
    // A step that leaves a single tick is made smaller while doubles resolve it, for two.
    const double parPixel = longueur / 2 / demiEtendue;
    for (int essai = 0; essai < 4; ++essai) {
        g.Pas = pas;
        g.Traits.clear();
        const double k0 = std::ceil(bas / pas), k1 = std::floor(haut / pas);
        for (int i = 0; i < Graduations::MaxGraduations && k0 + i <= k1; ++i) {
            const double v = (k0 + i) * pas;
            if (v < bas || v > haut || (!g.Traits.empty() && v <= g.Traits.back().Valeur)) {
                continue;
            }
            g.Traits.push_back({v, (v / 2 - bas / 2) * parPixel * 2});
        }
        const double plusPetit = std::max(PasAuMoins(pas / 2.6), PasAuMoins(plancher));
        if (g.Traits.size() >= 2 || plusPetit >= pas) {
            break;
        }
        pas = plusPetit;
    }
    const double k0 = std::ceil(bas / pas), k1 = std::floor(haut / pas);
    // Decimals of the step in fixed notation; the digits from the largest value down to the
    // step's in scientific notation.
    const int exposantPas = int(std::floor(std::log10(pas) + 1e-9));
    g.Decimales = std::max(0, -exposantPas);
    const double plusGrand = std::max(std::fabs(k0 * pas), std::fabs(k1 * pas));
    g.Scientifique = plusGrand >= 1e6 || g.Decimales > 6;
    const int exposantGrand = plusGrand > 0 ? int(std::floor(std::log10(plusGrand))) : exposantPas;
    g.Chiffres = std::clamp(exposantGrand - exposantPas + 1, 1, 17);
    return g;
}
