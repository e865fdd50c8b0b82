#include "app/signal/Melange.h"

#include "app/signal/Memoire.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

std::size_t EchantillonsCommuns(int N, const std::vector<double>& a, const std::vector<double>& b) {
    if (N <= 0) {
        return 0;
    }
    return std::min({std::size_t(N), a.size(), b.size()});
}

// Runs f(i) for i in [0, n) in increasing order, by stretches; between two stretches the
// progress hears the share done, `part` being this loop's share of the whole work from
// `avant` on. False when stopped there.
template <typename F>
bool Parcourir(std::size_t n, double avant, double part, const RappelAvancement& avancement, F f) {
    constexpr std::size_t Tranche = 1 << 18;
    for (std::size_t debut = 0; debut < n; debut += Tranche) {
        if (debut > 0 && !Poursuivre(avancement, avant + part * double(debut) / double(n))) {
            return false;
        }
        const std::size_t fin = std::min(n, debut + Tranche);
        for (std::size_t i = debut; i < fin; ++i) {
            f(i);
        }
    }
    return true;
}

// Forward differences divided by the sample step: n - 1 values.
std::vector<double> Derivee(const std::vector<double>& v, double pas) {
    std::vector<double> d;
    if (v.size() > 1) {
        d.resize(v.size() - 1);
        for (std::size_t i = 0; i + 1 < v.size(); ++i) {
            d[i] = (v[i + 1] - v[i]) / pas;
        }
    }
    return d;
}

void VerifierTableaux(std::size_t n, int tableaux, const char* quoi) {
    VerifierMemoire(std::uint64_t(n) * tableaux * sizeof(double),
                    std::string(quoi) + " de " + std::to_string(n) + " échantillons");
}

} // namespace

Melanges GenererMelanges(const std::vector<double>& s1, const std::vector<double>& s2,
                         const Matrice2x2& A, int N, float PasEchantillonnage) {
    return *GenererMelanges(s1, s2, A, N, PasEchantillonnage, RappelAvancement());
}

std::optional<Melanges> GenererMelanges(const std::vector<double>& s1,
                                        const std::vector<double>& s2, const Matrice2x2& A, int N,
                                        float PasEchantillonnage,
                                        const RappelAvancement& avancement) {
    const std::size_t n = EchantillonsCommuns(N, s1, s2);
    VerifierTableaux(n, 4, "les mélanges");
    const double pas = PasEchantillonnage;

    Melanges m;
    m.Melange1.resize(n);
    m.Melange2.resize(n);
    if (!Parcourir(n, 0.0, 0.2, avancement, [&](std::size_t i) {
            m.Melange1[i] = A.a11 * s1[i] + A.a12 * s2[i];
            m.Melange2[i] = A.a21 * s1[i] + A.a22 * s2[i];
        })) {
        return std::nullopt;
    }
    if (!Poursuivre(avancement, 0.2)) {
        return std::nullopt;
    }
    m.DeriveeMelange1 = Derivee(m.Melange1, pas);
    m.DeriveeMelange2 = Derivee(m.Melange2, pas);

    const auto& x1 = m.Melange1;
    const auto& x2 = m.Melange2;
    const auto& dx1 = m.DeriveeMelange1;
    const auto& dx2 = m.DeriveeMelange2;
    MomentsMelanges& M = m.Moments;

    double s11 = 0, s12 = 0, s22 = 0;
    if (!Parcourir(n, 0.3, 0.1, avancement, [&](std::size_t i) {
            s11 += x1[i] * x1[i];
            s12 += x1[i] * x2[i];
            s22 += x2[i] * x2[i];
        })) {
        return std::nullopt;
    }
    double d11 = 0, d12 = 0, d22 = 0;
    if (!Parcourir(dx1.size(), 0.4, 0.1, avancement, [&](std::size_t i) {
            d11 += dx1[i] * dx1[i];
            d12 += dx1[i] * dx2[i];
            d22 += dx2[i] * dx2[i];
        })) {
        return std::nullopt;
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

    // Moments4[a][k]: mean of x_a . t_k with t0 = x1^3, t1 = x1^2.x2, t2 = x2^2.x1, t3 = x2^3.
    double somme[2][4] = {};
    if (!Parcourir(n, 0.5, 0.5, avancement, [&](std::size_t i) {
            const double t[4] = {std::pow(x1[i], 3), std::pow(x1[i], 2) * x2[i],
                                 std::pow(x2[i], 2) * x1[i], std::pow(x2[i], 3)};
            for (int k = 0; k < 4; ++k) {
                somme[0][k] += x1[i] * t[k];
                somme[1][k] += x2[i] * t[k];
            }
        })) {
        return std::nullopt;
    }
    for (int a = 0; a < 2; ++a) {
        for (int k = 0; k < 4; ++k) {
            M.Moments4[a][k] = somme[a][k] / nn;
        }
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

SourcesEstimees CalculerSourcesEstimees(double x, double y, const std::vector<double>& x1,
                                        const std::vector<double>& x2, int N,
                                        float PasEchantillonnage) {
    const std::size_t n = EchantillonsCommuns(N, x1, x2);
    VerifierTableaux(n, 4, "les sources estimées");
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
