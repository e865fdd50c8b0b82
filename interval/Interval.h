// Interval: a closed interval of doubles with a single-value state and an empty flag.
// Bounds are computed with the default round-to-nearest mode and never widened; no
// operation throws. A quotient by an interval holding zero is [-1e60, 1e60].
// Everything is inline: the solver runs millions of these operations per solve.
#pragma once

#include <cmath>
#include <cstdint>

struct Interval {
    double Lo;
    double Hi; // read only when IsInterval is 1
    std::uint8_t IsInterval;
    std::uint8_t IsEmpty;

    // Upper bound left in a single value by the constructors.
    static constexpr double BorneFictive = -999.0;
    // Half-width of the interval given by a division by zero.
    static constexpr double DemiLargeurNonBornee = 1e60;

    constexpr Interval() noexcept : Lo(0.0), Hi(BorneFictive), IsInterval(0), IsEmpty(0) {}
    constexpr explicit Interval(double x) noexcept
        : Lo(x), Hi(BorneFictive), IsInterval(0), IsEmpty(0) {}
    constexpr Interval(double a, double b) noexcept
        : Lo(a > b ? b : a), Hi(a > b ? a : b), IsInterval(a != b ? 1 : 0), IsEmpty(0) {}

    // The empty interval produced by Min and Max of an empty operand.
    static constexpr Interval Vide() noexcept {
        Interval r;
        r.IsEmpty = 1;
        return r;
    }
    // [-1e60, 1e60], the result of a division by an interval that holds zero.
    static constexpr Interval NonBorne() noexcept {
        return Interval(-DemiLargeurNonBornee, DemiLargeurNonBornee);
    }
    // Every operation delivers its result through this copy.
    static constexpr Interval Normalise(Interval r) noexcept {
        if (r.Lo == r.Hi) {
            r.IsInterval = 0;
        }
        return r;
    }

    constexpr double Lower() const noexcept { return Lo; }
    constexpr double Upper() const noexcept { return IsInterval ? Hi : Lo; }
    constexpr double Width() const noexcept { return IsInterval ? Hi - Lo : 0.0; }
    constexpr double Midpoint() const noexcept { return IsInterval ? (Lo + Hi) * 0.5 : Lo; }
    constexpr bool Contains(double x) const noexcept { return !IsEmpty && Lo <= x && x <= Upper(); }
    double Magnitude() const noexcept {
        const double l = std::fabs(Lo);
        const double u = std::fabs(Upper());
        return l < u ? u : l;
    }

    // Used by bisection: no reordering and no flag change.
    constexpr void SetLower(double x) noexcept { Lo = x; }
    constexpr void SetUpper(double x) noexcept {
        if (IsInterval) {
            Hi = x;
        }
    }
};

namespace interval_detail {

constexpr double PlusPetit(double a, double b) noexcept {
    return b < a ? b : a;
}
constexpr double PlusGrand(double a, double b) noexcept {
    return a < b ? b : a;
}

// x^m for m >= 1 by binary exponentiation on |x|, the sign applied at the end.
constexpr double PuissanceScalaire(double x, std::uint32_t m) noexcept {
    const bool negatif = x < 0 && (m & 1u);
    double r = 1.0;
    double s = x < 0 ? -x : x;
    while (m > 0) {
        if (m & 1u) {
            r = r * s;
        }
        m /= 2;
        if (m > 0) {
            s = s * s;
        }
    }
    return negatif ? -r : r;
}

} // namespace interval_detail

constexpr Interval operator-(const Interval& A) noexcept {
    if (A.IsEmpty) {
        return A;
    }
    if (A.IsInterval) {
        return Interval(-A.Hi, -A.Lo);
    }
    return Interval(-A.Lo);
}

constexpr Interval operator+(const Interval& A, const Interval& B) noexcept {
    if (A.IsEmpty) {
        return Interval::Normalise(A);
    }
    if (B.IsEmpty) {
        return Interval::Normalise(B);
    }
    if (!A.IsInterval && !B.IsInterval) {
        return Interval(A.Lo + B.Lo);
    }
    Interval r;
    r.Lo = A.Lo + B.Lo;
    r.Hi = A.Upper() + B.Upper();
    r.IsInterval = 1;
    return Interval::Normalise(r);
}

constexpr Interval operator*(const Interval& A, const Interval& B) noexcept {
    using interval_detail::PlusGrand;
    using interval_detail::PlusPetit;
    if (A.IsEmpty) {
        return Interval::Normalise(A);
    }
    if (B.IsEmpty) {
        return Interval::Normalise(B);
    }
    if (!A.IsInterval && !B.IsInterval) {
        return Interval(A.Lo * B.Lo);
    }
    const double a = A.Lo, b = A.Upper(), c = B.Lo, d = B.Upper();
    double lo, hi;
    if (a >= 0) {
        if (c >= 0) {
            lo = a * c, hi = b * d;
        } else if (d > 0) {
            lo = b * c, hi = b * d;
        } else {
            lo = b * c, hi = a * d;
        }
    } else if (b <= 0) {
        if (c >= 0) {
            lo = a * d, hi = b * c;
        } else if (d > 0) {
            lo = a * d, hi = a * c;
        } else {
            lo = b * d, hi = a * c;
        }
    } else {
        if (c >= 0) {
            lo = a * d, hi = b * d;
        } else if (d > 0) {
            lo = PlusPetit(a * d, b * c), hi = PlusGrand(a * c, b * d);
        } else {
            lo = b * c, hi = a * c;
        }
    }
    return Interval(lo, hi);
}

constexpr Interval operator/(const Interval& A, const Interval& B) noexcept {
    if (A.IsEmpty) {
        return Interval::Normalise(A);
    }
    if (B.IsEmpty) {
        return Interval::Normalise(B);
    }
    if (!B.IsInterval) {
        if (B.Lo != 0) {
            return Interval(1.0 / B.Lo) * A;
        }
        return Interval::NonBorne();
    }
    const double a = A.Lo, b = A.Upper(), c = B.Lo, d = B.Upper();
    double lo, hi;
    if (c > 0) {
        if (a >= 0) {
            lo = a / d, hi = b / c;
        } else if (b >= 0) {
            lo = a / c, hi = b / c;
        } else {
            lo = a / c, hi = b / d;
        }
    } else if (d < 0) {
        if (a >= 0) {
            lo = b / d, hi = a / c;
        } else if (b >= 0) {
            lo = b / d, hi = a / d;
        } else {
            lo = b / c, hi = a / d;
        }
    } else {
        // The divisor holds zero (or has a NaN bound): nothing finite can be said.
        return Interval::NonBorne();
    }
    return Interval(lo, hi);
}

inline Interval Abs(const Interval& A) noexcept {
    if (!A.IsInterval) {
        return Interval(std::fabs(A.Lo));
    }
    Interval t(std::fabs(A.Lo), std::fabs(A.Hi));
    if (A.Contains(0.0)) {
        t.Lo = 0.0;
        t.IsInterval = 1;
    }
    return Interval::Normalise(t);
}

inline Interval Power(const Interval& A, std::int32_t n) noexcept {
    using interval_detail::PuissanceScalaire;
    if (n == 0) {
        return Interval(1.0);
    }
    // Computed in unsigned arithmetic so that n = INT32_MIN has a magnitude too.
    const std::uint32_t m =
        n < 0 ? 0u - static_cast<std::uint32_t>(n) : static_cast<std::uint32_t>(n);
    const double a = A.Lo, b = A.Upper();
    double lo, hi;
    if (a > 0 || (m & 1u)) {
        lo = PuissanceScalaire(a, m), hi = PuissanceScalaire(b, m);
    } else if (b >= 0) {
        lo = 0.0, hi = PuissanceScalaire(A.Magnitude(), m);
    } else {
        lo = PuissanceScalaire(b, m), hi = PuissanceScalaire(a, m);
    }
    if (n > 0) {
        return Interval(lo, hi);
    }
    return Interval(1.0) / Interval(lo, hi);
}

constexpr Interval Hull(const Interval& A, const Interval& B) noexcept {
    if (A.IsEmpty) {
        return Interval::Normalise(B);
    }
    if (B.IsEmpty) {
        return Interval::Normalise(A);
    }
    Interval r;
    r.Lo = interval_detail::PlusPetit(A.Lo, B.Lo);
    r.Hi = interval_detail::PlusGrand(A.Upper(), B.Upper());
    r.IsInterval = 1;
    return Interval::Normalise(r);
}

// Interval extension of the pointwise minimum (not an intersection).
constexpr Interval Min(const Interval& A, const Interval& B) noexcept {
    if (A.IsEmpty || B.IsEmpty) {
        return Interval::Vide();
    }
    const double lo = interval_detail::PlusPetit(A.Lo, B.Lo);
    const double hi = interval_detail::PlusPetit(A.Upper(), B.Upper());
    return lo != hi ? Interval(lo, hi) : Interval(lo);
}

constexpr Interval Max(const Interval& A, const Interval& B) noexcept {
    return -Min(-A, -B);
}
