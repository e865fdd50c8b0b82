#include "DossierTemporaire.h"

#include "fichiers/EcritureAtomique.h"
#include "fichiers/ErreurFichier.h"

#include <cerrno>

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
