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
        Box b(2, 1);
        b[1] = Interval(v[i], v[i] + 0.125);
        b[2] = Interval(-v[i], 1 / 3.0);
        boites.PushBack(b);
    }
    using Ecrire = std::function<void(const std::filesystem::path&, const RappelAvancement&)>;
    const struct {
        const char* nom;
        Ecrire ecrire;
    } cas[] = {
        {"s.wav",
         [&](auto& p, auto& r) {
             EcrireSignaux(p, {{"a", &v}, {"b", &v}}, 8000, r);
         }},
        {"s.csv",
         [&](auto& p, auto& r) {
             EcrireSignaux(p, {{"a", &v}, {"b", &v}}, 0, r);
         }},
        {"p.csv", [&](auto& p, auto& r) { ExporterPavageCsv(p, boites, boites, r); }},
    };
    for (const bool existant : {false, true}) {
        for (const auto& c : cas) {
            const auto chemin = Dossier / c.nom;
            if (existant) {
                Fichier(c.nom, "ancien");
            }
            int appels = 0;
            EXPECT_THROW(c.ecrire(chemin, [&](double) { return ++appels != 2; }), ArretUtilisateur)
                << c.nom;
            EXPECT_EQ(appels, 2) << c.nom;
            EXPECT_EQ(NbFichiers(Dossier), existant ? 1u : 0u) << c.nom;
            if (existant) {
                EXPECT_EQ(Lire(chemin), "ancien") << c.nom;
            }
            std::filesystem::remove(chemin);
        }
    }
    for (const auto& c : cas) {
        const auto avec = Dossier / ("avec_" + std::string(c.nom));
        const auto sans = Dossier / ("sans_" + std::string(c.nom));
        c.ecrire(avec, [](double) { return true; });
        c.ecrire(sans, {});
        EXPECT_EQ(Lire(avec), Lire(sans)) << c.nom;
    }
}
