// The analysis window's paving view under real wheel and drag events and at extreme zooms and
// pans: it keeps answering, and its axes' labels run left to right and bottom to top.
#include "display/VueAnalyse.h"
#include "support/AideIntervalles.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

class VueAnalyse : public ::testing::Test {
protected:
    void SetUp() override {
        for (double x = -4; x < 4; x += 0.5) {
            (x < 0 ? gardees : rejetees).PushBack(Pave(x, x + 0.5, -x / 2, -x / 2 + 0.5));
        }
        vue.resize(640, 480);
        vue.DefinirPavage({-5, 5, -5, 5}, &rejetees, 0, &gardees, 0);
        MarqueursAnalyse m;
        m.PointDirect = PointPlan{-0.5, 0.4};
        m.Racine1 = PointPlan{2, -2};
        m.Groupes.push_back({3, {-1, 0, 0, 1}, 1, false});
        vue.DefinirMarqueurs(m);
        vue.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&vue));
    }

    void Molette(int crans) {
        const QPointF pos = vue.ZoneTrace().center() + QPoint(37, -21);
        QWheelEvent e(pos, vue.mapToGlobal(pos), QPoint(), QPoint(0, 120 * crans), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&vue, &e);
        vue.repaint();
    }

    void Glisser(QPoint deplacement) {
        const QPoint depart = vue.ZoneTrace().center(), arrivee = depart + deplacement;
        QTest::mousePress(&vue, Qt::LeftButton, {}, depart);
        for (int k = 1; k <= 4; ++k) {
            const QPointF pos = depart + deplacement * k / 4;
            QMouseEvent e(QEvent::MouseMove, pos, vue.mapToGlobal(pos), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&vue, &e);
            vue.repaint();
        }
        QTest::mouseRelease(&vue, Qt::LeftButton, {}, arrivee);
    }

    // Both axes have ticks whose labels grow rightward and upward, each naming the value
    // under its pixel to within its step.
    void VerifierAxes(const std::string& ici) {
        for (const bool axeY : {false, true}) {
            const auto traits = vue.TraitsAxe(axeY);
            ASSERT_GE(traits.size(), 2u) << ici << (axeY ? " y" : " x");
            const auto valeur = [](QString t) { return t.replace(',', '.').toDouble(); };
            const double pas = valeur(traits[1].Texte) - valeur(traits[0].Texte);
            for (std::size_t k = 0; k < traits.size(); ++k) {
                const double v = valeur(traits[k].Texte);
                const QPointF pixel = axeY ? QPointF(vue.ZoneTrace().left(), traits[k].Pixel)
                                           : QPointF(traits[k].Pixel, vue.ZoneTrace().top());
                const PointPlan q = vue.VersPlan(pixel);
                EXPECT_LE(std::fabs((axeY ? q.y : q.x) - v), pas / 2 + 1 / vue.Echelle())
                    << ici << " " << traits[k].Texte.toStdString();
                if (k > 0) {
                    EXPECT_GT(v, valeur(traits[k - 1].Texte))
                        << ici << " " << traits[k].Texte.toStdString();
                    EXPECT_TRUE(axeY ? traits[k].Pixel < traits[k - 1].Pixel
                                     : traits[k].Pixel > traits[k - 1].Pixel)
                        << ici;
                }
            }
        }
    }

    BoxList rejetees, gardees;
    TVueAnalyse vue;
};

} // namespace

// The sequence that froze the window: far out, five drags, then all the way in.
TEST_F(VueAnalyse, WheelOutDragsAndWheelInKeepTheViewAnsweringAndItsLabelsInOrder) {
    for (int k = 0; k < 80; ++k) {
        Molette(-1);
    }
    VerifierAxes("out");
    for (int k = 0; k < 5; ++k) {
        Glisser({300, -200});
    }
    VerifierAxes("dragged");
    const PointPlan centre = vue.Centre();
    EXPECT_GT(std::fabs(centre.x), 1e8); // the drags went far at this zoom
    double echelle = 0;
    for (int k = 0; k < 250; ++k) {
        Molette(1);
        VerifierAxes("in " + std::to_string(k));
        EXPECT_GE(vue.Echelle(), echelle);
        echelle = vue.Echelle();
    }
    // The zoom stops where a pixel still spans many doubles near the centre.
    EXPECT_LE(vue.Echelle(), 1 / (std::fabs(centre.x) * 1e-13));
    EXPECT_GT(vue.Echelle(), 1 / (std::fabs(centre.x) * 1e-11));
}

TEST_F(VueAnalyse, EveryZoomAndOffsetPaintsWithLabelsInOrder) {
    for (double zoom = 1e-15; zoom <= 1.1e15; zoom *= 10) {
        for (const double decalage : {0.0, 1.0, 1e9, 1e100, 1e300}) {
            vue.DefinirVue(decalage, -decalage, zoom);
            vue.repaint();
            const std::string ici = std::to_string(zoom) + " " + std::to_string(decalage);
            EXPECT_EQ(vue.Centre().x, decalage) << ici;
            EXPECT_EQ(vue.Centre().y, -decalage) << ici;
            EXPECT_LE(vue.Echelle(), zoom) << ici;
            VerifierAxes(ici);
        }
    }
}

// The legend sits above the plotting area at every size the view can take: it never covers
// the search box. The classic methods' points that crowd together share one label naming each
// of them once, labels never cover one another, and a zoom gives each point its own.
TEST_F(VueAnalyse, TheLegendLeavesTheSearchBoxFreeAndMethodLabelsStayApart) {
    MarqueursAnalyse m;
    for (const char* nom : {"AMUSE", "SOBI", "FastICA tanh", "FastICA u³", "JADE"}) {
        m.Methodes.push_back({{-0.5, 0.4}, QString::fromUtf8(nom)});
        m.Methodes.push_back({{2.5 + 0.01 * m.Methodes.size(), -2}, QString::fromUtf8(nom)});
    }
    m.Methodes.push_back({{-0.5001, 0.4002}, QStringLiteral("FastICA gauss")});
    m.Methodes.push_back({{4.9, 4.9}, QStringLiteral("SOBI")}); // by the top right corner
    vue.DefinirMarqueurs(m);
    const struct {
        QSize taille;
        double echelle; // 0: fitted to the search box
        std::size_t etiquettes;
    } cas[] = {{{640, 480}, 0, 3},
               {{330, 270}, 0, 3},
               {{1200, 400}, 0, 3},
               {{400, 900}, 0, 3},
               {{640, 480}, 1e5, 0}}; // zoomed on (-0.5, 0.4): the points there part
    for (const auto& c : cas) {
        vue.resize(c.taille);
        vue.Ajuster();
        if (c.echelle > 0) {
            vue.DefinirVue(-0.5, 0.4, c.echelle);
        }
        vue.repaint();
        const std::string ici = std::to_string(c.taille.width()) + "x" +
                                std::to_string(c.taille.height()) + " " + std::to_string(c.echelle);
        const QRect legende = vue.CadreLegende();
        const QRectF boite(vue.VersEcran(-5, 5), vue.VersEcran(5, -5));
        EXPECT_TRUE(c.echelle > 0 || !legende.intersects(boite.toAlignedRect())) << ici;
        EXPECT_FALSE(legende.intersects(vue.ZoneTrace())) << ici;
        EXPECT_TRUE(vue.rect().contains(legende)) << ici;
        const auto etiquettes = vue.EtiquettesMethodes();
        if (c.etiquettes > 0) {
            EXPECT_EQ(etiquettes.size(), c.etiquettes) << ici;
        } else {
            EXPECT_GE(etiquettes.size(), 6u) << ici;
        }
        std::vector<int> vus(m.Methodes.size());
        for (std::size_t i = 0; i < etiquettes.size(); ++i) {
            const auto& e = etiquettes[i];
            for (const std::size_t k : e.Marqueurs) {
                ++vus[k];
                EXPECT_EQ(e.Texte.count(m.Methodes[k].Nom), 1) << ici << " " << k;
            }
            EXPECT_TRUE(!vue.ZoneTrace().contains(e.Ancre.toPoint()) ||
                        vue.ZoneTrace().intersects(e.Cadre))
                << ici << " " << i;
            for (std::size_t j = i + 1; j < etiquettes.size(); ++j) {
                EXPECT_FALSE(e.Cadre.intersects(etiquettes[j].Cadre))
                    << ici << " " << i << " " << j;
            }
        }
        EXPECT_EQ(vus, std::vector<int>(m.Methodes.size(), 1)) << ici;
    }
}
