// The workbench's data under the names the system gives it — the sources with where they came
// from, the mixtures and their means, the matrix, the settings, the estimates, the last solve
// — and the operations on it that need no window. The window, its dialogs and its menus are
// clients: they change the data here, and the views hear what changed through Annonces.
// The box lists BoitesEnAttente, BoitesRejetees, BoitesSolution stay the solver's own.
#pragma once

#include "atelier/Annonces.h"
#include "atelier/Reglages.h"
#include "fichiers/Session.h"
#include "signal/Avancement.h"
#include "signal/Melange.h"
#include "sivia/Sivia.h"

#include <cstdint>
#include <vector>

class Atelier {
public:
    const float PasEchantillonnage = 0.1f;
    Reglages ReglagesCourants;
    std::vector<double> Source1, Source2;
    // The mixtures with their derivatives and means, and the estimates, each stored once as
    // the computation returns it.
    Melanges MelangesCourants;
    SourcesEstimees Estimees;
    Matrice2x2 MatriceMelange;
    bool MelangesGeneres = false;
    OrigineSignal OrigineSource1, OrigineSource2;
    RecetteMelanges RecetteMelangesCourante;
    double FrequenceSource1 = 0, FrequenceSource2 = 0, FrequenceMelanges = 0; // Hz, 0 unknown
    ResultatSivia DernierResultat;
    Annonceur Annonces;

    // The means as the solver reads them.
    const MomentsMelanges& Moments() const { return MelangesCourants.Moments; }
    // Bytes held: the sample arrays by capacity and the stored boxes.
    std::uint64_t OctetsTenus() const;

    // "Génération des Mélanges" can run: both sources and a matrix with a non-zero entry.
    bool PeutMelanger() const;
    // Mixes the current sources by the matrix over N samples, with the derivatives and the
    // means, and records how; everything is computed before anything is stored, so a stop
    // (false) or a memory error changes nothing. Announces the new mixtures.
    bool Melanger(const RappelAvancement& avancement = {});

    // "Tout Effacer": the sources, the mixtures and their derivatives, where they came from
    // and the matrix are gone, MelangesGeneres is false. The estimates and the boxes of every
    // solve stay. Announces what changed.
    void ToutEffacer();
    // Frees the boxes of every solve; returns the bytes the lists held. Announces it.
    std::uint64_t EffacerPavage();
};
