// The delayed decorrelation on real recordings: each pair of sources given on the command line
// (audio files, one channel each, cut to the shorter) is mixed by a fixed set of matrices and
// solved at precision 0.01 over [-5, 5]^2 with the default pair of constraints and with the
// delayed decorrelation (delays 1 to 20, then 1, 2, 4, 8). Printed per pair, median and worst
// over the matrices: the mean SIR at the best kept cluster's centre, the clusters, the time;
// and, for the same criteria computed exactly at their minimisers (no paving): the
// second-order root, the delayed sum on the lag-0 curve, its maximum instead of the sum, and
// the sum with lag 0 as one more soft term. scripts/bench.sh prepares two voices of similar
// pitch (Debian's asterisk prompts, French and English) and runs it.
#include "analyse/RacinesOrdre2.h"
#include "analyse/Rapport.h"
#include "fichiers/LectureSignal.h"
#include "signal/Melange.h"
#include "sivia/Retards.h"
#include "sivia/Sivia.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr double Precision = 0.01, Borne = 5;

// Mean SIR at a point for the known matrix; -infinity when undefined.
double Sir(double x, double y, const Matrice2x2& A, const PuissancesSources& P) {
    const std::optional<double> s = CalculerQualite(x, y, A, P).SirMoyen();
    return s ? std::min(*s, 300.0) : -std::numeric_limits<double>::infinity();
}

struct Solve {
    double sir = -std::numeric_limits<double>::infinity(); // best cluster's centre
    std::size_t amas = 0;
    double secondes = 0;
};

Solve Resoudre(const Melanges& mel, const MomentsRetardes& r, const ContraintesActives& c,
               const Matrice2x2& A, const PuissancesSources& P) {
    BoxList enAttente, rejetees, gardees;
    const Box boite = [] {
        Box b(2, 1);
        b[1] = b[2] = Interval(-Borne, Borne);
        return b;
    }();
    const auto debut = std::chrono::steady_clock::now();
    const ResultatSivia res =
        ExecuterSivia(boite, enAttente, rejetees, gardees, Repere{}, mel.Moments, c, Precision,
                      StockageFile, std::uint64_t{1} << 26, r);
    Solve s;
    s.secondes = std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
    const std::vector<AmasQualifie> amas =
        EtablirRapport(res, s.secondes, Precision, gardees, A, P, mel.Moments, c).Amas;
    s.amas = amas.size();
    for (const AmasQualifie& a : amas) {
        if (a.QualiteCentre && a.QualiteCentre->SirMoyen()) {
            s.sir = std::max(s.sir, std::min(*a.QualiteCentre->SirMoyen(), 300.0));
        }
    }
    return s;
}

// The normalised symmetrised correlations at each delay, at (x, y): rho_t = C_t / sqrt(P1.P2).
std::vector<double> Correlations(double x, double y, const MomentsMelanges& m,
                                 const MomentsRetardes& r) {
    const double p1 = (m.Ex1x1 + 2 * x * m.Ex1x2) + x * x * m.Ex2x2;
    const double p2 = (y * y * m.Ex1x1 + 2 * y * m.Ex1x2) + m.Ex2x2;
    std::vector<double> rho;
    for (std::size_t k = 0; k < r.Retards.size(); ++k) {
        const double b = (r.R12[k] + r.R21[k]) / 2;
        rho.push_back((((y * r.R11[k] + b) + (x * y) * b) + x * r.R22[k]) / std::sqrt(p1 * p2));
    }
    return rho;
}

// A compass search from (x, y) down to a local minimum of f: the soft form, where lag 0 is
// one more term, is minimised over the plane from the hard form's minimiser.
template <class F> PointPlan DescenteLocale(double x, double y, F&& f) {
    double v = f(x, y);
    for (double pas = 0.05; pas > 1e-12;) {
        bool mieux = false;
        for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
            const double w = f(x + dx * pas, y + dy * pas);
            if (w < v) {
                v = w, x += dx * pas, y += dy * pas, mieux = true;
                break;
            }
        }
        if (!mieux) {
            pas /= 2;
        }
    }
    return {x, y};
}

struct Colonne {
    const char* nom;
    std::vector<double> sir = {}, secondes = {}, amas = {};
};

double Mediane(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n == 0 ? NAN : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

double LagUn(const std::vector<double>& s) {
    double a = 0, b = 0;
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        a += s[i] * s[i + 1], b += s[i] * s[i];
    }
    return a / b;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc % 2 == 0) {
        std::printf("usage: bench_retards source1 source2 [source1 source2 ...] "
                    "(scripts/bench.sh prepares the recordings)\n");
        return 0;
    }
    const Matrice2x2 matrices[] = {{1, 0.6, -0.45, 1}, {1, 0.5, -0.4, 1}, {1, 0.9, 0.8, 1},
                                   {1, -0.7, -0.6, 1}, {1, 0.3, 0.7, 1},  {1, -0.5, 0.9, 1}};
    const std::vector<int> tous = {1, 2, 3, 4, 5, 6, 8, 10, 12, 16, 20}, courts = {1, 2, 4, 8};
    ContraintesActives retardee;
    retardee.ContrainteDecorrelationRetardee = true;

    for (int p = 1; p + 1 < argc; p += 2) {
        const SignalLu a = LireSignal(argv[p], 0), b = LireSignal(argv[p + 1], 0);
        const int N = int(std::min(a.Echantillons.size(), b.Echantillons.size()));
        std::printf("\n%s + %s: %d samples at %.0f Hz, lag-1 autocorrelations %.4f and %.4f\n",
                    argv[p], argv[p + 1], N, a.Frequence, LagUn(a.Echantillons),
                    LagUn(b.Echantillons));
        Colonne cols[] = {{"SIVIA, default pair (best cluster)"},
                          {"SIVIA, delays 1..20 (best cluster)"},
                          {"SIVIA, delays 1,2,4,8 (best cluster)"},
                          {"exact second-order root (best of two)"},
                          {"exact: sum of rho^2, delays 1..20, on the lag-0 curve"},
                          {"exact: max of rho^2, delays 1..20, on the lag-0 curve"},
                          {"exact: lag 0 as a soft term of the sum"}};
        for (const Matrice2x2& A : matrices) {
            const Melanges mel = GenererMelanges(a.Echantillons, b.Echantillons, A, N, 0.1f);
            const PuissancesSources P = CalculerPuissances(a.Echantillons, b.Echantillons, N);
            const MomentsRetardes r = CalculerMomentsRetardes(mel.Melange1, mel.Melange2, tous);
            const MomentsRetardes rc = CalculerMomentsRetardes(mel.Melange1, mel.Melange2, courts);
            const Solve solves[] = {Resoudre(mel, {}, ContraintesActives{}, A, P),
                                    Resoudre(mel, r, retardee, A, P),
                                    Resoudre(mel, rc, retardee, A, P)};
            for (int i = 0; i < 3; ++i) {
                cols[i].sir.push_back(solves[i].sir);
                cols[i].secondes.push_back(solves[i].secondes);
                cols[i].amas.push_back(double(solves[i].amas));
            }
            const RacinesOrdre2 racines = CalculerRacinesOrdre2(mel.Moments);
            double sirRacine = -std::numeric_limits<double>::infinity();
            for (const auto& q : {racines.Racine1, racines.Racine2}) {
                if (q) {
                    sirRacine = std::max(sirRacine, Sir(q->x, q->y, A, P));
                }
            }
            cols[3].sir.push_back(sirRacine);
            const auto somme = [&](double x, double y) {
                return CritereRetardeAuPoint(x, y, mel.Moments, r);
            };
            const auto maximum = [&](double x, double y) {
                double v = 0;
                for (const double q : Correlations(x, y, mel.Moments, r)) {
                    v = std::max(v, q * q);
                }
                return v;
            };
            const PointCourbeOrdre0 ps =
                MinimiserSurCourbeOrdre0(mel.Moments, -Borne, Borne, -Borne, Borne, 20000, somme);
            const PointCourbeOrdre0 pm =
                MinimiserSurCourbeOrdre0(mel.Moments, -Borne, Borne, -Borne, Borne, 20000, maximum);
            cols[4].sir.push_back(Sir(ps.x, ps.y, A, P));
            cols[5].sir.push_back(Sir(pm.x, pm.y, A, P));
            MomentsRetardes r0 = r; // lag 0 as a term of the sum
            r0.Retards.push_back(0), r0.R11.push_back(mel.Moments.Ex1x1);
            r0.R12.push_back(mel.Moments.Ex1x2), r0.R21.push_back(mel.Moments.Ex1x2);
            r0.R22.push_back(mel.Moments.Ex2x2);
            const PointPlan souple = DescenteLocale(ps.x, ps.y, [&](double x, double y) {
                const double v = CritereRetardeAuPoint(x, y, mel.Moments, r0);
                return std::isnan(v) ? std::numeric_limits<double>::infinity() : v;
            });
            cols[6].sir.push_back(Sir(souple.x, souple.y, A, P));
        }
        std::printf("  %-56s %9s %9s %9s %10s\n", "mean SIR (dB) over 6 matrices", "median",
                    "worst", "clusters", "time");
        for (const Colonne& c : cols) {
            std::printf("  %-56s %9.1f %9.1f", c.nom, Mediane(c.sir),
                        *std::min_element(c.sir.begin(), c.sir.end()));
            if (!c.secondes.empty()) {
                std::printf(" %9.0f %7.2f ms", Mediane(c.amas), 1e3 * Mediane(c.secondes));
            }
            std::printf("\n");
        }
    }
    return 0;
}
