#include "commande/LigneDeCommande.h"

#include "commande/Parallele.h"
#include "commande/Rapport.h"
#include "fichiers/Donnees.h"
#include "fichiers/EcritureAtomique.h"
#include "fichiers/EcritureSignal.h"
#include "fichiers/ErreurFichier.h"
#include "fichiers/ExportPavage.h"
#include "signal/Memoire.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <new>

namespace {

// A file or stream the command writes that cannot be written (exit status 5).
class ErreurEcriture : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Runs an output step: a file error there is a write failure, not an unreadable input.
template <typename Etape> void Ecrire(Etape&& etape) {
    try {
        etape();
    } catch (const ErreurFichier& e) {
        throw ErreurEcriture(e.what());
    }
}

// What the command prints on its standard output, which may be a full disk or a closed pipe.
void Imprimer(std::ostream& sortie, const std::string& texte) {
    sortie << texte << std::flush;
    if (!sortie) {
        throw ErreurEcriture("la sortie standard n'a pas pu être écrite (disque plein ou tube "
                             "fermé ?).");
    }
}

// The JSON library's errors by their numbers, in French: what reached the command without
// being turned into a file's or an option's error.
std::string TexteErreurJson(const nlohmann::json::exception& e) {
    switch (e.id) {
    case 316:
        return "un texte n'est pas de l'UTF-8 valide";
    case 302:
        return "une valeur n'a pas le type attendu";
    case 406:
        return "un nombre est hors de l'étendue des nombres";
    default:
        return e.id >= 100 && e.id < 200 ? "un texte JSON est mal formé"
                                         : "erreur JSON n° " + std::to_string(e.id);
    }
}

// Reads the inputs; a JSON error the session's reader lets through still names the session
// (exit status 3).
EntreesLues LireEntreesNommees(OptionsCommande& o) {
    try {
        return LireEntrees(o);
    } catch (const nlohmann::json::exception& e) {
        if (o.Session.empty()) {
            throw;
        }
        throw ErreurFichier(o.Session, "session illisible : " + TexteErreurJson(e));
    }
}

// Refuses up front, with the window's words, a solve whose kept boxes cannot fit in memory.
void VerifierPlace(const OptionsCommande& o) {
    Box boite(2, 1);
    boite[1] = Interval(o.Boite[0], o.Boite[1]);
    boite[2] = Interval(o.Boite[2], o.Boite[3]);
    if (const std::string refus =
            RefusResolutionTropGrande(boite, o.Precision, o.Stockage, o.Contraintes, 0);
        !refus.empty()) {
        throw ErreurOption(refus);
    }
}

// Delays beyond N/2 can only be told once N is known (it follows the files read).
void VerifierRetards(const OptionsCommande& o, std::int32_t N) {
    if (o.Contraintes.ContrainteDecorrelationRetardee) {
        if (const LectureRetards l = RetardsDeLaChaine(o, N); !l.Erreur.empty()) {
            throw ErreurOption("option --retards : " + l.Erreur);
        }
    }
}

using Horloge = std::chrono::steady_clock;

double Depuis(Horloge::time_point t) {
    return std::chrono::duration<double>(Horloge::now() - t).count();
}

std::uint64_t GraineChoisie(const OptionsCommande& o) {
    return o.Graine ? *o.Graine : std::uint64_t(std::time(nullptr));
}

int Resoudre(OptionsCommande& o, std::ostream& sortie, const DessinateurPavage& dessiner) {
    const auto debut = Horloge::now();
    const EntreesLues lues = LireEntreesNommees(o);
    VerifierPlace(o);
    const EntreesChaine e = PreparerEntrees(o, lues, GraineChoisie(o), o.MatriceAleatoire);
    VerifierRetards(o, e.N);
    BoxList enAttente, rejetees, solution;
    const ResultatChaine c = ResoudreChaine(e, o, enAttente, rejetees, solution);
    if (!o.FichierBoites.empty()) {
        Ecrire([&] { ExporterPavageCsv(o.FichierBoites, rejetees, solution); });
    }
    if (!o.FichierImage.empty()) {
        if (!dessiner) {
            throw ErreurEcriture("Fichier « " + o.FichierImage +
                                 " » : cette version ne sait pas dessiner d'image.");
        }
        Ecrire([&] { dessiner(o.FichierImage, o, e, c, rejetees, solution); });
    }
    // Names are made valid UTF-8 by the report; any other bad text is replaced, not fatal.
    Imprimer(sortie,
             RapportResolution(o, e, c, Depuis(debut))
                     .dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) +
                 "\n");
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
    const EntreesLues lues = LireEntreesNommees(o);
    VerifierPlace(o);
    const std::uint64_t graine = GraineChoisie(o);
    if (o.Contraintes.ContrainteDecorrelationRetardee) {
        // Every trial has the first one's N.
        VerifierRetards(o, PreparerEntrees(o, lues, GraineEssai(graine, 0), true).N);
    }
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
    Ecrire([&] { EcrireTexteAtomiquement(o.SortieEtude, csv); });
    Imprimer(sortie, "Graine " + std::to_string(graine) + ", " + NomSource(*o.Source1.Type) +
                         " + " + NomSource(*o.Source2.Type) + ", " +
                         std::to_string(o.Echantillons) + " échantillons, précision " +
                         TexteExact(o.Precision) + " ; essais écrits dans " + o.SortieEtude + "\n" +
                         ResumeEtude(bilans, Depuis(debut), fils));
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
    } catch (const ErreurEcriture& e) {
        erreurs << "ovrel5 : " << e.what() << "\n";
        return SortieEcritureImpossible;
    } catch (const std::bad_alloc&) {
        erreurs << "ovrel5 : mémoire insuffisante, la commande est abandonnée.\n";
    } catch (const nlohmann::json::exception& e) {
        erreurs << "ovrel5 : erreur inattendue, la commande est abandonnée : " << TexteErreurJson(e)
                << ".\n";
    } catch (const std::exception& e) {
        erreurs << "ovrel5 : erreur inattendue, la commande est abandonnée (détail technique : "
                << e.what() << ").\n";
    } catch (...) {
        erreurs << "ovrel5 : erreur inattendue, la commande est abandonnée.\n";
    }
    return SortieErreurInattendue;
}
