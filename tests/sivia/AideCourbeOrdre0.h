// For the criteria minimised along the lag-0 curve: a solve over [lo, up]^2 checked against
// the criterion's minimiser on the curve found by a search independent of the solver.
#pragma once

#include "sivia/Sivia.h"

#include "support/AideIntervalles.h"

#include <gtest/gtest.h>

#include <cmath>

inline bool DansUneBoite(const BoxList& l, double x, double y) {
    for (const Box& b : l) {
        if (b[1].Lower() <= x && x <= b[1].Upper() && b[2].Lower() <= y && y <= b[2].Upper()) {
            return true;
        }
    }
    return false;
}

// The minimiser of `critere` on the curve in the box (infinite value: the curve misses it),
// after checking that the solve keeps it, and its permuted point (1/y, 1/x) that gives the
// same criterion by symmetry, in a box, and that its best value comes from the curve.
template <class F>
PointCourbeOrdre0 VerifierMinimiseurGarde(const MomentsMelanges& m, const MomentsRetardes& r,
                                          const ContraintesActives& c, double lo, double up,
                                          double precision, OrdreStockage ordre, F critere,
                                          int essai) {
    // The fourth-order contrasts hold the centred mixtures' curve.
    const PointCourbeOrdre0 p = MinimiserSurCourbeOrdre0(
        c.ContrainteDecorrelationRetardee ? m : MomentsCentres(m), lo, up, lo, up, 6000, critere);
    BoxList enAttente, rejetees, gardees;
    const ResultatSivia s = ExecuterSivia(Pave(lo, up, lo, up), enAttente, rejetees, gardees,
                                          Repere{}, m, c, precision, ordre, UINT64_MAX, r);
    EXPECT_EQ(s.Statut, StatutSivia::Termine);
    if (!std::isfinite(p.valeur)) {
        return p;
    }
    EXPECT_GE(s.MeilleurCritere, p.valeur * (1 - 1e-12)) << essai;
    EXPECT_GT(s.NbRejetees, 0u) << essai;
    EXPECT_TRUE(DansUneBoite(gardees, p.x, p.y)) << essai << ": " << p.x << ", " << p.y;
    const double px = 1 / p.y, py = 1 / p.x;
    if (lo <= px && px <= up && lo <= py && py <= up) {
        EXPECT_TRUE(DansUneBoite(gardees, px, py)) << essai << ": " << px << ", " << py;
    }
    return p;
}
