// The criterion's Lower on plain doubles, for the solver's inner loop: bit for bit what
// EvalBorneInfCritere gives, without Interval's flags. An interval is carried as its
// (Lower, Upper) pair. Interval's single-value shortcuts give the same bounds as its general
// rules applied to a pair whose bounds are equal, so the general rules alone suffice, as
// long as a pair that Interval would hold as a single value keeps its Upper bitwise equal to
// its Lower (Interval(-0, +0) is the single value -0). The pair is fixed per solve, as a
// template argument: no flag is tested per box.
#pragma once

#include "interval/Interval.h"
#include "sivia/Contraintes.h"

#include <cmath>
#include <cstdint>

namespace critere_rapide {

struct Bornes {
    double lo, up;
};

// Interval(a, b) read back through Lower() and Upper().
inline Bornes Ordonner(double a, double b) {
    const double lo = a > b ? b : a;
    const double hi = a > b ? a : b;
    return {lo, a == b ? lo : hi};
}

inline Bornes Somme(Bornes A, Bornes B) {
    const double lo = A.lo + B.lo;
    const double hi = A.up + B.up;
    return {lo, lo == hi ? lo : hi};
}

// The product's sign table (Interval's operator*).
inline Bornes Produit(Bornes A, Bornes B) {
    const double a = A.lo, b = A.up, c = B.lo, d = B.up;
    if (a >= 0) {
        if (c >= 0) {
            return Ordonner(a * c, b * d);
        }
        return d > 0 ? Ordonner(b * c, b * d) : Ordonner(b * c, a * d);
    }
    if (b <= 0) {
        if (c >= 0) {
            return Ordonner(a * d, b * c);
        }
        return d > 0 ? Ordonner(a * d, a * c) : Ordonner(b * d, a * c);
    }
    if (c >= 0) {
        return Ordonner(a * d, b * d);
    }
    if (d > 0) {
        const double ad = a * d, bc = b * c, ac = a * c, bd = b * d;
        return Ordonner(bc < ad ? bc : ad, ac < bd ? bd : ac);
    }
    return Ordonner(b * c, a * c);
}

// A × single(s): the sign table with c = d = s comes down to this.
inline Bornes FoisScalaire(Bornes A, double s) {
    return s >= 0 ? Ordonner(A.lo * s, A.up * s) : Ordonner(A.up * s, A.lo * s);
}
// single(s) × A for s >= 0 (the constant 3).
inline Bornes ScalairePositifFois(double s, Bornes A) {
    return Ordonner(s * A.lo, s * A.up);
}
inline Bornes PlusScalaire(Bornes A, double s) {
    return Somme(A, Bornes{s, s});
}

inline Bornes AbsB(Bornes A) {
    Bornes t = Ordonner(std::fabs(A.lo), std::fabs(A.up));
    if (A.lo <= 0 && 0 <= A.up) {
        const double hi = std::fabs(A.lo) > std::fabs(A.up) ? std::fabs(A.lo) : std::fabs(A.up);
        t = {0.0, 0.0 == hi ? 0.0 : hi};
    }
    return t;
}

inline Bornes Oppose(Bornes A) {
    return Ordonner(-A.up, -A.lo);
}

// Lower() of Max(A, B) = -Min(-A, -B).
inline double BorneInfMax(Bornes A, Bornes B) {
    const Bornes nA = Oppose(A), nB = Oppose(B);
    const double lo = nB.lo < nA.lo ? nB.lo : nA.lo;
    const double hi = nB.up < nA.up ? nB.up : nA.up;
    return Oppose(Ordonner(lo, hi)).lo;
}

template <std::uint32_t m> inline Bornes PuissanceB(Bornes A) {
    using interval_detail::PuissanceScalaire;
    const double a = A.lo, b = A.up;
    if (a > 0 || (m & 1u)) {
        return Ordonner(PuissanceScalaire(a, m), PuissanceScalaire(b, m));
    }
    if (b >= 0) {
        const double l = std::fabs(a), u = std::fabs(b);
        return Ordonner(0.0, PuissanceScalaire(l < u ? u : l, m));
    }
    return Ordonner(PuissanceScalaire(b, m), PuissanceScalaire(a, m));
}

// ((Y.a + b) + (X.Y).b) + X.c over a box.
inline Bornes Decorrelation(Bornes X, Bornes Y, double a, double b, double c) {
    const Bornes p1 = FoisScalaire(Y, a);
    const Bornes p2 = FoisScalaire(Produit(X, Y), b);
    const Bornes p3 = FoisScalaire(X, c);
    return Somme(Somme(PlusScalaire(p1, b), p2), p3);
}

inline Bornes MomentOrdre4(Bornes X, Bornes Y, const MomentsMelanges& m) {
    const auto& M = m.Moments4;
    const Bornes Y2 = PuissanceB<2>(Y), Y3 = PuissanceB<3>(Y);
    const Bornes X3 = ScalairePositifFois(3.0, X);
    const Bornes T1 = FoisScalaire(Y3, M[0][0]);
    const Bornes T2 = FoisScalaire(ScalairePositifFois(3.0, Y2), M[0][1]);
    const Bornes T3 = FoisScalaire(ScalairePositifFois(3.0, Y), M[0][2]);
    const Bornes T5 = FoisScalaire(Produit(X, Y3), M[1][0]);
    const Bornes T6 = FoisScalaire(Produit(X3, Y2), M[1][1]);
    const Bornes T7 = FoisScalaire(Produit(X3, Y), M[1][2]);
    const Bornes T8 = FoisScalaire(X, M[1][3]);
    Bornes s = PlusScalaire(Somme(Somme(T1, T2), T3), M[0][3]);
    s = Somme(Somme(Somme(Somme(s, T5), T6), T7), T8);
    return s;
}

// The same at a point: every operation on single values is the plain double operation.
inline double DecorrelationPoint(double x, double y, double a, double b, double c) {
    return ((y * a + b) + (x * y) * b) + x * c;
}

inline double MomentOrdre4Point(double x, double y, const MomentsMelanges& m) {
    using interval_detail::PuissanceScalaire;
    const auto& M = m.Moments4;
    const double y2 = PuissanceScalaire(y, 2), y3 = PuissanceScalaire(y, 3);
    const double x3 = 3.0 * x;
    return ((((((y3 * M[0][0] + (3.0 * y2) * M[0][1]) + (3.0 * y) * M[0][2]) + M[0][3]) +
              (x * y3) * M[1][0]) +
             (x3 * y2) * M[1][1]) +
            (x3 * y) * M[1][2]) +
           x * M[1][3];
}

// Lower() of Max(Abs(a), Abs(b)) for single values a and b.
inline double BorneInfMaxPoint(double a, double b) {
    const double fa = std::fabs(a), fb = std::fabs(b);
    return fb > fa ? fb : fa;
}

template <PaireCritere P> struct Critere {
    const MomentsMelanges& m;

    double AuPoint(double x, double y) const {
        if constexpr (P == PaireCritere::SourcesDerivees) {
            return BorneInfMaxPoint(DecorrelationPoint(x, y, m.Ex1x1, m.Ex1x2, m.Ex2x2),
                                    DecorrelationPoint(x, y, m.Edx1dx1, m.Edx1dx2, m.Edx2dx2));
        } else if constexpr (P == PaireCritere::SourcesMoment) {
            return BorneInfMaxPoint(DecorrelationPoint(x, y, m.Ex1x1, m.Ex1x2, m.Ex2x2),
                                    MomentOrdre4Point(x, y, m));
        } else if constexpr (P == PaireCritere::DeriveesMoment) {
            return BorneInfMaxPoint(DecorrelationPoint(x, y, m.Edx1dx1, m.Edx1dx2, m.Edx2dx2),
                                    MomentOrdre4Point(x, y, m));
        } else {
            return 0.0;
        }
    }

    double SurPave(Bornes X, Bornes Y) const {
        if constexpr (P == PaireCritere::SourcesDerivees) {
            return BorneInfMax(AbsB(Decorrelation(X, Y, m.Ex1x1, m.Ex1x2, m.Ex2x2)),
                               AbsB(Decorrelation(X, Y, m.Edx1dx1, m.Edx1dx2, m.Edx2dx2)));
        } else if constexpr (P == PaireCritere::SourcesMoment) {
            return BorneInfMax(AbsB(Decorrelation(X, Y, m.Ex1x1, m.Ex1x2, m.Ex2x2)),
                               AbsB(MomentOrdre4(X, Y, m)));
        } else if constexpr (P == PaireCritere::DeriveesMoment) {
            return BorneInfMax(AbsB(Decorrelation(X, Y, m.Edx1dx1, m.Edx1dx2, m.Edx2dx2)),
                               AbsB(MomentOrdre4(X, Y, m)));
        } else {
            return 0.0;
        }
    }
};

// The two decorrelations over a solve whose box bounds are finite and ordered (Lower <=
// Upper) and whose bounds and moments are at most BorneSure in magnitude, which bisection
// keeps. No bound can then overflow, so no NaN arises; rounding to nearest is monotone, so
// no operation swaps its bounds and a product's bounds are the least and greatest of its four
// corner products; the sign of a zero never reaches the criterion (Abs drops it). The Lower
// of Max(Abs(C1), Abs(C2)) is then the largest of 0, Lower(Ci) and -Upper(Ci).
inline constexpr double BorneSure = 1e50;

inline bool Sure(double v) {
    return std::fabs(v) <= BorneSure; // false for NaN
}

class DecorrelationsOrdonnees {
public:
    explicit DecorrelationsOrdonnees(const MomentsMelanges& m)
        : A_{m.Ex1x1, m.Edx1dx1}, B_{m.Ex1x2, m.Edx1dx2}, C_{m.Ex2x2, m.Edx2dx2} {}

    // True when a solve from this box with these moments can take this path.
    static bool Applicable(const Interval& X, const Interval& Y, const MomentsMelanges& m) {
        const auto ordonnee = [](const Interval& I) {
            return Sure(I.Lower()) && Sure(I.Upper()) && I.Lower() <= I.Upper();
        };
        return ordonnee(X) && ordonnee(Y) && Sure(m.Ex1x1) && Sure(m.Ex1x2) && Sure(m.Ex2x2) &&
               Sure(m.Edx1dx1) && Sure(m.Edx1dx2) && Sure(m.Edx2dx2);
    }

    // The two decorrelations side by side, one per lane: each lane does the scalar
    // operations, in their order.
    double AuPoint(double x, double y) const {
        const Paire d = Abs(((y * A_ + B_) + (x * y) * B_) + x * C_);
        return d[1] > d[0] ? d[1] : d[0];
    }

    double SurPave(Bornes X, Bornes Y) const {
        const Paire xx{X.lo, X.up};
        const Paire parY1 = xx * Y.lo, parY2 = xx * Y.up; // {p1, p3} and {p2, p4}
        const Paire bas = Min(parY1, parY2), haut = Max(parY1, parY2);
        const double xyLo = bas[1] < bas[0] ? bas[1] : bas[0];
        const double xyUp = haut[0] < haut[1] ? haut[1] : haut[0];
        // ((Y.a + b) + (X.Y).b) + X.c bound by bound: with ordered bounds, the lower of
        // {lo.s, up.s} is the bound that s's sign picks (only a zero's sign can differ, which
        // the final + 0.0 drops).
        const Paire ya1 = Y.lo * A_, ya2 = Y.up * A_, xyb1 = xyLo * B_, xyb2 = xyUp * B_;
        const Paire xc1 = X.lo * C_, xc2 = X.up * C_;
        const Paire lo = ((Min(ya1, ya2) + B_) + Min(xyb1, xyb2)) + Min(xc1, xc2);
        const Paire up = ((Max(ya1, ya2) + B_) + Max(xyb1, xyb2)) + Max(xc1, xc2);
        // The Lower of each Abs is the largest of 0, lo and -up.
        const Paire m = Max(Max(lo, -up), Paire{0.0, 0.0});
        return (m[0] < m[1] ? m[1] : m[0]) + 0.0; // + 0.0: a zero Lower is +0, as Abs gives it
    }

private:
    using Paire = double __attribute__((vector_size(16)));
    static Paire Min(Paire a, Paire b) { return b < a ? b : a; }
    static Paire Max(Paire a, Paire b) { return a < b ? b : a; }
    static Paire Abs(Paire a) { // the sign bits cleared, as fabs does
        using Bits = std::int64_t __attribute__((vector_size(16)));
        return reinterpret_cast<Paire>(reinterpret_cast<Bits>(a) & Bits{INT64_MAX, INT64_MAX});
    }

    Paire A_, B_, C_; // (Ex1x1, Edx1dx1), (Ex1x2, Edx1dx2), (Ex2x2, Edx2dx2)
};

} // namespace critere_rapide
