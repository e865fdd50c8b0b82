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
                                int h, EtatTrame* etat = nullptr) {
    TramePavage t;
    t.Preparer(w, h);
    const EtatTrame e = r.Tramer(t, p, l.enAttente, l.rejetees, l.solution);
    if (etat) {
        *etat = e;
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
        EtatTrame etat = EtatTrame::Partielle;
        const auto attendu = Image(direct, l, p, 90, 70);
        EXPECT_EQ(Image(resume, l, p, 90, 70, &etat), attendu) << p.ax << " " << p.bx;
        EXPECT_EQ(etat, EtatTrame::Exacte);
        EXPECT_TRUE(resume.Construit());
    }
    EXPECT_FALSE(direct.Construit());
}

// Boxes larger than a summary cell are drawn there as the view draws them; a smaller one
// lights the cell of its lower corner in its outline's colour.
TEST(ResumePavage, TooManyBoxesInSightAreReadFromTheSummaryRaster) {
    Listes l(8, 0);
    l.rejetees.Clear();
    l.solution.PushBack(Pave(2.01, 2.02, 3.01, 3.02)); // within cell (16, 24) of the 64 below
    std::mt19937 alea(8);
    std::uniform_real_distribution<double> position(0.0, 6.0), taille(0.2, 2.0);
    for (int i = 0; i < 2000; ++i) {
        const double x = position(alea), y = position(alea);
        (i % 3 ? l.solution : l.rejetees).PushBack(Pave(x, x + taille(alea), y, y + taille(alea)));
    }
    l.rejetees.PushBack(Pave(0, 8, 0, 8)); // the hull the summary frames: one cell is 1/8
    const ProjectionPavage p = Projection(8, 0, 8, 0);
    ResumePavage resume(100, 10, 64);
    EtatTrame etat = EtatTrame::Exacte;
    auto image = Image(resume, l, p, 64, 64, &etat);
    EXPECT_EQ(etat, EtatTrame::Echantillonnee);
    EXPECT_EQ(image[24 * 64 + 16], Blanche);
    l.solution.PopFront();
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

// The summary follows lists that grow as a solve fills them, a few boxes at a time, with a
// frame hint that the boxes then outgrow: while behind, a paint says so; painting again
// brings it up to date, with the picture of a summary built at once over the whole lists
// (and, on the exact path, the picture of every box). For the paving panel's three lists
// and for the analysis window's two layers (outlines first, from eight pixels, from an
// offset).
TEST(ResumePavage, FedWhileTheListsGrowItEndsWithThePictureOfTheWholeLists) {
    Listes tout(21, 4000);
    tout.solution.PushBack(Pave(10, 10.5, 8.5, 8.7)); // last, and outside what came before
    const Box cadre = Pave(2, 4, 2, 4);
    const auto couches = [](const Listes& l, bool analyse) {
        std::vector<CouchePavage> c =
            ResumePavage::CouchesPanneau(l.enAttente, l.rejetees, l.solution);
        if (analyse) {
            c = {c[0], c[2]}; // kept, rejected
            c[0].Premiere = 40;
            for (CouchePavage& k : c) {
                k.Contour = Noire;
                k.ContourDAbord = true;
                k.ContourDes = 8;
            }
        }
        return c;
    };
    const auto image = [](ResumePavage& r, const std::vector<CouchePavage>& c,
                          const ProjectionPavage& p, EtatTrame& etat) {
        TramePavage t;
        t.Preparer(90, 70);
        etat = r.Tramer(t, p, c);
        return t.Pixels();
    };
    struct Cas {
        bool analyse;
        std::uint64_t budget;
        ProjectionPavage p;
        EtatTrame attendu;
    };
    const Cas cas[] = {
        {false, 1'000'000, Projection(60, -150, 60, -200), EtatTrame::Exacte},
        {false, 10, Projection(8, 0, 8, 0), EtatTrame::Echantillonnee},
        {true, 1'000'000, Projection(11, 0, 11, 0), EtatTrame::Exacte},
        {true, 1'000'000, Projection(90, -500, 90, -300), EtatTrame::Exacte},
        {true, 10, Projection(8, 0, 8, 0), EtatTrame::Echantillonnee},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(testing::Message() << c.analyse << " " << c.budget << " " << c.p.ax);
        Listes l(0, 0);
        l.rejetees.Clear();
        ResumePavage suivi(100, c.budget, 64, 50);
        const BoxList* de[3] = {&tout.enAttente, &tout.rejetees, &tout.solution};
        BoxList* vers[3] = {&l.enAttente, &l.rejetees, &l.solution};
        // The last 200 boxes come after the last step: more than a paint summarises.
        const std::uint32_t fin[3] = {de[0]->Size(), de[1]->Size(), de[2]->Size() - 200};
        for (bool reste = true; reste;) {
            reste = false;
            for (int k = 0; k < 3; ++k) {
                for (int n = 0; n < 10 && vers[k]->Size() < fin[k]; ++n) {
                    vers[k]->PushBack(de[k]->At(vers[k]->Size()));
                }
                reste = reste || vers[k]->Size() < fin[k];
            }
            suivi.Suivre(couches(l, c.analyse), 50, &cadre);
        }
        while (l.solution.Size() < tout.solution.Size()) {
            l.solution.PushBack(tout.solution.At(l.solution.Size()));
        }
        const std::vector<CouchePavage> finales = couches(l, c.analyse);
        EtatTrame etat;
        std::vector<std::uint8_t> vu = image(suivi, finales, c.p, etat);
        EXPECT_EQ(etat, EtatTrame::Partielle);
        for (int n = 0; n < 10'000 && etat == EtatTrame::Partielle; ++n) {
            vu = image(suivi, finales, c.p, etat);
        }
        EXPECT_EQ(etat, c.attendu);

        ResumePavage demblee(100, c.budget, 64, 1'000'000);
        EXPECT_TRUE(demblee.Suivre(finales, 1'000'000, &cadre));
        EtatTrame e;
        EXPECT_EQ(vu, image(demblee, finales, c.p, e));
        if (c.attendu == EtatTrame::Exacte) {
            ResumePavage direct;
            EXPECT_EQ(vu, image(direct, finales, c.p, e));
        }
    }
}

// Boxes larger than a summary cell but smaller than the view's pixels show their outlines
// there, as box by box, not their fill: the sampled path reads the raster of about the view's
// resolution. Kept boxes of side 0.2 tile [0, 8]^2 in bisection-like order, the summary has
// cells of 1/8, and the view pixels of 1 down to 0.4 (the boxes at most half a pixel).
TEST(ResumePavage, TheSampledPictureOfBoxesSmallerThanAPixelIsTheBoxByBoxOne) {
    Listes l(0, 0);
    l.rejetees.Clear();
    for (int bloc = 0; bloc < 4; ++bloc) {
        for (int i = 0; i < 20; ++i) {
            for (int j = 0; j < 20; ++j) {
                const double x = (bloc % 2) * 4 + i * 0.2, y = (bloc / 2) * 4 + j * 0.2;
                l.solution.PushBack(Pave(x, x + 0.2, y, y + 0.2));
            }
        }
    }
    for (const double parUnite : {1.0, 1.5, 2.0, 2.5}) {
        const ProjectionPavage p = Projection(parUnite, 0, parUnite, 0);
        const int cote = int(8 * parUnite);
        ResumePavage resume(100, 10, 64);
        ResumePavage direct;
        EtatTrame etat = EtatTrame::Exacte;
        const auto vu = Image(resume, l, p, cote, cote, &etat);
        const auto attendu = Image(direct, l, p, cote, cote);
        EXPECT_EQ(etat, EtatTrame::Echantillonnee);
        int differents = 0;
        for (std::size_t k = 0; k < vu.size(); ++k) {
            differents += vu[k] != attendu[k];
        }
        EXPECT_LE(differents, int(vu.size()) / 50) << parUnite << " pixels per unit";
    }
}

// A paint that reaches its budget keeps its picture and says Partielle; the next paints of the
// same lists in the same view go on from there and end with the picture of a paint in one go,
// on each path (every box, the runs in sight, the sampled rasters after a pending layer). A
// view that moved, or lists that changed, in between start the picture again.
TEST(ResumePavage, APaintStoppedOnItsBudgetGoesOnAndEndsWithTheWholePicture) {
    struct Cas {
        std::uint64_t seuil, budget;
        ProjectionPavage p, ensuite; // the view of the first paint, then of the next ones
        bool oterPremiere;           // the first rejected box goes after the first paint
        EtatTrame attendu;
    };
    const ProjectionPavage entiere = Projection(10, 0, 10, 0);
    const Cas cas[] = {
        {1'000'000, 1'000'000, entiere, entiere, false, EtatTrame::Exacte},
        {1'000'000, 1'000'000, entiere, Projection(-14, 120, 14, -10), false, EtatTrame::Exacte},
        {1'000'000, 1'000'000, entiere, entiere, true, EtatTrame::Exacte},
        {100, 1'000'000, Projection(60, -150, 60, -200), Projection(60, -150, 60, -200), false,
         EtatTrame::Exacte},
        {100, 1'000'000, entiere, entiere, true, EtatTrame::Exacte},
        {100, 600, entiere, entiere, false, EtatTrame::Echantillonnee},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(testing::Message() << c.seuil << " " << c.budget << " " << c.ensuite.ax);
        Listes l(5);
        ResumePavage parPas(c.seuil, c.budget, 64, 1'000'000, 100);
        EtatTrame etat;
        const auto premiere = Image(parPas, l, c.p, 90, 70, &etat);
        EXPECT_EQ(etat, EtatTrame::Partielle);
        EXPECT_TRUE(parPas.PeintureEnCours());
        if (c.oterPremiere) {
            l.rejetees.PopFront();
        }
        int peintures = 1;
        std::vector<std::uint8_t> vu = premiere;
        while (etat == EtatTrame::Partielle && peintures < 1000) {
            vu = Image(parPas, l, c.ensuite, 90, 70, &etat);
            ++peintures;
        }
        EXPECT_EQ(etat, c.attendu);
        EXPECT_FALSE(parPas.PeintureEnCours());
        EXPECT_GT(peintures, 3);
        EXPECT_NE(vu, premiere);
        ResumePavage demblee(c.seuil, c.budget, 64, 1'000'000, 1'000'000);
        EtatTrame e;
        EXPECT_EQ(vu, Image(demblee, l, c.ensuite, 90, 70, &e));
        EXPECT_EQ(e, c.attendu);
    }
}

// A layer that asks for it shows each box narrower or flatter than a pixel as one pixel about
// its centre, in its fill, whatever the side the projection turns it to; larger boxes keep
// their size.
TEST(ResumePavage, BoxesOfALayerWidenedToAPixelNeverVanish) {
    struct Cas {
        double x0, x1, y0, y1; // in pixels at one pixel per unit
        double ax;             // 1, or -1 mirrored about x = 50
        int i, j;              // a pixel its widened fill lights
        int sans, avec;        // pixels of its fill, as it is and widened
    };
    const Cas cas[] = {
        {20.3, 20.3 + 1e-6, 10.2, 10.2 + 1e-6, 1, 20, 10, 0, 1},
        {20.3, 20.3 + 1e-6, 10.2, 10.2 + 1e-6, -1, 29, 10, 0, 1},
        {7.0, 7.0, 30.0, 33.0, 1, 6, 30, 0, 3}, // no width at all
        {12.1, 12.4, 3.2, 3.4, 1, 12, 3, 0, 1},
        {5.2, 8.2, 5.2, 7.2, 1, 5, 5, 6, 6}, // larger than a pixel: as it is
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(testing::Message() << c.x0 << " " << c.ax);
        BoxList boites;
        boites.PushBack(Pave(c.x0, c.x1, c.y0, c.y1));
        for (const bool elargir : {false, true}) {
            CouchePavage couche;
            couche.Liste = &boites;
            couche.Contour = Aucune;
            couche.AuMoinsUnPixel = elargir;
            TramePavage t;
            t.Preparer(40, 40);
            ResumePavage direct;
            direct.Tramer(t, Projection(c.ax, c.ax > 0 ? 0 : 50, 1, 0), {&couche, 1});
            int jaunes = 0;
            for (const std::uint8_t v : t.Pixels()) {
                jaunes += v == Jaune;
            }
            EXPECT_EQ(jaunes, elargir ? c.avec : c.sans) << elargir;
            if (elargir) {
                EXPECT_EQ(t.At(c.i, c.j), Jaune);
            }
        }
    }
}
