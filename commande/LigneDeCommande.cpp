#include "commande/LigneDeCommande.h"

#include "commande/Parallele.h"
#include "commande/Rapport.h"
#include "fichiers/Donnees.h"
#include "fichiers/EcritureAtomique.h"
#include "fichiers/EcritureSignal.h"
#include "fichiers/ErreurFichier.h"
#include "fichiers/ExportPavage.h"
#include "signal/Memoire.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>

namespace {

using Horloge = std::chrono::steady_clock;

double Depuis(Horloge::time_point t) {
    return std::chrono::duration<double>(Horloge::now() - t).count();
}

std::uint64_t GraineChoisie(const OptionsCommande& o) {
    return o.Graine ? *o.Graine : std::uint64_t(std::time(nullptr));
}

int Resoudre(OptionsCommande& o, std::ostream& sortie, const DessinateurPavage& dessiner) {
    const auto debut = Horloge::now();
    const EntreesLues lues = LireEntrees(o);
    const EntreesChaine e = PreparerEntrees(o, lues, GraineChoisie(o), o.MatriceAleatoire);
    BoxList enAttente, rejetees, solution;
    const ResultatChaine c = ResoudreChaine(e, o, enAttente, rejetees, solution);
    if (!o.FichierBoites.empty()) {
        ExporterPavageCsv(o.FichierBoites, rejetees, solution);
    }
    if (!o.FichierImage.empty()) {
        if (!dessiner) {
            throw ErreurFichier(o.FichierImage, "cette version ne sait pas dessiner d'image.");
        }
        dessiner(o.FichierImage, o, e, c, rejetees, solution);
    }
    sortie << RapportResolution(o, e, c, Depuis(debut)).dump(2) << "\n";
    return c.Rapport.Resultat.Statut == StatutSivia::ArreteALaLimite ? SortieLimiteMemoire
                                                                     : SortieSucces;
}

// "[#####     ] 120/1000  35,2 essais/s  reste 25 s", redrawn in place.
void AfficherProgression(std::ostream& erreurs, std::int64_t faits, std::int64_t total,
                         double secondes) {
    constexpr int Largeur = 30;
    const int pleins = int(Largeur * faits / std::max<std::int64_t>(total, 1));
    const double debit = secondes > 0 ? double(faits) / secondes : 0;
    const double reste = debit > 0 ? double(total - faits) / debit : 0;
    char t[160];
    std::snprintf(t, sizeof t, "\r[%s%s] %lld/%lld  %.1f essais/s  reste %.0f s ",
                  std::string(pleins, '#').c_str(), std::string(Largeur - pleins, ' ').c_str(),
                  static_cast<long long>(faits), static_cast<long long>(total), debit, reste);
    erreurs << t << std::flush;
}

int Etudier(OptionsCommande& o, std::ostream& sortie, std::ostream& erreurs, bool terminal) {
    const auto debut = Horloge::now();
    const EntreesLues lues = LireEntrees(o);
    const std::uint64_t graine = GraineChoisie(o);
    const int fils = o.Fils > 0 ? o.Fils : NombreDeCoeurs();
    const std::int64_t K = o.Essais;
    std::vector<std::string> lignes(K);
    std::vector<BilanEssai> bilans(K);
    ExecuterEnParallele(
        K, fils,
        [&](std::int64_t k) {
            const EntreesChaine e = PreparerEntrees(o, lues, GraineEssai(graine, k), true);
            BoxList enAttente, rejetees, solution;
            const ResultatChaine c = ResoudreChaine(e, o, enAttente, rejetees, solution);
            lignes[k] = LigneEssai(k, e, c, o.AvecTemps);
            bool direct = false, permute = false;
            for (const AmasQualifie& a : c.Rapport.Amas) {
                direct = direct || a.Represente == PointRepresente::Direct;
                permute = permute || a.Represente == PointRepresente::Permute;
            }
            bilans[k] = {MeilleurSirAmas(c), direct && permute,
                         c.DirectDansUneBoite && c.PermuteDansUneBoite,
                         c.Rapport.Resultat.Statut == StatutSivia::ArreteALaLimite};
        },
        [&](std::int64_t faits) {
            if (terminal) {
                AfficherProgression(erreurs, faits, K, Depuis(debut));
            }
        });
    if (terminal) {
        erreurs << "\n";
    }
    std::string csv = EnteteEssais(o.AvecTemps);
    for (const std::string& l : lignes) {
        csv += l;
    }
    EcrireTexteAtomiquement(o.SortieEtude, csv);
    sortie << "Graine " << graine << ", " << NomSource(*o.Source1.Type) << " + "
           << NomSource(*o.Source2.Type) << ", " << o.Echantillons << " échantillons, précision "
           << TexteExact(o.Precision) << " ; essais écrits dans " << o.SortieEtude << "\n"
           << ResumeEtude(bilans, Depuis(debut), fils);
    bool arrete = false;
    for (const BilanEssai& b : bilans) {
        arrete = arrete || b.Arrete;
    }
    return arrete ? SortieLimiteMemoire : SortieSucces;
}

bool EstAide(const std::string& mot) {
    return mot == "--help" || mot == "-h" || mot == "aide";
}

// The general help, with what the program does besides its commands.
std::string TexteAideProgramme() {
    return TexteAide() + "\nAussi :\n"
                         "  ovrel5 FICHIER…              ouvre la fenêtre sur ces fichiers "
                         "(session .json, signaux)\n"
                         "  ovrel5 --version             la version du programme\n"
                         "  ovrel5 --exemples            le dossier des voix d'exemple\n";
}

} // namespace

bool OuvreLaFenetre(const std::vector<std::string>& arguments) {
    if (!arguments.empty() && EstLigneDeCommande(arguments[0])) {
        return false;
    }
    for (const std::string& a : arguments) {
        std::error_code erreur;
        if (a.empty() || a[0] == '-' || !std::filesystem::is_regular_file(a, erreur)) {
            return false;
        }
    }
    return true;
}

int ExecuterLigneDeCommande(const std::vector<std::string>& arguments, std::ostream& sortie,
                            std::ostream& erreurs, bool terminal,
                            const DessinateurPavage& dessiner) {
    try {
        if (arguments.empty() || EstAide(arguments[0])) {
            sortie << TexteAideProgramme();
            return SortieSucces;
        }
        if (arguments[0] == "--exemples") {
            const std::filesystem::path dossier = DossierDonnees(DossierProgramme());
            if (!DonneesPresentes(dossier)) {
                throw ErreurFichier(dossier / "voix1.wav", "les voix d'exemple sont introuvables.");
            }
            sortie << dossier.string() << "\n";
            return SortieSucces;
        }
        if (!EstLigneDeCommande(arguments[0])) {
            erreurs << "ovrel5 : « " << arguments[0]
                    << " » n'est ni une commande ni un fichier à ouvrir.\n\n"
                    << TexteAideProgramme();
            return SortieOptionInvalide;
        }
        OptionsCommande o = LireOptions(arguments);
        if (o.Aide) {
            sortie << TexteAide(o.Commande);
            return SortieSucces;
        }
        return o.Commande == SousCommande::Resoudre ? Resoudre(o, sortie, dessiner)
                                                    : Etudier(o, sortie, erreurs, terminal);
    } catch (const ErreurOption& e) {
        erreurs << "ovrel5 : " << e.what() << "\n";
        return SortieOptionInvalide;
    } catch (const ErreurFichier& e) {
        erreurs << "ovrel5 : " << e.what() << "\n";
        return SortieFichierIllisible;
    } catch (const ErreurMemoire& e) {
        erreurs << "ovrel5 : " << e.what()
                << " Choisissez moins d'échantillons (--echantillons).\n";
        return SortieOptionInvalide;
    }
}
