// What the command line prints: the JSON report of one run (docs/rapport.md gives its
// schema), and the CSV line and summary of a study. Numbers are written in the shortest text
// that reads back to the same double; an infinite SIR is the text "inf", an undefined value
// null (JSON) or an empty cell (CSV). Times stand apart ("temps" in the report, an optional
// last column in the CSV) so that the rest is the same from one run to the next.
#pragma once

#include "commande/Chaine.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

// The analysis sections of a report, shared with the window's paving export: a number ("inf"
// for an infinite one, null when undefined), the quality at a point, the true points, the
// exact roots with the quality there, the clusters.
nlohmann::ordered_json NombreJson(const std::optional<double>& v);
nlohmann::ordered_json QualiteJson(const std::optional<Qualite>& q);
nlohmann::ordered_json PointsVraisJson(const PointsVrais& v);
nlohmann::ordered_json RacinesJson(const RacinesOrdre2& R, const std::optional<Qualite>& q1,
                                   const std::optional<Qualite>& q2);
nlohmann::ordered_json AmasJson(const std::vector<AmasQualifie>& amas);
// The classic methods' answers on these mixtures (AMUSE, SOBI, FastICA with each of its
// non-linearities, JADE), with the quality at each point when the matrix is known.
nlohmann::ordered_json ReferencesJson(const OptionsCommande& options, const EntreesChaine& e,
                                      const PuissancesSources& P);

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
