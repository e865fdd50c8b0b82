#include "python/Moteur.h"

#include "commande/Rapport.h"
#include "fichiers/Donnees.h"
#include "fichiers/EcritureSignal.h"
#include "fichiers/ErreurFichier.h"
#include "signal/Memoire.h"

#include <dlfcn.h>

#include <chrono>
#include <cmath>
#include <cstdint>

namespace {

std::string Liste(const std::vector<std::string>& mots) {
    std::string texte;
    for (const std::string& m : mots) {
        texte += (texte.empty() ? "" : ",") + m;
    }
    return texte;
}

std::string Nombres(const std::vector<double>& v) {
    std::vector<std::string> textes;
    for (const double x : v) {
        textes.push_back(TexteExact(x));
    }
    return Liste(textes);
}

// The settings as the command line's arguments, read by the command line's own reader: the
// same checks and the same French messages.
OptionsCommande OptionsDemandees(const DemandeResolution& d) {
    std::vector<std::string> a = {"resoudre"};
    const auto option = [&a](const char* nom, const std::string& valeur) {
        a.push_back(nom);
        a.push_back(valeur);
    };
    if (d.Matrice) {
        option("--matrice",
               Nombres({d.Matrice->a11, d.Matrice->a12, d.Matrice->a21, d.Matrice->a22}));
    }
    if (d.Boite) {
        option("--boite", Nombres(*d.Boite));
    }
    if (d.Precision) {
        option("--precision", TexteExact(*d.Precision));
    }
    if (d.Contraintes) {
        option("--contraintes", Liste(*d.Contraintes));
    }
    if (d.Retards) {
        std::vector<std::string> textes;
        for (const int t : *d.Retards) {
            textes.push_back(std::to_string(t));
        }
        option("--retards", Liste(textes));
    }
    if (d.Stockage) {
        option("--stockage", *d.Stockage);
    }
    return LireOptions(a);
}

void VerifierTailles(const DemandeResolution& d) {
    const std::size_t n = d.Melange1.size();
    if (n != d.Melange2.size()) {
        throw ErreurOption("les mélanges x1 et x2 n'ont pas la même longueur (" +
                           std::to_string(n) + " et " + std::to_string(d.Melange2.size()) + ").");
    }
    if (n < 2 || n > std::size_t(INT32_MAX)) {
        throw ErreurOption("les mélanges doivent avoir de 2 à " + std::to_string(INT32_MAX) +
                           " échantillons (ici " + std::to_string(n) + ").");
    }
    if (d.Sources && (d.Sources->first.size() != n || d.Sources->second.size() != n)) {
        throw ErreurOption("les sources doivent avoir la longueur des mélanges (" +
                           std::to_string(n) + " échantillons ; ici " +
                           std::to_string(d.Sources->first.size()) + " et " +
                           std::to_string(d.Sources->second.size()) + ").");
    }
    for (const auto* v : {&d.Melange1, &d.Melange2}) {
        for (const double x : *v) {
            if (!(std::abs(x) <= AmplitudeMaximale)) {
                throw ErreurOption("un échantillon des mélanges est refusé : " +
                                   RaisonEchantillonRefuse(x));
            }
        }
    }
}

} // namespace

std::unique_ptr<ResolutionMoteur> ResoudreMoteur(const DemandeResolution& d) {
    const auto debut = std::chrono::steady_clock::now();
    auto r = std::make_unique<ResolutionMoteur>();
    r->Options = OptionsDemandees(d);
    VerifierTailles(d);
    // What the command line refuses before solving.
    VerifierPlace(r->Options);
    VerifierRetards(r->Options, std::int32_t(d.Melange1.size()));
    // The mixtures are what was observed, as a mixtures file is for the command line; the
    // sources and the matrix, when given, only qualify the result.
    EntreesLues lues;
    lues.MelangesFichiers = MelangesLus{d.Melange1, d.Melange2, d.Frequence, {}};
    r->Entrees = PreparerEntrees(r->Options, lues, 0, false);
    if (d.Sources) {
        r->Entrees.Source1 = d.Sources->first;
        r->Entrees.Source2 = d.Sources->second;
        r->Options.Source1 = r->Options.Source2 = SourceDemandee{};
    }
    r->Entrees.A = d.Matrice.value_or(Matrice2x2{});
    r->Chaine = ResoudreChaine(r->Entrees, r->Options, r->EnAttente, r->Rejetees, r->Solution);
    r->Rapport = RapportResolution(
        r->Options, r->Entrees, r->Chaine,
        std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count());
    // The inputs came as arrays, not as files: the report says so where it names files.
    nlohmann::ordered_json& entrees = r->Rapport["entrees"];
    if (d.Sources) {
        entrees["source1"] = entrees["source2"] = {{"sorte", "tableau"}};
    }
    entrees["melanges"] = {"tableau", "tableau"};
    return r;
}

std::pair<std::vector<double>, std::vector<double>>
EstimerMoteur(double x, double y, const std::vector<double>& x1, const std::vector<double>& x2) {
    if (x1.size() != x2.size() || x1.size() > std::size_t(INT32_MAX)) {
        throw ErreurOption("les mélanges x1 et x2 n'ont pas la même longueur (" +
                           std::to_string(x1.size()) + " et " + std::to_string(x2.size()) + ").");
    }
    SourcesEstimees e = CalculerSourcesEstimees(x, y, x1, x2, int(x1.size()), PasCommande);
    return {std::move(e.SourceEstimee1), std::move(e.SourceEstimee2)};
}

SignalLu LireSignalMoteur(const std::string& chemin, int canal, const std::string& nomCanal) {
    if (canal > 0 && nomCanal.empty()) {
        return LireSignal(chemin, canal - 1);
    }
    const ContenuFichier contenu = DecrireFichier(chemin);
    if (!nomCanal.empty()) {
        for (std::size_t i = 0; i < contenu.NomsCanaux.size(); ++i) {
            if (contenu.NomsCanaux[i] == nomCanal) {
                return LireSignal(chemin, int(i));
            }
        }
        throw ErreurOption("Fichier « " + chemin + " » : pas de canal « " + nomCanal +
                           " » ; ses canaux : " + Liste(contenu.NomsCanaux) + ".");
    }
    if (contenu.NbCanaux > 1) {
        throw ErreurOption("Fichier « " + chemin + " » : " + std::to_string(contenu.NbCanaux) +
                           " canaux, choisissez-en un (canal=1…" +
                           std::to_string(contenu.NbCanaux) +
                           " ou son nom) : " + Liste(contenu.NomsCanaux) + ".");
    }
    return LireSignal(chemin, 0);
}

Qualite QualiteMoteur(double x, double y, const Matrice2x2& A, const std::vector<double>& s1,
                      const std::vector<double>& s2) {
    const std::size_t n = std::min<std::size_t>({s1.size(), s2.size(), INT32_MAX});
    return CalculerQualite(x, y, A, CalculerPuissances(s1, s2, int(n)));
}

std::string ExemplesMoteur() {
    // The module's own file, wherever Python loaded it from.
    Dl_info info{};
    std::filesystem::path module;
    if (dladdr(reinterpret_cast<void*>(&ExemplesMoteur), &info) != 0 && info.dli_fname) {
        module = std::filesystem::absolute(info.dli_fname).parent_path();
    }
    const std::filesystem::path dossier = DossierDonneesModule(module);
    VerifierDonneesPresentes(dossier);
    return dossier.string();
}
