#include "atelier/Atelier.h"

#include "fichiers/Reproduction.h"
#include "signal/Alea.h"
#include "signal/Memoire.h"
#include "sivia/Neguentropie.h"
#include "sivia/Retards.h"

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <optional>
#include <utility>

Box BoiteRecherche(2, 1);

std::uint64_t Atelier::OctetsTenus() const {
    std::uint64_t octets = 0;
    for (const std::vector<double>* tableau : std::initializer_list<const std::vector<double>*>{
             &Source1, &Source2, &MelangesCourants.Melange1, &MelangesCourants.Melange2,
             &MelangesCourants.DeriveeMelange1, &MelangesCourants.DeriveeMelange2,
             &Estimees.SourceEstimee1, &Estimees.SourceEstimee2, &Estimees.DeriveeEstimee1,
             &Estimees.DeriveeEstimee2}) {
        octets += tableau->capacity() * sizeof(double);
    }
    for (const BoxList* liste : {&BoitesEnAttente(), &BoitesRejetees(), &BoitesSolution()}) {
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
    NomCanalSource1.clear();
    NomCanalSource2.clear();
    RecetteMelangesCourante = {};
    FrequenceSource1 = FrequenceSource2 = FrequenceMelanges = 0;
    MatriceMelange = {};
    MelangesGeneres = false;
    Annonces.Annoncer(ChangementSources | ChangementMelanges | ChangementMatrice |
                      ChangementEffacement);
}

std::uint64_t Atelier::EffacerPavage() {
    const std::uint64_t octets =
        std::uint64_t(BoitesRejetees().Size() + BoitesSolution().Size()) * OctetsParBoiteStockee;
    BoitesRejetees().Clear();
    BoitesSolution().Clear();
    Annonces.Annoncer(ChangementPavage);
    return octets;
}

bool Atelier::GenererSource(int k, TypeSource type, const RappelAvancement& avancement) {
    const std::uint64_t etat = Alea().EtatCourant();
    const std::int32_t n = ReglagesCourants.NbEchantillons;
    if (!::GenererSource(type, n, PasEchantillonnage, Alea(), k == 1 ? Source1 : Source2,
                         avancement)) {
        return false;
    }
    (k == 1 ? OrigineSource1
            : OrigineSource2) = {OrigineSignal::Sorte::Generee, type, n, etat, {}, 0};
    (k == 1 ? FrequenceSource1 : FrequenceSource2) = 0;
    (k == 1 ? NomCanalSource1 : NomCanalSource2).clear();
    Annonces.Annoncer(k == 1 ? ChangementSource1 : ChangementSource2);
    return true;
}

void Atelier::PoserSourceLue(int k, SourceLue lue) {
    Poser(k, std::move(lue));
    Annonces.Annoncer(k == 1 ? ChangementSource1 : ChangementSource2);
}

void Atelier::PoserSourcesLues(SourceLue lue1, SourceLue lue2) {
    Poser(1, std::move(lue1));
    Poser(2, std::move(lue2));
    Annonces.Annoncer(ChangementSources);
}

void Atelier::Poser(int k, SourceLue lue) {
    (k == 1 ? Source1 : Source2) = std::move(lue.Echantillons);
    (k == 1 ? OrigineSource1 : OrigineSource2) = std::move(lue.Origine);
    (k == 1 ? FrequenceSource1 : FrequenceSource2) = lue.Frequence;
    (k == 1 ? NomCanalSource1 : NomCanalSource2) = std::move(lue.NomCanal);
    const std::size_t n1 = Source1.size(), n2 = Source2.size();
    const std::size_t n = n1 == 0 ? n2 : (n2 == 0 ? n1 : std::min(n1, n2));
    ReglagesCourants.NbEchantillons = std::int32_t(std::min<std::size_t>(n, INT32_MAX));
}

void Atelier::PoserMelangesLus(Melanges m, RecetteMelanges recette, double frequence) {
    const std::size_t n = m.Melange1.size();
    MelangesCourants = std::move(m);
    Source1.clear();
    Source2.clear();
    OrigineSource1 = OrigineSource2 = {};
    NomCanalSource1.clear();
    NomCanalSource2.clear();
    FrequenceSource1 = FrequenceSource2 = 0;
    MatriceMelange = {};
    TextesMatrice = {};
    RecetteMelangesCourante = std::move(recette);
    FrequenceMelanges = frequence;
    ReglagesCourants.NbEchantillons = std::int32_t(std::min<std::size_t>(n, INT32_MAX));
    MelangesGeneres = true;
    Annonces.Annoncer(ChangementSources | ChangementMelanges | ChangementMatrice);
}

void Atelier::FixerMatrice(const Matrice2x2& matrice) {
    MatriceMelange = matrice;
    Annonces.Annoncer(ChangementMatrice);
}

bool Atelier::EstimerAuPoint(double x, double y) {
    if (!MelangesGeneres) {
        return false;
    }
    Estimees = CalculerSourcesEstimees(x, y, MelangesCourants.Melange1, MelangesCourants.Melange2,
                                       ReglagesCourants.NbEchantillons, PasEchantillonnage);
    Annonces.Annoncer(ChangementEstimees);
    return true;
}

void Atelier::AdopterReglages(const Reglages& reglages) {
    ReglagesCourants = reglages;
    Annonces.Annoncer(ChangementReglages);
}

PreparationResolution Atelier::PreparerResolution() const {
    using Obstacle = PreparationResolution::Obstacle;
    PreparationResolution p;
    if (!MelangesGeneres) {
        p.obstacle = Obstacle::MelangesInconnus;
        return p;
    }
    const Reglages& r = ReglagesCourants;
    if (const auto defaut = VerifierReglages(r, PorteeVerification::Resolution)) {
        p.obstacle = Obstacle::Reglages;
        p.Message = defaut->Raison;
        return p;
    }
    p.Contraintes = r.Contraintes();
    p.Moments = Moments();
    // A session may ask for the decorrelation at delays: its lagged means come from the
    // mixtures, for the delays it names.
    if (p.Contraintes.ContrainteDecorrelationRetardee) {
        const LectureRetards lus = LireRetards(r.Retards, MelangesCourants.Melange1.size());
        if (!lus.Erreur.empty()) {
            p.obstacle = Obstacle::Retards;
            p.Message = lus.Erreur;
            return p;
        }
        p.Retardes = CalculerMomentsRetardes(MelangesCourants.Melange1, MelangesCourants.Melange2,
                                             lus.Retards);
    }
    if (CritereSurCourbe(p.Contraintes) == CritereCourbe::Neguentropie) {
        p.Retardes.Neguentropie =
            CalculerTableNeguentropie(MelangesCourants.Melange1, MelangesCourants.Melange2);
    }
    p.Boite = r.BoiteDesBornes();
    p.Message = RefusResolutionTropGrande(p.Boite, r.PrecisionSivia, r.Stockage, p.Contraintes,
                                          BoitesSolution().Size());
    if (!p.Message.empty()) {
        p.obstacle = Obstacle::Memoire;
    }
    return p;
}

Session Atelier::OuvrirSession(const std::filesystem::path& chemin,
                               const RappelAvancement& avancement) {
    Session s = ::OuvrirSession(chemin);
    const Reglages reglages = LireReglages(s.Options, chemin, s.Remarques);
    SignalReproduit r1 =
        ReproduireSignal(s.Source1, PasEchantillonnage, Partie(avancement, 0, 0.3));
    SignalReproduit r2 =
        ReproduireSignal(s.Source2, PasEchantillonnage, Partie(avancement, 0.3, 0.3));
    std::optional<MelangesReproduits> melanges =
        ReproduireMelanges(s.Melanges, PasEchantillonnage, Partie(avancement, 0.6, 0.4));

    ReglagesCourants = reglages;
    Source1 = std::move(r1.Echantillons);
    Source2 = std::move(r2.Echantillons);
    OrigineSource1 = s.Source1;
    OrigineSource2 = s.Source2;
    NomCanalSource1.clear();
    NomCanalSource2.clear();
    FrequenceSource1 = r1.Frequence;
    FrequenceSource2 = r2.Frequence;
    MatriceMelange = s.MatriceMelange;
    TextesMatrice = s.TextesMatrice;
    Alea().FixerEtat(s.EtatAlea);
    if (melanges) {
        MelangesCourants = std::move(melanges->M);
        RecetteMelangesCourante = s.Melanges;
        FrequenceMelanges = melanges->Frequence;
        MelangesGeneres = true;
    } else {
        for (auto* v : {&MelangesCourants.Melange1, &MelangesCourants.Melange2,
                        &MelangesCourants.DeriveeMelange1, &MelangesCourants.DeriveeMelange2}) {
            v->clear();
        }
        RecetteMelangesCourante = {};
        FrequenceMelanges = 0;
        MelangesGeneres = false;
    }
    Annonces.Annoncer(ChangementSources | ChangementMelanges | ChangementMatrice |
                      ChangementReglages);
    return s;
}

void Atelier::EnregistrerSession(const std::filesystem::path& chemin) const {
    Session s;
    s.Source1 = OrigineSource1;
    s.Source2 = OrigineSource2;
    s.MatriceMelange = MatriceMelange;
    s.TextesMatrice = TextesMatrice;
    if (MelangesGeneres) {
        s.Melanges = RecetteMelangesCourante;
    }
    s.EtatAlea = Alea().EtatCourant();
    s.Options = EnregistrerReglages(ReglagesCourants);
    ::EnregistrerSession(chemin, s);
}
