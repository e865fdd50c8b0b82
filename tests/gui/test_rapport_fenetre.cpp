// "Exporter le pavage…" writes the command line's report: the same session solved in the
// window and by `ovrel5 resoudre --session` gives the same JSON but for the times, the seed
// the command line draws and the session's name, which the window does not know.
#include "SupportDossier.h"
#include "SupportFenetre.h"

#include "app/TMenuFichier.h"
#include "commande/LigneDeCommande.h"

#include <QAction>
#include <QPushButton>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class RapportFenetre : public AvecDossier<FenetreSousLocale<QLocale::French>> {
protected:
    // The report without what only one route knows.
    static nlohmann::json Comparable(nlohmann::json j) {
        j.erase("temps");
        j["entrees"].erase("graine");
        j["entrees"].erase("session");
        return j;
    }
};

} // namespace

TEST_F(RapportFenetre, TheExportIsTheCommandLinesReportOfTheSameSession) {
    const struct {
        QAction *source1, *source2;
        Matrice2x2 A;
    } cas[] = {{F->Cosinus1, F->BruitColoreGaussien2, {1, 0.5, -0.4, 1}},
               {F->Sinus1, F->BruitBlancUniforme2, {1, -0.3, 0.6, 1}}};
    int k = 0;
    for (const auto& c : cas) {
        const std::string nom = std::to_string(++k);
        c.source1->trigger();
        c.source2->trigger();
        F->A.MatriceMelange = c.A;
        F->GenerationdesMelanges1->trigger();
        Cliquer(F->Button1);
        Choisir(F->MenuFichier->EnregistrerSession, nom + ".json");
        Choisir(F->MenuFichier->ExporterPavage, "pavage" + nom + ".csv");
        const nlohmann::json fenetre =
            nlohmann::json::parse(std::ifstream(Dossier / ("pavage" + nom + ".json")));

        std::ostringstream sortie, erreurs;
        ASSERT_EQ(
            ExecuterLigneDeCommande({"resoudre", "--session", (Dossier / (nom + ".json")).string()},
                                    sortie, erreurs, false),
            0)
            << erreurs.str();
        const nlohmann::json commande = nlohmann::json::parse(sortie.str());
        ASSERT_EQ(commande["amas"].size(), 2u) << nom;
        EXPECT_EQ(Comparable(fenetre), Comparable(commande)) << nom;
        EXPECT_EQ(fenetre["temps"]["resolution_s"].is_number(), true);
    }
    EXPECT_TRUE(Messages.empty());
}
