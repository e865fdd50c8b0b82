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

nlohmann::json Intervalle(const Interval& i) {
    return {i.Lower(), i.Upper()};
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

nlohmann::json RapportJson(const RapportPavage& r) {
    nlohmann::json j;
    j["format"] = "ovrel5-pavage";
    j["version"] = 1;
    j["boite_recherche"] = {{"x", Intervalle(r.BoiteRecherche[1])},
                            {"y", Intervalle(r.BoiteRecherche[2])}};
    j["precision"] = r.PrecisionSivia;
    j["contraintes"] = {
        {"decorrelation_sources", r.Contraintes.ContrainteDecorrelation},
        {"decorrelation_derivees", r.Contraintes.ContrainteDecorrelationDerivees},
        {"moment_ordre_4", r.Contraintes.ContrainteMomentOrdre4},
    };
    j["comptes"] = {{"prises", r.Resultat.NbPrises},
                    {"rejetees", r.Resultat.NbRejetees},
                    {"gardees", r.Resultat.NbGardees},
                    {"meilleur_critere", r.Resultat.MeilleurCritere},
                    {"statut", NomStatut(r.Resultat.Statut)}};
    for (const auto& [cle, valeur] : r.Complements.items()) {
        j[cle] = valeur;
    }
    return j;
}

void ExporterPavageJson(const std::filesystem::path& chemin, const RapportPavage& rapport) {
    EcrireTexteAtomiquement(chemin, RapportJson(rapport).dump(2) + "\n");
}
