// Times the separation analysis: clustering the 1,048,576 kept boxes of a solve with fewer
// than two constraints (the whole default box at 0.01), clustering a real two-constraint
// solve, the mean-SIR map at 256 x 256, and the exact second-order roots.
#include "analyse/CarteSir.h"
#include "analyse/RacinesOrdre2.h"
#include "analyse/Rapport.h"
#include "signal/Generateurs.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

using Horloge = std::chrono::steady_clock;

// Median and minimum wall-clock time over `fois` runs, and the median processor time (what
// a run costs with a core to itself on a shared machine), in milliseconds.
void Mesurer(const char* nom, int fois, const std::function<double()>& f) {
    std::vector<double> t, p;
    double controle = 0;
    for (int k = 0; k < fois; ++k) {
        const auto debut = Horloge::now();
        const std::clock_t c = std::clock();
        controle += f();
        p.push_back(double(std::clock() - c) * 1e3 / CLOCKS_PER_SEC);
        t.push_back(std::chrono::duration<double, std::milli>(Horloge::now() - debut).count());
    }
    std::sort(t.begin(), t.end());
    std::sort(p.begin(), p.end());
    std::printf("  %-48s median %9.3f ms (min %9.3f), processor %9.3f ms  (checksum %g)\n", nom,
                t[t.size() / 2], t.front(), p[p.size() / 2], controle);
}

Box Pave(double x0, double x1, double y0, double y1) {
    Box b(2, 1);
    b[1] = Interval(x0, x1);
    b[2] = Interval(y0, y1);
    return b;
}

} // namespace

int main() {
    const Box defaut = Pave(-5, 5, -5, 5);
    const Repere sansImage{defaut[2], defaut[1], nullptr};
    BoxList enAttente, rejetees, solution;

    const ResultatSivia tout = ExecuterSivia(defaut, enAttente, rejetees, solution, sansImage, {},
                                             {true, false, false}, 0.01, StockageFile, UINT64_MAX);
    std::printf("GrouperSolutions, %llu kept boxes (one constraint, default box, 0.01):\n",
                static_cast<unsigned long long>(tout.NbGardees));
    Mesurer("contact clusters", 5,
            [&] { return double(GrouperSolutions(solution, 0, 0.01).size()); });
    Mesurer("clusters across gaps of 3 x precision (report)", 5,
            [&] { return double(GrouperSolutions(solution, 0, 0.01, 0.03).size()); });

    std::vector<double> s1, s2;
    GenerateurAleatoire alea;
    GenererSource(TypeSource::Cosinus, 5000, 0.1f, alea, s1);
    GenererSource(TypeSource::BruitColoreGaussien, 5000, 0.1f, alea, s2);
    const Matrice2x2 A{1, 0.62, -0.35, 1};
    const Melanges m = GenererMelanges(s1, s2, A, 5000, 0.1f);
    const PuissancesSources P = CalculerPuissances(s1, s2, 5000);
    solution.Clear();
    rejetees.Clear();
    const ResultatSivia r =
        ExecuterSivia(defaut, enAttente, rejetees, solution, sansImage, m.Moments,
                      {true, true, false}, 0.01, StockageFile, UINT64_MAX);
    std::printf("Cosine + coloured noise, two decorrelations, 0.01 (%llu kept boxes):\n",
                static_cast<unsigned long long>(r.NbGardees));
    Mesurer("EtablirRapport (clusters, exact points and their quality)", 20, [&] {
        return double(
            EtablirRapport(r, 0, 0.01, solution, A, P, m.Moments, {true, true, false}).Amas.size());
    });
    Mesurer("CalculerCarteSir 256 x 256", 20, [&] {
        const CarteSir c = CalculerCarteSir({-5, 5, -5, 5}, 256, 256, A, P);
        return double(c.Db[c.Db.size() / 2]);
    });
    Mesurer("CalculerCarteSir 800 x 800", 5, [&] {
        const CarteSir c = CalculerCarteSir({-5, 5, -5, 5}, 800, 800, A, P);
        return double(c.Db[c.Db.size() / 2]);
    });
    Mesurer("CalculerRacinesOrdre2 x 1000", 5, [&] {
        double s = 0;
        for (int k = 0; k < 1000; ++k) {
            s += CalculerRacinesOrdre2(m.Moments).Racine1->x;
        }
        return s;
    });
}
