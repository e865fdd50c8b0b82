// The engine behind the Python module: the command line's own chain (PreparerEntrees,
// ResoudreChaine) and report (RapportResolution) on arrays given by Python. Every call into
// commande/ is in Moteur.cpp, so that the module follows the command line by construction.
// No Python here: the binding (Module.cpp) converts arrays and errors.
#pragma once

#include "commande/Chaine.h"
#include "fichiers/LectureSignal.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A solve asked from Python: the mixtures observed, optionally the sources and the true
// matrix (for the qualities), and the settings the command line's options carry (absent:
// the command line's default).
struct DemandeResolution {
    std::vector<double> Melange1, Melange2;
    std::optional<std::pair<std::vector<double>, std::vector<double>>> Sources;
    std::optional<Matrice2x2> Matrice;
    std::optional<std::vector<double>> Boite; // xmin, xmax, ymin, ymax
    std::optional<double> Precision;
    std::optional<std::vector<std::string>> Contraintes;
    std::optional<std::vector<int>> Retards;
    std::optional<std::string> Stockage;
    double Frequence = 0; // Hz, 0 when unknown
};

struct ResolutionMoteur {
    OptionsCommande Options;
    EntreesChaine Entrees;
    ResultatChaine Chaine;
    BoxList EnAttente, Rejetees, Solution;
    nlohmann::ordered_json Rapport;
};

// Reads the options as the command line does (ErreurOption on a bad one, with its French
// message), refuses arrays that do not fit together, solves and builds the report.
std::unique_ptr<ResolutionMoteur> ResoudreMoteur(const DemandeResolution& d);

// The estimated sources at (x, y): ŝ1 = x1 + x·x2, ŝ2 = y·x1 + x2.
std::pair<std::vector<double>, std::vector<double>>
EstimerMoteur(double x, double y, const std::vector<double>& x1, const std::vector<double>& x2);

// One channel of a signal file, counted from 1; 0 asks for the only channel and refuses a
// file with several (ErreurOption naming them). A column may be named by its header.
SignalLu LireSignalMoteur(const std::string& chemin, int canal, const std::string& nomCanal);

// Quality at (x, y) for the matrix A and the sources' powers (absent sources: SIRs absent).
Qualite QualiteMoteur(double x, double y, const Matrice2x2& A, const std::vector<double>& s1,
                      const std::vector<double>& s2);

// The folder of the example voices, found from where the module was loaded; ErreurFichier
// when they are not there.
std::string ExemplesMoteur();
