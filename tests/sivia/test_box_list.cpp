#include "sivia/BoxList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <vector>

namespace {

Box Marquee(double x, int dimension = 2) { // every component is [x, x + 1]
    Box b(dimension, 1);
    for (int i = 1; i <= dimension; ++i) {
        b[i] = Interval(x, x + 1);
    }
    return b;
}

std::vector<double> Contenu(const BoxList& l) { // x bounds from front to back
    std::vector<double> r;
    for (const Box& b : l) {
        r.push_back(b[1].Lower());
    }
    return r;
}

// Both bounds of every component, front to back.
std::vector<double> Bornes(const BoxList& l) {
    std::vector<double> r;
    for (const Box& b : l) {
        for (int i = 1; i <= b.Dimension; ++i) {
            r.insert(r.end(), {b[i].Lower(), b[i].Upper()});
        }
    }
    return r;
}

} // namespace

TEST(BoxList, KeepsCopiesInInsertionOrder) {
    BoxList l;
    EXPECT_TRUE(l.IsEmpty() && l.Size() == 0 && l.begin() == l.end());
    Box a = Marquee(1, 4);
    l.PushBack(a);
    a[1] = a[4] = Interval(-9); // the list holds its own copy
    l.PushBack(Marquee(2));
    l.PushBack(Marquee(3));
    EXPECT_EQ(Contenu(l), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(l.Front()[4].Upper(), 2);
    l.PopFront();
    l.PopBack();
    EXPECT_EQ(l.Front()[1].Lower() + l.Back()[1].Lower(), 4);
    l.PopBack();
    EXPECT_TRUE(l.IsEmpty());
}

TEST(BoxList, StaysInOrderAcrossBlocksAtBothEnds) {
    const std::size_t K = BoxList::BoitesParBloc;
    BoxList l;
    double attendu = 0;
    for (std::size_t i = 0; i < 5 * K; ++i) { // queue use: two out for every three in
        l.PushBack(Marquee(double(i), i % 5 == 0 ? 3 : 2));
        if (i % 3 != 0) {
            ASSERT_EQ(l.Front()[1].Lower(), attendu++);
            l.PopFront();
        }
    }
    const std::uint32_t n = l.Size();
    for (std::size_t i = 0; i < 2 * K + 8; ++i) { // out and back in over a released block
        i < K + 4 ? l.PopBack() : l.PushBack(Marquee(attendu + double(n + i) - 2 * (K + 4)));
    }
    for (std::uint32_t i = 0; i < n; ++i) {
        ASSERT_EQ(l.At(i)[1].Lower(), attendu + i) << i;
    }
    l.Clear();
    EXPECT_TRUE(l.IsEmpty() && Contenu(l).empty());
}

TEST(BoxList, HalvesAndFrontRunsAgreeWithOneBoxAtATime) {
    const std::size_t K = BoxList::BoitesParBloc;
    // Boxes held before the cut: its halves land inside a block, across two, or open one.
    for (const std::size_t avant : {std::size_t{3}, K - 1, K - 2, K}) {
        BoxList l, attendu;
        for (std::size_t i = 0; i < avant; ++i) {
            l.PushBack(Marquee(double(i)));
            attendu.PushBack(Marquee(double(i)));
        }
        for (const int k : {1, 2}) { // the front box cut in place, as the solver does
            const Box front = l.Front();
            l.AjouterMoities(l.Front(), k, 0.25 * k);
            attendu.PushBack(front);
            attendu.Back()[k].SetUpper(0.25 * k);
            attendu.PushBack(front);
            attendu.Back()[k].SetLower(0.25 * k);
        }
        ASSERT_EQ(Bornes(l), Bornes(attendu)) << avant;
        // Runs end at the end of a block; removing one equals as many PopFront.
        std::size_t retirees = 0;
        while (!l.IsEmpty()) {
            const std::span<const Box> tete = l.DebutContigu();
            ASSERT_EQ(tete.size(), std::min<std::size_t>(l.Size(), K - retirees % K)) << avant;
            ASSERT_EQ(&tete.back(), &l.At(std::uint32_t(tete.size() - 1)));
            const std::size_t n = tete.size() > 2 ? tete.size() - 2 : tete.size();
            l.RetirerAvant(n);
            for (std::size_t i = 0; i < n; ++i) {
                attendu.PopFront();
            }
            retirees += n;
            ASSERT_EQ(Bornes(l), Bornes(attendu)) << avant << " " << retirees;
        }
        EXPECT_TRUE(l.DebutContigu().empty());
    }
}
