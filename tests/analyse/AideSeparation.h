// A separation for the analysis tests: two generated sources, their mixtures, and a solve
// of the two decorrelations (or the constraints given) on lists of its own, with a frame
// that draws nothing.
#pragma once

#include "analyse/Rapport.h"
#include "signal/Generateurs.h"

#include "support/AideIntervalles.h"

inline constexpr ContraintesActives Decorrelations{true, true, false};

struct Separation {
    std::vector<double> s1, s2;
    Matrice2x2 A;
    Melanges m;
    BoxList enAttente, rejetees, solution;
    ResultatSivia r;

    Separation(TypeSource t1, TypeSource t2, Matrice2x2 a, std::uint64_t graine) : A(a) {
        GenerateurAleatoire alea;
        alea.Initialiser(graine);
        GenererSource(t1, 5000, 0.1f, alea, s1);
        GenererSource(t2, 5000, 0.1f, alea, s2);
        m = GenererMelanges(s1, s2, A, 5000, 0.1f);
    }
    RapportSolveur Resoudre(double precision, const Box& boite = Pave(-5, 5, -5, 5),
                            const ContraintesActives& c = Decorrelations,
                            const MomentsRetardes& retardes = {}) {
        const Repere sansImage{boite[2], boite[1], nullptr};
        r = ExecuterSivia(boite, enAttente, rejetees, solution, sansImage, m.Moments, c, precision,
                          StockageFile, UINT64_MAX, retardes);
        return EtablirRapport(r, 0, precision, solution, A, CalculerPuissances(s1, s2, 5000),
                              m.Moments, c, retardes);
    }
    bool DansUneBoiteGardee(PointPlan p) const {
        for (const Box& b : solution) {
            if (b[1].Lower() <= p.x && p.x <= b[1].Upper() && b[2].Lower() <= p.y &&
                p.y <= b[2].Upper()) {
                return true;
            }
        }
        return false;
    }
};
