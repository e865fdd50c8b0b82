// Rebuilding signals from their origins (Session.h): a generated source is drawn again from
// the generator state it was drawn from (the generator is counter-based, so the state alone
// fixes the draws), a file is read again at its channel; mixtures are mixed again from their
// sources, matrix and N, or read again. The shared generator is not touched. A progress may
// stop the rebuilding, which then throws ArretUtilisateur.
#pragma once

#include "fichiers/Session.h"
#include "signal/Melange.h"

#include <optional>

struct SignalReproduit {
    std::vector<double> Echantillons;
    double Frequence = 0; // Hz, 0 unknown
};

// Empty for an origin of sort Aucune. Throws ErreurFichier for a file that cannot be read.
SignalReproduit ReproduireSignal(const OrigineSignal& origine, float PasEchantillonnage,
                                 const RappelAvancement& avancement = {});

struct MelangesReproduits {
    Melanges M;
    double Frequence = 0;
};

std::optional<MelangesReproduits> ReproduireMelanges(const RecetteMelanges& recette,
                                                     float PasEchantillonnage,
                                                     const RappelAvancement& avancement = {});
