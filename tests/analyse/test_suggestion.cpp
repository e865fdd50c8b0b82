#include "analyse/Suggestion.h"

#include "analyse/AideSeparation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>

namespace {

double Moyenne(const std::vector<double>& s, int puissance) {
    double m = 0;
    for (const double v : s) {
        m += std::pow(v, puissance);
    }
    return m / double(s.size());
}

// The mixtures' lagged covariance of sources with correlation coefficients rho1, rho2 at that
// delay: A.diag(rho1.P1, rho2.P2).A^T.
CovarianceRetardee Retardee(int retard, const Separation& s, double rho1, double rho2) {
    const double u = rho1 * Moyenne(s.s1, 2), v = rho2 * Moyenne(s.s2, 2);
    const Matrice2x2& A = s.A;
    return {retard,
            {A.a11 * A.a11 * u + A.a12 * A.a12 * v, A.a11 * A.a21 * u + A.a12 * A.a22 * v,
             A.a21 * A.a21 * u + A.a22 * A.a22 * v}};
}

} // namespace

TEST(Suggestion, TheGaugeNamesTheSetThatCanSeparate) {
    const Matrice2x2 A{1, 0.5, -0.4, 1};
    Separation coloree(TypeSource::Cosinus, TypeSource::BruitColoreGaussien, A, 1);
    Separation normales(TypeSource::BruitBlancGaussien, TypeSource::BruitBlancGaussien, A, 2);
    Separation uniformes(TypeSource::BruitBlancUniforme, TypeSource::BruitBlancUniforme, A, 3);
    Separation memes(TypeSource::BruitColoreGaussien, TypeSource::BruitColoreGaussien, A, 4);
    memes.s2 = memes.s1;
    memes.m = GenererMelanges(memes.s1, memes.s2, A, 5000, 0.1f);
    const std::vector<CovarianceRetardee> differentes = {Retardee(1, normales, 0.3, 0.31),
                                                         Retardee(3, normales, 0.5, 0.1),
                                                         Retardee(2, normales, 0.2, 0.4)};
    const auto egales = [](const Separation& s) {
        return std::vector<CovarianceRetardee>{Retardee(1, s, 0.3, 0.3),
                                               Retardee(4, s, -0.2, -0.2)};
    };
    const struct {
        const Separation& s;
        std::vector<CovarianceRetardee> retards;
        JeuContraintes jeu;
        std::vector<int> delais;
        ContraintesActives contraintes;
        const char* debut;
    } cas[] = {
        {coloree,
         {},
         JeuContraintes::Ordre2,
         {},
         {true, true, false},
         "Les spectres des deux sources diffèrent"},
        {normales,
         {},
         JeuContraintes::Retards,
         {1, 2, 3, 4, 5, 6, 7, 8},
         {true, true, false},
         "Les spectres des deux sources se ressemblent et leurs lois sont proches de la loi "
         "normale"},
        {uniformes,
         {},
         JeuContraintes::Ordre4,
         {},
         {false, true, true},
         "Les spectres des deux sources se ressemblent : essayez la décorrélation retardée "
         "(retards 1 à 8) ou le moment d'ordre 4."},
        {normales,
         differentes,
         JeuContraintes::Retards,
         {2, 3},
         {true, true, false},
         "Les spectres des deux sources se ressemblent aux petits retards"},
        {normales,
         egales(normales),
         JeuContraintes::Aucun,
         {},
         {true, true, false},
         "Ni les spectres"},
        {uniformes,
         egales(uniformes),
         JeuContraintes::Ordre4,
         {},
         {false, true, true},
         "Les spectres des deux sources se ressemblent à tous les retards"},
        {memes,
         {},
         JeuContraintes::Aucun,
         {},
         {true, true, false},
         "Racines exactes indéfinies : les deux mélanges sont proportionnels"},
    };
    for (const auto& c : cas) {
        const Suggestion s = SuggererContraintes(c.s.m.Moments, std::nullopt, c.retards);
        EXPECT_EQ(s.Jeu, c.jeu) << s.Message;
        EXPECT_EQ(s.Retards, c.delais) << s.Message;
        EXPECT_EQ(s.Contraintes.ContrainteDecorrelation, c.contraintes.ContrainteDecorrelation);
        EXPECT_EQ(s.Contraintes.ContrainteMomentOrdre4, c.contraintes.ContrainteMomentOrdre4);
        EXPECT_EQ(s.Message.rfind(c.debut, 0), 0u) << s.Message;
        EXPECT_EQ(s.EcartRetards.has_value(), !c.retards.empty());
    }
}

TEST(Suggestion, KurtosisAtTheTruePointIsTheSourcesOwn) {
    const TypeSource types[] = {TypeSource::BruitBlancUniforme, TypeSource::Cosinus,
                                TypeSource::BruitBlancGaussien};
    const Matrice2x2 matrices[] = {{1, 0.5, -0.4, 1}, {2, -0.3, 0.7, 1.5}};
    for (const Matrice2x2& A : matrices) {
        for (int k = 0; k < 3; ++k) {
            Separation s(types[k], types[(k + 1) % 3], A, 30 + k);
            const PointPlan p = *CalculerPointsVrais(A).Direct;
            // The sources are centred only approximately: compare with their own moments.
            const auto kurtosis = [](const std::vector<double>& v) {
                return Moyenne(v, 4) / (Moyenne(v, 2) * Moyenne(v, 2)) - 3;
            };
            EXPECT_NEAR(*KurtosisEstimee1(s.m.Moments, p), kurtosis(s.s1), 1e-9);
            EXPECT_NEAR(*KurtosisEstimee2(s.m.Moments, p), kurtosis(s.s2), 1e-9);
        }
    }
    EXPECT_FALSE(KurtosisEstimee1(MomentsMelanges{}, {0, 0}));
}

TEST(Suggestion, TheProposedBoxHoldsEveryPointOrIsTheDefault) {
    const RectanglePlan defaut{-5, 5, -5, 5};
    const double nan = std::nan("");
    const struct {
        std::vector<std::optional<PointPlan>> points;
        RectanglePlan boite;
        bool modifiee, complete;
    } cas[] = {
        {{PointPlan{-0.5, 0.4}, PointPlan{2.5, -2}}, defaut, false, true},
        {{PointPlan{5, -5}, std::nullopt, PointPlan{nan, 1}}, defaut, false, true},
        {{PointPlan{-0.5, 0.4}, PointPlan{12, -30}}, {-5, 15, -37.5, 5}, true, true},
        {{PointPlan{0.5, 5.2}}, {-5, 5, -5, 6.5}, true, true},
        {{PointPlan{-0.5, 0.4}, PointPlan{1e6, 0}}, defaut, false, false},
    };
    for (const auto& c : cas) {
        const BoiteProposee b = ProposerBoite(c.points, defaut);
        EXPECT_EQ(b.Boite.xmin, c.boite.xmin);
        EXPECT_EQ(b.Boite.xmax, c.boite.xmax);
        EXPECT_EQ(b.Boite.ymin, c.boite.ymin);
        EXPECT_EQ(b.Boite.ymax, c.boite.ymax);
        EXPECT_EQ(b.Modifiee, c.modifiee);
        EXPECT_EQ(b.Complete, c.complete);
    }
    // Near the origin the margin is 1, not a quarter of the coordinate.
    const BoiteProposee petite = ProposerBoite({PointPlan{2, 0.5}}, {-1, 1, -1, 1});
    EXPECT_EQ(petite.Boite.xmax, 3);
    EXPECT_EQ(petite.Boite.ymax, 1.5);
}

TEST(Suggestion, TheProposedBoxFindsBothSolutionsBeyondTheDefaultOne) {
    const Matrice2x2 matrices[] = {
        {1, 0.15, -0.6, 1}, {1, -0.05, 0.4, 1}, {1, 0.7, 0.1, 1}, {1, -0.12, -0.08, 1}};
    for (const Matrice2x2& A : matrices) {
        Separation s(TypeSource::Cosinus, TypeSource::BruitColoreGaussien, A, 8);
        const RacinesOrdre2 r = CalculerRacinesOrdre2(s.m.Moments);
        const BoiteProposee b = ProposerBoite({r.Racine1, r.Racine2}, {-5, 5, -5, 5});
        ASSERT_TRUE(b.Modifiee && b.Complete);
        const RectanglePlan& z = b.Boite;
        const RapportSolveur rapport = s.Resoudre(0.05, Pave(z.xmin, z.xmax, z.ymin, z.ymax));
        EXPECT_TRUE(s.DansUneBoiteGardee(*r.Racine1) && s.DansUneBoiteGardee(*r.Racine2));
        int represente = 0;
        for (const AmasQualifie& a : rapport.Amas) {
            represente |= a.Represente == PointRepresente::Direct    ? 1
                          : a.Represente == PointRepresente::Permute ? 2
                                                                     : 0;
        }
        EXPECT_EQ(represente, 3) << A.a12 << " " << A.a21;
    }
}

namespace {

// Sources built so that one set only can separate them: N samples of Gaussian (or Laplace /
// uniform) white noises e, f, g, each source a moving sum of its own noise.
struct SourcesConnues {
    const char* nom;
    int loi1, loi2; // 0 Gaussian, 1 Laplace, 2 uniform, 3 binary (kurtosis -2), 4 sparse (+2)
    std::vector<double> filtre1, filtre2; // s[n] = sum filtre[k].e[n - k]
};

std::vector<double> Filtrer(std::mt19937_64& g, int loi, const std::vector<double>& filtre, int n) {
    std::normal_distribution<double> normale;
    std::exponential_distribution<double> exponentielle;
    std::uniform_real_distribution<double> uniforme(-1, 1);
    std::vector<double> e(n + filtre.size()), s(n);
    for (double& v : e) {
        const double signe = g() % 2 ? 1 : -1;
        v = loi == 0   ? normale(g)
            : loi == 1 ? signe * exponentielle(g)
            : loi == 2 ? uniforme(g)
            : loi == 3 ? signe
                       : (g() % 5 == 0 ? signe : 0.0); // +-1 one time in five
    }
    for (int i = 0; i < n; ++i) {
        for (std::size_t k = 0; k < filtre.size(); ++k) {
            s[i] += filtre[k] * e[i + filtre.size() - 1 - k];
        }
    }
    return s;
}

} // namespace

// A set's evidence is its signal in units of its own sampling noise: the gap between the
// sources' correlation coefficients (at lag 1, or at the best delay) times sqrt(N), the
// largest excess kurtosis over sqrt(24 / N), or |k1 + k2| over sqrt(48 / N); a set without
// signal stays below the gate. Each set must show its evidence before the halves of the
// mixtures may name it; degenerate mixtures are undefined whatever the rounding.
TEST(Suggestion, EachSetsEvidenceIsItsSignalAndTheHalvesNameASetThatHasIt) {
    enum Copie { Aucune, Meme, Fichier, Proportionnelle, Muette };
    using J = JeuContraintes;
    constexpr int n = 20000;
    const double rn = std::sqrt(double(n)), k4 = std::sqrt(n / 24.0), ks = std::sqrt(n / 48.0);
    struct Preuves {
        // Expected evidence; 0: below the gate; NaN: not read.
        double ordre2 = NAN, retards = NAN, ordre4 = NAN, somme = NAN;
    };
    const struct {
        SourcesConnues sources;
        Copie copie; // source 2 made from source 1 (Aucune: its own noise)
        JeuContraintes jeu;
        const char* message;
        Preuves preuves;
    } cas[] = {
        // Laplace (excess kurtosis 3) and uniform (-1.2), both white: fourth order or
        // negentropy only (the negentropy's halves agree best: 39 dB against 22 for the
        // kurtosis contrast's).
        {{"laplace-uniforme", 1, 2, {1}, {1}},
         Aucune,
         J::Neguentropie,
         "néguentropie",
         {0, 0, 3 * k4, 1.8 * ks}},
        // Non-Gaussian laws and different spectra: every set has evidence, and the default
        // pair's halves come within MargeAccordDb of the higher-order sets' best.
        {{"laplace-colore-uniforme", 1, 2, {1, 1}, {1}}, Aucune, J::Ordre2, "ordre supérieur", {}},
        // Gaussian, lag-2 coefficients 0.5 and 0, both 0 at lag 1: the delays only.
        {{"retard-2", 0, 0, {1, 0, 1}, {1}},
         Aucune,
         J::Retards,
         "décorrélation retardée (retards 1 à 4)",
         {0, 0.5 * rn, 0, 0}},
        // Gaussian, lag-1 coefficients 0.5 and 0: the default pair.
        {{"retard-1", 0, 0, {1, 1}, {1}}, Aucune, J::Ordre2, "suffit", {0.5 * rn, 0.5 * rn, 0, 0}},
        // A sparse source (+2) and a binary one (-2): their kurtosis cancel in the sum (the
        // kurtosis contrast's halves agree best, 51 dB).
        {{"creuse-binaire", 4, 3, {1}, {1}}, Aucune, J::Kurtosis, "kurtosis", {0, 0, 2 * k4, 0}},
        // Two white Gaussian noises: whatever their halves say, nothing can separate them.
        {{"normales", 0, 0, {1}, {1}}, Aucune, J::Aucun, "bruit d'échantillonnage", {0, 0, 0, 0}},
        // The same source twice, as it is, through a 32-bit float file, scaled, or silenced.
        {{"memes", 1, 1, {1, 0.9}, {}}, Meme, J::Aucun, "proportionnels", {}},
        {{"fichier", 1, 1, {1, 0.9}, {}}, Fichier, J::Aucun, "proportionnels", {}},
        {{"proportionnelles", 1, 1, {1, 0.9}, {}}, Proportionnelle, J::Aucun, "proportionnels", {}},
        {{"muette", 1, 1, {1, 0.9}, {}}, Muette, J::Aucun, "proportionnels", {}},
    };
    std::mt19937_64 g(17);
    for (const auto& c : cas) {
        const std::vector<double> s1 = Filtrer(g, c.sources.loi1, c.sources.filtre1, n);
        std::vector<double> s2 = s1;
        for (double& v : s2) {
            v = c.copie == Fichier           ? double(float(v))
                : c.copie == Proportionnelle ? -0.7 * v
                : c.copie == Muette          ? 0
                                             : v;
        }
        if (c.copie == Aucune) {
            s2 = Filtrer(g, c.sources.loi2, c.sources.filtre2, n);
        }
        const Melanges m = GenererMelanges(s1, s2, {1, 0.6, -0.5, 1}, n, 0.1f);
        const Suggestion s = SuggererSelonMelanges(m, std::nullopt, {1, 2, 3, 4});
        EXPECT_EQ(s.Jeu, c.jeu) << c.sources.nom << ": " << s.Message;
        EXPECT_NE(s.Message.find(c.message), std::string::npos) << c.sources.nom << s.Message;
        ASSERT_EQ(s.Accords.size(), c.copie != Aucune ? 0u : 6u) << c.sources.nom;
        // The set's constraints name it as the solver and --contraintes read it.
        const std::map<J, bool ContraintesActives::*> drapeaux = {
            {J::Ordre2, &ContraintesActives::ContrainteDecorrelationDerivees},
            {J::Retards, &ContraintesActives::ContrainteDecorrelationRetardee},
            {J::Cumulants, &ContraintesActives::ContrainteCumulants},
            {J::Kurtosis, &ContraintesActives::ContrainteKurtosis},
            {J::Neguentropie, &ContraintesActives::ContrainteNeguentropie}};
        EXPECT_TRUE(!drapeaux.count(s.Jeu) || s.Contraintes.*drapeaux.at(s.Jeu)) << c.sources.nom;
        const auto verifier = [&](JeuContraintes jeu, double attendue) {
            const auto a = std::find_if(s.Accords.begin(), s.Accords.end(),
                                        [jeu](const auto& v) { return v.Jeu == jeu; });
            if (std::isnan(attendue)) {
                return;
            }
            ASSERT_NE(a, s.Accords.end()) << c.sources.nom;
            if (attendue == 0) {
                EXPECT_LT(a->Preuve, SeuilPreuve) << c.sources.nom << " " << int(jeu);
            } else {
                EXPECT_NEAR(a->Preuve / attendue, 1, 0.3) << c.sources.nom << " " << int(jeu);
            }
        };
        verifier(J::Ordre2, c.preuves.ordre2);
        verifier(J::Retards, c.preuves.retards);
        verifier(J::Cumulants, c.preuves.ordre4);
        verifier(J::Kurtosis, c.preuves.ordre4);
        verifier(J::SommeKurtosis, c.preuves.somme);
        // The set named has evidence and the steadiest halves of those that have it, or it
        // is a second-order set within MargeAccordDb of them.
        const auto ordre2 = [](J j) { return j == J::Ordre2 || j == J::Retards; };
        for (const Suggestion::Accord& a : s.Accords) {
            const bool choisi = a.Jeu == s.Jeu;
            EXPECT_TRUE(!choisi || a.Preuve >= SeuilPreuve) << c.sources.nom;
            for (const Suggestion::Accord& b : s.Accords) {
                EXPECT_TRUE(!choisi || b.Preuve < SeuilPreuve || a.AccordDb >= b.AccordDb ||
                            (ordre2(a.Jeu) && b.AccordDb <= a.AccordDb + MargeAccordDb))
                    << c.sources.nom << " " << int(b.Jeu) << ": " << b.AccordDb;
            }
        }
    }
}

TEST(Suggestion, TheAgreementOfTwoAnswersIgnoresTheirOrderAndScale) {
    MomentsMelanges m;
    m.Ex1x1 = 2, m.Ex1x2 = 0.3, m.Ex2x2 = 1;
    const PointPlan p{-0.4, 0.7};
    const struct {
        PointPlan a, b;
        double min, max;
    } cas[] = {
        {p, p, 299, 300},
        {{1 / p.y, 1 / p.x}, p, 290, 300}, // the same estimates, swapped
        {{-0.401, 0.701}, p, 40, 80},
        {{0.5, -0.5}, p, 0, 15},
    };
    for (const auto& c : cas) {
        const double v = AccordPointsDb(c.a, c.b, m);
        EXPECT_GE(v, c.min) << c.a.x << ", " << c.a.y;
        EXPECT_LE(v, c.max) << c.a.x << ", " << c.a.y;
    }
}
