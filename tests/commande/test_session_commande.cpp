// A session given to the command line is checked by the same rules as its options.
#include "commande/LigneDeCommande.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

TEST(SessionCommande, ASessionAgainstTheRulesEndsWithStatusTwoNamingTheFileAndTheField) {
    const auto dossier = std::filesystem::temp_directory_path() /
                         ("ovrel5-session-commande-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dossier);
    const struct {
        const char* contenu;
        int statut;
        const char* attendu;
    } cas[] = {
        {R"({"format": "ovrel5-session", "options": {"PrecisionSivia": 0}})", 2,
         "« options.PrecisionSivia »"},
        {R"({"format": "ovrel5-session", "options": {"BorneInfX": 2, "BorneSupX": -2}})", 2,
         "« options.BorneInfX »"},
        {R"({"format": "ovrel5-session", "options": {"NbEchantillons": -5}})", 2,
         "« options.NbEchantillons »"},
        {R"({"format": "ovrel5-session", "options": {"Stockage": 7}})", 2, "« options.Stockage »"},
        {R"({"format": "ovrel5-session", "sources": [{"sorte": "generee", "type": "Martien"},
            {"sorte": "aucune"}]})",
         2, "« sources[0].type »"},
        {R"({"format": "ovrel5-session", "matrice": {"a11": 1, "a12": 0, "a21": 0}})", 2,
         "« matrice.a22 »"},
        {R"({"format": "ovrel5-session", "options": {"PrecisionSivia": 1e400}})", 2,
         "« PrecisionSivia »"},
        {R"({"format": 5})", 3, "pas une session d'Ovrel 5"},
        {R"({"format": null})", 3, "pas une session d'Ovrel 5"},
        {R"({"format": []})", 3, "pas une session d'Ovrel 5"},
        {R"({"format": {}})", 3, "pas une session d'Ovrel 5"},
    };
    const std::string chemin = (dossier / "s.json").string();
    for (const auto& c : cas) {
        std::ofstream(chemin) << c.contenu;
        std::ostringstream sortie, erreurs;
        EXPECT_EQ(
            ExecuterLigneDeCommande({"resoudre", "--session", chemin}, sortie, erreurs, false),
            c.statut)
            << c.contenu;
        EXPECT_NE(erreurs.str().find(c.attendu), std::string::npos) << erreurs.str();
        EXPECT_NE(erreurs.str().find(chemin), std::string::npos) << erreurs.str();
        EXPECT_EQ(erreurs.str().find("json.exception"), std::string::npos) << erreurs.str();
    }
    std::filesystem::remove_all(dossier);
}

TEST(SessionCommande, ReversedBoundsOnTheCommandLineAreRefusedByTheSameRule) {
    std::ostringstream sortie, erreurs;
    EXPECT_EQ(ExecuterLigneDeCommande({"resoudre", "--boite", "1,-1,-5,5"}, sortie, erreurs, false),
              2);
    EXPECT_NE(erreurs.str().find("option --boite : la borne inférieure pour X dépasse la borne "
                                 "supérieure"),
              std::string::npos)
        << erreurs.str();
}
