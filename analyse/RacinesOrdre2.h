// Exact second-order roots: the points (x, y) where both decorrelations vanish for the
// sample moments, E[s1.s2] = w1.C0.w2 = 0 and E[s1'.s2'] = w1.C1.w2 = 0 with the rows
// w1 = (1, x), w2 = (y, 1), C0 = [[Ex1x1, Ex1x2], [Ex1x2, Ex2x2]] and C1 the same with
// the derivative moments. The rows are the generalised eigenvectors of (C1, C0), one per
// row, so there are two roots (one per pairing of the two eigenvectors) where defined.
// The generalised eigenvalues are the ratios E[s'^2] / E[s^2] of the sources whatever the
// mixing: when they are nearly equal, second-order statistics cannot tell the sources apart.
#pragma once

#include "analyse/PointsVrais.h"
#include "sivia/Contraintes.h"

#include <optional>
#include <string>
#include <utility>

// Below this relative gap between the two eigenvalues, |l1 - l2| / max(|l1|, |l2|), the
// roots are not trusted: two white noises of N = 5000 samples give a few per cent.
inline constexpr double SeuilIdentifiabilite = 0.1;

enum class Identifiabilite {
    Indefinie, // see CauseIndefinie
    Nulle,     // C1 is proportional to C0: every point of a curve is a root
    Faible,    // relative gap below SeuilIdentifiabilite
    Bonne,
};

// Why the roots are undefined. The eigenvalues are ratios of powers, E[s'^2] / E[s^2]: a
// negative or non-finite one can only come from rounding on degenerate moments.
enum class CauseIndefinie {
    Aucune,
    NonFinis,               // a moment is NaN or infinite
    MelangeNul,             // a mixture of zero power (no mixture)
    MelangesProportionnels, // C0 singular to rounding: equal, proportional or silent sources
    ValeurPropreNegative,
    ValeurPropreNonFinie,
};

// C0 counts as singular when det(C0) <= SeuilProportionnalite . Ex1x1 . Ex2x2, i.e. when the
// squared correlation of the mixtures is above 1 - SeuilProportionnalite: the same signal
// stored as 32-bit floats gives about 1e-15, a matrix of condition 1e4 about 1e-8.
inline constexpr double SeuilProportionnalite = 1e-10;

struct RacinesOrdre2 {
    Identifiabilite Etat = Identifiabilite::Indefinie;
    CauseIndefinie Cause = CauseIndefinie::Aucune;
    double Lambda1 = 0, Lambda2 = 0; // generalised eigenvalues, Lambda1 <= Lambda2
    double EcartRelatif = 0;
    // Root 1 takes the eigenvector of Lambda1 as w1, root 2 that of Lambda2; each is absent
    // where its eigenvectors cannot be written as (1, x) and (y, 1).
    std::optional<PointPlan> Racine1, Racine2;
};

RacinesOrdre2 CalculerRacinesOrdre2(const MomentsMelanges& m);

struct MatriceSymetrique {
    double a = 0, b = 0, c = 0; // [[a, b], [b, c]]
};

// The generalised eigenvalues l1 <= l2 of (C, C0), the roots of det(C - l.C0) = 0; none when
// C0 is not positive definite beyond SeuilProportionnalite or a value is not finite. With C
// the symmetrised covariance of the mixtures at a delay, they are the sources' correlation
// coefficients at that delay.
std::optional<std::pair<double, double>> ValeursPropresGeneralisees(const MatriceSymetrique& C0,
                                                                    const MatriceSymetrique& C);

// The gauge in words, in French.
std::string MessageIdentifiabilite(Identifiabilite e);
// The same, with the reason when the roots are undefined.
std::string MessageRacines(const RacinesOrdre2& r);
// The reason as a short key (`melanges_proportionnels` ...), empty for Aucune.
const char* NomCause(CauseIndefinie c);
