#include "app/toolkit/CanevasImage.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>

namespace {

// The image as rows separated by '|': '.' white, 'N' black, 'J' yellow, 'R' red, 'B' blue.
std::string Dessin(const CanevasImage& c) {
    std::string r;
    for (int y = 0; y < c.Hauteur(); ++y) {
        for (int x = 0; x < c.Largeur(); ++x) {
            const Couleur p = c.Pixel(x, y);
            r += p == CouleurBlanche ? '.'
                 : p == CouleurNoire ? 'N'
                 : p == CouleurJaune ? 'J'
                 : p == CouleurRouge ? 'R'
                 : p == CouleurBleue ? 'B'
                                     : '?';
        }
        r += y + 1 < c.Hauteur() ? "|" : "";
    }
    return r;
}

} // namespace

TEST(CanevasImage, StartsWhiteWithTheNativeColourOrder) {
    CanevasImage c(337, 321);
    EXPECT_EQ(c.Image().size(), QSize(337, 321));
    EXPECT_EQ(c.Image().format(), QImage::Format_RGB32);
    EXPECT_EQ(Dessin(c).find_first_not_of(".|"), std::string::npos);
    c.SetPenColor(CouleurRouge); // 0x00BBGGRR
    c.Rectangle(0, 0, 1, 1);
    EXPECT_EQ(c.Image().pixel(0, 0), qRgb(255, 0, 0));
}

TEST(CanevasImage, RectangleLeavesTheRightColumnAndBottomRow) {
    for (auto [x1, y1, x2, y2] : {std::tuple{1, 1, 5, 4}, {5, 4, 1, 1}, {1, 4, 5, 1}}) {
        CanevasImage c(8, 5);
        c.SetBrushColor(CouleurJaune);
        c.SetPenColor(CouleurRouge);
        c.Rectangle(x1, y1, x2, y2);
        c.Rectangle(6, 1, 6, 4); // no width: nothing
        EXPECT_EQ(Dessin(c), "........|.RRRR...|.RJJR...|.RRRR...|........");
    }
    CanevasImage c(10, 9);
    c.SetBrushStyle(BrosseVide);
    c.SetPenWidth(3); // bands three pixels wide centred on the outline
    c.Rectangle(1, 1, 8, 7);
    EXPECT_EQ(Dessin(c), "NNNNNNNNN.|NNNNNNNNN.|NNNNNNNNN.|NNN...NNN.|NNN...NNN.|NNNNNNNNN.|"
                         "NNNNNNNNN.|NNNNNNNNN.|..........");
    CanevasImage v(4, 3);
    v.SetBrushColor(CouleurJaune);
    v.SetPenStyle(PlumeVide);
    v.Rectangle(1, 1, 3, 3);
    EXPECT_EQ(Dessin(v), "....|.JJ.|.JJ.");
}

TEST(CanevasImage, LineToStopsBeforeItsEndPoint) {
    CanevasImage c(8, 4);
    c.MoveTo(1, 1);
    c.LineTo(5, 1);
    c.LineTo(5, 3); // from the current position
    EXPECT_EQ(Dessin(c), "........|.NNNNN..|.....N..|........");
    CanevasImage raide(4, 6);
    raide.MoveTo(2, 0);
    raide.LineTo(0, 5);
    EXPECT_EQ(Dessin(raide), "..N.|..N.|.N..|.N..|N...|....");
    CanevasImage points(14, 1);
    points.SetPenStyle(PlumePoints);
    points.MoveTo(0, 0);
    points.LineTo(13, 0);
    EXPECT_EQ(Dessin(points), "NNN...NNN...N.");
    CanevasImage large(8, 5);
    large.SetPenWidth(3);
    large.MoveTo(1, 2);
    large.LineTo(6, 2);
    large.SetPenStyle(PlumeVide);
    large.LineTo(0, 0);
    EXPECT_EQ(Dessin(large), "........|.NNNNN..|.NNNNN..|.NNNNN..|........");
}

TEST(CanevasImage, AnyIntCoordinatesAreClipped) {
    CanevasImage c(6, 4);
    c.MoveTo(INT_MIN, INT_MIN);
    c.LineTo(INT_MAX, INT_MAX);
    c.MoveTo(-1000000, 3);
    c.LineTo(INT_MAX, 3);
    c.SetPenWidth(INT_MAX);
    c.MoveTo(INT_MAX, INT_MIN);
    c.LineTo(INT_MAX, INT_MAX); // wholly outside, however wide
    EXPECT_EQ(Dessin(c), "N.....|.N....|..N...|NNNNNN");
    c.SetPenWidth(1);
    c.SetBrushColor(CouleurBleue);
    c.SetPenColor(CouleurBleue);
    c.Rectangle(INT_MIN, INT_MAX, INT_MAX, INT_MIN);
    EXPECT_EQ(Dessin(c), "BBBBBB|BBBBBB|BBBBBB|BBBBBB");
}
