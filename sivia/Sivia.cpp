#include "sivia/Sivia.h"

#include "sivia/CritereRapide.h"
#include "sivia/EtatVectoriel.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <type_traits>

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

// How the loop reads a component. Bisection never changes a component's flags, so what the
// search box's flags say holds for every box of the solve: where both components are genuine
// intervals (Intervalles), Upper is Hi and no flag is read per box.
template <bool Intervalles> struct Lecture {
    static double Haut(const Interval& I) {
        if constexpr (Intervalles) {
            return I.Hi;
        } else {
            return I.Upper();
        }
    }
    static double Largeur(const Interval& I) {
        if constexpr (Intervalles) {
            return I.Hi - I.Lo;
        } else {
            return I.Width();
        }
    }
    static double Milieu(const Interval& I) {
        if constexpr (Intervalles) {
            return (I.Lo + I.Hi) * 0.5;
        } else {
            return I.Midpoint();
        }
    }
    // Whether cutting I (of width w) at m makes both halves narrower. Only non-finite or
    // adjacent bounds give a half as wide as its parent.
    static bool Retrecit(const Interval& I, double m, double w) {
        if constexpr (Intervalles) {
            return !(m - I.Lo >= w || I.Hi - m >= w);
        } else {
            const double wL = I.IsInterval ? m - I.Lo : 0.0;
            const double wU = I.IsInterval ? I.Hi - m : 0.0;
            return !(wL >= w || wU >= w);
        }
    }
};

// The criterion of a plain two-component box on doubles (K: critere_rapide::Critere<P> or
// DecorrelationsOrdonnees), the pair fixed at compile time.
template <class K, bool Intervalles> struct CritereDeuxComposantes {
    using L = Lecture<Intervalles>;
    K c;

    static const Interval& Composante(const Box& B, std::int32_t k) {
        return B.Components.Local[k - 1];
    }
    double AuCentre(const Box& B) const {
        const Interval* I = B.Components.Local;
        return c.AuPoint(L::Milieu(I[0]), L::Milieu(I[1]));
    }
    double SurPave(const Box& B) const {
        const Interval* I = B.Components.Local;
        return c.SurPave({I[0].Lo, L::Haut(I[0])}, {I[1].Lo, L::Haut(I[1])});
    }
    static std::int32_t PlusLarge(const Box& B) {
        const Interval* I = B.Components.Local;
        return L::Largeur(I[1]) > L::Largeur(I[0]) ? 2 : 1;
    }
};

// Any other box (another dimension, an empty component): the Interval evaluation itself.
struct CritereGenerique {
    using L = Lecture<false>;
    const MomentsMelanges& m;
    const ContraintesActives& contraintes;
    bool evaluer;

    static const Interval& Composante(const Box& B, std::int32_t k) { return B[k]; }
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
                                 OrdreStockage Stockage, std::uint64_t limiteBoites,
                                 const MomentsRetardes& retardes)
    : ResolutionSivia(boiteInitiale, enAttente, rejetees, solution, nullptr, moments, contraintes,
                      PrecisionSivia, Stockage, limiteBoites, retardes) {
    Ecouteur_ = &Dessin_.emplace(repere);
}

ResolutionSivia::ResolutionSivia(const Box& boiteInitiale, BoxList& enAttente, BoxList& rejetees,
                                 BoxList& solution, EcouteurSivia* ecouteur,
                                 const MomentsMelanges& moments,
                                 const ContraintesActives& contraintes, double PrecisionSivia,
                                 OrdreStockage Stockage, std::uint64_t limiteBoites,
                                 const MomentsRetardes& retardes)
    : EnAttente_(enAttente), Rejetees_(rejetees), Solution_(solution), Ecouteur_(ecouteur),
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
    Intervalles_ = DeuxComposantes_ && boiteInitiale[1].IsInterval && boiteInitiale[2].IsInterval;
    Ordonnee_ = critere_rapide::DecorrelationsOrdonnees::Applicable(boiteInitiale[1],
                                                                    boiteInitiale[2], moments);
    const CritereCourbe courbe = CritereSurCourbe(contraintes);
    if (courbe == CritereCourbe::Retards && DeuxComposantes_ &&
        critere_rapide::DecorrelationRetardee::Applicable(boiteInitiale[1], boiteInitiale[2],
                                                          moments, retardes)) {
        Retardee_.emplace(
            moments, retardes,
            critere_rapide::Bornes{boiteInitiale[1].Lower(), boiteInitiale[1].Upper()},
            critere_rapide::Bornes{boiteInitiale[2].Lower(), boiteInitiale[2].Upper()});
    } else if ((courbe == CritereCourbe::Cumulants || courbe == CritereCourbe::Kurtosis ||
                courbe == CritereCourbe::SommeKurtosis) &&
               DeuxComposantes_ &&
               critere_rapide::Cumulants::Applicable(boiteInitiale[1], boiteInitiale[2], moments)) {
        Cumulants_.emplace(
            moments, critere_rapide::Bornes{boiteInitiale[1].Lower(), boiteInitiale[1].Upper()},
            critere_rapide::Bornes{boiteInitiale[2].Lower(), boiteInitiale[2].Upper()},
            courbe == CritereCourbe::Kurtosis        ? ContrasteOrdre4::Kurtosis
            : courbe == CritereCourbe::SommeKurtosis ? ContrasteOrdre4::SommeKurtosis
                                                     : ContrasteOrdre4::Cumulants);
    } else if (courbe == CritereCourbe::Neguentropie && DeuxComposantes_ &&
               critere_rapide::Neguentropie::Applicable(boiteInitiale[1], boiteInitiale[2], moments,
                                                        retardes.Neguentropie.get())) {
        Neguentropie_.emplace(
            moments, retardes.Neguentropie,
            critere_rapide::Bornes{boiteInitiale[1].Lower(), boiteInitiale[1].Upper()},
            critere_rapide::Bornes{boiteInitiale[2].Lower(), boiteInitiale[2].Upper()});
    }
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
    if (CritereSurCourbe(Contraintes_) != CritereCourbe::Aucun && !Retardee_ && !Cumulants_ &&
        !Neguentropie_) {
        return ParcourirSelonStockage(nbBoites, CritereGenerique{Moments_, Contraintes_, false});
    }
    if (!DeuxComposantes_) {
        return ParcourirSelonStockage(
            nbBoites, CritereGenerique{Moments_, Contraintes_, Paire_ != PaireCritere::Aucune});
    }
    using critere_rapide::Critere;
    using critere_rapide::DecorrelationsOrdonnees;
    const auto parcourir = [&](const auto& k) {
        using K = std::remove_cvref_t<decltype(k)>;
        return Intervalles_ ? ParcourirSelonStockage(nbBoites, CritereDeuxComposantes<K, true>{k})
                            : ParcourirSelonStockage(nbBoites, CritereDeuxComposantes<K, false>{k});
    };
    if (Retardee_) {
        return parcourir(*Retardee_);
    }
    if (Cumulants_) {
        return parcourir(*Cumulants_);
    }
    if (Neguentropie_) {
        return parcourir(*Neguentropie_);
    }
    switch (Paire_) {
    case PaireCritere::SourcesDerivees:
        if (Ordonnee_) {
            return parcourir(DecorrelationsOrdonnees(Moments_));
        }
        return parcourir(Critere<PaireCritere::SourcesDerivees>{Moments_});
    case PaireCritere::SourcesMoment:
        return parcourir(Critere<PaireCritere::SourcesMoment>{Moments_});
    case PaireCritere::DeriveesMoment:
        return parcourir(Critere<PaireCritere::DeriveesMoment>{Moments_});
    case PaireCritere::Aucune:
        break;
    }
    return parcourir(Critere<PaireCritere::Aucune>{Moments_});
}

template <class Critere>
bool ResolutionSivia::ParcourirSelonStockage(std::uint64_t nbBoites, const Critere& critere) {
    return Pile_ ? Parcourir<true>(nbBoites, critere) : Parcourir<false>(nbBoites, critere);
}

template <bool Pile, class Critere>
bool ResolutionSivia::Parcourir(std::uint64_t nbBoites, const Critere& critere) {
    // Asked once a slice: a listener that does not listen costs nothing per box.
    EcouteurSivia* const ecouteur = Ecouteur_ && Ecouteur_->Ecoute() ? Ecouteur_ : nullptr;
    // Whatever ran before the slice (or inside a listener, a drawing) may have left the vector
    // registers in the state that slows every SSE instruction down.
    const bool avx = AvxDisponible();
    EffacerMoitiesHautes(avx);
    // Locals, so that the stores into the lists cannot be taken to change them.
    double meilleur = MeilleurCritere_;
    double aire = AireClassee_;
    std::uint64_t prises = Resultat_.NbPrises, rejetees = Resultat_.NbRejetees,
                  gardees = Resultat_.NbGardees;
    const double precision = Precision_;
    // A zero inverse: the component counts as wholly covered by every box.
    const auto part = [](const Interval& I, double inverse) {
        return inverse == 0.0 ? 1.0 : Critere::L::Largeur(I) * inverse;
    };
    const auto classer = [&](const Box& B) {
        aire += part(critere.Composante(B, 1), InverseLargeurX_) *
                part(critere.Composante(B, 2), InverseLargeurY_);
    };
    const auto ranger = [&] {
        MeilleurCritere_ = meilleur;
        AireClassee_ = aire;
        Resultat_.NbPrises = prises, Resultat_.NbRejetees = rejetees;
        Resultat_.NbGardees = gardees;
    };

    // Classifies B, taken from the pending list, which still holds `tenues` taken boxes (B
    // among them). False when the run stops at the limit.
    const auto traiter = [&](const Box& B, std::uint64_t tenues) {
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
            if (ecouteur) {
                ecouteur->Rejetee(B);
                EffacerMoitiesHautes(avx);
            }
            return true;
        }
        const std::int32_t k = critere.PlusLarge(B);
        const Interval& I = critere.Composante(B, k);
        const double w = Critere::L::Largeur(I);
        if (w >= precision) {
            // The halves of Bisect: [Lo, m] and [m, Upper()] in component k. A box that can
            // never get narrower is kept instead of cut forever.
            const double m = Critere::L::Milieu(I);
            if (Critere::L::Retrecit(I, m, w)) {
                if (EnAttente_.Size() - tenues + rejetees + gardees + 2 > Limite_) {
                    ranger();
                    Terminer(StatutSivia::ArreteALaLimite);
                    return false;
                }
                EnAttente_.AjouterMoities(B, k, m);
                return true;
            }
        }
        Solution_.PushBack(B);
        ++gardees;
        classer(B);
        if (ecouteur) {
            ecouteur->Gardee(B);
            EffacerMoitiesHautes(avx);
        }
        return true;
    };

    if constexpr (Pile) {
        // The last box is copied out first: its halves take its place.
        Box B;
        for (std::uint64_t n = 0; n < nbBoites && !EnAttente_.IsEmpty(); ++n) {
            B = EnAttente_.Back();
            EnAttente_.PopBack();
            if (!traiter(B, 0)) {
                return false;
            }
        }
    } else {
        // The boxes are read where they lie, a run of adjacent ones at a time, and removed
        // once classified: the loop walks a pointer, not the list.
        std::uint64_t n = 0;
        while (n < nbBoites && !EnAttente_.IsEmpty()) {
            const std::span<const Box> tete = EnAttente_.DebutContigu();
            const std::uint64_t lot = std::min<std::uint64_t>(tete.size(), nbBoites - n);
            for (std::uint64_t i = 0; i < lot; ++i) {
                if (!traiter(tete[i], i + 1)) {
                    return false;
                }
            }
            EnAttente_.RetirerAvant(lot);
            n += lot;
        }
    }
    ranger();
    if (EnAttente_.IsEmpty()) {
        Terminer(StatutSivia::Termine);
        return false;
    }
    return true;
}

namespace {

template <class Sortie>
ResultatSivia Executer(const Box& boiteInitiale, BoxList& enAttente, BoxList& rejetees,
                       BoxList& solution, Sortie sortie, const MomentsMelanges& moments,
                       const ContraintesActives& contraintes, double PrecisionSivia,
                       OrdreStockage Stockage, std::uint64_t limiteBoites,
                       const MomentsRetardes& retardes) {
    ResolutionSivia r(boiteInitiale, enAttente, rejetees, solution, sortie, moments, contraintes,
                      PrecisionSivia, Stockage, limiteBoites, retardes);
    while (r.Avancer(std::numeric_limits<std::uint64_t>::max())) {
    }
    return r.Resultat();
}

} // namespace

ResultatSivia ExecuterSivia(const Box& boiteInitiale, BoxList& enAttente, BoxList& rejetees,
                            BoxList& solution, EcouteurSivia* ecouteur,
                            const MomentsMelanges& moments, const ContraintesActives& contraintes,
                            double PrecisionSivia, OrdreStockage Stockage,
                            std::uint64_t limiteBoites, const MomentsRetardes& retardes) {
    return Executer(boiteInitiale, enAttente, rejetees, solution, ecouteur, moments, contraintes,
                    PrecisionSivia, Stockage, limiteBoites, retardes);
}

ResultatSivia ExecuterSivia(const Box& boiteInitiale, BoxList& enAttente, BoxList& rejetees,
                            BoxList& solution, const Repere& repere, const MomentsMelanges& moments,
                            const ContraintesActives& contraintes, double PrecisionSivia,
                            OrdreStockage Stockage, std::uint64_t limiteBoites,
                            const MomentsRetardes& retardes) {
    return Executer<const Repere&>(boiteInitiale, enAttente, rejetees, solution, repere, moments,
                                   contraintes, PrecisionSivia, Stockage, limiteBoites, retardes);
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
