#include "commande/LigneDeCommande.h"

#include "analyse/MethodesClassiques.h"
#include "analyse/Suggestion.h"
#include "commande/Parallele.h"
#include "commande/Rapport.h"
#include "fichiers/Donnees.h"
#include "fichiers/EcritureAtomique.h"
#include "fichiers/EcritureSignal.h"
#include "fichiers/ErreurFichier.h"
#include "fichiers/ExportPavage.h"
#include "interval/Traduction.h"
#include "signal/Memoire.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <new>

namespace {

// What begins every message of the command on its error stream.
std::string Prefixe() {
    return Traduire("LigneDeCommande", "ovrel5 : ");
}

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
        throw ErreurEcriture(Traduire(
            "LigneDeCommande", "la sortie standard n'a pas pu être écrite (disque plein ou tube "
                               "fermé ?)."));
    }
}

// The JSON library's errors by their numbers, in French: what reached the command without
// being turned into a file's or an option's error.
std::string TexteErreurJson(const nlohmann::json::exception& e) {
    switch (e.id) {
    case 316:
        return Traduire("LigneDeCommande", "un texte n'est pas de l'UTF-8 valide");
    case 302:
        return Traduire("LigneDeCommande", "une valeur n'a pas le type attendu");
    case 406:
        return Traduire("LigneDeCommande", "un nombre est hors de l'étendue des nombres");
    default:
        return e.id >= 100 && e.id < 200
                   ? Traduire("LigneDeCommande", "un texte JSON est mal formé")
                   : RemplirModele(Traduire("LigneDeCommande", "erreur JSON n° %1"),
                                   {std::to_string(e.id)});
    }
}

std::string ListeCanaux(const std::string& fichier, const std::vector<std::string>& noms) {
    std::string liste;
    for (const std::string& n : noms) {
        liste +=
            (liste.empty() ? "" : ", ") + RemplirModele(Traduire("LigneDeCommande", "« %1 »"), {n});
    }
    return RemplirModele(
        Traduire("LigneDeCommande", "le fichier « %1 » a %2 canaux ou colonnes : %3"),
        {fichier, std::to_string(noms.size()), liste});
}

// A file source's channel named by the header becomes its number; a file of several channels
// with none chosen is refused rather than read at its first (often a time column).
void ChoisirCanal(const char* option, SourceDemandee& s) {
    if (s.Type || (s.Canal > 0 && s.NomCanal.empty())) {
        return;
    }
    const std::vector<std::string> noms = NomsDesCanaux(s.Fichier);
    if (!s.NomCanal.empty()) {
        const int k = CanalNomme(noms, s.NomCanal);
        if (k < 0) {
            throw ErreurOption(RemplirModele(
                Traduire("LigneDeCommande", "option %1 : aucun canal ne s'appelle « %2 » ; %3."),
                {option, s.NomCanal, ListeCanaux(s.Fichier, noms)}));
        }
        s.Canal = k + 1;
        s.NomCanal.clear();
    } else if (noms.size() > 1) {
        throw ErreurOption(RemplirModele(
            Traduire("LigneDeCommande",
                     "option %1 : %2 ; choisissez-en un par son numéro (%3:2) ou son nom (%3:%4)."),
            {option, ListeCanaux(s.Fichier, noms), s.Fichier, noms[1]}));
    }
}

// Mixtures are one file of two channels or two files of one: any other count is refused
// rather than read at the first channels.
void VerifierCanauxMelanges(const std::vector<std::string>& fichiers) {
    for (const std::string& f : fichiers) {
        const std::vector<std::string> noms = NomsDesCanaux(f);
        if (noms.size() > 3 - fichiers.size()) {
            throw ErreurOption(RemplirModele(
                fichiers.size() == 1
                    ? Traduire("LigneDeCommande", "option --melanges : %1 ; il en faut deux.")
                    : Traduire("LigneDeCommande",
                               "option --melanges : %1 ; il en faut un par fichier."),
                {ListeCanaux(f, noms)}));
        }
    }
}

// Reads the inputs; a JSON error the session's reader lets through still names the session
// (exit status 3). Sources read of different lengths are said on `erreurs`.
EntreesLues LireEntreesNommees(OptionsCommande& o, std::ostream& erreurs) {
    ChoisirCanal("--source1", o.Source1);
    ChoisirCanal("--source2", o.Source2);
    VerifierCanauxMelanges(o.FichiersMelanges);
    EntreesLues lues;
    try {
        lues = LireEntrees(o);
    } catch (const nlohmann::json::exception& e) {
        if (o.Session.empty()) {
            throw;
        }
        throw ErreurFichier(o.Session,
                            RemplirModele(Traduire("LigneDeCommande", "session illisible : %1"),
                                          {TexteErreurJson(e)}));
    }
    if (lues.Fichier1 && lues.Fichier2 &&
        lues.Fichier1->Echantillons.size() != lues.Fichier2->Echantillons.size()) {
        const std::size_t n1 = lues.Fichier1->Echantillons.size();
        const std::size_t n2 = lues.Fichier2->Echantillons.size();
        erreurs << Prefixe()
                << RemplirModele(
                       Traduire("LigneDeCommande",
                                "les sources n'ont pas la même longueur (%1 et %2 échantillons) : "
                                "la plus longue est coupée à %3.\n"),
                       {std::to_string(n1), std::to_string(n2), std::to_string(std::min(n1, n2))});
        // Cut here: N then follows the shorter whichever source it is.
        lues.Fichier1->Echantillons.resize(std::min(n1, n2));
        lues.Fichier2->Echantillons.resize(std::min(n1, n2));
    }
    if (lues.MelangesFichiers) {
        for (const std::string& r : lues.MelangesFichiers->Remarques) {
            erreurs << Prefixe() << r << "\n";
        }
    }
    return lues;
}

// `--boite auto`: a box holding both exact roots, or the points of the classic methods that
// converged when a root is missing, with a margin; the given box when they already lie in it.
void ChoisirBoite(OptionsCommande& o, const EntreesChaine& e) {
    if (!o.BoiteAuto) {
        return;
    }
    const RacinesOrdre2 r = CalculerRacinesOrdre2(e.M.Moments);
    std::vector<std::optional<PointPlan>> points = {r.Racine1, r.Racine2};
    if (!r.Racine1 || !r.Racine2) {
        points.clear();
        for (const ReponseClassique& m : CalculerMethodesClassiques(e.M, e.N)) {
            if (m.Converge) {
                points.insert(points.end(), {m.Point, m.Permutation});
            }
        }
    }
    const RectanglePlan b =
        ProposerBoite(points, {o.BorneInfX, o.BorneSupX, o.BorneInfY, o.BorneSupY}).Boite;
    std::tie(o.BorneInfX, o.BorneSupX, o.BorneInfY, o.BorneSupY) =
        std::tuple(b.xmin, b.xmax, b.ymin, b.ymax);
}

// The point of `--estimees`: given, a cluster's by its number, or the best cluster's (the
// first whose exact point is a solution, else the first). A cluster that does not exist is a
// bad value (exit status 2), told before anything is written.
PointPlan PointDesEstimees(const OptionsCommande& o, const ResultatChaine& c,
                           std::ostream& erreurs) {
    const std::vector<AmasQualifie>& amas = c.Rapport.Amas;
    if (o.PointEstimees) {
        return *o.PointEstimees;
    }
    if (o.AmasEstimees > 0 || amas.empty()) {
        const std::size_t n = std::size_t(std::max(o.AmasEstimees, 1));
        if (n > amas.size()) {
            throw ErreurOption(RemplirModele(
                Traduire("LigneDeCommande", "option %1 : l'amas %2 n'existe pas, la résolution en "
                                            "a trouvé %3 (donnez le point avec --point x,y)."),
                {o.AmasEstimees > 0 ? "--amas" : "--estimees", std::to_string(n),
                 std::to_string(amas.size())}));
        }
        return amas[n - 1].Exact.Point;
    }
    if (const auto p = PremierPointSolution(amas)) {
        return *p;
    }
    erreurs << Prefixe()
            << Traduire("LigneDeCommande",
                        "aucun amas n'a de point solution ; les sources sont estimées au point "
                        "exact de l'amas 1.\n");
    return amas.front().Exact.Point;
}

using Horloge = std::chrono::steady_clock;

double Depuis(Horloge::time_point t) {
    return std::chrono::duration<double>(Horloge::now() - t).count();
}

std::uint64_t GraineChoisie(const OptionsCommande& o) {
    return o.Graine ? *o.Graine : std::uint64_t(std::time(nullptr));
}

int Resoudre(OptionsCommande& o, std::ostream& sortie, std::ostream& erreurs,
             const DessinateurPavage& dessiner) {
    const auto debut = Horloge::now();
    const EntreesLues lues = LireEntreesNommees(o, erreurs);
    const EntreesChaine e = PreparerEntrees(o, lues, GraineChoisie(o), o.MatriceAleatoire);
    ChoisirBoite(o, e);
    VerifierPlace(o);
    VerifierRetards(o, e.N);
    BoxList enAttente, rejetees, solution;
    const ResultatChaine c = ResoudreChaine(e, o, enAttente, rejetees, solution);
    if (!o.FichierEstimees.empty()) {
        const PointPlan p = PointDesEstimees(o, c, erreurs);
        const SourcesEstimees s =
            CalculerSourcesEstimees(p.x, p.y, e.M.Melange1, e.M.Melange2, e.N, PasCommande);
        Ecrire([&] {
            EcrireSignaux(
                o.FichierEstimees,
                {{"source_estimee1", &s.SourceEstimee1}, {"source_estimee2", &s.SourceEstimee2}},
                e.Frequence);
        });
    }
    if (!o.FichierBoites.empty()) {
        Ecrire([&] { ExporterPavageCsv(o.FichierBoites, rejetees, solution); });
    }
    if (!o.FichierImage.empty()) {
        if (!dessiner) {
            throw ErreurEcriture(RemplirModele(
                Traduire("LigneDeCommande",
                         "Fichier « %1 » : cette version ne sait pas dessiner d'image."),
                {o.FichierImage}));
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
    erreurs << "\r[" << std::string(pleins, '#') << std::string(Largeur - pleins, ' ') << "] "
            << RemplirModele(Traduire("LigneDeCommande", "%1/%2  %3 essais/s  reste %4 s "),
                             {std::to_string(faits), std::to_string(total), TexteDecimal(debit, 1),
                              TexteDecimal(reste, 0)})
            << std::flush;
}

int Etudier(OptionsCommande& o, std::ostream& sortie, std::ostream& erreurs, bool terminal) {
    const auto debut = Horloge::now();
    const EntreesLues lues = LireEntreesNommees(o, erreurs);
    VerifierPlace(o);
    const std::uint64_t graine = GraineChoisie(o);
    if (o.ContrainteDecorrelationRetardee) {
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
    Imprimer(
        sortie,
        RemplirModele(
            Traduire("LigneDeCommande",
                     "Graine %1, %2 + %3, %4 échantillons, précision %5 ; essais écrits dans %6\n"),
            {std::to_string(graine), NomSource(*o.Source1.Type), NomSource(*o.Source2.Type),
             std::to_string(o.NbEchantillons), TexteExact(o.PrecisionSivia), o.SortieEtude}) +
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
    return TexteAide() +
           Traduire("LigneDeCommande",
                    "\nAussi :\n"
                    "  ovrel5 FICHIER…              ouvre la fenêtre sur ces fichiers "
                    "(session .json, signaux)\n"
                    "  ovrel5 --version             la version du programme\n"
                    "  ovrel5 --exemples            le dossier des voix d'exemple\n");
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
            VerifierDonneesPresentes(dossier);
            sortie << dossier.string() << "\n";
            return SortieSucces;
        }
        if (!EstLigneDeCommande(arguments[0])) {
            erreurs << Prefixe()
                    << RemplirModele(
                           Traduire("LigneDeCommande",
                                    "« %1 » n'est ni une commande ni un fichier à ouvrir.\n\n"),
                           {arguments[0]})
                    << TexteAideProgramme();
            return SortieOptionInvalide;
        }
        OptionsCommande o = LireOptions(arguments);
        if (o.Aide) {
            sortie << TexteAide(o.Commande);
            return SortieSucces;
        }
        return o.Commande == SousCommande::Resoudre ? Resoudre(o, sortie, erreurs, dessiner)
                                                    : Etudier(o, sortie, erreurs, terminal);
    } catch (const ErreurOption& e) {
        erreurs << Prefixe() << e.what() << "\n";
        return SortieOptionInvalide;
    } catch (const ErreurFichier& e) {
        erreurs << Prefixe() << e.what() << "\n";
        return SortieFichierIllisible;
    } catch (const ErreurMemoire& e) {
        erreurs << Prefixe()
                << RemplirModele(Traduire("LigneDeCommande",
                                          "%1 Choisissez moins d'échantillons (--echantillons).\n"),
                                 {e.what()});
        return SortieOptionInvalide;
    } catch (const ErreurEcriture& e) {
        erreurs << Prefixe() << e.what() << "\n";
        return SortieEcritureImpossible;
    } catch (const std::bad_alloc&) {
        erreurs << Prefixe()
                << Traduire("LigneDeCommande",
                            "mémoire insuffisante, la commande est abandonnée.\n");
    } catch (const nlohmann::json::exception& e) {
        erreurs << Prefixe()
                << RemplirModele(Traduire("LigneDeCommande",
                                          "erreur inattendue, la commande est abandonnée : %1.\n"),
                                 {TexteErreurJson(e)});
    } catch (const std::exception& e) {
        erreurs
            << Prefixe()
            << RemplirModele(
                   Traduire(
                       "LigneDeCommande",
                       "erreur inattendue, la commande est abandonnée (détail technique : %1).\n"),
                   {e.what()});
    } catch (...) {
        erreurs << Prefixe()
                << Traduire("LigneDeCommande", "erreur inattendue, la commande est abandonnée.\n");
    }
    return SortieErreurInattendue;
}
