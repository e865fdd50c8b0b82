// Export of a paving: CSV with one line per box (class "rejetee"/"gardee", x low, x high,
// y low, y high) and the report of the solve beside it, the same report the command line
// prints (docs/rapport.md). The CSV, millions
// of lines after a fine solve, is written by stretches with its progress told between two
// (ArretUtilisateur when it stops it: no file is written and none is replaced).
#pragma once

#include "signal/Avancement.h"
#include "sivia/BoxList.h"
#include "sivia/Sivia.h"

#include <nlohmann/json.hpp>

#include <filesystem>

// The status of a solve in reports: "termine", "arrete_a_la_limite", …
const char* NomStatut(StatutSivia s);

void ExporterPavageCsv(const std::filesystem::path& chemin, const BoxList& rejetees,
                       const BoxList& gardees, const RappelAvancement& avancement = {});

// Writes the report of the solve (atelier/RapportSeparation.h builds it) as the JSON file
// beside the boxes, indented, atomically.
void ExporterRapportJson(const std::filesystem::path& chemin,
                         const nlohmann::ordered_json& rapport);
