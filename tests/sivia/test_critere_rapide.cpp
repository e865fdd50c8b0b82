#include "sivia/CritereRapide.h"

#include "support/AideIntervalles.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <limits>
#include <random>

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// Bit for bit, any NaN matching any NaN (its payload is no result of the criterion).
bool Identiques(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) ||
           (std::isnan(a) && std::isnan(b));
}

// Mostly ordinary values, often the ones where Interval's rules branch: signed zeros,
// infinities, NaN, huge and subnormal values.
double Valeur(std::mt19937_64& g) {
    static constexpr double speciales[] = {0.0,  -0.0, 1,     -1,     0.5,     inf,
                                           -inf, NaN,  1e300, -1e300, DBL_MAX, 4e-320};
    return g() % 3 == 0 ? speciales[g() % std::size(speciales)]
                        : std::uniform_real_distribution<double>(-4, 4)(g);
}

// A component in any state a solve can carry: single value, genuine interval, reversed or
// one-point interval with IsInterval set.
Interval Composante(std::mt19937_64& g) {
    Interval I(Valeur(g), Valeur(g));
    switch (g() % 4) {
    case 0:
        return Interval(I.Lo);
    case 1:
        std::swap(I.Lo, I.Hi), I.IsInterval = 1;
        return I;
    case 2:
        I.Hi = I.Lo, I.IsInterval = 1;
        return I;
    }
    return I;
}

} // namespace

TEST(CritereRapide, GivesTheIntervalCriterionBitForBitOnBoxesAndCentres) {
    std::mt19937_64 g(91);
    const ContraintesActives paires[] = {
        {true, true, false}, {true, false, true}, {false, true, true}, {true, true, true}};
    for (int essai = 0; essai < 200000; ++essai) {
        MomentsMelanges m;
        for (double* v : {&m.Ex1x1, &m.Ex1x2, &m.Ex2x2, &m.Edx1dx1, &m.Edx1dx2, &m.Edx2dx2}) {
            *v = Valeur(g);
        }
        for (auto& ligne : m.Moments4) {
            for (double& v : ligne) {
                v = Valeur(g);
            }
        }
        const Box b = Pave(Composante(g), Composante(g));
        const ContraintesActives c = paires[essai % 4];
        const critere_rapide::Bornes X{b[1].Lower(), b[1].Upper()}, Y{b[2].Lower(), b[2].Upper()};
        double surPave = 0, auPoint = 0;
        switch (PaireSelectionnee(c)) {
        case PaireCritere::SourcesDerivees: {
            const critere_rapide::Critere<PaireCritere::SourcesDerivees> k{m};
            surPave = k.SurPave(X, Y), auPoint = k.AuPoint(b[1].Midpoint(), b[2].Midpoint());
            break;
        }
        case PaireCritere::SourcesMoment: {
            const critere_rapide::Critere<PaireCritere::SourcesMoment> k{m};
            surPave = k.SurPave(X, Y), auPoint = k.AuPoint(b[1].Midpoint(), b[2].Midpoint());
            break;
        }
        default: {
            const critere_rapide::Critere<PaireCritere::DeriveesMoment> k{m};
            surPave = k.SurPave(X, Y), auPoint = k.AuPoint(b[1].Midpoint(), b[2].Midpoint());
        }
        }
        ASSERT_TRUE(Identiques(surPave, EvalBorneInfCritere(b, m, c)))
            << essai << ": " << Texte(b) << " " << surPave;
        ASSERT_TRUE(Identiques(auPoint, EvalBorneInfCritere(Centre(b), m, c)))
            << essai << ": " << Texte(b) << " " << auPoint;
    }
}

TEST(CritereRapide, OrderedDecorrelationsGiveTheIntervalCriterionBitForBit) {
    std::mt19937_64 g(17);
    const double bornes[] = {0.0, -0.0, 1e50, -1e50, 4e-320, 1e-200};
    auto valeur = [&] {
        return g() % 4 == 0 ? bornes[g() % std::size(bornes)]
                            : std::ldexp(std::uniform_real_distribution<double>(-1, 1)(g),
                                         static_cast<int>(g() % 40) - 20);
    };
    const ContraintesActives deux{true, true, false};
    for (int essai = 0; essai < 200000; ++essai) {
        MomentsMelanges m;
        for (double* v : {&m.Ex1x1, &m.Ex1x2, &m.Ex2x2, &m.Edx1dx1, &m.Edx1dx2, &m.Edx2dx2}) {
            *v = valeur();
        }
        const Box b = Pave(g() % 5 ? Interval(valeur(), valeur()) : Interval(valeur()),
                           g() % 5 ? Interval(valeur(), valeur()) : Interval(valeur()));
        ASSERT_TRUE(critere_rapide::DecorrelationsOrdonnees::Applicable(b[1], b[2], m));
        const critere_rapide::DecorrelationsOrdonnees k(m);
        const double v = k.SurPave({b[1].Lower(), b[1].Upper()}, {b[2].Lower(), b[2].Upper()});
        ASSERT_TRUE(Identiques(v, EvalBorneInfCritere(b, m, deux))) << essai << ": " << Texte(b);
        const double c = k.AuPoint(b[1].Midpoint(), b[2].Midpoint());
        ASSERT_TRUE(Identiques(c, EvalBorneInfCritere(Centre(b), m, deux)))
            << essai << ": " << Texte(b);
    }
    for (int signes = 0; signes < 8; ++signes) { // a centre where both are zero: +0, never -0
        const double z[2] = {0.0, -0.0};
        MomentsMelanges m;
        m.Ex1x1 = m.Ex2x2 = m.Edx1dx1 = m.Edx2dx2 = 1;
        m.Ex1x2 = m.Edx1dx2 = z[signes & 1];
        const Box b = Pave(Interval(z[(signes >> 1) & 1]), Interval(z[signes >> 2]));
        const double c = critere_rapide::DecorrelationsOrdonnees(m).AuPoint(b[1].Lo, b[2].Lo);
        EXPECT_TRUE(Identiques(c, EvalBorneInfCritere(Centre(b), m, deux))) << signes;
    }
    Box inverse = Pave(0, 1, 0, 1);
    std::swap(inverse[1].Lo, inverse[1].Hi);
    for (const Box& b : {inverse, Pave(0, 1e51, 0, 1), Pave(0, NaN, 0, 1)}) {
        EXPECT_FALSE(critere_rapide::DecorrelationsOrdonnees::Applicable(b[1], b[2], {}));
    }
}
