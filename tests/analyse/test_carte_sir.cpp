#include "analyse/CarteSir.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(CarteSir, BestAtTheTruePointsAndEmptyWithoutPowers) {
    const Matrice2x2 A{1, 0.5, -0.4, 1};
    // 100 x 100 cells of 0.1 on [-5, 5]^2: (-0.5, 0.4) and (2.5, -2) are cell corners, so
    // the best cells are their neighbours.
    const CarteSir c = CalculerCarteSir({-5, 5, -5, 5}, 100, 100, A, {1, 1});
    ASSERT_EQ(c.Db.size(), 10000u);
    int meilleur = 0;
    for (int k = 1; k < 10000; ++k) {
        EXPECT_TRUE(c.Db[k] >= 0 || c.Db[k] == -INFINITY);
        meilleur = c.Db[k] > c.Db[meilleur] ? k : meilleur;
    }
    const double x = -5 + (meilleur % 100 + 0.5) * 0.1, y = -5 + (meilleur / 100 + 0.5) * 0.1;
    EXPECT_TRUE((std::fabs(x + 0.5) < 0.1 && std::fabs(y - 0.4) < 0.1) ||
                (std::fabs(x - 2.5) < 0.1 && std::fabs(y + 2) < 0.1));
    EXPECT_GT(c.At(meilleur % 100, meilleur / 100), 30);
    EXPECT_TRUE(CalculerCarteSir({-5, 5, -5, 5}, 100, 100, A, {0, 1}).Db.empty());
    EXPECT_TRUE(CalculerCarteSir({1, 1, -5, 5}, 100, 100, A, {1, 1}).Db.empty());
}
