// The signal plots drawn on real panels and checked on the pixels they show.
#include "SupportPanneau.h"
#include "display/Traces.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <vector>

namespace {

constexpr QRgb Noir = 0x000000, Blanc = 0xFFFFFF, Rouge = 0xFF0000, Cyan = 0x00FFFF,
               Jaune = 0xFFFF00, Magenta = 0xFF00FF;
constexpr float Pas = 0.1f;
const double Tan = std::tan(22.5 * M_PI / 180.0);

// A plot panel of the given size.
struct PanneauTrace : PanneauPeint {
    PanneauTrace(int w, int h) : PanneauPeint(w, h, InitialiserTrace) {}
};

// Pixel of the scene point (x, y) of a time plot whose camera sits at -22 + decX, decY, z.
QPointF Px(double x, double y, int W, int H, double z = -20, double decX = 0, double decY = 0) {
    return ProjeterPixel(x - 22.0 + decX, y + decY, z, W, H);
}

std::vector<double> Cosinus() {
    std::vector<double> a(5000);
    for (int i = 0; i < 5000; ++i) {
        a[i] = 4.0 * std::cos(0.3 * (static_cast<float>(i) * Pas));
    }
    return a;
}

} // namespace

TEST(Traces, BlackMarkersFollowACosineAndLeaveTheRestWhite) {
    PanneauTrace t(257, 121);
    ASSERT_TRUE(t.f.Montrer());
    const std::vector<double> a = Cosinus();
    const QImage image = t.Peindre([&] { PeindreTemporel(a, 5000, Pas, 0, 0, -20); });
    SauverImage(image, "traces_cosinus");
    for (int i = 50; i < 390; i += 7) {
        const double x = static_cast<float>(i) * Pas, dessus = a[i] + 1.5;
        EXPECT_EQ(Pixel(image, Px(x, a[i], 257, 121)), Noir) << i;
        if (std::fabs(dessus) > 0.3 && std::fabs(dessus) < 8.0) {
            EXPECT_EQ(Pixel(image, Px(x, dessus, 257, 121)), Blanc) << i;
        }
    }
    EXPECT_EQ(CompterCouleur(image, Rouge), 0);
}

TEST(Traces, WithoutSamplesOnlyTheThreeColouredAxesShow) {
    PanneauTrace t(257, 121);
    ASSERT_TRUE(t.f.Montrer());
    const QImage image = t.Peindre([] { PeindreTemporel({}, 5000, Pas, 0, 0, -20); });
    EXPECT_EQ(CompterCouleur(image, Noir), 0);
    const int rangee = static_cast<int>(Px(10, 0, 257, 121).y());
    EXPECT_EQ(CompterCouleur(image.copy(0, rangee - 1, 257, 3), Cyan), CompterCouleur(image, Cyan));
    EXPECT_GE(CompterCouleur(image, Cyan), 257);
    // Panel 5: x goes right, y up, and the z bar comes towards the viewer, its walls around
    // the centre where the nearer x bar shows.
    PanneauTrace c(121, 121);
    ASSERT_TRUE(c.f.Montrer());
    const QImage axes = c.Peindre([] { PeindreConjointe({}, {}, 5000, Pas, -20); });
    SauverImage(axes, "traces_axes_conjointe");
    EXPECT_EQ(CompterCouleur(axes, Noir), 0);
    EXPECT_EQ(Pixel(axes, QPointF(54.5, 66.5)), Magenta);
    EXPECT_EQ(Pixel(axes, QPointF(60.5, 60.5)), Cyan);
    EXPECT_EQ(Pixel(axes, QPointF(110.5, 60.5)), Cyan);
    EXPECT_EQ(Pixel(axes, QPointF(60.5, 10.5)), Jaune);
    EXPECT_EQ(Pixel(axes, QPointF(10.5, 60.5)), Blanc);
}

TEST(Traces, RedSuperpositionFollowsItsScaleAndLosesToBlack) {
    PanneauTrace t(241, 121);
    ASSERT_TRUE(t.f.Montrer());
    const std::vector<double> a = Cosinus(), vide;
    struct Cas {
        const std::vector<double>&noir, &rouge;
        double echelle;
        bool rougeVisible, noirVisible;
    };
    const Cas cas[] = {
        {a, vide, 1.0, false, true},
        {vide, a, 1.0, true, false},
        {a, a, 1.0, false, true}, // same samples: black wins every pixel
        {a, a, -1.0, true, true},
    };
    for (const Cas& c : cas) {
        const QImage image =
            t.Peindre([&] { PeindreTemporel(c.noir, 5000, Pas, 0, 0, -20, c.rouge, c.echelle); });
        EXPECT_EQ(CompterCouleur(image, Rouge) > 0, c.rougeVisible) << c.echelle;
        EXPECT_EQ(CompterCouleur(image, Noir) > 0, c.noirVisible) << c.echelle;
    }
    const QImage miroir = t.Peindre([&] { PeindreTemporel(a, 5000, Pas, 0, 0, -20, a, -1.0); });
    SauverImage(miroir, "traces_rouge_miroir");
    EXPECT_EQ(Pixel(miroir, Px(30.05, -a[300], 241, 121)), Rouge);
    EXPECT_EQ(Pixel(miroir, Px(30.05, a[300], 241, 121)), Noir);
    // Scale 0: a flat red line 0.2 thick behind the 0.1-thick x bar, seen from near.
    const QImage plat = t.Peindre([&] { PeindreTemporel(vide, 5000, Pas, 0, 0, -5, a, 0.0); });
    SauverImage(plat, "traces_rouge_echelle0");
    const int haut = static_cast<int>(Px(10, 0.1, 241, 121, -5).y());
    const int bas = static_cast<int>(Px(10, -0.1, 241, 121, -5).y());
    const int rouges = CompterCouleur(plat, Rouge);
    EXPECT_GE(rouges, 2 * 241);
    EXPECT_EQ(CompterCouleur(plat.copy(0, haut, 241, bas - haut + 1), Rouge), rouges);
    EXPECT_EQ(Pixel(plat, Px(20, 0.075, 241, 121, -5)), Rouge);
    EXPECT_EQ(Pixel(plat, Px(20, -0.075, 241, 121, -5)), Rouge);
    EXPECT_EQ(Pixel(plat, Px(20, 0.0, 241, 121, -5)), Cyan);
}

TEST(Traces, PanAndDepthMoveThePlot) {
    PanneauTrace t(257, 121);
    ASSERT_TRUE(t.f.Montrer());
    std::vector<double> a(5000, 0.0);
    a[200] = 3.0; // one marker off the axis, at x = 20
    // A 50-pixel drag right and 10 up is a pan of (10, 2) units: 73 pixels at depth -20.
    const QImage image = t.Peindre([&] { PeindreTemporel(a, 5000, Pas, 10, 2, -20); });
    SauverImage(image, "traces_pan");
    EXPECT_NEAR(Px(20, 3, 257, 121, -20, 10, 2).x() - Px(20, 3, 257, 121).x(), 73.0, 1.0);
    EXPECT_EQ(Pixel(image, Px(20, 3, 257, 121, -20, 10, 2)), Noir);
    EXPECT_EQ(Pixel(image, Px(20, 3, 257, 121)), Blanc);
    const QImage proche = t.Peindre([&] { PeindreTemporel(a, 5000, Pas, 10, 0, -12); });
    EXPECT_EQ(Pixel(proche, Px(20, 3, 257, 121, -12, 10, 0)), Noir);
    EXPECT_EQ(Pixel(proche, Px(20, 3, 257, 121, -20, 10, 0)), Blanc);
}

TEST(Traces, JointDistributionIsCentredOnTheView) {
    PanneauTrace t(121, 121);
    ASSERT_TRUE(t.f.Montrer());
    std::vector<double> a(5000), b(5000);
    for (int i = 0; i < 5000; ++i) {
        a[i] = 3.0 * std::cos(i * 0.01);
        b[i] = 3.0 * std::sin(i * 0.01);
    }
    const QImage image = t.Peindre([&] { PeindreConjointe(a, b, 5000, Pas, -20); });
    SauverImage(image, "traces_conjointe");
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < 121; ++y) {
        for (int x = 0; x < 121; ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == Noir) {
                sx += x + 0.5;
                sy += y + 0.5;
                ++n;
            }
        }
    }
    ASSERT_GT(n, 60);
    EXPECT_NEAR(sx / n, 60.5, 1.0);
    EXPECT_NEAR(sy / n, 60.5, 1.0);
    const double r = 3.0 / std::sqrt(2.0); // a circle of radius 3 at depth -32
    EXPECT_EQ(Pixel(image, ProjeterPixel(r, r, -32.0, 121, 121)), Noir);
    EXPECT_EQ(Pixel(image, ProjeterPixel(-r, -r, -32.0, 121, 121)), Noir);
    EXPECT_EQ(Pixel(image, ProjeterPixel(-2.3, 0.0, -32.0, 121, 121)), Blanc);
}

TEST(Traces, MarkersStopAtNAndAtTheSamplesHeld) {
    PanneauTrace t(257, 121);
    ASSERT_TRUE(t.f.Montrer());
    const std::vector<double> longue(5000, 1.0), courte(100, 1.0);
    const int bout = static_cast<int>(Px(10.1, 1.0, 257, 121).x()) + 1;
    struct Cas {
        const std::vector<double>& a;
        int N;
        bool marqueurs;
    };
    for (const Cas& c : {Cas{longue, 100, true}, Cas{courte, 5000, true}, Cas{longue, 0, false},
                         Cas{longue, -3, false}}) {
        const QImage image = t.Peindre([&] { PeindreTemporel(c.a, c.N, Pas, 0, 0, -20); });
        EXPECT_EQ(CompterCouleur(image, Noir) > 0, c.marqueurs) << c.N;
        EXPECT_EQ(CompterCouleur(image.copy(bout, 0, 257 - bout, 121), Noir), 0) << c.N;
    }
    // The axes are N x step long: the x bar ends at 10 with N = 100.
    const QImage axes = t.Peindre([&] { PeindreTemporel({}, 100, Pas, 0, 0, -20); });
    EXPECT_EQ(Pixel(axes, Px(9.5, 0, 257, 121)), Cyan);
    EXPECT_EQ(Pixel(axes, Px(10.6, 0, 257, 121)), Blanc);
    const std::vector<double> a(3, 3.0), b(2, 2.0);
    EXPECT_GT(CompterCouleur(t.Peindre([&] { PeindreConjointe(a, b, 5000, Pas, -20); }), Noir), 0);
}

TEST(Traces, VertexArraysDrawTheSamePictureAsMarkerByMarker) {
    std::mt19937 alea(7);
    std::normal_distribution<double> normale(0.0, 2.0);
    std::vector<double> a(5000), b(5000);
    for (int i = 0; i < 5000; ++i) {
        a[i] = normale(alea);
        b[i] = normale(alea);
    }
    PanneauTrace t(257, 121), c(121, 121);
    ASSERT_TRUE(t.f.Montrer());
    ASSERT_TRUE(c.f.Montrer());
    for (double z : {-20.0, -5.0, -1.1}) {
        QImage temporel[2], conjointe[2];
        for (ModeDessin m : {ModeDessin::Immediat, ModeDessin::Rapide}) {
            const int k = m == ModeDessin::Rapide;
            temporel[k] = t.Peindre([&] { PeindreTemporel(a, 5000, Pas, 3, -1, z, b, 0.7, m); });
            conjointe[k] = c.Peindre([&] { PeindreConjointe(a, b, 5000, Pas, z, m); });
        }
        EXPECT_GT(CompterCouleur(temporel[0], Rouge), 0);
        EXPECT_GT(CompterCouleur(temporel[0], Noir), 0);
        EXPECT_EQ(CompterDifferences(temporel[0], temporel[1]), 0) << z;
        EXPECT_EQ(CompterDifferences(conjointe[0], conjointe[1]), 0) << z;
    }
}

TEST(Traces, ProjectionTakesTheWidthAsAspectWhenTheHeightIsZero) {
    GLdouble p[16] = {}, p0[16] = {};
    GLfloat fond[4] = {};
    GLboolean profondeur = GL_FALSE;
    PanneauTrace t(50, 40);
    ASSERT_TRUE(t.f.Montrer());
    t.Peindre([&] {
        glClearColor(0, 0, 0, 0);
        glDisable(GL_DEPTH_TEST);
        InitialiserTrace(50, 40);
        glGetFloatv(GL_COLOR_CLEAR_VALUE, fond);
        profondeur = glIsEnabled(GL_DEPTH_TEST);
        glGetDoublev(GL_PROJECTION_MATRIX, p);
        RedimensionnerTrace(50, 0);
        glGetDoublev(GL_PROJECTION_MATRIX, p0);
    });
    const double cot = 1.0 / Tan;
    EXPECT_NEAR(p[0], cot / (50.0 / 40.0), 1e-6);
    EXPECT_NEAR(p[5], cot, 1e-6);
    EXPECT_NEAR(p[10], -2001.0 / 1999.0, 1e-6);
    EXPECT_NEAR(p[14], -2.0 * 2000.0 / 1999.0, 1e-6);
    EXPECT_NEAR(p0[0], cot / 50.0, 1e-6);
    EXPECT_EQ(profondeur, GL_TRUE);
    EXPECT_EQ(fond[0] + fond[1] + fond[2] + fond[3], 4.0f);
}
