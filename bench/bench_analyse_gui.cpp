// Times the paint of the analysis view at 800 x 800 with 2,097,152 boxes: the 1,048,576
// kept boxes of [-5, 5]^2 at 0.01 and as many rejected boxes beside them on [5, 15] x [-5, 5],
// fitted, zoomed in, and with the mean-SIR map under the boxes. "raster rebuilt" is a paint
// after the paving, the zoom or the pan changed; "repaint" one that reuses the raster (the
// pointer's readout, a selected cluster). Then wheel steps over 16,777,216 kept boxes.
#include "analyse/CarteSir.h"
#include "display/VueAnalyse.h"
#include "sivia/Sivia.h"

#include <QApplication>
#include <QImage>
#include <QWheelEvent>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

// Wall-clock and processor time of one paint, in ms: on a shared machine the second says
// what the paint costs when it has a core to itself.
struct Duree {
    double mur, processeur;
};

Duree Peindre(TVueAnalyse& vue, QImage& image) {
    const auto debut = std::chrono::steady_clock::now();
    const std::clock_t c = std::clock();
    vue.render(&image);
    return {
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - debut).count(),
        double(std::clock() - c) * 1e3 / CLOCKS_PER_SEC};
}

void Mesurer(const char* nom, TVueAnalyse& vue, QImage& image, const std::function<void()>& avant) {
    std::vector<double> t, p;
    for (int k = 0; k < 15; ++k) {
        avant();
        const Duree d = Peindre(vue, image);
        t.push_back(d.mur);
        p.push_back(d.processeur);
    }
    std::sort(t.begin(), t.end());
    std::sort(p.begin(), p.end());
    std::printf("  %-52s median %8.2f ms (min %8.2f), processor time median %8.2f ms\n", nom,
                t[t.size() / 2], t.front(), p[p.size() / 2]);
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    BoxList enAttente, rejetees, gardees;
    Box b(2, 1);
    b[1] = Interval(-5, 5);
    b[2] = Interval(-5, 5);
    ExecuterSivia(b, enAttente, rejetees, gardees, Repere{b[2], b[1], nullptr}, {},
                  {true, false, false}, 0.01, StockageFile, UINT64_MAX);
    for (const Box& g : gardees) {
        Box r = g;
        r[1] = Interval(g[1].Lower() + 10, g[1].Upper() + 10);
        rejetees.PushBack(r);
    }
    std::printf("TVueAnalyse at 800 x 800, %u kept + %u rejected boxes:\n", gardees.Size(),
                rejetees.Size());

    TVueAnalyse vue;
    vue.resize(800, 800);
    QImage image(800, 800, QImage::Format_RGB32);
    const auto changer = [&] { vue.DefinirPavage({-5, 15, -5, 5}, &rejetees, 0, &gardees, 0); };
    changer();
    Peindre(vue, image);
    Mesurer("raster rebuilt, whole paving fitted", vue, image, changer);
    Mesurer("repaint, whole paving fitted", vue, image, [] {});
    QWheelEvent molette(QPointF(400, 400), QPointF(400, 400), QPoint(), QPoint(0, 120 * 12),
                        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&vue, &molette);
    Mesurer("raster rebuilt, zoomed 14.5 times about the centre", vue, image, changer);
    vue.Ajuster();
    vue.DefinirCarte(CalculerCarteSir({-5, 15, -5, 5}, 256, 256, {1, 0.5, -0.4, 1}, {1, 1}));
    vue.AfficherCarte(true);
    Mesurer("raster rebuilt, fitted, with the 256 x 256 SIR map", vue, image, changer);

    // Many boxes: the 16,777,216 kept boxes of [-5, 5]^2 at 0.004, summarised first (as a
    // view opened after the solve does over its first paints), then wheel steps in and out,
    // fitted and zoomed in.
    BoxList rien, beaucoup;
    ExecuterSivia(b, enAttente, rien, beaucoup, Repere{b[2], b[1], nullptr}, {},
                  {true, false, false}, 0.004, StockageFile, UINT64_MAX);
    TVueAnalyse grande;
    grande.resize(800, 800);
    grande.DefinirPavage({-5, 5, -5, 5}, &rien, 0, &beaucoup, 0);
    const auto t0 = std::chrono::steady_clock::now();
    grande.PreparerPavage();
    std::printf(
        "TVueAnalyse at 800 x 800, %u kept boxes: summary prepared in %.0f ms (%.0f "
        "MB)\n",
        beaucoup.Size(),
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count(),
        grande.OctetsResume() / 1e6);
    int sens = 1;
    const auto cran = [&](QPointF ou) {
        return [&grande, &sens, ou] {
            QWheelEvent e(ou, ou, QPoint(), QPoint(0, 120 * sens), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
            QApplication::sendEvent(&grande, &e);
            sens = -sens;
        };
    };
    Peindre(grande, image);
    Mesurer("wheel step, fitted", grande, image, cran(QPointF(400, 400)));
    for (int k = 0; k < 16; ++k) {
        cran(QPointF(300, 500))();
        sens = 1;
    }
    Mesurer("wheel step, zoomed in 35 times", grande, image, cran(QPointF(300, 500)));
    for (int k = 0; k < 12; ++k) {
        cran(QPointF(300, 500))();
        sens = 1;
    }
    Mesurer("wheel step, zoomed in 520 times", grande, image, cran(QPointF(300, 500)));
    return 0;
}
