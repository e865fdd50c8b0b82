#include "display/Graduations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Textes(const Graduations& g) {
    std::vector<std::string> t;
    for (const Graduations::Trait& trait : g.Traits) {
        t.push_back(g.Texte(trait.Valeur));
    }
    return t;
}

} // namespace

TEST(Graduations, WorkedRangesGiveRoundStepsAndShortLabels) {
    const struct {
        double bas, haut, longueur;
        std::vector<std::string> textes;
    } cas[] = {
        {-5, 5, 600, {"-4", "-2", "0", "2", "4"}},
        {0.1, 0.36, 500, {"0.10", "0.15", "0.20", "0.25", "0.30", "0.35"}},
        {-2e-9, 2e-9, 400, {"-2e-09", "-1e-09", "0", "1e-09", "2e-09"}},
        {1e9,
         1e9 + 1e-3,
         500,
         {"1.0000000000000e+09", "1.0000000000002e+09", "1.0000000000004e+09",
          "1.0000000000006e+09", "1.0000000000008e+09", "1.0000000000010e+09"}},
        {3, 3, 500, {}},        // an empty range
        {5, -5, 500, {}},       // a reversed one
        {0, INFINITY, 500, {}}, // not finite
    };
    for (const auto& c : cas) {
        EXPECT_EQ(Textes(Graduer(c.bas, c.haut, c.longueur, 90)), c.textes) << c.bas;
    }
}

// The view at every zoom from 1e-15 to 1e15 pixels per unit (in steps of sqrt(10)) centred
// anywhere from 0 to ±1e300, over a short and a long axis: the ticks are few, inside the
// range, run the same way as their positions, and their labels tell them apart in the same
// order, each naming its own value; wherever doubles resolve the range, there are at least two
// of them.
TEST(Graduations, AnyZoomAndOffsetGivesOrderedDistinctLabels) {
    int vues = 0, avecTraits = 0;
    for (double zoom = 1e-15; zoom <= 1.1e15; zoom *= std::sqrt(10.0)) {
        for (const double centre : {0.0, 1.0, -1234.5, 1e9, -3e15, 1e100, 1e300, -1e300}) {
            for (const double longueur : {120.0, 1199.0}) {
                const double bas = centre - longueur / 2 / zoom;
                const double haut = centre + longueur / 2 / zoom;
                const Graduations g = Graduer(bas, haut, longueur, 90);
                ++vues;
                const std::string ici = "zoom " + std::to_string(zoom) + " centre " +
                                        std::to_string(centre) + " longueur " +
                                        std::to_string(longueur);
                ASSERT_LE(g.Traits.size(), std::size_t(Graduations::MaxGraduations)) << ici;
                const double grand = std::max(std::fabs(bas), std::fabs(haut));
                if (std::isfinite(haut - bas) && haut - bas > grand * 1e-12) {
                    EXPECT_GE(g.Traits.size(), 2u) << ici;
                }
                avecTraits += !g.Traits.empty();
                double valeurPrecedente = -INFINITY, lue = -INFINITY, position = -1;
                for (const Graduations::Trait& t : g.Traits) {
                    const std::string texte = g.Texte(t.Valeur);
                    const double valeur = std::strtod(texte.c_str(), nullptr);
                    EXPECT_TRUE(t.Valeur >= bas && t.Valeur <= haut) << ici;
                    EXPECT_GT(t.Valeur, valeurPrecedente) << ici;
                    EXPECT_GT(valeur, lue) << ici << ": " << texte;
                    EXPECT_LE(std::fabs(valeur - t.Valeur), g.Pas / 2) << ici << ": " << texte;
                    EXPECT_LE(texte.size(), 24u) << texte;
                    // The position is the value's, and consecutive ticks are at least one
                    // requested gap apart, unless that would leave fewer than two.
                    EXPECT_TRUE(t.Position >= 0 && t.Position <= longueur) << ici;
                    EXPECT_NEAR(t.Position,
                                (t.Valeur / 2 - bas / 2) / (haut / 2 - bas / 2) * longueur,
                                1e-6 * longueur)
                        << ici;
                    EXPECT_TRUE(position < 0 || t.Position - position > 89.9 ||
                                g.Traits.size() <= 3)
                        << ici;
                    valeurPrecedente = t.Valeur;
                    lue = valeur;
                    position = t.Position;
                }
            }
        }
    }
    EXPECT_EQ(vues, 61 * 8 * 2);
    EXPECT_GT(avecTraits, vues / 2);
}
