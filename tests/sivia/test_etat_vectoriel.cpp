#include "sivia/EtatVectoriel.h"

#include <gtest/gtest.h>

#include <cstdint>
#if defined(__x86_64__) && !defined(__AVX__) && (defined(__GNUC__) || defined(__clang__))
#include <cpuid.h>
#define OVREL_ETAT_LISIBLE 1
#endif

TEST(EtatVectoriel, ClearsTheUpperHalvesThatAvxCodeLeftDirty) {
#ifdef OVREL_ETAT_LISIBLE
    // XINUSE bit 2 (XGETBV with ECX = 1): the upper halves hold something.
    const auto sales = [] {
        std::uint32_t lo, hi;
        asm volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(1));
        return (lo & 4u) != 0;
    };
    unsigned a, b, c, d;
    if (!AvxDisponible() || !__get_cpuid_count(0xd, 1, &a, &b, &c, &d) || (a & 4u) == 0) {
        GTEST_SKIP() << "no AVX, or XINUSE cannot be read";
    }
    asm volatile("vpcmpeqd %%ymm1, %%ymm1, %%ymm1" ::: "xmm1");
    ASSERT_TRUE(sales());
    EffacerMoitiesHautes(AvxDisponible());
    EXPECT_FALSE(sales());
#else
    GTEST_SKIP() << "not an x86-64 build without AVX";
#endif
}
