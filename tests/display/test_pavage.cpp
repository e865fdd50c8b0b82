// The paving view drawn on real panels, box by box and fast, checked on its pixels.
#include "SupportPanneau.h"
#include "display/Pavage.h"
#include "display/VueAnalyse.h"
#include "sivia/Sivia.h"
#include "support/AideIntervalles.h"

#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

constexpr QRgb Noir = 0x000000, Blanc = 0xFFFFFF, Bleu = 0x0000FF, JauneRgb = 0xFFFF00;

// The lists of one solve over [-5, 5]^2. With both decorrelation constraints on these
// moments, large boxes are rejected around a thin band of kept ones; with one constraint,
// every box is kept down to the precision.
struct Paving {
    Box recherche = Pave(-5, 5, -5, 5);
    BoxList enAttente, rejetees, solution;

    explicit Paving(double precision, bool deuxContraintes = true) {
        MomentsMelanges m;
        m.Ex1x1 = 1.0;
        m.Ex1x2 = 0.3;
        m.Ex2x2 = 0.8;
        m.Edx1dx1 = 0.5;
        m.Edx1dx2 = -0.2;
        m.Edx2dx2 = 1.1;
        ContraintesActives c;
        c.ContrainteDecorrelationDerivees = deuxContraintes;
        ExecuterSivia(recherche, enAttente, rejetees, solution, Repere{}, m, c, precision,
                      StockageFile, 50'000'000);
    }
};

struct PanneauPavage : PanneauPeint {
    PanneauPavage(int w, int h) : PanneauPeint(w, h, InitialiserPavage) {}

    QImage Vue(const Box& recherche, const BoxList& a, const BoxList& r, const BoxList& s,
               const VuePavage& vue, bool rapide) {
        return Peindre([&] {
            if (rapide) {
                PeindrePavage(recherche, a, r, s, vue);
            } else {
                PeindrePavageImmediat(recherche, a, r, s, vue);
            }
        });
    }
    QImage Vue(const Paving& p, const VuePavage& vue, bool rapide) {
        return Vue(p.recherche, p.enAttente, p.rejetees, p.solution, vue, rapide);
    }
};

// Pixel (row from the top) of the parameter point (x, y) in the view.
QPointF PixelParametre(double x, double y, const Box& recherche, const VuePavage& v) {
    const double s = 5.0 / recherche[recherche.WidestComponent()].Width();
    const Box c = Centre(recherche);
    return ProjeterPixel(v.DecalageX + s * (x - c[1].Lower()), v.DecalageY + s * (y - c[2].Lower()),
                         v.Profondeur, v.Largeur, v.Hauteur);
}

// First and last columns of row y (or rows of column x) holding the colour.
std::pair<int, int> Etendue(const QImage& image, int ligne, bool rangee, QRgb couleur) {
    int premier = -1, dernier = -1;
    for (int i = 0; i < (rangee ? image.width() : image.height()); ++i) {
        if ((image.pixel(rangee ? i : ligne, rangee ? ligne : i) & 0xFFFFFF) == couleur) {
            premier = premier < 0 ? i : premier;
            dernier = i;
        }
    }
    return {premier, dernier};
}

const double Tan = std::tan(22.5 * M_PI / 180.0);

} // namespace

TEST(Pavage, BeforeAnySolveTheViewShowsAWhiteSquareOfSideFive) {
    PanneauPavage t(120, 120);
    ASSERT_TRUE(t.f.Montrer());
    const BoxList vide;
    const double cote = 5.0 * 120 / (2 * 10 * Tan);
    for (bool rapide : {false, true}) {
        const QImage image =
            t.Vue(Box(2, 1), vide, vide, vide, VuePavage{0, 0, -10, 120, 120}, rapide);
        SauverImage(image, rapide ? "pavage_initial_rapide" : "pavage_initial");
        const auto [gauche, droite] = Etendue(image, 60, true, Blanc);
        const int blancs = CompterCouleur(image, Blanc);
        EXPECT_EQ(blancs + CompterCouleur(image, Noir), 120 * 120) << rapide;
        EXPECT_NEAR(droite - gauche, cote, 1.5) << rapide;
        EXPECT_NEAR((droite + gauche) / 2.0, 59.5, 1.0) << rapide;
        EXPECT_NEAR(blancs, 4 * cote, 8) << rapide;
        // A search box of no width gives no frame: the view stays black.
        const QImage plat =
            t.Vue(Pave(1, 1, 1, 1), vide, vide, vide, VuePavage{0, 0, -10, 120, 120}, rapide);
        EXPECT_EQ(CompterCouleur(plat, Noir), 120 * 120);
    }
}

TEST(Pavage, RejectedBoxesShowBlueAndKeptBoxesYellow) {
    const Paving paving(0.1);
    ASSERT_GT(paving.rejetees.Size(), 20u);
    ASSERT_GT(paving.solution.Size(), 5u);
    PanneauPavage t(200, 200);
    ASSERT_TRUE(t.f.Montrer());
    for (double z : {-10.0, -3.0}) {
        const VuePavage v{0.3, -0.2, z, 200, 200};
        for (bool rapide : {false, true}) {
            const QImage image = t.Vue(paving, v, rapide);
            if (z == -10.0) {
                SauverImage(image, rapide ? "pavage_couleurs_rapide" : "pavage_couleurs");
            }
            int verifiees = 0;
            for (const auto& [liste, couleur] :
                 {std::pair{&paving.rejetees, Bleu}, std::pair{&paving.solution, JauneRgb}}) {
                for (const Box& b : *liste) {
                    const QPointF bas =
                        PixelParametre(b[1].Lower(), b[2].Lower(), paving.recherche, v);
                    const QPointF haut =
                        PixelParametre(b[1].Upper(), b[2].Upper(), paving.recherche, v);
                    const QPointF m = (bas + haut) / 2;
                    if (haut.x() - bas.x() > 4 && bas.y() - haut.y() > 4 &&
                        QRectF(0, 0, 200, 200).contains(m)) {
                        EXPECT_EQ(Pixel(image, m), couleur)
                            << rapide << " " << m.x() << "," << m.y();
                        ++verifiees;
                    }
                }
            }
            EXPECT_GT(verifiees, 10);
            const QPointF dehors = PixelParametre(-5.3, 0, paving.recherche, v);
            if (dehors.x() >= 0) {
                EXPECT_EQ(Pixel(image, dehors), Noir);
            }
        }
    }
}

TEST(Pavage, PanAndDepthMoveTheView) {
    const Paving paving(0.1);
    PanneauPavage t(120, 120);
    ASSERT_TRUE(t.f.Montrer());
    const double pixelsParUnite = 120 / (2 * 10 * Tan);
    const QImage avant = t.Vue(paving, VuePavage{0, 0, -10, 120, 120}, true);
    // A pan of a whole number of pixels moves the picture by as many pixels.
    const int dx = 14, dy = 7;
    const QImage apres =
        t.Vue(paving, VuePavage{dx / pixelsParUnite, dy / pixelsParUnite, -10, 120, 120}, true);
    SauverImage(apres, "pavage_pan");
    int egaux = 0;
    for (int y = 10; y < 100; ++y) {
        for (int x = 5; x < 100; ++x) {
            egaux += avant.pixel(x, y) == apres.pixel(x + dx, y - dy);
        }
    }
    EXPECT_GT(egaux, 90 * 95 * 99 / 100);
    EXPECT_NE(CompterDifferences(avant, apres), 0);
    // At depth -5 the search box is twice as large: wider than the view.
    const QImage proche = t.Vue(paving, VuePavage{0, 0, -5, 120, 120}, true);
    EXPECT_NE(proche.pixel(0, 45) & 0xFFFFFF, Noir);
    EXPECT_NE(proche.pixel(119, 45) & 0xFFFFFF, Noir);
    // In front of the near plane nothing is drawn at all.
    for (bool rapide : {false, true}) {
        const QImage rien = t.Vue(paving, VuePavage{0, 0, -0.5, 120, 120}, rapide);
        EXPECT_EQ(CompterCouleur(rien, Noir), 120 * 120) << rapide;
    }
}

// The fast paint against the box-by-box one, on pavings of a quarter of a million boxes.
TEST(Pavage, FastPaintMatchesTheBoxByBoxPicture) {
    struct Cas {
        double precision;
        bool deux;
        int taille;
        double profondeur, dx;
    };
    const Cas cas[] = {
        {0.02, false, 17, -10, 0}, {0.02, false, 120, -10, 0.2}, {0.02, false, 120, -1.5, 0},
        {0.01, true, 17, -10, 0},  {0.01, true, 120, -4, -0.3},
    };
    for (const Cas& c : cas) {
        const Paving paving(c.precision, c.deux);
        PanneauPavage t(c.taille, c.taille);
        ASSERT_TRUE(t.f.Montrer());
        const VuePavage v{c.dx, -c.dx, c.profondeur, c.taille, c.taille};
        const QImage exacte = t.Vue(paving, v, false);
        const int differences = CompterDifferences(exacte, t.Vue(paving, v, true));
        // The two pictures may differ only on rare rasterisation ties.
        EXPECT_LE(differences, std::max(1, c.taille * c.taille / 500))
            << c.taille << " " << c.profondeur;
        EXPECT_LT(CompterCouleur(exacte, Noir), c.taille * c.taille);
        RecordProperty("differences_" + std::to_string(&c - cas), differences);
    }
}

// A mirror in the modelview is still drawn fast; a rotation falls back on the box-by-box
// paint. Both give the box-by-box picture.
TEST(Pavage, FastPaintFollowsTheModelviewInForce) {
    const Paving paving(0.1);
    PanneauPavage t(100, 100);
    ASSERT_TRUE(t.f.Montrer());
    const VuePavage v{0.5, 0.1, -8, 100, 100};
    for (int repere = 0; repere < 3; ++repere) {
        QImage images[2];
        for (bool rapide : {false, true}) {
            images[rapide] = t.Peindre([&] {
                glPushMatrix();
                if (repere == 0) {
                    glScaled(-1.0, 1.0, 1.0);
                } else if (repere == 1) {
                    glRotated(90.0, 0.0, 0.0, 1.0);
                } else {
                    glTranslated(0.7, -0.4, -2.0);
                }
                const Paving& p = paving;
                if (rapide) {
                    PeindrePavage(p.recherche, p.enAttente, p.rejetees, p.solution, v);
                } else {
                    PeindrePavageImmediat(p.recherche, p.enAttente, p.rejetees, p.solution, v);
                }
                glPopMatrix();
            });
        }
        EXPECT_GT(CompterCouleur(images[0], Bleu), 1000);
        EXPECT_LE(CompterDifferences(images[0], images[1]), 20) << repere;
    }
}

TEST(Pavage, ReadoutMatchesWhereTheSearchBoxOutlineIsDrawn) {
    PanneauPavage t(121, 121);
    ASSERT_TRUE(t.f.Montrer());
    const Box domaine = Pave(-2, 6, 1, 3);
    const BoxList vide;
    const VuePavage v{0.4, -0.3, -10, 121, 121};
    const QImage image = t.Vue(domaine, vide, vide, vide, v, true);
    // One pixel in parameters: the view spans 2 x 10 tan(22.5) units, at scale 5/8.
    const double pixel = 2 * 10 * Tan / 121 / (5.0 / 8.0);
    const auto [gauche, droite] = Etendue(image, 60, true, Blanc);
    ASSERT_GE(gauche, 0);
    EXPECT_NEAR(PositionSousPointeur(gauche, 60, domaine, v).x, -2.0, pixel);
    EXPECT_NEAR(PositionSousPointeur(droite, 60, domaine, v).x, 6.0, pixel);
    const int colonne = (gauche + droite) / 2;
    const auto [haut, bas] = Etendue(image, colonne, false, Blanc);
    ASSERT_GE(haut, 0);
    EXPECT_NEAR(PositionSousPointeur(colonne, haut, domaine, v).y, 3.0, pixel);
    EXPECT_NEAR(PositionSousPointeur(colonne, bas, domaine, v).y, 1.0, pixel);
}

// A solve at precision 1e-6 keeps boxes a hundred thousand times narrower than a pixel of a view
// at full size: each still colours the pixel of its centre yellow, in the paving panel (fast
// and box by box) and in the analysis view, where its rejected neighbours would cover it.
TEST(Pavage, KeptBoxesFarNarrowerThanAPixelStillShowAtFullView) {
    const Paving paving(1e-6);
    ASSERT_FALSE(paving.solution.IsEmpty());
    PanneauPavage t(200, 200);
    ASSERT_TRUE(t.f.Montrer());
    const VuePavage v{0, 0, -10, 200, 200};
    TVueAnalyse analyse;
    analyse.resize(400, 400);
    analyse.DefinirPavage({-5, 5, -5, 5}, &paving.rejetees, 0, &paving.solution, 0);
    analyse.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&analyse));
    const QImage images[] = {t.Vue(paving, v, false), t.Vue(paving, v, true),
                             analyse.grab().toImage()};
    SauverImage(images[1], "pavage_gardees_fines");
    for (int k = 0; k < 3; ++k) {
        int jaunes = 0;
        for (const Box& b : paving.solution) {
            EXPECT_LT(b.Width(), 1e-5);
            const double x = (b[1].Lower() + b[1].Upper()) / 2,
                         y = (b[2].Lower() + b[2].Upper()) / 2;
            const QPointF m =
                k < 2 ? PixelParametre(x, y, paving.recherche, v) : analyse.VersEcran(x, y);
            jaunes += Pixel(images[k], m) == JauneRgb;
        }
        EXPECT_EQ(jaunes, int(paving.solution.Size())) << k;
    }
}
