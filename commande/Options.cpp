#include "commande/Options.h"

#include "fichiers/EcritureSignal.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <functional>
#include <sstream>

namespace {

// The kinds' names in the order of TypeSource.
constexpr const char* NomsDeSources[] = {"gauss",  "uniforme", "cosinus", "sinus",
                                         "colore", "carre",    "scie",    "laplace"};

std::string Joindre(const std::vector<std::string>& parts, const char* separateur) {
    std::string texte;
    for (const std::string& p : parts) {
        texte += (texte.empty() ? "" : separateur) + p;
    }
    return texte;
}

std::string TexteNombres(std::initializer_list<double> nombres) {
    std::vector<std::string> textes;
    for (double x : nombres) {
        textes.push_back(TexteExact(x));
    }
    return Joindre(textes, ",");
}

std::string ListeSources(const char* separateur = "|") {
    return Joindre({std::begin(NomsDeSources), std::end(NomsDeSources)}, separateur);
}

[[noreturn]] void Refuser(const std::string& option, const std::string& valeur,
                          const std::string& attendu) {
    throw ErreurOption("option " + option + " : « " + valeur + " » n'est pas valable, " + attendu +
                       " est attendu.");
}

// A file name, never empty: an empty one would silently write or read nothing.
std::string NomDeFichier(const std::string& option, const std::string& valeur) {
    if (valeur.empty()) {
        Refuser(option, valeur, "un nom de fichier");
    }
    return valeur;
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

std::vector<std::string> Decouper(const std::string& texte, char separateur) {
    std::vector<std::string> parts;
    std::size_t debut = 0;
    for (std::size_t p; (p = texte.find(separateur, debut)) != std::string::npos; debut = p + 1) {
        parts.push_back(texte.substr(debut, p - debut));
    }
    parts.push_back(texte.substr(debut));
    return parts;
}

// `nombre` numbers separated by `separateur`, each read by Lire<Nombre> and kept by `garde`.
template <typename Nombre = double>
std::vector<Nombre> LireListe(const std::string& option, const std::string& texte,
                              std::size_t nombre, const std::string& attendu, char separateur = ',',
                              bool (*garde)(Nombre) = nullptr) {
    std::vector<Nombre> v;
    for (const std::string& p : Decouper(texte, separateur)) {
        const auto x = Lire<Nombre>(p);
        if (!x || (garde && !garde(*x))) {
            Refuser(option, texte, attendu);
        }
        v.push_back(*x);
    }
    if (v.size() != nombre) {
        Refuser(option, texte, attendu);
    }
    return v;
}

// A kind, or a file with its channel: "file:2" by number, "file:nom" by the header's name,
// unless the whole text names an existing file (a path may hold colons). A plain word that
// is neither a kind nor a file is a mistyped kind, not a missing file.
SourceDemandee LireSource(const std::string& option, const std::string& texte) {
    if (const auto n = std::find(std::begin(NomsDeSources), std::end(NomsDeSources), texte);
        n != std::end(NomsDeSources)) {
        return {TypeSource(n - std::begin(NomsDeSources)), {}, 0, {}};
    }
    if (texte.empty()) {
        Refuser(option, texte, ListeSources() + " ou FICHIER[:canal]");
    }
    SourceDemandee s{std::nullopt, texte, 0, {}};
    std::error_code erreur;
    if (std::filesystem::exists(texte, erreur)) {
        return s;
    }
    if (const std::size_t p = texte.rfind(':'); p != std::string::npos && p > 0) {
        const std::string suite = texte.substr(p + 1);
        if (const auto canal = Lire<int>(suite)) {
            if (*canal < 1) {
                Refuser(option, texte, "un canal compté à partir de 1 (FICHIER:canal)");
            }
            return {std::nullopt, texte.substr(0, p), *canal, {}};
        }
        if (!suite.empty() && suite.find('/') == std::string::npos) {
            return {std::nullopt, texte.substr(0, p), 0, suite};
        }
    }
    if (texte.find_first_of("/.:") == std::string::npos) {
        // The kind sharing the longest beginning with the word.
        const auto commun = [&texte](const char* nom) {
            return std::mismatch(texte.begin(), texte.end(), nom).first - texte.begin();
        };
        const auto proche =
            std::max_element(std::begin(NomsDeSources), std::end(NomsDeSources),
                             [&](const auto& a, const auto& b) { return commun(a) < commun(b); });
        throw ErreurOption("option " + option + " : sorte inconnue « " + texte +
                           " » (la plus proche : « " + *proche + " ») ; les sortes sont " +
                           ListeSources(", ") + ", ou un fichier de signal FICHIER[:canal].");
    }
    return s;
}

constexpr std::pair<const char*, bool ContraintesActives::*> Contraintes[] = {
    {"decorrelation", &ContraintesActives::ContrainteDecorrelation},
    {"derivees", &ContraintesActives::ContrainteDecorrelationDerivees},
    {"moment4", &ContraintesActives::ContrainteMomentOrdre4},
    {"retards", &ContraintesActives::ContrainteDecorrelationRetardee},
    {"cumulants", &ContraintesActives::ContrainteCumulants},
    {"kurtosis", &ContraintesActives::ContrainteKurtosis}};

// The names of the constraints on in `c`, or the list of `c` read from names (empty for none).
std::vector<std::string> NomsDeContraintes(const ContraintesActives& c) {
    std::vector<std::string> noms;
    for (const auto& [nom, membre] : Contraintes) {
        if (c.*membre) {
            noms.emplace_back(nom);
        }
    }
    return noms;
}
ContraintesActives LireContraintes(const std::string& v) {
    ContraintesActives c{false, false, false};
    for (const std::string& nom : v.empty() ? std::vector<std::string>{} : Decouper(v, ',')) {
        const auto k = std::find_if(std::begin(Contraintes), std::end(Contraintes),
                                    [&nom](const auto& n) { return nom == n.first; });
        if (k == std::end(Contraintes)) {
            Refuser(
                "--contraintes", v,
                "une liste de decorrelation, derivees, moment4, retards, cumulants, kurtosis (ou "
                "une liste vide)");
        }
        c.*(k->second) = true;
    }
    return c;
}

// One command's options registered on `app`, each filling `o` through its reading; the
// defaults shown in the help are `o`'s values as registered.
class Enregistrement {
public:
    Enregistrement(CLI::App& app, OptionsCommande& o) : App(app), O(o) {}

    void Valeur(const std::string& nom, const char* forme, const std::string& defaut,
                const char* aide, std::function<void(OptionsCommande&, const std::string&)> lire) {
        App.add_option_function<std::string>(
               nom, [&o = O, lire](const std::string& v) { lire(o, v); }, aide)
            ->type_name(forme)
            ->default_str(defaut);
    }
    void Drapeau(const std::string& nom, bool OptionsCommande::*membre, const char* aide) {
        App.add_flag(nom, O.*membre, aide)
            ->default_str(O.*membre ? "oui" : "non")
            ->disable_flag_override();
    }
    template <typename E>
    void Entier(const std::string& nom, E OptionsCommande::*membre, E minimum, E maximum,
                const std::string& attendu, const char* aide, const char* defaut = nullptr) {
        Valeur(nom, "N", defaut ? defaut : std::to_string(O.*membre), aide,
               [=](OptionsCommande& o, const std::string& v) {
                   const auto n = Lire<E>(v);
                   if (!n || *n < minimum || *n > maximum) {
                       Refuser(nom, v, attendu);
                   }
                   o.*membre = *n;
               });
    }
    void Fichier(const std::string& nom, const char* forme, std::string OptionsCommande::*membre,
                 const char* aide) {
        Valeur(nom, forme, (O.*membre).empty() ? "aucun" : O.*membre, aide,
               [=](OptionsCommande& o, const std::string& v) { o.*membre = NomDeFichier(nom, v); });
    }

private:
    CLI::App& App;
    OptionsCommande& O;
};

bool EstPositif(double v) {
    return v > 0;
}
bool EstCote(int v) {
    return v >= CoteImageMin && v <= CoteImageMax;
}

void Enregistrer(CLI::App& app, OptionsCommande& o) {
    const bool resoudre = o.Commande == SousCommande::Resoudre;
    Enregistrement e(app, o);
    e.Valeur("--source1", "SORTE|FICHIER[:canal|:nom]", NomSource(*o.Source1.Type),
             "première source : une sorte générée ou un fichier de signal (audio ou texte) et "
             "son canal, par numéro ou par le nom de sa colonne",
             [](auto& o, const auto& v) { o.Source1 = LireSource("--source1", v); });
    e.Valeur("--source2", "SORTE|FICHIER[:canal|:nom]", NomSource(*o.Source2.Type),
             "seconde source, comme --source1",
             [](auto& o, const auto& v) { o.Source2 = LireSource("--source2", v); });
    if (resoudre) {
        e.Valeur("--melanges", "FICHIER[,FICHIER]", "aucun",
                 "les mélanges x1 et x2 lus directement : un fichier à deux canaux ou deux "
                 "fichiers d'un canal (la matrice vraie est alors inconnue)",
                 [](auto& o, const auto& v) {
                     o.FichiersMelanges = Decouper(v, ',');
                     if (o.FichiersMelanges.size() > 2 || v.empty()) {
                         Refuser("--melanges", v, "un ou deux fichiers séparés par une virgule");
                     }
                 });
    }
    e.Fichier("--session", "FICHIER", &OptionsCommande::Session,
              "une session enregistrée par la fenêtre");
    if (resoudre) {
        const Matrice2x2 a = MatriceParDefaut();
        e.Valeur("--matrice", "a11,a12,a21,a22", TexteNombres({a.a11, a.a12, a.a21, a.a22}),
                 "la matrice de mélange", [](auto& o, const auto& v) {
                     const auto a = LireListe("--matrice", v, 4, "quatre nombres a11,a12,a21,a22");
                     o.Matrice = Matrice2x2{a[0], a[1], a[2], a[3]};
                     if (!o.Matrice->EstConnue()) {
                         Refuser("--matrice", v, "une matrice non nulle");
                     }
                     if (const std::string defaut = DefautMatrice(*o.Matrice); !defaut.empty()) {
                         throw ErreurOption("option --matrice : " + defaut + ".");
                     }
                 });
        e.Drapeau("--matrice-aleatoire", &OptionsCommande::MatriceAleatoire,
                  "une matrice [[1, b], [c, 1]] tirée du générateur, b et c dans [-1, 1[");
    }
    e.Valeur("--graine", "ENTIER", "l'horloge",
             "le départ du générateur (rapporté, pour rejouer une exécution)",
             [](auto& o, const auto& v) {
                 o.Graine =
                     LireListe<std::uint64_t>("--graine", v, 1, "un entier positif ou nul")[0];
             });
    e.Entier<std::int32_t>("--echantillons", &OptionsCommande::Echantillons, 2, INT32_MAX,
                           "un entier d'au moins 2",
                           "le nombre d'échantillons des sources générées");
    e.Valeur("--boite", resoudre ? "xmin,xmax,ymin,ymax|auto" : "xmin,xmax,ymin,ymax",
             TexteNombres({o.Boite[0], o.Boite[1], o.Boite[2], o.Boite[3]}),
             resoudre ? "la boîte de recherche ; auto : une boîte qui tient les deux solutions "
                        "(racines exactes ou méthodes classiques), avec une marge"
                      : "la boîte de recherche",
             [resoudre](auto& o, const auto& v) {
                 o.BoiteAuto = resoudre && v == "auto";
                 if (o.BoiteAuto) {
                     return;
                 }
                 const auto b = LireListe("--boite", v, 4,
                                          std::string("quatre nombres finis xmin,xmax,ymin,ymax") +
                                              (resoudre ? " ou auto" : ""));
                 std::copy(b.begin(), b.end(), o.Boite);
                 if (b[0] == b[1] || b[2] == b[3]) {
                     Refuser("--boite", v, "une boîte de largeur non nulle en x et en y");
                 }
             });
    e.Valeur("--precision", "REEL", TexteExact(o.Precision),
             "la précision de SIVIA (largeur des boîtes gardées)", [](auto& o, const auto& v) {
                 o.Precision = LireListe<double>(
                     "--precision", v, 1, "un nombre strictement positif", ',', EstPositif)[0];
             });
    e.Valeur("--contraintes", "LISTE", Joindre(NomsDeContraintes(o.Contraintes), ","),
             "les contraintes actives parmi decorrelation, derivees, moment4, retards, cumulants, "
             "kurtosis (séparées par des virgules)",
             [](auto& o, const auto& v) { o.Contraintes = LireContraintes(v); });
    e.Valeur("--retards", "LISTE", o.Retards,
             "les retards de la décorrélation retardée (contrainte retards) : des entiers "
             "distincts de 1 à N/2",
             [](auto& o, const auto& v) { o.Retards = v; });
    e.Valeur("--stockage", "file|pile", o.Stockage == StockageFile ? "file" : "pile",
             "l'ordre des boîtes en attente : file (en largeur) ou pile (en profondeur)",
             [](auto& o, const auto& v) {
                 if (v != "file" && v != "pile") {
                     Refuser("--stockage", v, "file ou pile");
                 }
                 o.Stockage = v == "file" ? StockageFile : StockagePile;
             });
    if (resoudre) {
        e.Fichier("--boites", "FICHIER.csv", &OptionsCommande::FichierBoites,
                  "écrit les boîtes rejetées et gardées en CSV");
        e.Valeur("--image", "FICHIER.png|.svg|.pdf", "aucune",
                 "dessine le pavage avec ses axes, ses repères et la carte du RSI, sans écran",
                 [](auto& o, const auto& v) {
                     std::string ext = std::filesystem::path(v).extension().string();
                     std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
                     if (ext != ".png" && ext != ".svg" && ext != ".pdf") {
                         Refuser("--image", v, "un fichier .png, .svg ou .pdf");
                     }
                     o.FichierImage = v;
                 });
        e.Valeur("--taille", "LxH",
                 std::to_string(o.TailleImage[0]) + "x" + std::to_string(o.TailleImage[1]),
                 "la taille de l'image en pixels (avec --image)", [](auto& o, const auto& v) {
                     const auto t = LireListe<int>("--taille", v, 2,
                                                   "une taille LxH en pixels (de 200 à 5000 "
                                                   "chacun)",
                                                   'x', EstCote);
                     std::copy(t.begin(), t.end(), o.TailleImage);
                 });
        e.Valeur("--estimees", "FICHIER.wav|.csv", "aucun",
                 "écrit les deux sources estimées au point exact du meilleur amas (le premier "
                 "dont le point est une solution), ou à --point, ou à --amas",
                 [](auto& o, const auto& v) {
                     std::string ext = std::filesystem::path(v).extension().string();
                     std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
                     if (ext != ".wav" && ext != ".csv") {
                         Refuser("--estimees", v, "un fichier .wav ou .csv");
                     }
                     o.FichierEstimees = v;
                 });
        e.Valeur("--point", "x,y", "aucun", "le point où estimer les sources (avec --estimees)",
                 [](auto& o, const auto& v) {
                     const auto p = LireListe("--point", v, 2, "deux nombres finis x,y");
                     o.PointEstimees = PointPlan{p[0], p[1]};
                 });
        e.Entier<int>("--amas", &OptionsCommande::AmasEstimees, 1, INT32_MAX,
                      "un numéro d'amas à partir de 1",
                      "estime les sources au point exact de cet amas, numéroté comme dans le "
                      "rapport (avec --estimees)",
                      "aucun");
    } else {
        e.Entier<std::int32_t>("--essais", &OptionsCommande::Essais, 1, INT32_MAX,
                               "un entier d'au moins 1",
                               "le nombre de matrices aléatoires [[1, b], [c, 1]] essayées");
        e.Entier<std::int32_t>("--fils", &OptionsCommande::Fils, 1, 1024, "un entier de 1 à 1024",
                               "le nombre de fils de calcul", "tous les cœurs");
        e.Fichier("--sortie", "FICHIER.csv", &OptionsCommande::SortieEtude,
                  "le fichier CSV des essais, une ligne par essai");
        e.Drapeau("--avec-temps", &OptionsCommande::AvecTemps,
                  "ajoute au CSV le temps de chaque essai (le fichier n'est alors plus identique "
                  "d'une exécution à l'autre)");
    }
    if (resoudre) {
        // Mixtures read stand for the sources and the matrix, a point for a cluster; an option
        // that serves another one only would be ignored without it: all refused.
        const auto option = [&app](const char* nom) { return app.get_option(nom); };
        for (const char* remplacee :
             {"--session", "--source1", "--source2", "--matrice", "--matrice-aleatoire"}) {
            option("--melanges")->excludes(option(remplacee));
        }
        option("--matrice")->excludes(option("--matrice-aleatoire"));
        option("--point")->excludes(option("--amas"))->needs(option("--estimees"));
        option("--amas")->needs(option("--estimees"));
        option("--taille")->needs(option("--image"));
    }
    app.set_help_flag("-h,--help", "cette aide");
}

std::optional<SousCommande> LireSousCommande(const std::string& mot) {
    return mot == "resoudre" ? SousCommande::Resoudre
           : mot == "etude"  ? std::optional(SousCommande::Etude)
                             : std::nullopt;
}

// The options a command registers, on an application of its own.
struct Commande {
    OptionsCommande O;
    CLI::App App;
    explicit Commande(SousCommande c)
        : App("", c == SousCommande::Resoudre ? "resoudre" : "etude") {
        O.Commande = c;
        App.allow_extras();
        App.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
        Enregistrer(App, O);
    }
};

// CLI11's own errors said in French, from the options its message names.
std::string EnFrancais(const CLI::App& app, const CLI::ParseError& erreur) {
    std::vector<const CLI::Option*> nommees;
    std::istringstream mots(erreur.what());
    for (std::string mot; mots >> mot;) {
        mot.erase(0, mot.find_first_not_of('-'));
        mot.erase(mot.find_last_not_of(':') + 1);
        if (const CLI::Option* o = app.get_option_no_throw("--" + mot)) {
            nommees.push_back(o);
        }
    }
    if (nommees.empty()) {
        return "les arguments de " + app.get_name() + " sont mal formés : voir ovrel5 " +
               app.get_name() + " --help.";
    }
    const std::string a = nommees[0]->get_name();
    const std::string b = nommees.size() > 1 ? nommees[1]->get_name() : "";
    if (dynamic_cast<const CLI::ExcludesError*>(&erreur)) {
        return "options " + a + " et " + b + " : une seule des deux est permise.";
    }
    if (dynamic_cast<const CLI::RequiresError*>(&erreur)) {
        return "option " + a + " : elle ne sert qu'avec " + b + ".";
    }
    return "option " + a + " : " +
           (nommees[0]->get_type_name().empty()
                ? std::string("elle ne prend pas de valeur.")
                : "une valeur est attendue (" + nommees[0]->get_type_name() + ").");
}

} // namespace

Reglages ReglagesCommande(const OptionsCommande& o) {
    const ContraintesActives& c = o.Contraintes;
    return {.NbEchantillons = o.Echantillons,
            .BorneInfX = o.Boite[0],
            .BorneSupX = o.Boite[1],
            .BorneInfY = o.Boite[2],
            .BorneSupY = o.Boite[3],
            .PrecisionSivia = o.Precision,
            .Stockage = o.Stockage,
            .ContrainteDecorrelation = c.ContrainteDecorrelation,
            .ContrainteDecorrelationDerivees = c.ContrainteDecorrelationDerivees,
            .ContrainteMomentOrdre4 = c.ContrainteMomentOrdre4,
            .ContrainteDecorrelationRetardee = c.ContrainteDecorrelationRetardee,
            .ContrainteCumulants = c.ContrainteCumulants,
            .ContrainteKurtosis = c.ContrainteKurtosis,
            .Retards = o.Retards};
}

void AppliquerReglages(OptionsCommande& o, const Reglages& r) {
    const auto libre = [&o](const char* nom) { return o.Donnees.count(nom) == 0; };
    if (libre("--boite")) {
        const double boite[4] = {r.BorneInfX, r.BorneSupX, r.BorneInfY, r.BorneSupY};
        std::copy_n(boite, 4, o.Boite);
    }
    o.Echantillons = libre("--echantillons") ? r.NbEchantillons : o.Echantillons;
    o.Precision = libre("--precision") ? r.PrecisionSivia : o.Precision;
    o.Contraintes = libre("--contraintes") ? r.Contraintes() : o.Contraintes;
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
    if (arguments.empty()) {
        throw ErreurOption("une sous-commande est attendue : resoudre ou etude.");
    }
    const auto commande = LireSousCommande(arguments[0]);
    if (!commande) {
        throw ErreurOption("sous-commande inconnue « " + arguments[0] +
                           " » : resoudre ou etude est attendue.");
    }
    Commande c(*commande);
    OptionsCommande& o = c.O;
    // CLI11 reads "--nom=" as a missing value; here it is an empty one. It takes its
    // arguments last first.
    std::vector<std::string> suite;
    for (auto a = arguments.rbegin(); a + 1 != arguments.rend(); ++a) {
        const bool vide = a->size() > 3 && a->rfind("--", 0) == 0 && a->back() == '=' &&
                          a->find('=') + 1 == a->size();
        suite.push_back(vide ? "" : *a);
        if (vide) {
            suite.push_back(a->substr(0, a->size() - 1));
        }
    }
    try {
        c.App.parse(suite);
    } catch (const CLI::CallForHelp&) {
        o.Aide = true;
        return o;
    } catch (const CLI::ParseError& e) {
        throw ErreurOption(EnFrancais(c.App, e));
    }
    if (const std::vector<std::string> reste = c.App.remaining(); !reste.empty()) {
        const std::string& mot = reste.front();
        const bool ailleurs = mot.rfind("--", 0) == 0 &&
                              Commande(o.Commande == SousCommande::Etude ? SousCommande::Resoudre
                                                                         : SousCommande::Etude)
                                  .App.get_option_no_throw(mot.substr(0, mot.find('=')));
        throw ErreurOption((mot[0] == '-' ? "option inconnue « " : "argument inattendu « ") + mot +
                           " » pour " + arguments[0] +
                           (ailleurs ? " (elle ne s'applique qu'à l'autre commande)" : "") +
                           " : voir ovrel5 " + arguments[0] + " --help.");
    }
    for (const CLI::Option* option : c.App.get_options()) {
        if (option->count() > 0) {
            o.Donnees.insert(option->get_name());
        }
    }
    if (const auto defaut = VerifierReglages(ReglagesCommande(o))) {
        throw ErreurOption("option " + defaut->Option + " : " + defaut->Raison + ".");
    }
    return o;
}

std::string TexteAide() {
    return "Ovrel 5 — séparation aveugle d'un mélange linéaire instantané de deux signaux.\n"
           "\n"
           "Usage :\n"
           "  ovrel5                       ouvre la fenêtre\n"
           "  ovrel5 resoudre [options]    une résolution, rapport JSON sur la sortie\n"
           "  ovrel5 etude [options]       une étude de Monte-Carlo sur des matrices "
           "aléatoires\n"
           "  ovrel5 <commande> --help     les options d'une commande et leurs valeurs par "
           "défaut\n"
           "\n"
           "Codes de sortie : 0 succès, 1 erreur inattendue, 2 option ou valeur invalide,\n"
           "3 fichier illisible, 4 résolution arrêtée à la limite de mémoire (le rapport est\n"
           "écrit quand même), 5 écriture impossible (fichier ou sortie standard).\n";
}

std::string TexteAide(SousCommande commande) {
    const Commande c(commande);
    std::string texte = commande == SousCommande::Resoudre
                            ? "Usage : ovrel5 resoudre [options]\n"
                              "Génère ou lit les sources, les mélange, pave la boîte de "
                              "recherche avec SIVIA, analyse le pavage\n"
                              "et écrit un rapport JSON sur la sortie standard.\n"
                            : "Usage : ovrel5 etude [options]\n"
                              "Résout K mélanges par des matrices aléatoires [[1, b], [c, 1]] "
                              "(l'essai k a son propre flux,\n"
                              "tiré de la graine et de k), écrit une ligne CSV par essai et "
                              "affiche un résumé.\n";
    texte += "\nSortes de sources : " + ListeSources() + ".\n\nOptions :\n";
    for (const CLI::Option* o : c.App.get_options()) {
        std::string tete =
            "  " + o->get_name() + (o->get_type_name().empty() ? "" : " " + o->get_type_name());
        tete.resize(std::max<std::size_t>(tete.size() + 1, 36), ' ');
        if (tete.size() > 36) {
            tete.back() = '\n';
            tete.append(36, ' ');
        }
        texte += tete + o->get_description() +
                 (o->get_default_str().empty() ? "" : " (défaut : " + o->get_default_str() + ")") +
                 "\n";
    }
    return texte;
}
