#include "DossierTemporaire.h"

#include "fichiers/EcritureAtomique.h"
#include "fichiers/EcritureSignal.h"
#include "fichiers/ErreurFichier.h"
#include "fichiers/ExportPavage.h"

#include <cerrno>
#include <cmath>

namespace {

using EcritureAtomique = DossierTemporaire;

std::size_t NbFichiers(const std::filesystem::path& dossier) {
    return std::size_t(std::distance(std::filesystem::directory_iterator(dossier), {}));
}

} // namespace

TEST_F(EcritureAtomique, ASuccessfulWriteReplacesTheFileAndLeavesNoTemporary) {
    const auto chemin = Fichier("r.txt", "ancien");
    EcrireTexteAtomiquement(chemin, "nouveau");
    EXPECT_EQ(Lire(chemin), "nouveau");
    EXPECT_EQ(NbFichiers(Dossier), 1u);
}

TEST_F(EcritureAtomique, AFailedWriteLeavesTheOldFileUntouchedAndSaysWhy) {
    const auto ancien = Fichier("r.txt", "ancien");
    Fichier("fichier", "pas un dossier");
    const struct {
        std::filesystem::path chemin;
        std::function<bool(int)> ecrire;
        const char* raison;
    } cas[] = {
        {Dossier / "fichier" / "r.txt", [](int) { return true; }, "n'est pas un dossier"},
        {Dossier / "disparu" / "r.txt", [](int) { return true; }, "n'existe pas"},
        {ancien,
         [](int) {
             errno = ENOSPC;
             return false;
         },
         "plus de place sur le disque"},
        {ancien, [](int) -> bool { throw ErreurFichier("r.txt", "interrompu"); }, "interrompu"},
    };
    for (const auto& c : cas) {
        try {
            EcrireAtomiquement(c.chemin, c.ecrire);
            ADD_FAILURE() << c.chemin;
        } catch (const ErreurFichier& e) {
            EXPECT_NE(std::string(e.what()).find(c.raison), std::string::npos) << e.what();
        }
        EXPECT_EQ(Lire(ancien), "ancien");
        EXPECT_EQ(NbFichiers(Dossier), 2u) << "a temporary file was left";
    }
}

TEST_F(EcritureAtomique, AWriteStoppedByItsProgressLeavesNoFileAndOneThatGoesOnTheSameBytes) {
    // Several blocks of samples and several MiB of text.
    std::vector<double> v(200'000);
    BoxList boites;
    for (std::size_t i = 0; i < v.size(); ++i) {
        v[i] = std::sin(0.01 * double(i)) / 3;
        boites.PushBack(Box(2, 1));
        boites.Back()[1] = Interval(v[i], v[i] + 0.125);
    }
    const auto ecrire = [&](const std::string& nom, const RappelAvancement& r) {
        if (nom.ends_with("pavage.csv")) {
            ExporterPavageCsv(Dossier / nom, boites, boites, r);
        } else {
            EcrireSignaux(Dossier / nom, {{"a", &v}, {"b", &v}}, 8000, r);
        }
    };
    for (const std::string nom : {"s.wav", "s.csv", "pavage.csv"}) {
        for (const bool existant : {false, true}) {
            if (existant) {
                Fichier(nom, "ancien");
            }
            int appels = 0;
            EXPECT_THROW(ecrire(nom, [&](double) { return ++appels != 2; }), ArretUtilisateur);
            EXPECT_EQ(appels, 2) << nom;
            EXPECT_EQ(NbFichiers(Dossier), existant ? 1u : 0u) << nom;
            EXPECT_EQ(Lire(Dossier / nom), existant ? "ancien" : "") << nom;
        }
        ecrire("avec_" + nom, [](double) { return true; });
        ecrire("sans_" + nom, {});
        EXPECT_EQ(Lire(Dossier / ("avec_" + nom)), Lire(Dossier / ("sans_" + nom))) << nom;
        std::filesystem::remove_all(Dossier);
        std::filesystem::create_directories(Dossier);
    }
}
