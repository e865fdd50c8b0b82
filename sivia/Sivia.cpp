#include "sivia/Sivia.h"

#include "sivia/CritereRapide.h"
#include "sivia/EtatVectoriel.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

BoxList BoitesEnAttente;
BoxList BoitesRejetees;
BoxList BoitesSolution;
Repere RepereImage;

namespace {

// 1 / width, or 1 where the width gives no share (zero, infinite or NaN): the component then
// counts as wholly covered by every box.
double InverseLargeur(const Interval& I) {
    const double w = I.Width();
    return (w > 0 && std::isfinite(w)) ? 1.0 / w : 0.0;
}

double Part(const Interval& I, double inverse) {
    return inverse == 0.0 ? 1.0 : I.Width() * inverse;
}

// The criterion of a plain two-component box on doubles (K: critere_rapide::Critere<P> or
// DecorrelationsOrdonnees), the pair fixed at compile time.
template <class K> struct CritereDeuxComposantes {
    K c;

    double AuCentre(const Box& B) const {
        const Interval* I = B.Components.Local;
        return c.AuPoint(I[0].Midpoint(), I[1].Midpoint());
    }
    double SurPave(const Box& B) const {
        const Interval* I = B.Components.Local;
        return c.SurPave({I[0].Lo, I[0].Upper()}, {I[1].Lo, I[1].Upper()});
    }
    static std::int32_t PlusLarge(const Box& B) {
        const Interval* I = B.Components.Local;
        return I[1].Width() > I[0].Width() ? 2 : 1;
    }
};

// Any other box (another dimension, an empty component): the Interval evaluation itself.
struct CritereGenerique {
    const MomentsMelanges& m;
    const ContraintesActives& contraintes;
    bool evaluer;

    double AuCentre(const Box& B) const {
        return evaluer ? EvalBorneInfCritere(Centre(B), m, contraintes) : 0.0;
    }
    double SurPave(const Box& B) const {
        return evaluer ? EvalBorneInfCritere(B, m, contraintes) : 0.0;
    }
    static std::int32_t PlusLarge(const Box& B) { return B.WidestComponent(); }
};

} // namespace

ResolutionSivia::ResolutionSivia(const Box& boiteInitiale, BoxList& enAttente, BoxList& rejetees,
                                 BoxList& solution, const Repere& repere,
                                 const MomentsMelanges& moments,
                                 const ContraintesActives& contraintes, double PrecisionSivia,
                                 OrdreStockage Stockage, std::uint64_t limiteBoites)
    : EnAttente_(enAttente), Rejetees_(rejetees), Solution_(solution), Repere_(repere),
      Moments_(moments), Contraintes_(contraintes), Precision_(PrecisionSivia),
      Pile_(Stockage == StockagePile), Paire_(PaireSelectionnee(contraintes)) {
    // Zero, a negative value or NaN would never let a box fall under the precision.
    if (!(PrecisionSivia > 0)) {
        Resultat_.Statut = StatutSivia::PrecisionRefusee;
        return;
    }
    // Every list must also keep a count that fits its 32-bit Size().
    Limite_ = std::min({limiteBoites, std::uint64_t{BoxList::TailleMax} - rejetees.Size(),
                        std::uint64_t{BoxList::TailleMax} - solution.Size()});
    EnAttente_.Clear();
    if (Limite_ == 0) {
        Resultat_.Statut = StatutSivia::ArreteALaLimite;
        return;
    }
    // Bisection keeps the dimension and the components' flags: decided once for the run.
    DeuxComposantes_ =
        boiteInitiale.Dimension == 2 && !boiteInitiale[1].IsEmpty && !boiteInitiale[2].IsEmpty;
    Ordonnee_ = critere_rapide::DecorrelationsOrdonnees::Applicable(boiteInitiale[1],
                                                                    boiteInitiale[2], moments);
    InverseLargeurX_ = InverseLargeur(boiteInitiale[1]);
    InverseLargeurY_ = InverseLargeur(boiteInitiale[2]);
    EnAttente_.PushBack(boiteInitiale);
    EnCours_ = true;
}

void ResolutionSivia::Terminer(StatutSivia statut) {
    EnAttente_.Clear();
    Resultat_.MeilleurCritere = MeilleurCritere_;
    Resultat_.Statut = statut;
    if (statut == StatutSivia::Termine) {
        AireClassee_ = 1.0; // every part of the search box ended rejected or kept
    }
    EnCours_ = false;
}

void ResolutionSivia::Arreter() {
    if (EnCours_) {
        Terminer(StatutSivia::ArreteParUtilisateur);
    }
}

bool ResolutionSivia::Avancer(std::uint64_t nbBoites) {
    if (!EnCours_) {
        return false;
    }
    if (!DeuxComposantes_) {
        return ParcourirDans(
            nbBoites, CritereGenerique{Moments_, Contraintes_, Paire_ != PaireCritere::Aucune});
    }
    using critere_rapide::Critere;
    using critere_rapide::DecorrelationsOrdonnees;
    switch (Paire_) {
    case PaireCritere::SourcesDerivees:
        if (Ordonnee_) {
            return ParcourirDans(nbBoites, CritereDeuxComposantes<DecorrelationsOrdonnees>{
                                               DecorrelationsOrdonnees(Moments_)});
        }
        return ParcourirDans(
            nbBoites, CritereDeuxComposantes<Critere<PaireCritere::SourcesDerivees>>{{Moments_}});
    case PaireCritere::SourcesMoment:
        return ParcourirDans(
            nbBoites, CritereDeuxComposantes<Critere<PaireCritere::SourcesMoment>>{{Moments_}});
    case PaireCritere::DeriveesMoment:
        return ParcourirDans(
            nbBoites, CritereDeuxComposantes<Critere<PaireCritere::DeriveesMoment>>{{Moments_}});
    case PaireCritere::Aucune:
        break;
    }
    return ParcourirDans(nbBoites,
                         CritereDeuxComposantes<Critere<PaireCritere::Aucune>>{{Moments_}});
}

template <class Critere>
bool ResolutionSivia::ParcourirDans(std::uint64_t nbBoites, const Critere& critere) {
    return Pile_ ? Parcourir<true>(nbBoites, critere) : Parcourir<false>(nbBoites, critere);
}

template <bool Pile, class Critere>
bool ResolutionSivia::Parcourir(std::uint64_t nbBoites, const Critere& critere) {
    // The frame cannot change during a slice: its scale is computed once.
    const std::optional<Repere::Echelle> echelle = Repere_.EchelleCourante();
    // Whatever ran before the slice (or inside a drawing call) may have left the vector
    // registers in the state that slows every SSE instruction down.
    const bool avx = AvxDisponible();
    EffacerMoitiesHautes(avx);
    // Locals, so that the stores into the lists cannot be taken to change them.
    double meilleur = MeilleurCritere_;
    double aire = AireClassee_;
    std::uint64_t prises = Resultat_.NbPrises, rejetees = Resultat_.NbRejetees,
                  gardees = Resultat_.NbGardees;
    const double precision = Precision_;
    const auto classer = [&](const Box& B) {
        aire += Part(B[1], InverseLargeurX_) * Part(B[2], InverseLargeurY_);
    };
    const auto ranger = [&] {
        MeilleurCritere_ = meilleur;
        AireClassee_ = aire;
        Resultat_.NbPrises = prises, Resultat_.NbRejetees = rejetees;
        Resultat_.NbGardees = gardees;
    };

    // A queue reads its box where it lies and drops it once classified; a stack copies it
    // out first, as its halves take the same place.
    Box copie;
    for (std::uint64_t n = 0; n < nbBoites && !EnAttente_.IsEmpty(); ++n) {
        const Box* pB;
        if constexpr (Pile) {
            copie = EnAttente_.Back();
            EnAttente_.PopBack();
            pB = &copie;
        } else {
            pB = &EnAttente_.Front();
        }
        const Box& B = *pB;
        ++prises;

        const double v = critere.AuCentre(B);
        if (!(v >= meilleur)) {
            meilleur = v; // also when either value is NaN
        }
        const double f = critere.SurPave(B);

        if (f > meilleur) {
            Rejetees_.PushBack(B);
            ++rejetees;
            classer(B);
            if (echelle) {
                Repere_.DessinePave(B, *echelle, CouleurBleue, CouleurBleue, BrossePleine);
                EffacerMoitiesHautes(avx);
            }
            if constexpr (!Pile) {
                EnAttente_.PopFront();
            }
            continue;
        }
        const std::int32_t k = critere.PlusLarge(B);
        const Interval& I = B[k];
        const double w = I.Width();
        if (w >= precision) {
            // The halves of Bisect: [Lo, m] and [m, Upper()] in component k.
            const double m = I.Midpoint();
            const double wL = I.IsInterval ? m - I.Lo : 0.0;
            const double wU = I.IsInterval ? I.Hi - m : 0.0;
            // Only non-finite or adjacent bounds give a half as wide as its parent; such a
            // box can never get narrower, so it is kept instead of cut forever.
            if (!(wL >= w || wU >= w)) {
                const std::uint64_t enAttente = EnAttente_.Size() - (Pile ? 0 : 1);
                if (enAttente + rejetees + gardees + 2 > Limite_) {
                    ranger();
                    Terminer(StatutSivia::ArreteALaLimite);
                    return false;
                }
                EnAttente_.AjouterMoities(B, k, m);
                if constexpr (!Pile) {
                    EnAttente_.PopFront();
                }
                continue;
            }
        }
        Solution_.PushBack(B);
        ++gardees;
        classer(B);
        if (echelle) {
            Repere_.DessinePave(B, *echelle, CouleurJaune, CouleurJaune, BrossePleine);
            EffacerMoitiesHautes(avx);
        }
        if constexpr (!Pile) {
            EnAttente_.PopFront();
        }
    }
    ranger();
    if (EnAttente_.IsEmpty()) {
        Terminer(StatutSivia::Termine);
        return false;
    }
    return true;
}

ResultatSivia ExecuterSivia(const Box& boiteInitiale, BoxList& enAttente, BoxList& rejetees,
                            BoxList& solution, const Repere& repere, const MomentsMelanges& moments,
                            const ContraintesActives& contraintes, double PrecisionSivia,
                            OrdreStockage Stockage, std::uint64_t limiteBoites) {
    ResolutionSivia r(boiteInitiale, enAttente, rejetees, solution, repere, moments, contraintes,
                      PrecisionSivia, Stockage, limiteBoites);
    while (r.Avancer(std::numeric_limits<std::uint64_t>::max())) {
    }
    return r.Resultat();
}

PrevisionSivia PrevoirSansRejet(const Box& boiteInitiale, double PrecisionSivia,
                                OrdreStockage Stockage) {
    PrevisionSivia p;
    if (!(PrecisionSivia > 0)) {
        return p;
    }
    double w[2] = {boiteInitiale[1].Width(), boiteInitiale[2].Width()};
    double coupes = 0;
    // Same rule as the loop: cut the widest side (x on a tie) while the box is at least as
    // wide as the precision and the cut makes it narrower.
    for (;;) {
        const int k = w[1] > w[0] ? 1 : 0;
        if (!(w[k] >= PrecisionSivia)) {
            break;
        }
        const double moitie = w[k] * 0.5;
        if (!(moitie < w[k])) {
            break;
        }
        w[k] = moitie;
        coupes += 1;
    }
    p.NbGardees = std::ldexp(1.0, static_cast<int>(std::min(coupes, 4000.0)));
    p.NbPrises = 2 * p.NbGardees - 1;
    // Breadth first holds a whole depth at once; depth first one pending half per depth.
    p.MaxEnAttente = Stockage == StockagePile ? coupes + 1 : p.NbGardees;
    return p;
}
