#include "fichiers/Donnees.h"

#include "fichiers/ErreurFichier.h"
#include "interval/Traduction.h"

#include <system_error>

namespace fs = std::filesystem;

fs::path DossierProgramme(const char* argv0) {
    std::error_code erreur;
    const fs::path exe = fs::read_symlink("/proc/self/exe", erreur);
    if (!erreur && exe.has_parent_path()) {
        return exe.parent_path();
    }
    if (argv0 != nullptr && fs::path(argv0).has_parent_path()) {
        const fs::path dossier = fs::absolute(fs::path(argv0).parent_path(), erreur);
        if (!erreur) {
            return dossier.lexically_normal();
        }
    }
    return fs::current_path(erreur);
}

std::vector<fs::path> DossiersDonneesPossibles(const fs::path& programme) {
    // Installed first: a build tree never holds share/ovrel5, so the order cannot pick the
    // sources of another checkout over the files installed beside the program.
    return {(programme / "../share/ovrel5/data").lexically_normal(), programme / "data",
            (programme / "../data").lexically_normal(),
            (programme / "../../data").lexically_normal()};
}

bool DonneesPresentes(const fs::path& dossier) {
    std::error_code erreur;
    return fs::is_regular_file(dossier / "voix1.wav", erreur);
}

void VerifierDonneesPresentes(const fs::path& dossier) {
    if (!DonneesPresentes(dossier)) {
        throw ErreurFichier(dossier / "voix1.wav",
                            Traduire("Fichiers", "les voix d'exemple sont introuvables"));
    }
}

namespace {

fs::path PremierDossierDonnees(const std::vector<fs::path>& dossiers) {
    for (const fs::path& d : dossiers) {
        if (DonneesPresentes(d)) {
            return d;
        }
    }
    return dossiers.front();
}

} // namespace

fs::path DossierDonnees(const fs::path& programme) {
    return PremierDossierDonnees(DossiersDonneesPossibles(programme));
}

fs::path DossierDonneesModule(const fs::path& module) {
    // lib/python3/dist-packages (or lib/python3.11/site-packages) is three folders below the
    // prefix, where bin/ is one.
    std::vector<fs::path> dossiers = DossiersDonneesPossibles(module);
    dossiers.insert(dossiers.begin(), (module / "../../../share/ovrel5/data").lexically_normal());
    return PremierDossierDonnees(dossiers);
}
