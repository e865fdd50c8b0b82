#include "sivia/Neguentropie.h"

#include "sivia/Cumulants.h"
#include "sivia/Racine2x2.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int Noeuds = 1024;
constexpr double Pi = std::numbers::pi;
constexpr double Pas = Pi / Noeuds;
// E[G(v)] for a standard normal v, with G(u) = exp(-u^2 / 2) (the sign of G drops in J).
const double Gauss = 1 / std::sqrt(2.0);
// |h''| <= 1 + 4/e, widened for the whitening's rounding (z white to about 1e-15).
const double Courbure = (1 + 4 / std::numbers::e) * 1.01;
// The angles' rounding (atan2 and R), far above it.
constexpr double MargeAngle = 1e-10;

// The angle of the direction (a, b) of the whitened axes.
double Angle(double a, double b) {
    return std::atan2(b, a);
}

} // namespace

double TableNeguentropie::ValeurExacte(double t) const {
    const double co = std::cos(t), si = std::sin(t);
    double s = 0;
    for (std::size_t i = 0; i < z1.size(); ++i) {
        const double u = co * z1[i] + si * z2[i];
        s += std::exp(-0.5 * u * u);
    }
    return s / double(z1.size());
}

std::shared_ptr<const TableNeguentropie> CalculerTableNeguentropie(const std::vector<double>& x1,
                                                                   const std::vector<double>& x2) {
    auto t = std::make_shared<TableNeguentropie>();
    const std::size_t n = std::min(x1.size(), x2.size());
    if (n < 2) {
        return t;
    }
    double m1 = 0, m2 = 0;
    for (std::size_t i = 0; i < n; ++i) {
        m1 += x1[i], m2 += x2[i];
    }
    m1 /= double(n), m2 /= double(n);
    double a = 0, b = 0, c = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double u = x1[i] - m1, v = x2[i] - m2;
        a += u * u, b += u * v, c += v * v;
    }
    a /= double(n), b /= double(n), c /= double(n);
    const auto [R, H] = Racines({a, b, c});
    t->R[0][0] = R.a, t->R[0][1] = t->R[1][0] = R.b, t->R[1][1] = R.c;
    t->H[0][0] = H.a, t->H[0][1] = t->H[1][0] = H.b, t->H[1][1] = H.c;
    for (const auto& ligne : {t->R[0], t->R[1], t->H[0], t->H[1]}) {
        if (!std::isfinite(ligne[0]) || !std::isfinite(ligne[1]) || !(a * c - b * b > 0)) {
            return t;
        }
    }
    t->z1.resize(n), t->z2.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double u = x1[i] - m1, v = x2[i] - m2;
        t->z1[i] = t->H[0][0] * u + t->H[0][1] * v;
        t->z2[i] = t->H[1][0] * u + t->H[1][1] * v;
    }
    t->Valeurs.resize(Noeuds), t->Derivees.resize(Noeuds);
    for (int k = 0; k < Noeuds; ++k) {
        const double co = std::cos(k * Pas), si = std::sin(k * Pas);
        double h = 0, hp = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const double u = co * t->z1[i] + si * t->z2[i], w = co * t->z2[i] - si * t->z1[i];
            const double e = std::exp(-0.5 * u * u);
            h += e, hp -= u * w * e;
        }
        t->Valeurs[k] = h / double(n), t->Derivees[k] = hp / double(n);
    }
    t->Valide = std::all_of(t->Valeurs.begin(), t->Valeurs.end(),
                            [](double v) { return std::isfinite(v); }) &&
                std::all_of(t->Derivees.begin(), t->Derivees.end(),
                            [](double v) { return std::isfinite(v); });
    return t;
}

namespace {

double Angle1(double x, const TableNeguentropie& t) {
    return Angle(t.R[0][0] + t.R[0][1] * x, t.R[1][0] + t.R[1][1] * x);
}
double Angle2(double y, const TableNeguentropie& t) {
    return Angle(t.R[0][0] * y + t.R[0][1], t.R[1][0] * y + t.R[1][1]);
}
double J(double h) {
    return (h - Gauss) * (h - Gauss);
}

} // namespace

double CritereNeguentropieAuPoint(double x, double y, const TableNeguentropie& t) {
    if (!t.Valide) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return 1 - J(t.ValeurExacte(Angle1(x, t))) - J(t.ValeurExacte(Angle2(y, t)));
}

double EcartAuGaussien(const std::vector<double>& x1, const std::vector<double>& x2, double a,
                       double b) {
    const std::size_t n = std::min(x1.size(), x2.size());
    double moyenne = 0, puissance = 0;
    for (std::size_t i = 0; i < n; ++i) {
        moyenne += a * x1[i] + b * x2[i];
    }
    moyenne /= double(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double s = a * x1[i] + b * x2[i] - moyenne;
        puissance += s * s;
    }
    puissance /= double(n);
    if (!(puissance > 0) || !std::isfinite(puissance)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    double h = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double s = a * x1[i] + b * x2[i] - moyenne;
        h += std::exp(-0.5 * s * s / puissance);
    }
    return h / double(n) - Gauss;
}

namespace critere_rapide {

Neguentropie::Neguentropie(const MomentsMelanges& m, std::shared_ptr<const TableNeguentropie> t,
                           Bornes X0, Bornes Y0)
    : courbe_(MomentsCentres(m), X0, Y0), table_(std::move(t)) {}

bool Neguentropie::Applicable(const Interval& X, const Interval& Y, const MomentsMelanges& m,
                              const TableNeguentropie* t) {
    return t && t->Valide && Cumulants::Applicable(X, Y, m);
}

Bornes Neguentropie::EtendueAngles(double debut, double longueur) const {
    const TableNeguentropie& t = *table_;
    if (!std::isfinite(debut) || !std::isfinite(longueur)) {
        return {0, 1}; // not a number: every value of h (the walk below would never end)
    }
    debut -= MargeAngle, longueur += 2 * MargeAngle;
    // Rounding on the sums of the table: n terms of at most 1.
    const double arrondi = 4 * double(t.z1.size()) * std::numeric_limits<double>::epsilon();
    if (!(longueur < Pi)) {
        longueur = Pi; // every angle: the whole table
    }
    const double a = debut - Pi * std::floor(debut / Pi), fin = a + longueur;
    double lo = Infini, up = -Infini;
    // Pieces of [a, fin] each nearest to one node j (its angle j.Pas, its value j mod Noeuds).
    double p = a;
    for (long j = std::lround(a / Pas);; ++j) {
        const double q = std::min(fin, (double(j) + 0.5) * Pas);
        if (q >= p) {
            const std::size_t k = std::size_t(((j % Noeuds) + Noeuds) % Noeuds);
            const double tp = p - double(j) * Pas, tq = q - double(j) * Pas;
            const double h = t.Valeurs[k], d = t.Derivees[k];
            const double reste = Courbure * std::max(tp * tp, tq * tq) / 2 + arrondi;
            lo = std::min(lo, h + std::min(d * tp, d * tq) - reste);
            up = std::max(up, h + std::max(d * tp, d * tq) + reste);
            p = q;
        }
        if (q >= fin) {
            break;
        }
    }
    return {std::max(lo, 0.0), std::min(up, 1.0)}; // h is a mean of values in (0, 1]
}

Bornes Neguentropie::Etendue1(Bornes X) const {
    // The angle grows with x (det R > 0): from X.lo to X.up, less than a half turn.
    const double a = Angle1(X.lo, *table_), b = Angle1(X.up, *table_);
    return EtendueAngles(a, std::fmod(b - a + 2 * Pi, Pi));
}

Bornes Neguentropie::Etendue2(Bornes Y) const {
    // The angle falls as y grows: from Y.up to Y.lo.
    const double a = Angle2(Y.up, *table_), b = Angle2(Y.lo, *table_);
    return EtendueAngles(a, std::fmod(b - a + 2 * Pi, Pi));
}

namespace {

// The range of 1 - J(h1) - J(h2) for h1 in H1 and h2 in H2.
Bornes EtendueCritere(Bornes H1, Bornes H2) {
    const auto etendueJ = [](Bornes h) {
        const double a = J(h.lo), b = J(h.up);
        return Bornes{h.lo <= Gauss && Gauss <= h.up ? 0.0 : std::min(a, b), std::max(a, b)};
    };
    const Bornes j1 = etendueJ(H1), j2 = etendueJ(H2);
    return {1 - j1.up - j2.up, 1 - j1.lo - j2.lo};
}

} // namespace

Bornes Neguentropie::Encadrement(double x, double y) const {
    return EtendueCritere(Etendue1({x, x}), Etendue2({y, y}));
}

double Neguentropie::AuPoint(double xc, double yc) const {
    return courbe_.AuPoint(xc, yc, [this](double x, double y) { return Encadrement(x, y).up; });
}

double Neguentropie::SurPave(Bornes X, Bornes Y) const {
    if (!courbe_.Croise(X, Y)) {
        return Infini; // the lag-0 decorrelation cannot vanish here
    }
    const double n = EtendueCritere(Etendue1(X), Etendue2(Y)).lo;
    return n >= 0 ? BorneAbaissee(n) : 0.0;
}

} // namespace critere_rapide
