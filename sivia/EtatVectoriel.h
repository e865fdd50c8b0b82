// Vector-register hygiene for the solver's loops. Code built for AVX elsewhere in the process
// (an image library's fills, for instance) can leave the upper halves of the vector registers
// dirty; on many x86 processors every SSE instruction of our (non-AVX) arithmetic then pays
// for that state, which made a small solve 2.5 times slower in a process that had filled one
// image. EffacerMoitiesHautes clears it (VZEROUPPER) where the processor has AVX, and does
// nothing elsewhere, nor in a build for AVX (its VEX code does not pay, and the compiler may
// keep whole registers live): the solver calls it before each slice and after each drawing call.
#pragma once

// True where the processor has AVX (VZEROUPPER exists), computed once.
bool AvxDisponible();

inline void EffacerMoitiesHautes(bool avx) {
#if defined(__x86_64__) && !defined(__AVX__) && (defined(__GNUC__) || defined(__clang__))
    if (avx) {
        asm volatile("vzeroupper");
    }
#else
    (void)avx;
#endif
}
