#include "atelier/Reglages.h"

#include "fichiers/Session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <tuple>
#include <unistd.h>

namespace {

class ReglagesSession : public ::testing::Test {
protected:
    void SetUp() override {
        Dossier = std::filesystem::temp_directory_path() /
                  ("ovrel5-reglages-" + std::to_string(::getpid()));
        std::filesystem::create_directories(Dossier);
    }
    void TearDown() override { std::filesystem::remove_all(Dossier); }

    std::filesystem::path Ecrire(const std::string& contenu) {
        const auto chemin = Dossier / "s.json";
        std::ofstream(chemin) << contenu;
        return chemin;
    }

    Reglages Relire(const std::filesystem::path& chemin, std::vector<std::string>& remarques) {
        Session s = OuvrirSession(chemin);
        const Reglages r = LireReglages(s.Options, chemin, s.Remarques);
        remarques = s.Remarques;
        return r;
    }

    std::filesystem::path Dossier;
};

// Every field away from its default, each to a value no other field holds.
Reglages TousChanges() {
    Reglages r;
    r.NbEchantillons = 777;
    r.BorneInfX = -2.5;
    r.BorneSupX = 1.25;
    r.BorneInfY = -0.75;
    r.BorneSupY = 3.5;
    r.PrecisionSivia = 0.0625;
    r.Stockage = StockagePile;
    r.ContrainteDecorrelation = false;
    r.ContrainteDecorrelationDerivees = false;
    r.ContrainteMomentOrdre4 = true;
    r.ContrainteDecorrelationRetardee = true;
    r.ContrainteCumulants = true;
    r.ContrainteKurtosis = true;
    r.ContrainteNeguentropie = true;
    r.ContrainteSommeKurtosis = true;
    r.Retards = "2,7";
    r.MontrerSolution = true;
    r.EstimationAuClic = true;
    return r;
}

// Every field, so that two settings compare whole.
auto Champs(const Reglages& r) {
    return std::tuple(r.NbEchantillons, r.BorneInfX, r.BorneSupX, r.BorneInfY, r.BorneSupY,
                      r.PrecisionSivia, r.Stockage, r.ContrainteDecorrelation,
                      r.ContrainteDecorrelationDerivees, r.ContrainteMomentOrdre4,
                      r.ContrainteDecorrelationRetardee, r.ContrainteCumulants,
                      r.ContrainteKurtosis, r.ContrainteNeguentropie, r.ContrainteSommeKurtosis,
                      r.Retards, r.MontrerSolution, r.EstimationAuClic);
}

} // namespace

TEST_F(ReglagesSession, EveryFieldAwayFromItsDefaultComesBackFromTheFile) {
    const Reglages avant = TousChanges();
    Session s;
    s.Options = EnregistrerReglages(avant);
    EnregistrerSession(Dossier / "s.json", s);
    std::vector<std::string> remarques;
    EXPECT_EQ(Champs(Relire(Dossier / "s.json", remarques)), Champs(avant));
    EXPECT_TRUE(remarques.empty());
}

TEST_F(ReglagesSession, TheKeysAreThoseOfTheSessionsAlreadyWritten) {
    // The key of each field as sessions have always written it: a table that reads one key
    // into another field, or writes a constant, differs here.
    const auto chemin = Ecrire(R"({"format": "ovrel5-session", "options": {
        "NbEchantillons": 777, "BorneInfX": -2.5, "BorneSupX": 1.25, "BorneInfY": -0.75,
        "BorneSupY": 3.5, "PrecisionSivia": 0.0625, "Stockage": 0,
        "ContrainteDecorrelation": false, "ContrainteDecorrelationDerivees": false,
        "ContrainteMomentOrdre4": true, "ContrainteDecorrelationRetardee": true,
        "ContrainteCumulants": true, "ContrainteKurtosis": true, "ContrainteNeguentropie": true, "ContrainteSommeKurtosis": true, "Retards": "2,7", "MontrerSolution": true, "EstimationAuClic": true}})");
    std::vector<std::string> remarques;
    EXPECT_EQ(Champs(Relire(chemin, remarques)), Champs(TousChanges()));
    const ReglagesEnregistres ecrits = EnregistrerReglages(TousChanges());
    Session s = OuvrirSession(chemin);
    EXPECT_EQ(ecrits, *s.Options);
}

TEST_F(ReglagesSession, MissingFieldsKeepTheirDefaultsAndUnknownOnesAreNoted) {
    const auto chemin = Ecrire(
        R"({"format": "ovrel5-session", "options": {"NbEchantillons": 1234, "Couleur": "bleu"}})");
    std::vector<std::string> remarques;
    const Reglages r = Relire(chemin, remarques);
    EXPECT_EQ(r.NbEchantillons, 1234);
    EXPECT_EQ(r.PrecisionSivia, 0.01);
    std::string notes;
    for (const auto& n : remarques) {
        notes += n + "\n";
    }
    for (const char* attendu : {"« options.Couleur » ignoré", "« options.PrecisionSivia » absent",
                                "« options.BorneSupY » absent"}) {
        EXPECT_NE(notes.find(attendu), std::string::npos) << attendu << "\n" << notes;
    }
}

TEST_F(ReglagesSession, BoundsAreKeptInSinglePrecisionAsTheDialogTypesThem) {
    const auto chemin =
        Ecrire(R"({"format": "ovrel5-session", "options": {"BorneInfX": -2.7, "BorneSupY": 0.1}})");
    std::vector<std::string> remarques;
    const Reglages r = Relire(chemin, remarques);
    EXPECT_EQ(r.BorneInfX, double(-2.7f));
    EXPECT_EQ(r.BorneSupY, double(0.1f));
}

TEST_F(ReglagesSession, ValuesAgainstTheRulesAreRefusedNamingTheFileAndTheField) {
    const struct {
        const char* options;
        const char* champ;
        const char* raison;
    } cas[] = {
        {R"("PrecisionSivia": 0)", "options.PrecisionSivia", "strictement positif"},
        {R"("PrecisionSivia": -0.5)", "options.PrecisionSivia", "strictement positif"},
        {R"("PrecisionSivia": "nan")", "options.PrecisionSivia", "strictement positif"},
        {R"("PrecisionSivia": "inf")", "options.PrecisionSivia", "strictement positif"},
        {R"("BorneInfX": "nan")", "options.BorneInfX", "un nombre fini"},
        {R"("BorneSupY": "-inf")", "options.BorneSupY", "un nombre fini"},
        {R"("BorneSupX": 1e300)", "options.BorneSupX", "un nombre fini"},
        {R"("BorneInfY": 3, "BorneSupY": 2)", "options.BorneInfY", "dépasse la borne supérieure"},
        {R"("NbEchantillons": 0)", "options.NbEchantillons", "au moins 1"},
        {R"("NbEchantillons": -5)", "options.NbEchantillons", "au moins 1"},
        {R"("NbEchantillons": 2.5)", "options.NbEchantillons", "un entier"},
        {R"("NbEchantillons": 3000000000)", "options.NbEchantillons", "un entier"},
        {R"("Stockage": 7)", "options.Stockage", "0 (pile) ou 1 (file)"},
        {R"("Stockage": "pile")", "options.Stockage", "un entier"},
        {R"("ContrainteMomentOrdre4": 1)", "options.ContrainteMomentOrdre4", "vrai ou faux"},
        {R"("PrecisionSivia": null)", "options.PrecisionSivia", "un nombre"},
        {R"("PrecisionSivia": [0.1])", "options.PrecisionSivia", "un nombre"},
        {R"("Retards": 4)", "options.Retards", "un texte"},
        {R"("Retards": "0,3,3")", "options.Retards", "0 (nul), 3 (répété)"},
    };
    for (const auto& c : cas) {
        const auto chemin =
            Ecrire(std::string(R"({"format": "ovrel5-session", "options": {)") + c.options + "}}");
        std::vector<std::string> remarques;
        try {
            Relire(chemin, remarques);
            ADD_FAILURE() << c.options;
        } catch (const ErreurChampSession& e) {
            const std::string texte = e.what();
            EXPECT_NE(texte.find(std::string("« ") + c.champ + " »"), std::string::npos) << texte;
            EXPECT_NE(texte.find(c.raison), std::string::npos) << texte;
            EXPECT_NE(texte.find(chemin.string()), std::string::npos) << texte;
        }
    }
}

TEST(Reglages, TheWindowsSolveChecksOnlyWhatASolveNeeds) {
    struct Cas {
        void (*changer)(Reglages&);
        const char* toutes;     // the field refused for a session or the command line
        const char* resolution; // the field refused before a solve in the window, or ""
    };
    const Cas cas[] = {
        {[](Reglages&) {}, "", ""},
        {[](Reglages& r) { r.PrecisionSivia = 0; }, "PrecisionSivia", "PrecisionSivia"},
        {[](Reglages& r) { r.PrecisionSivia = NAN; }, "PrecisionSivia", "PrecisionSivia"},
        {[](Reglages& r) { r.BorneSupY = INFINITY; }, "BorneSupY", "BorneSupY"},
        // The window orders reversed bounds and reads any N, as it always has.
        {[](Reglages& r) { r.BorneInfX = 6; }, "BorneInfX", ""},
        {[](Reglages& r) { r.NbEchantillons = 0; }, "NbEchantillons", ""},
        {[](Reglages& r) { r.Stockage = OrdreStockage(7); }, "Stockage", ""},
    };
    for (const Cas& c : cas) {
        Reglages r;
        c.changer(r);
        const auto tout = VerifierReglages(r);
        const auto resolution = VerifierReglages(r, PorteeVerification::Resolution);
        EXPECT_EQ(tout ? tout->Cle : "", c.toutes);
        EXPECT_EQ(resolution ? resolution->Cle : "", c.resolution);
    }
    const auto precision = VerifierReglages([] {
        Reglages r;
        r.PrecisionSivia = -1;
        return r;
    }());
    ASSERT_TRUE(precision);
    EXPECT_EQ(precision->Option, "--precision");
}
