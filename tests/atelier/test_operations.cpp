// The workbench's operations as the window, the file menu and the Options dialog call them:
// each compared with the computation it stands for, and each stop or refusal changing nothing.
#include "atelier/Atelier.h"
#include "fichiers/ErreurFichier.h"
#include "signal/Alea.h"
#include "sivia/Retards.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

class Operations : public ::testing::Test {
protected:
    void SetUp() override {
        BoitesSolution.Clear();
        Alea().Initialiser(20261208);
        a.Annonces.Ecouter([this](unsigned c) { Entendus.push_back(c); });
    }
    void TearDown() override { BoitesSolution.Clear(); }

    // Two known sources mixed by a known matrix over N samples.
    void Melanges(std::int32_t n) {
        a.ReglagesCourants.NbEchantillons = n;
        a.Source1.resize(std::size_t(n));
        a.Source2.resize(std::size_t(n));
        for (std::size_t i = 0; i < a.Source1.size(); ++i) {
            a.Source1[i] = std::sin(0.37 * double(i));
            a.Source2[i] = double(i % 13) / 6.0 - 1.0;
        }
        a.MatriceMelange = {1, 0.6, -0.3, 1};
        ASSERT_TRUE(a.Melanger());
        Entendus.clear();
    }

    Atelier a;
    std::vector<unsigned> Entendus;
};

} // namespace

TEST_F(Operations, GenererSourceDrawsFromTheSharedGeneratorAndAStopChangesNothing) {
    struct Cas {
        int k;
        TypeSource type;
        std::int32_t n;
    };
    // Long enough for the progress to be asked (between stretches of samples).
    for (const Cas c : {Cas{1, TypeSource::BruitBlancGaussien, 270000},
                        Cas{2, TypeSource::BruitColoreGaussien, 300000},
                        Cas{2, TypeSource::DentDeScie, 280000}}) {
        SCOPED_TRACE(c.k);
        a.ReglagesCourants.NbEchantillons = c.n;
        std::vector<double>& source = c.k == 1 ? a.Source1 : a.Source2;
        const std::vector<double>& autre = c.k == 1 ? a.Source2 : a.Source1;
        const std::vector<double> autreAvant = autre;
        const std::uint64_t etat = Alea().EtatCourant();
        Entendus.clear();

        EXPECT_FALSE(a.GenererSource(c.k, c.type, [](double) { return false; }));
        EXPECT_EQ(Alea().EtatCourant(), etat);
        EXPECT_TRUE(Entendus.empty());

        ASSERT_TRUE(a.GenererSource(c.k, c.type));
        GenerateurAleatoire meme;
        meme.FixerEtat(etat);
        std::vector<double> attendue;
        GenererSource(c.type, c.n, a.PasEchantillonnage, meme, attendue);
        EXPECT_EQ(source, attendue);
        EXPECT_EQ(Alea().EtatCourant(), meme.EtatCourant());
        EXPECT_EQ(autre, autreAvant);
        const OrigineSignal& o = c.k == 1 ? a.OrigineSource1 : a.OrigineSource2;
        EXPECT_EQ(o.sorte, OrigineSignal::Sorte::Generee);
        EXPECT_EQ(o.Type, c.type);
        EXPECT_EQ(o.N, c.n);
        EXPECT_EQ(o.EtatAlea, etat) << "the state before the draws rebuilds the source";
        EXPECT_EQ(Entendus,
                  std::vector<unsigned>{c.k == 1 ? ChangementSource1 : ChangementSource2});
    }
}

TEST_F(Operations, ASourceReadSetsNToTheShorterSource) {
    struct Cas {
        std::size_t n1, n2;
        std::int32_t N;
    };
    for (const Cas c : {Cas{400, 0, 400}, Cas{0, 250, 250}, Cas{400, 250, 250}, Cas{90, 300, 90}}) {
        Atelier b;
        if (c.n1 > 0) {
            b.PoserSourceLue(1, {std::vector<double>(c.n1, 0.5), {}, 8000});
        }
        if (c.n2 > 0) {
            b.PoserSourceLue(2, {std::vector<double>(c.n2, 0.25), {}, 16000});
        }
        EXPECT_EQ(b.ReglagesCourants.NbEchantillons, c.N) << c.n1 << " " << c.n2;
    }
    a.PoserSourceLue(
        2, {{1, 2, 3}, {OrigineSignal::Sorte::Fichier, {}, 0, 0, "v.wav", 1}, 44100, "droite"});
    EXPECT_EQ(a.Source2, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(a.OrigineSource2.Chemin, "v.wav");
    EXPECT_EQ(a.FrequenceSource2, 44100);
    EXPECT_EQ(a.NomCanalSource2, "droite");
    EXPECT_EQ(Entendus, std::vector<unsigned>{ChangementSource2});
}

TEST_F(Operations, MixturesReadMakeTheSourcesAndTheMatrixUnknown) {
    Melanges(200);
    ::Melanges lus = GenererMelanges(a.Source2, a.Source1, {1, 2, 3, 4}, 150, a.PasEchantillonnage);
    const std::vector<double> x1 = lus.Melange1;
    a.TextesMatrice = {"1", "0,6", "-0,3", "1"};
    a.PoserMelangesLus(std::move(lus), {RecetteMelanges::Sorte::Lues, {}, {}, {}, 0}, 22050);
    EXPECT_EQ(a.MelangesCourants.Melange1, x1);
    EXPECT_TRUE(a.Source1.empty());
    EXPECT_TRUE(a.Source2.empty());
    EXPECT_FALSE(a.MatriceMelange.EstConnue());
    EXPECT_EQ(a.TextesMatrice, (std::array<std::string, 4>{})) << "the editor shows no matrix";
    EXPECT_TRUE(a.MelangesGeneres);
    EXPECT_EQ(a.ReglagesCourants.NbEchantillons, 150);
    EXPECT_EQ(a.FrequenceMelanges, 22050);
    EXPECT_EQ(Entendus,
              std::vector<unsigned>{ChangementSources | ChangementMelanges | ChangementMatrice});
}

TEST_F(Operations, EstimerAuPointGivesTheEstimatesOfThatPointOnlyWithMixtures) {
    EXPECT_FALSE(a.EstimerAuPoint(0.5, -0.5));
    EXPECT_TRUE(a.Estimees.SourceEstimee1.empty());
    EXPECT_TRUE(Entendus.empty());
    Melanges(500);
    for (const auto& [x, y] : {std::pair{0.6, 0.3}, std::pair{-2.0, 4.5}, std::pair{0.0, 0.0}}) {
        ASSERT_TRUE(a.EstimerAuPoint(x, y));
        const SourcesEstimees attendues =
            CalculerSourcesEstimees(x, y, a.MelangesCourants.Melange1, a.MelangesCourants.Melange2,
                                    500, a.PasEchantillonnage);
        EXPECT_EQ(a.Estimees.SourceEstimee1, attendues.SourceEstimee1);
        EXPECT_EQ(a.Estimees.SourceEstimee2, attendues.SourceEstimee2);
        EXPECT_EQ(a.Estimees.DeriveeEstimee1, attendues.DeriveeEstimee1);
        EXPECT_EQ(a.Estimees.DeriveeEstimee2, attendues.DeriveeEstimee2);
    }
    EXPECT_EQ(Entendus, std::vector<unsigned>(3, ChangementEstimees));
}

TEST_F(Operations, PreparerResolutionRefusesInTheWindowsOrderAndOtherwiseGivesTheStart) {
    using Obstacle = PreparationResolution::Obstacle;
    struct Cas {
        const char* quoi;
        bool melanges;
        double precision;
        bool retardee;
        const char* retards;
        Obstacle attendu;
        bool uneContrainte = false; // nothing is rejected: the kept boxes must fit
    };
    const Cas cas[] = {
        {"no mixtures before bad settings", false, 0, false, "1", Obstacle::MelangesInconnus},
        {"settings", true, 0, false, "1", Obstacle::Reglages},
        {"settings before delays", true, -1, true, "x", Obstacle::Reglages},
        {"delays", true, 0.01, true, "1,x", Obstacle::Retards},
        {"delays beyond N/2", true, 0.01, true, "1,400", Obstacle::Retards},
        {"memory", true, 1e-9, false, "1", Obstacle::Memoire, true},
        {"fine with two constraints", true, 1e-9, false, "1", Obstacle::Aucun},
        {"plain", true, 0.01, false, "x", Obstacle::Aucun},
        {"with delays", true, 0.01, true, "1,3", Obstacle::Aucun},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        Atelier b;
        b.ReglagesCourants.NbEchantillons = 600;
        b.ReglagesCourants.BorneInfX = -2;
        b.ReglagesCourants.BorneSupY = 3;
        b.ReglagesCourants.ContrainteMomentOrdre4 = true;
        if (c.melanges) {
            b.Source1.assign(600, 0);
            b.Source2.assign(600, 0);
            for (std::size_t i = 0; i < 600; ++i) {
                b.Source1[i] = std::cos(0.1 * double(i * i % 97));
                b.Source2[i] = double(i % 5) - 2;
            }
            b.MatriceMelange = {1, 0.4, 0.2, 1};
            ASSERT_TRUE(b.Melanger());
        }
        b.ReglagesCourants.PrecisionSivia = c.precision;
        b.ReglagesCourants.ContrainteDecorrelationRetardee = c.retardee;
        b.ReglagesCourants.Retards = c.retards;
        b.ReglagesCourants.ContrainteDecorrelation = !c.uneContrainte;
        b.ReglagesCourants.ContrainteDecorrelationDerivees = !c.uneContrainte;
        const PreparationResolution p = b.PreparerResolution();
        EXPECT_EQ(p.obstacle, c.attendu);
        EXPECT_EQ(p.Message.empty(),
                  c.attendu == Obstacle::Aucun || c.attendu == Obstacle::MelangesInconnus);
        if (c.attendu != Obstacle::Aucun) {
            continue;
        }
        EXPECT_EQ(p.Boite[1].Lower(), -2);
        EXPECT_EQ(p.Boite[1].Upper(), 5);
        EXPECT_EQ(p.Boite[2].Lower(), -5);
        EXPECT_EQ(p.Boite[2].Upper(), 3);
        EXPECT_TRUE(p.Contraintes.ContrainteMomentOrdre4);
        EXPECT_EQ(p.Contraintes.ContrainteDecorrelationRetardee, c.retardee);
        EXPECT_EQ(std::memcmp(&p.Moments, &b.Moments(), sizeof p.Moments), 0);
        const MomentsRetardes attendus =
            c.retardee ? CalculerMomentsRetardes(b.MelangesCourants.Melange1,
                                                 b.MelangesCourants.Melange2, {1, 3})
                       : MomentsRetardes{};
        EXPECT_EQ(p.Retardes.Retards, attendus.Retards);
        EXPECT_EQ(p.Retardes.R12, attendus.R12);
        EXPECT_EQ(p.Retardes.Retards.size(), c.retardee ? 2u : 0u);
    }
}

TEST_F(Operations, ASessionSavedAndOpenedGivesTheSameWorkbenchAndAFailureChangesNothing) {
    const auto dossier = std::filesystem::temp_directory_path() /
                         ("ovrel_atelier_" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(dossier);
    ASSERT_TRUE(a.GenererSource(1, TypeSource::BruitDeLaplace));
    ASSERT_TRUE(a.GenererSource(2, TypeSource::Sinus));
    a.MatriceMelange = {1, -0.7, 0.45, 1};
    a.ReglagesCourants.NbEchantillons = 4000;
    ASSERT_TRUE(a.Melanger());
    Reglages r = a.ReglagesCourants;
    r.BorneInfY = -3.5;
    r.PrecisionSivia = 0.02;
    r.Stockage = StockagePile;
    r.ContrainteDecorrelationDerivees = false;
    r.EstimationAuClic = true;
    a.AdopterReglages(r);
    a.TextesMatrice = {"1", "-0,7", "0,45", "1"};
    a.EnregistrerSession(dossier / "s.json");
    const std::uint64_t etat = Alea().EtatCourant();
    std::ofstream(dossier / "casse.json") << "{\"format\": \"ovrel5-session\", \"sources\": 3}";

    Alea().Initialiser(7);
    Atelier b;
    std::vector<unsigned> entendus;
    b.Annonces.Ecouter([&](unsigned c) { entendus.push_back(c); });
    b.ReglagesCourants.NbEchantillons = 123;
    // A broken file, a stop: nothing changes, nothing is announced.
    EXPECT_THROW(b.OuvrirSession(dossier / "casse.json"), ErreurFichier);
    EXPECT_THROW(b.OuvrirSession(dossier / "s.json", [](double) { return false; }),
                 ArretUtilisateur);
    EXPECT_EQ(b.ReglagesCourants.NbEchantillons, 123);
    EXPECT_TRUE(b.Source1.empty());
    EXPECT_FALSE(b.MelangesGeneres);
    EXPECT_TRUE(entendus.empty());

    const Session s = b.OuvrirSession(dossier / "s.json");
    EXPECT_EQ(s.TextesMatrice[1], "-0,7");
    EXPECT_EQ(b.TextesMatrice, a.TextesMatrice);
    EXPECT_EQ(b.Source1, a.Source1);
    EXPECT_EQ(b.Source2, a.Source2);
    EXPECT_EQ(b.MelangesCourants.Melange2, a.MelangesCourants.Melange2);
    EXPECT_EQ(std::memcmp(&b.Moments(), &a.Moments(), sizeof(MomentsMelanges)), 0);
    EXPECT_TRUE(b.MelangesGeneres);
    EXPECT_EQ(b.MatriceMelange.a12, -0.7);
    EXPECT_EQ(EnregistrerReglages(b.ReglagesCourants), EnregistrerReglages(a.ReglagesCourants));
    EXPECT_EQ(Alea().EtatCourant(), etat);
    EXPECT_EQ(entendus, std::vector<unsigned>{ChangementSources | ChangementMelanges |
                                              ChangementMatrice | ChangementReglages});
    std::filesystem::remove_all(dossier);
}
