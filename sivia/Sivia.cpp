#include "sivia/Sivia.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

} // namespace

ResolutionSivia::ResolutionSivia(const Box& boiteInitiale, BoxList& enAttente, BoxList& rejetees,
                                 BoxList& solution, const Repere& repere,
                                 const MomentsMelanges& moments,
                                 const ContraintesActives& contraintes, double PrecisionSivia,
                                 int Stockage, std::uint64_t limiteBoites)
    : EnAttente_(enAttente), Rejetees_(rejetees), Solution_(solution), Repere_(repere),
      Moments_(moments), Contraintes_(contraintes), Precision_(PrecisionSivia),
      Pile_(Stockage == StockagePile), Evaluer_(CritereSelectionne(contraintes)) {
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
    InverseLargeurX_ = InverseLargeur(boiteInitiale[1]);
    InverseLargeurY_ = InverseLargeur(boiteInitiale[2]);
    EnAttente_.PushBack(boiteInitiale);
    EnCours_ = true;
}

void ResolutionSivia::Terminer(StatutSivia statut) {
    EnAttente_.Clear();
    Resultat_.MeilleurCritere = MeilleurCritere_;
    Resultat_.Statut = statut;
    EnCours_ = false;
}

void ResolutionSivia::Arreter() {
    if (EnCours_) {
        Terminer(StatutSivia::ArreteParUtilisateur);
    }
}

void ResolutionSivia::Classer(const Box& B) {
    AireClassee_ += Part(B[1], InverseLargeurX_) * Part(B[2], InverseLargeurY_);
}

bool ResolutionSivia::Avancer(std::uint64_t nbBoites) {
    if (!EnCours_) {
        return false;
    }
    Box B, L, U;
    for (std::uint64_t n = 0; n < nbBoites; ++n) {
        if (EnAttente_.IsEmpty()) {
            Terminer(StatutSivia::Termine);
            return false;
        }
        if (Pile_) {
            B = EnAttente_.Back();
            EnAttente_.PopBack();
        } else {
            B = EnAttente_.Front();
            EnAttente_.PopFront();
        }
        ++Resultat_.NbPrises;

        // With fewer than two constraints selected the criterion is 0 everywhere.
        const double v = Evaluer_ ? EvalBorneInfCritere(Centre(B), Moments_, Contraintes_) : 0.0;
        if (!(v >= MeilleurCritere_)) {
            MeilleurCritere_ = v; // also when either value is NaN
        }
        const double f = Evaluer_ ? EvalBorneInfCritere(B, Moments_, Contraintes_) : 0.0;

        if (f > MeilleurCritere_) {
            Rejetees_.PushBack(B);
            ++Resultat_.NbRejetees;
            Classer(B);
            Repere_.DessinePave(B, CouleurBleue, CouleurBleue, BrossePleine);
            continue;
        }
        if (B.Width() >= Precision_) {
            const std::int32_t k = B.WidestComponent();
            BisectAt(B, L, U, k);
            // Only non-finite or adjacent bounds give a half as wide as its parent; such a
            // box can never get narrower, so it is kept instead of cut forever.
            const double w = B[k].Width();
            if (!(L[k].Width() >= w || U[k].Width() >= w)) {
                if (EnAttente_.Size() + Resultat_.NbRejetees + Resultat_.NbGardees + 2 > Limite_) {
                    Terminer(StatutSivia::ArreteALaLimite);
                    return false;
                }
                EnAttente_.PushBack(L);
                EnAttente_.PushBack(U);
                continue;
            }
        }
        Solution_.PushBack(B);
        ++Resultat_.NbGardees;
        Classer(B);
        Repere_.DessinePave(B, CouleurJaune, CouleurJaune, BrossePleine);
    }
    if (EnAttente_.IsEmpty()) {
        Terminer(StatutSivia::Termine);
        return false;
    }
    return true;
}

ResultatSivia ExecuterSivia(const Box& boiteInitiale, BoxList& enAttente, BoxList& rejetees,
                            BoxList& solution, const Repere& repere, const MomentsMelanges& moments,
                            const ContraintesActives& contraintes, double PrecisionSivia,
                            int Stockage, std::uint64_t limiteBoites) {
    ResolutionSivia r(boiteInitiale, enAttente, rejetees, solution, repere, moments, contraintes,
                      PrecisionSivia, Stockage, limiteBoites);
    while (r.Avancer(std::numeric_limits<std::uint64_t>::max())) {
    }
    return r.Resultat();
}

PrevisionSivia PrevoirSansRejet(const Box& boiteInitiale, double PrecisionSivia, int Stockage) {
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
