#include "analyse/AideSeparation.h"
#include "analyse/RacinesOrdre2.h"
#include "analyse/Rapport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

TEST(Rapport, CosineAndColouredNoiseGiveTwoPointLikeClustersAtTheTruePoints) {
    const Matrice2x2 matrices[] = {
        {1, 0.62, -0.35, 1}, {1, -0.48, 0.81, 1}, {1, -0.7, -0.6, 1}, {1, 0.9, -0.25, 1}};
    for (const Matrice2x2& A : matrices) {
        Separation s(TypeSource::Cosinus, TypeSource::BruitColoreGaussien, A, 11);
        const RapportSolveur rapport = s.Resoudre(0.01);
        ASSERT_EQ(rapport.Amas.size(), 2u) << A.a12 << " " << A.a21;
        EXPECT_EQ(rapport.Resultat.NbGardees, s.solution.Size());
        // Source 1 (the cosine) has the smaller ratio E[s'^2] / E[s^2]: root 1 is the
        // estimate of the direct point.
        const RacinesOrdre2 racines = CalculerRacinesOrdre2(s.m.Moments);
        EXPECT_EQ(racines.Etat, Identifiabilite::Bonne);
        ASSERT_TRUE(racines.Racine1 && racines.Racine2);
        EXPECT_TRUE(s.DansUneBoiteGardee(*racines.Racine1));
        EXPECT_TRUE(s.DansUneBoiteGardee(*racines.Racine2));
        const PointRepresente attendus[] = {PointRepresente::Direct, PointRepresente::Permute};
        for (const PointRepresente p : attendus) {
            const auto a = std::find_if(rapport.Amas.begin(), rapport.Amas.end(),
                                        [p](const AmasQualifie& a) { return a.Represente == p; });
            ASSERT_NE(a, rapport.Amas.end());
            EXPECT_FALSE(a->Groupe.Etendu);
            EXPECT_GT(*a->QualiteCentre->Sir1, 20);
            EXPECT_GT(*a->QualiteCentre->Sir2, 20);
            EXPECT_TRUE(a->Groupe.Contient(p == PointRepresente::Direct ? *racines.Racine1
                                                                        : *racines.Racine2));
        }
        // Each solution's exact point lies far nearer to its own true point than to the
        // other one (the sample roots miss the true points by up to a few tens of boxes).
        for (const AmasQualifie& a : rapport.Amas) {
            ASSERT_TRUE(a.EcartDirect && a.EcartPermute);
            const bool direct = a.Represente == PointRepresente::Direct;
            EXPECT_LT(10 * (direct ? *a.EcartDirect : *a.EcartPermute),
                      direct ? *a.EcartPermute : *a.EcartDirect);
        }
    }
}

TEST(Rapport, TwoWhiteNoisesGiveAnExtendedClusterAndTheWarning) {
    Separation s(TypeSource::BruitBlancGaussien, TypeSource::BruitBlancGaussien,
                 {1, 0.62, -0.35, 1}, 5);
    const RapportSolveur rapport = s.Resoudre(0.01);
    ASSERT_FALSE(rapport.Amas.empty());
    EXPECT_TRUE(rapport.Amas[0].Groupe.Etendu);
    EXPECT_NE(CalculerRacinesOrdre2(s.m.Moments).Etat, Identifiabilite::Bonne);
}

TEST(Rapport, EveryExactRootLiesInAKeptBox) {
    const TypeSource types[] = {TypeSource::BruitBlancGaussien, TypeSource::BruitBlancUniforme,
                                TypeSource::Cosinus, TypeSource::Sinus,
                                TypeSource::BruitColoreGaussien};
    GenerateurAleatoire alea;
    int racines = 0;
    for (int k = 0; k < 40; ++k) {
        const auto entree = [&alea] { return ValeurUniforme(alea.TirageDixMille()) / 5; };
        const Matrice2x2 A{1, entree(), entree(), 1};
        Separation s(types[k % 5], types[(k / 5 + k) % 5], A, 100 + k);
        s.Resoudre(0.05, Pave(-4, 6, -5, 5));
        const RacinesOrdre2 r = CalculerRacinesOrdre2(s.m.Moments);
        for (const auto& p : {r.Racine1, r.Racine2}) {
            if (p && -4 <= p->x && p->x <= 6 && -5 <= p->y && p->y <= 5) {
                ++racines;
                EXPECT_TRUE(s.DansUneBoiteGardee(*p)) << k << ": " << p->x << ", " << p->y;
            }
        }
    }
    EXPECT_GT(racines, 40);
}
