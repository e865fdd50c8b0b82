// The workbench's one analysis and its report: the settings written from the settings table,
// the analysis of the last solve only when the lists hold earlier ones, and older reports
// read in the current shape.
#include "atelier/RapportSeparation.h"
#include "fichiers/Session.h"
#include "signal/Alea.h"
#include "signal/Generateurs.h"
#include "signal/Melange.h"
#include "sivia/Sivia.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A cosine and a coloured noise mixed by [[1, 0.5], [-0.4, 1]], solved at `precision` into
// lists that may already hold other boxes.
struct Separation {
    std::vector<double> s1, s2;
    Melanges m;
    Matrice2x2 A{1, 0.5, -0.4, 1};
    BoxList enAttente, rejetees, solution;
    ResultatSivia r;

    explicit Separation(int N = 2000) {
        GenerateurAleatoire alea;
        alea.Initialiser(7);
        GenererSource(TypeSource::Cosinus, N, 0.1f, alea, s1);
        GenererSource(TypeSource::BruitColoreGaussien, N, 0.1f, alea, s2);
        m = GenererMelanges(s1, s2, A, N, 0.1f);
    }
    void Resoudre(const Reglages& R) {
        Box b(2, 1);
        b[1] = Interval(R.BorneInfX, R.BorneSupX);
        b[2] = Interval(R.BorneInfY, R.BorneSupY);
        r = ExecuterSivia(b, enAttente, rejetees, solution, nullptr, m.Moments, R.Contraintes(),
                          R.PrecisionSivia, R.Stockage, ~std::uint64_t{0} / 64, {});
    }
    DonneesAnalyse Donnees(const Reglages& R) const {
        DonneesAnalyse d;
        d.R = R;
        d.Moments = m.Moments;
        d.Resultat = r;
        d.Solution = &solution;
        d.A = A;
        d.Source1 = &s1;
        d.Source2 = &s2;
        d.Melange1 = &m.Melange1;
        d.Melange2 = &m.Melange2;
        d.N = std::int32_t(s1.size());
        return d;
    }
};

nlohmann::ordered_json Rapport(const Reglages& R, const AnalyseSeparation& a) {
    EntreesRapport e;
    e.R = R;
    e.A = {1, 0.5, -0.4, 1};
    return RapportSeparationJson(e, &a);
}

} // namespace

TEST(RapportSeparation, TheSettingsPartIsTheTableWithEveryFieldAwayFromItsDefault) {
    Reglages R;
    R.NbEchantillons = 1234;
    R.BorneInfX = -3;
    R.BorneSupX = 4;
    R.BorneInfY = -2;
    R.BorneSupY = 6;
    R.PrecisionSivia = 0.125;
    R.Stockage = StockagePile;
    R.ContrainteDecorrelation = false;
    R.ContrainteDecorrelationDerivees = false;
    R.ContrainteMomentOrdre4 = true;
    R.ContrainteDecorrelationRetardee = true;
    R.Retards = "2,7";
    R.MontrerSolution = true;
    R.EstimationAuClic = true;
    Separation s(500);
    DonneesAnalyse d = s.Donnees(R);
    d.AvecReferences = false;
    const nlohmann::ordered_json j = Rapport(R, *AnalyserSeparation(d))["reglages"];
    // Read back as a session's options, the report's settings give the same settings, and
    // name every field the table knows.
    ReglagesEnregistres lus;
    for (const auto& [cle, v] : j.items()) {
        if (v.is_boolean()) {
            lus[cle] = v.get<bool>();
        } else if (v.is_number_integer()) {
            lus[cle] = v.get<std::int64_t>();
        } else if (v.is_number()) {
            lus[cle] = v.get<double>();
        } else {
            lus[cle] = v.get<std::string>();
        }
    }
    std::vector<std::string> remarques;
    const Reglages relus = LireReglages(lus, "rapport.json", remarques);
    EXPECT_TRUE(remarques.empty()) << remarques.front();
    EXPECT_EQ(EnregistrerReglages(relus), EnregistrerReglages(R));
}

TEST(RapportSeparation, TheAnalysisTakesTheLastSolveOnlyWhenTheListsHoldEarlierOnes) {
    Reglages R;
    R.PrecisionSivia = 0.05;
    Separation seule;
    seule.Resoudre(R);
    // The same solve after one that kept every box of a small square far from the roots.
    Separation apres;
    Reglages autre = R;
    autre.BorneInfX = 3, autre.BorneSupX = 3.2, autre.BorneInfY = 3, autre.BorneSupY = 3.2;
    autre.ContrainteDecorrelation = autre.ContrainteDecorrelationDerivees = false;
    apres.Resoudre(autre);
    const std::uint32_t avant = apres.solution.Size();
    ASSERT_GT(avant, 0u);
    apres.Resoudre(R);
    const struct {
        const char* quoi;
        const Separation& s;
    } cas[] = {{"seule", seule}, {"apres une autre", apres}};
    std::vector<nlohmann::ordered_json> rapports;
    for (const auto& c : cas) {
        const std::optional<AnalyseSeparation> a = AnalyserSeparation(c.s.Donnees(R));
        ASSERT_TRUE(a) << c.quoi;
        EXPECT_EQ(a->Rapport.Amas.size(), 2u) << c.quoi;
        EXPECT_EQ(a->References.size(), 6u) << c.quoi;
        rapports.push_back(Rapport(R, *a));
        rapports.back().erase("temps");
    }
    EXPECT_EQ(rapports[0], rapports[1]);
    // A point is looked for in the boxes from the given position on.
    EXPECT_TRUE(DansUneBoite(apres.solution, {3.1, 3.1}));
    EXPECT_FALSE(DansUneBoite(apres.solution, {3.1, 3.1}, avant));
}

TEST(RapportSeparation, WithoutRoomToGroupThePavingGoesWithoutClustersAndTheReportSaysNull) {
    Reglages R;
    R.PrecisionSivia = 0.05;
    Separation s;
    s.Resoudre(R);
    DonneesAnalyse d = s.Donnees(R);
    d.MemoireLibre = std::uint64_t{s.r.NbGardees} * OctetsGroupementParBoite - 1;
    d.AvecReferences = false;
    const std::optional<AnalyseSeparation> a = AnalyserSeparation(d);
    ASSERT_TRUE(a);
    EXPECT_TRUE(a->AmasNonCalcules);
    EXPECT_TRUE(a->References.empty());
    EXPECT_TRUE(Rapport(R, *a)["amas"].is_null());
    d.MemoireLibre += 1;
    EXPECT_EQ(AnalyserSeparation(d)->Rapport.Amas.size(), 2u);
}

TEST(RapportSeparation, OlderReportsAndPavingExportsAreReadInTheCurrentShape) {
    const nlohmann::json v2 = nlohmann::json::parse(R"({"programme": "Ovrel 5",
        "format": "ovrel5-rapport", "version": 2, "entrees": {"graine": 4,
        "matrice": null, "echantillons": 800, "boite": [-4, 3, -2, 1], "precision": 0.02,
        "contraintes": ["derivees", "retards"], "retards": [1, 5], "stockage": "pile"},
        "amas": []})");
    const nlohmann::json v1 = nlohmann::json::parse(R"({"format": "ovrel5-pavage",
        "version": 1, "boite_recherche": {"x": [-4, 3], "y": [-2, 1]}, "precision": 0.02,
        "contraintes": {"decorrelation_sources": false, "decorrelation_derivees": true,
        "moment_ordre_4": true}, "comptes": {"prises": 9, "rejetees": 4, "gardees": 1,
        "meilleur_critere": 0.5, "statut": "termine"}, "reference": "connue", "amas": []})");
    const struct {
        const char* quoi;
        const nlohmann::json& ancien;
        bool moment4, retardee;
        OrdreStockage stockage;
        std::string retards;
        const char* reference;
    } cas[] = {{"version 2", v2, false, true, StockagePile, "1,5", "inconnue"},
               {"export version 1", v1, true, false, StockageFile, Reglages{}.Retards, "connue"}};
    for (const auto& c : cas) {
        const nlohmann::json j = LireRapportSeparation(c.ancien);
        EXPECT_EQ(j["format"], "ovrel5-rapport") << c.quoi;
        EXPECT_EQ(j["version"], VersionRapport) << c.quoi;
        const nlohmann::json& r = j["reglages"];
        EXPECT_EQ(r["BorneInfX"], -4) << c.quoi;
        EXPECT_EQ(r["BorneSupX"], 3) << c.quoi;
        EXPECT_EQ(r["BorneInfY"], -2) << c.quoi;
        EXPECT_EQ(r["BorneSupY"], 1) << c.quoi;
        EXPECT_EQ(r["PrecisionSivia"], 0.02) << c.quoi;
        EXPECT_EQ(r["ContrainteDecorrelation"], false) << c.quoi;
        EXPECT_EQ(r["ContrainteDecorrelationDerivees"], true) << c.quoi;
        EXPECT_EQ(r["ContrainteMomentOrdre4"], c.moment4) << c.quoi;
        EXPECT_EQ(r["ContrainteDecorrelationRetardee"], c.retardee) << c.quoi;
        EXPECT_EQ(r["Stockage"], int(c.stockage)) << c.quoi;
        EXPECT_EQ(r["Retards"], c.retards) << c.quoi;
        EXPECT_EQ(j["reference"], c.reference) << c.quoi;
        EXPECT_TRUE(j["amas"].is_array()) << c.quoi;
        // Read again, the current version stays as it is.
        EXPECT_EQ(LireRapportSeparation(j), j) << c.quoi;
    }
    EXPECT_EQ(LireRapportSeparation(v1)["resolution"]["prises"], 9);
    EXPECT_FALSE(LireRapportSeparation(v2)["entrees"].contains("boite"));
    nlohmann::json rapport1 = v2;
    rapport1["version"] = 1;
    EXPECT_EQ(LireRapportSeparation(rapport1)["reglages"], LireRapportSeparation(v2)["reglages"]);
    EXPECT_THROW(LireRapportSeparation(nlohmann::json{{"format", "ovrel5-session"}}),
                 std::invalid_argument);
}
