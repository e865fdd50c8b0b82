// The solver report: the counts of a solve, its best criterion and time, and the clusters
// of its kept boxes (joined across gaps of FacteurVoisinage x precision), each with its
// exact point, the quality at its centre and at that point, and the true point it stands for.
#pragma once

#include "analyse/Amas.h"
#include "analyse/PointExact.h"
#include "analyse/Qualite.h"
#include "sivia/Sivia.h"

#include <optional>
#include <vector>

enum class PointRepresente { Aucun, Direct, Permute };

struct AmasQualifie {
    Amas Groupe;
    PointExact Exact;
    std::optional<Qualite> QualiteCentre; // absent when the matrix is unknown
    std::optional<Qualite> QualiteExacte; // at Exact.Point; absent when the matrix is unknown
    // Distance from the true point (and from its permutation) to the exact point, in units
    // of the precision (Euclidean); absent without the true point. The hull is no guide:
    // sample roots lie just outside narrow hulls, and a merged hull holds both points.
    std::optional<double> EcartDirect, EcartPermute;
    // The true point this cluster stands for: its exact point is the nearest to that true
    // point among the clusters' exact points that are solutions, and the quality there
    // separates with that point's pairing (identity: direct, crossed: permuted) with a mean
    // SIR of at least SeuilSirRepresente dB.
    PointRepresente Represente = PointRepresente::Aucun;
};

inline constexpr double SeuilSirRepresente = 10;

struct RapportSolveur {
    ResultatSivia Resultat;
    double Secondes = 0;
    double Precision = 0;
    std::vector<AmasQualifie> Amas;
};

// `solution` holds the kept boxes; those of this solve are its last `r.NbGardees`; `m` and
// `c` are the moments and constraints solved. Quality needs a known matrix (powers may be
// unusable: the SIRs are then absent).
RapportSolveur EtablirRapport(const ResultatSivia& r, double secondes, double precision,
                              const BoxList& solution, const Matrice2x2& A,
                              const PuissancesSources& P, const MomentsMelanges& m,
                              const ContraintesActives& c, const MomentsRetardes& retardes = {});

// Quality, distances and represented points of clusters already grouped, `points` their exact
// points (in the same order).
std::vector<AmasQualifie> QualifierAmas(const std::vector<Amas>& amas,
                                        const std::vector<PointExact>& points, const Matrice2x2& A,
                                        const PuissancesSources& P, double precision);

// The exact point of the first cluster (the largest) whose point is a solution; none without.
std::optional<PointPlan> PremierPointSolution(const std::vector<AmasQualifie>& amas);
