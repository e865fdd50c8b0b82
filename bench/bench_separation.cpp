// Separation on real recordings: for each pair of scripts/enregistrements.sh, mixed by a fixed
// set of matrices [[1, b], [c, 1]] (12 drawn uniformly in [-0.9, 0.9] from a fixed seed, and
// two ill-conditioned ones), the median and worst mean SIR (dB) and the median time of:
// the program's solve as the command line runs it at 0.01, best cluster at its centre and at
// its exact point; the delayed decorrelation at SOBI's delays, the cumulants, the kurtosis
// contrast, the negentropy and the sum of kurtosis, each at 0.01 (each cluster's point: the
// criterion's minimiser on the lag-0 curve in its enlarged hull); `derivees,moment4` at 0.001; the
// set SuggererSelonMelanges names from the mixtures alone (its time: the default solve, the gauge
// and its own solve); the exact second-order root and each classic method. Also per pair: the share
// of runs where clusters stand for both solutions, the largest gap between a cluster's exact point
// and the exact root its hull holds, and how often the suggestion named the best of the program's
// sets, and whether the best classic method of a part of a recording (knowing the sources) is
// within 3 dB of the best on the other part.
//
//   bench_separation [folder of the recordings] [--csv runs.csv]
//
// The CSV holds one line per run and method (scripts/verifier_fastica.py reads it).
#include "analyse/MethodesClassiques.h"
#include "analyse/Suggestion.h"
#include "commande/Chaine.h"
#include "commande/Rapport.h"
#include "signal/Alea.h"
#include "signal/Memoire.h"
#include "sivia/Retards.h"
#include "sivia/Sivia.h"

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

// One solve of the program for a run, and what the rows read from it.
struct Resolution {
    std::optional<double> SirCentre, SirPoint; // best cluster, at its centre / exact point
    double Ms = 0;
    bool Deux = false;                      // clusters stand for both solutions
    std::optional<PointPlan> PointSolution; // the largest cluster's point, if a solution
    double EcartRacineDb = 0;               // largest |SIR(point) - SIR(root in hull)|
    int AmasAvecRacine = 0;                 // clusters whose hull holds an exact root
};

// The program's rows: the figure a row reads from the solves of one run (one per set).
enum class Jeu {
    Defaut,
    Retards,
    Cumulants,
    Kurtosis,
    Neguentropie,
    SommeKurtosis,
    Ordre4,
    Suggere
};
struct LigneProgramme {
    const char* Nom;
    Jeu Solve;
    bool AuPoint; // the best cluster's exact point (else its centre)
};

struct LigneClassique {
    const char* Nom;
    std::function<ReponseClassique(const Melanges&, int)> Calcul;
};

// The SIR of each classic method on the samples `debuts` to `debuts + longueur` of the sources
// (several stretches joined), mixed by A.
std::vector<double> SirClassiquesSurParties(const std::vector<LigneClassique>& classiques,
                                            const EntreesChaine& e,
                                            const std::vector<std::size_t>& debuts,
                                            std::size_t longueur) {
    std::vector<double> s1, s2;
    for (const std::size_t d : debuts) {
        s1.insert(s1.end(), e.Source1.begin() + long(d), e.Source1.begin() + long(d + longueur));
        s2.insert(s2.end(), e.Source2.begin() + long(d), e.Source2.begin() + long(d + longueur));
    }
    const int n = int(s1.size());
    const Melanges m = GenererMelanges(s1, s2, e.A, n, 1.0f);
    const PuissancesSources P = CalculerPuissances(s1, s2, n);
    std::vector<double> sir;
    for (const LigneClassique& l : classiques) {
        const ReponseClassique r = l.Calcul(m, n);
        sir.push_back(SirOuEchec(
            r.Point ? CalculerQualite(r.Point->x, r.Point->y, e.A, P).SirMoyen() : std::nullopt));
    }
    return sir;
}

bool DeuxSolutions(const ResultatChaine& c) {
    bool direct = false, permute = false;
    for (const AmasQualifie& a : c.Rapport.Amas) {
        direct = direct || a.Represente == PointRepresente::Direct;
        permute = permute || a.Represente == PointRepresente::Permute;
    }
    return direct && permute;
}

// A mean SIR for comparisons: infinite (exact separation) capped, a failure far below.
double Plafonne(const std::optional<double>& s) {
    return s ? std::min(*s, 300.0) : -300.0;
}

// The command line's solve, the best cluster at its centre and at its exact point, and how
// far each cluster's exact point lies from the exact second-order root its hull holds.
Resolution ResoudreProgramme(const EntreesChaine& e, const OptionsCommande& o) {
    BoxList enAttente, rejetees, solution;
    const auto debut = Horloge::now();
    const ResultatChaine c = ResoudreChaine(e, o, enAttente, rejetees, solution);
    Resolution r;
    r.Ms = Millisecondes(debut);
    r.SirPoint = MeilleurSirAmas(c);
    r.Deux = DeuxSolutions(c);
    r.PointSolution = PremierPointSolution(c.Rapport.Amas);
    for (const AmasQualifie& a : c.Rapport.Amas) {
        if (a.QualiteCentre && a.QualiteCentre->SirMoyen()) {
            r.SirCentre = std::max(r.SirCentre.value_or(*a.QualiteCentre->SirMoyen()),
                                   *a.QualiteCentre->SirMoyen());
        }
        bool racine = false;
        for (const auto& [point, q] : {std::pair{c.Racines.Racine1, c.QualiteRacine1},
                                       std::pair{c.Racines.Racine2, c.QualiteRacine2}}) {
            if (point && q && a.QualiteExacte && a.Groupe.Contient(*point)) {
                racine = true;
                r.EcartRacineDb =
                    std::max(r.EcartRacineDb, std::fabs(Plafonne(q->SirMoyen()) -
                                                        Plafonne(a.QualiteExacte->SirMoyen())));
            }
        }
        r.AmasAvecRacine += racine ? 1 : 0;
    }
    return r;
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
        {"Ovrel: best cluster centre, 0.01", Jeu::Defaut, false},
        {"Ovrel: best cluster exact pt, 0.01", Jeu::Defaut, true},
        {"Ovrel: delays 1..20, 0.01", Jeu::Retards, true},
        {"Ovrel: cumulants, 0.01", Jeu::Cumulants, true},
        {"Ovrel: kurtosis, 0.01", Jeu::Kurtosis, true},
        {"Ovrel: negentropie, 0.01", Jeu::Neguentropie, true},
        {"Ovrel: sum of kurtosis, 0.01", Jeu::SommeKurtosis, true},
        {"Ovrel: derivees,moment4, 0.001", Jeu::Ordre4, true},
        {"Ovrel: suggested set", Jeu::Suggere, true},
    };
    const std::vector<int> retardsSobi = OptionsClassiques{}.Retards;
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
    std::map<std::string, std::vector<double>> medianes;
    int bienChoisisEnTout = 0, runs = 0, choixParPartiesTenus = 0;

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
        double r1 = 0, r2 = 0, ecartRacine = 0;
        int amasAvecRacine = 0, bienChoisi = 0;
        int suggestions[8] = {}; // by JeuContraintes
        for (const Matrice2x2& A : matrices) {
            o.Matrice = A;
            const EntreesChaine e = PreparerEntrees(o, lues, 1, false);
            r1 = Autocorrelation1(e.Source1), r2 = Autocorrelation1(e.Source2);
            const PuissancesSources P = CalculerPuissances(e.Source1, e.Source2, e.N);
            std::map<Jeu, Resolution> solves;
            solves[Jeu::Defaut] = ResoudreProgramme(e, o);
            OptionsCommande oRetards = o;
            oRetards.ContrainteDecorrelationRetardee = true;
            solves[Jeu::Retards] = ResoudreProgramme(e, oRetards);
            OptionsCommande oCumulants = o;
            oCumulants.FixerContraintes({true, false, false, false, true});
            solves[Jeu::Cumulants] = ResoudreProgramme(e, oCumulants);
            OptionsCommande oKurtosis = o;
            oKurtosis.FixerContraintes({true, false, false, false, false, true});
            solves[Jeu::Kurtosis] = ResoudreProgramme(e, oKurtosis);
            OptionsCommande oNeguentropie = o;
            oNeguentropie.FixerContraintes({true, false, false, false, false, false, true});
            solves[Jeu::Neguentropie] = ResoudreProgramme(e, oNeguentropie);
            OptionsCommande oSomme = o;
            oSomme.FixerContraintes({true, false, false, false, false, false, false, true});
            solves[Jeu::SommeKurtosis] = ResoudreProgramme(e, oSomme);
            OptionsCommande o4 = o;
            o4.FixerContraintes({false, true, true});
            o4.PrecisionSivia = 0.001;
            solves[Jeu::Ordre4] = ResoudreProgramme(e, o4);
            ecartRacine = std::max(ecartRacine, solves[Jeu::Defaut].EcartRacineDb);
            amasAvecRacine += solves[Jeu::Defaut].AmasAvecRacine;

            // The suggestion reads the mixtures only: their moments, their halves and the
            // default solve's first cluster that is a solution (no source, no matrix). The
            // suggested set's time counts the default solve, the gauge and its own solve.
            const auto debut = Horloge::now();
            const Suggestion s =
                SuggererSelonMelanges(e.M, solves[Jeu::Defaut].PointSolution, retardsSobi);
            const Jeu jeu = s.Jeu == JeuContraintes::Retards         ? Jeu::Retards
                            : s.Jeu == JeuContraintes::Cumulants     ? Jeu::Cumulants
                            : s.Jeu == JeuContraintes::Kurtosis      ? Jeu::Kurtosis
                            : s.Jeu == JeuContraintes::Neguentropie  ? Jeu::Neguentropie
                            : s.Jeu == JeuContraintes::SommeKurtosis ? Jeu::SommeKurtosis
                            : s.Jeu == JeuContraintes::Ordre4        ? Jeu::Ordre4
                                                                     : Jeu::Defaut;
            Resolution suggere = solves[jeu];
            if (jeu == Jeu::Retards && s.Retards != retardsSobi) {
                OptionsCommande autres = oRetards;
                autres.Retards.clear();
                for (const int t : s.Retards) {
                    autres.Retards += (autres.Retards.empty() ? "" : ",") + std::to_string(t);
                }
                suggere = ResoudreProgramme(e, autres);
            }
            suggere.Ms += Millisecondes(debut) + (jeu == Jeu::Defaut ? 0 : solves[Jeu::Defaut].Ms);
            solves[Jeu::Suggere] = suggere;
            ++suggestions[int(s.Jeu)];
            // The set named is the best of the sets when its SIR is within 1 dB of the best.
            double meilleur = -300;
            for (const Jeu j : {Jeu::Defaut, Jeu::Retards, Jeu::Cumulants, Jeu::Kurtosis,
                                Jeu::Neguentropie, Jeu::SommeKurtosis, Jeu::Ordre4}) {
                meilleur = std::max(meilleur, Plafonne(solves[j].SirPoint));
            }
            bienChoisi += Plafonne(solves[jeu].SirPoint) >= meilleur - 1 ? 1 : 0;

            for (std::size_t k = 0; k < programme.size(); ++k) {
                const Resolution& r = solves[programme[k].Solve];
                noter(k, programme[k].Nom, A,
                      SirOuEchec(programme[k].AuPoint ? r.SirPoint : r.SirCentre), r.Ms);
                mesures[k].Trouves = std::max(mesures[k].Trouves, 0) + (r.Deux ? 1 : 0);
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
            medianes[nom].push_back(mediane);
        }
        std::printf("  largest gap, cluster's exact point to the exact root in its hull: %.3f dB "
                    "(%d clusters hold a root)\n",
                    ecartRacine, amasAvecRacine);
        std::printf("  suggested: second order %d, delays %d, derivees,moment4 %d, none %d, "
                    "cumulants %d, kurtosis %d, negentropie %d, sum of kurtosis %d; the best of "
                    "the seven sets "
                    "(within 1 dB) in %d/%zu\n",
                    suggestions[0], suggestions[1], suggestions[2], suggestions[3], suggestions[4],
                    suggestions[5], suggestions[6], suggestions[7], bienChoisi, matrices.size());
        bienChoisisEnTout += bienChoisi;
        runs += int(matrices.size());

        // Whether the best classic method belongs to the recording: the one that is best on a
        // part of it (knowing the sources), applied to the complementary part, against that
        // part's best. Parts: the halves, and the quarters 1 and 3 against 2 and 4 (the
        // methods are equivariant: one matrix is enough).
        {
            o.Matrice = matrices[0];
            const EntreesChaine e = PreparerEntrees(o, lues, 1, false);
            const std::size_t q = std::size_t(e.N) / 4;
            const std::vector<double> parts[4] = {
                SirClassiquesSurParties(classiques, e, {0}, 2 * q),
                SirClassiquesSurParties(classiques, e, {2 * q}, 2 * q),
                SirClassiquesSurParties(classiques, e, {0, 2 * q}, q),
                SirClassiquesSurParties(classiques, e, {q, 3 * q}, q)};
            const char* nomsParties[4] = {"first half", "second half", "quarters 1+3",
                                          "quarters 2+4"};
            std::printf("  the best classic method of a part (knowing the sources), on the other "
                        "part:\n");
            int tenus = 0;
            for (int k = 0; k < 4; ++k) {
                const std::vector<double>& a = parts[k];
                const std::vector<double>& b = parts[k ^ 1];
                const std::size_t choix =
                    std::size_t(std::max_element(a.begin(), a.end()) - a.begin());
                const double meilleur = *std::max_element(b.begin(), b.end());
                const bool tenu = std::min(b[choix], 300.0) >= std::min(meilleur, 300.0) - 3;
                tenus += tenu ? 1 : 0;
                std::printf("    %-12s -> %-12s %-30s %7s dB, best there %7s dB\n", nomsParties[k],
                            nomsParties[k ^ 1], classiques[choix].Nom, Db(b[choix]).c_str(),
                            Db(meilleur).c_str());
            }
            std::printf("    within 3 dB of the best there: %d/4\n", tenus);
            choixParPartiesTenus += tenus;
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
    // The targets: the delayed decorrelation at least SOBI with the same delays, the suggested
    // set within 3 dB of the best classic method.
    std::printf("\nPer pair: delays >= SOBI, suggested within 3 dB of the best classic method\n");
    for (std::size_t i = 0; i < paires.size(); ++i) {
        const double retards = medianes[programme[2].Nom][i];
        const double sobi = medianes[classiques[1].Nom][i];
        double classique = -std::numeric_limits<double>::infinity();
        for (const LigneClassique& l : classiques) {
            classique = std::max(classique, medianes[l.Nom][i]);
        }
        const double suggere = medianes[programme.back().Nom][i];
        std::printf("  %-18s delays %s vs SOBI %s: %s; suggested %s vs best classic %s: %s\n",
                    paires[i].Nom.c_str(), Db(retards).c_str(), Db(sobi).c_str(),
                    retards >= sobi - 0.05 ? "yes" : "no", Db(suggere).c_str(),
                    Db(classique).c_str(),
                    std::min(suggere, 300.0) >= std::min(classique, 300.0) - 3 ? "yes" : "no");
    }
    std::printf("\nThe suggestion named the best of the seven sets (within 1 dB) in %d/%d runs\n",
                bienChoisisEnTout, runs);
    std::printf("The best classic method of a part of a recording, knowing the sources, was within "
                "3 dB of the best on the other part in %d/%zu choices\n",
                choixParPartiesTenus, 4 * paires.size());
    return 0;
}
