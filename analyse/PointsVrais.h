// The true demixing points of a known mixing matrix A: the point (-a12/a22, -a21/a11)
// where G = W.A is diagonal, and the permuted one (-a11/a21, -a22/a12) where it is
// anti-diagonal. Each is absent where a denominator is 0 or the point is not finite.
#pragma once

#include "signal/Melange.h"

#include <optional>

struct PointPlan {
    double x = 0, y = 0;
};

struct PointsVrais {
    std::optional<PointPlan> Direct, Permute;
};

PointsVrais CalculerPointsVrais(const Matrice2x2& A);
