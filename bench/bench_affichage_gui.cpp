// Paint times of the OpenGL views on real panels (run under a display, e.g. xvfb-run): the
// signal plots with 5,000 samples, the paving view with one and two million boxes (fast and
// box by box, with the number of pixels where the two pictures differ), and one mouse-wheel
// step, which repaints the five plots and the paving view; then 100 million boxes.
#include "display/Pavage.h"
#include "display/ResumePavage.h"
#include "display/TOpenGLPanel.h"
#include "display/Traces.h"
#include "sivia/Sivia.h"
#include "tests/support/AideIntervalles.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using Horloge = std::chrono::steady_clock;

// Shows the window and waits until the display has exposed it.
void Montrer(QWidget& fenetre) {
    fenetre.show();
    QElapsedTimer attente;
    attente.start();
    while (!(fenetre.windowHandle() && fenetre.windowHandle()->isExposed()) &&
           attente.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    QCoreApplication::processEvents();
    if (!fenetre.windowHandle() || !fenetre.windowHandle()->isExposed()) {
        std::printf("window not exposed\n");
    }
}

// A panel on its own window, painting whatever `dessin` says.
struct Banc {
    std::unique_ptr<QWidget> fenetre = std::make_unique<QWidget>();
    TOpenGLPanel* panneau;
    std::function<void()> dessin;

    Banc(int w, int h, std::function<void(int, int)> init) {
        fenetre->resize(w + 20, h + 20);
        panneau = new TOpenGLPanel(fenetre.get());
        panneau->setGeometry(0, 0, w, h);
        panneau->OnInit = [init](TOpenGLPanel* p) { init(p->LargeurPixels(), p->HauteurPixels()); };
        panneau->OnPaint = [this](TOpenGLPanel*) {
            if (dessin) {
                dessin();
            }
        };
        Montrer(*fenetre);
    }

    // One repaint, until the pixels are all drawn.
    double Peindre() {
        const auto t0 = Horloge::now();
        panneau->Repaint();
        panneau->makeCurrent();
        glFinish();
        panneau->doneCurrent();
        return std::chrono::duration<double, std::milli>(Horloge::now() - t0).count();
    }

    // Median time of `n` repaints (after one that is not counted).
    double Mediane(int n) {
        Peindre();
        std::vector<double> t;
        for (int i = 0; i < n; ++i) {
            t.push_back(Peindre());
        }
        std::sort(t.begin(), t.end());
        return t[t.size() / 2];
    }

    std::vector<std::uint32_t> Lire() {
        const int w = panneau->LargeurPixels(), h = panneau->HauteurPixels();
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h);
        panneau->makeCurrent();
        glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        panneau->doneCurrent();
        return pixels;
    }
};

int Differences(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
    int n = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        n += (a[i] & 0xFFFFFF) != (b[i] & 0xFFFFFF);
    }
    return n;
}

// One solve of [-5, 5]^2 at precision 0.01 with a single constraint keeps every box of a
// regular 1024 x 1024 paving; a second one doubles the lists. On request, a solve with two
// constraints first leaves a few large rejected boxes in front of them.
void Paver(BoxList& rejetees, BoxList& solution, int solves, bool avecRejetees) {
    const Box domaine = Pave(-5, 5, -5, 5);
    BoxList enAttente;
    const Repere sansImage;
    MomentsMelanges m;
    m.Ex1x1 = 1.0;
    m.Ex1x2 = 0.3;
    m.Ex2x2 = 0.8;
    m.Edx1dx1 = 0.5;
    m.Edx1dx2 = -0.2;
    m.Edx2dx2 = 1.1;
    if (avecRejetees) {
        ExecuterSivia(domaine, enAttente, rejetees, solution, sansImage, m, ContraintesActives{},
                      0.05, StockageFile, 100'000'000);
    }
    ContraintesActives une;
    une.ContrainteDecorrelationDerivees = false;
    for (int i = 0; i < solves; ++i) {
        ExecuterSivia(domaine, enAttente, rejetees, solution, sansImage, MomentsMelanges{}, une,
                      0.01, StockageFile, 100'000'000);
    }
}

void BancTraces() {
    std::mt19937 alea(1);
    std::normal_distribution<double> normale(0.0, 2.0);
    std::vector<double> a(5000), b(5000);
    for (int i = 0; i < 5000; ++i) {
        a[i] = normale(alea);
        b[i] = std::cos(0.03 * i) * 3;
    }
    std::printf("Signal plots, 5,000 samples, median of 15 paints (ms):\n");
    std::printf("  %-44s %10s %10s %8s\n", "plot", "immediate", "arrays", "diff px");
    struct Cas {
        const char* nom;
        int w, h;
        std::function<void(ModeDessin)> dessin;
    };
    const Cas cas[] = {
        {"time plot 257x121 (panels 1, 2)", 257, 121,
         [&](ModeDessin m) { PeindreTemporel(a, 5000, 0.1f, 0, 0, -20, {}, 1.0, m); }},
        {"time plot + red superposition 241x121 (3, 4)", 241, 121,
         [&](ModeDessin m) { PeindreTemporel(a, 5000, 0.1f, 0, 0, -20, b, 1.0, m); }},
        {"time plot zoomed in, depth -1.1", 257, 121,
         [&](ModeDessin m) { PeindreTemporel(a, 5000, 0.1f, 0, 0, -1.1, b, 1.0, m); }},
        {"joint distribution 121x121 (panel 5)", 121, 121,
         [&](ModeDessin m) { PeindreConjointe(a, b, 5000, 0.1f, -20, m); }},
    };
    for (const Cas& c : cas) {
        Banc banc(c.w, c.h, InitialiserTrace);
        banc.dessin = [&] { c.dessin(ModeDessin::Immediat); };
        const double immediat = banc.Mediane(15);
        const auto imageImmediate = banc.Lire();
        banc.dessin = [&] { c.dessin(ModeDessin::Rapide); };
        const double rapide = banc.Mediane(15);
        const int diff = Differences(imageImmediate, banc.Lire());
        std::printf("  %-44s %10.2f %10.2f %8d\n", c.nom, immediat, rapide, diff);
    }
}

// The paving views both paving benches paint: the main window's panel (17 x 17) and a larger
// one, at the depths the wheel reaches, with a pan.
struct CasVue {
    int taille;
    double profondeur, decalage;
};
constexpr CasVue CasVues[] = {
    {17, -10, 0}, {17, -1.1, 0.3}, {400, -10, 0}, {400, -3, 0.2}, {400, -1.1, 0.37}};

void BancPavage(int solves, bool avecRejetees) {
    BoxList enAttente, rejetees, solution;
    Paver(rejetees, solution, solves, avecRejetees);
    const Box domaine = Pave(-5, 5, -5, 5);
    std::printf("Paving view, %u boxes (%u rejected, %u kept), median paint (ms):\n",
                rejetees.Size() + solution.Size(), rejetees.Size(), solution.Size());
    std::printf("  %-28s %10s %10s %10s\n", "panel, depth, pan", "fast", "box by box", "diff px");
    for (const CasVue& c : CasVues) {
        Banc banc(c.taille, c.taille, InitialiserPavage);
        const VuePavage vue{c.decalage, -c.decalage, c.profondeur, c.taille, c.taille};
        banc.dessin = [&] { PeindrePavage(domaine, enAttente, rejetees, solution, vue); };
        const double rapide = banc.Mediane(9);
        const auto imageRapide = banc.Lire();
        banc.dessin = [&] { PeindrePavageImmediat(domaine, enAttente, rejetees, solution, vue); };
        const double exact = banc.Mediane(1);
        const int diff = Differences(imageRapide, banc.Lire());
        char nom[64];
        std::snprintf(nom, sizeof nom, "%dx%d, %.1f, %.2f", c.taille, c.taille, c.profondeur,
                      c.decalage);
        std::printf("  %-28s %10.2f %10.1f %6d/%d\n", nom, rapide, exact, diff,
                    c.taille * c.taille);
    }
}

// A wheel step repaints panels 1 to 6 of the main window, in order.
void BancMolette() {
    BoxList enAttente, rejetees, solution;
    Paver(rejetees, solution, 2, false);
    const Box domaine = Pave(-5, 5, -5, 5);
    std::vector<double> a(5000), b(5000);
    for (int i = 0; i < 5000; ++i) {
        a[i] = std::cos(0.05 * i) * 2;
        b[i] = std::sin(0.011 * i) * 3;
    }
    QWidget fenetre;
    fenetre.resize(927, 662);
    struct Place {
        int x, y, w, h;
    };
    const Place places[6] = {{232, 24, 257, 121},  {520, 24, 257, 121},  {448, 272, 241, 121},
                             {440, 408, 241, 121}, {728, 280, 121, 121}, {408, 560, 17, 17}};
    std::vector<TOpenGLPanel*> panneaux;
    for (int i = 0; i < 6; ++i) {
        auto* p = new TOpenGLPanel(&fenetre);
        p->setGeometry(places[i].x, places[i].y, places[i].w, places[i].h);
        p->OnInit = [i](TOpenGLPanel* q) {
            if (i < 5) {
                InitialiserTrace(q->LargeurPixels(), q->HauteurPixels());
            } else {
                InitialiserPavage(q->LargeurPixels(), q->HauteurPixels());
            }
        };
        panneaux.push_back(p);
    }
    panneaux[0]->OnPaint = [&](TOpenGLPanel*) { PeindreTemporel(a, 5000, 0.1f, 0, 0, -20); };
    panneaux[1]->OnPaint = [&](TOpenGLPanel*) { PeindreTemporel(b, 5000, 0.1f, 0, 0, -20); };
    panneaux[2]->OnPaint = [&](TOpenGLPanel*) { PeindreTemporel(a, 5000, 0.1f, 0, 0, -20, b); };
    panneaux[3]->OnPaint = [&](TOpenGLPanel*) { PeindreTemporel(b, 5000, 0.1f, 0, 0, -20, a); };
    panneaux[4]->OnPaint = [&](TOpenGLPanel*) { PeindreConjointe(a, b, 5000, 0.1f, -20); };
    panneaux[5]->OnPaint = [&](TOpenGLPanel*) {
        PeindrePavage(domaine, enAttente, rejetees, solution, VuePavage{0, 0, -10, 17, 17});
    };
    Montrer(fenetre);
    std::vector<double> t;
    for (int i = 0; i < 10; ++i) {
        const auto t0 = Horloge::now();
        for (TOpenGLPanel* p : panneaux) {
            p->Repaint();
        }
        for (TOpenGLPanel* p : panneaux) {
            p->makeCurrent();
            glFinish();
            p->doneCurrent();
        }
        t.push_back(std::chrono::duration<double, std::milli>(Horloge::now() - t0).count());
        QCoreApplication::processEvents();
    }
    std::sort(t.begin(), t.end());
    std::printf("Wheel step: 5 plots of 5,000 samples + paving view of %u boxes at 17x17: "
                "median %.1f ms, worst %.1f ms\n",
                rejetees.Size() + solution.Size(), t[t.size() / 2], t.back());
}

// Kept boxes [debut, fin) of size 10/16384 x 5/8192, of a 16384 x 8192 paving of
// [-5, 5] x [-2.5, 2.5] in the order a first-in first-out solve keeps them (Morton order, x
// bit first), as a solve with one constraint at precision 0.001 leaves them.
void PaverMorton(BoxList& solution, std::uint64_t debut, std::uint64_t fin) {
    for (std::uint64_t r = debut; r < fin; ++r) {
        std::uint32_t ix = 0, iy = 0;
        for (int b = 0; b < 27; ++b) {
            const std::uint32_t bit = (r >> (26 - b)) & 1u;
            if (b % 2 == 0) {
                ix = (ix << 1) | bit;
            } else {
                iy = (iy << 1) | bit;
            }
        }
        solution.PushBack(Pave(-5.0 + ix * (10.0 / 16384), -5.0 + (ix + 1) * (10.0 / 16384),
                               -2.5 + iy * (5.0 / 8192), -2.5 + (iy + 1) * (5.0 / 8192)));
    }
}

double Depuis(Horloge::time_point t0) {
    return std::chrono::duration<double, std::milli>(Horloge::now() - t0).count();
}

// 100 million boxes on the paving view. First as a solve leaves them: the lists grow by a
// hundred thousand boxes at a time (a slice of a fast solve) and the window's summary
// takes in up to twice as many boxes after each step, as between the solve's slices (the figure
// is the summary's share of the solve, and its longest step). Then a wheel step on the paving view
// alone (the plots do not depend on the boxes): the panel of the main window (17 x 17) and a larger
// one, at the depths the wheel reaches, with a pan. Last, the lists met by a summary that was never
// fed (a view opened after the solve): every paint does a bounded step and the picture fills in.
void BancMolette100M() {
    constexpr std::uint64_t Total = 100'000'000, Tranche = std::uint64_t{1} << 17;
    constexpr std::uint64_t Pas = std::uint64_t{1} << 18;
    BoxList enAttente, rejetees, solution;
    const Box domaine = Pave(-5, 5, -2.5, 2.5);
    const std::vector<CouchePavage> couches =
        ResumePavage::CouchesPanneau(enAttente, rejetees, solution);
    ResumePavage resume;
    double remplir = 0, suivre = 0, pire = 0;
    for (std::uint64_t n = 0; n < Total; n += Tranche) {
        auto t0 = Horloge::now();
        PaverMorton(solution, n, std::min(Total, n + Tranche));
        remplir += Depuis(t0);
        t0 = Horloge::now();
        resume.Suivre(couches, Pas, &domaine);
        const double t = Depuis(t0);
        suivre += t;
        pire = std::max(pire, t);
    }
    const auto t0 = Horloge::now();
    int etapes = 0;
    while (!resume.Suivre(couches, Pas, &domaine)) {
        ++etapes;
    }
    std::printf("Paving view, 100,000,000 kept boxes (lists filled in %.1f s). The summary fed "
                "as they grow: %.1f s in all, longest step %.1f ms, then %d more "
                "steps (%.1f ms) once the lists are whole; %.0f MB.\n",
                remplir / 1000, suivre / 1000, pire, etapes, Depuis(t0), resume.Octets() / 1e6);
    std::printf("Wheel step on the paving view (ms):\n");
    std::printf("  %-28s %10s %10s %10s\n", "panel, depth, pan", "first", "median", "worst");
    for (const CasVue& c : CasVues) {
        Banc banc(c.taille, c.taille, InitialiserPavage);
        VuePavage vue{c.decalage, -c.decalage, c.profondeur, c.taille, c.taille};
        banc.dessin = [&] { PeindrePavage(domaine, enAttente, rejetees, solution, vue, resume); };
        const double premier = banc.Peindre();
        std::vector<double> t;
        for (int i = 0; i < 5; ++i) {
            vue.Profondeur += i % 2 ? 0.1 : -0.1;
            t.push_back(banc.Peindre());
        }
        std::sort(t.begin(), t.end());
        char nom[64];
        std::snprintf(nom, sizeof nom, "%dx%d, %.1f, %.2f", c.taille, c.taille, c.profondeur,
                      c.decalage);
        std::printf("  %-28s %10.1f %10.1f %10.1f\n", nom, premier, t[t.size() / 2], t.back());
    }

    ResumePavage neuf;
    Banc banc(400, 400, InitialiserPavage);
    VuePavage vue{0, 0, -3, 400, 400};
    EtatTrame etat = EtatTrame::Partielle;
    banc.dessin = [&] { etat = PeindrePavage(domaine, enAttente, rejetees, solution, vue, neuf); };
    int peintures = 0;
    double plusLongue = 0;
    const auto t1 = Horloge::now();
    while (etat == EtatTrame::Partielle) {
        plusLongue = std::max(plusLongue, banc.Peindre());
        ++peintures;
    }
    std::printf("A view that meets the 100,000,000 boxes unsummarised (400x400, -3): %d paints "
                "of at most %.1f ms, %.1f s until the whole picture\n",
                peintures, plusLongue, Depuis(t1) / 1000);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BancTraces();
    BancPavage(1, false);
    BancPavage(2, false);
    BancPavage(2, true);
    BancMolette();
    if (argc < 2 || std::string(argv[1]) != "--sans-100M") {
        BancMolette100M();
    }
    return 0;
}
