// What the command line prints: the JSON report of one run (docs/rapport.md gives its
// schema), and the CSV line and summary of a study. Numbers are written in the shortest text
// that reads back to the same double; an infinite SIR is the text "inf", an undefined value
// null (JSON) or an empty cell (CSV). Times stand apart ("temps" in the report, an optional
// last column in the CSV) so that the rest is the same from one run to the next.
#pragma once

#include "atelier/RapportSeparation.h"
#include "commande/Chaine.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

// The report of `ovrel5 resoudre`: the workbench's report (atelier/RapportSeparation.h) of
// these inputs and this analysis.
// Where a signal came from, as the report's inputs name it: {"sorte": "cosinus"} for a
// generated one, {"fichier": …, "canal": k} (from 1) for a file, null when unknown.
nlohmann::ordered_json OrigineJson(const OrigineSignal& origine);
// The files read as mixtures: one name for a two-channel file, two for two files.
nlohmann::ordered_json MelangesJson(const RecetteMelanges& recette);

nlohmann::ordered_json RapportResolution(const OptionsCommande& options, const EntreesChaine& e,
                                         const ResultatChaine& c, double secondesTotal);

// The best mean SIR (dB) at a cluster's exact point (its centre when the point has no
// quality), and at the exact roots; absent without any.
std::optional<double> MeilleurSirAmas(const ResultatChaine& c);
std::optional<double> MeilleurSirRacines(const ResultatChaine& c);

std::string EnteteEssais(bool avecTemps);
std::string LigneEssai(std::int64_t k, const EntreesChaine& e, const ResultatChaine& c,
                       bool avecTemps);

// One trial as the summary needs it.
struct BilanEssai {
    std::optional<double> SirAmas;
    bool Trouves = false; // clusters stand for both demixing points (mean SIR >= 10 dB)
    bool Reussi = false;  // both true points lie in kept boxes
    bool Arrete = false;  // stopped at the memory limit
};

// Medians and quartiles of the SIR at the best cluster, the success rate, the total time.
std::string ResumeEtude(const std::vector<BilanEssai>& bilans, double secondes, int fils);
