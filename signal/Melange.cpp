#include "signal/Melange.h"

#include "interval/Traduction.h"
#include "signal/Memoire.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

std::size_t EchantillonsCommuns(int N, const std::vector<double>& a, const std::vector<double>& b) {
    if (N <= 0) {
        return 0;
    }
    return std::min({std::size_t(N), a.size(), b.size()});
}

// Fills v with n values f(i), block by block, so that each block is zeroed by resize while it
// is in the cache and the pages are touched once.
template <typename F> void Remplir(std::vector<double>& v, std::size_t n, F&& f) {
    ReserverEchantillons(v, n);
    constexpr std::size_t Bloc = 8192;
    for (std::size_t debut = 0; debut < n; debut += Bloc) {
        const std::size_t fin = std::min(n, debut + Bloc);
        v.resize(fin);
        for (std::size_t i = debut; i < fin; ++i) {
            v[i] = f(i);
        }
    }
}

// Forward differences divided by the sample step: n - 1 values.
std::vector<double> Derivee(const std::vector<double>& v, double pas) {
    std::vector<double> d;
    if (v.size() > 1) {
        Remplir(d, v.size() - 1, [&](std::size_t i) { return (v[i + 1] - v[i]) / pas; });
    }
    return d;
}

// `quoi`: the arrays' name, with %1 for their length.
void VerifierTableaux(std::size_t n, int tableaux, const char* quoi) {
    VerifierMemoire(std::uint64_t(n) * tableaux * sizeof(double),
                    RemplirModele(Traduire("Signal", quoi), {std::to_string(n)}));
}

// c[i] = x[i]^3 rounded once, as a correctly rounded power function would give it (the
// library's pow is not correctly rounded: it differs in the last bit for about one value in a
// thousand). x^2 = p + e exactly, p.x = c + f exactly, and c + (f + e.x) rounds the exact cube
// but for values within about 2^-100 of a rounding tie (and in the ranges noted below). Compiled
// for several instruction sets so that fma is one instruction where the processor has it.
[[gnu::target_clones("arch=x86-64-v3", "default")]] void CubesArrondis(const double* x, double* c,
                                                                       std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        const double p = x[i] * x[i];
        const double e = std::fma(x[i], x[i], -p);
        const double q = p * x[i];
        const double f = std::fma(p, x[i], -q);
        c[i] = q + (f + e * x[i]);
        // Infinities, overflow and values near the subnormal range: the error terms are not
        // exact there, and the library's own power serves.
        if (!(std::fabs(q) < 1e300 && std::fabs(q) > 1e-280) && q != 0) {
            c[i] = std::pow(x[i], 3);
        }
    }
}

// Derivatives and means of the mixtures held in m, telling the progress from `avant` on;
// false when stopped.
bool CompleterMelanges(Melanges& m, double pas, const RappelAvancement& avancement, double avant) {
    const std::size_t n = m.Melange1.size();
    m.DeriveeMelange1 = Derivee(m.Melange1, pas);
    m.DeriveeMelange2 = Derivee(m.Melange2, pas);
    if (!Poursuivre(avancement, avant + 0.1)) {
        return false;
    }

    const auto& x1 = m.Melange1;
    const auto& x2 = m.Melange2;
    const auto& dx1 = m.DeriveeMelange1;
    const auto& dx2 = m.DeriveeMelange2;
    MomentsMelanges& M = m.Moments;

    // One pass for the second- and fourth-order sums, each accumulated in increasing index.
    // Moments4[a][k]: mean of x_a . t_k with t0 = x1^3, t1 = x1^2.x2, t2 = x2^2.x1, t3 = x2^3;
    // the cubes correctly rounded (CubesArrondis), the squares as products (exact-rounded too).
    double s11 = 0, s12 = 0, s22 = 0;
    double somme[2][4] = {};
    double s1 = 0, s2 = 0, somme3[4] = {};
    const double part = (1.0 - avant - 0.1) * 0.8;
    constexpr std::size_t Bloc = 2048;
    double cubes1[Bloc], cubes2[Bloc];
    std::size_t debutBloc = 0, finBloc = 0;
    if (!Parcourir(n, avant + 0.1, part, avancement, [&](std::size_t i) {
            if (i >= finBloc) {
                debutBloc = i;
                finBloc = std::min(n, i + Bloc);
                CubesArrondis(x1.data() + i, cubes1, finBloc - i);
                CubesArrondis(x2.data() + i, cubes2, finBloc - i);
            }
            const double a = x1[i], b = x2[i];
            const double aa = a * a, bb = b * b;
            s11 += aa;
            s12 += a * b;
            s22 += bb;
            const double t[4] = {cubes1[i - debutBloc], aa * b, bb * a, cubes2[i - debutBloc]};
            s1 += a;
            s2 += b;
            for (int k = 0; k < 4; ++k) {
                somme[0][k] += a * t[k];
                somme[1][k] += b * t[k];
                somme3[k] += t[k];
            }
        })) {
        return false;
    }
    double d11 = 0, d12 = 0, d22 = 0;
    if (!Parcourir(dx1.size(), avant + 0.1 + part, 1.0 - avant - 0.1 - part, avancement,
                   [&](std::size_t i) {
                       d11 += dx1[i] * dx1[i];
                       d12 += dx1[i] * dx2[i];
                       d22 += dx2[i] * dx2[i];
                   })) {
        return false;
    }
    // With no sample (or a single one for the derivatives) the means are 0/0: not a number.
    const double nn = double(n);
    const double nd = n > 0 ? double(n - 1) : 0.0;
    M.Ex1x1 = s11 / nn;
    M.Ex1x2 = s12 / nn;
    M.Ex2x2 = s22 / nn;
    M.Edx1dx1 = d11 / nd;
    M.Edx1dx2 = d12 / nd;
    M.Edx2dx2 = d22 / nd;
    for (int a = 0; a < 2; ++a) {
        for (int k = 0; k < 4; ++k) {
            M.Moments4[a][k] = somme[a][k] / nn;
        }
    }
    M.Ex1 = s1 / nn;
    M.Ex2 = s2 / nn;
    for (int k = 0; k < 4; ++k) {
        M.Moments3[k] = somme3[k] / nn;
    }
    return true;
}

} // namespace

std::string DefautMatrice(const Matrice2x2& A) {
    const struct {
        const char* Nom;
        double Valeur;
    } entrees[] = {{"a11", A.a11}, {"a12", A.a12}, {"a21", A.a21}, {"a22", A.a22}};
    for (const auto& e : entrees) {
        if (!(std::abs(e.Valeur) <= EntreeMatriceMaximale)) {
            char texte[32];
            std::snprintf(texte, sizeof texte, "%.3g", e.Valeur);
            return RemplirModele(
                Traduire("Signal", "l'entrée %1 de la matrice de mélange vaut %2 : elle doit être "
                                   "finie et comprise entre -1e14 et 1e14, au-delà les moments "
                                   "d'ordre 4 des mélanges dépasseraient l'étendue des nombres"),
                {e.Nom, AvecSeparateurDecimal(texte)});
        }
    }
    return {};
}

Melanges GenererMelanges(const std::vector<double>& s1, const std::vector<double>& s2,
                         const Matrice2x2& A, int N, float PasEchantillonnage) {
    return *GenererMelanges(s1, s2, A, N, PasEchantillonnage, RappelAvancement());
}

std::optional<Melanges> GenererMelanges(const std::vector<double>& s1,
                                        const std::vector<double>& s2, const Matrice2x2& A, int N,
                                        float PasEchantillonnage,
                                        const RappelAvancement& avancement) {
    if (const std::string defaut = DefautMatrice(A); !defaut.empty()) {
        throw ErreurMatrice(
            RemplirModele(Traduire("Signal", "Les mélanges ne sont pas générés : %1."), {defaut}));
    }
    const std::size_t n = EchantillonsCommuns(N, s1, s2);
    VerifierTableaux(n, 4, OVREL_TEXTE("Signal", "les mélanges de %1 échantillons"));

    Melanges m;
    Remplir(m.Melange1, n, [&](std::size_t i) { return A.a11 * s1[i] + A.a12 * s2[i]; });
    if (!Poursuivre(avancement, 0.1)) {
        return std::nullopt;
    }
    Remplir(m.Melange2, n, [&](std::size_t i) { return A.a21 * s1[i] + A.a22 * s2[i]; });
    if (!Poursuivre(avancement, 0.2) ||
        !CompleterMelanges(m, PasEchantillonnage, avancement, 0.2)) {
        return std::nullopt;
    }
    return m;
}

std::optional<Box> BoiteSolution(const Matrice2x2& A) {
    if (A.a11 == 0 || A.a22 == 0) {
        return std::nullopt;
    }
    const double x = -A.a12 / A.a22;
    const double y = -A.a21 / A.a11;
    if (!std::isfinite(x) || !std::isfinite(y)) {
        return std::nullopt;
    }
    Box b(2, 1);
    b[1] = Interval(x) + Interval(-0.05, 0.05);
    b[2] = Interval(y) + Interval(-0.05, 0.05);
    return b;
}

Melanges MelangesObserves(std::vector<double> x1, std::vector<double> x2, float PasEchantillonnage,
                          const RappelAvancement& avancement) {
    const std::size_t n = std::min(x1.size(), x2.size());
    VerifierTableaux(n, 2, OVREL_TEXTE("Signal", "les dérivées des mélanges de %1 échantillons"));
    Melanges m;
    m.Melange1 = std::move(x1);
    m.Melange2 = std::move(x2);
    m.Melange1.resize(n);
    m.Melange2.resize(n);
    if (!CompleterMelanges(m, PasEchantillonnage, avancement, 0.0)) {
        throw ArretUtilisateur();
    }
    return m;
}

MomentsRetardes CalculerMomentsRetardes(const std::vector<double>& x1,
                                        const std::vector<double>& x2,
                                        const std::vector<int>& retards) {
    const std::size_t n = std::min(x1.size(), x2.size());
    MomentsRetardes r;
    r.Retards = retards;
    for (const int t : retards) {
        double s11 = 0, s12 = 0, s21 = 0, s22 = 0;
        const std::size_t paires = t >= 0 && std::size_t(t) < n ? n - std::size_t(t) : 0;
        for (std::size_t i = 0; i < paires; ++i) {
            const double a1 = x1[i], a2 = x2[i], b1 = x1[i + t], b2 = x2[i + t];
            s11 += a1 * b1;
            s12 += a1 * b2;
            s21 += a2 * b1;
            s22 += a2 * b2;
        }
        const double nn = double(paires); // 0: the means are 0/0, not a number
        r.R11.push_back(s11 / nn);
        r.R12.push_back(s12 / nn);
        r.R21.push_back(s21 / nn);
        r.R22.push_back(s22 / nn);
    }
    return r;
}

SourcesEstimees CalculerSourcesEstimees(double x, double y, const std::vector<double>& x1,
                                        const std::vector<double>& x2, int N,
                                        float PasEchantillonnage) {
    const std::size_t n = EchantillonsCommuns(N, x1, x2);
    VerifierTableaux(n, 4, OVREL_TEXTE("Signal", "les sources estimées de %1 échantillons"));
    SourcesEstimees e;
    e.SourceEstimee1.resize(n);
    e.SourceEstimee2.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        e.SourceEstimee1[i] = x2[i] * x + x1[i];
        e.SourceEstimee2[i] = x1[i] * y + x2[i];
    }
    e.DeriveeEstimee1 = Derivee(e.SourceEstimee1, PasEchantillonnage);
    e.DeriveeEstimee2 = Derivee(e.SourceEstimee2, PasEchantillonnage);
    return e;
}
