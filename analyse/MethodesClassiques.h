// The classic blind-separation methods, computed from the mixtures so that their answers sit
// on the same plane as the solver's: AMUSE (the exact lag-1 second-order roots), SOBI
// (Belouchrani et al. 1997: joint diagonalisation of lagged covariances), FastICA
// (Hyvärinen 1999, symmetric) and JADE (Cardoso & Souloumiac 1993: joint diagonalisation of
// fourth-order cumulant matrices).
//
// Each answer is a demixing matrix W brought to the model's form [[1, x], [y, 1]]: its rows
// are put in the order that makes the diagonal dominant (|w11.w22| >= |w12.w21|), then
// x = w12/w11 and y = w21/w22; the other row order gives the permuted point. SOBI, FastICA
// and JADE centre the mixtures and whiten them with the symmetric inverse square root of
// their covariance; every 2 x 2 step is written out. Degenerate mixtures (proportional,
// zero, non-finite, too short) give no point and a French message, never NaN.
#pragma once

#include "analyse/PointsVrais.h"
#include "signal/Melange.h"

#include <optional>
#include <string>
#include <vector>

enum class MethodeClassique { Amuse, Sobi, FastIca, Jade };

// FastICA's contrast: G(u) = log cosh u (g = tanh), u^4/4 (g = u^3), -exp(-u^2/2).
enum class NonLineariteIca { LogCosh, Cube, Gauss };

struct OptionsClassiques {
    std::vector<int> Retards{1, 2, 3, 4, 5, 6, 8, 10, 12, 16, 20};
    NonLineariteIca NonLinearite = NonLineariteIca::LogCosh;
    int IterationsMax = 200;
    // FastICA stops when every row moved by less than this: max_i (1 - |<w_i, w_i'>|).
    double Tolerance = 1e-12;
};

struct ReponseClassique {
    MethodeClassique Methode = MethodeClassique::Amuse;
    // The demixing matrix as found, rows in the diagonal-dominant order.
    Matrice2x2 Separation;
    std::optional<PointPlan> Point, Permutation;
    bool Converge = false;
    int Iterations = 0;
    // Why there is no point or why it is not trusted, in French; empty otherwise.
    std::string Message;
};

// "AMUSE", "SOBI", "FastICA", "JADE".
std::string NomMethode(MethodeClassique m);
// "tanh", "u³", "gauss": how the window and the figures name FastICA's non-linearities.
std::string NomAfficheNonLinearite(NonLineariteIca g);

// The model's points of the demixing matrix W (see above); the permuted point is absent when
// a denominator is 0, the direct one when W is singular or not finite.
struct PointsSeparation {
    Matrice2x2 Ordonnee;
    std::optional<PointPlan> Point, Permutation;
};
PointsSeparation NormaliserSeparation(const Matrice2x2& W);

// AMUSE is the pair of exact second-order roots of CalculerRacinesOrdre2 (the generalised
// eigenvectors of the lag-1 and lag-0 covariances): it reads the mixtures' moments only,
// computed over `echantillons` samples.
ReponseClassique CalculerAmuse(const MomentsMelanges& m, std::size_t echantillons);

// The methods over the first min(N, |x1|, |x2|) samples. Delays must be distinct integers
// from 1 to n/2.
ReponseClassique CalculerSobi(const std::vector<double>& x1, const std::vector<double>& x2, int N,
                              const std::vector<int>& retards, int iterationsMax = 50);
ReponseClassique CalculerFastIca(const std::vector<double>& x1, const std::vector<double>& x2,
                                 int N, NonLineariteIca g, int iterationsMax, double tolerance);
ReponseClassique CalculerJade(const std::vector<double>& x1, const std::vector<double>& x2, int N,
                              int iterationsMax = 50);

// The four, in the order AMUSE, SOBI, FastICA, JADE.
std::vector<ReponseClassique> CalculerMethodesClassiques(const Melanges& m, int N,
                                                         const OptionsClassiques& o = {});
