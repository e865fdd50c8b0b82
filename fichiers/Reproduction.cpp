#include "fichiers/Reproduction.h"

#include "fichiers/LectureSignal.h"

SignalReproduit ReproduireSignal(const OrigineSignal& origine, float PasEchantillonnage) {
    SignalReproduit r;
    switch (origine.sorte) {
    case OrigineSignal::Sorte::Aucune:
        break;
    case OrigineSignal::Sorte::Generee: {
        GenerateurAleatoire alea;
        alea.FixerEtat(origine.EtatAlea);
        GenererSource(origine.Type, origine.N, PasEchantillonnage, alea, r.Echantillons);
        break;
    }
    case OrigineSignal::Sorte::Fichier: {
        SignalLu lu = LireSignal(origine.Chemin, origine.Canal);
        r.Echantillons = std::move(lu.Echantillons);
        r.Frequence = lu.Frequence;
        break;
    }
    }
    return r;
}

std::optional<MelangesReproduits> ReproduireMelanges(const RecetteMelanges& recette,
                                                     float PasEchantillonnage) {
    if (recette.sorte == RecetteMelanges::Sorte::Aucune) {
        return std::nullopt;
    }
    SignalReproduit a = ReproduireSignal(recette.Signal1, PasEchantillonnage);
    SignalReproduit b = ReproduireSignal(recette.Signal2, PasEchantillonnage);
    MelangesReproduits r;
    if (recette.sorte == RecetteMelanges::Sorte::Generees) {
        r.M = GenererMelanges(a.Echantillons, b.Echantillons, recette.Matrice, recette.N,
                              PasEchantillonnage);
        r.Frequence = a.Frequence != 0 ? a.Frequence : b.Frequence;
    } else {
        r.Frequence = FrequenceCommune(a.Frequence, recette.Signal1.Chemin, b.Frequence,
                                       recette.Signal2.Chemin);
        r.M = MelangesObserves(std::move(a.Echantillons), std::move(b.Echantillons),
                               PasEchantillonnage);
    }
    return r;
}
