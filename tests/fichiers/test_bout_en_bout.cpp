#include "DossierTemporaire.h"

#include "fichiers/EcritureSignal.h"
#include "fichiers/LectureSignal.h"
#include "signal/Alea.h"
#include "signal/Melange.h"
#include "sivia/Sivia.h"

#include <cmath>

namespace {

using BoutEnBout = DossierTemporaire;

double Correlation(const std::vector<double>& a, const std::vector<double>& b) {
    double ab = 0, aa = 0, bb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        ab += a[i] * b[i];
        aa += a[i] * a[i];
        bb += b[i] * b[i];
    }
    return ab / std::sqrt(aa * bb);
}

// The distance from (x, y) to the nearest kept box.
double DistanceAuPavage(const BoxList& gardees, double x, double y) {
    double d = INFINITY;
    for (const Box& b : gardees) {
        const double dx = std::max({b[1].Lower() - x, x - b[1].Upper(), 0.0});
        const double dy = std::max({b[2].Lower() - y, y - b[2].Upper(), 0.0});
        d = std::min(d, std::hypot(dx, dy));
    }
    return d;
}

} // namespace

TEST_F(BoutEnBout, TheTwoExampleVoicesMixedAtRandomAreFoundAndRecovered) {
    const SignalLu v1 = LireSignal(OVREL_DONNEES "/voix1.wav", 0);
    const SignalLu v2 = LireSignal(OVREL_DONNEES "/voix2.wav", 0);
    ASSERT_EQ(v1.Frequence, 16000);
    ASSERT_EQ(v1.Echantillons.size(), v2.Echantillons.size());
    const int N = int(v1.Echantillons.size());

    for (std::uint64_t seconde : {1733600000u, 1733600001u, 1733600002u}) {
        GenerateurAleatoire alea;
        alea.Initialiser(seconde); // "Aléatoire"
        const float b = float((alea.TirageDixMille() * 0.0001) * 2 - 1);
        const float c = float((alea.TirageDixMille() * 0.0001) * 2 - 1);
        const Matrice2x2 A{1, b, c, 1};
        const Melanges m = GenererMelanges(v1.Echantillons, v2.Echantillons, A, N, 0.1f);

        Box boite(2, 1);
        boite[1] = Interval(-5, 5);
        boite[2] = Interval(-5, 5);
        BoxList enAttente, rejetees, gardees;
        const Repere repere{boite[2], boite[1], nullptr};
        ExecuterSivia(boite, enAttente, rejetees, gardees, repere, m.Moments,
                      ContraintesActives{true, true, false}, 0.01, StockageFile, UINT64_MAX);
        // Every kept box lies by one of the two demixing points.
        for (const Box& g : gardees) {
            const double x = g[1].Lower(), y = g[2].Lower();
            EXPECT_LT(std::min(std::hypot(x + b, y + c), std::hypot(x + 1 / c, y + 1 / b)), 0.25)
                << x << " " << y << " for b = " << b << ", c = " << c;
        }
        // (-a12/a22, -a21/a11) and, the sources swapped, (-a11/a21, -a22/a12).
        EXPECT_LT(DistanceAuPavage(gardees, -b, -c), 0.05) << b << " " << c;
        if (std::abs(1 / c) < 5 && std::abs(1 / b) < 5) {
            EXPECT_LT(DistanceAuPavage(gardees, -1 / c, -1 / b), 0.05) << b << " " << c;
        }

        const SourcesEstimees e = CalculerSourcesEstimees(-b, -c, m.Melange1, m.Melange2, N, 0.1f);
        EcrireWav(Dossier / "estimees.wav", {{"s1", &e.SourceEstimee1}, {"s2", &e.SourceEstimee2}},
                  v1.Frequence);
        const MelangesLus lues = LireMelanges(Dossier / "estimees.wav");
        EXPECT_GT(Correlation(lues.Melange1, v1.Echantillons), 0.99);
        EXPECT_GT(Correlation(lues.Melange2, v2.Echantillons), 0.99);
    }
}
