#include "fichiers/Reproduction.h"

#include "fichiers/LectureSignal.h"

SignalReproduit ReproduireSignal(const OrigineSignal& origine, float PasEchantillonnage,
                                 const RappelAvancement& avancement) {
    SignalReproduit r;
    switch (origine.sorte) {
    case OrigineSignal::Sorte::Aucune:
        break;
    case OrigineSignal::Sorte::Generee: {
        GenerateurAleatoire alea;
        alea.FixerEtat(origine.EtatAlea);
        if (!GenererSource(origine.Type, origine.N, PasEchantillonnage, alea, r.Echantillons,
                           avancement)) {
            throw ArretUtilisateur();
        }
        break;
    }
    case OrigineSignal::Sorte::Fichier: {
        SignalLu lu = LireSignal(origine.Chemin, origine.Canal, avancement);
        r.Echantillons = std::move(lu.Echantillons);
        r.Frequence = lu.Frequence;
        break;
    }
    }
    return r;
}

std::optional<MelangesReproduits> ReproduireMelanges(const RecetteMelanges& recette,
                                                     float PasEchantillonnage,
                                                     const RappelAvancement& avancement) {
    if (recette.sorte == RecetteMelanges::Sorte::Aucune) {
        return std::nullopt;
    }
    SignalReproduit a =
        ReproduireSignal(recette.Signal1, PasEchantillonnage, Partie(avancement, 0, 0.4));
    SignalReproduit b =
        ReproduireSignal(recette.Signal2, PasEchantillonnage, Partie(avancement, 0.4, 0.4));
    const RappelAvancement melange = Partie(avancement, 0.8, 0.2);
    MelangesReproduits r;
    if (recette.sorte == RecetteMelanges::Sorte::Generees) {
        auto m = GenererMelanges(a.Echantillons, b.Echantillons, recette.Matrice, recette.N,
                                 PasEchantillonnage, melange);
        if (!m) {
            throw ArretUtilisateur();
        }
        r.M = std::move(*m);
        r.Frequence = a.Frequence != 0 ? a.Frequence : b.Frequence;
    } else {
        r.Frequence = FrequenceCommune(a.Frequence, recette.Signal1.Chemin, b.Frequence,
                                       recette.Signal2.Chemin);
        r.M = MelangesObserves(std::move(a.Echantillons), std::move(b.Echantillons),
                               PasEchantillonnage, melange);
    }
    return r;
}
