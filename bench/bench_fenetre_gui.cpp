// Times, in the real main window under a display: the "Solver" command with fewer than two
// constraints (2,097,151 boxes, drawn on the 337 x 321 image), then the paint of the paving
// view and a mouse-wheel step (all six panels) with 5,000 samples per plot and 1 and 2
// million stored boxes.
#include "app/TForm1.h"
#include "app/toolkit/BoiteMessage.h"
#include "app/toolkit/TApplication.h"
#include "app/toolkit/TRadioGroup.h"
#include "display/TOpenGLPanel.h"
#include "sivia/Sivia.h"

#include <QAction>
#include <QPushButton>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <functional>

namespace {

double Millisecondes(const std::function<void()>& f, int repetitions) {
    f(); // warm-up
    const auto debut = std::chrono::steady_clock::now();
    for (int i = 0; i < repetitions; ++i) {
        f();
    }
    const std::chrono::duration<double, std::milli> duree =
        std::chrono::steady_clock::now() - debut;
    return duree.count() / repetitions;
}

} // namespace

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    InstallerAfficheur([](const MessageAffiche& m) {
        std::fprintf(stderr, "message: %s\n", m.texte.toUtf8().constData());
    });
    TForm1 f;
    f.show();
    if (!QTest::qWaitForWindowExposed(&f)) {
        return 1;
    }
    f.Cosinus1->trigger();
    f.BruitColoreGaussien2->trigger();
    f.MatriceMelange = {1, 0.5, -0.4, 1};
    f.GenerationdesMelanges1->trigger();
    f.ContrainteDecorrelationDerivees = false;

    for (int solve = 1; solve <= 2; ++solve) {
        f.Button1->show();
        const auto debut = std::chrono::steady_clock::now();
        f.Button1Click();
        const std::chrono::duration<double, std::milli> duree =
            std::chrono::steady_clock::now() - debut;
        const std::uint64_t boites = BoitesRejetees.Size() + BoitesSolution.Size();
        std::printf("Solver command, solve %d (2,097,151 boxes, drawing and panel 6 repaint "
                    "included): %.1f ms\n",
                    solve, duree.count());
        f.RadioGroup1->SetItemIndex(0);
        f.Image1MouseMove(Qt::NoModifier, 151, 144);
        std::printf("  stored boxes %llu: paving view paint %.2f ms, wheel step (six panels) "
                    "%.2f ms\n",
                    static_cast<unsigned long long>(boites),
                    Millisecondes([&] { f.OpenGLPanel6->Repaint(); }, 10),
                    Millisecondes([&] { f.FormMouseWheelUp(); }, 10));
    }
    std::printf("  plot panel paints (5,000 samples): panel 1 %.2f ms, panel 3 %.2f ms, "
                "panel 5 %.2f ms\n",
                Millisecondes([&] { f.OpenGLPanel1->Repaint(); }, 20),
                Millisecondes([&] { f.OpenGLPanel3->Repaint(); }, 20),
                Millisecondes([&] { f.OpenGLPanel5->Repaint(); }, 20));
    return 0;
}
