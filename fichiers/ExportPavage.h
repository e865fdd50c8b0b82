// Export of a paving: CSV with one line per box (class "rejetee"/"gardee", x low, x high,
// y low, y high) and a JSON report of the solve (search box, precision, constraints, the
// solver's counts). The analysis adds its own sections (clusters, roots) through
// `Complements`: each entry becomes a top-level member of the JSON report. The CSV, millions
// of lines after a fine solve, is written by stretches with its progress told between two
// (ArretUtilisateur when it stops it: no file is written and none is replaced).
#pragma once

#include "interval/Box.h"
#include "signal/Avancement.h"
#include "sivia/BoxList.h"
#include "sivia/Contraintes.h"
#include "sivia/Sivia.h"

#include <nlohmann/json.hpp>

#include <filesystem>

// The status of a solve in reports: "termine", "arrete_a_la_limite", …
const char* NomStatut(StatutSivia s);

void ExporterPavageCsv(const std::filesystem::path& chemin, const BoxList& rejetees,
                       const BoxList& gardees, const RappelAvancement& avancement = {});

struct RapportPavage {
    Box BoiteRecherche;
    double PrecisionSivia = 0;
    ContraintesActives Contraintes;
    ResultatSivia Resultat;
    nlohmann::json Complements = nlohmann::json::object();
};

nlohmann::json RapportJson(const RapportPavage& rapport);
void ExporterPavageJson(const std::filesystem::path& chemin, const RapportPavage& rapport);
