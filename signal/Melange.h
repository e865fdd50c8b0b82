// The instantaneous linear mixture x = A.s of two sources, its finite-difference derivatives
// and the means the solver needs, and the estimated sources of the demixing model
// s1 = x1 + x.x2, s2 = y.x1 + x2.
//
// Arrays may hold fewer samples than N (N changed since they were filled): every loop runs
// over the samples that exist, n = min(N, lengths), and the means divide by that count.
#pragma once

#include "interval/Box.h"
#include "signal/Avancement.h"
#include "sivia/Moments.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

struct Matrice2x2 {
    double a11 = 0, a12 = 0, a21 = 0, a22 = 0;

    // The matrix counts as known once one entry differs from 0.
    bool EstConnue() const { return a11 != 0 || a12 != 0 || a21 != 0 || a22 != 0; }
};

// The largest magnitude of a matrix entry. Samples read are within ±1e60 and N is below 2^31;
// a mixture x = a1.s1 + a2.s2 is then within 2.M.1e60 for entries within M, and the
// fourth-order sums add n products of four such values: at most 2^31 . 16 . M^4 . 1e240, that
// is 3.4e250 . M^4. For M = 1e14 that is 3.4e306, below the 1.8e308 where the moments would
// become infinite (the cubes, the products and the derivatives' second-order sums stay finite
// far before that).
inline constexpr double EntreeMatriceMaximale = 1e14;

// Why the matrix cannot mix (an entry not finite or beyond ±EntreeMatriceMaximale), naming
// the first such entry ("a12"), in French; empty when every entry holds.
std::string DefautMatrice(const Matrice2x2& A);

// A matrix refused by DefautMatrice, thrown by GenererMelanges before anything is allocated.
class ErreurMatrice : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// The box of side 0.1 around the true demixing point (x*, y*) = (-a12/a22, -a21/a11), where
// the estimated sources are proportional to the real ones; none when a11 or a22 is 0 or the
// point is not finite.
std::optional<Box> BoiteSolution(const Matrice2x2& A);

struct Melanges {
    std::vector<double> Melange1, Melange2;
    std::vector<double> DeriveeMelange1, DeriveeMelange2;
    MomentsMelanges Moments;
};

// Mixtures of the first min(N, |s1|, |s2|) samples, their derivatives (one fewer) and the
// second- and fourth-order means. Throws ErreurMatrice for a matrix DefautMatrice refuses and
// ErreurMemoire before allocating when the arrays would not fit.
Melanges GenererMelanges(const std::vector<double>& s1, const std::vector<double>& s2,
                         const Matrice2x2& A, int N, float PasEchantillonnage);
// The same, telling its progress to `avancement`; none when stopped there.
std::optional<Melanges> GenererMelanges(const std::vector<double>& s1,
                                        const std::vector<double>& s2, const Matrice2x2& A, int N,
                                        float PasEchantillonnage,
                                        const RappelAvancement& avancement);

// Mixtures observed directly (read from a file, the matrix unknown): the first
// min(|x1|, |x2|) samples are kept, with their derivatives and the same means as
// GenererMelanges. Throws ErreurMemoire before allocating the derivatives when they would not
// fit, and ArretUtilisateur when `avancement` stops it.
Melanges MelangesObserves(std::vector<double> x1, std::vector<double> x2, float PasEchantillonnage,
                          const RappelAvancement& avancement = {});

// Lagged means of the mixtures for the delayed decorrelation, over the first min(|x1|, |x2|)
// samples: for each delay t, the means of x_a(n) . x_b(n + t) over its n - t pairs, each
// accumulated in increasing n. A delay that is not below the sample count gives NaN means
// (LireRetards refuses such delays before).
MomentsRetardes CalculerMomentsRetardes(const std::vector<double>& x1,
                                        const std::vector<double>& x2,
                                        const std::vector<int>& retards);

struct SourcesEstimees {
    std::vector<double> SourceEstimee1, SourceEstimee2;
    std::vector<double> DeriveeEstimee1, DeriveeEstimee2;
};

// Estimated sources at the parameter pair (x, y) over the first min(N, |x1|, |x2|) samples,
// and their derivatives.
SourcesEstimees CalculerSourcesEstimees(double x, double y, const std::vector<double>& x1,
                                        const std::vector<double>& x2, int N,
                                        float PasEchantillonnage);
