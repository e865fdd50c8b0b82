// Times (in CPU time) the SIVIA loop against the reference loop (the loop before tuning) in the
// same run, on the cases that matter: a curve of kept boxes (two coinciding decorrelations), a
// small solve repeated many times (the study command's pattern) and the whole box kept (fewer than
// two constraints). Each alone (no image bound) and with drawing on the 337 x 321 image, from clean
// vector registers, then alone right after an image fill (see sivia/EtatVectoriel.h). Then the
// peak memory per stored box (growth of the peak resident size over the run, divided by the boxes
// it stored).
#include "app/toolkit/CanevasImage.h"
#include "sivia/EtatVectoriel.h"
#include "sivia/Sivia.h"
#include "tests/support/AideIntervalles.h"
#include "tests/support/ListeReference.h"
#include "tests/support/SiviaReference.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

namespace {

// The thread's CPU time (user and system, page faults included): unlike the wall clock, it
// does not count the time other processes of a shared machine take.
double TempsCpu() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

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
    MomentsMelanges moments;
    ContraintesActives contraintes;
    double precision;
    int solves; // solves per timing (the small case is repeated)
};

struct Mesure {
    double secondes; // per solve
    ResultatSivia resultat;
};

// How the vector registers are left before a timing: clean, or as a Qt image fill leaves them
// (upper halves dirty, which slows every SSE instruction until something clears them).
enum class Registres { Propres, ApresRemplissage };

// The "Solver" pattern on three lists: emptied, frame bound, the whole box blanked, then the
// solve, which is the reference loop or ExecuterSivia.
template <class Liste, class Solveur>
Mesure Resoudre(Solveur solveur, const Cas& c, Canevas* image, Liste (&listes)[3],
                Registres registres) {
    ResultatSivia r;
    if (registres == Registres::Propres) {
        EffacerMoitiesHautes(AvxDisponible());
    } else {
        CanevasImage remplie(337, 321);
    }
    const double debut = TempsCpu();
    for (int i = 0; i < c.solves; ++i) {
        for (Liste& l : listes) {
            l.Clear();
        }
        RepereImage = Repere{c.boite[2], c.boite[1], image};
        RepereImage.DessinePave(c.boite, CouleurBlanche, CouleurBlanche, BrossePleine);
        r = solveur(c.boite, listes[0], listes[1], listes[2], RepereImage, c.moments, c.contraintes,
                    c.precision, StockageFile, UINT64_MAX);
    }
    return {(TempsCpu() - debut) / c.solves, r};
}

ListeReference ListesAvant[3];
BoxList ListesApres[3];

Mesure Avant(const Cas& c, Canevas* image, Registres registres = Registres::Propres) {
    return Resoudre(&ExecuterSiviaReference<ListeReference>, c, image, ListesAvant, registres);
}
Mesure ReferenceSurBoxList(const Cas& c, Canevas* image) {
    return Resoudre(&ExecuterSiviaReference<BoxList>, c, image, ListesApres, Registres::Propres);
}
Mesure Apres(const Cas& c, Canevas* image, Registres registres = Registres::Propres) {
    const auto executer = [](auto&&... a) { return ExecuterSivia(a...); };
    return Resoudre(executer, c, image, ListesApres, registres);
}

std::string Comptes(const ResultatSivia& r) {
    return std::to_string(r.NbPrises) + " taken, " + std::to_string(r.NbRejetees) + " rejected, " +
           std::to_string(r.NbGardees) + " kept";
}

// A time per solve, in microseconds below a millisecond so that short solves keep their digits.
std::string Duree(double secondes) {
    char texte[32];
    if (secondes < 1e-3) {
        std::snprintf(texte, sizeof texte, "%.2f us", secondes * 1e6);
    } else {
        std::snprintf(texte, sizeof texte, "%.3f ms", secondes * 1e3);
    }
    return texte;
}

double Minimum(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}

bool Pareil(const ResultatSivia& a, const ResultatSivia& b) {
    return Comptes(a) == Comptes(b) && std::bit_cast<std::uint64_t>(a.MeilleurCritere) ==
                                           std::bit_cast<std::uint64_t>(b.MeilleurCritere);
}

// Before (the reference loop on the lists of that time), the reference loop on today's lists
// and the new loop, in turn, best of `repetitions`, with and without drawing.
void Comparer(const Cas& c, int repetitions) {
    std::printf("%s:\n", c.nom);
    for (const bool dessin : {false, true}) {
        std::vector<double> avant, milieu, apres;
        bool pareil = true;
        ResultatSivia rn;
        for (int i = 0; i < repetitions; ++i) {
            CanevasImage image(337, 321);
            Canevas* cible = dessin ? &image : nullptr;
            const Mesure n = Apres(c, cible), a = Avant(c, cible),
                         m = ReferenceSurBoxList(c, cible);
            avant.push_back(a.secondes), milieu.push_back(m.secondes);
            apres.push_back(n.secondes);
            pareil = pareil && Pareil(a.resultat, n.resultat) && Pareil(m.resultat, n.resultat);
            rn = n.resultat;
        }
        std::printf("  %s: %s%s\n    before %s, after %s per solve: %.2f times faster "
                    "(reference loop on the new lists: %s)\n",
                    dessin ? "with drawing on the 337x321 image" : "alone", Comptes(rn).c_str(),
                    pareil ? "" : " (DIFFERS FROM THE REFERENCE)", Duree(Minimum(avant)).c_str(),
                    Duree(Minimum(apres)).c_str(), Minimum(avant) / Minimum(apres),
                    Duree(Minimum(milieu)).c_str());
    }
    // Both loops again right after an image fill, the state they meet in the application.
    std::vector<double> avant, apres;
    for (int i = 0; i < repetitions; ++i) {
        avant.push_back(Avant(c, nullptr, Registres::ApresRemplissage).secondes);
        apres.push_back(Apres(c, nullptr, Registres::ApresRemplissage).secondes);
    }
    std::printf("  alone, right after a 337x321 image fill: before %s, after %s per solve: %.2f "
                "times faster\n",
                Duree(Minimum(avant)).c_str(), Duree(Minimum(apres)).c_str(),
                Minimum(avant) / Minimum(apres));
}

} // namespace

int main(int argc, char** argv) {
    // An argument keeps the cases whose name holds it, e.g. "small".
    const std::string filtre = argc > 1 ? argv[1] : "";
    MomentsMelanges exemple; // the worked runs: decorrelations zero at (1, -1) and (-1, 1)
    exemple.Ex1x1 = 1, exemple.Ex1x2 = 0.5, exemple.Ex2x2 = 1;
    exemple.Edx1dx1 = 1, exemple.Edx1dx2 = -0.5, exemple.Edx2dx2 = 1;
    MomentsMelanges bruits = exemple; // two white noises: the constraints coincide
    bruits.Edx1dx1 = 2, bruits.Edx1dx2 = 1, bruits.Edx2dx2 = 2;
    const ContraintesActives deux{true, true, false}, une{true, false, false};
    const Box defaut = Pave(-5, 5, -5, 5);
    const std::vector<Cas> cas = {
        {"curve, [-5,5]^2 at 1e-4", defaut, bruits, deux, 1e-4, 1},
        {"curve, [-5,5]^2 at 1e-3", defaut, bruits, deux, 1e-3, 1},
        {"small, [-5,5]^2 at 0.01, 2000 solves", defaut, exemple, deux, 0.01, 2000},
        {"whole box, [-5,5]^2 at 0.01, fewer than two constraints", defaut, exemple, une, 0.01, 1},
        {"worked run [-2,2]^2 at 0.5, 2000 solves", Pave(-2, 2, -2, 2), exemple, deux, 0.5, 2000},
    };
    std::printf("sizeof(Box) = %zu bytes\n", sizeof(Box));

    // Memory first, before other runs raise the peak.
    const auto retenu = [&](const Cas& c) {
        return std::string(c.nom).find(filtre) != std::string::npos;
    };
    for (const Cas& c : cas) {
        if (!retenu(c)) {
            continue;
        }
        for (BoxList& l : ListesApres) {
            l.Clear();
        }
        if (!RemettrePicAZero()) {
            std::printf("cannot reset the peak resident size\n");
            break;
        }
        const long avant = LireStatut("VmRSS");
        const ResultatSivia r =
            Apres(Cas{c.nom, c.boite, c.moments, c.contraintes, c.precision, 1}, nullptr).resultat;
        const long pic = LireStatut("VmHWM");
        const double stockees = double(r.NbRejetees + r.NbGardees);
        std::printf("%s: %s; peak growth %.1f MiB", c.nom, Comptes(r).c_str(),
                    double(pic - avant) / 1024.0);
        if (stockees >= 100000) { // below that, page granularity swamps the figure
            std::printf(", %.1f bytes per stored box", double(pic - avant) * 1024.0 / stockees);
        }
        std::printf("\n");
    }

    for (const Cas& c : cas) {
        if (retenu(c)) {
            Comparer(c, c.solves > 1 ? 15 : 5); // short timings: more of them against noise
        }
    }
    return 0;
}
