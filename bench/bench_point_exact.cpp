// The exact points of the clusters: their cost beside the clustering, and what they change
// for the quality reported. Random mixtures [[1, b], [c, 1]] of a cosine and a coloured
// noise (and of two coloured noises, whose spectra are closer), solved with the two
// decorrelations over the default box at each precision; for every cluster standing for a
// true point, the mean SIR at its hull's centre and at its exact point.
#include "analyse/Rapport.h"
#include "signal/Generateurs.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Horloge = std::chrono::steady_clock;

double Millisecondes(Horloge::time_point debut) {
    return std::chrono::duration<double, std::milli>(Horloge::now() - debut).count();
}

double Quantile(std::vector<double> v, double q) {
    if (v.empty()) {
        return 0;
    }
    std::sort(v.begin(), v.end());
    return v[std::size_t(q * double(v.size() - 1))];
}

} // namespace

int main() {
    Box defaut(2, 1);
    defaut[1] = Interval(-5, 5);
    defaut[2] = Interval(-5, 5);
    const Repere sansImage{defaut[2], defaut[1], nullptr};
    const ContraintesActives c{true, true, false};
    const TypeSource secondes[] = {TypeSource::Cosinus, TypeSource::BruitColoreGaussien};
    std::printf("%-22s %9s %8s | %-29s | %-29s | %s\n", "sources", "precision", "clusters",
                "SIR centre dB (min/q1/median)", "SIR exact dB (min/q1/median)",
                "ms: group / exact points; solutions, proven");
    for (const TypeSource premiere : secondes) {
        for (const double precision : {0.01, 0.001}) {
            GenerateurAleatoire alea;
            alea.Initialiser(2026);
            std::vector<double> centre, exact;
            double tGrouper = 0, tAffiner = 0;
            int prouves = 0, points = 0, solutions = 0;
            for (int k = 0; k < 40; ++k) {
                const auto entree = [&alea] { return ValeurUniforme(alea.TirageDixMille()); };
                const Matrice2x2 A{1, entree(), entree(), 1};
                std::vector<double> s1, s2;
                GenererSource(premiere, 5000, 0.1f, alea, s1);
                GenererSource(TypeSource::BruitColoreGaussien, 5000, 0.1f, alea, s2);
                const Melanges m = GenererMelanges(s1, s2, A, 5000, 0.1f);
                BoxList enAttente, rejetees, solution;
                ExecuterSivia(defaut, enAttente, rejetees, solution, sansImage, m.Moments, c,
                              precision, StockageFile, UINT64_MAX);
                auto debut = Horloge::now();
                const std::vector<Amas> amas =
                    GrouperSolutions(solution, 0, precision, FacteurVoisinage * precision);
                tGrouper += Millisecondes(debut);
                debut = Horloge::now();
                const std::vector<PointExact> p =
                    AffinerAmas(amas, solution, 0, m.Moments, c, precision);
                tAffiner += Millisecondes(debut);
                for (const AmasQualifie& a :
                     QualifierAmas(amas, p, A, CalculerPuissances(s1, s2, 5000), precision)) {
                    ++points;
                    prouves += a.Exact.Prouve;
                    solutions += a.Exact.Solution;
                    if (a.Represente == PointRepresente::Aucun) {
                        continue;
                    }
                    centre.push_back(a.QualiteCentre->SirMoyen().value_or(0));
                    exact.push_back(a.QualiteExacte->SirMoyen().value_or(0));
                }
            }
            std::printf("%-22s %9g %8d | %8.1f %8.1f %8.1f    | %8.1f %8.1f %8.1f    | %.2f / "
                        "%.2f; %d, %d of %d\n",
                        premiere == TypeSource::Cosinus ? "cosine + coloured" : "coloured x 2",
                        precision, points, Quantile(centre, 0), Quantile(centre, 0.25),
                        Quantile(centre, 0.5), Quantile(exact, 0), Quantile(exact, 0.25),
                        Quantile(exact, 0.5), tGrouper, tAffiner, solutions, prouves, points);
        }
    }
}
