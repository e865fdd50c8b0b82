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

// The kinds' names in the order of TypeSource; the constraints' names, one line each, with
// the flags they set in a solve's constraints and in the workbench's settings.
constexpr const char* NomsDeSources[] = {"gauss",  "uniforme", "cosinus", "sinus",
                                         "colore", "carre",    "scie",    "laplace"};
constexpr std::tuple<const char*, bool ContraintesActives::*, bool Reglages::*> Contraintes[] = {
    {"decorrelation", &ContraintesActives::ContrainteDecorrelation,
     &Reglages::ContrainteDecorrelation},
    {"derivees", &ContraintesActives::ContrainteDecorrelationDerivees,
     &Reglages::ContrainteDecorrelationDerivees},
    {"moment4", &ContraintesActives::ContrainteMomentOrdre4, &Reglages::ContrainteMomentOrdre4},
    {"retards", &ContraintesActives::ContrainteDecorrelationRetardee,
     &Reglages::ContrainteDecorrelationRetardee},
    {"cumulants", &ContraintesActives::ContrainteCumulants, &Reglages::ContrainteCumulants},
    {"kurtosis", &ContraintesActives::ContrainteKurtosis, &Reglages::ContrainteKurtosis}};

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
std::string ListeContraintes(const char* separateur, const ContraintesActives* actives = nullptr) {
    return Joindre(Contraintes | std::views::filter([actives](auto& c) {
                       return !actives || actives->*std::get<1>(c);
                   }),
                   separateur, [](auto& c) { return std::get<0>(c); });
}
std::string Nombres(std::initializer_list<double> n) {
    return Joindre(n, ",", TexteExact);
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

// A file name, never empty (it would silently write or read nothing), and with one of
// `extensions` (in any case, separated by spaces) when some are given.
std::string LireFichier(const std::string& texte, const char* extensions) {
    std::string ext = std::filesystem::path(texte).extension().string();
    std::ranges::transform(ext, ext.begin(), ::tolower);
    const std::string liste = extensions ? std::string(" ") + extensions + " " : "";
    return (liste.empty() ? texte.empty()
                          : ext.empty() || liste.find(" " + ext + " ") == std::string::npos)
               ? throw Refus{}
               : texte;
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

ContraintesActives LireContraintes(const std::string& v) {
    ContraintesActives c{false, false, false};
    for (const std::string& nom : Decouper(v, ',')) {
        const auto k = std::ranges::find(Contraintes, nom, [](auto& n) { return std::get<0>(n); });
        c.*(k == std::end(Contraintes) ? throw Refus{} : std::get<1>(*k)) = true;
    }
    return c;
}

using Texte = const std::string&;

// The commands that take an option, as bits.
constexpr int Resoudre = 1, Etude = 2, Toutes = Resoudre | Etude;
using O = OptionsCommande;

// How an option fills its target in the command's options from a value (throwing Refus on a
// value it refuses), and shows the target's value as typed (empty: none) for the help.
struct Lien {
    void (*Lire)(O&, Texte);
    std::string (*Afficher)(const O&);
};

// The links of the common forms: a whole number from Min to Max, a file name (with one of
// Extensions, separated by spaces, when some are given), a flag.
template <auto M, int Min = 1, int Max = INT32_MAX>
constexpr Lien Entier = {[](O& o, Texte v) {
                             o.*M = LireListe<std::int32_t>(
                                 v, 1, ',', [](int n) { return n >= Min && n <= Max; })[0];
                         },
                         [](const O& o) { return o.*M ? std::to_string(o.*M) : ""; }};
constexpr char Images[] = ".png .svg .pdf", Signaux[] = ".wav .csv";
template <auto M, const char* Extensions = nullptr>
constexpr Lien Fichier = {[](O& o, Texte v) { o.*M = LireFichier(v, Extensions); },
                          [](const O& o) { return o.*M; }};
template <auto M>
constexpr Lien Drapeau = {
    [](O& o, Texte) { o.*M = true; },
    [](const O& o) { return o.*M ? Traduire("Options", "oui") : Traduire("Options", "non"); }};

// The search box, "auto" for a solve only (the study's trials have no roots known beforehand).
constexpr Lien Boite = {
    [](O& o, Texte v) {
        o.BoiteAuto = o.Commande == SousCommande::Resoudre && v == "auto";
        if (!o.BoiteAuto) {
            std::ranges::copy(LireListe(v, 4), o.Boite);
        }
        if (o.Boite[0] == o.Boite[1] || o.Boite[2] == o.Boite[3]) {
            Refuser("--boite", v,
                    Traduire("Options", "une boîte de largeur non nulle en x et en y"));
        }
    },
    [](const O& o) {
        return Nombres({o.Boite[0], o.Boite[1], o.Boite[2], o.Boite[3]});
    }};

// One option: its name, the form of its value (none for a flag), the commands that take it,
// its help and what it expects (marked for translation; %1 stands for the kinds, %2 for the
// constraints), its link to its target, and what the help says while the target has none.
struct DescriptionOption {
    const char *Nom, *Forme;
    int Commandes;
    const char *Aide, *Attendu;
    Lien Cible;
    const char* Aucun = OVREL_TEXTE("Options", "aucun");
};

// Every option of both commands, in the order of their help.
const DescriptionOption Descriptions[] = {
    {"--source1", "SORTE|FICHIER[:canal|:nom]", Toutes,
     OVREL_TEXTE("Options", "première source : une sorte générée ou un fichier de signal (audio "
                            "ou texte) et son canal, par numéro ou par le nom de sa colonne"),
     OVREL_TEXTE("Options", "%1 ou FICHIER[:canal]"),
     Lien{[](O& o, Texte v) { o.Source1 = LireSource("--source1", v); },
          [](const O& o) { return NomSource(*o.Source1.Type); }}},
    {"--source2", "SORTE|FICHIER[:canal|:nom]", Toutes,
     OVREL_TEXTE("Options", "seconde source, comme --source1"),
     OVREL_TEXTE("Options", "%1 ou FICHIER[:canal]"),
     Lien{[](O& o, Texte v) { o.Source2 = LireSource("--source2", v); },
          [](const O& o) { return NomSource(*o.Source2.Type); }}},
    {"--session", "FICHIER", Toutes,
     OVREL_TEXTE("Options", "une session enregistrée par la fenêtre"),
     OVREL_TEXTE("Options", "un nom de fichier"), Fichier<&O::Session>},
    {"--melanges", "FICHIER[,FICHIER]", Resoudre,
     OVREL_TEXTE("Options", "les mélanges x1 et x2 lus directement : un fichier à deux canaux ou "
                            "deux fichiers d'un canal (la matrice vraie est alors inconnue)"),
     OVREL_TEXTE("Options", "un ou deux fichiers séparés par une virgule"),
     Lien{[](O& o, Texte v) {
              o.FichiersMelanges = Decouper(v, ',');
              o.FichiersMelanges.size() > 2 || v.empty() ? throw Refus{} : void();
          },
          [](const O& o) { return Joindre(o.FichiersMelanges, ","); }}},
    {"--matrice", "a11,a12,a21,a22", Resoudre, OVREL_TEXTE("Options", "la matrice de mélange"),
     OVREL_TEXTE("Options", "quatre nombres a11,a12,a21,a22"),
     Lien{[](O& o, Texte v) {
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
          [](const O& o) {
              const Matrice2x2 a = o.Matrice.value_or(MatriceParDefaut());
              return Nombres({a.a11, a.a12, a.a21, a.a22});
          }}},
    {"--matrice-aleatoire", nullptr, Resoudre,
     OVREL_TEXTE("Options", "une matrice [[1, b], [c, 1]] tirée du générateur, b et c dans "
                            "[-1, 1["),
     nullptr, Drapeau<&O::MatriceAleatoire>},
    {"--graine", "ENTIER", Toutes,
     OVREL_TEXTE("Options", "le départ du générateur (rapporté, pour rejouer une exécution)"),
     OVREL_TEXTE("Options", "un entier positif ou nul"),
     Lien{[](O& o, Texte v) { o.Graine = LireListe<std::uint64_t>(v, 1)[0]; },
          [](const O& o) { return o.Graine ? std::to_string(*o.Graine) : ""; }},
     OVREL_TEXTE("Options", "l'horloge")},
    {"--echantillons", "N", Toutes,
     OVREL_TEXTE("Options", "le nombre d'échantillons des sources générées"),
     OVREL_TEXTE("Options", "un entier d'au moins 2"), Entier<&O::Echantillons, 2>},
    {"--boite", "xmin,xmax,ymin,ymax|auto", Resoudre,
     OVREL_TEXTE("Options", "la boîte de recherche ; auto : une boîte qui tient les deux "
                            "solutions (racines exactes ou méthodes classiques), avec une marge"),
     OVREL_TEXTE("Options", "quatre nombres finis xmin,xmax,ymin,ymax ou auto"), Boite},
    {"--boite", "xmin,xmax,ymin,ymax", Etude, OVREL_TEXTE("Options", "la boîte de recherche"),
     OVREL_TEXTE("Options", "quatre nombres finis xmin,xmax,ymin,ymax"), Boite},
    {"--precision", "REEL", Toutes,
     OVREL_TEXTE("Options", "la précision de SIVIA (largeur des boîtes gardées)"),
     OVREL_TEXTE("Options", "un nombre strictement positif"),
     Lien{[](O& o, Texte v) {
              o.Precision = LireListe<double>(v, 1, ',', [](double x) { return x > 0; })[0];
          },
          [](const O& o) { return TexteExact(o.Precision); }}},
    {"--contraintes", "LISTE", Toutes,
     OVREL_TEXTE("Options", "les contraintes actives parmi %2 (séparées par des virgules)"),
     OVREL_TEXTE("Options", "une liste de %2 (ou une liste vide)"),
     Lien{[](O& o, Texte v) { o.Contraintes = LireContraintes(v); },
          [](const O& o) { return ListeContraintes(",", &o.Contraintes); }}},
    {"--retards", "LISTE", Toutes,
     OVREL_TEXTE("Options", "les retards de la décorrélation retardée (contrainte retards) : des "
                            "entiers distincts de 1 à N/2"),
     nullptr, Lien{[](O& o, Texte v) { o.Retards = v; }, [](const O& o) { return o.Retards; }}},
    {"--stockage", "file|pile", Toutes,
     OVREL_TEXTE("Options", "l'ordre des boîtes en attente : file (en largeur) ou pile (en "
                            "profondeur)"),
     OVREL_TEXTE("Options", "file ou pile"),
     Lien{[](O& o, Texte v) {
              o.Stockage = v == "file" ? StockageFile : v == "pile" ? StockagePile : throw Refus{};
          },
          [](const O& o) { return std::string(o.Stockage == StockageFile ? "file" : "pile"); }}},
    {"--essais", "N", Etude,
     OVREL_TEXTE("Options", "le nombre de matrices aléatoires [[1, b], [c, 1]] essayées"),
     OVREL_TEXTE("Options", "un entier d'au moins 1"), Entier<&O::Essais>},
    {"--fils", "N", Etude, OVREL_TEXTE("Options", "le nombre de fils de calcul"),
     OVREL_TEXTE("Options", "un entier de 1 à 1024"), Entier<&O::Fils, 1, 1024>,
     OVREL_TEXTE("Options", "tous les cœurs")},
    {"--sortie", "FICHIER.csv", Etude,
     OVREL_TEXTE("Options", "le fichier CSV des essais, une ligne par essai"),
     OVREL_TEXTE("Options", "un nom de fichier"), Fichier<&O::SortieEtude>},
    {"--avec-temps", nullptr, Etude,
     OVREL_TEXTE("Options", "ajoute au CSV le temps de chaque essai (le fichier n'est alors plus "
                            "identique d'une exécution à l'autre)"),
     nullptr, Drapeau<&O::AvecTemps>},
    {"--boites", "FICHIER.csv", Resoudre,
     OVREL_TEXTE("Options", "écrit les boîtes rejetées et gardées en CSV"),
     OVREL_TEXTE("Options", "un nom de fichier"), Fichier<&O::FichierBoites>},
    {"--image", "FICHIER.png|.svg|.pdf", Resoudre,
     OVREL_TEXTE("Options", "dessine le pavage avec ses axes, ses repères et la carte du RSI, "
                            "sans écran"),
     OVREL_TEXTE("Options", "un fichier .png, .svg ou .pdf"), Fichier<&O::FichierImage, Images>,
     OVREL_TEXTE("Options", "aucune")},
    {"--taille", "LxH", Resoudre,
     OVREL_TEXTE("Options", "la taille de l'image en pixels (avec --image)"),
     OVREL_TEXTE("Options", "une taille LxH en pixels (de 200 à 5000 chacun)"),
     Lien{[](O& o, Texte v) {
              const auto garde = [](int c) { return c >= CoteImageMin && c <= CoteImageMax; };
              std::ranges::copy(LireListe<int>(v, 2, 'x', garde), o.TailleImage);
          },
          [](const O& o) {
              return std::to_string(o.TailleImage[0]) + "x" + std::to_string(o.TailleImage[1]);
          }}},
    {"--estimees", "FICHIER.wav|.csv", Resoudre,
     OVREL_TEXTE("Options", "écrit les deux sources estimées au point exact du meilleur amas (le "
                            "premier dont le point est une solution), ou à --point, ou à --amas"),
     OVREL_TEXTE("Options", "un fichier .wav ou .csv"), Fichier<&O::FichierEstimees, Signaux>},
    {"--point", "x,y", Resoudre,
     OVREL_TEXTE("Options", "le point où estimer les sources (avec --estimees)"),
     OVREL_TEXTE("Options", "deux nombres finis x,y"),
     Lien{[](O& o, Texte v) {
              const auto p = LireListe(v, 2);
              o.PointEstimees = PointPlan{p[0], p[1]};
          },
          [](const O& o) {
              return o.PointEstimees ? Nombres({o.PointEstimees->x, o.PointEstimees->y}) : "";
          }}},
    {"--amas", "N", Resoudre,
     OVREL_TEXTE("Options", "estime les sources au point exact de cet amas, numéroté comme dans "
                            "le rapport (avec --estimees)"),
     OVREL_TEXTE("Options", "un numéro d'amas à partir de 1"), Entier<&O::AmasEstimees>},
};

// Mixtures read stand for the sources and the matrix, a point for a cluster; an option that
// serves another one only would be ignored without it: all refused. True: `excludes`.
constexpr std::tuple<const char*, const char*, bool> Regles[] = {
    {"--melanges", "--session --source1 --source2 --matrice --matrice-aleatoire", true},
    {"--matrice", "--matrice-aleatoire", true},
    {"--point", "--amas", true},
    {"--point", "--estimees", false},
    {"--amas", "--estimees", false},
    {"--taille", "--image", false}};

// A text of an option's description in the chosen language, the lists in their place.
std::string TexteOption(const char* texte) {
    return RemplirModele(Traduire("Options", texte), {ListeSources(), ListeContraintes(", ")});
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
        for (const DescriptionOption& d : Descriptions) {
            if ((d.Commandes & (c == SousCommande::Resoudre ? Resoudre : Etude)) == 0) {
                continue;
            }
            // The options given, by name (a session fills the others).
            const auto lire = [this, &d](Texte v) {
                try {
                    d.Cible.Lire(Lues, v);
                    Lues.Donnees.insert(d.Nom);
                } catch (const Refus&) {
                    Refuser(d.Nom, v, TexteOption(d.Attendu));
                }
            };
            const std::string defaut = d.Cible.Afficher(Lues);
            (d.Forme ? App.add_option_function<std::string>(d.Nom, lire)->type_name(d.Forme)
                     : App.add_flag_function(d.Nom, [lire](std::int64_t) { lire(""); })
                           ->disable_flag_override())
                ->description(TexteOption(d.Aide))
                ->default_str(defaut.empty() ? Traduire("Options", d.Aucun) : defaut);
        }
        App.set_help_flag("-h,--help", Traduire("Options", "cette aide"));
        for (const auto& [nom, autres, exclut] : Regles) {
            for (const std::string& autre : Decouper(autres, ' ')) {
                CLI::Option* o = App.get_option_no_throw(nom);
                o ? (exclut ? o->excludes(App.get_option(autre)) : o->needs(App.get_option(autre)))
                  : nullptr;
            }
        }
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
        nommees.empty() ? OVREL_TEXTE("Options", "les arguments de %3 sont mal formés : voir "
                                                 "ovrel5 %3 --help.")
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
    tete.resize(std::max<std::size_t>(tete.size() + 1, 36), ' ');
    return (tete.size() > 36 ? tete + "\n" + std::string(36, ' ') : tete) + description + "\n";
}

} // namespace

Reglages ReglagesCommande(const OptionsCommande& o) {
    Reglages r{.NbEchantillons = o.Echantillons,
               .BorneInfX = o.Boite[0],
               .BorneSupX = o.Boite[1],
               .BorneInfY = o.Boite[2],
               .BorneSupY = o.Boite[3],
               .PrecisionSivia = o.Precision,
               .Stockage = o.Stockage,
               .Retards = o.Retards};
    for (const auto& [nom, active, reglage] : Contraintes) {
        r.*reglage = o.Contraintes.*active;
    }
    return r;
}

void AppliquerReglages(OptionsCommande& o, const Reglages& r) {
    const auto libre = [&o](const char* nom) { return o.Donnees.count(nom) == 0; };
    if (libre("--boite")) {
        const double boite[4] = {r.BorneInfX, r.BorneSupX, r.BorneInfY, r.BorneSupY};
        std::copy_n(boite, 4, o.Boite);
    }
    o.Echantillons = libre("--echantillons") ? r.NbEchantillons : o.Echantillons;
    o.Precision = libre("--precision") ? r.PrecisionSivia : o.Precision;
    for (const auto& [nom, active, reglage] : Contraintes) {
        o.Contraintes.*active = libre("--contraintes") ? r.*reglage : o.Contraintes.*active;
    }
    o.Stockage = libre("--stockage") ? r.Stockage : o.Stockage;
    o.Retards = libre("--retards") ? r.Retards : o.Retards;
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
                : RemplirModele(Traduire("Options", "sous-commande inconnue « %1 » : resoudre ou "
                                                    "etude est attendue."),
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
        const bool ailleurs =
            mot.starts_with("--") && std::ranges::count(Descriptions, mot.substr(0, mot.find('=')),
                                                        &DescriptionOption::Nom) > 0;
        throw ErreurOption(RemplirModele(
            mot[0] == '-' ? Traduire("Options", "option inconnue « %1 » pour %2%3 : voir ovrel5 "
                                                "%2 --help.")
                          : Traduire("Options", "argument inattendu « %1 » pour %2%3 : voir "
                                                "ovrel5 %2 --help."),
            {mot, arguments[0],
             ailleurs ? Traduire("Options", " (elle ne s'applique qu'à l'autre commande)") : ""}));
    }
    if (const auto defaut = VerifierReglages(ReglagesCommande(o))) {
        throw ErreurOption(RemplirModele(Traduire("Options", "option %1 : %2."),
                                         {defaut->Option, defaut->Raison}));
    }
    return o;
}

std::string TexteAide() {
    return Traduire("Options",
                    "Ovrel 5 — séparation aveugle d'un mélange linéaire instantané de deux "
                    "signaux.\n\nUsage :\n"
                    "  ovrel5                       ouvre la fenêtre\n"
                    "  ovrel5 resoudre [options]    une résolution, rapport JSON sur la sortie\n"
                    "  ovrel5 etude [options]       une étude de Monte-Carlo sur des matrices "
                    "aléatoires\n"
                    "  ovrel5 <commande> --help     les options d'une commande et leurs valeurs "
                    "par défaut\n"
                    "  ovrel5 … --langue fr|en      la langue des textes : français (par défaut) "
                    "ou anglais\n\n"
                    "Codes de sortie : 0 succès, 1 erreur inattendue, 2 option ou valeur "
                    "invalide,\n3 fichier illisible, 4 résolution arrêtée à la limite de mémoire "
                    "(le rapport est\nécrit quand même), 5 écriture impossible (fichier ou sortie "
                    "standard).\n");
}

std::string TexteAide(SousCommande commande) {
    const Commande c(commande);
    std::string texte =
        commande == SousCommande::Resoudre
            ? Traduire("Options", "Usage : ovrel5 resoudre [options]\nGénère ou lit les sources, "
                                  "les mélange, pave la boîte de recherche avec SIVIA, analyse le "
                                  "pavage\net écrit un rapport JSON sur la sortie standard.\n")
            : Traduire("Options", "Usage : ovrel5 etude [options]\nRésout K mélanges par des "
                                  "matrices aléatoires [[1, b], [c, 1]] (l'essai k a son propre "
                                  "flux,\ntiré de la graine et de k), écrit une ligne CSV par "
                                  "essai et affiche un résumé.\n");
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
