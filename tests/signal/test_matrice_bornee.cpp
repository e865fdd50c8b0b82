// Matrix entries are bounded so that, with samples within ±1e60, the fourth-order moments of
// the mixtures stay finite; beyond the bound the mix is refused naming the entry.
#include "signal/Melange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

TEST(MatriceBornee, EntriesBeyondTheBoundAreRefusedNamingTheFirstOne) {
    const double borne = EntreeMatriceMaximale;
    const double infini = std::numeric_limits<double>::infinity();
    const struct {
        Matrice2x2 A;
        const char* refusee; // the entry named, nullptr when the matrix mixes
    } cas[] = {
        {{1, 0.5, -0.4, 1}, nullptr},     {{borne, -borne, borne, -borne}, nullptr},
        {{0, 0, 0, 1e-300}, nullptr},     {{std::nextafter(borne, infini), 0, 0, 1}, "a11"},
        {{1, -1e300, 0, 1}, "a12"},       {{1, 0, infini, 1}, "a21"},
        {{1, 0, 0, std::nan("")}, "a22"}, {{1, 0, -1e15, 1e300}, "a21"},
    };
    const std::vector<double> s1{1e60, -1e60, 3e59, 1e60}, s2{-1e60, 1e60, 1e60, -2e59};
    for (const auto& c : cas) {
        const std::string defaut = DefautMatrice(c.A);
        if (c.refusee == nullptr) {
            EXPECT_EQ(defaut, "") << c.A.a11 << " " << c.A.a12;
            // At the bound with samples at ±1e60 every mean stays a finite number.
            const Melanges m = GenererMelanges(s1, s2, c.A, 4, 0.1f);
            for (const auto& ligne : m.Moments.Moments4) {
                for (const double v : ligne) {
                    EXPECT_TRUE(std::isfinite(v)) << c.A.a11;
                }
            }
            EXPECT_TRUE(std::isfinite(m.Moments.Edx1dx1) && std::isfinite(m.Moments.Edx2dx2));
        } else {
            EXPECT_NE(defaut.find(std::string("l'entrée ") + c.refusee), std::string::npos)
                << defaut;
            EXPECT_NE(defaut.find("1e14"), std::string::npos) << defaut;
            EXPECT_THROW(GenererMelanges(s1, s2, c.A, 4, 0.1f), ErreurMatrice) << c.refusee;
        }
    }
}
