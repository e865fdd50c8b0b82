#include "analyse/Qualite.h"

#include <algorithm>
#include <cmath>

namespace {

// 10.log10(num^2 . Pn / (den^2 . Pd)) in logarithms, so that no square overflows; absent for
// 0/0 and for a non-finite entry.
std::optional<double> RapportDb(double num, double den, double lPn, double lPd) {
    if (!std::isfinite(num) || !std::isfinite(den) || (num == 0 && den == 0)) {
        return std::nullopt;
    }
    return 20 * std::log10(std::fabs(num)) - 20 * std::log10(std::fabs(den)) + (lPn - lPd);
}

std::optional<double> Oppose(std::optional<double> v) {
    return v ? std::optional<double>(-*v) : std::nullopt;
}

} // namespace

bool PuissancesSources::Utilisables() const {
    return std::isfinite(P1) && std::isfinite(P2) && P1 > 0 && P2 > 0;
}

PuissancesSources CalculerPuissances(const std::vector<double>& s1, const std::vector<double>& s2,
                                     int N) {
    PuissancesSources p;
    if (N <= 0) {
        return p;
    }
    const std::size_t n = std::min({std::size_t(N), s1.size(), s2.size()});
    if (n == 0) {
        return p;
    }
    double a = 0, b = 0;
    for (std::size_t i = 0; i < n; ++i) {
        a += s1[i] * s1[i];
        b += s2[i] * s2[i];
    }
    p.P1 = a / double(n);
    p.P2 = b / double(n);
    return p;
}

MatriceGlobale CalculerMatriceGlobale(double x, double y, const Matrice2x2& A) {
    return {A.a11 + x * A.a21, A.a12 + x * A.a22, y * A.a11 + A.a21, y * A.a12 + A.a22};
}

std::optional<double> IndiceAmari(const MatriceGlobale& G) {
    const double g[4] = {std::fabs(G.g11), std::fabs(G.g12), std::fabs(G.g21), std::fabs(G.g22)};
    const int paires[4][2] = {{0, 1}, {2, 3}, {0, 2}, {1, 3}}; // rows, then columns
    double somme = 0;
    for (const auto& p : paires) {
        const double a = g[p[0]], b = g[p[1]];
        const double grand = std::max(a, b);
        if (!(grand > 0) || !std::isfinite(grand)) {
            return std::nullopt;
        }
        somme += std::min(a, b) / grand;
    }
    return somme / 4;
}

std::optional<double> Qualite::SirMoyen() const {
    if (!Sir1 || !Sir2) {
        return std::nullopt;
    }
    const double m = (*Sir1 + *Sir2) / 2;
    return std::isnan(m) ? std::nullopt : std::optional<double>(m);
}

Qualite CalculerQualite(double x, double y, const Matrice2x2& A, const PuissancesSources& P) {
    Qualite q;
    q.G = CalculerMatriceGlobale(x, y, A);
    q.Amari = IndiceAmari(q.G);
    if (!P.Utilisables()) {
        return q;
    }
    const double l1 = 10 * std::log10(P.P1), l2 = 10 * std::log10(P.P2);
    // Identity pairing; the crossed one gives exactly the opposite values.
    q.Sir1 = RapportDb(q.G.g11, q.G.g12, l1, l2);
    q.Sir2 = RapportDb(q.G.g22, q.G.g21, l2, l1);
    const std::optional<double> moyenne = q.SirMoyen();
    if (moyenne && *moyenne < 0) {
        q.Paires = Appariement::Croise;
        q.Sir1 = Oppose(q.Sir1);
        q.Sir2 = Oppose(q.Sir2);
    }
    return q;
}
