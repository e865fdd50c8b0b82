// Negentropy ("Néguentropie"): the lag-0 decorrelation of the centred mixtures held exactly,
// and along its curve the estimates' approximate negentropy maximised, as FastICA's gauss
// non-linearity does: for each estimate at unit power u, J(u) = (E[G(u)] - E[G(v)])^2 with
// G(u) = -exp(-u^2 / 2) and v a standard normal variable (E[G(v)] = -1/sqrt(2)). J is at most
// 1/2, so the criterion minimised is the positive
//   N(x, y) = 1 - J(s1 / sqrt(P1)) - J(s2 / sqrt(P2)).
// E[G(u)] is not a polynomial in x and y: it reads the samples. Each estimate at unit power is
// the whitened centred mixtures z read along an angle t, u = cos(t).z1 + sin(t).z2, and
// h(t) = E[exp(-u^2 / 2)] has period pi, |h'| <= exp(-1/2) and
//   |h''(t)| = |E[(u^2 + u^2.w^2 - w^2).exp(-u^2 / 2)]| <= 2/e + 1 + 2/e   (w: the other axis,
// E[w^2] = 1). A table of h and h' at a grid of angles, made once from the samples, then bounds
// h over any range of angles (Taylor's bound from the nearest node): the box bound costs a few
// operations, and only the points where the criterion is read exactly cost a pass over the
// samples.
#pragma once

#include "sivia/Retards.h"

#include <cmath>
#include <memory>
#include <vector>

struct TableNeguentropie {
    // z = H.(x - mean), H = C^(-1/2) of the centred covariance; R = C^(1/2) maps a demixing
    // row (1, x) or (y, 1) to the direction of its estimate among the whitened axes.
    double H[2][2] = {}, R[2][2] = {};
    std::vector<double> z1, z2;
    // h and h' at the angles k.pi / Noeuds, k = 0 .. Noeuds - 1.
    std::vector<double> Valeurs, Derivees;
    bool Valide = false; // false: fewer than 2 samples, or a singular or non-finite covariance

    // h at an angle, from the samples.
    double ValeurExacte(double t) const;
};

// The table of the mixtures' first min(|x1|, |x2|) samples.
std::shared_ptr<const TableNeguentropie> CalculerTableNeguentropie(const std::vector<double>& x1,
                                                                   const std::vector<double>& x2);

// N at a point, from the samples (O(N)); NaN where the table is not valid.
double CritereNeguentropieAuPoint(double x, double y, const TableNeguentropie& t);

// E[exp(-u^2 / 2)] - 1/sqrt(2) for u the centred estimate a.x1 + b.x2 at unit power, from the
// samples (sqrt(J) with its sign); NaN for a silent or non-finite estimate. For Gaussian u it
// wavers around 0 by EcartTypeGaussien / sqrt(N).
double EcartAuGaussien(const std::vector<double>& x1, const std::vector<double>& x2, double a,
                       double b);
// That spread for a standard normal v, e = exp(-v^2 / 2): the mean of e wavers by
// Var(e) = 1/sqrt(3) - 1/2, but the unit power is the samples' own, and the power's error
// (variance 2) moves the mean against it (slope E[v^2.e] / 2 = 1/(4.sqrt(2)), covariance
// Cov(e, v^2) = -1/(2.sqrt(2))): in all 1/sqrt(3) - 9/16, a spread 2.3 times smaller.
inline const double EcartTypeGaussien = std::sqrt(1 / std::sqrt(3.0) - 9.0 / 16);

namespace critere_rapide {

// The solver's form of N (the interface of DecorrelationRetardee). AuPoint gives an upper bound
// of N at the curve's points found from a box centre (the table's bound: no pass over the
// samples), SurPave a lower bound of N over the box, +infinity where the curve misses it.
class Neguentropie {
public:
    Neguentropie(const MomentsMelanges& m, std::shared_ptr<const TableNeguentropie> t, Bornes X0,
                 Bornes Y0);

    static bool Applicable(const Interval& X, const Interval& Y, const MomentsMelanges& m,
                           const TableNeguentropie* t);

    double AuPoint(double xc, double yc) const;
    double SurPave(Bornes X, Bornes Y) const;
    // An enclosure of N at a point by the table, [lo, up].
    Bornes Encadrement(double x, double y) const;

    static constexpr double Infini = std::numeric_limits<double>::infinity();

private:
    // The range of h over the angles of estimate 1 for x in X, of estimate 2 for y in Y.
    Bornes Etendue1(Bornes X) const;
    Bornes Etendue2(Bornes Y) const;
    Bornes EtendueAngles(double debut, double longueur) const;

    CourbeOrdre0 courbe_; // of the centred mixtures
    std::shared_ptr<const TableNeguentropie> table_;
};

} // namespace critere_rapide
