// The solver report: the counts of a solve, its best criterion and time, and the clusters
// of its kept boxes (joined across gaps of FacteurVoisinage x precision), each with the
// quality at its centre and the true point it stands for.
#pragma once

#include "analyse/Amas.h"
#include "analyse/Qualite.h"
#include "sivia/Sivia.h"

#include <optional>
#include <vector>

enum class PointRepresente { Aucun, Direct, Permute };

struct AmasQualifie {
    Amas Groupe;
    std::optional<Qualite> QualiteCentre; // absent when the matrix is unknown
    // The hull holds the true point, or its permutation. With sample moments the roots
    // are off the true points by the sample cross-correlation of the sources, so a good
    // point-like cluster may miss the true point by a few boxes.
    bool ContientPointDirect = false;
    bool ContientPointPermute = false;
    // The true point whose pairing the centre separates (identity: direct, crossed:
    // permuted), when its mean SIR reaches SeuilSirRepresente dB.
    PointRepresente Represente = PointRepresente::Aucun;
};

inline constexpr double SeuilSirRepresente = 10;

struct RapportSolveur {
    ResultatSivia Resultat;
    double Secondes = 0;
    double Precision = 0;
    std::vector<AmasQualifie> Amas;
};

// `solution` holds the kept boxes; those of this solve are its last `r.NbGardees`.
// Quality needs a known matrix (powers may be unusable: the SIRs are then absent).
RapportSolveur EtablirRapport(const ResultatSivia& r, double secondes, double precision,
                              const BoxList& solution, const Matrice2x2& A,
                              const PuissancesSources& P);

// Quality and true points of clusters already grouped.
std::vector<AmasQualifie> QualifierAmas(const std::vector<Amas>& amas, const Matrice2x2& A,
                                        const PuissancesSources& P);
