#include "analyse/PointsVrais.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Texte(const std::optional<PointPlan>& p) {
    std::string t = "-";
    if (p) {
        t.assign("(").append(std::to_string(p->x)).append(",");
        t.append(std::to_string(p->y)).append(")");
    }
    return t;
}

} // namespace

TEST(PointsVrais, EachPointOnlyWhereItIsDefined) {
    const struct {
        Matrice2x2 A;
        const char *direct, *permute;
    } cas[] = {
        {{1, 0.5, -0.4, 1}, "(-0.500000,0.400000)", "(2.500000,-2.000000)"},
        {{1, 0.5, -0.4, 0}, "-", "(2.500000,-0.000000)"},
        {{2, 0, 1, 1}, "(-0.000000,-0.500000)", "-"},
        {{1, 0, 0, 1}, "(-0.000000,-0.000000)", "-"},
        {{1e-300, 1, 1e300, 1}, "-", "(-0.000000,-1.000000)"}, // y* overflows
    };
    for (const auto& c : cas) {
        const PointsVrais p = CalculerPointsVrais(c.A);
        EXPECT_EQ(Texte(p.Direct), c.direct);
        EXPECT_EQ(Texte(p.Permute), c.permute);
    }
}
