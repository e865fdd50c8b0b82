// The exact point of a cluster of kept boxes: where the two constraints of the criterion
// vanish inside the cluster's hull, slightly enlarged. A cluster's centre can sit far from
// that point (an extended cluster around an ill-conditioned mixture), while the point is
// what the constraints define.
//
// Every constraint is linear in x: C(x, y) = P(y) + x.Q(y), with P and Q polynomials in y
// of degree 3 at most whose coefficients are means of the mixtures. The roots of a pair are
// found from the resultant in y, P_a.Q_b - P_b.Q_a, and by Newton's method from the kept box
// with the smallest centre criterion; the minimisation of the criterion over the cluster is
// the fallback. A root is then proven to be the only one in a small box around it by a
// Krawczyk test evaluated with outward rounding, apart from the solver's own
// round-to-nearest intervals.
#pragma once

#include "analyse/Amas.h"
#include "sivia/BoxList.h"
#include "sivia/Contraintes.h"

#include <cstdint>
#include <vector>

enum class MethodePoint {
    Newton,       // a root of the two constraints
    Minimisation, // no root in the enlarged hull, or a criterion minimised along the lag-0
                  // curve: the smallest criterion found there
    Centre,       // no pair of constraints: the hull's centre
};

struct PointExact {
    PointPlan Point;
    MethodePoint Methode = MethodePoint::Centre;
    // The criterion at the point, evaluated as the solver evaluates a box centre.
    double Critere = 0;
    // The larger |constraint| / its scale at the point: the size of a correlation
    // coefficient, whatever the units of the signals (NaN without a pair).
    double CritereRelatif = 0;
    // The Krawczyk test holds in BoitePreuve: the constraints have exactly one common zero
    // there, whatever the rounding.
    bool Prouve = false;
    RectanglePlan BoitePreuve;
    // Roots of the pair found in the enlarged hull (a merged cluster may hold both
    // solutions; the point is then the one nearest to the best box).
    int NbRacines = 0;
    // The criterion vanishes at the point (CritereRelatif at most SeuilNonSolution).
    bool Solution = false;
};

// Above this relative criterion a cluster's point is not a solution: the constraints cannot
// vanish there (a root met to rounding gives about 1e-15).
inline constexpr double SeuilNonSolution = 1e-6;

// The enlarged hull of a cluster: its hull grown on each side by the larger of
// MargePrecisions x precision and MargeRelative x its side.
inline constexpr double MargePrecisions = 2;
inline constexpr double MargeRelative = 0.1;
RectanglePlan EnveloppeElargie(const Amas& a, double precision);

// The point of each cluster, in the clusters' order (`retardes`: the lagged means of the
// delayed decorrelation, when it is on). The kept boxes of the clusters are
// those of `solution` from position `premiere` on.
std::vector<PointExact> AffinerAmas(const std::vector<Amas>& amas, const BoxList& solution,
                                    std::uint32_t premiere, const MomentsMelanges& m,
                                    const ContraintesActives& c, double precision,
                                    const MomentsRetardes& retardes = {});

// The point of one zone of the plane, Newton's method starting from `depart`.
// With a criterion minimised along the lag-0 curve (delays, cumulants), the point is its
// minimiser on the curve inside the zone, from `retardes` for the delays.
PointExact AffinerPoint(PointPlan depart, const RectanglePlan& zone, const MomentsMelanges& m,
                        const ContraintesActives& c, double precision,
                        const MomentsRetardes& retardes = {});

// The relative size of each selected constraint at (x, y): |C| / scale, the scale being
// sqrt(E[s1^2].E[s2^2]) for a decorrelation and E[s1^4]^(1/4).E[s2^4]^(3/4) for the
// fourth-order moment (Cauchy-Schwarz and Hoelder bounds, so each is at most 1).
double CritereRelatif(PointPlan p, const MomentsMelanges& m, const ContraintesActives& c);

// E[(u.x1 + v.x2)^2] and E[(u.x1 + v.x2)^4], from the mixtures' means.
double MomentMelange2(double u, double v, const MomentsMelanges& m);
double MomentMelange4(double u, double v, const MomentsMelanges& m);
