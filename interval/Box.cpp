#include "interval/Box.h"

#include <algorithm>
#include <utility>

Box::Box(std::int32_t n, std::uint8_t flag) : IsEmpty(0), Dimension(n < 0 ? 0 : n) {
    Interval composante;
    composante.IsInterval = flag;
    if (EstLocale()) {
        Components.Local[0] = composante;
        Components.Local[1] = composante;
    } else {
        Components.Tas = new Interval[static_cast<std::size_t>(Dimension)];
        std::fill_n(Components.Tas, Dimension, composante);
    }
}

void Box::CopierTas(const Box& autre) {
    Components.Tas = new Interval[static_cast<std::size_t>(autre.Dimension)];
    std::copy_n(autre.Components.Tas, autre.Dimension, Components.Tas);
}

void Box::LibererTas() noexcept {
    delete[] Components.Tas;
}

void Box::AffecterLent(const Box& autre) {
    // Copy first, so that a failed allocation leaves this box as it was.
    Box copie(autre);
    *this = std::move(copie);
}

Box& Box::operator=(Box&& autre) noexcept {
    if (this != &autre) {
        if (!EstLocale()) {
            LibererTas();
        }
        Prendre(autre);
    }
    return *this;
}

Box Centre(const Box& A) {
    Box c(A.Dimension, 1);
    for (std::int32_t i = 1; i <= A.Dimension; ++i) {
        c[i] = Interval(A[i].Midpoint());
    }
    return c;
}

Box Hull(const Box& A, const Box& B) {
    if (A.IsEmpty) {
        return B;
    }
    if (B.IsEmpty) {
        return A;
    }
    Box r(A.Dimension, 1);
    for (std::int32_t i = 1; i <= A.Dimension; ++i) {
        r[i] = i <= B.Dimension ? Hull(A[i], B[i]) : A[i];
        if (r[i].IsEmpty) {
            r.IsEmpty = 1;
        }
    }
    return r;
}
