// The SIVIA loop as it was before the solver was tuned, kept word for word (the list type
// aside) as the reference that the tests compare the solver with bit for bit and that the
// benchmark times it against, on the lists of that time (ListeReference) or on BoxLists.
#pragma once

#include "sivia/Sivia.h"
#include "tests/support/ListeReference.h"

#include <algorithm>

template <class Liste>
ResultatSivia ExecuterSiviaReference(const Box& boiteInitiale, Liste& enAttente, Liste& rejetees,
                                     Liste& solution, const Repere& repere,
                                     const MomentsMelanges& moments,
                                     const ContraintesActives& contraintes, double PrecisionSivia,
                                     OrdreStockage Stockage, std::uint64_t limiteBoites) {
    ResultatSivia r;
    // Zero, a negative value or NaN would never let a box fall under the precision.
    if (!(PrecisionSivia > 0)) {
        r.Statut = StatutSivia::PrecisionRefusee;
        return r;
    }
    // Every list must also keep a count that fits its 32-bit Size().
    const std::uint64_t limite =
        std::min({limiteBoites, std::uint64_t{Liste::TailleMax} - rejetees.Size(),
                  std::uint64_t{Liste::TailleMax} - solution.Size()});
    const bool pile = Stockage == StockagePile;
    const bool evaluer = CritereSelectionne(contraintes);

    enAttente.Clear();
    if (limite == 0) {
        r.Statut = StatutSivia::ArreteALaLimite;
        return r;
    }
    enAttente.PushBack(boiteInitiale);
    double MeilleurCritere = 999.0;
    Box B, L, U;
    while (!enAttente.IsEmpty()) {
        if (pile) {
            B = enAttente.Back();
            enAttente.PopBack();
        } else {
            B = enAttente.Front();
            enAttente.PopFront();
        }
        ++r.NbPrises;

        // With fewer than two constraints selected the criterion is 0 everywhere.
        const double v = evaluer ? EvalBorneInfCritere(Centre(B), moments, contraintes) : 0.0;
        if (!(v >= MeilleurCritere)) {
            MeilleurCritere = v; // also when either value is NaN
        }
        const double f = evaluer ? EvalBorneInfCritere(B, moments, contraintes) : 0.0;

        if (f > MeilleurCritere) {
            rejetees.PushBack(B);
            ++r.NbRejetees;
            repere.DessinePave(B, CouleurBleue, CouleurBleue, BrossePleine);
            continue;
        }
        if (B.Width() >= PrecisionSivia) {
            const std::int32_t k = B.WidestComponent();
            BisectAt(B, L, U, k);
            // Only non-finite or adjacent bounds give a half as wide as its parent; such a
            // box can never get narrower, so it is kept instead of cut forever.
            const double w = B[k].Width();
            if (!(L[k].Width() >= w || U[k].Width() >= w)) {
                if (enAttente.Size() + r.NbRejetees + r.NbGardees + 2 > limite) {
                    enAttente.Clear();
                    r.MeilleurCritere = MeilleurCritere;
                    r.Statut = StatutSivia::ArreteALaLimite;
                    return r;
                }
                enAttente.PushBack(L);
                enAttente.PushBack(U);
                continue;
            }
        }
        solution.PushBack(B);
        ++r.NbGardees;
        repere.DessinePave(B, CouleurJaune, CouleurJaune, BrossePleine);
    }
    r.MeilleurCritere = MeilleurCritere;
    return r;
}
