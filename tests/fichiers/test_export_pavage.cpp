#include "DossierTemporaire.h"

#include "fichiers/ExportPavage.h"

namespace {

using ExportPavage = DossierTemporaire;

Box Boite(double xa, double xb, double ya, double yb) {
    Box b(2, 1);
    b[1] = Interval(xa, xb);
    b[2] = Interval(ya, yb);
    return b;
}

} // namespace

TEST_F(ExportPavage, CsvHasOneLinePerBoxWithItsClassAndBounds) {
    BoxList rejetees, gardees;
    rejetees.PushBack(Boite(-5, 0, -5, 5));
    rejetees.PushBack(Boite(0, 5, 0.1, 5));
    gardees.PushBack(Boite(0.25, 0.2578125, -1.5, -1.4921875));
    ExporterPavageCsv(Dossier / "p.csv", rejetees, gardees);
    EXPECT_EQ(Lire(Dossier / "p.csv"), "classe,x_inf,x_sup,y_inf,y_sup\n"
                                       "rejetee,-5,0,-5,5\n"
                                       "rejetee,0,5,0.1,5\n"
                                       "gardee,0.25,0.2578125,-1.5,-1.4921875\n");
}

TEST_F(ExportPavage, JsonReportsTheSolveAndTheAnalysisSections) {
    RapportPavage r{Boite(-5, 5, -4, 4), 0.01, {true, false, true}, {}, {}};
    r.Resultat.NbRejetees = 12;
    r.Resultat.NbGardees = 3;
    r.Complements["grappes"] = {{{"centre", {0.5, -0.5}}}};
    ExporterPavageJson(Dossier / "p.json", r);
    const auto j = nlohmann::json::parse(Lire(Dossier / "p.json"));
    EXPECT_EQ(j["boite_recherche"]["y"], nlohmann::json({-4.0, 4.0}));
    EXPECT_EQ(j["precision"], 0.01);
    EXPECT_EQ(j["contraintes"]["decorrelation_derivees"], false);
    EXPECT_EQ(j["comptes"]["rejetees"], 12);
    EXPECT_EQ(j["comptes"]["statut"], "termine");
    EXPECT_EQ(j["grappes"][0]["centre"][1], -0.5);
}
