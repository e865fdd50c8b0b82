#include "sivia/Contraintes.h"

namespace {

// ((Y.a + b) + (X.Y).b) + X.c, the shape shared by both decorrelations.
inline Interval Decorrelation(const Box& boite, double a, double b, double c) {
    const Interval& X = boite[1];
    const Interval& Y = boite[2];
    const Interval p1 = Y * Interval(a);
    const Interval p2 = (X * Y) * Interval(b);
    const Interval p3 = X * Interval(c);
    return ((p1 + Interval(b)) + p2) + p3;
}

inline Interval Critere(PaireCritere p, const Box& boite, const MomentsMelanges& m) {
    switch (p) {
    case PaireCritere::SourcesDerivees:
        return Max(Abs(EvalDecorrelation(boite, m)), Abs(EvalDecorrelationDerivees(boite, m)));
    case PaireCritere::SourcesMoment:
        return Max(Abs(EvalDecorrelation(boite, m)), Abs(EvalMomentOrdre4(boite, m)));
    case PaireCritere::DeriveesMoment:
        return Max(Abs(EvalDecorrelationDerivees(boite, m)), Abs(EvalMomentOrdre4(boite, m)));
    case PaireCritere::Aucune:
        break;
    }
    return Interval();
}

} // namespace

Interval EvalDecorrelation(const Box& boite, const MomentsMelanges& m) {
    return Decorrelation(boite, m.Ex1x1, m.Ex1x2, m.Ex2x2);
}

Interval EvalDecorrelationDerivees(const Box& boite, const MomentsMelanges& m) {
    return Decorrelation(boite, m.Edx1dx1, m.Edx1dx2, m.Edx2dx2);
}

Interval EvalMomentOrdre4(const Box& boite, const MomentsMelanges& m) {
    const Interval& X = boite[1];
    const Interval& Y = boite[2];
    const Interval trois(3.0);
    const auto M = [&m](int a, int k) { return Interval(m.Moments4[a - 1][k]); };
    const Interval Y2 = Power(Y, 2);
    const Interval Y3 = Power(Y, 3);
    const Interval T1 = Y3 * M(1, 0);
    const Interval T2 = (trois * Y2) * M(1, 1);
    const Interval T3 = (trois * Y) * M(1, 2);
    const Interval T4 = M(1, 3);
    const Interval T5 = (X * Y3) * M(2, 0);
    const Interval T6 = ((trois * X) * Y2) * M(2, 1);
    const Interval T7 = ((trois * X) * Y) * M(2, 2);
    const Interval T8 = X * M(2, 3);
    return ((((((T1 + T2) + T3) + T4) + T5) + T6) + T7) + T8;
}

Box EvalCritere(const Box& boite, const MomentsMelanges& m, const ContraintesActives& c) {
    Box resultat(1, 1);
    const PaireCritere p = PaireSelectionnee(c);
    if (p != PaireCritere::Aucune) {
        resultat[1] = Critere(p, boite, m);
    }
    return resultat;
}

double EvalBorneInfCritere(const Box& boite, const MomentsMelanges& m,
                           const ContraintesActives& c) {
    const PaireCritere p = PaireSelectionnee(c);
    return p == PaireCritere::Aucune ? 0.0 : Critere(p, boite, m).Lower();
}
