#include "analyse/Amas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>

namespace {

// "boxes:hull" per cluster, in the order returned.
std::string Resume(const std::vector<Amas>& amas) {
    std::string r;
    for (const Amas& a : amas) {
        const RectanglePlan& e = a.Enveloppe;
        r.append(r.empty() ? "" : " ").append(std::to_string(a.NbBoites)).append(":[");
        r.append(std::to_string(int(e.xmin))).append(",").append(std::to_string(int(e.xmax)));
        r.append("]x[").append(std::to_string(int(e.ymin))).append(",");
        r.append(std::to_string(int(e.ymax))).append("]").append(a.Etendu ? "E" : "");
    }
    return r;
}

// Reference: every pair compared.
std::vector<std::uint32_t> TaillesParPaires(const std::vector<RectanglePlan>& r) {
    std::vector<int> groupe(r.size());
    for (std::size_t i = 0; i < r.size(); ++i) {
        groupe[i] = int(i);
    }
    for (bool change = true; change;) {
        change = false;
        for (std::size_t i = 0; i < r.size(); ++i) {
            for (std::size_t j = 0; j < r.size(); ++j) {
                const bool touche = r[i].xmin <= r[j].xmax && r[j].xmin <= r[i].xmax &&
                                    r[i].ymin <= r[j].ymax && r[j].ymin <= r[i].ymax;
                if (touche && groupe[j] < groupe[i]) {
                    groupe[i] = groupe[j];
                    change = true;
                }
            }
        }
    }
    std::vector<std::uint32_t> tailles(r.size(), 0);
    for (int g : groupe) {
        ++tailles[g];
    }
    tailles.erase(std::remove(tailles.begin(), tailles.end(), 0u), tailles.end());
    std::sort(tailles.rbegin(), tailles.rend());
    return tailles;
}

} // namespace

TEST(Amas, ClosedRectanglesMeetAtAnEdgeOrACorner) {
    const struct {
        std::vector<RectanglePlan> boites;
        std::string attendu;
        double ecart = 0;
    } cas[] = {
        {{{0, 1, 0, 1}, {1, 2, 0, 1}}, "2:[0,2]x[0,1]"},                   // edge
        {{{0, 1, 0, 1}, {1, 2, 1, 2}}, "2:[0,2]x[0,2]"},                   // corner
        {{{0, 1, 0, 1}, {1, 2, -1, 0}}, "2:[0,2]x[-1,1]"},                 // other corner
        {{{0, 1, 0, 1}, {1.001, 2, 0, 1}}, "1:[0,1]x[0,1] 1:[1,2]x[0,1]"}, // gap
        {{{0, 1, 0, 1}, {1.5, 2, 1.5, 2}}, "2:[0,2]x[0,2]", 0.5},          // gap tolerated
        {{{0, 1, 0, 1}, {1.5, 2, 1.5, 2}}, "1:[0,1]x[0,1] 1:[1,2]x[1,2]", 0.49},
        {{{0, 1, 0, 1}, {5, 6, 5, 6}, {1, 2, 0, 1}, {7, 8, 6, 7}},
         "2:[0,2]x[0,1] 1:[5,6]x[5,6] 1:[7,8]x[6,7]"},
        // A box far larger than the others joins all it meets.
        {{{0, 1, 0, 1}, {3, 4, 0, 1}, {6, 7, 0, 1}, {1, 6, 1, 9}}, "4:[0,7]x[0,9]E"},
        {{{1e9, 1e9 + 1, 0, 1}, {-1e9, -1e9 + 1, 0, 1}, {1e9 + 1, 1e9 + 2, 1, 2}},
         "2:[1000000000,1000000002]x[0,2] 1:[-1000000000,-999999999]x[0,1]"},
        {{}, ""},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(Resume(GrouperRectangles(c.boites, 0.1, c.ecart)), c.attendu);
    }
}

TEST(Amas, AgreesWithPairwiseComparisonOnRandomPavings) {
    std::mt19937 alea(7);
    for (int essai = 0; essai < 40; ++essai) {
        // Squares of side 1 or 2 on random cells of a 24 x 24 grid, overlaps allowed.
        std::vector<RectanglePlan> r;
        const int n = 20 + essai * 5;
        for (int k = 0; k < n; ++k) {
            const double x = alea() % 24 * 0.5, y = alea() % 24 * 0.5, s = 0.5 + alea() % 2 * 0.5;
            r.push_back({x, x + s, y, y + s});
        }
        std::vector<std::uint32_t> tailles;
        for (const Amas& a : GrouperRectangles(r, 1)) {
            tailles.push_back(a.NbBoites);
        }
        EXPECT_EQ(tailles, TaillesParPaires(r)) << "essai " << essai;
    }
}

// Boxes of two sizes meet across cells of the grid: squares of side 1 and 3 (the grid's cell
// then spans several small boxes and the reach two cells), on random integer corners with
// overlaps and touching edges or corners, with and without a tolerated gap; corners on a
// quarter grid, so that one cell of the grid can hold boxes that do not meet.
TEST(Amas, MixedBoxSizesAgreeWithPairwiseComparison) {
    std::mt19937 alea(11);
    int faux = 0;
    for (int essai = 0; essai < 2000; ++essai) {
        std::vector<RectanglePlan> r;
        const int n = 5 + essai % 40, champ = 8 + essai % 17;
        for (int k = 0; k < n; ++k) {
            const double x = alea() % (4 * champ) * 0.25, y = alea() % (4 * champ) * 0.25;
            const double s = alea() % 3 == 0 ? 3 : 1;
            r.push_back({x, x + s, y, y + s});
        }
        const double ecart = essai % 4 == 3 ? 0.5 : 0;
        std::vector<RectanglePlan> elargis = r; // the gap as a wider box, for the reference
        for (RectanglePlan& b : elargis) {
            b.xmax += ecart;
            b.ymax += ecart;
        }
        std::vector<std::uint32_t> tailles;
        for (const Amas& a : GrouperRectangles(r, 1, ecart)) {
            tailles.push_back(a.NbBoites);
        }
        if (tailles != TaillesParPaires(elargis) && faux++ == 0) {
            ADD_FAILURE() << "first wrong paving: essai " << essai;
        }
    }
    EXPECT_EQ(faux, 0) << "wrong pavings of 2000";
}

TEST(Amas, HullAreaCentreAndExtentOfOneCluster) {
    // Three boxes in an L: area 3, hull 2 x 2, centre (1, 1); extended above 50 x precision.
    const std::vector<RectanglePlan> L = {{0, 1, 0, 1}, {1, 2, 0, 1}, {0, 1, 1, 2}};
    for (const auto& [precision, etendu] : {std::pair{0.04, false}, {0.039, true}}) {
        const std::vector<Amas> a = GrouperRectangles(L, precision);
        ASSERT_EQ(a.size(), 1u);
        EXPECT_EQ(a[0].Aire, 3);
        EXPECT_EQ(a[0].Centre().x, 1);
        EXPECT_EQ(a[0].Centre().y, 1);
        EXPECT_EQ(a[0].Etendu, etendu);
    }
}

// 600,000 unit boxes in three bands and a strip, in random order: the grouping of a large solve
// tells its progress, in order, from 0 to 1, and stops when asked (at the first call, in the sort,
// at the end), with nothing returned; let run, it gives the clusters it gives without progress.
TEST(Amas, ALargeGroupingTellsItsProgressAndStopsWhenAsked) {
    std::vector<RectanglePlan> r;
    for (int i = 0; i < 1000; ++i) {
        for (int j = 0; i != 300 && i != 700 && j < 600; ++j) {
            r.push_back({double(i), i + 1.0, double(j), j + 1.0});
        }
    }
    for (int j = 0; j < 600; ++j) { // a strip one box wide: held together by its column only
        r.push_back({2000, 2001, double(j), j + 1.0});
    }
    std::shuffle(r.begin(), r.end(), std::mt19937(3));
    BoxList liste;
    for (const RectanglePlan& b : r) {
        Box boite(2, 0);
        boite[1] = Interval(b.xmin, b.xmax);
        boite[2] = Interval(b.ymin, b.ymax);
        liste.PushBack(boite);
    }
    const std::string attendu =
        "239400:[301,700]x[0,600]E 180000:[0,300]x[0,600]E 179400:[701,1000]x[0,600]E "
        "600:[2000,2001]x[0,600]E";
    EXPECT_EQ(Resume(GrouperSolutions(liste, 0, 1.0)), attendu);
    for (int arret : {1, 6, 1000}) {
        std::vector<double> parts;
        const auto amas = GrouperSolutions(liste, 0, 1.0, 0, [&](double fait) {
            parts.push_back(fait);
            return int(parts.size()) < arret;
        });
        EXPECT_TRUE(std::is_sorted(parts.begin(), parts.end()));
        EXPECT_GE(parts.front(), 0.0);
        EXPECT_LE(parts.back(), 1.0);
        if (arret < 1000) {
            EXPECT_FALSE(amas.has_value());
            EXPECT_EQ(int(parts.size()), arret);
        } else {
            ASSERT_TRUE(amas.has_value());
            EXPECT_EQ(Resume(*amas), attendu);
            EXPECT_GT(parts.size(), 10u);
        }
    }
}
