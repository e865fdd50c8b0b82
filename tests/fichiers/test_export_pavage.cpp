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

TEST_F(ExportPavage, TheReportIsWrittenIndentedInItsOrderAndABadTextDoesNotStopIt) {
    nlohmann::ordered_json r;
    r["programme"] = "Ovrel 5";
    r["version"] = 3;
    r["entrees"] = {{"session", std::string("voix\xFF.json")}, {"echantillons", 5000}};
    ExporterRapportJson(Dossier / "p.json", r);
    EXPECT_EQ(Lire(Dossier / "p.json"), "{\n"
                                        "  \"programme\": \"Ovrel 5\",\n"
                                        "  \"version\": 3,\n"
                                        "  \"entrees\": {\n"
                                        "    \"session\": \"voix\xEF\xBF\xBD.json\",\n"
                                        "    \"echantillons\": 5000\n"
                                        "  }\n"
                                        "}\n");
}
