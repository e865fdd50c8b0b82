#include "atelier/Atelier.h"

#include <initializer_list>
#include <optional>
#include <utility>

std::uint64_t Atelier::OctetsTenus() const {
    std::uint64_t octets = 0;
    for (const std::vector<double>* tableau : std::initializer_list<const std::vector<double>*>{
             &Source1, &Source2, &MelangesCourants.Melange1, &MelangesCourants.Melange2,
             &MelangesCourants.DeriveeMelange1, &MelangesCourants.DeriveeMelange2,
             &Estimees.SourceEstimee1, &Estimees.SourceEstimee2, &Estimees.DeriveeEstimee1,
             &Estimees.DeriveeEstimee2}) {
        octets += tableau->capacity() * sizeof(double);
    }
    for (const BoxList* liste : {&BoitesEnAttente, &BoitesRejetees, &BoitesSolution}) {
        octets += std::uint64_t(liste->Size()) * OctetsParBoiteStockee;
    }
    return octets;
}

bool Atelier::PeutMelanger() const {
    return !Source1.empty() && !Source2.empty() && MatriceMelange.EstConnue();
}

bool Atelier::Melanger(const RappelAvancement& avancement) {
    std::optional<Melanges> calcul =
        GenererMelanges(Source1, Source2, MatriceMelange, ReglagesCourants.NbEchantillons,
                        PasEchantillonnage, avancement);
    if (!calcul) {
        return false;
    }
    MelangesCourants = std::move(*calcul);
    RecetteMelangesCourante = {RecetteMelanges::Sorte::Generees, OrigineSource1, OrigineSource2,
                               MatriceMelange, ReglagesCourants.NbEchantillons};
    FrequenceMelanges = FrequenceSource1 != 0 ? FrequenceSource1 : FrequenceSource2;
    MelangesGeneres = true;
    Annonces.Annoncer(ChangementMelanges);
    return true;
}

void Atelier::ToutEffacer() {
    // Emptied arrays give their memory back (assigning {} would keep the capacity).
    for (std::vector<double>* tableau :
         {&Source1, &Source2, &MelangesCourants.Melange1, &MelangesCourants.Melange2,
          &MelangesCourants.DeriveeMelange1, &MelangesCourants.DeriveeMelange2}) {
        std::vector<double>().swap(*tableau);
    }
    OrigineSource1 = OrigineSource2 = {};
    RecetteMelangesCourante = {};
    FrequenceSource1 = FrequenceSource2 = FrequenceMelanges = 0;
    MatriceMelange = {};
    MelangesGeneres = false;
    Annonces.Annoncer(ChangementSources | ChangementMelanges | ChangementMatrice);
}

std::uint64_t Atelier::EffacerPavage() {
    const std::uint64_t octets =
        std::uint64_t(BoitesRejetees.Size() + BoitesSolution.Size()) * OctetsParBoiteStockee;
    BoitesRejetees.Clear();
    BoitesSolution.Clear();
    Annonces.Annoncer(ChangementPavage);
    return octets;
}
