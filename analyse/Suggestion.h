// What to try when second order is not enough, and a search box that holds both solutions.
//
// The lag-1 gauge (CalculerRacinesOrdre2) tells whether the two decorrelations pin the
// sources down. When the spectra are too alike, two other sets may: decorrelation at several
// delays (the sources' correlation coefficients must differ at one delay at least) and the
// fourth-order moment (one source at least must be far from Gaussian: an excess kurtosis
// away from 0). The gauge reads the mixtures' moments, the symmetrised lagged covariances
// when they are known, and the estimates' kurtosis at a separating point.
#pragma once

#include "analyse/Amas.h"
#include "analyse/PointsVrais.h"
#include "analyse/RacinesOrdre2.h"
#include "signal/Melange.h"

#include <optional>
#include <string>
#include <vector>

// The mixtures' covariance at delay Retard, symmetrised: c12 is the mean of
// E[x1(t).x2(t + Retard)] and E[x2(t).x1(t + Retard)].
struct CovarianceRetardee {
    int Retard = 1;
    MatriceSymetrique C;
};

enum class JeuContraintes {
    Ordre2,        // decorrelation of the sources and of their derivatives (the default pair)
    Retards,       // decorrelation at several delays
    Ordre4,        // decorrelation of the derivatives and the fourth-order moment
    Aucun,         // nothing can separate these mixtures
    Cumulants,     // lag-0 decorrelation and the fourth-order cross-cumulants (sivia/Cumulants.h)
    Kurtosis,      // lag-0 decorrelation and the estimates' squared kurtosis (sivia/Cumulants.h)
    Neguentropie,  // lag-0 decorrelation and the estimates' negentropy (sivia/Neguentropie.h)
    SommeKurtosis, // lag-0 decorrelation and |k1 + k2| (sivia/Cumulants.h)
};

// Below this gap between the sources' correlation coefficients at every delay, delays do not
// tell them apart (the sampling noise of a coefficient is about 1/sqrt(N)).
inline constexpr double SeuilEcartRetards = 0.05;
// Above this |excess kurtosis| for one estimate at least, the fourth-order moment can
// separate (a Gaussian noise of 5,000 samples gives about 0.07).
inline constexpr double SeuilKurtosis = 0.5;

struct Suggestion {
    JeuContraintes Jeu = JeuContraintes::Ordre2;
    // The flags of the set among the existing constraints (Retards: the default pair, the
    // delays being a constraint of their own).
    ContraintesActives Contraintes;
    std::vector<int> Retards; // for Retards: the delays to try
    // The largest gap between the sources' correlation coefficients over the delays given;
    // absent without lagged covariances.
    std::optional<double> EcartRetards;
    // Excess kurtosis of the two estimates at the point read; absent when undefined.
    std::optional<double> Kurtosis1, Kurtosis2;
    std::string Message; // in French
    // The split-half gauge (SuggererSelonMelanges): per set tried, how far the estimates
    // found on the two halves of the mixtures agree, as the SIR of one half's estimates
    // against the other's (dB; higher: steadier), and the set's own evidence in units of its
    // sampling noise (a set below SeuilPreuve is not named). Empty without the mixtures.
    struct Accord {
        JeuContraintes Jeu;
        double AccordDb;
        double Preuve = 0;
    };
    std::vector<Accord> Accords;
};

// `point`: a separating point (a cluster's exact point); without it, the first exact
// second-order root, or the mixtures themselves (whose kurtosis is nearer 0 than the
// sources').
Suggestion SuggererContraintes(const MomentsMelanges& m,
                               const std::optional<PointPlan>& point = std::nullopt,
                               const std::vector<CovarianceRetardee>& retards = {});

// The same gauges, then the split-half gauge, which reads the mixtures themselves. Each set
// (the default pair, the delays given, the cumulants) must first show its own evidence above
// its sampling noise: the gap between the sources' correlation coefficients at lag 1 (the
// default pair) or at one of the delays, or an estimate's excess kurtosis at the cumulants'
// point, against 1/sqrt(N) and sqrt(24/N). Without a set that has it, nothing can separate
// the mixtures (Aucun, with the figures): the halves of two white Gaussian noises may agree
// by chance. Among the others, each finds its point on the first and on the second half of
// the samples; the set whose two points agree best is named, except that a higher-order set
// (cumulants, kurtosis, negentropy, sum of kurtosis) gives way to the better second-order set
// whose halves agree within MargeAccordDb of its own, and that between the default pair and
// the delays, when their halves agree within MargeAccordDb, the delays are named where a
// longer delay tells the spectra apart better than lag 1 and the pair elsewhere. The sets'
// points are computed in closed form (the pair's exact root) or along the lag-0 curve (the
// others), without a solve. Degenerate mixtures keep the moments' verdict.
inline constexpr double SeuilPreuve = 8;
inline constexpr double MargeAccordDb = 10;

Suggestion SuggererSelonMelanges(const Melanges& m, const std::optional<PointPlan>& point,
                                 const std::vector<int>& retards);

// The mean SIR (dB) of the estimates of W = [[1, a.x], [a.y, 1]] against those of b's point
// (each 300 dB at most), the latter's powers read from the mixtures' covariance: how well two
// answers agree, whatever their order and scale, in the terms of the sources' mean SIR. NaN
// when a matrix is singular.
double AccordPointsDb(PointPlan a, PointPlan b, const MomentsMelanges& m);

// Excess kurtosis E[s^4] / E[s^2]^2 - 3 of s1 = x1 + x.x2 and s2 = y.x1 + x2.
std::optional<double> KurtosisEstimee1(const MomentsMelanges& m, PointPlan p);
std::optional<double> KurtosisEstimee2(const MomentsMelanges& m, PointPlan p);

// A search box for the solutions: `defaut` itself when every point given lies in it, else
// the smallest box holding `defaut` and each point with a margin of MargeBoite x |coordinate|
// (1 at least) on both sides. A point beyond DemiCoteMaxBoite is left out (Complete false):
// a solve there would cost more than it tells.
inline constexpr double MargeBoite = 0.25;
inline constexpr double DemiCoteMaxBoite = 1000;

struct BoiteProposee {
    RectanglePlan Boite;
    bool Modifiee = false; // differs from the default
    bool Complete = true;  // holds every finite point given
};

BoiteProposee ProposerBoite(const std::vector<std::optional<PointPlan>>& points,
                            const RectanglePlan& defaut);
