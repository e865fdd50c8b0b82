#include "commande/Options.h"

#include "sivia/Sivia.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <functional>
#include <limits>

namespace {

struct NomDeSource {
    const char* Nom;
    TypeSource Type;
};

constexpr NomDeSource NomsDeSources[] = {
    {"cosinus", TypeSource::Cosinus},
    {"sinus", TypeSource::Sinus},
    {"gauss", TypeSource::BruitBlancGaussien},
    {"uniforme", TypeSource::BruitBlancUniforme},
    {"colore", TypeSource::BruitColoreGaussien},
    {"carre", TypeSource::SignalCarre},
    {"scie", TypeSource::DentDeScie},
    {"laplace", TypeSource::BruitDeLaplace},
};

std::string ListeSources() {
    std::string liste;
    for (const NomDeSource& n : NomsDeSources) {
        if (!liste.empty()) {
            liste += '|';
        }
        liste += n.Nom;
    }
    return liste;
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

// The whole text as a finite double, "." as separator whatever the locale.
std::optional<double> LireReel(const std::string& texte) {
    double v = 0;
    const char* fin = texte.data() + texte.size();
    const auto [p, ec] = std::from_chars(texte.data(), fin, v);
    if (ec != std::errc() || p != fin || !std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

template <typename Entier> std::optional<Entier> LireEntier(const std::string& texte) {
    Entier v = 0;
    const char* fin = texte.data() + texte.size();
    const auto [p, ec] = std::from_chars(texte.data(), fin, v);
    if (ec != std::errc() || p != fin) {
        return std::nullopt;
    }
    return v;
}

std::vector<std::string> Decouper(const std::string& texte, char separateur) {
    std::vector<std::string> parts;
    std::size_t debut = 0;
    for (;;) {
        const std::size_t p = texte.find(separateur, debut);
        parts.push_back(texte.substr(debut, p - debut));
        if (p == std::string::npos) {
            return parts;
        }
        debut = p + 1;
    }
}

std::vector<double> LireReels(const std::string& option, const std::string& texte,
                              std::size_t nombre, const std::string& attendu) {
    const std::vector<std::string> parts = Decouper(texte, ',');
    if (parts.size() != nombre) {
        Refuser(option, texte, attendu);
    }
    std::vector<double> v;
    for (const std::string& p : parts) {
        const auto x = LireReel(p);
        if (!x) {
            Refuser(option, texte, attendu);
        }
        v.push_back(*x);
    }
    return v;
}

SourceDemandee LireSource(const std::string& option, const std::string& texte) {
    for (const NomDeSource& n : NomsDeSources) {
        if (texte == n.Nom) {
            return {n.Type, {}, 0};
        }
    }
    if (texte.empty()) {
        Refuser(option, texte, ListeSources() + " ou FICHIER[:canal]");
    }
    SourceDemandee s;
    s.Fichier = texte;
    // "file:2" picks a channel, unless what follows the last colon is not a whole number
    // (a path may hold colons).
    const std::size_t p = texte.rfind(':');
    if (p != std::string::npos && p + 1 < texte.size()) {
        if (const auto canal = LireEntier<int>(texte.substr(p + 1))) {
            if (*canal < 1) {
                Refuser(option, texte, "un canal compté à partir de 1 (FICHIER:canal)");
            }
            s.Fichier = texte.substr(0, p);
            s.Canal = *canal;
        }
    }
    return s;
}

struct DescriptionOption {
    const char* Nom;
    const char* Valeur; // placeholder of the value, nullptr for a flag
    const char* Defaut;
    const char* Aide;
    bool PourEtudeSeulement;
    std::function<void(OptionsCommande&, const std::string&)> Appliquer;
};

const std::vector<DescriptionOption>& Descriptions() {
    static const std::vector<DescriptionOption> d = {
        {"--source1", "SORTE|FICHIER[:canal]", "cosinus",
         "première source : une sorte générée ou un fichier de signal (audio ou texte)", false,
         [](OptionsCommande& o, const std::string& v) { o.Source1 = LireSource("--source1", v); }},
        {"--source2", "SORTE|FICHIER[:canal]", "colore", "seconde source, comme --source1", false,
         [](OptionsCommande& o, const std::string& v) { o.Source2 = LireSource("--source2", v); }},
        {"--melanges", "FICHIER[,FICHIER]", "aucun",
         "les mélanges x1 et x2 lus directement : un fichier à deux canaux ou deux fichiers "
         "(la matrice vraie est alors inconnue)",
         false,
         [](OptionsCommande& o, const std::string& v) {
             o.FichiersMelanges = Decouper(v, ',');
             if (o.FichiersMelanges.size() > 2 || v.empty()) {
                 Refuser("--melanges", v, "un ou deux fichiers séparés par une virgule");
             }
         }},
        {"--session", "FICHIER", "aucune", "une session enregistrée par la fenêtre", false,
         [](OptionsCommande& o, const std::string& v) {
             o.Session = NomDeFichier("--session", v);
         }},
        {"--matrice", "a11,a12,a21,a22", "1,0.5,-0.4,1", "la matrice de mélange", false,
         [](OptionsCommande& o, const std::string& v) {
             const auto a = LireReels("--matrice", v, 4, "quatre nombres a11,a12,a21,a22");
             o.Matrice = Matrice2x2{a[0], a[1], a[2], a[3]};
             if (!o.Matrice->EstConnue()) {
                 Refuser("--matrice", v, "une matrice non nulle");
             }
             if (const std::string defaut = DefautMatrice(*o.Matrice); !defaut.empty()) {
                 throw ErreurOption("option --matrice : " + defaut + ".");
             }
         }},
        {"--matrice-aleatoire", nullptr, "non",
         "une matrice [[1, b], [c, 1]] tirée du générateur, b et c dans [-1, 1[", false,
         [](OptionsCommande& o, const std::string&) { o.MatriceAleatoire = true; }},
        {"--graine", "ENTIER", "l'horloge",
         "le départ du générateur (rapporté, pour rejouer une exécution)", false,
         [](OptionsCommande& o, const std::string& v) {
             const auto g = LireEntier<std::uint64_t>(v);
             if (!g) {
                 Refuser("--graine", v, "un entier positif ou nul");
             }
             o.Graine = *g;
         }},
        {"--echantillons", "N", "5000", "le nombre d'échantillons des sources générées", false,
         [](OptionsCommande& o, const std::string& v) {
             const auto n = LireEntier<std::int32_t>(v);
             if (!n || *n < 2) {
                 Refuser("--echantillons", v, "un entier d'au moins 2");
             }
             o.Echantillons = *n;
         }},
        {"--boite", "xmin,xmax,ymin,ymax", "-5,5,-5,5", "la boîte de recherche", false,
         [](OptionsCommande& o, const std::string& v) {
             const auto b = LireReels("--boite", v, 4, "quatre nombres finis xmin,xmax,ymin,ymax");
             for (int i = 0; i < 4; ++i) {
                 o.Boite[i] = b[i];
             }
         }},
        {"--precision", "REEL", "0.01", "la précision de SIVIA (largeur des boîtes gardées)", false,
         [](OptionsCommande& o, const std::string& v) {
             const auto p = LireReel(v);
             if (!p || !(*p > 0)) {
                 Refuser("--precision", v, "un nombre strictement positif");
             }
             o.Precision = *p;
         }},
        {"--contraintes", "LISTE", "decorrelation,derivees",
         "les contraintes actives parmi decorrelation, derivees, moment4, retards, cumulants "
         "(séparées par "
         "des virgules)",
         false,
         [](OptionsCommande& o, const std::string& v) {
             ContraintesActives c{false, false, false};
             for (const std::string& nom : Decouper(v, ',')) {
                 if (nom == "decorrelation") {
                     c.ContrainteDecorrelation = true;
                 } else if (nom == "derivees") {
                     c.ContrainteDecorrelationDerivees = true;
                 } else if (nom == "moment4") {
                     c.ContrainteMomentOrdre4 = true;
                 } else if (nom == "retards") {
                     c.ContrainteDecorrelationRetardee = true;
                 } else if (nom == "cumulants") {
                     c.ContrainteCumulants = true;
                 } else if (!(nom.empty() && v.empty())) {
                     Refuser("--contraintes", v,
                             "une liste de decorrelation, derivees, moment4, retards, cumulants "
                             "(ou une "
                             "liste vide)");
                 }
             }
             o.Contraintes = c;
         }},
        {"--retards", "LISTE", "1,2,3,4,5,6,8,10,12,16,20",
         "les retards de la décorrélation retardée (contrainte retards) : des entiers "
         "distincts de 1 à N/2",
         false, [](OptionsCommande& o, const std::string& v) { o.Retards = v; }},
        {"--stockage", "file|pile", "file",
         "l'ordre des boîtes en attente : file (en largeur) ou pile (en profondeur)", false,
         [](OptionsCommande& o, const std::string& v) {
             if (v == "file") {
                 o.Stockage = StockageFile;
             } else if (v == "pile") {
                 o.Stockage = StockagePile;
             } else {
                 Refuser("--stockage", v, "file ou pile");
             }
         }},
        {"--boites", "FICHIER.csv", "aucun", "écrit les boîtes rejetées et gardées en CSV", false,
         [](OptionsCommande& o, const std::string& v) {
             o.FichierBoites = NomDeFichier("--boites", v);
         }},
        {"--image", "FICHIER.png|.svg|.pdf", "aucune",
         "dessine le pavage avec ses axes, ses repères et la carte du RSI, sans écran", false,
         [](OptionsCommande& o, const std::string& v) {
             std::string ext = v.size() < 4 ? v : v.substr(v.size() - 4);
             std::transform(ext.begin(), ext.end(), ext.begin(),
                            [](unsigned char c) { return char(std::tolower(c)); });
             if (ext != ".png" && ext != ".svg" && ext != ".pdf") {
                 Refuser("--image", v, "un fichier .png, .svg ou .pdf");
             }
             o.FichierImage = v;
         }},
        {"--taille", "LxH", "900x900", "la taille de l'image en pixels", false,
         [](OptionsCommande& o, const std::string& v) {
             const std::vector<std::string> c = Decouper(v, 'x');
             const auto l = LireEntier<int>(c[0]), h = LireEntier<int>(c.back());
             if (c.size() != 2 || !l || !h || std::min(*l, *h) < CoteImageMin ||
                 std::max(*l, *h) > CoteImageMax) {
                 Refuser("--taille", v, "une taille LxH en pixels (de 200 à 5000 chacun)");
             }
             o.TailleImage[0] = *l, o.TailleImage[1] = *h;
         }},
        {"--essais", "K", "100", "le nombre de matrices aléatoires [[1, b], [c, 1]] essayées", true,
         [](OptionsCommande& o, const std::string& v) {
             const auto k = LireEntier<std::int32_t>(v);
             if (!k || *k < 1) {
                 Refuser("--essais", v, "un entier d'au moins 1");
             }
             o.Essais = *k;
         }},
        {"--fils", "N", "tous les cœurs", "le nombre de fils de calcul", true,
         [](OptionsCommande& o, const std::string& v) {
             const auto n = LireEntier<std::int32_t>(v);
             if (!n || *n < 1 || *n > 1024) {
                 Refuser("--fils", v, "un entier de 1 à 1024");
             }
             o.Fils = *n;
         }},
        {"--sortie", "FICHIER.csv", "etude.csv", "le fichier CSV des essais, une ligne par essai",
         true,
         [](OptionsCommande& o, const std::string& v) {
             o.SortieEtude = NomDeFichier("--sortie", v);
         }},
        {"--avec-temps", nullptr, "non",
         "ajoute au CSV le temps de chaque essai (le fichier n'est alors plus identique d'une "
         "exécution à l'autre)",
         true, [](OptionsCommande& o, const std::string&) { o.AvecTemps = true; }},
    };
    return d;
}

std::optional<SousCommande> LireSousCommande(const std::string& mot) {
    if (mot == "resoudre") {
        return SousCommande::Resoudre;
    }
    if (mot == "etude") {
        return SousCommande::Etude;
    }
    return std::nullopt;
}

} // namespace

Reglages ReglagesCommande(const OptionsCommande& o) {
    Reglages r;
    r.NbEchantillons = o.Echantillons;
    r.BorneInfX = o.Boite[0];
    r.BorneSupX = o.Boite[1];
    r.BorneInfY = o.Boite[2];
    r.BorneSupY = o.Boite[3];
    r.PrecisionSivia = o.Precision;
    r.Stockage = o.Stockage;
    r.ContrainteDecorrelation = o.Contraintes.ContrainteDecorrelation;
    r.ContrainteDecorrelationDerivees = o.Contraintes.ContrainteDecorrelationDerivees;
    r.ContrainteMomentOrdre4 = o.Contraintes.ContrainteMomentOrdre4;
    r.ContrainteDecorrelationRetardee = o.Contraintes.ContrainteDecorrelationRetardee;
    r.ContrainteCumulants = o.Contraintes.ContrainteCumulants;
    r.Retards = o.Retards;
    return r;
}

void AppliquerReglages(OptionsCommande& o, const Reglages& r) {
    const auto libre = [&o](const char* nom) { return o.Donnees.count(nom) == 0; };
    if (libre("--echantillons")) {
        o.Echantillons = r.NbEchantillons;
    }
    if (libre("--boite")) {
        const double b[4] = {r.BorneInfX, r.BorneSupX, r.BorneInfY, r.BorneSupY};
        std::copy(b, b + 4, o.Boite);
    }
    if (libre("--precision")) {
        o.Precision = r.PrecisionSivia;
    }
    if (libre("--contraintes")) {
        o.Contraintes = r.Contraintes();
    }
    if (libre("--stockage")) {
        o.Stockage = r.Stockage;
    }
    if (libre("--retards")) {
        o.Retards = r.Retards;
    }
}

Matrice2x2 MatriceParDefaut() {
    return {1, 0.5, -0.4, 1};
}

std::string NomSource(TypeSource type) {
    for (const NomDeSource& n : NomsDeSources) {
        if (n.Type == type) {
            return n.Nom;
        }
    }
    return "?";
}

bool EstLigneDeCommande(const std::string& mot) {
    return LireSousCommande(mot).has_value() || mot == "--help" || mot == "-h" || mot == "aide";
}

OptionsCommande LireOptions(const std::vector<std::string>& arguments) {
    OptionsCommande o;
    if (arguments.empty()) {
        throw ErreurOption("une sous-commande est attendue : resoudre ou etude.");
    }
    const auto commande = LireSousCommande(arguments[0]);
    if (!commande) {
        throw ErreurOption("sous-commande inconnue « " + arguments[0] +
                           " » : resoudre ou etude est attendue.");
    }
    o.Commande = *commande;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        std::string nom = arguments[i];
        std::optional<std::string> valeur;
        if (const std::size_t egal = nom.find('='); egal != std::string::npos) {
            valeur = nom.substr(egal + 1);
            nom.resize(egal);
        }
        if (nom == "--help" || nom == "-h") {
            o.Aide = true;
            continue;
        }
        const DescriptionOption* d = nullptr;
        for (const DescriptionOption& candidate : Descriptions()) {
            if (nom == candidate.Nom) {
                d = &candidate;
            }
        }
        if (d == nullptr || (d->PourEtudeSeulement && o.Commande != SousCommande::Etude)) {
            throw ErreurOption("option inconnue « " + nom + " » pour " + arguments[0] +
                               " : voir ovrel5 " + arguments[0] + " --help.");
        }
        if (d->Valeur == nullptr) {
            if (valeur) {
                throw ErreurOption("option " + nom + " : elle ne prend pas de valeur.");
            }
        } else if (!valeur) {
            if (i + 1 >= arguments.size()) {
                throw ErreurOption("option " + nom + " : une valeur est attendue (" + d->Valeur +
                                   ").");
            }
            valeur = arguments[++i];
        }
        d->Appliquer(o, valeur.value_or(""));
        o.Donnees.insert(d->Nom);
    }
    const int entrees = (!o.FichiersMelanges.empty() ? 1 : 0) + (!o.Session.empty() ? 1 : 0);
    if (entrees > 1) {
        throw ErreurOption("options --melanges et --session : une seule des deux est permise.");
    }
    // Mixtures read stand for the sources and the matrix: these would be silently ignored.
    for (const char* remplacee : {"--source1", "--source2", "--matrice", "--matrice-aleatoire"}) {
        if (!o.FichiersMelanges.empty() && o.Donnees.count(remplacee) != 0) {
            throw ErreurOption(std::string("options --melanges et ") + remplacee +
                               " : les mélanges lus tiennent lieu de sources et de matrice, une "
                               "seule des deux est permise.");
        }
    }
    if (o.Matrice && o.MatriceAleatoire) {
        throw ErreurOption("options --matrice et --matrice-aleatoire : une seule des deux est "
                           "permise.");
    }
    if (o.Commande == SousCommande::Etude && (!o.FichiersMelanges.empty() || o.Matrice)) {
        throw ErreurOption("etude : les matrices sont tirées au hasard à chaque essai, "
                           "--melanges et --matrice ne s'y appliquent pas.");
    }
    // A study solves many mixtures and writes none of their boxes or pictures.
    if (o.Donnees.count("--taille") != 0 && o.FichierImage.empty()) {
        throw ErreurOption("option --taille : elle ne s'applique qu'avec --image.");
    }
    if (o.Commande == SousCommande::Etude &&
        (!o.FichierBoites.empty() || !o.FichierImage.empty())) {
        throw ErreurOption(std::string("etude : ") +
                           (o.FichierBoites.empty() ? "--image" : "--boites") +
                           " ne s'applique qu'à resoudre (une étude écrit ses essais avec "
                           "--sortie).");
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
    for (const DescriptionOption& d : Descriptions()) {
        if (d.PourEtudeSeulement && commande != SousCommande::Etude) {
            continue;
        }
        if (commande == SousCommande::Etude &&
            (std::string(d.Nom) == "--melanges" || std::string(d.Nom) == "--matrice" ||
             std::string(d.Nom) == "--matrice-aleatoire" || std::string(d.Nom) == "--boites" ||
             std::string(d.Nom) == "--image" || std::string(d.Nom) == "--taille")) {
            continue;
        }
        std::string tete =
            std::string("  ") + d.Nom + (d.Valeur ? std::string(" ") + d.Valeur : "");
        if (tete.size() < 36) {
            tete.resize(36, ' ');
        } else {
            tete += "\n" + std::string(36, ' ');
        }
        texte += tete + d.Aide + " (défaut : " + d.Defaut + ")\n";
    }
    texte += "  --help                            cette aide\n";
    return texte;
}
