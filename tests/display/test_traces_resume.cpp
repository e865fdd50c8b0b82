// Plots of far more samples than pixels: bounded draws, the same picture where it matters,
// and a panel whose paint failed painting again.
#include "SupportPanneau.h"
#include "display/Traces.h"

#include <gtest/gtest.h>

#include <cmath>
#include <span>
#include <stdexcept>
#include <vector>

namespace {

constexpr QRgb Noir = 0x000000;
constexpr float Pas = 0.1f;

struct PanneauTrace : PanneauPeint {
    PanneauTrace(int w, int h) : PanneauPeint(w, h, InitialiserTrace) {}
};

std::vector<double> Cosinus(std::size_t n, double pulsation = 0.3) {
    std::vector<double> a(n);
    for (std::size_t i = 0; i < n; ++i) {
        a[i] = 4.0 * std::cos(pulsation * (static_cast<float>(i) * Pas));
    }
    return a;
}

} // namespace

TEST(TracesResume, APlotJustAboveTwoToTheTwentyFiveSamplesShowsWhatTheExactPlotShows) {
    PanneauTrace t(257, 121);
    ASSERT_TRUE(t.f.Montrer());
    const int N = (1 << 25) + 1; // used to overflow the draw call and crash the driver
    const std::vector<double> a = Cosinus(std::size_t(N));
    const std::span<const double> tout(a);
    // The first 2^20 samples hold every visible one and are drawn marker by marker.
    const QImage exacte =
        t.Peindre([&] { PeindreTemporel(tout.first(SeuilResume), N, Pas, -30, 2, -20); });
    const QImage resume = t.Peindre([&] { PeindreTemporel(tout, N, Pas, -30, 2, -20); });
    EXPECT_GT(CompterCouleur(exacte, Noir), 300);
    EXPECT_EQ(CompterDifferences(exacte, resume), 0);
    EXPECT_LE(OctetsTamponsTraces(), 8u * 8u * 65536u) << "the vertex buffer stays bounded";
}

TEST(TracesResume, FarOutOneShapePerPixelColumnSpansTheMarkersOfTheColumn) {
    PanneauTrace t(257, 121);
    ASSERT_TRUE(t.f.Montrer());
    // A period of 21 samples: at depth -300 each pixel column holds about one period, so its
    // band runs from the lowest to the highest value, -4 to 4.
    const std::vector<double> a = Cosinus(SeuilResume + 1, 3.0);
    const int N = int(a.size());
    const QImage resume = t.Peindre([&] { PeindreTemporel(a, N, Pas, -1000, 0, -300); });
    SauverImage(resume, "traces_resume_colonnes");
    const double haut = ProjeterPixel(0, 4.1, -300, 257, 121).y();
    const double bas = ProjeterPixel(0, -4.1, -300, 257, 121).y();
    int colonnes = 0;
    for (int x = 0; x < 257; ++x) {
        int premier = -1, dernier = -1;
        for (int y = 0; y < 121; ++y) {
            if ((resume.pixel(x, y) & 0xFFFFFF) == Noir) {
                premier = premier < 0 ? y : premier;
                dernier = y;
            }
        }
        if (premier >= 0) {
            ++colonnes;
            EXPECT_GE(premier, int(std::floor(haut))) << x;
            EXPECT_LE(dernier, int(std::ceil(bas))) << x;
            EXPECT_GE(dernier - premier + 1, int(bas - haut) - 1) << "a whole band at " << x;
        }
    }
    EXPECT_GT(colonnes, 200);
}

TEST(TracesResume, AJointDistributionOfManyPointsDrawsOneMarkerPerPixelItCovers) {
    PanneauPeint t(121, 121, InitialiserTrace);
    ASSERT_TRUE(t.f.Montrer());
    const std::size_t n = SeuilResume + 1;
    std::vector<double> a(n), b(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double u = 2 * M_PI * double(i) / double(n);
        a[i] = 5 * std::cos(u);
        b[i] = 3 * std::sin(3 * u);
    }
    const std::span<const double> sa(a), sb(b);
    const int N = int(n);
    const QImage exacte = t.Peindre(
        [&] { PeindreConjointe(sa.first(SeuilResume), sb.first(SeuilResume), N, Pas, -20); });
    const QImage resume = t.Peindre([&] { PeindreConjointe(sa, sb, N, Pas, -20); });
    SauverImage(resume, "traces_resume_conjointe");
    const int noirs = CompterCouleur(exacte, Noir);
    ASSERT_GT(noirs, 150);
    EXPECT_LE(CompterDifferences(exacte, resume), noirs / 10)
        << CompterDifferences(exacte, resume) << " of " << noirs;
}

TEST(TracesResume, APaintThatThrowsLeavesThePanelAbleToPaintAgain) {
    PanneauTrace t(64, 64);
    ASSERT_TRUE(t.f.Montrer());
    int peintures = 0;
    t.dessin = [&] {
        ++peintures;
        throw std::runtime_error("échec du dessin");
    };
    EXPECT_THROW(t.p->Repaint(), std::runtime_error);
    const QImage image = t.Peindre([&] {
        ++peintures;
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    });
    EXPECT_EQ(peintures, 2);
    EXPECT_EQ(CompterCouleur(image, Noir), 64 * 64);
}
