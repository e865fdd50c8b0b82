// Moment constraints on a box of demixing parameters (x, y) = (component 1, component 2),
// for the estimated sources s1 = x1 + x.x2 and s2 = y.x1 + x2. Each constraint is a
// polynomial in x and y whose coefficients are means of the mixtures, evaluated with
// interval arithmetic in a fixed order of operations (the width of the result depends on it).
#pragma once

#include "interval/Box.h"
#include "interval/Interval.h"
#include "sivia/Moments.h"

struct ContraintesActives {
    bool ContrainteDecorrelation = true;
    bool ContrainteDecorrelationDerivees = true;
    bool ContrainteMomentOrdre4 = false;
    // "Décorrélation retardée" (sivia/Retards.h): when on, the solver holds the lag-0
    // decorrelation as a test and minimises the delayed criterion; the three flags above and
    // EvalCritere then take no part in the solve.
    bool ContrainteDecorrelationRetardee = false;
    // "Cumulants d'ordre 4" (sivia/Cumulants.h): the lag-0 decorrelation held as a test and
    // the estimates' squared cross-cumulants minimised along it, as the delayed criterion is
    // (which takes precedence when both are on).
    bool ContrainteCumulants = false;
    // "Kurtosis (contraste d'ordre 4)" (sivia/Cumulants.h): the lag-0 decorrelation held as a
    // test and the estimates' squared excess kurtosis maximised along it (after the delays and
    // the cumulants).
    bool ContrainteKurtosis = false;
    // "Néguentropie" (sivia/Neguentropie.h): the lag-0 decorrelation held as a test and the
    // estimates' approximate negentropy maximised along it (after the other contrasts).
    bool ContrainteNeguentropie = false;
    // "Somme des kurtosis (contraste d'ordre 4)" (sivia/Cumulants.h): the lag-0 decorrelation
    // held as a test and |k1 + k2| maximised along it, as FastICA's cube (after the above).
    bool ContrainteSommeKurtosis = false;
};

// The criterion minimised along the lag-0 curve, the first of the flags on in this order.
enum class CritereCourbe { Aucun, Retards, Cumulants, Kurtosis, Neguentropie, SommeKurtosis };
constexpr CritereCourbe CritereSurCourbe(const ContraintesActives& c) {
    return c.ContrainteDecorrelationRetardee ? CritereCourbe::Retards
           : c.ContrainteCumulants           ? CritereCourbe::Cumulants
           : c.ContrainteKurtosis            ? CritereCourbe::Kurtosis
           : c.ContrainteNeguentropie        ? CritereCourbe::Neguentropie
           : c.ContrainteSommeKurtosis       ? CritereCourbe::SommeKurtosis
                                             : CritereCourbe::Aucun;
}

// Encloses E[s1.s2] over the box.
Interval EvalDecorrelation(const Box& boite, const MomentsMelanges& m);
// Encloses E[s1'.s2'] over the box.
Interval EvalDecorrelationDerivees(const Box& boite, const MomentsMelanges& m);
// Encloses E[s1.s2^3] over the box.
Interval EvalMomentOrdre4(const Box& boite, const MomentsMelanges& m);

// A one-component box: Max(Abs, Abs) of the selected pair of constraints (with all three
// flags, derivatives and moment); with fewer than two flags the component keeps Lower 0.
Box EvalCritere(const Box& boite, const MomentsMelanges& m, const ContraintesActives& c);

// EvalCritere(...)[1].Lower(), without building the box and skipping the constraints that
// take no part: the solver's path.
double EvalBorneInfCritere(const Box& boite, const MomentsMelanges& m, const ContraintesActives& c);

// The pair of constraints that the criterion combines; with all three flags, derivatives and
// moment (later pairs replace earlier ones).
enum class PaireCritere { Aucune, SourcesDerivees, SourcesMoment, DeriveesMoment };

constexpr PaireCritere PaireSelectionnee(const ContraintesActives& c) {
    if (c.ContrainteDecorrelationDerivees && c.ContrainteMomentOrdre4) {
        return PaireCritere::DeriveesMoment;
    }
    if (c.ContrainteDecorrelation && c.ContrainteMomentOrdre4) {
        return PaireCritere::SourcesMoment;
    }
    if (c.ContrainteDecorrelation && c.ContrainteDecorrelationDerivees) {
        return PaireCritere::SourcesDerivees;
    }
    return PaireCritere::Aucune;
}

// True when two flags or more select a pair: otherwise the criterion's Lower is always 0.
constexpr bool CritereSelectionne(const ContraintesActives& c) {
    return (c.ContrainteDecorrelation ? 1 : 0) + (c.ContrainteDecorrelationDerivees ? 1 : 0) +
               (c.ContrainteMomentOrdre4 ? 1 : 0) >=
           2;
}
