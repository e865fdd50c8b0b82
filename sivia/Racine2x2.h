// The square root of a 2 x 2 symmetric positive definite matrix and the inverse of that root,
// in closed form: the whitening of two mixtures and FastICA's symmetric orthogonalisation.
#pragma once

#include <cmath>

struct Symetrique2x2 {
    double a = 0, b = 0, c = 0; // [[a, b], [b, c]]
};

struct RacinesSymetrique2x2 {
    Symetrique2x2 Racine, Inverse; // C^(1/2) and C^(-1/2)
};

// With s = sqrt(det C) and t = sqrt(tr C + 2s), C^(1/2) = (C + s.I) / t and
// C^(-1/2) = t.(C + s.I)^(-1). Entries are not finite where C is not positive definite.
inline RacinesSymetrique2x2 Racines(const Symetrique2x2& C) {
    const double s = std::sqrt(C.a * C.c - C.b * C.b);
    const double t = std::sqrt(C.a + C.c + 2 * s);
    const double d = (C.a + s) * (C.c + s) - C.b * C.b;
    return {{(C.a + s) / t, C.b / t, (C.c + s) / t},
            {t * (C.c + s) / d, -t * C.b / d, t * (C.a + s) / d}};
}
