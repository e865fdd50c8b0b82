// Times, in the real main window under a display: the "Solver" command with fewer than two
// constraints (2,097,151 boxes, drawn on the 337 x 321 image), then the paint of the paving
// view and a mouse-wheel step (all six panels) with 5,000 samples per plot and 1 and 2
// million stored boxes; a short solve; and, during a long solve, the time from pressing
// Escape to the window answering and to the command's return, and the longest time the
// window went without processing its events; then solves over the search box
// ±99999999999, with the longest delay of a 100 ms timer's ping (how late its tick came).
// `bench_fenetre_gui immense` runs only the last part, the solves over ±99999999999;
// `bench_fenetre_gui voix` only the mouse-wheel steps (six panels) over the two voices of
// the examples and their mixtures, as a burst of 37 steps sent at once. Last, a source of
// 2^28 samples generated and stopped by Escape, with the same ping (`bench_fenetre_gui
// generation`: that part only).
#include "app/TForm1.h"
#include "app/TMenuFichier.h"
#include "app/toolkit/BoiteMessage.h"
#include "app/toolkit/TApplication.h"
#include "app/toolkit/TRadioGroup.h"
#include "display/TOpenGLPanel.h"
#include "signal/Memoire.h"
#include "sivia/Sivia.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QPushButton>
#include <QTest>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <random>
#include <string>
#include <sys/resource.h>
#include <thread>

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

using Horloge = std::chrono::steady_clock;

double Ms(Horloge::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// One long solve (far more boxes than it can classify in a few seconds), with Escape posted
// by another thread, as a key press arrives, `apres` into the solve.
struct MesureEchap {
    double reponse = 0;         // Escape -> first event processing after it
    double retour = 0;          // Escape -> "Solver" returned (paving view repainted)
    double plusLongBlocage = 0; // longest time without event processing during the solve
    // The GUI thread's own CPU time over that longest wait (what the program did, the rest
    // being other processes of a loaded machine), and when the wait ended, after Escape.
    double travailBlocage = 0;
    double finBlocage = 0;
    // Over the same wait: the whole process's CPU time (the GUI thread's plus its helpers',
    // e.g. the software GL's rasterising threads), the GUI thread's waits (voluntary switches:
    // blocked on something) and preemptions (involuntary: other processes ran), and how often
    // the event loop was entered.
    double processusBlocage = 0;
    long attentesBlocage = 0, preemptionsBlocage = 0, bouclesBlocage = 0;
    std::uint64_t boites = 0;
};

// CPU time of the calling thread, in milliseconds.
double MsProcesseur() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double MsProcessus() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The calling thread's voluntary and involuntary context switches.
std::pair<long, long> Commutations() {
    rusage u{};
    getrusage(RUSAGE_THREAD, &u);
    return {u.ru_nvcsw, u.ru_nivcsw};
}

// `sondeMs`: the probe's period; the longest time without answering is the longest gap
// between two of its ticks. `lancer` starts the long work (the "Solver" command unless
// given) and returns when it ends.
MesureEchap MesurerEchap(TForm1& f, std::chrono::milliseconds apres, int sondeMs = 1,
                         const std::function<void()>& lancer = {}) {
    MesureEchap m;
    std::atomic<std::int64_t> presse{0};
    Horloge::time_point dernier{};
    double dernierProcesseur = 0, dernierProcessus = 0;
    std::pair<long, long> dernieresCommutations{};
    long boucles = 0, dernieresBoucles = 0;
    bool enCours = true;
    const QMetaObject::Connection reveil = QObject::connect(
        QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake, [&] { ++boucles; });
    QTimer sonde;
    sonde.setInterval(sondeMs);
    sonde.setTimerType(Qt::PreciseTimer);
    QObject::connect(&sonde, &QTimer::timeout, [&] {
        const auto t = Horloge::now();
        const double processeur = MsProcesseur();
        const double processus = MsProcessus();
        const auto commutations = Commutations();
        if (enCours && dernier != Horloge::time_point{} && Ms(t - dernier) > m.plusLongBlocage) {
            m.plusLongBlocage = Ms(t - dernier);
            m.travailBlocage = processeur - dernierProcesseur;
            m.processusBlocage = processus - dernierProcessus;
            m.attentesBlocage = commutations.first - dernieresCommutations.first;
            m.preemptionsBlocage = commutations.second - dernieresCommutations.second;
            m.bouclesBlocage = boucles - dernieresBoucles;
            m.finBlocage = presse.load() == 0 ? -1 : Ms(t.time_since_epoch()) - presse / 1e6;
        }
        dernier = t;
        dernierProcesseur = processeur;
        dernierProcessus = processus;
        dernieresCommutations = commutations;
        dernieresBoucles = boucles;
        const std::int64_t p = presse.load();
        if (p != 0 && m.reponse == 0) {
            m.reponse = Ms(t.time_since_epoch()) - double(p) / 1e6;
        }
    });
    const auto debut = Horloge::now();
    std::thread clavier([&] {
        std::this_thread::sleep_until(debut + apres);
        presse =
            std::chrono::duration_cast<std::chrono::nanoseconds>(Horloge::now().time_since_epoch())
                .count();
        QCoreApplication::postEvent(
            &f, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    });
    sonde.start();
    if (lancer) {
        lancer();
    } else {
        f.Button1->show();
        f.Button1Click();
    }
    const auto fin = Horloge::now();
    enCours = false;
    sonde.stop();
    QObject::disconnect(reveil);
    clavier.join();
    m.retour = Ms(fin.time_since_epoch()) - double(presse.load()) / 1e6;
    m.boites = Atelier::BoitesRejetees().Size() + Atelier::BoitesSolution().Size();
    return m;
}

// A wheel step and the paints it asks for (the six panels, at the event loop's next turn).
std::function<void()> PasDeMolette(TForm1& f) {
    return [&f] {
        f.FormMouseWheelUp();
        QApplication::processEvents();
    };
}

void MesurerCourtEtEchap(TForm1& f, std::mt19937& alea);
void MesurerImmense(TForm1& f, std::mt19937& alea);
void MesurerVoix(TForm1& f);
void MesurerGeneration(TForm1& f, std::mt19937& alea);

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
    f.A.MatriceMelange = {1, 0.5, -0.4, 1};
    f.GenerationdesMelanges1->trigger();
    f.A.ReglagesCourants.ContrainteDecorrelationDerivees = false;
    const bool seulementImmense = argc > 1 && std::string(argv[1]) == "immense";
    if (argc > 1 && std::string(argv[1]) == "voix") {
        MesurerVoix(f);
        return 0;
    }
    std::mt19937 alea(5);
    if (argc > 1 && std::string(argv[1]) == "generation") {
        MesurerGeneration(f, alea);
        return 0;
    }

    for (int solve = 1; !seulementImmense && solve <= 2; ++solve) {
        f.Button1->show();
        const auto debut = std::chrono::steady_clock::now();
        f.Button1Click();
        const std::chrono::duration<double, std::milli> duree =
            std::chrono::steady_clock::now() - debut;
        const std::uint64_t boites =
            Atelier::BoitesRejetees().Size() + Atelier::BoitesSolution().Size();
        std::printf("Solver command, solve %d (2,097,151 boxes, drawing and panel 6 repaint "
                    "included): %.1f ms\n",
                    solve, duree.count());
        f.RadioGroup1->SetItemIndex(0);
        f.Image1MouseMove(Qt::NoModifier, 151, 144);
        std::printf("  stored boxes %llu: paving view paint (one step, at most 262,144 boxes) %.2f "
                    "ms, wheel step (six panels) "
                    "%.2f ms\n",
                    static_cast<unsigned long long>(boites),
                    Millisecondes([&] { f.OpenGLPanel6->Repaint(); }, 10),
                    Millisecondes(PasDeMolette(f), 10));
    }
    std::printf("  plot panel paints (5,000 samples): panel 1 %.2f ms, panel 3 %.2f ms, "
                "panel 5 %.2f ms\n",
                Millisecondes([&] { f.OpenGLPanel1->Repaint(); }, 20),
                Millisecondes([&] { f.OpenGLPanel3->Repaint(); }, 20),
                Millisecondes([&] { f.OpenGLPanel5->Repaint(); }, 20));

    if (!seulementImmense) {
        MesurerCourtEtEchap(f, alea);
    }
    MesurerImmense(f, alea);
    if (!seulementImmense) {
        Atelier::BoitesRejetees().Clear();
        Atelier::BoitesSolution().Clear();
        MesurerGeneration(f, alea);
    }
    FixerBudgetMemoire(0);
    return 0;
}

namespace {

void MesurerCourtEtEchap(TForm1& f, std::mt19937& alea) {
    // A short solve: both constraints, precision 0.5.
    f.A.ReglagesCourants.ContrainteDecorrelationDerivees = true;
    const double precision = f.A.ReglagesCourants.PrecisionSivia;
    f.A.ReglagesCourants.PrecisionSivia = 0.05;
    std::printf("Short solve (two constraints, precision 0.05, %s): %.2f ms\n", "handler",
                Millisecondes(
                    [&] {
                        f.Button1->show();
                        f.Button1Click();
                    },
                    20));
    f.A.ReglagesCourants.PrecisionSivia = precision;

    // Long solves stopped by Escape: one constraint, precision 0.0004 (2^30 boxes to keep:
    // the budget is made large enough not to refuse it, the solve is stopped long before).
    // Each runs past the 4,194,304 boxes from which panel 6's summary follows them, the last
    // two far past.
    f.A.ReglagesCourants.ContrainteDecorrelationDerivees = false;
    f.A.ReglagesCourants.PrecisionSivia = 0.0004;
    f.A.ReglagesCourants.Stockage =
        StockagePile; // depth first: boxes are kept and drawn from the start
    FixerBudgetMemoire(std::uint64_t(1) << 42);
    double pireReponse = 0, pireRetour = 0, pireBlocage = 0;
    for (int essai = 0; essai < 5; ++essai) {
        Atelier::BoitesRejetees().Clear();
        Atelier::BoitesSolution().Clear();
        const auto apres =
            std::chrono::milliseconds(essai < 3 ? 800 + alea() % 400 : 4000 + alea() % 1000);
        const MesureEchap m = MesurerEchap(f, apres);
        std::printf("Escape after %lld ms of a long solve (%llu boxes then): window answers in "
                    "%.1f ms, Solver returns in %.1f ms; longest time without answering %.1f ms\n",
                    static_cast<long long>(apres.count()),
                    static_cast<unsigned long long>(m.boites), m.reponse, m.retour,
                    m.plusLongBlocage);
        pireReponse = std::max(pireReponse, m.reponse);
        pireRetour = std::max(pireRetour, m.retour);
        pireBlocage = std::max(pireBlocage, m.plusLongBlocage);
    }
    std::printf("  worst of 5: Escape to answer %.1f ms (target < 100 ms), Escape to return "
                "%.1f ms, longest time without answering %.1f ms\n",
                pireReponse, pireRetour, pireBlocage);
}

void MesurerImmense(TForm1& f, std::mt19937& alea) {
    // The search box ±99999999999 with the default settings: boxes far wider than the
    // mixtures' scale, whose constraints rarely reject anything. Escape after 3 to 4 s; the
    // ping of a 100 ms timer measures how long the window keeps a user waiting.
    f.A.ReglagesCourants.ContrainteDecorrelationDerivees = true;
    f.A.ReglagesCourants.PrecisionSivia = 0.01;
    f.A.ReglagesCourants.Stockage = StockageFile;
    f.A.ReglagesCourants.BorneInfX = f.A.ReglagesCourants.BorneInfY = -99999999999.0;
    f.A.ReglagesCourants.BorneSupX = f.A.ReglagesCourants.BorneSupY = 99999999999.0;
    FixerBudgetMemoire(std::uint64_t(4) << 30);
    double pirePing = 0;
    for (int essai = 0; essai < 5; ++essai) {
        Atelier::BoitesRejetees().Clear();
        Atelier::BoitesSolution().Clear();
        const auto apres = std::chrono::milliseconds(3000 + alea() % 1000);
        const MesureEchap m = MesurerEchap(f, apres, 100);
        std::printf("Solve over ±99999999999, Escape after %lld ms (%llu boxes then): longest "
                    "delay of the 100 ms ping %.1f ms (GUI thread busy %.1f ms of it, the "
                    "process %.1f ms; the GUI thread waited %ld times, was preempted %ld times, "
                    "entered the event loop %ld times; ending %.0f ms after Escape), Escape to "
                    "return %.1f ms\n",
                    static_cast<long long>(apres.count()),
                    static_cast<unsigned long long>(m.boites), m.plusLongBlocage - 100,
                    m.travailBlocage, m.processusBlocage, m.attentesBlocage, m.preemptionsBlocage,
                    m.bouclesBlocage, m.finBlocage, m.retour);
        pirePing = std::max(pirePing, m.plusLongBlocage - 100);
    }
    std::printf("  worst of 5: longest delay of the 100 ms ping %.1f ms\n", pirePing);
}

void MesurerVoix(TForm1& f) {
    f.MenuFichier->DeuxVoix->trigger();
    f.GenerationdesMelanges1->trigger();
    std::printf("Two voices (%zu samples): wheel step (six panels) %.1f ms\n", f.A.Source1.size(),
                Millisecondes(PasDeMolette(f), 5));
    const double debut = MsProcesseur();
    const auto t0 = Horloge::now();
    for (int k = 0; k < 37; ++k) {
        QWheelEvent e(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.OpenGLPanel1, &e);
    }
    QApplication::processEvents();
    std::printf("  37 steps at once: window answers after %.1f ms (GUI thread busy %.1f ms)\n",
                Ms(Horloge::now() - t0), MsProcesseur() - debut);
}

// A source of 2^28 samples (2 GiB), generated in the window and stopped by Escape after 1 to
// 2 s: the longest delay of a 100 ms ping while its array is given memory and filled.
void MesurerGeneration(TForm1& f, std::mt19937& alea) {
    f.A.ReglagesCourants.NbEchantillons = 1 << 28;
    FixerBudgetMemoire(MemoireTenue() + (std::uint64_t(4) << 30));
    double pirePing = 0;
    for (int essai = 0; essai < 5; ++essai) {
        // Sine and cosine in turn: a kind already shown would not be generated again.
        QAction* sorte = essai % 2 ? f.Cosinus1 : f.Sinus1;
        const auto apres = std::chrono::milliseconds(1000 + alea() % 1000);
        const MesureEchap m = MesurerEchap(f, apres, 100, [sorte] { sorte->trigger(); });
        std::printf("Generation of 2^28 samples, Escape after %lld ms: longest delay of the 100 "
                    "ms ping %.1f ms (GUI thread busy %.1f ms of it), Escape to return %.1f ms\n",
                    static_cast<long long>(apres.count()), m.plusLongBlocage - 100,
                    m.travailBlocage, m.retour);
        pirePing = std::max(pirePing, m.plusLongBlocage - 100);
    }
    std::printf("  worst of 5: longest delay of the 100 ms ping %.1f ms\n", pirePing);
}

} // namespace
