#include "analyse/PointExact.h"
#include "analyse/RacinesOrdre2.h"
#include "analyse/Suggestion.h"
#include "sivia/Cumulants.h"
#include "sivia/Neguentropie.h"

#include "analyse/AideSeparation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

bool Dans(const RectanglePlan& z, PointPlan p) {
    return z.xmin <= p.x && p.x <= z.xmax && z.ymin <= p.y && p.y <= z.ymax;
}

double Distance(PointPlan a, PointPlan b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

Matrice2x2 MatriceAleatoire(GenerateurAleatoire& alea) {
    const auto entree = [&alea] { return ValeurUniforme(alea.TirageDixMille()) / 5; };
    return {1, entree(), entree(), 1};
}

const TypeSource Types[] = {TypeSource::BruitBlancGaussien, TypeSource::BruitBlancUniforme,
                            TypeSource::Cosinus, TypeSource::Sinus,
                            TypeSource::BruitColoreGaussien};

} // namespace

TEST(PointExact, EveryClusterHoldingAClosedFormRootRefinesToItAndProvesIt) {
    GenerateurAleatoire alea;
    // Random matrices, then ill-conditioned ones (large |b| and |c| of the same sign, nearly
    // singular), where clusters are extended and their centres far from the roots.
    const Matrice2x2 difficiles[] = {{1, 0.95, 0.9, 1},
                                     {1, -0.98, -0.97, 1},
                                     {1, 0.8, 1.2, 1},
                                     {1, 2, 0.45, 1},
                                     {1, 0.99, 0.99, 1}};
    int verifies = 0;
    for (int k = 0; k < 50; ++k) {
        const Matrice2x2 A = k < 40 ? MatriceAleatoire(alea) : difficiles[k % 5];
        Separation s(Types[k % 5], Types[(k / 5 + k) % 5], A, 300 + k);
        const RapportSolveur rapport = s.Resoudre(0.05, Pave(-4, 6, -5, 5));
        const RacinesOrdre2 r = CalculerRacinesOrdre2(s.m.Moments);
        for (const AmasQualifie& a : rapport.Amas) {
            const RectanglePlan zone = EnveloppeElargie(a.Groupe, 0.05);
            double ecart = INFINITY;
            for (const auto& racine : {r.Racine1, r.Racine2}) {
                if (racine && Dans(zone, *racine)) {
                    ecart = std::min(ecart, Distance(*racine, a.Exact.Point));
                }
            }
            if (std::isinf(ecart)) {
                continue;
            }
            ++verifies;
            EXPECT_LT(ecart, 1e-9) << k;
            EXPECT_EQ(a.Exact.Methode, MethodePoint::Newton);
            EXPECT_TRUE(a.Exact.Solution);
            EXPECT_LT(a.Exact.CritereRelatif, 1e-10);
            if (r.Etat == Identifiabilite::Bonne) {
                EXPECT_TRUE(a.Exact.Prouve) << k;
                EXPECT_TRUE(Dans(a.Exact.BoitePreuve, a.Exact.Point));
                EXPECT_LE(a.Exact.BoitePreuve.xmax - a.Exact.BoitePreuve.xmin, 0.11);
            }
        }
    }
    EXPECT_GT(verifies, 40);
}

TEST(PointExact, FourthOrderPairsVanishAtTheRefinedPointByTheSolversOwnConstraints) {
    const struct {
        ContraintesActives c;
        Interval (*a)(const Box&, const MomentsMelanges&);
        Interval (*b)(const Box&, const MomentsMelanges&);
    } paires[] = {
        {{true, false, true}, EvalDecorrelation, EvalMomentOrdre4},
        {{false, true, true}, EvalDecorrelationDerivees, EvalMomentOrdre4},
        {{true, true, true}, EvalDecorrelationDerivees, EvalMomentOrdre4},
    };
    const Matrice2x2 matrices[] = {{1, 0.6, -0.45, 1}, {1, -0.3, 0.5, 1}};
    int prouves = 0;
    for (const auto& p : paires) {
        for (const Matrice2x2& A : matrices) {
            Separation s(TypeSource::BruitBlancUniforme, TypeSource::Cosinus, A, 21);
            const RapportSolveur rapport = s.Resoudre(0.02, Pave(-3, 3, -3, 3), p.c);
            ASSERT_FALSE(rapport.Amas.empty());
            for (const AmasQualifie& a : rapport.Amas) {
                if (!a.Exact.Solution) {
                    continue;
                }
                const PointPlan q = a.Exact.Point;
                const Box point = Pave(Interval(q.x), Interval(q.y));
                // Scales: the same constraints at the hull's corner, far from any root.
                const Box coin = Pave(Interval(q.x + 1), Interval(q.y - 1));
                for (const auto f : {p.a, p.b}) {
                    EXPECT_LT(std::fabs(f(point, s.m.Moments).Lower()),
                              1e-12 * std::fabs(f(coin, s.m.Moments).Lower()));
                }
                EXPECT_LE(a.Exact.Critere, 1e-12);
                prouves += a.Exact.Prouve;
            }
            // The separating point of the uniform noise and the cosine is a solution.
            const PointsVrais v = CalculerPointsVrais(A);
            const bool trouve =
                std::any_of(rapport.Amas.begin(), rapport.Amas.end(), [&](const AmasQualifie& a) {
                    return a.Exact.Solution && Distance(a.Exact.Point, *v.Direct) < 0.05;
                });
            EXPECT_TRUE(trouve);
        }
    }
    EXPECT_GE(prouves, 6);
}

TEST(PointExact, TheProofBoxHoldsOneRootAndNotTheOther) {
    Separation s(TypeSource::Cosinus, TypeSource::BruitColoreGaussien, {1, 0.5, -0.4, 1}, 3);
    const RacinesOrdre2 r = CalculerRacinesOrdre2(s.m.Moments);
    ASSERT_TRUE(r.Racine1 && r.Racine2);
    // A zone holding both roots, and a precision so coarse that the first box tried would.
    const RectanglePlan zone{-6, 6, -6, 6};
    for (const PointPlan depart : {*r.Racine1, *r.Racine2}) {
        const PointExact e =
            AffinerPoint({depart.x + 0.01, depart.y - 0.01}, zone, s.m.Moments, Decorrelations, 20);
        EXPECT_EQ(e.NbRacines, 2);
        EXPECT_LT(Distance(e.Point, depart), 1e-9);
        ASSERT_TRUE(e.Prouve);
        EXPECT_TRUE(Dans(e.BoitePreuve, depart));
        const PointPlan autre = Distance(depart, *r.Racine1) < 1e-9 ? *r.Racine2 : *r.Racine1;
        EXPECT_FALSE(Dans(e.BoitePreuve, autre));
    }
}

TEST(PointExact, NoSolutionIsClaimedWhereTheCriterionCannotVanish) {
    Separation s(TypeSource::Cosinus, TypeSource::BruitColoreGaussien, {1, 0.5, -0.4, 1}, 3);
    const RacinesOrdre2 r = CalculerRacinesOrdre2(s.m.Moments);
    ASSERT_TRUE(r.Racine1 && r.Racine2);
    // The roots are near (-0.5, 0.4) and (2.5, -2): a search box away from both.
    const RapportSolveur rapport = s.Resoudre(0.01, Pave(0.5, 1.5, 0.5, 1.5));
    ASSERT_FALSE(rapport.Amas.empty());
    for (const AmasQualifie& a : rapport.Amas) {
        EXPECT_EQ(a.Exact.Methode, MethodePoint::Minimisation);
        EXPECT_FALSE(a.Exact.Solution);
        EXPECT_GT(a.Exact.CritereRelatif, 1e-3);
        EXPECT_FALSE(a.Exact.Prouve);
        EXPECT_EQ(a.Represente, PointRepresente::Aucun);
    }
    // A single constraint selects no pair: the hull's centre, claimed as nothing.
    const RapportSolveur seule = s.Resoudre(0.5, Pave(-1, 1, -1, 1), {true, false, false});
    ASSERT_EQ(seule.Amas.size(), 1u);
    EXPECT_EQ(seule.Amas[0].Exact.Methode, MethodePoint::Centre);
    EXPECT_FALSE(seule.Amas[0].Exact.Solution);
    EXPECT_LT(Distance(seule.Amas[0].Exact.Point, {0, 0}), 1e-12);
}

TEST(PointExact, CriteriaAlongTheLagZeroCurveRefineToTheirMinimiserByADenseSearch) {
    GenerateurAleatoire alea;
    ContraintesActives retards, cumulants, kurtosis, neguentropie, somme;
    retards.ContrainteDecorrelationRetardee = true;
    cumulants.ContrainteCumulants = true;
    kurtosis.ContrainteKurtosis = true;
    neguentropie.ContrainteNeguentropie = true;
    somme.ContrainteSommeKurtosis = true;
    const TypeSource colores[] = {TypeSource::BruitColoreGaussien, TypeSource::Sinus,
                                  TypeSource::BruitDeLaplace, TypeSource::BruitBlancUniforme};
    const struct {
        const ContraintesActives* c;
        std::vector<int> delais;
    } cas[] = {{&retards, {1, 2, 3, 4, 6, 8}},
               {&retards, {1, 5}},
               {&cumulants, {}},
               {&kurtosis, {}},
               {&neguentropie, {}},
               {&somme, {}}};
    int verifies = 0;
    for (int k = 0; k < 30; ++k) {
        const auto& [c, delais] = cas[k % std::size(cas)];
        Separation s(colores[(k + k / 4) % 4], colores[(k + 2 * (k / 4) + 1) % 4],
                     MatriceAleatoire(alea), 700 + k);
        MomentsRetardes r = CalculerMomentsRetardes(s.m.Melange1, s.m.Melange2, delais);
        if (c->ContrainteNeguentropie) {
            r.Neguentropie = CalculerTableNeguentropie(s.m.Melange1, s.m.Melange2);
        }
        const RapportSolveur rapport = s.Resoudre(0.02, Pave(-3, 3, -3, 3), *c, r);
        const auto critere = [&](double x, double y) {
            return c->ContrainteCumulants       ? CritereCumulantsAuPoint(x, y, s.m.Moments)
                   : c->ContrainteKurtosis      ? CritereKurtosisAuPoint(x, y, s.m.Moments)
                   : c->ContrainteSommeKurtosis ? CritereSommeKurtosisAuPoint(x, y, s.m.Moments)
                   : c->ContrainteNeguentropie  ? CritereNeguentropieAuPoint(x, y, *r.Neguentropie)
                                                : CritereRetardeAuPoint(x, y, s.m.Moments, r);
        };
        // The fourth-order contrasts hold the centred mixtures' curve.
        const MomentsMelanges courbe =
            c->ContrainteDecorrelationRetardee ? s.m.Moments : MomentsCentres(s.m.Moments);
        // What the dense search minimises: the criterion itself, or for the kurtosis contrasts
        // what they stand for, -(k1^2 + k2^2) or -|k1 + k2| from the estimates' own moments.
        const auto objectif = [&](double x, double y) {
            if (!c->ContrainteKurtosis && !c->ContrainteSommeKurtosis) {
                return critere(x, y);
            }
            const auto k1 = KurtosisEstimee1(courbe, {x, y}), k2 = KurtosisEstimee2(courbe, {x, y});
            return !(k1 && k2)             ? INFINITY
                   : c->ContrainteKurtosis ? -(*k1 * *k1 + *k2 * *k2)
                                           : -std::fabs(*k1 + *k2);
        };
        // An enclosure of the objective at a point: the objective itself, or for the
        // negentropy, which reads the samples at each point, its table's (checked against the
        // samples in the sivia tests), a few millionths wide.
        std::optional<critere_rapide::Neguentropie> table;
        if (c->ContrainteNeguentropie && r.Neguentropie->Valide) {
            table.emplace(s.m.Moments, r.Neguentropie, critere_rapide::Bornes{-INFINITY, INFINITY},
                          critere_rapide::Bornes{-INFINITY, INFINITY});
        }
        // Without a table (a singular covariance) no value: no solution may be claimed.
        const auto encadrement = [&](double x, double y) {
            const double v = table ? 0 : c->ContrainteNeguentropie ? NAN : objectif(x, y);
            return table ? table->Encadrement(x, y) : critere_rapide::Bornes{v, v};
        };
        for (const AmasQualifie& a : rapport.Amas) {
            // Dense search: the curve's points above and beside 50,001 abscissae each. Where
            // the objective is only enclosed, the least upper bound bounds its dense minimum,
            // within the largest width of the enclosures: a flat minimum is not one argmin.
            const RectanglePlan z = EnveloppeElargie(a.Groupe, 0.02);
            double meilleur = INFINITY, marge = 0;
            PointPlan argmin{};
            for (int i = 0; i <= 50000; ++i) {
                const double x = z.xmin + (z.xmax - z.xmin) * i / 50000;
                const double y = z.ymin + (z.ymax - z.ymin) * i / 50000;
                for (const PointPlan p : {PointPlan{x, CourbeOrdre0EnX(x, courbe)},
                                          PointPlan{CourbeOrdre0EnY(y, courbe), y}}) {
                    if (!Dans(z, p)) {
                        continue;
                    }
                    const critere_rapide::Bornes e = encadrement(p.x, p.y);
                    marge = std::max(marge, e.up - e.lo);
                    if (e.up < meilleur) {
                        meilleur = e.up, argmin = p;
                    }
                }
            }
            if (std::isinf(meilleur)) {
                EXPECT_FALSE(a.Exact.Solution) << k; // the curve misses the hull
                continue;
            }
            ++verifies;
            EXPECT_TRUE(a.Exact.Solution) << k;
            EXPECT_EQ(a.Exact.Methode, MethodePoint::Minimisation) << k;
            EXPECT_TRUE(Dans(z, a.Exact.Point)) << k;
            EXPECT_LE(a.Exact.Critere, critere(argmin.x, argmin.y) * (1 + 1e-9) + marge) << k;
            EXPECT_DOUBLE_EQ(a.Exact.Critere, critere(a.Exact.Point.x, a.Exact.Point.y)) << k;
            // As good as the dense search in its own terms (for the kurtosis contrast, the
            // squared kurtosis it stands for): near its point, or at a minimum of the same value.
            EXPECT_LE(objectif(a.Exact.Point.x, a.Exact.Point.y),
                      meilleur + 1e-9 * std::fabs(meilleur) + marge)
                << k << ": " << Distance(a.Exact.Point, argmin);
        }
    }
    EXPECT_GT(verifies, 30);
}
