// The mean SIR over a rectangle of the parameter plane, sampled on a grid of cell centres:
// where separation is good at a glance. A cell where the mean is undefined holds -infinity
// (a defined mean is never below 0 dB, the pairing being the better one); an exact
// separation holds +infinity.
#pragma once

#include "analyse/Amas.h"
#include "analyse/Qualite.h"

#include <vector>

struct CarteSir {
    int Largeur = 0, Hauteur = 0;
    RectanglePlan Zone;
    // Row 0 at the bottom (ymin): Db[j * Largeur + i] at the centre of cell (i, j).
    std::vector<float> Db;

    float At(int i, int j) const { return Db[std::size_t(j) * Largeur + i]; }
};

// Empty when the powers are not usable, the matrix is unknown or the zone or sizes are
// degenerate.
CarteSir CalculerCarteSir(const RectanglePlan& zone, int largeur, int hauteur, const Matrice2x2& A,
                          const PuissancesSources& P);
