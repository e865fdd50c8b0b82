// The whole chain without a window: sources (generated, read, or from a session), mixing,
// SIVIA, and the analysis of the paving. The shared generator is not used: every run has its
// own, started from a seed, so that a run can be replayed from its report.
#pragma once

#include "atelier/AnalyseSeparation.h"
#include "commande/Options.h"
#include "fichiers/LectureSignal.h"
#include "signal/Melange.h"
#include "sivia/BoxList.h"
#include "sivia/Retards.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The sample step of the generated signals and of the derivatives.
inline constexpr float PasCommande = 0.1f;

// What is read once from files before any run: the source files, the mixtures, a session.
struct EntreesLues {
    std::optional<SignalLu> Fichier1, Fichier2;
    std::optional<MelangesLus> MelangesFichiers;
    std::vector<std::string> Remarques;
};

// Reads the files the options name, and fills from a session the options not given on the
// command line. Throws ErreurFichier for a file that cannot be read.
EntreesLues LireEntrees(OptionsCommande& options);

struct EntreesChaine {
    std::vector<double> Source1, Source2; // empty when the mixtures were read
    Melanges M;
    Matrice2x2 A; // all zero (unknown) when the mixtures were read
    std::int32_t N = 0;
    double Frequence = 0;
    std::uint64_t Graine = 0;
};

// The seed of trial k of a study: a stream of its own, derived from the study's seed.
std::uint64_t GraineEssai(std::uint64_t graine, std::int64_t k);

// Sources, then (with matriceAleatoire) b and c drawn from the seed's generator as
// "Aléatoire" draws them, then the mixtures.
EntreesChaine PreparerEntrees(const OptionsCommande& options, const EntreesLues& lues,
                              std::uint64_t graine, bool matriceAleatoire);

// The analysis of the run's paving: the workbench's one analysis (atelier/AnalyseSeparation.h).
using ResultatChaine = AnalyseSeparation;

// The delays of the delayed decorrelation for N samples (LireRetards of the option's text).
LectureRetards RetardsDeLaChaine(const OptionsCommande& options, std::int32_t N);

// Refuses up front, with the window's words, a solve whose kept boxes cannot fit in memory
// (ErreurOption).
void VerifierPlace(const OptionsCommande& options);
// Refuses delays that do not hold for N when the delayed decorrelation is on (ErreurOption).
void VerifierRetards(const OptionsCommande& options, std::int32_t N);

// Solves into the given lists (emptied first) and analyses the paving; the classic methods'
// answers only for `ovrel5 resoudre` (a study does not report them).
ResultatChaine ResoudreChaine(const EntreesChaine& e, const OptionsCommande& options,
                              BoxList& enAttente, BoxList& rejetees, BoxList& solution);
