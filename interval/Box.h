// Box: a value vector of Intervals reached by 1-based index (component 1 is x, 2 is y).
// Up to two components live inside the object, so the solver's boxes cost no heap
// allocation; larger boxes own a heap array. Copies are deep.
#pragma once

#include "interval/Interval.h"

#include <cstdint>

class Box {
public:
    // Components stored in place up to this dimension.
    static constexpr std::int32_t DimensionLocale = 2;

    union Stockage {
        Interval Local[DimensionLocale];
        Interval* Tas;
        constexpr Stockage() noexcept : Local{} {}
    };

    Stockage Components;
    std::uint8_t IsEmpty;
    std::int32_t Dimension;

    // One default component (the single value 0); the box is empty.
    Box() noexcept : IsEmpty(1), Dimension(1) {}
    // n components with Lo 0, Hi -999 and IsInterval = flag; not empty. n < 0 counts as 0.
    Box(std::int32_t n, std::uint8_t flag);

    // The storage is copied whole (no default components written first), then the heap
    // array, if any, is duplicated.
    Box(const Box& autre)
        : Components(autre.Components), IsEmpty(autre.IsEmpty), Dimension(autre.Dimension) {
        if (!autre.EstLocale()) {
            CopierTas(autre);
        }
    }
    Box(Box&& autre) noexcept : IsEmpty(1), Dimension(1) { Prendre(autre); }
    Box& operator=(const Box& autre) {
        if (this != &autre) {
            if (EstLocale() && autre.EstLocale()) {
                Components = autre.Components;
                IsEmpty = autre.IsEmpty;
                Dimension = autre.Dimension;
            } else {
                AffecterLent(autre);
            }
        }
        return *this;
    }
    Box& operator=(Box&& autre) noexcept;
    ~Box() {
        if (!EstLocale()) {
            LibererTas();
        }
    }

    // In place, the index is masked to the two slots: this keeps any index inside the object
    // and lets the compiler see it.
    Interval& operator[](std::int32_t i) noexcept {
        return EstLocale() ? Components.Local[(i - 1) & 1] : Components.Tas[i - 1];
    }
    const Interval& operator[](std::int32_t i) const noexcept {
        return EstLocale() ? Components.Local[(i - 1) & 1] : Components.Tas[i - 1];
    }

    // Index of the widest component; the lowest index wins a tie.
    std::int32_t WidestComponent() const noexcept {
        const Interval* c = Donnees();
        std::int32_t meilleur = 1;
        double w = c[0].Width();
        for (std::int32_t i = 2; i <= Dimension; ++i) {
            const double wi = c[i - 1].Width();
            if (wi > w) {
                meilleur = i;
                w = wi;
            }
        }
        return meilleur;
    }
    double Width() const noexcept { return (*this)[WidestComponent()].Width(); }

private:
    bool EstLocale() const noexcept { return Dimension <= DimensionLocale; }
    Interval* Donnees() noexcept { return EstLocale() ? Components.Local : Components.Tas; }
    const Interval* Donnees() const noexcept {
        return EstLocale() ? Components.Local : Components.Tas;
    }
    void CopierTas(const Box& autre);
    void LibererTas() noexcept;
    void AffecterLent(const Box& autre);
    // Takes the other box's components (its heap array, if any); the other box becomes a
    // default box. This box holds no heap array when called.
    void Prendre(Box& autre) noexcept {
        IsEmpty = autre.IsEmpty;
        Dimension = autre.Dimension;
        if (autre.EstLocale()) {
            Components.Local[0] = autre.Components.Local[0];
            Components.Local[1] = autre.Components.Local[1];
        } else {
            Components.Tas = autre.Components.Tas;
            autre.Components.Local[0] = Interval();
            autre.Components.Local[1] = Interval();
            autre.IsEmpty = 1;
            autre.Dimension = 1;
        }
    }
};

// L and R become the lower and upper halves of A cut at the midpoint of component k.
inline void BisectAt(const Box& A, Box& L, Box& R, std::int32_t k) {
    const double m = A[k].Midpoint();
    L = A;
    R = A;
    L[k].SetUpper(m);
    R[k].SetLower(m);
}

inline void Bisect(const Box& A, Box& L, Box& R) {
    BisectAt(A, L, R, A.WidestComponent());
}

// The box of the single values at the midpoints of A's components; never empty.
Box Centre(const Box& A);

// The smallest box holding A and B. Components beyond B's dimension are taken from A.
Box Hull(const Box& A, const Box& B);
