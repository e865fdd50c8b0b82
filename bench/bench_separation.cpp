// Separation on real recordings: for each pair of scripts/enregistrements.sh, mixed by a fixed
// set of matrices [[1, b], [c, 1]] (12 drawn uniformly in [-0.9, 0.9] from a fixed seed, and
// two ill-conditioned ones), the median and worst mean SIR (dB) and the median time of the
// program's solve as the command line runs it (best cluster, by the SIR at its centre), of
// the exact second-order root, and of each classic method, with the share of runs where
// clusters stand for both solutions.
//
//   bench_separation [folder of the recordings] [--csv runs.csv]
//
// The CSV holds one line per run and method (scripts/verifier_fastica.py reads it).
#include "analyse/MethodesClassiques.h"
#include "commande/Chaine.h"
#include "commande/Rapport.h"
#include "signal/Alea.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Horloge = std::chrono::steady_clock;

double Millisecondes(Horloge::time_point debut) {
    return std::chrono::duration<double, std::milli>(Horloge::now() - debut).count();
}

struct Paire {
    std::string Nom, Fichier1, Fichier2, Description;
};

std::vector<Paire> LirePaires(const std::filesystem::path& fichier) {
    std::vector<Paire> paires;
    std::ifstream f(fichier);
    std::string ligne;
    while (std::getline(f, ligne)) {
        if (ligne.empty() || ligne[0] == '#') {
            continue;
        }
        std::istringstream l(ligne);
        Paire p;
        std::string deuxPoints;
        l >> p.Nom >> p.Fichier1 >> p.Fichier2 >> deuxPoints;
        std::getline(l, p.Description);
        if (!p.Fichier2.empty()) {
            paires.push_back(p);
        }
    }
    return paires;
}

// 12 matrices drawn from a fixed seed, b and c uniform in [-0.9, 0.9], then two
// ill-conditioned ones: |b| and |c| large with the same sign, and nearly singular.
std::vector<Matrice2x2> Matrices() {
    GenerateurAleatoire alea;
    alea.Initialiser(20261208);
    const auto tirage = [&alea] { return -0.9 + 1.8 * (alea.Suivant() / 4294967296.0); };
    std::vector<Matrice2x2> m;
    for (int k = 0; k < 12; ++k) {
        const double b = tirage(), c = tirage();
        m.push_back({1, b, c, 1});
    }
    m.push_back({1, 0.9, 0.95, 1});
    m.push_back({1, -0.97, -0.99, 1});
    return m;
}

// The normalised lag-1 autocorrelation: how alike the short-lag spectra of a pair are.
double Autocorrelation1(const std::vector<double>& s) {
    double m = 0;
    for (double v : s) {
        m += v;
    }
    m /= double(s.size());
    double r0 = 0, r1 = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        r0 += (s[i] - m) * (s[i] - m);
        if (i + 1 < s.size()) {
            r1 += (s[i] - m) * (s[i + 1] - m);
        }
    }
    return r1 / r0;
}

// One row of a pair's table: a figure per run.
struct Mesures {
    std::vector<double> Sir; // -infinity for a run without an answer
    std::vector<double> Temps;
    int Trouves = -1;     // runs with both solutions; -1 when it does not apply
    int NonConverges = 0; // runs of a classic method that did not converge or failed
};

double Mediane(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    if (n % 2 || std::isinf(v[n / 2 - 1]) || std::isinf(v[n / 2])) {
        return v[n / 2 - (n % 2 ? 0 : 1)]; // no mean of a failure and a figure
    }
    return (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string Db(double v) {
    if (std::isinf(v)) {
        return v > 0 ? "inf" : "échec";
    }
    char t[32];
    std::snprintf(t, sizeof t, "%.1f", v);
    return t;
}

double SirOuEchec(const std::optional<double>& s) {
    return s ? *s : -std::numeric_limits<double>::infinity();
}

// The program's rows: a solve with these settings, and the figure read from it. More rows
// (another point of the cluster, another constraint set) go here.
struct LigneProgramme {
    const char* Nom;
    std::function<void(OptionsCommande&)> Reglage;
    std::function<std::optional<double>(const ResultatChaine&)> Sir;
};

struct LigneClassique {
    const char* Nom;
    std::function<ReponseClassique(const Melanges&, int)> Calcul;
};

bool DeuxSolutions(const ResultatChaine& c) {
    bool direct = false, permute = false;
    for (const AmasQualifie& a : c.Rapport.Amas) {
        direct = direct || a.Represente == PointRepresente::Direct;
        permute = permute || a.Represente == PointRepresente::Permute;
    }
    return direct && permute;
}

} // namespace

int main(int argc, char** argv) {
    std::filesystem::path dossier = "build/enregistrements";
    std::string csv;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--csv" && i + 1 < argc) {
            csv = argv[++i];
        } else {
            dossier = a;
        }
    }
    const std::vector<Paire> paires = LirePaires(dossier / "paires.txt");
    if (paires.empty()) {
        std::printf("No recordings in %s: run scripts/enregistrements.sh first.\n",
                    dossier.c_str());
        return 0;
    }
    const std::vector<LigneProgramme> programme = {
        {"Ovrel: best cluster centre, 0.01", [](OptionsCommande&) {}, MeilleurSirAmas},
    };
    const auto ica = [](NonLineariteIca g) {
        return [g](const Melanges& m, int N) {
            const OptionsClassiques o;
            return CalculerFastIca(m.Melange1, m.Melange2, N, g, o.IterationsMax, o.Tolerance);
        };
    };
    const std::vector<LigneClassique> classiques = {
        {"AMUSE (exact lag-1 root pair)",
         [](const Melanges& m, int N) { return CalculerAmuse(m.Moments, std::size_t(N)); }},
        {"SOBI (11 delays 1..20)",
         [](const Melanges& m, int N) {
             return CalculerSobi(m.Melange1, m.Melange2, N, OptionsClassiques{}.Retards, 50);
         }},
        {"FastICA logcosh", ica(NonLineariteIca::LogCosh)},
        {"FastICA cube", ica(NonLineariteIca::Cube)},
        {"FastICA gauss", ica(NonLineariteIca::Gauss)},
        {"JADE",
         [](const Melanges& m, int N) { return CalculerJade(m.Melange1, m.Melange2, N, 50); }},
    };
    const std::vector<Matrice2x2> matrices = Matrices();
    std::ofstream sortieCsv;
    if (!csv.empty()) {
        sortieCsv.open(csv);
        sortieCsv << "paire,source1,source2,b,c,methode,sir,ms\n";
    }
    // Medians per pair for the closing summary.
    std::vector<std::string> noms;
    std::map<std::string, std::vector<std::string>> resume;

    for (const Paire& p : paires) {
        OptionsCommande o;
        o.Source1 = SourceDemandee{std::nullopt, (dossier / p.Fichier1).string(), 0};
        o.Source2 = SourceDemandee{std::nullopt, (dossier / p.Fichier2).string(), 0};
        const EntreesLues lues = LireEntrees(o);
        std::vector<Mesures> mesures(programme.size() + 1 + classiques.size());
        const auto noter = [&](std::size_t ligne, const char* nom, const Matrice2x2& A, double sir,
                               double ms) {
            mesures[ligne].Sir.push_back(sir);
            mesures[ligne].Temps.push_back(ms);
            if (sortieCsv) {
                sortieCsv << p.Nom << ',' << p.Fichier1 << ',' << p.Fichier2 << ',' << A.a12 << ','
                          << A.a21 << ",\"" << nom << "\"," << sir << ',' << ms << '\n';
            }
        };
        double r1 = 0, r2 = 0;
        for (const Matrice2x2& A : matrices) {
            o.Matrice = A;
            const EntreesChaine e = PreparerEntrees(o, lues, 1, false);
            r1 = Autocorrelation1(e.Source1), r2 = Autocorrelation1(e.Source2);
            const PuissancesSources P = CalculerPuissances(e.Source1, e.Source2, e.N);
            for (std::size_t k = 0; k < programme.size(); ++k) {
                OptionsCommande r = o;
                programme[k].Reglage(r);
                BoxList enAttente, rejetees, solution;
                const auto debut = Horloge::now();
                const ResultatChaine c = ResoudreChaine(e, r, enAttente, rejetees, solution);
                const double ms = Millisecondes(debut);
                noter(k, programme[k].Nom, A, SirOuEchec(programme[k].Sir(c)), ms);
                mesures[k].Trouves = std::max(mesures[k].Trouves, 0) + (DeuxSolutions(c) ? 1 : 0);
            }
            {
                const auto debut = Horloge::now();
                const RacinesOrdre2 R = CalculerRacinesOrdre2(e.M.Moments);
                const double ms = Millisecondes(debut);
                std::optional<double> meilleur;
                for (const auto& racine : {R.Racine1, R.Racine2}) {
                    if (racine) {
                        const auto s = CalculerQualite(racine->x, racine->y, A, P).SirMoyen();
                        if (s && (!meilleur || *s > *meilleur)) {
                            meilleur = s;
                        }
                    }
                }
                noter(programme.size(), "Exact second-order root", A, SirOuEchec(meilleur), ms);
            }
            for (std::size_t k = 0; k < classiques.size(); ++k) {
                const auto debut = Horloge::now();
                const ReponseClassique r = classiques[k].Calcul(e.M, e.N);
                const double ms = Millisecondes(debut);
                std::optional<double> sir;
                if (r.Point) {
                    sir = CalculerQualite(r.Point->x, r.Point->y, A, P).SirMoyen();
                }
                noter(programme.size() + 1 + k, classiques[k].Nom, A, SirOuEchec(sir), ms);
                mesures[programme.size() + 1 + k].NonConverges += r.Converge ? 0 : 1;
            }
        }
        std::printf("\n%s: %s + %s,%s\n", p.Nom.c_str(), p.Fichier1.c_str(), p.Fichier2.c_str(),
                    p.Description.c_str());
        std::printf("  lag-1 autocorrelations %.4f and %.4f; %zu matrices\n", r1, r2,
                    matrices.size());
        std::printf("  %-34s %12s %10s %12s %15s %15s\n", "method", "median SIR", "worst SIR",
                    "median time", "both solutions", "not converged");
        noms.clear();
        for (std::size_t k = 0; k < mesures.size(); ++k) {
            const Mesures& m = mesures[k];
            const std::string nom = k < programme.size() ? programme[k].Nom
                                    : k == programme.size()
                                        ? "Exact second-order root"
                                        : classiques[k - programme.size() - 1].Nom;
            noms.push_back(nom);
            const double mediane = Mediane(m.Sir);
            const double pire = *std::min_element(m.Sir.begin(), m.Sir.end());
            char trouves[32] = "-", echecs[32] = "-";
            if (m.Trouves >= 0) {
                std::snprintf(trouves, sizeof trouves, "%d/%zu", m.Trouves, m.Sir.size());
            }
            if (k > programme.size()) {
                std::snprintf(echecs, sizeof echecs, "%d/%zu", m.NonConverges, m.Sir.size());
            }
            std::printf("  %-34s %9s dB %7s dB %9.3f ms %15s %15s\n", nom.c_str(),
                        Db(mediane).c_str(), Db(pire).c_str(), Mediane(m.Temps), trouves, echecs);
            resume[nom].push_back(Db(mediane));
        }
        std::fflush(stdout);
    }
    // Median SIR per pair and method, the pairs in columns.
    std::printf("\nMedian SIR (dB) per pair:\n  %-34s", "method");
    for (const Paire& p : paires) {
        std::printf(" %17s", p.Nom.c_str());
    }
    std::printf("\n");
    for (const std::string& nom : noms) {
        std::printf("  %-34s", nom.c_str());
        for (const std::string& v : resume[nom]) {
            std::printf(" %17s", v.c_str());
        }
        std::printf("\n");
    }
    return 0;
}
