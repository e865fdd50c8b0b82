// Times the SIVIA loop alone (no image bound) and the whole "Solver" drawing path (blank
// the 337 x 321 image, then solve while drawing every box), and the peak memory per stored
// box (growth of the peak resident size over the run, divided by the boxes it stored).
#include "app/toolkit/CanevasImage.h"
#include "sivia/Sivia.h"
#include "tests/support/AideIntervalles.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Horloge = std::chrono::steady_clock;

// Resident sizes in KiB from /proc/self/status ("VmRSS" or "VmHWM").
long LireStatut(const std::string& cle) {
    std::ifstream f("/proc/self/status");
    std::string ligne;
    while (std::getline(f, ligne)) {
        if (ligne.compare(0, cle.size() + 1, cle + ":") == 0) {
            return std::stol(ligne.substr(cle.size() + 1));
        }
    }
    return -1;
}

// Brings the peak resident size back to the current one.
bool RemettrePicAZero() {
    std::ofstream f("/proc/self/clear_refs");
    f << "5";
    return static_cast<bool>(f);
}

struct Cas {
    const char* nom;
    Box boite;
    ContraintesActives contraintes;
    double precision;
};

struct Mesure {
    double secondes;
    ResultatSivia resultat;
};

Mesure Resoudre(const Cas& c, const MomentsMelanges& m, Canevas* image) {
    BoitesEnAttente.Clear();
    BoitesRejetees.Clear();
    BoitesSolution.Clear();
    RepereImage.IntervalleX = c.boite[1];
    RepereImage.IntervalleY = c.boite[2];
    RepereImage.Image = image;
    const auto debut = Horloge::now();
    if (image != nullptr) {
        RepereImage.DessinePave(c.boite, CouleurBlanche, CouleurBlanche, BrossePleine);
    }
    const ResultatSivia r =
        ExecuterSivia(c.boite, BoitesEnAttente, BoitesRejetees, BoitesSolution, RepereImage, m,
                      c.contraintes, c.precision, StockageFile, UINT64_MAX);
    return {std::chrono::duration<double>(Horloge::now() - debut).count(), r};
}

double Minimum(std::vector<double> v) {
    return *std::min_element(v.begin(), v.end());
}
double Mediane(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main() {
    MomentsMelanges m;
    m.Ex1x1 = 1, m.Ex1x2 = 0.5, m.Ex2x2 = 1;
    m.Edx1dx1 = 1, m.Edx1dx2 = -0.5, m.Edx2dx2 = 1;
    const ContraintesActives deux{true, true, false}, une{true, false, false};
    const std::vector<Cas> cas = {
        {"[-5,5]^2 at 0.01, fewer than two constraints", Pave(-5, 5, -5, 5), une, 0.01},
        {"[-5,5]^2 at 0.01, two decorrelations", Pave(-5, 5, -5, 5), deux, 0.01},
        {"worked run [-2,2]^2 at 0.5, two decorrelations", Pave(-2, 2, -2, 2), deux, 0.5},
        {"worked run [-2,2]^2 at 1, two decorrelations", Pave(-2, 2, -2, 2), deux, 1.0},
        {"worked run [-2,2]^2 at 0.5, one constraint", Pave(-2, 2, -2, 2), une, 0.5},
    };
    std::printf("sizeof(Box) = %zu bytes\n", sizeof(Box));

    // Memory first, before other runs raise the peak.
    for (const Cas& c : cas) {
        BoitesEnAttente.Clear();
        BoitesRejetees.Clear();
        BoitesSolution.Clear();
        if (!RemettrePicAZero()) {
            std::printf("cannot reset the peak resident size\n");
            break;
        }
        const long avant = LireStatut("VmRSS");
        const Mesure me = Resoudre(c, m, nullptr);
        const long pic = LireStatut("VmHWM");
        const double stockees = double(me.resultat.NbRejetees + me.resultat.NbGardees);
        std::printf("%s: %llu taken, %llu rejected, %llu kept; peak growth %.1f MiB", c.nom,
                    static_cast<unsigned long long>(me.resultat.NbPrises),
                    static_cast<unsigned long long>(me.resultat.NbRejetees),
                    static_cast<unsigned long long>(me.resultat.NbGardees),
                    double(pic - avant) / 1024.0);
        if (stockees >= 100000) { // below that, page granularity swamps the figure
            std::printf(", %.1f bytes per stored box", double(pic - avant) * 1024.0 / stockees);
        }
        std::printf("\n");
    }

    constexpr int Repetitions = 7;
    for (const Cas& c : cas) {
        std::vector<double> seul, dessin;
        std::uint64_t prises = 0;
        for (int i = 0; i < Repetitions; ++i) {
            const Mesure a = Resoudre(c, m, nullptr);
            seul.push_back(a.secondes);
            prises = a.resultat.NbPrises;
            CanevasImage image(337, 321);
            dessin.push_back(Resoudre(c, m, &image).secondes);
        }
        std::printf("%s:\n  ExecuterSivia alone: min %.3f ms, median %.3f ms, %.1f million "
                    "boxes/s\n  with drawing on the 337x321 image: min %.3f ms, median %.3f ms\n",
                    c.nom, Minimum(seul) * 1e3, Mediane(seul) * 1e3,
                    double(prises) / Minimum(seul) / 1e6, Minimum(dessin) * 1e3,
                    Mediane(dessin) * 1e3);
    }
    BoitesEnAttente.Clear();
    BoitesRejetees.Clear();
    BoitesSolution.Clear();
    return 0;
}
