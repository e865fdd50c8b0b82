// The one analysis of a paving, for the analysis window, the paving export, the command line
// and Python: from the moments solved, the settings and the box lists (and, when known, the
// true matrix and sources), the clusters with their exact points and quality, the
// second-order roots and gauge, the true points, the classic methods' answers on the same
// mixtures and what to try next. It sits in atelier/ because it reads the workbench's
// settings (`Reglages`: search box, precision, constraints, delays).
#pragma once

#include "analyse/MethodesClassiques.h"
#include "analyse/PointsVrais.h"
#include "analyse/RacinesOrdre2.h"
#include "analyse/Rapport.h"
#include "analyse/Suggestion.h"
#include "atelier/Reglages.h"
#include "signal/Avancement.h"
#include "sivia/BoxList.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

// What one analysis reads; the arrays and lists are the caller's (not owned).
struct DonneesAnalyse {
    Reglages R;                        // the settings of the solve
    MomentsMelanges Moments;           // of the mixtures solved
    ResultatSivia Resultat;            // the solve's counts
    double Secondes = 0;               // its time
    const BoxList* Solution = nullptr; // the kept boxes of the solve are its last NbGardees
    // The true matrix (all zero when unknown) and the sources mixed by it (null when unknown).
    Matrice2x2 A;
    const std::vector<double>* Source1 = nullptr;
    const std::vector<double>* Source2 = nullptr;
    // The mixtures and the samples they hold, for the classic methods and the delays.
    const std::vector<double>* Melange1 = nullptr;
    const std::vector<double>* Melange2 = nullptr;
    // The mixtures with their means, for the suggestion read from their two halves (the
    // moments' gauges alone without them, as in a study's trials).
    const Melanges* M = nullptr;
    std::int32_t N = 0;
    bool AvecReferences = true; // the classic methods take a while on long signals
    // Memory grouping may take: without room, the paving goes without clusters.
    std::uint64_t MemoireLibre = std::numeric_limits<std::uint64_t>::max();
};

// A classic method's answer with the quality at its point (absent without a known matrix).
struct ReferenceQualifiee {
    ReponseClassique Reponse;
    std::optional<NonLineariteIca> NonLinearite; // FastICA only
    std::optional<Qualite> QualiteReference;
};

struct AnalyseSeparation {
    RapportSolveur Rapport; // counts, time, precision, clusters
    // The clusters were not computed: grouping needs about BesoinGroupement bytes.
    bool AmasNonCalcules = false;
    std::uint64_t BesoinGroupement = 0;
    PuissancesSources Puissances;
    PointsVrais Vrais;
    RacinesOrdre2 Racines;
    std::optional<Qualite> QualiteRacine1, QualiteRacine2;
    bool DirectDansUneBoite = false, PermuteDansUneBoite = false;
    std::vector<int> Retards; // the delays as read for N (empty when the list does not hold)
    std::vector<ReferenceQualifiee> References; // AMUSE, SOBI, FastICA ×3, JADE
    Suggestion Conseil;
    BoiteProposee Proposee;
};

// What grouping the kept boxes holds for a while, per box.
inline constexpr std::uint64_t OctetsGroupementParBoite = 96;

// The analysis; nothing when `avancement` asks to stop while the clusters are grouped.
std::optional<AnalyseSeparation> AnalyserSeparation(const DonneesAnalyse& d,
                                                    const RappelAvancement& avancement = {});

// SOBI's delays for N samples: those of the settings' list when it holds for N, else the
// default ones that do. The analysis window and the analysis use the same.
std::vector<int> RetardsSobi(const std::string& retards, std::int32_t N);

// True when p lies in one of the boxes of `boites` from position `premiere` on (closed boxes).
bool DansUneBoite(const BoxList& boites, const PointPlan& p, std::uint32_t premiere = 0);
