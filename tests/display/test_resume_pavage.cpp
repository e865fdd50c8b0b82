// The summary that bounds the paint of many boxes: its exact path gives the picture of the
// whole lists, its sampled path the picture of one pixel per summary cell.
#include "display/ResumePavage.h"
#include "sivia/BoxList.h"
#include "support/AideIntervalles.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

namespace {

// Small and large random boxes over [0, 8]^2 in the three lists, a few of them not finite.
struct Listes {
    BoxList enAttente, rejetees, solution;

    explicit Listes(unsigned graine, int n = 3000) {
        std::mt19937 alea(graine);
        std::uniform_real_distribution<double> position(0.0, 8.0), taille(0.0, 0.3);
        BoxList* cibles[3] = {&enAttente, &rejetees, &solution};
        for (int i = 0; i < n; ++i) {
            const double x = position(alea), y = position(alea);
            const double w = i % 97 == 0 ? 3.0 : taille(alea), h = taille(alea);
            cibles[i % 7 == 0 ? 0 : i % 2 + 1]->PushBack(Pave(x, x + w, y, y + h));
        }
        rejetees.PushBack(Pave(1, std::numeric_limits<double>::infinity(), 1, 2));
    }
};

std::vector<std::uint8_t> Image(ResumePavage& r, const Listes& l, const ProjectionPavage& p, int w,
                                int h, bool* exacte = nullptr) {
    TramePavage t;
    t.Preparer(w, h);
    const bool e = r.Tramer(t, p, l.enAttente, l.rejetees, l.solution);
    if (exacte) {
        *exacte = e;
    }
    return t.Pixels();
}

ProjectionPavage Projection(double ax, double bx, double ay, double by) {
    ProjectionPavage p;
    p.ax = ax, p.bx = bx, p.ay = ay, p.by = by;
    p.separable = p.visible = true;
    return p;
}

} // namespace

TEST(ResumePavage, ExactPathGivesThePictureOfTheWholeLists) {
    const Listes l(5);
    ResumePavage direct;                     // below its threshold: every box, in order
    ResumePavage resume(100, 1'000'000, 64); // summary with room for every box in sight
    const ProjectionPavage vues[] = {
        Projection(10, 0, 10, 0),       // the whole hull
        Projection(60, -150, 60, -200), // zoomed in on part of it
        Projection(-45, 300, 45, -20),  // mirrored
        Projection(10, 500, 10, 0),     // off the hull: nothing
    };
    for (const ProjectionPavage& p : vues) {
        bool exacte = false;
        const auto attendu = Image(direct, l, p, 90, 70);
        EXPECT_EQ(Image(resume, l, p, 90, 70, &exacte), attendu) << p.ax << " " << p.bx;
        EXPECT_TRUE(exacte);
        EXPECT_TRUE(resume.Construit());
    }
    EXPECT_FALSE(direct.Construit());
}

// Boxes larger than a summary cell are drawn there as the view draws them; a smaller one
// lights the cell of its lower corner in its outline's colour.
TEST(ResumePavage, TooManyBoxesInSightAreReadFromTheSummaryRaster) {
    Listes l(8, 0);
    l.rejetees.Clear();
    l.rejetees.PushBack(Pave(2.01, 2.02, 3.01, 3.02)); // within cell (16, 24) of the 64 below
    std::mt19937 alea(8);
    std::uniform_real_distribution<double> position(0.0, 6.0), taille(0.2, 2.0);
    for (int i = 0; i < 2000; ++i) {
        const double x = position(alea), y = position(alea);
        (i % 3 ? l.solution : l.rejetees).PushBack(Pave(x, x + taille(alea), y, y + taille(alea)));
    }
    l.solution.PushBack(Pave(0, 8, 0, 8)); // the hull the summary frames: one cell is 1/8
    const ProjectionPavage p = Projection(8, 0, 8, 0);
    ResumePavage resume(100, 10, 64);
    bool exacte = true;
    auto image = Image(resume, l, p, 64, 64, &exacte);
    EXPECT_FALSE(exacte);
    EXPECT_EQ(image[24 * 64 + 16], Noire);
    l.rejetees.PopFront();
    image = Image(resume, l, p, 64, 64);
    ResumePavage direct;
    EXPECT_EQ(image, Image(direct, l, p, 64, 64));
    EXPECT_GT(resume.Octets(), 64u * 64u);
}

TEST(ResumePavage, NewContentOfTheListsIsSummarisedAgain) {
    Listes l(11);
    ResumePavage resume(100, 1'000'000, 32);
    ResumePavage direct;
    const ProjectionPavage p = Projection(12, 2, 12, 1);
    EXPECT_EQ(Image(resume, l, p, 100, 100), Image(direct, l, p, 100, 100));
    l.solution.PushBack(Pave(-1, 9, -1, 9));
    l.rejetees.Clear();
    EXPECT_EQ(Image(resume, l, p, 100, 100), Image(direct, l, p, 100, 100));
    // Few boxes again: the summary is let go.
    l.solution.Clear();
    l.enAttente.Clear();
    Image(resume, l, p, 100, 100);
    EXPECT_FALSE(resume.Construit());
}
