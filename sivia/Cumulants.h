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
// a polynomial in x and y of degree 4 at most whose coefficients are the centred mixtures'
// fourth- and second-order means: a constant offset of a recording is no part of a source's
// shape, and the raw means would count it as one.
//
// Kurtosis ("Kurtosis (contraste d'ordre 4)"): along the same curve, the estimates' squared
// excess kurtosis k1^2 + k2^2 (k = E[s^4] / P^2 - 3) is maximised, as FastICA's cube
// non-linearity does. The estimates at unit power on the curve are the whitened mixtures
// turned by an angle, which keeps the squared norm of their cumulant tensor,
//   k1^2 + k2^2 + 4.c31^2 / (P1^3.P2) + 6.c22^2 / (P1^2.P2^2) + 4.c13^2 / (P1.P2^3),
// the same at every point of the curve: maximising k1^2 + k2^2 is minimising the other terms,
// the cross-cumulants with these weights, a positive criterion with the same polynomials.
//
// Sum of kurtosis ("Somme des kurtosis (contraste d'ordre 4)"): symmetric FastICA with the
// cube non-linearity stops where k1 + k2 is stationary along the rotations of the whitened
// mixtures. With theta the rotation angle, k1 + k2 = A + B.cos(4.theta) + C.sin(4.theta) on
// the curve (the whitened moments m_pq = E[z1^p.z2^q] give A = 3/4.(m40 + m04) + 3/2.m22 - 6,
// B = (m40 + m04)/4 - 3/2.m22, C = m31 - m13), so its largest |k1 + k2| is
// |A| + sqrt(B^2 + C^2), and the criterion S = (|A| + sqrt(B^2 + C^2)) - |k1 + k2| >= 0
// vanishes at the separating point: independent sources turned by phi from the estimates
// give k1 + k2 = (k1' + k2').(1 - sin^2(2.phi)/2), largest in size at phi = 0.
#pragma once

#include "sivia/Retards.h"

// The means of the centred mixtures x - E[x]: second, third and fourth order from the raw
// ones (derivatives unchanged), first order 0. The expansion loses about eps.(|E[x]| / std)^4
// relatively: nothing for recordings, whose offset is a small share of their spread.
MomentsMelanges MomentsCentres(const MomentsMelanges& m);

// The cross-cumulants' weights: JADE's off-diagonal sum, or the complement of the squared
// kurtosis on the curve; or the gap of |k1 + k2| to its largest value on the curve.
enum class ContrasteOrdre4 { Cumulants, Kurtosis, SommeKurtosis };

namespace critere_rapide {

// The solver's form of K (the interface of DecorrelationRetardee): values at points of the
// lag-0 curve found from a box centre, a lower bound of K over the box's points of the curve
// (+infinity where the curve misses the box).
class Cumulants {
public:
    // `m`: the raw means; the criterion and its curve read them centred.
    Cumulants(const MomentsMelanges& m, Bornes X0, Bornes Y0,
              ContrasteOrdre4 contraste = ContrasteOrdre4::Cumulants);

    // Finite ordered bounds and finite means, first to fourth order.
    static bool Applicable(const Interval& X, const Interval& Y, const MomentsMelanges& m);

    double AuPoint(double xc, double yc) const;
    double SurPave(Bornes X, Bornes Y) const;
    // K at any point (off the curve, the same polynomials); NaN where P1 or P2 is not positive.
    double Valeur(double x, double y) const;
    // The largest |k1 + k2| along the lag-0 curve (NaN where the mixtures cannot be whitened).
    double SommeKurtosisMax() const { return sommeMax_; }

    static constexpr double Infini = std::numeric_limits<double>::infinity();

    // A polynomial in x and y: A[i][j] the coefficient of x^i.y^j.
    struct Polynome {
        double A[5][5] = {};
    };

private:
    CourbeOrdre0 courbe_; // of the centred mixtures
    Polynome termes_[3];  // c31, c22, c13
    const double* poids_;
    ContrasteOrdre4 contraste_;
    Polynome quartiques_[2]; // E[s1^4], E[s2^4]
    double sommeMax_;

    double ValeurSomme(double x, double y, double p1, double p2) const;
    double SurPaveSomme(Bornes X, Bornes Y) const;
};

} // namespace critere_rapide

// K at a point (CritereCumulantsAuPoint) and the kurtosis contrasts, from the mixtures' raw
// means.
double CritereCumulantsAuPoint(double x, double y, const MomentsMelanges& m);
double CritereKurtosisAuPoint(double x, double y, const MomentsMelanges& m);
double CritereSommeKurtosisAuPoint(double x, double y, const MomentsMelanges& m);
