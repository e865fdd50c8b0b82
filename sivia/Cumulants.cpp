#include "sivia/Cumulants.h"

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

Cumulants::Cumulants(const MomentsMelanges& brutes, Bornes X0, Bornes Y0, ContrasteOrdre4 contraste)
    : courbe_(MomentsCentres(brutes), X0, Y0),
      poids_(contraste == ContrasteOrdre4::Kurtosis ? PoidsKurtosis : PoidsJade) {
    const MomentsMelanges& m = courbe_.Moments();
    // E[x1^p.x2^(4 - p)] for p = 0 .. 4.
    const double mu[5] = {m.Moments4[1][3], m.Moments4[0][3], m.Moments4[0][2], m.Moments4[0][1],
                          m.Moments4[0][0]};
    // s1^a = sum C(a, i).x^i.x1^(a - i).x2^i and s2^b = sum C(b, j).y^j.x1^j.x2^(b - j).
    for (int t = 0; t < 3; ++t) {
        const int a = Exposants[t][0], b = Exposants[t][1];
        for (int i = 0; i <= a; ++i) {
            for (int j = 0; j <= b; ++j) {
                termes_[t].A[i][j] += Binome(a, i) * Binome(b, j) * mu[a - i + j];
            }
        }
    }
    // c22 subtracts P1.P2 = (E11 + 2x.E12 + x^2.E22) . (E22 + 2y.E12 + y^2.E11).
    const double p1[3] = {m.Ex1x1, 2 * m.Ex1x2, m.Ex2x2}, p2[3] = {m.Ex2x2, 2 * m.Ex1x2, m.Ex1x1};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            termes_[1].A[i][j] -= p1[i] * p2[j];
        }
    }
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

} // namespace critere_rapide

double CritereCumulantsAuPoint(double x, double y, const MomentsMelanges& m) {
    constexpr double inf = critere_rapide::Cumulants::Infini;
    return critere_rapide::Cumulants(m, {-inf, inf}, {-inf, inf}).Valeur(x, y);
}

double CritereKurtosisAuPoint(double x, double y, const MomentsMelanges& m) {
    constexpr double inf = critere_rapide::Cumulants::Infini;
    return critere_rapide::Cumulants(m, {-inf, inf}, {-inf, inf}, ContrasteOrdre4::Kurtosis)
        .Valeur(x, y);
}
