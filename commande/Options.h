// The command line's options: `ovrel5 resoudre …` and `ovrel5 etude …` read into one
// structure by CLI11, each command registering the options it uses; the help is written from
// the same registrations. A bad option or value throws ErreurOption, whose message (French,
// or the chosen language) names the option and what it expects, CLI11's own errors included.
#pragma once

#include "analyse/PointsVrais.h"
#include "atelier/Reglages.h"
#include "signal/Generateurs.h"
#include "signal/Melange.h"
#include "sivia/Contraintes.h"
#include "sivia/Sivia.h"

#include <cstdint>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

// The sides of a figure, in pixels (--taille, the analysis window's "Enregistrer la vue…").
inline constexpr int CoteImageMin = 200, CoteImageMax = 5000;

struct ErreurOption : std::runtime_error {
    using std::runtime_error::runtime_error;
};

enum class SousCommande { Resoudre, Etude };

// A source given on the command line: a generated kind, or a signal file with its channel
// (column) counted from 1, 0 when the file has one only, or named by the file's header
// (NomCanal, until ChoisirCanal turns it into a number).
struct SourceDemandee {
    std::optional<TypeSource> Type;
    std::string Fichier;
    int Canal = 0;
    std::string NomCanal = {};
};

// The settings (atelier/Reglages.h) are those of a solve in the window, the others the
// command line's own.
struct OptionsCommande : Reglages {
    SousCommande Commande = SousCommande::Resoudre;
    bool Aide = false;

    SourceDemandee Source1{TypeSource::Cosinus, {}, 0};
    SourceDemandee Source2{TypeSource::BruitColoreGaussien, {}, 0};
    std::vector<std::string> FichiersMelanges; // one two-channel file, or two files
    std::string Session;

    std::optional<Matrice2x2> Matrice; // none: the default matrix, or a random one
    bool MatriceAleatoire = false;
    std::optional<std::uint64_t> Graine; // none: taken from the clock, and reported
    bool BoiteAuto = false; // `--boite auto`: the search box follows the roots once known

    std::string FichierBoites;       // CSV of the boxes
    std::string FichierImage;        // PNG, SVG or PDF of the paving
    int TailleImage[2] = {900, 900}; // width, height of the picture (--taille LxH)
    // The estimated sources written at a point: the best cluster's exact point, or the
    // point given, or the exact point of cluster AmasEstimees (from 1, in the report's order).
    std::string FichierEstimees;
    std::optional<PointPlan> PointEstimees;
    int AmasEstimees = 0;

    std::int32_t Essais = 100;
    std::int32_t Fils = 0; // 0: every core
    std::string SortieEtude = "etude.csv";
    bool AvecTemps = false; // a time column in the study's CSV (then no longer byte-stable)

    std::set<std::string> Donnees; // the options given, by name (a session fills the others)
};

// The options set from settings (a session's), but for those given on the line.
void AppliquerReglages(OptionsCommande& o, const Reglages& r);

// The default matrix when none is given: [[1, 0.5], [-0.4, 1]].
Matrice2x2 MatriceParDefaut();

// Reads the arguments that follow the program's name (the first one is the sub-command).
OptionsCommande LireOptions(const std::vector<std::string>& arguments);

// True when `mot` names a sub-command or asks for the general help: the program then runs
// without a window.
bool EstLigneDeCommande(const std::string& mot);

// Help of the program (no sub-command) or of one sub-command, every option with its default,
// in the chosen language.
std::string TexteAide();
std::string TexteAide(SousCommande commande);

// The name of a source kind on the command line ("cosinus", "colore", …).
std::string NomSource(TypeSource type);
