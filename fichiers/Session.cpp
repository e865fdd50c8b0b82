#include "fichiers/Session.h"

#include "fichiers/EcritureAtomique.h"
#include "fichiers/ErreurFichier.h"
#include "interval/Traduction.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <initializer_list>
#include <sstream>

using nlohmann::json;

namespace {

constexpr int VersionSession = 1;

const char* const NomsTypes[] = {
    "BruitBlancGaussien",  "BruitBlancUniforme", "Cosinus",    "Sinus",
    "BruitColoreGaussien", "SignalCarre",        "DentDeScie", "BruitDeLaplace"};

// The folder of the session file, absolute and normal, which relative paths start from.
std::filesystem::path DossierSession(const std::filesystem::path& chemin) {
    std::error_code ec;
    return std::filesystem::absolute(chemin, ec).lexically_normal().parent_path();
}

std::string TexteEtat(std::uint64_t etat) {
    char texte[24] = "0x";
    const auto fin = std::to_chars(texte + 2, texte + sizeof texte, etat, 16).ptr;
    return std::string(texte, fin);
}

// Non-finite numbers, which JSON has not, are written as text.
json Nombre(double v) {
    if (std::isfinite(v)) {
        return v;
    }
    return std::isnan(v) ? "nan" : (v > 0 ? "inf" : "-inf");
}

// A file's path as seen from the session's folder, so that a folder holding both can move;
// empty when there is no such path (another drive).
std::string CheminRelatif(const std::string& chemin, const std::filesystem::path& dossier) {
    std::error_code ec;
    const std::filesystem::path absolu = std::filesystem::absolute(chemin, ec).lexically_normal();
    if (ec) {
        return {};
    }
    return absolu.lexically_relative(dossier).generic_string();
}

// A file origin is written with its path as read (absolute from the menu) and, for a
// session whose folder is known, the same path relative to that folder.
json Origine(const OrigineSignal& o, const std::filesystem::path& dossier) {
    switch (o.sorte) {
    case OrigineSignal::Sorte::Aucune:
        return {{"sorte", "aucune"}};
    case OrigineSignal::Sorte::Generee:
        return {{"sorte", "generee"},
                {"type", NomTypeSource(o.Type)},
                {"N", o.N},
                {"etat_generateur", TexteEtat(o.EtatAlea)}};
    case OrigineSignal::Sorte::Fichier:
        json f = {{"sorte", "fichier"}, {"chemin", o.Chemin}, {"canal", o.Canal}};
        if (const std::string relatif = CheminRelatif(o.Chemin, dossier); !relatif.empty()) {
            f["chemin_relatif"] = relatif;
        }
        return f;
    }
    return nullptr;
}

json Matrice(const Matrice2x2& A) {
    return {{"a11", Nombre(A.a11)},
            {"a12", Nombre(A.a12)},
            {"a21", Nombre(A.a21)},
            {"a22", Nombre(A.a22)}};
}

// Reads the known fields of a session, noting what it ignores.
class Lecteur {
public:
    Lecteur(const std::filesystem::path& chemin, std::vector<std::string>& remarques)
        : Chemin(chemin), Dossier(DossierSession(chemin)), Remarques(remarques) {}

    [[noreturn]] void Erreur(const std::string& champ, const std::string& attendu) const {
        throw ErreurFichier(Chemin,
                            RemplirModele(Traduire("Fichiers", "le champ « %1 » devrait être %2"),
                                          {champ, attendu}));
    }

    // The member `cle` of `objet`, or null (noted) when it is missing.
    const json* Membre(const json& objet, const std::string& prefixe, const char* cle) {
        const auto it = objet.find(cle);
        if (it == objet.end()) {
            if (&objet == &Vide) {
                return nullptr; // the whole object is missing, already noted
            }
            Remarques.push_back(RemplirModele(
                Traduire("Fichiers", "Champ « %1 » absent : la valeur par défaut est gardée."),
                {prefixe + cle}));
            return nullptr;
        }
        return &*it;
    }

    void Inconnus(const json& objet, const std::string& prefixe,
                  std::initializer_list<const char*> connus) {
        for (const auto& [cle, valeur] : objet.items()) {
            bool connu = false;
            for (const char* c : connus) {
                connu = connu || cle == c;
            }
            if (!connu) {
                Remarques.push_back(RemplirModele(
                    Traduire("Fichiers", "Champ inconnu « %1 » ignoré."), {prefixe + cle}));
            }
        }
    }

    const json& Objet(const json& objet, const std::string& prefixe, const char* cle) {
        const json* m = Membre(objet, prefixe, cle);
        if (m && !m->is_object()) {
            Erreur(prefixe + cle, Traduire("Fichiers", "un objet"));
        }
        return m ? *m : Vide;
    }

    void Lire(const json& objet, const std::string& prefixe, const char* cle, double& cible) {
        if (const json* m = Membre(objet, prefixe, cle)) {
            if (m->is_number()) {
                cible = m->get<double>();
            } else if (m->is_string() && (*m == "nan" || *m == "inf" || *m == "-inf")) {
                cible = *m == "nan" ? NAN : (*m == "inf" ? INFINITY : -INFINITY);
            } else {
                Erreur(prefixe + cle, Traduire("Fichiers", "un nombre"));
            }
        }
    }
    void Lire(const json& objet, const std::string& prefixe, const char* cle, float& cible) {
        double v = cible;
        Lire(objet, prefixe, cle, v);
        cible = float(v);
    }
    void Lire(const json& objet, const std::string& prefixe, const char* cle, std::int32_t& cible) {
        if (const json* m = Membre(objet, prefixe, cle)) {
            if (!m->is_number_integer() || m->get<std::int64_t>() < INT32_MIN ||
                m->get<std::int64_t>() > INT32_MAX) {
                Erreur(prefixe + cle, Traduire("Fichiers", "un entier"));
            }
            cible = m->get<std::int32_t>();
        }
    }
    void Lire(const json& objet, const std::string& prefixe, const char* cle, bool& cible) {
        if (const json* m = Membre(objet, prefixe, cle)) {
            if (!m->is_boolean()) {
                Erreur(prefixe + cle, Traduire("Fichiers", "vrai ou faux"));
            }
            cible = m->get<bool>();
        }
    }
    void Lire(const json& objet, const std::string& prefixe, const char* cle, std::string& cible) {
        if (const json* m = Membre(objet, prefixe, cle)) {
            if (!m->is_string()) {
                Erreur(prefixe + cle, Traduire("Fichiers", "un texte"));
            }
            cible = m->get<std::string>();
        }
    }
    void LireEtat(const json& objet, const std::string& prefixe, const char* cle,
                  std::uint64_t& cible) {
        std::string texte;
        Lire(objet, prefixe, cle, texte);
        if (texte.empty()) {
            return;
        }
        const char* fin = texte.data() + texte.size();
        const auto [p, ec] = std::from_chars(texte.data() + 2, fin, cible, 16);
        if (texte.rfind("0x", 0) != 0 || ec != std::errc() || p != fin) {
            Erreur(
                prefixe + cle,
                Traduire("Fichiers", "un état de générateur (0x suivi de chiffres hexadécimaux)"));
        }
    }

    OrigineSignal LireOrigine(const json& o, const std::string& prefixe) {
        OrigineSignal r;
        if (!o.is_object()) {
            Erreur(prefixe, Traduire("Fichiers", "un objet"));
        }
        std::string sorte = "aucune";
        Lire(o, prefixe + ".", "sorte", sorte);
        if (sorte == "generee") {
            std::string type;
            Lire(o, prefixe + ".", "type", type);
            bool trouve = false;
            for (int k = 0; k < int(std::size(NomsTypes)); ++k) {
                if (type == NomsTypes[k]) {
                    r.Type = TypeSource(k);
                    trouve = true;
                }
            }
            if (!trouve) {
                throw ErreurChampSession(
                    Chemin,
                    RemplirModele(Traduire("Fichiers", "le champ « %1.type » nomme une sorte "
                                                       "de source inconnue (« %2 »)"),
                                  {prefixe, type}));
            }
            r.sorte = OrigineSignal::Sorte::Generee;
            Lire(o, prefixe + ".", "N", r.N);
            LireEtat(o, prefixe + ".", "etat_generateur", r.EtatAlea);
            Inconnus(o, prefixe + ".", {"sorte", "type", "N", "etat_generateur"});
        } else if (sorte == "fichier") {
            r.sorte = OrigineSignal::Sorte::Fichier;
            Lire(o, prefixe + ".", "chemin", r.Chemin);
            Lire(o, prefixe + ".", "canal", r.Canal);
            // The path relative to the session's folder first (the folder may have moved),
            // the path as written when nothing is there. Older sessions have only the latter.
            if (const auto relatif = o.find("chemin_relatif"); relatif != o.end()) {
                if (!relatif->is_string()) {
                    Erreur(prefixe + ".chemin_relatif", Traduire("Fichiers", "un texte"));
                }
                const std::filesystem::path depuisDossier =
                    (Dossier / relatif->get<std::string>()).lexically_normal();
                std::error_code ec;
                if (std::filesystem::exists(depuisDossier, ec)) {
                    r.Chemin = depuisDossier.string();
                }
            }
            Inconnus(o, prefixe + ".", {"sorte", "chemin", "chemin_relatif", "canal"});
        } else if (sorte != "aucune") {
            Remarques.push_back(RemplirModele(
                Traduire("Fichiers", "Origine inconnue « %1 » (%2) : le signal est laissé vide."),
                {sorte, prefixe}));
        }
        return r;
    }

    // Every entry is needed once the matrix is there: a missing one would silently be 0.
    Matrice2x2 LireMatrice(const json& o, const std::string& prefixe) {
        Matrice2x2 A;
        if (&o != &Vide) {
            for (const char* cle : {"a11", "a12", "a21", "a22"}) {
                if (!o.contains(cle)) {
                    throw ErreurChampSession(
                        Chemin, RemplirModele(Traduire("Fichiers", "le champ « %1 » manque : la "
                                                                   "matrice est incomplète"),
                                              {prefixe + cle}));
                }
            }
        }
        Lire(o, prefixe, "a11", A.a11);
        Lire(o, prefixe, "a12", A.a12);
        Lire(o, prefixe, "a21", A.a21);
        Lire(o, prefixe, "a22", A.a22);
        Inconnus(o, prefixe, {"a11", "a12", "a21", "a22"});
        if (const std::string defaut = DefautMatrice(A); !defaut.empty()) {
            throw ErreurChampSession(
                Chemin, RemplirModele(Traduire("Fichiers", "le champ « %1 » est refusé : %2"),
                                      {prefixe.substr(0, prefixe.size() - 1), defaut}));
        }
        return A;
    }

private:
    const json Vide = json::object();
    std::filesystem::path Chemin;
    std::filesystem::path Dossier;
    std::vector<std::string>& Remarques;
};

std::string LireFichierSession(const std::filesystem::path& chemin) {
    std::error_code ec;
    if (!std::filesystem::exists(chemin, ec)) {
        throw ErreurFichier(chemin, Traduire("Fichiers", "le fichier n'existe pas"));
    }
    if (std::filesystem::is_directory(chemin, ec)) {
        throw ErreurFichier(chemin, Traduire("Fichiers", "c'est un dossier, pas un fichier"));
    }
    constexpr std::uintmax_t TailleMax = 64u << 20;
    if (std::filesystem::file_size(chemin, ec) > TailleMax) {
        throw ErreurFichier(chemin,
                            Traduire("Fichiers", "trop gros pour une session (plus de 64 Mo)"));
    }
    std::ifstream f(chemin, std::ios::binary);
    if (!f) {
        throw ErreurFichier(chemin,
                            RemplirModele(Traduire("Fichiers", "impossible de l'ouvrir : %1"),
                                          {TexteErreurSysteme(errno)}));
    }
    std::ostringstream contenu;
    contenu << f.rdbuf();
    return contenu.str();
}

} // namespace

std::string NomTypeSource(TypeSource type) {
    return NomsTypes[int(type)];
}

void EnregistrerSession(const std::filesystem::path& chemin, const Session& s) {
    json j;
    j["format"] = "ovrel5-session";
    j["version"] = VersionSession;
    const std::filesystem::path dossier = DossierSession(chemin);
    j["sources"] = {Origine(s.Source1, dossier), Origine(s.Source2, dossier)};
    j["matrice"] = Matrice(s.MatriceMelange);
    j["textes_matrice"] = s.TextesMatrice;
    const char* sorte = s.Melanges.sorte == RecetteMelanges::Sorte::Generees ? "generees"
                        : s.Melanges.sorte == RecetteMelanges::Sorte::Lues   ? "lues"
                                                                             : "aucune";
    j["melanges"] = {
        {"sorte", sorte},
        {"signaux", {Origine(s.Melanges.Signal1, dossier), Origine(s.Melanges.Signal2, dossier)}},
        {"matrice", Matrice(s.Melanges.Matrice)},
        {"N", s.Melanges.N}};
    j["etat_generateur"] = TexteEtat(s.EtatAlea);
    if (s.Options) {
        json& o = j["options"] = json::object();
        for (const auto& [cle, valeur] : *s.Options) {
            o[cle] = std::visit(
                [](const auto& v) -> json {
                    using Type = std::decay_t<decltype(v)>;
                    if constexpr (std::is_same_v<Type, std::monostate>) {
                        return nullptr;
                    } else if constexpr (std::is_same_v<Type, double>) {
                        return Nombre(v);
                    } else {
                        return v;
                    }
                },
                valeur);
        }
    }
    EcrireTexteAtomiquement(chemin, j.dump(2) + "\n");
}

namespace {

// "le champ « PrecisionSivia » tient un nombre hors de l'étendue des nombres (1e400)", from
// the library's "number overflow parsing '1e400'": the number is found again in the text,
// and the key just before it names the field.
std::string NombreHorsEtendue(const std::string& texte, const std::string& message) {
    const std::size_t debut = message.find('\'');
    const std::size_t fin = message.rfind('\'');
    const std::string nombre =
        debut < fin ? message.substr(debut + 1, fin - debut - 1) : std::string("?");
    std::string champ;
    std::size_t p = texte.find(nombre);
    if (p != std::string::npos) {
        while (p > 0 && std::isspace(static_cast<unsigned char>(texte[p - 1]))) {
            --p;
        }
        if (p > 0 && texte[p - 1] == ':') {
            const std::size_t guillemet = texte.rfind('"', p - 1);
            const std::size_t ouvrant = guillemet > 0 && guillemet != std::string::npos
                                            ? texte.rfind('"', guillemet - 1)
                                            : std::string::npos;
            if (ouvrant != std::string::npos) {
                champ = texte.substr(ouvrant + 1, guillemet - ouvrant - 1);
            }
        }
    }
    // A number of megabytes (a file of one endless line of digits) is quoted by its start.
    const std::string cite = nombre.size() <= 60 ? nombre : nombre.substr(0, 60) + "…";
    if (champ.empty()) {
        return RemplirModele(
            Traduire("Fichiers", "une valeur tient un nombre hors de l'étendue des nombres (%1)"),
            {cite});
    }
    return RemplirModele(Traduire("Fichiers", "le champ « %1 » tient un nombre hors de l'étendue "
                                              "des nombres (%2)"),
                         {champ, cite});
}

Session LireSession(const std::filesystem::path& chemin, const std::string& texte) {
    json j;
    try {
        j = json::parse(texte);
    } catch (const json::parse_error& erreur) {
        throw ErreurFichier(
            chemin,
            RemplirModele(Traduire("Fichiers", "ce n'est pas un fichier JSON valide (octet %1)"),
                          {std::to_string(erreur.byte)}));
    } catch (const json::out_of_range& erreur) {
        throw ErreurChampSession(chemin, NombreHorsEtendue(texte, erreur.what()));
    }
    const auto format = j.is_object() ? j.find("format") : j.end();
    if (!j.is_object() || format == j.end() || *format != "ovrel5-session") {
        throw ErreurFichier(chemin, Traduire("Fichiers", "ce n'est pas une session d'Ovrel 5"));
    }
    Session s;
    Lecteur l(chemin, s.Remarques);
    std::int32_t version = VersionSession;
    l.Lire(j, "", "version", version);
    if (version > VersionSession) {
        s.Remarques.push_back(
            RemplirModele(Traduire("Fichiers", "Session d'une version plus récente (%1) : ce que "
                                               "cette version ne connaît pas est ignoré."),
                          {std::to_string(version)}));
    }
    l.Inconnus(j, "",
               {"format", "version", "sources", "matrice", "textes_matrice", "melanges",
                "etat_generateur", "options"});

    if (const json* sources = l.Membre(j, "", "sources")) {
        if (!sources->is_array() || sources->size() != 2) {
            l.Erreur("sources", Traduire("Fichiers", "une liste de deux sources"));
        }
        s.Source1 = l.LireOrigine((*sources)[0], "sources[0]");
        s.Source2 = l.LireOrigine((*sources)[1], "sources[1]");
    }
    s.MatriceMelange = l.LireMatrice(l.Objet(j, "", "matrice"), "matrice.");
    if (const json* textes = l.Membre(j, "", "textes_matrice")) {
        if (!textes->is_array() || textes->size() != 4 ||
            !std::all_of(textes->begin(), textes->end(),
                         [](const json& t) { return t.is_string(); })) {
            l.Erreur("textes_matrice", Traduire("Fichiers", "une liste de quatre textes"));
        }
        for (int k = 0; k < 4; ++k) {
            s.TextesMatrice[k] = (*textes)[k].get<std::string>();
        }
    }

    const json& m = l.Objet(j, "", "melanges");
    std::string sorte = "aucune";
    l.Lire(m, "melanges.", "sorte", sorte);
    if (sorte == "generees" || sorte == "lues") {
        s.Melanges.sorte =
            sorte == "lues" ? RecetteMelanges::Sorte::Lues : RecetteMelanges::Sorte::Generees;
        if (const json* signaux = l.Membre(m, "melanges.", "signaux")) {
            if (!signaux->is_array() || signaux->size() != 2) {
                l.Erreur("melanges.signaux", Traduire("Fichiers", "une liste de deux signaux"));
            }
            s.Melanges.Signal1 = l.LireOrigine((*signaux)[0], "melanges.signaux[0]");
            s.Melanges.Signal2 = l.LireOrigine((*signaux)[1], "melanges.signaux[1]");
        }
        s.Melanges.Matrice = l.LireMatrice(l.Objet(m, "melanges.", "matrice"), "melanges.matrice.");
        l.Lire(m, "melanges.", "N", s.Melanges.N);
    } else if (sorte != "aucune") {
        s.Remarques.push_back(RemplirModele(
            Traduire("Fichiers", "Sorte de mélanges inconnue « %1 » : ignorée."), {sorte}));
    }
    l.Inconnus(m, "melanges.", {"sorte", "signaux", "matrice", "N"});

    l.LireEtat(j, "", "etat_generateur", s.EtatAlea);

    if (const json* o = l.Membre(j, "", "options")) {
        if (!o->is_object()) {
            l.Erreur("options", Traduire("Fichiers", "un objet"));
        }
        s.Options.emplace();
        for (const auto& [cle, v] : o->items()) {
            ValeurReglage& cible = (*s.Options)[cle];
            if (v.is_number_unsigned() && v.get<std::uint64_t>() <= INT64_MAX) {
                cible = std::int64_t(v.get<std::uint64_t>());
            } else if (v.is_number_integer() && !v.is_number_unsigned()) {
                cible = v.get<std::int64_t>();
            } else if (v.is_number()) {
                cible = v.get<double>();
            } else if (v.is_boolean()) {
                cible = v.get<bool>();
            } else if (v == "nan" || v == "inf" || v == "-inf") {
                cible = v == "nan" ? NAN : (v == "inf" ? INFINITY : -INFINITY);
            } else if (v.is_string()) {
                cible = v.get<std::string>();
            }
        }
    }
    return s;
}

} // namespace

Session OuvrirSession(const std::filesystem::path& chemin) {
    const std::string texte = LireFichierSession(chemin);
    try {
        return LireSession(chemin, texte);
    } catch (const json::exception& erreur) {
        // Whatever the checks above missed ends as a message about this file, never as the
        // library's English text.
        throw ErreurFichier(
            chemin, RemplirModele(Traduire("Fichiers", "contenu illisible (erreur JSON %1)"),
                                  {std::to_string(erreur.id)}));
    }
}
