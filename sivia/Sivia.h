// The SIVIA loop: paves a two-dimensional search box into boxes rejected by the criterion
// (drawn blue) and boxes kept below the precision (drawn yellow), bisecting the others.
// The solver's module-level lists and drawing frame live here; ExecuterSivia works on
// whatever lists and frame it is given.
#pragma once

#include "interval/Box.h"
#include "interval/Repere.h"
#include "sivia/BoxList.h"
#include "sivia/Contraintes.h"

#include <cstdint>

extern BoxList BoitesEnAttente;
extern BoxList BoitesRejetees;
extern BoxList BoitesSolution;
extern Repere RepereImage;

// Values of Stockage: which pending box is taken next.
inline constexpr int StockagePile = 0; // "stack (pile)": the last one (depth first)
inline constexpr int StockageFile = 1; // "queue (file)": the first one (breadth first)

enum class StatutSivia {
    Termine,          // the pending list ran empty
    ArreteALaLimite,  // the run would have held more boxes than allowed
    PrecisionRefusee, // PrecisionSivia is not a positive number: nothing was done
};

struct ResultatSivia {
    std::uint64_t NbPrises = 0; // boxes taken from the pending list
    std::uint64_t NbRejetees = 0;
    std::uint64_t NbGardees = 0;
    double MeilleurCritere = 999.0; // smallest criterion Lower met at a box centre
    StatutSivia Statut = StatutSivia::Termine;
};

// Upper bound of the memory a stored two-component box costs in a BoxList.
inline constexpr std::uint64_t OctetsParBoiteStockee = 64;

// Runs one solve from `boiteInitiale`. `limiteBoites` bounds the boxes the run holds at
// once: its pending boxes plus the boxes it adds to `rejetees` and `solution` (the caller
// derives it from the memory it can spend, e.g. bytes / OctetsParBoiteStockee). At the
// limit the run stops: what was classified stays drawn and stored, the pending list is
// emptied. The pending list is emptied at the start and is empty again at the end.
// Nothing is repainted here beyond the boxes drawn through `repere`.
ResultatSivia ExecuterSivia(const Box& boiteInitiale, BoxList& enAttente, BoxList& rejetees,
                            BoxList& solution, const Repere& repere, const MomentsMelanges& moments,
                            const ContraintesActives& contraintes, double PrecisionSivia,
                            int Stockage, std::uint64_t limiteBoites);
