#include "commande/Options.h"

#include "fichiers/EcritureSignal.h"
#include "interval/Traduction.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <functional>
#include <ranges>
#include <sstream>
#include <tuple>

namespace {

// The kinds' names in the order of TypeSource.
constexpr const char* NomsDeSources[] = {"gauss",  "uniforme", "cosinus", "sinus",
                                         "colore", "carre",    "scie",    "laplace"};

// The texts `texte(p)` of `parts`, separated by `separateur`.
template <typename Liste, typename Texte = std::identity>
std::string Joindre(Liste&& parts, const char* separateur, Texte texte = {}) {
    std::string joint;
    for (const auto& p : parts) {
        joint.append(joint.empty() ? "" : separateur).append(texte(p));
    }
    return joint;
}
std::string ListeSources(const char* separateur = "|") {
    return Joindre(NomsDeSources, separateur);
}
std::string ListeContraintes(const char* separateur, const Reglages* actives = nullptr) {
    return Joindre(ContraintesNommees | std::views::filter([actives](auto& c) {
                       return !actives || actives->*std::get<2>(c);
                   }),
                   separateur, [](auto& c) { return std::get<0>(c); });
}

[[noreturn]] void Refuser(const std::string& option, const std::string& valeur,
                          const std::string& attendu) {
    throw ErreurOption(
        RemplirModele(Traduire("Options", "option %1 : « %2 » n'est pas valable, %3 est attendu."),
                      {option, valeur, attendu}));
}

// The whole text as a number, "." as separator whatever the locale; a double must be finite.
template <typename Nombre> std::optional<Nombre> Lire(const std::string& texte) {
    Nombre v = 0;
    const char* fin = texte.data() + texte.size();
    const auto [p, ec] = std::from_chars(texte.data(), fin, v);
    if (ec != std::errc() || p != fin || !std::isfinite(double(v))) {
        return std::nullopt;
    }
    return v;
}

// The parts between separators, the empty ones included (none for an empty text).
std::vector<std::string> Decouper(const std::string& texte, char separateur) {
    std::vector<std::string> parts;
    for (const auto& p : std::views::split(texte, separateur)) {
        parts.emplace_back(p.begin(), p.end());
    }
    return parts;
}

// A value its option refuses: the option's description says what it expects instead.
struct Refus {};

// `nombre` numbers separated by `separateur`, each read by Lire<Nombre> and kept by `garde`.
template <typename Nombre = double>
std::vector<Nombre> LireListe(const std::string& texte, std::size_t nombre, char separateur = ',',
                              const std::function<bool(Nombre)>& garde = {}) {
    std::vector<Nombre> v;
    for (const std::string& p : Decouper(texte, separateur)) {
        const auto x = Lire<Nombre>(p);
        v.push_back(x && (!garde || garde(*x)) ? *x : throw Refus{});
    }
    return v.size() == nombre ? v : throw Refus{};
}

// A kind, or a file with its channel: "file:2" by number, "file:nom" by the header's name,
// unless the whole text names an existing file (a path may hold colons). A plain word that
// is neither a kind nor a file is a mistyped kind, not a missing file.
SourceDemandee LireSource(const std::string& option, const std::string& texte) {
    if (const auto n = std::ranges::find(NomsDeSources, texte); n != std::end(NomsDeSources)) {
        return {TypeSource(n - std::begin(NomsDeSources)), {}, 0, {}};
    }
    std::error_code erreur;
    const bool existe = !texte.empty() ? std::filesystem::exists(texte, erreur) : throw Refus{};
    const std::size_t p = texte.rfind(':');
    if (!existe && p != std::string::npos && p > 0) {
        const std::string suite = texte.substr(p + 1);
        if (const auto canal = Lire<int>(suite); canal && *canal < 1) {
            Refuser(option, texte,
                    Traduire("Options", "un canal compté à partir de 1 (FICHIER:canal)"));
        } else if (canal || (!suite.empty() && suite.find('/') == std::string::npos)) {
            return {std::nullopt, texte.substr(0, p), canal.value_or(0), canal ? "" : suite};
        }
    }
    if (existe || texte.find_first_of("/.:") != std::string::npos) {
        return {std::nullopt, texte, 0, {}};
    }
    // The kind sharing the longest beginning with the word.
    const auto commun = [&texte](const char* nom) {
        return std::mismatch(texte.begin(), texte.end(), nom).first - texte.begin();
    };
    throw ErreurOption(RemplirModele(
        Traduire("Options", "option %1 : sorte inconnue « %2 » (la plus proche : « %3 ») ; les "
                            "sortes sont %4, ou un fichier de signal FICHIER[:canal]."),
        {option, texte, *std::ranges::max_element(NomsDeSources, {}, commun), ListeSources(", ")}));
}

void LireContraintes(Reglages& r, const std::string& v) {
    r.FixerContraintes({false, false, false});
    for (const std::string& nom : Decouper(v, ',')) {
        const auto k =
            std::ranges::find(ContraintesNommees, nom, [](auto& n) { return std::get<0>(n); });
        r.*(k == std::end(ContraintesNommees) ? throw Refus{} : std::get<2>(*k)) = true;
    }
}

using Texte = const std::string&;

// The commands that take an option, as bits.
constexpr int Resoudre = 1, Etude = 2, Toutes = Resoudre | Etude;

// One option: its name, the form of its value (none for a flag), the commands that take it,
// its default (its target's value as typed), its help, what it expects, its reader, which
// fills the target or throws Refus, and the options before it that it excludes, or needs when
// marked "+". Mixtures read stand for the sources and the matrix, a point for a cluster; an
// option that serves another one only would be ignored without it: all refused.
struct DescriptionOption {
    const char *Nom, *Forme;
    int Commandes;
    std::string Defaut, Aide, Attendu;
    std::function<void(Texte)> Lire;
    const char* Regles = "";
};

// Reads the value of `d`, or refuses it saying what `d` expects.
void LireValeur(const DescriptionOption& d, Texte v) try { d.Lire(v); } catch (const Refus&) {
    Refuser(d.Nom, v, d.Attendu);
}

// The readers of the common forms: a whole number from `min` to `max`; a file name, never
// empty (it would silently write or read nothing), with one of `extensions` (in any case) when
// some are given.
std::function<void(Texte)> Entier(std::int32_t& cible, std::int32_t min,
                                  std::int32_t max = INT32_MAX) {
    return [&cible, min, max](Texte v) {
        cible = LireListe<std::int32_t>(v, 1, ',', [=](int n) { return n >= min && n <= max; })[0];
    };
}
std::function<void(Texte)> Fichier(std::string& cible, std::vector<std::string> extensions = {}) {
    return [&cible, extensions](Texte v) {
        std::string ext = std::filesystem::path(v).extension().string();
        std::ranges::transform(ext, ext.begin(), ::tolower);
        const bool refus =
            extensions.empty() ? v.empty() : std::ranges::count(extensions, ext) == 0;
        cible = refus ? throw Refus{} : v;
    };
}
std::string OuiNon(bool v) {
    return v ? Traduire("Options", "oui") : Traduire("Options", "non");
}
std::string OuAucun(Texte v) {
    return v.empty() ? Traduire("Options", "aucun") : v;
}

// Every option of both commands in the order of their help, filling `o`.
std::vector<DescriptionOption> Descriptions(OptionsCommande& o) {
    const bool resoudre = o.Commande == SousCommande::Resoudre;
    const auto nombres = [](std::initializer_list<double> n) {
        return Joindre(n, ",", TexteExact);
    };
    const std::string sortes =
        RemplirModele(Traduire("Options", "%1 ou FICHIER[:canal]"), {ListeSources()});
    const std::string fichier = Traduire("Options", "un nom de fichier");
    const Matrice2x2 m = MatriceParDefaut();
    return {
        {"--source1", "SORTE|FICHIER[:canal|:nom]", Toutes, NomSource(*o.Source1.Type),
         Traduire("Options", "première source : une sorte générée ou un fichier de signal (audio "
                             "ou texte) et son canal, par numéro ou par le nom de sa colonne"),
         sortes, [&o](Texte v) { o.Source1 = LireSource("--source1", v); }},
        {"--source2", "SORTE|FICHIER[:canal|:nom]", Toutes, NomSource(*o.Source2.Type),
         Traduire("Options", "seconde source, comme --source1"), sortes,
         [&o](Texte v) { o.Source2 = LireSource("--source2", v); }},
        {"--session", "FICHIER", Toutes, OuAucun(o.Session),
         Traduire("Options", "une session enregistrée par la fenêtre"), fichier,
         Fichier(o.Session)},
        {"--melanges", "FICHIER[,FICHIER]", Resoudre, OuAucun(""),
         Traduire("Options", "les mélanges x1 et x2 lus directement : un fichier à deux canaux ou "
                             "deux fichiers d'un canal (la matrice vraie est alors inconnue)"),
         Traduire("Options", "un ou deux fichiers séparés par une virgule"),
         [&o](Texte v) {
             o.FichiersMelanges = Decouper(v, ',');
             o.FichiersMelanges.size() > 2 || v.empty() ? throw Refus{} : void();
         },
         "--session --source1 --source2"},
        {"--matrice", "a11,a12,a21,a22", Resoudre, nombres({m.a11, m.a12, m.a21, m.a22}),
         Traduire("Options", "la matrice de mélange"),
         Traduire("Options", "quatre nombres a11,a12,a21,a22"),
         [&o](Texte v) {
             const auto a = LireListe(v, 4);
             o.Matrice = Matrice2x2{a[0], a[1], a[2], a[3]};
             if (!o.Matrice->EstConnue()) {
                 Refuser("--matrice", v, Traduire("Options", "une matrice non nulle"));
             }
             if (const std::string defaut = DefautMatrice(*o.Matrice); !defaut.empty()) {
                 throw ErreurOption(
                     RemplirModele(Traduire("Options", "option %1 : %2."), {"--matrice", defaut}));
             }
         },
         "--melanges"},
        {"--matrice-aleatoire", nullptr, Resoudre, OuiNon(o.MatriceAleatoire),
         Traduire("Options",
                  "une matrice [[1, b], [c, 1]] tirée du générateur, b et c dans [-1, 1["),
         "", [&o](Texte) { o.MatriceAleatoire = true; }, "--melanges --matrice"},
        {"--graine", "ENTIER", Toutes, Traduire("Options", "l'horloge"),
         Traduire("Options", "le départ du générateur (rapporté, pour rejouer une exécution)"),
         Traduire("Options", "un entier positif ou nul"),
         [&o](Texte v) { o.Graine = LireListe<std::uint64_t>(v, 1)[0]; }},
        {"--echantillons", "N", Toutes, std::to_string(o.NbEchantillons),
         Traduire("Options", "le nombre d'échantillons des sources générées"),
         Traduire("Options", "un entier d'au moins 2"), Entier(o.NbEchantillons, 2)},
        {"--boite", resoudre ? "xmin,xmax,ymin,ymax|auto" : "xmin,xmax,ymin,ymax", Toutes,
         nombres({o.BorneInfX, o.BorneSupX, o.BorneInfY, o.BorneSupY}),
         resoudre ? Traduire("Options",
                             "la boîte de recherche ; auto : une boîte qui tient les deux "
                             "solutions (racines exactes ou méthodes classiques), avec une marge")
                  : Traduire("Options", "la boîte de recherche"),
         resoudre ? Traduire("Options", "quatre nombres finis xmin,xmax,ymin,ymax ou auto")
                  : Traduire("Options", "quatre nombres finis xmin,xmax,ymin,ymax"),
         [&o, resoudre](Texte v) {
             o.BoiteAuto = resoudre && v == "auto";
             if (!o.BoiteAuto) {
                 const auto b = LireListe(v, 4);
                 std::tie(o.BorneInfX, o.BorneSupX, o.BorneInfY, o.BorneSupY) =
                     std::tuple(b[0], b[1], b[2], b[3]);
             }
             if (o.BorneInfX == o.BorneSupX || o.BorneInfY == o.BorneSupY) {
                 Refuser("--boite", v,
                         Traduire("Options", "une boîte de largeur non nulle en x et en y"));
             }
         }},
        {"--precision", "REEL", Toutes, TexteExact(o.PrecisionSivia),
         Traduire("Options", "la précision de SIVIA (largeur des boîtes gardées)"),
         Traduire("Options", "un nombre strictement positif"),
         [&o](Texte v) {
             o.PrecisionSivia = LireListe<double>(v, 1, ',', [](double x) { return x > 0; })[0];
         }},
        {"--contraintes", "LISTE", Toutes, ListeContraintes(",", &o),
         RemplirModele(
             Traduire("Options", "les contraintes actives parmi %1 (séparées par des virgules)"),
             {ListeContraintes(", ")}),
         RemplirModele(Traduire("Options", "une liste de %1 (ou une liste vide)"),
                       {ListeContraintes(", ")}),
         [&o](Texte v) { LireContraintes(o, v); }},
        {"--retards", "LISTE", Toutes, o.Retards,
         Traduire("Options", "les retards de la décorrélation retardée (contrainte retards) : des "
                             "entiers distincts de 1 à N/2"),
         "", [&o](Texte v) { o.Retards = v; }},
        {"--stockage", "file|pile", Toutes, o.Stockage == StockageFile ? "file" : "pile",
         Traduire("Options",
                  "l'ordre des boîtes en attente : file (en largeur) ou pile (en profondeur)"),
         Traduire("Options", "file ou pile"),
         [&o](Texte v) {
             o.Stockage = v == "file" ? StockageFile : v == "pile" ? StockagePile : throw Refus{};
         }},
        {"--essais", "N", Etude, std::to_string(o.Essais),
         Traduire("Options", "le nombre de matrices aléatoires [[1, b], [c, 1]] essayées"),
         Traduire("Options", "un entier d'au moins 1"), Entier(o.Essais, 1)},
        {"--fils", "N", Etude, Traduire("Options", "tous les cœurs"),
         Traduire("Options", "le nombre de fils de calcul"),
         Traduire("Options", "un entier de 1 à 1024"), Entier(o.Fils, 1, 1024)},
        {"--sortie", "FICHIER.csv", Etude, OuAucun(o.SortieEtude),
         Traduire("Options", "le fichier CSV des essais, une ligne par essai"), fichier,
         Fichier(o.SortieEtude)},
        {"--avec-temps", nullptr, Etude, OuiNon(o.AvecTemps),
         Traduire("Options", "ajoute au CSV le temps de chaque essai (le fichier n'est alors plus "
                             "identique d'une exécution à l'autre)"),
         "", [&o](Texte) { o.AvecTemps = true; }},
        {"--boites", "FICHIER.csv", Resoudre, OuAucun(o.FichierBoites),
         Traduire("Options", "écrit les boîtes rejetées et gardées en CSV"), fichier,
         Fichier(o.FichierBoites)},
        {"--image", "FICHIER.png|.svg|.pdf", Resoudre, Traduire("Options", "aucune"),
         Traduire("Options",
                  "dessine le pavage avec ses axes, ses repères et la carte du RSI, sans écran"),
         Traduire("Options", "un fichier .png, .svg ou .pdf"),
         Fichier(o.FichierImage, {".png", ".svg", ".pdf"})},
        {"--taille", "LxH", Resoudre,
         std::to_string(o.TailleImage[0]) + "x" + std::to_string(o.TailleImage[1]),
         Traduire("Options", "la taille de l'image en pixels (avec --image)"),
         Traduire("Options", "une taille LxH en pixels (de 200 à 5000 chacun)"),
         [&o](Texte v) {
             const auto garde = [](int c) { return c >= CoteImageMin && c <= CoteImageMax; };
             std::ranges::copy(LireListe<int>(v, 2, 'x', garde), o.TailleImage);
         },
         "+--image"},
        {"--estimees", "FICHIER.wav|.csv", Resoudre, OuAucun(o.FichierEstimees),
         Traduire("Options", "écrit les deux sources estimées au point exact du meilleur amas (le "
                             "premier dont le point est une solution), ou à --point, ou à --amas"),
         Traduire("Options", "un fichier .wav ou .csv"),
         Fichier(o.FichierEstimees, {".wav", ".csv"})},
        {"--point", "x,y", Resoudre, OuAucun(""),
         Traduire("Options", "le point où estimer les sources (avec --estimees)"),
         Traduire("Options", "deux nombres finis x,y"),
         [&o](Texte v) {
             const auto p = LireListe(v, 2);
             o.PointEstimees = PointPlan{p[0], p[1]};
         },
         "+--estimees"},
        {"--amas", "N", Resoudre, OuAucun(""),
         Traduire("Options", "estime les sources au point exact de cet amas, numéroté comme dans "
                             "le rapport (avec --estimees)"),
         Traduire("Options", "un numéro d'amas à partir de 1"), Entier(o.AmasEstimees, 1),
         "--point +--estimees"},
    };
}

std::optional<SousCommande> LireSousCommande(const std::string& mot) {
    return mot == "resoudre" ? SousCommande::Resoudre
           : mot == "etude"  ? std::optional(SousCommande::Etude)
                             : std::nullopt;
}

// The options a command takes, registered on an application of its own, each filling its
// target in the command's options; the defaults in the help are the targets' values here.
struct Commande {
    OptionsCommande Lues;
    CLI::App App;
    explicit Commande(SousCommande c)
        : App("", c == SousCommande::Resoudre ? "resoudre" : "etude") {
        Lues.Commande = c;
        App.allow_extras();
        App.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
        for (const DescriptionOption& d : Descriptions(Lues)) {
            if ((d.Commandes & (c == SousCommande::Resoudre ? Resoudre : Etude)) == 0) {
                continue;
            }
            // The options given are kept by name (a session fills the others).
            const auto lire = [this, d](Texte v) {
                LireValeur(d, v);
                Lues.Donnees.insert(d.Nom);
            };
            CLI::Option* o =
                d.Forme ? App.add_option_function<std::string>(d.Nom, lire)->type_name(d.Forme)
                        : App.add_flag_function(d.Nom, [lire](std::int64_t) { lire(""); })
                              ->disable_flag_override();
            o->description(d.Aide)->default_str(d.Defaut);
            for (const std::string& autre : Decouper(d.Regles, ' ')) {
                autre[0] == '+' ? o->needs(autre.substr(1)) : o->excludes(autre);
            }
        }
        App.set_help_flag("-h,--help", Traduire("Options", "cette aide"));
    }
};

// CLI11's own errors said in the program's language, from the options its message names.
std::string MessageErreur(const CLI::App& app, const CLI::ParseError& erreur) {
    std::vector<const CLI::Option*> nommees;
    std::istringstream mots(erreur.what());
    for (std::string mot; mots >> mot;) {
        mot.erase(0, mot.find_first_not_of('-'));
        mot.erase(mot.find_last_not_of(':') + 1);
        if (const CLI::Option* o = app.get_option_no_throw("--" + mot)) {
            nommees.push_back(o);
        }
    }
    const auto nom = [&](std::size_t k) {
        return k < nommees.size() ? nommees[k]->get_name() : "";
    };
    const std::string forme = nommees.empty() ? "" : nommees[0]->get_type_name();
    const char* modele =
        nommees.empty()
            ? OVREL_TEXTE("Options", "les arguments de %3 sont mal formés : voir ovrel5 %3 --help.")
        : dynamic_cast<const CLI::ExcludesError*>(&erreur)
            ? OVREL_TEXTE("Options", "options %1 et %2 : une seule des deux est permise.")
        : dynamic_cast<const CLI::RequiresError*>(&erreur)
            ? OVREL_TEXTE("Options", "option %1 : elle ne sert qu'avec %2.")
        : forme.empty() ? OVREL_TEXTE("Options", "option %1 : elle ne prend pas de valeur.")
                        : OVREL_TEXTE("Options", "option %1 : une valeur est attendue (%4).");
    return RemplirModele(Traduire("Options", modele), {nom(0), nom(1), app.get_name(), forme});
}

// One line of a help: the option and its form, then its description at the 37th column.
std::string LigneAide(std::string tete, const std::string& description) {
    tete += tete.size() < 36 ? std::string(36 - tete.size(), ' ') : "\n" + std::string(36, ' ');
    return tete + description + "\n";
}

} // namespace

void AppliquerReglages(OptionsCommande& o, const Reglages& r) {
    const auto copier = [&o, &r](const char* nom, auto... champs) {
        ((o.*champs = o.Donnees.count(nom) ? o.*champs : r.*champs), ...);
    };
    copier("--boite", &Reglages::BorneInfX, &Reglages::BorneSupX, &Reglages::BorneInfY,
           &Reglages::BorneSupY);
    copier("--echantillons", &Reglages::NbEchantillons);
    copier("--precision", &Reglages::PrecisionSivia);
    copier("--stockage", &Reglages::Stockage);
    copier("--retards", &Reglages::Retards);
    for (const auto& [nom, active, reglage] : ContraintesNommees) {
        copier("--contraintes", reglage);
    }
}

Matrice2x2 MatriceParDefaut() {
    return {1, 0.5, -0.4, 1};
}

std::string NomSource(TypeSource type) {
    return NomsDeSources[int(type)];
}

bool EstLigneDeCommande(const std::string& mot) {
    return LireSousCommande(mot).has_value() || mot == "--help" || mot == "-h" || mot == "aide";
}

OptionsCommande LireOptions(const std::vector<std::string>& arguments) {
    const auto commande = LireSousCommande(arguments.empty() ? "" : arguments[0]);
    if (!commande) {
        throw ErreurOption(
            arguments.empty()
                ? Traduire("Options", "une sous-commande est attendue : resoudre ou etude.")
                : RemplirModele(
                      Traduire("Options",
                               "sous-commande inconnue « %1 » : resoudre ou etude est attendue."),
                      {arguments[0]}));
    }
    Commande c(*commande);
    OptionsCommande& o = c.Lues;
    // CLI11 takes its arguments last first, and reads "--nom=" as a missing value: here it is
    // an empty one.
    std::vector<std::string> suite;
    for (auto a = arguments.rbegin(); a + 1 != arguments.rend(); ++a) {
        if (a->size() > 3 && a->starts_with("--") && a->find('=') + 1 == a->size()) {
            suite.insert(suite.end(), {"", a->substr(0, a->size() - 1)});
        } else {
            suite.push_back(*a);
        }
    }
    try {
        c.App.parse(suite);
    } catch (const CLI::CallForHelp&) {
        o.Aide = true;
        return o;
    } catch (const CLI::ParseError& e) {
        throw ErreurOption(MessageErreur(c.App, e));
    }
    if (const std::vector<std::string> reste = c.App.remaining(); !reste.empty()) {
        const std::string& mot = reste.front();
        // An option of the other command only: said so.
        OptionsCommande autre;
        const bool ailleurs = mot.starts_with("--") &&
                              std::ranges::count(Descriptions(autre), mot.substr(0, mot.find('=')),
                                                 &DescriptionOption::Nom) > 0;
        throw ErreurOption(RemplirModele(
            mot[0] == '-'
                ? Traduire("Options", "option inconnue « %1 » pour %2%3 : voir ovrel5 %2 --help.")
                : Traduire("Options",
                           "argument inattendu « %1 » pour %2%3 : voir ovrel5 %2 --help."),
            {mot, arguments[0],
             ailleurs ? Traduire("Options", " (elle ne s'applique qu'à l'autre commande)") : ""}));
    }
    if (const auto defaut = VerifierReglages(o)) {
        throw ErreurOption(RemplirModele(Traduire("Options", "option %1 : %2."),
                                         {defaut->Option, defaut->Raison}));
    }
    return o;
}

std::string TexteAide() {
    return Traduire(
        "Options",
        "Ovrel 5 — séparation aveugle d'un mélange linéaire instantané de deux signaux.\n\nUsage "
        ":\n  ovrel5                       ouvre la fenêtre\n  ovrel5 resoudre [options]    une "
        "résolution, rapport JSON sur la sortie\n  ovrel5 etude [options]       une étude de "
        "Monte-Carlo sur des matrices aléatoires\n  ovrel5 <commande> --help     les options d'une "
        "commande et leurs valeurs par défaut\n  ovrel5 … --langue fr|en      la langue des textes "
        ": français (par défaut) ou anglais\n\nCodes de sortie : 0 succès, 1 erreur inattendue, 2 "
        "option ou valeur invalide,\n3 fichier illisible, 4 résolution arrêtée à la limite de "
        "mémoire (le rapport est\nécrit quand même), 5 écriture impossible (fichier ou sortie "
        "standard).\n");
}

std::string TexteAide(SousCommande commande) {
    const Commande c(commande);
    std::string texte =
        commande == SousCommande::Resoudre
            ? Traduire("Options", "Usage : ovrel5 resoudre [options]\nGénère ou lit les sources, "
                                  "les mélange, pave la boîte de recherche avec SIVIA, analyse le "
                                  "pavage\net écrit un rapport JSON sur la sortie standard.\n")
            : Traduire("Options",
                       "Usage : ovrel5 etude [options]\nRésout K mélanges par des matrices "
                       "aléatoires [[1, b], [c, 1]] (l'essai k a son propre flux,\ntiré de la "
                       "graine et de k), écrit une ligne CSV par essai et affiche un résumé.\n");
    texte += RemplirModele(Traduire("Options", "\nSortes de sources : %1.\n\nOptions :\n"),
                           {ListeSources()});
    const std::string defaut = Traduire("Options", " (défaut : %1)");
    for (const CLI::Option* o : c.App.get_options()) {
        const std::string forme = o->get_type_name(), valeur = o->get_default_str();
        texte += LigneAide("  " + o->get_name() + (forme.empty() ? "" : " " + forme),
                           o->get_description() +
                               (valeur.empty() ? "" : RemplirModele(defaut, {valeur})));
    }
    // Chosen before the command reads its options, anywhere on the line: only said here.
    return texte + LigneAide("  --langue fr|en",
                             Traduire("Options", "la langue des messages et de l'aide") +
                                 RemplirModele(defaut, {"fr"}));
}
