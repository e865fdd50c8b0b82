// Decorrelation at delays ("Décorrélation retardée"). For each delay t of a list, the
// symmetrised cross-correlation of the estimates s1 = x1 + x.x2 and s2 = y.x1 + x2,
//   C_t(x, y) = (E[s1(n) s2(n + t)] + E[s2(n) s1(n + t)]) / 2
//             = ((y.R11 + R) + (x.y).R) + x.R22,   R = (R12 + R21) / 2,
// is the lag-0 decorrelation's polynomial with lagged means. Normalised by the estimates'
// powers P1(x) = E[s1^2] and P2(y) = E[s2^2] it is a correlation coefficient, so the
// criterion below does not depend on the scale of the mixtures nor of the estimates:
//   J(x, y) = sum over t of C_t(x, y)^2 / (P1(x) . P2(y)).
// The lag-0 decorrelation is held exactly: the solver minimises J on its zero curve, which
// it uses as a test (a box where it cannot vanish is rejected), while J is minimised as the
// other criteria are, against the best value met at points of that curve. Treating lag 0 as
// one more soft term of J lets the minimum slide off the curve and costs several dB on
// sources whose spectra are close.
#pragma once

#include "interval/Interval.h"
#include "sivia/CritereRapide.h"
#include "sivia/Moments.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

// Delays read from a text such as "1,2,4,8" (commas, blanks or semicolons between them) for
// N samples. Refused, each named in the French message: negative, zero, repeated, larger than
// N/2, or not an integer; an empty list too. Erreur is empty when the list is accepted.
struct LectureRetards {
    std::vector<int> Retards;
    std::string Erreur;
};
LectureRetards LireRetards(std::string_view texte, std::size_t N);

// J at the point (x, y), off the lag-0 curve too; NaN where P1 . P2 is not positive.
double CritereRetardeAuPoint(double x, double y, const MomentsMelanges& m,
                             const MomentsRetardes& r);

// E[s1^2] at x and E[s2^2] at y.
inline double PuissanceEstimee1(double x, const MomentsMelanges& m) {
    return (m.Ex1x1 + 2 * x * m.Ex1x2) + x * x * m.Ex2x2;
}
inline double PuissanceEstimee2(double y, const MomentsMelanges& m) {
    return (y * y * m.Ex1x1 + 2 * y * m.Ex1x2) + m.Ex2x2;
}

// The points of the lag-0 curve above x (y as a function of x) and beside y (x as a function
// of y): E[s1 s2] = 0 is bilinear, y = -(Ex1x2 + x.Ex2x2) / (Ex1x1 + x.Ex1x2). NaN or
// infinite where the denominator vanishes.
double CourbeOrdre0EnX(double x, const MomentsMelanges& m);
double CourbeOrdre0EnY(double y, const MomentsMelanges& m);

struct PointCourbeOrdre0 {
    double x = 0, y = 0;
    double valeur = std::numeric_limits<double>::infinity(); // infinite: the curve misses the box
};

// The smallest f(x, y) over the lag-0 curve inside [xlo, xhi] x [ylo, yhi], by a grid of
// `pas` steps of each parametrisation (y of x, x of y) polished by a golden-section search
// between the best node's neighbours: independent of the solver's bounds, for checks and
// measures. A value that is not a number counts as none.
template <class F>
PointCourbeOrdre0 MinimiserSurCourbeOrdre0(const MomentsMelanges& m, double xlo, double xhi,
                                           double ylo, double yhi, int pas, F&& f) {
    PointCourbeOrdre0 meilleur;
    for (const bool enX : {true, false}) {
        const double lo = enX ? xlo : ylo, up = enX ? xhi : yhi;
        const double autreLo = enX ? ylo : xlo, autreUp = enX ? yhi : xhi;
        const auto point = [&](double t) {
            t = t < lo ? lo : (t > up ? up : t); // lo + pas.h may round past up
            const double autre = enX ? CourbeOrdre0EnX(t, m) : CourbeOrdre0EnY(t, m);
            PointCourbeOrdre0 p{enX ? t : autre, enX ? autre : t};
            if (autreLo <= autre && autre <= autreUp) {
                const double v = f(p.x, p.y);
                p.valeur = v >= 0 || v < 0 ? v : p.valeur;
            }
            return p;
        };
        const double h = (up - lo) / pas;
        int kMin = -1;
        double vMin = std::numeric_limits<double>::infinity();
        for (int k = 0; k <= pas; ++k) {
            if (const double v = point(lo + k * h).valeur; v < vMin) {
                vMin = v, kMin = k;
            }
        }
        if (kMin < 0) {
            continue;
        }
        double a = lo + (kMin - 1) * h, b = lo + (kMin + 1) * h;
        const double r = 0.6180339887498949; // (sqrt(5) - 1) / 2
        for (int i = 0; i < 80; ++i) {
            const double c = b - r * (b - a), e = a + r * (b - a);
            if (point(c).valeur < point(e).valeur) {
                b = e;
            } else {
                a = c;
            }
        }
        for (const double t : {a, b, lo + kMin * h}) {
            if (const PointCourbeOrdre0 p = point(t); p.valeur < meilleur.valeur) {
                meilleur = p;
            }
        }
    }
    return meilleur;
}

namespace critere_rapide {

// The lag-0 curve E[s1 s2] = 0 inside a search box, for the criteria minimised along it: the
// points where a box centre reads them, and the test that rejects a box the curve misses.
class CourbeOrdre0 {
public:
    CourbeOrdre0(const MomentsMelanges& m, Bornes X0, Bornes Y0) : m_(m), X0_(X0), Y0_(Y0) {}

    // The smallest f at the curve's points above xc and beside yc that lie in the search box:
    // an upper bound of the minimum. +infinity when there is none (or it is not a number).
    template <class F> double AuPoint(double xc, double yc, F&& f) const {
        double v = std::numeric_limits<double>::infinity();
        const double y = CourbeOrdre0EnX(xc, m_);
        if (Y0_.lo <= y && y <= Y0_.up) {
            v = std::min(v, f(xc, y)); // a NaN second argument leaves v
        }
        const double x = CourbeOrdre0EnY(yc, m_);
        if (X0_.lo <= x && x <= X0_.up) {
            v = std::min(v, f(x, yc));
        }
        return v >= 0 ? v : std::numeric_limits<double>::infinity(); // NaN gives no bound
    }
    // False where the lag-0 decorrelation cannot vanish over the box (rounding covered).
    bool Croise(Bornes X, Bornes Y) const;
    // The largest E[s1^2] over X and E[s2^2] over Y.
    double MaxPuissance1(Bornes X) const;
    double MaxPuissance2(Bornes Y) const;
    const MomentsMelanges& Moments() const { return m_; }

private:
    MomentsMelanges m_;
    Bornes X0_, Y0_;
};

// The range [lo, up] over a box of the bilinear ((y.a + b) + (x.y).b) + x.c, at its corners,
// widened by a margin that covers the rounding of each corner's value.
void EtendueBilineaire(double a, double b, double c, Bornes X, Bornes Y, double& lo, double& up);

// The solver's form of the criterion (the interface of Critere<P>): AuPoint gives the value
// at points of the lag-0 curve found from a box centre, SurPave a lower bound of J over the
// part of a box where the lag-0 decorrelation can vanish, +infinity where it cannot.
class DecorrelationRetardee {
public:
    // `X0`, `Y0`: the search box, where the curve's points must lie to bound the minimum.
    DecorrelationRetardee(const MomentsMelanges& m, const MomentsRetardes& r, Bornes X0, Bornes Y0);

    // True when a solve from this box with these moments can take this path: finite ordered
    // bounds and finite means (as DecorrelationsOrdonnees needs), equal lengths of lists.
    static bool Applicable(const Interval& X, const Interval& Y, const MomentsMelanges& m,
                           const MomentsRetardes& r);

    // The smallest J at the curve's points above xc and beside yc that lie in the search box.
    double AuPoint(double xc, double yc) const;
    // Lower bound of J over the box's points of the lag-0 curve, lowered by a margin that
    // covers the rounding of both bounds; +infinity where the curve does not cross the box.
    double SurPave(Bornes X, Bornes Y) const;

    // J at any point (CritereRetardeAuPoint).
    double Valeur(double x, double y) const;

    static constexpr double Infini = std::numeric_limits<double>::infinity();

private:
    struct Coefficients {
        double a, b, c; // ((y.a + b) + (x.y).b) + x.c
    };

    CourbeOrdre0 courbe_;
    std::vector<Coefficients> retards_;
};

// A lower bound j of a criterion lowered by margins far above the rounding of this bound and
// of the centre values (taken at points of the curve computed to the last bits), far below
// what separates two boxes at any usable precision.
inline double BorneAbaissee(double j) {
    return j - (1e-9 * j + 1e-10);
}

} // namespace critere_rapide
