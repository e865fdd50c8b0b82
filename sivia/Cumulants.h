// Fourth-order cumulants ("Cumulants d'ordre 4"): the lag-0 decorrelation of the estimates
// s1 = x1 + x.x2 and s2 = y.x1 + x2 held exactly, and along its zero curve the sum of the
// squared normalised cross-cumulants of the estimates,
//   K(x, y) = 2.c31^2 / (P1^3.P2) + 4.c22^2 / (P1^2.P2^2) + 2.c13^2 / (P1.P2^3),
//   c31 = E[s1^3 s2], c22 = E[s1^2 s2^2] - P1.P2, c13 = E[s1 s2^3], P1 = E[s1^2], P2 = E[s2^2],
// (on the curve E[s1 s2] = 0, so these moments are the cumulants). Each normalised cumulant
// is that of the estimates scaled to unit power, so K does not depend on the scale of the
// mixtures nor of the estimates. The weights count the cumulants Q(i, j, k, l) with i != j:
// K is the off-diagonal sum JADE minimises by joint diagonalisation, and along the curve (the
// whitened mixtures turned by every angle) its minimiser is JADE's answer. Independent
// sources make every cross-cumulant vanish; one Gaussian source at most is needed. Each c is
// a polynomial in x and y of degree 4 at most whose
// coefficients are the mixtures' fourth- and second-order means: no other mean is needed.
#pragma once

#include "sivia/Retards.h"

namespace critere_rapide {

// The solver's form of K (the interface of DecorrelationRetardee): values at points of the
// lag-0 curve found from a box centre, a lower bound of K over the box's points of the curve
// (+infinity where the curve misses the box).
class Cumulants {
public:
    Cumulants(const MomentsMelanges& m, Bornes X0, Bornes Y0);

    // Finite ordered bounds and finite means, second and fourth order.
    static bool Applicable(const Interval& X, const Interval& Y, const MomentsMelanges& m);

    double AuPoint(double xc, double yc) const;
    double SurPave(Bornes X, Bornes Y) const;
    // K at any point (off the curve, the same polynomials); NaN where P1 or P2 is not positive.
    double Valeur(double x, double y) const;

    static constexpr double Infini = std::numeric_limits<double>::infinity();

    // A polynomial in x and y: A[i][j] the coefficient of x^i.y^j.
    struct Polynome {
        double A[5][5] = {};
    };

private:
    CourbeOrdre0 courbe_;
    Polynome termes_[3]; // c31, c22, c13
};

} // namespace critere_rapide

// K at a point (CritereCumulantsAuPoint), from the mixtures' means.
double CritereCumulantsAuPoint(double x, double y, const MomentsMelanges& m);
