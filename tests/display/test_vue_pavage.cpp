// The paving view's frame and pointer readout, without a display.
#include "display/VuePavage.h"
#include "support/AideIntervalles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(CadragePavage, WidestSideIsFiveUnitsAroundTheCentre) {
    struct Cas {
        Box boite;
        double s, cx, cy;
    };
    const Cas cas[] = {
        {Pave(-5, 5, -5, 5), 0.5, 0, 0},
        {Pave(-5, 5, 0, 1), 0.5, 0, 0.5},
        {Pave(0, 1, 2, 12), 0.5, 0.5, 7},
        {Box(2, 1), 5.0 / -999.0, -499.5, -499.5}, // the placeholder before any solve
    };
    for (const Cas& c : cas) {
        const CadragePavage k = CadrageDe(c.boite);
        EXPECT_TRUE(k.valide);
        EXPECT_DOUBLE_EQ(k.s, c.s);
        EXPECT_DOUBLE_EQ(k.cx, c.cx);
        EXPECT_DOUBLE_EQ(k.cy, c.cy);
    }
    EXPECT_FALSE(CadrageDe(Pave(1, 1, 2, 2)).valide);
    EXPECT_FALSE(CadrageDe(Pave(0, std::numeric_limits<double>::infinity(), 0, 1)).valide);
}

TEST(PositionSousPointeur, ReadsTheParametersUnderThePixel) {
    const Box domaine = Pave(-5, 5, -5, 5);
    VuePavage vue;
    vue.Largeur = 17;
    vue.Hauteur = 17;
    // The centre pixel of an odd-sized view shows the centre of the search box.
    PositionPavage p = PositionSousPointeur(8, 8, domaine, vue);
    ASSERT_TRUE(p.valide);
    EXPECT_NEAR(p.x, 0.0, 1e-12);
    EXPECT_NEAR(p.y, 0.0, 1e-12);
    // One pixel is 10 tan(22.5) x 2 / 17 units of the view at depth -10, i.e. twice that in
    // parameters (scale 0.5); right and up are positive.
    const double pas = 2.0 * 2.0 * 10.0 * std::tan(22.5 * M_PI / 180.0) / 17.0;
    p = PositionSousPointeur(9, 7, domaine, vue);
    EXPECT_NEAR(p.x, pas, 1e-12);
    EXPECT_NEAR(p.y, pas, 1e-12);
    // The pan moves the parameters under a fixed pixel the other way.
    vue.DecalageX = 1.0;
    vue.DecalageY = -0.5;
    p = PositionSousPointeur(8, 8, domaine, vue);
    EXPECT_NEAR(p.x, -2.0, 1e-12);
    EXPECT_NEAR(p.y, 1.0, 1e-12);
    // Nearer views magnify.
    vue = VuePavage{0, 0, -5, 17, 17};
    p = PositionSousPointeur(9, 8, Pave(0, 2, 10, 11), vue);
    EXPECT_NEAR(p.x, 1.0 + pas / 4 / 2.5, 1e-12);
    EXPECT_NEAR(p.y, 10.5, 1e-12);
    // Nothing to read: a flat search box, a plane in front of the near plane, no panel.
    EXPECT_FALSE(PositionSousPointeur(8, 8, Pave(1, 1, 1, 1), VuePavage{0, 0, -10, 17, 17}).valide);
    EXPECT_FALSE(PositionSousPointeur(8, 8, domaine, VuePavage{0, 0, -0.5, 17, 17}).valide);
    EXPECT_FALSE(PositionSousPointeur(8, 8, domaine, VuePavage{0, 0, -10, 0, 0}).valide);
}
