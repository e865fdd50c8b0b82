// The workbench's settings — the search box, the precision, the constraints, the storage
// order, N, how the estimates follow the pointer — and the one table that knows, for each of
// them, its session key, its command-line option, its default (the member's initializer) and
// its rule. The Options dialog, the session and the command line fill and read this
// structure; the table writes and reads a session's options and validates all three the same
// way.
#pragma once

#include "fichiers/Session.h"
#include "sivia/Contraintes.h"
#include "sivia/Sivia.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

struct Reglages {
    std::int32_t NbEchantillons = 5000;
    // Typed in single precision by the Options dialog; a session keeps them so, the command
    // line in double precision.
    double BorneInfX = -5, BorneSupX = 5, BorneInfY = -5, BorneSupY = 5;
    double PrecisionSivia = 0.01;
    OrdreStockage Stockage = StockageFile;
    bool ContrainteDecorrelation = true;
    bool ContrainteDecorrelationDerivees = true;
    bool ContrainteMomentOrdre4 = false;
    bool ContrainteDecorrelationRetardee = false;
    bool ContrainteCumulants = false;
    bool ContrainteKurtosis = false;
    bool ContrainteNeguentropie = false;
    bool ContrainteSommeKurtosis = false;
    // The delays of the delayed decorrelation, as typed ("1,2,4,8"); their bound N/2 is
    // checked where N is known, the form of the list here.
    std::string Retards = "1,2,3,4,5,6,8,10,12,16,20";
    bool MontrerSolution = false;
    bool EstimationAuClic = false;

    ContraintesActives Contraintes() const {
        return {ContrainteDecorrelation, ContrainteDecorrelationDerivees,
                ContrainteMomentOrdre4,  ContrainteDecorrelationRetardee,
                ContrainteCumulants,     ContrainteKurtosis,
                ContrainteNeguentropie,  ContrainteSommeKurtosis};
    }
    void FixerContraintes(const ContraintesActives& c);
    // The search box the solver paves: X in [BorneInfX, BorneSupX], Y likewise.
    Box BoiteDesBornes() const {
        Box b(2, 1);
        b[1] = Interval(BorneInfX, BorneSupX);
        b[2] = Interval(BorneInfY, BorneSupY);
        return b;
    }
};

// Each constraint's name, as the command line and the reports write it, with its flag in a
// solve's constraints and in the settings: a new constraint is one more line.
inline constexpr std::tuple<const char*, bool ContraintesActives::*, bool Reglages::*>
    ContraintesNommees[] = {
        {"decorrelation", &ContraintesActives::ContrainteDecorrelation,
         &Reglages::ContrainteDecorrelation},
        {"derivees", &ContraintesActives::ContrainteDecorrelationDerivees,
         &Reglages::ContrainteDecorrelationDerivees},
        {"moment4", &ContraintesActives::ContrainteMomentOrdre4, &Reglages::ContrainteMomentOrdre4},
        {"retards", &ContraintesActives::ContrainteDecorrelationRetardee,
         &Reglages::ContrainteDecorrelationRetardee},
        {"cumulants", &ContraintesActives::ContrainteCumulants, &Reglages::ContrainteCumulants},
        {"kurtosis", &ContraintesActives::ContrainteKurtosis, &Reglages::ContrainteKurtosis},
        {"negentropie", &ContraintesActives::ContrainteNeguentropie,
         &Reglages::ContrainteNeguentropie},
        {"somme-kurtosis", &ContraintesActives::ContrainteSommeKurtosis,
         &Reglages::ContrainteSommeKurtosis}};

inline void Reglages::FixerContraintes(const ContraintesActives& c) {
    for (const auto& [nom, active, reglage] : ContraintesNommees) {
        this->*reglage = c.*active;
    }
}

// A setting that breaks its rule: the field (its session key) and why, in French.
struct DefautReglage {
    std::string Cle;
    std::string Option; // the command-line option that sets it, empty when none does
    std::string Raison; // "la précision pour SIVIA doit être un nombre strictement positif …"
};

// What is checked: everything (sessions, the command line), or only what a solve in the
// window needs — the window orders reversed bounds and reads any N, as it always has.
enum class PorteeVerification { Tout, Resolution };

// The first setting that breaks its rule, in the table's order; none when all hold.
std::optional<DefautReglage> VerifierReglages(const Reglages& r,
                                              PorteeVerification portee = PorteeVerification::Tout);

// The settings as a session holds them, every field of the table.
ReglagesEnregistres EnregistrerReglages(const Reglages& r);

// The settings of a session: a missing field keeps its default and an unknown one is ignored,
// each with a note in `remarques` (no "options" at all: the defaults, the session noted it);
// a value of the wrong kind or against its rule throws ErreurChampSession naming the file and
// the field.
Reglages LireReglages(const std::optional<ReglagesEnregistres>& enregistres,
                      const std::filesystem::path& chemin, std::vector<std::string>& remarques);
