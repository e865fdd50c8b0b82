// How far the paving panel's summary of many boxes is from the box-by-box picture: five solves
// with one constraint (every box kept down to the precision, 5,242,880 kept boxes) seen by the
// paving panel (337 x 321 pixels, no pan) at several depths. For each depth: the share of
// pixels whose colour differs, the path the summary took, and the time of both paints.
#include "display/ResumePavage.h"
#include "sivia/Sivia.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace {

double Depuis(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t).count();
}

// The panel's projection of the search box [-5, 5]^2 at `profondeur`: the widest side at
// 5 units, a 45 degree perspective (as ProjectionDe gives it from the GL matrices).
ProjectionPavage Projection(double profondeur, int W, int H) {
    const double f = 1.0 / std::tan(22.5 * M_PI / 180.0), echelle = 0.5;
    ProjectionPavage p;
    p.ax = echelle * f * H / (2.0 * -profondeur);
    p.ay = p.ax;
    p.bx = W / 2.0;
    p.by = H / 2.0;
    p.separable = p.visible = true;
    return p;
}

const char* Nom(EtatTrame e) {
    return e == EtatTrame::Exacte           ? "exact"
           : e == EtatTrame::Echantillonnee ? "échantillonné"
                                            : "partiel";
}

} // namespace

int main() {
    Box recherche(2, 1);
    recherche[1] = Interval(-5, 5);
    recherche[2] = Interval(-5, 5);
    BoxList enAttente, rejetees, solution;
    MomentsMelanges m;
    m.Ex1x1 = 1.0;
    m.Ex1x2 = 0.3;
    m.Ex2x2 = 0.8;
    ContraintesActives c;
    c.ContrainteDecorrelationDerivees = false;
    for (int k = 0; k < 5; ++k) {
        ExecuterSivia(recherche, enAttente, rejetees, solution, Repere{}, m, c, 0.01, StockageFile,
                      50'000'000);
    }
    std::printf("%u boîtes gardées, %u rejetées\n", solution.Size(), rejetees.Size());
    const auto couches = ResumePavage::CouchesPanneau(enAttente, rejetees, solution);
    const int W = 337, H = 321;
    ResumePavage resume;
    const auto debut = std::chrono::steady_clock::now();
    while (!resume.Suivre(couches, ResumePavage::PasParPeinture, &recherche)) {
    }
    std::printf("résumé construit en %.0f ms, %.1f Mo\n", Depuis(debut), resume.Octets() / 1e6);
    // Without a threshold: every box, in draw order (the picture of the GL view).
    ResumePavage direct(std::numeric_limits<std::uint64_t>::max(), 0, 1);
    std::printf(
        "profondeur  pixels différents  (sur la boîte)  chemin          exact ms  résumé ms\n");
    for (const double profondeur : {-10.0, -8.0, -6.0, -4.0, -3.0, -2.0, -1.5}) {
        const ProjectionPavage p = Projection(profondeur, W, H);
        TramePavage exacte, resumee;
        exacte.Preparer(W, H);
        resumee.Preparer(W, H);
        auto t = std::chrono::steady_clock::now();
        direct.Tramer(exacte, p, couches, &recherche);
        const double msExact = Depuis(t);
        t = std::chrono::steady_clock::now();
        const EtatTrame etat = resume.Tramer(resumee, p, couches, &recherche);
        const double msResume = Depuis(t);
        int differents = 0, dansBoite = 0, paires[5][5] = {};
        for (int j = 0; j < H; ++j) {
            for (int i = 0; i < W; ++i) {
                const double x = (i + 0.5 - p.bx) / p.ax, y = (j + 0.5 - p.by) / p.ay;
                const bool dedans = std::fabs(x) < 5 && std::fabs(y) < 5;
                dansBoite += dedans;
                differents += exacte.At(i, j) != resumee.At(i, j);
                ++paires[exacte.At(i, j)][resumee.At(i, j)];
            }
        }
        std::printf("%10.1f  %8d (%5.2f %%)  %14d  %-14s  %8.1f  %9.1f\n", profondeur, differents,
                    100.0 * differents / (W * H), dansBoite, Nom(etat), msExact, msResume);
        // The colours that differ: box by box -> summary.
        static const char* couleurs[] = {"aucune", "jaune", "bleue", "blanche", "noire"};
        for (int a = 0; a < 5; ++a) {
            for (int b = 0; b < 5; ++b) {
                if (a != b && paires[a][b] > 0) {
                    std::printf("            %s -> %s : %d\n", couleurs[a], couleurs[b],
                                paires[a][b]);
                }
            }
        }
    }
}
