// The report of one separation (docs/rapport.md gives its schema): what went in, the
// settings as the settings table names them, the solve, and the analysis. The command line
// prints it, "Exporter le pavage…" writes it beside the boxes, Python returns it as a dict.
// Numbers are written in the shortest text that reads back to the same double; an infinite
// one is the text "inf", an undefined one null.
#pragma once

#include "atelier/AnalyseSeparation.h"
#include "atelier/Reglages.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr int VersionRapport = 3;

// Whether the qualities have a reference: the true matrix and sources are known, unknown
// (mixtures read from files), or unavailable (the sources or the matrix changed since the
// mixtures were made).
enum class ReferenceQualite { Connue, Inconnue, Indisponible };

// What went into the run besides its settings. Where the signals came from is described by
// the caller, as JSON: {"sorte": "cosinus"} or {"fichier": …, "canal": k}, null when unknown.
struct EntreesRapport {
    std::optional<std::uint64_t> Graine; // none when nothing was drawn from a seed
    nlohmann::ordered_json Source1 = nullptr, Source2 = nullptr;
    nlohmann::ordered_json Melanges = nullptr; // the files read as mixtures
    nlohmann::ordered_json Session = nullptr;  // the session read
    Matrice2x2 A;                              // all zero when unknown
    bool MatriceAleatoire = false;
    bool BoiteAuto = false; // the search box was chosen to hold both solutions
    std::int32_t N = 0;
    double Frequence = 0; // Hz, 0 when unknown
    Reglages R;
    ReferenceQualite Reference = ReferenceQualite::Connue;
    // Seconds of the whole run; none when only the solve is timed.
    std::optional<double> SecondesTotal;
};

// The report; without an analysis (`analyse` null: no solve of these mixtures) it says why
// in "analyse_indisponible" and holds no solve nor clusters.
nlohmann::ordered_json RapportSeparationJson(const EntreesRapport& entrees,
                                             const AnalyseSeparation* analyse,
                                             const std::string& indisponible = {});

// A report read back, in the current version's shape: a report of version 1 or 2 (settings
// among the inputs) and a paving export of version 1 ("ovrel5-pavage": search box, precision,
// constraints and counts of their own) are brought to version 3; throws std::invalid_argument
// for anything else.
nlohmann::json LireRapportSeparation(const nlohmann::json& rapport);

// The parts shared with the study's lines and the window: a number, a file name as JSON text
// (valid UTF-8 kept, each other byte written \xHH), the quality at a point, the constraint
// flags by name.
nlohmann::ordered_json NombreJson(const std::optional<double>& v);
std::string NomFichierJson(std::string_view nom);
nlohmann::ordered_json QualiteJson(const std::optional<Qualite>& q);
nlohmann::ordered_json NomsContraintes(const ContraintesActives& c);
