#include "sivia/Cumulants.h"

#include <algorithm>
#include <cmath>

namespace critere_rapide {

namespace {

constexpr int Exposants[3][2] = {{3, 1}, {2, 2}, {1, 3}}; // powers of s1 and s2
// The tuples (i, j, k, l) of each cumulant counted: i != j for JADE, all but (1, 1, 1, 1) and
// (2, 2, 2, 2) for the complement of the squared kurtosis.
constexpr double PoidsJade[3] = {2, 4, 2};
constexpr double PoidsKurtosis[3] = {4, 6, 4};

double Binome(int n, int k) {
    double r = 1;
    for (int i = 1; i <= k; ++i) {
        r = r * (n - k + i) / i;
    }
    return r;
}

double Point(const Cumulants::Polynome& p, double x, double y) {
    double v = 0;
    for (int i = 4; i >= 0; --i) {
        double ligne = 0;
        for (int j = 4; j >= 0; --j) {
            ligne = ligne * y + p.A[i][j];
        }
        v = v * x + ligne;
    }
    return v;
}

// The range of t^k over T.
Bornes Puissance(Bornes T, int k) {
    const double a = std::pow(T.lo, k), b = std::pow(T.up, k);
    if (k % 2 == 0 && T.lo < 0 && T.up > 0) {
        return {0, std::max(a, b)};
    }
    return Ordonner(a, b);
}

// An enclosure of p over X x Y, each monomial's range summed, widened by the rounding of
// every product and sum.
Bornes SurBoite(const Cumulants::Polynome& p, Bornes X, Bornes Y) {
    constexpr double Arrondi = 64 * std::numeric_limits<double>::epsilon();
    const double mx = std::max(std::fabs(X.lo), std::fabs(X.up));
    const double my = std::max(std::fabs(Y.lo), std::fabs(Y.up));
    Bornes somme{0, 0};
    double grandeur = 0;
    for (int i = 0; i <= 4; ++i) {
        for (int j = 0; j <= 4; ++j) {
            if (p.A[i][j] == 0) {
                continue;
            }
            const Bornes t = FoisScalaire(Produit(Puissance(X, i), Puissance(Y, j)), p.A[i][j]);
            somme = {somme.lo + t.lo, somme.up + t.up};
            grandeur += std::fabs(p.A[i][j]) * std::pow(mx, i) * std::pow(my, j);
        }
    }
    const double marge = Arrondi * grandeur;
    return {somme.lo - marge, somme.up + marge};
}

} // namespace

} // namespace critere_rapide

MomentsMelanges MomentsCentres(const MomentsMelanges& m) {
    using critere_rapide::Binome;
    // Brut(i, j) = E[x1^i.x2^j], i + j <= 4.
    const auto brut = [&m](int i, int j) {
        switch (i + j) {
        case 0:
            return 1.0;
        case 1:
            return i ? m.Ex1 : m.Ex2;
        case 2:
            return i == 2 ? m.Ex1x1 : i == 1 ? m.Ex1x2 : m.Ex2x2;
        case 3:
            return m.Moments3[j];
        default:
            return j < 4 ? m.Moments4[0][j] : m.Moments4[1][3];
        }
    };
    const auto centre = [&](int p, int q) {
        double v = 0;
        for (int i = 0; i <= p; ++i) {
            for (int j = 0; j <= q; ++j) {
                v += Binome(p, i) * Binome(q, j) * std::pow(-m.Ex1, p - i) *
                     std::pow(-m.Ex2, q - j) * brut(i, j);
            }
        }
        return v;
    };
    MomentsMelanges c = m;
    c.Ex1 = c.Ex2 = 0;
    c.Ex1x1 = centre(2, 0), c.Ex1x2 = centre(1, 1), c.Ex2x2 = centre(0, 2);
    for (int k = 0; k < 4; ++k) {
        c.Moments3[k] = centre(3 - k, k);
        c.Moments4[0][k] = centre(4 - k, k);
        c.Moments4[1][k] = centre(3 - k, k + 1);
    }
    return c;
}

namespace critere_rapide {

namespace {

// E[s1^a.s2^b] as a polynomial in x and y, from mu[p] = E[x1^p.x2^(a + b - p)]:
// s1^a = sum C(a, i).x^i.x1^(a - i).x2^i and s2^b = sum C(b, j).y^j.x1^j.x2^(b - j).
Cumulants::Polynome MomentEstimees(int a, int b, const double* mu) {
    Cumulants::Polynome p;
    for (int i = 0; i <= a; ++i) {
        for (int j = 0; j <= b; ++j) {
            p.A[i][j] += Binome(a, i) * Binome(b, j) * mu[a - i + j];
        }
    }
    return p;
}

// The largest |k1 + k2| over the rotations of the mixtures whitened by the Cholesky factor of
// their covariance (any whitening gives the same rotations): |A| + sqrt(B^2 + C^2).
double SommeKurtosisMaximale(const MomentsMelanges& m, const double* mu) {
    const double reste = m.Ex2x2 - m.Ex1x2 * m.Ex1x2 / m.Ex1x1;
    if (!(m.Ex1x1 > 0 && reste > 0)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    // z1 = alpha.x1, z2 = beta.x1 + gamma.x2.
    const double alpha = 1 / std::sqrt(m.Ex1x1), gamma = 1 / std::sqrt(reste);
    const double beta = -m.Ex1x2 / m.Ex1x1 * gamma;
    double mz[5]; // E[z1^p.z2^(4 - p)]
    for (int p = 0; p <= 4; ++p) {
        const int q = 4 - p;
        double v = 0;
        for (int j = 0; j <= q; ++j) {
            v += Binome(q, j) * std::pow(beta, q - j) * std::pow(gamma, j) * mu[4 - j];
        }
        mz[p] = std::pow(alpha, p) * v;
    }
    const double A = 0.75 * (mz[4] + mz[0]) + 1.5 * mz[2] - 6;
    const double B = 0.25 * (mz[4] + mz[0]) - 1.5 * mz[2];
    const double C = mz[3] - mz[1];
    return std::fabs(A) + std::hypot(B, C);
}

// The smallest E[s^2] = a + 2b.t + c.t^2 over T (c > 0 for mixtures that can be whitened).
double MinQuadratique(double a, double b, double c, Bornes T) {
    const double t = c > 0 ? std::clamp(-b / c, T.lo, T.up) : T.lo;
    return std::min({a + 2 * b * t + c * t * t, a + 2 * b * T.lo + c * T.lo * T.lo,
                     a + 2 * b * T.up + c * T.up * T.up});
}

} // namespace

Cumulants::Cumulants(const MomentsMelanges& brutes, Bornes X0, Bornes Y0, ContrasteOrdre4 contraste)
    : courbe_(MomentsCentres(brutes), X0, Y0),
      poids_(contraste == ContrasteOrdre4::Kurtosis ? PoidsKurtosis : PoidsJade),
      contraste_(contraste) {
    const MomentsMelanges& m = courbe_.Moments();
    // E[x1^p.x2^(4 - p)] for p = 0 .. 4.
    const double mu[5] = {m.Moments4[1][3], m.Moments4[0][3], m.Moments4[0][2], m.Moments4[0][1],
                          m.Moments4[0][0]};
    for (int t = 0; t < 3; ++t) {
        termes_[t] = MomentEstimees(Exposants[t][0], Exposants[t][1], mu);
    }
    // c22 subtracts P1.P2 = (E11 + 2x.E12 + x^2.E22) . (E22 + 2y.E12 + y^2.E11).
    const double p1[3] = {m.Ex1x1, 2 * m.Ex1x2, m.Ex2x2}, p2[3] = {m.Ex2x2, 2 * m.Ex1x2, m.Ex1x1};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            termes_[1].A[i][j] -= p1[i] * p2[j];
        }
    }
    quartiques_[0] = MomentEstimees(4, 0, mu);
    quartiques_[1] = MomentEstimees(0, 4, mu);
    sommeMax_ = SommeKurtosisMaximale(m, mu);
}

bool Cumulants::Applicable(const Interval& X, const Interval& Y, const MomentsMelanges& m) {
    for (const auto& ligne : m.Moments4) {
        for (const double v : ligne) {
            if (!Sure(v)) {
                return false;
            }
        }
    }
    for (const double v :
         {m.Ex1, m.Ex2, m.Moments3[0], m.Moments3[1], m.Moments3[2], m.Moments3[3]}) {
        if (!Sure(v)) {
            return false;
        }
    }
    return DecorrelationsOrdonnees::Applicable(X, Y, m) &&
           DecorrelationsOrdonnees::Applicable(X, Y, MomentsCentres(m));
}

double Cumulants::Valeur(double x, double y) const {
    const double p1 = PuissanceEstimee1(x, courbe_.Moments()),
                 p2 = PuissanceEstimee2(y, courbe_.Moments());
    if (!(p1 > 0 && p2 > 0)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (contraste_ == ContrasteOrdre4::SommeKurtosis) {
        return ValeurSomme(x, y, p1, p2);
    }
    double v = 0;
    for (int t = 0; t < 3; ++t) {
        const double c = Point(termes_[t], x, y);
        v += poids_[t] * (c * c) / (std::pow(p1, Exposants[t][0]) * std::pow(p2, Exposants[t][1]));
    }
    return v;
}

double Cumulants::AuPoint(double xc, double yc) const {
    return courbe_.AuPoint(xc, yc, [this](double x, double y) { return Valeur(x, y); });
}

double Cumulants::SurPave(Bornes X, Bornes Y) const {
    if (!courbe_.Croise(X, Y)) {
        return Infini; // the lag-0 decorrelation cannot vanish here
    }
    if (contraste_ == ContrasteOrdre4::SommeKurtosis) {
        return SurPaveSomme(X, Y);
    }
    const double d1 = courbe_.MaxPuissance1(X), d2 = courbe_.MaxPuissance2(Y);
    double somme = 0;
    for (int t = 0; t < 3; ++t) {
        const Bornes c = SurBoite(termes_[t], X, Y);
        const double plusPres = c.lo > 0 ? c.lo : (c.up < 0 ? -c.up : 0.0);
        somme += poids_[t] * (plusPres * plusPres) /
                 (std::pow(d1, Exposants[t][0]) * std::pow(d2, Exposants[t][1]));
    }
    if (!(d1 > 0 && d2 > 0) || !(somme >= 0)) {
        return 0.0; // no bound where the powers can vanish
    }
    return BorneAbaissee(somme);
}

double Cumulants::ValeurSomme(double x, double y, double p1, double p2) const {
    const double k1 = Point(quartiques_[0], x, y) / (p1 * p1) - 3;
    const double k2 = Point(quartiques_[1], x, y) / (p2 * p2) - 3;
    const double s = sommeMax_ - std::fabs(k1 + k2);
    // S >= 0 on the curve: rounding at its largest |k1 + k2| is kept from going below (a NaN
    // stays).
    return s < 0 ? 0.0 : s;
}

double Cumulants::SurPaveSomme(Bornes X, Bornes Y) const {
    const MomentsMelanges& m = courbe_.Moments();
    // Each k over its own interval, from E[s^4] (never negative) over the box and the range of
    // the power, widened a little for the rounding of the powers.
    constexpr double Marge = 1e-12;
    const auto etendue = [&](const Polynome& q, double pMin, double pMax) {
        const Bornes e = SurBoite(q, X, Y);
        pMin *= 1 - Marge, pMax *= 1 + Marge;
        return Bornes{std::max(e.lo, 0.0) / (pMax * pMax) - 3, e.up / (pMin * pMin) - 3};
    };
    const double min1 = MinQuadratique(m.Ex1x1, m.Ex1x2, m.Ex2x2, X),
                 min2 = MinQuadratique(m.Ex2x2, m.Ex1x2, m.Ex1x1, Y);
    if (!(min1 > 0 && min2 > 0)) {
        return 0.0; // no bound where the powers can vanish
    }
    const Bornes k1 = etendue(quartiques_[0], min1, courbe_.MaxPuissance1(X));
    const Bornes k2 = etendue(quartiques_[1], min2, courbe_.MaxPuissance2(Y));
    const double plusGrand = std::max(std::fabs(k1.lo + k2.lo), std::fabs(k1.up + k2.up));
    const double s = sommeMax_ - plusGrand;
    if (!(s >= 0)) {
        return 0.0;
    }
    return std::max(0.0, BorneAbaissee(s));
}

} // namespace critere_rapide

namespace {

double CritereAuPoint(double x, double y, const MomentsMelanges& m, ContrasteOrdre4 contraste) {
    constexpr double inf = critere_rapide::Cumulants::Infini;
    return critere_rapide::Cumulants(m, {-inf, inf}, {-inf, inf}, contraste).Valeur(x, y);
}

} // namespace

double CritereCumulantsAuPoint(double x, double y, const MomentsMelanges& m) {
    return CritereAuPoint(x, y, m, ContrasteOrdre4::Cumulants);
}

double CritereKurtosisAuPoint(double x, double y, const MomentsMelanges& m) {
    return CritereAuPoint(x, y, m, ContrasteOrdre4::Kurtosis);
}

double CritereSommeKurtosisAuPoint(double x, double y, const MomentsMelanges& m) {
    return CritereAuPoint(x, y, m, ContrasteOrdre4::SommeKurtosis);
}
