#include "fichiers/ExportPavage.h"

#include "fichiers/EcritureAtomique.h"

#include <charconv>
#include <string>
#include <utility>

namespace {

// The lines of the boxes of both lists, written to `descripteur` by stretches of about
// 1 MiB; false with errno set when a write fails.
bool EcrireBoites(int descripteur, const BoxList& rejetees, const BoxList& gardees,
                  const RappelAvancement& avancement) {
    std::string texte = "classe,x_inf,x_sup,y_inf,y_sup\n";
    const double total = double(rejetees.Size()) + double(gardees.Size());
    std::size_t faites = 0;
    char nombre[32];
    for (const auto& [boites, classe] :
         {std::pair{&rejetees, "rejetee"}, std::pair{&gardees, "gardee"}}) {
        for (const Box& b : *boites) {
            texte += classe;
            for (int k = 1; k <= 2; ++k) {
                for (const double v : {b[k].Lower(), b[k].Upper()}) {
                    texte += ',';
                    texte.append(nombre, std::to_chars(nombre, nombre + sizeof nombre, v).ptr);
                }
            }
            texte += '\n';
            ++faites;
            if (texte.size() > (1u << 20)) {
                if (!EcrireTout(descripteur, texte)) {
                    return false;
                }
                texte.clear();
                PoursuivreOuArreter(avancement, double(faites) / total);
            }
        }
    }
    return EcrireTout(descripteur, texte);
}

} // namespace

const char* NomStatut(StatutSivia s) {
    switch (s) {
    case StatutSivia::Termine:
        return "termine";
    case StatutSivia::ArreteALaLimite:
        return "arrete_a_la_limite";
    case StatutSivia::PrecisionRefusee:
        return "precision_refusee";
    case StatutSivia::ArreteParUtilisateur:
        return "arrete_par_l_utilisateur";
    }
    return "inconnu";
}

void ExporterPavageCsv(const std::filesystem::path& chemin, const BoxList& rejetees,
                       const BoxList& gardees, const RappelAvancement& avancement) {
    EcrireAtomiquement(chemin, [&](int descripteur) {
        return EcrireBoites(descripteur, rejetees, gardees, avancement);
    });
}

void ExporterRapportJson(const std::filesystem::path& chemin,
                         const nlohmann::ordered_json& rapport) {
    // Names are valid UTF-8 in the report; any other bad text is replaced, not fatal.
    EcrireTexteAtomiquement(
        chemin,
        rapport.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n");
}
