#include "sivia/EtatVectoriel.h"

bool AvxDisponible() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    static const bool avx = __builtin_cpu_supports("avx");
    return avx;
#else
    return false;
#endif
}
