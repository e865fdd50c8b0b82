#include "atelier/Atelier.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A workbench with data everywhere: sources, mixtures, estimates, a matrix, boxes.
class AtelierPlein : public ::testing::Test {
protected:
    void SetUp() override {
        BoitesRejetees.Clear();
        BoitesSolution.Clear();
        a.Source1.assign(100, 1.0);
        a.Source2.assign(100, 2.0);
        a.MelangesCourants.Melange1.assign(100, 3.0);
        a.MelangesCourants.DeriveeMelange2.assign(99, 4.0);
        a.Estimees.SourceEstimee1.assign(100, 5.0);
        a.Estimees.DeriveeEstimee2.assign(99, 6.0);
        a.MatriceMelange = {1, 0.5, -0.4, 1};
        a.TextesMatrice = {"1", "0,5", "-0,4", "1"};
        a.MelangesGeneres = true;
        a.OrigineSource1 = {OrigineSignal::Sorte::Fichier, {}, 0, 0, "voix.wav", 0};
        a.FrequenceSource1 = 16000;
        Box b(2, 1);
        for (int k = 0; k < 3; ++k) {
            BoitesRejetees.PushBack(b);
        }
        for (int k = 0; k < 5; ++k) {
            BoitesSolution.PushBack(b);
        }
        a.Annonces.Ecouter([this](unsigned c) { Entendus.push_back(c); });
    }
    void TearDown() override {
        BoitesRejetees.Clear();
        BoitesSolution.Clear();
    }

    Atelier a;
    std::vector<unsigned> Entendus;
};

} // namespace

TEST_F(AtelierPlein, OctetsTenusCountsTheArraysByCapacityAndTheStoredBoxes) {
    std::uint64_t tableaux = 0;
    for (const auto* v :
         {&a.Source1, &a.Source2, &a.MelangesCourants.Melange1, &a.MelangesCourants.DeriveeMelange2,
          &a.Estimees.SourceEstimee1, &a.Estimees.DeriveeEstimee2}) {
        tableaux += v->capacity() * sizeof(double);
    }
    EXPECT_EQ(a.OctetsTenus(), tableaux + 8 * OctetsParBoiteStockee);
}

TEST_F(AtelierPlein, ToutEffacerClearsTheSignalsAndTheMatrixAndKeepsEstimatesAndBoxes) {
    a.ToutEffacer();
    for (const auto* v : {&a.Source1, &a.Source2, &a.MelangesCourants.Melange1,
                          &a.MelangesCourants.DeriveeMelange2}) {
        EXPECT_TRUE(v->empty());
        EXPECT_EQ(v->capacity(), 0u) << "the memory is given back";
    }
    EXPECT_FALSE(a.MatriceMelange.EstConnue());
    EXPECT_EQ(a.TextesMatrice[2], "-0,4") << "the editor keeps what was typed";
    EXPECT_FALSE(a.MelangesGeneres);
    EXPECT_EQ(a.OrigineSource1.sorte, OrigineSignal::Sorte::Aucune);
    EXPECT_EQ(a.FrequenceSource1, 0.0);
    EXPECT_EQ(a.Estimees.SourceEstimee1, std::vector<double>(100, 5.0));
    EXPECT_EQ(a.Estimees.DeriveeEstimee2.size(), 99u);
    EXPECT_EQ(BoitesRejetees.Size(), 3u);
    EXPECT_EQ(BoitesSolution.Size(), 5u);
    EXPECT_EQ(Entendus, std::vector<unsigned>{ChangementSources | ChangementMelanges |
                                              ChangementMatrice | ChangementEffacement});
}

TEST_F(AtelierPlein, EffacerLePavageFreesTheBoxesOfEverySolveAndSaysHowMuch) {
    const std::uint64_t avant = a.OctetsTenus();
    EXPECT_EQ(a.EffacerPavage(), 8 * OctetsParBoiteStockee);
    EXPECT_TRUE(BoitesRejetees.IsEmpty());
    EXPECT_TRUE(BoitesSolution.IsEmpty());
    EXPECT_EQ(a.OctetsTenus(), avant - 8 * OctetsParBoiteStockee);
    EXPECT_EQ(a.Source1.size(), 100u);
    EXPECT_EQ(a.Estimees.SourceEstimee1.size(), 100u);
    EXPECT_TRUE(a.MelangesGeneres);
    EXPECT_EQ(Entendus, std::vector<unsigned>{ChangementPavage});
}

TEST(Annonceur, ListenersHearInOrderAndThoseOfTheMomentOnly) {
    Annonceur annonces;
    std::vector<int> entendus;
    const int premier = annonces.Ecouter([&](unsigned c) { entendus.push_back(int(c)); });
    annonces.Ecouter([&](unsigned c) {
        entendus.push_back(10 * int(c));
        // Added during an announcement: hears the next ones only.
        annonces.Ecouter([&](unsigned c2) { entendus.push_back(100 * int(c2)); });
    });
    annonces.Annoncer(ChangementMelanges);
    EXPECT_EQ(entendus, (std::vector<int>{2, 20}));
    annonces.Retirer(premier);
    entendus.clear();
    annonces.Annoncer(ChangementSource1);
    EXPECT_EQ(entendus, (std::vector<int>{10, 100}));
}

TEST(Atelier, MelangerMixesTheSourcesRecordsHowAndAStopChangesNothing) {
    Atelier a;
    std::vector<unsigned> entendus;
    a.Annonces.Ecouter([&](unsigned c) { entendus.push_back(c); });
    a.ReglagesCourants.NbEchantillons = 300;
    a.Source1.assign(300, 0);
    a.Source2.assign(300, 0);
    for (std::size_t i = 0; i < 300; ++i) {
        a.Source1[i] = double(i % 7) - 3;
        a.Source2[i] = double(i % 11) * 0.5;
    }
    EXPECT_FALSE(a.PeutMelanger()) << "no matrix yet";
    a.MatriceMelange = {1, 0.5, -0.4, 1};
    ASSERT_TRUE(a.PeutMelanger());

    EXPECT_FALSE(a.Melanger([](double) { return false; }));
    EXPECT_FALSE(a.MelangesGeneres);
    EXPECT_TRUE(a.MelangesCourants.Melange1.empty());
    EXPECT_TRUE(entendus.empty());

    ASSERT_TRUE(a.Melanger());
    const Melanges attendus =
        GenererMelanges(a.Source1, a.Source2, a.MatriceMelange, 300, a.PasEchantillonnage);
    EXPECT_EQ(a.MelangesCourants.Melange1, attendus.Melange1);
    EXPECT_EQ(a.MelangesCourants.DeriveeMelange2, attendus.DeriveeMelange2);
    EXPECT_EQ(a.Moments().Ex1x2, attendus.Moments.Ex1x2);
    EXPECT_TRUE(a.MelangesGeneres);
    EXPECT_EQ(a.RecetteMelangesCourante.sorte, RecetteMelanges::Sorte::Generees);
    EXPECT_EQ(a.RecetteMelangesCourante.N, 300);
    EXPECT_EQ(a.RecetteMelangesCourante.Matrice.a21, -0.4);
    EXPECT_EQ(entendus, std::vector<unsigned>{ChangementMelanges});
}
