#include "fichiers/LectureTexte.h"

#include "fichiers/ErreurFichier.h"
#include "interval/Traduction.h"
#include "signal/Memoire.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace {

bool EstBlanc(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Rogner(std::string_view s) {
    while (!s.empty() && EstBlanc(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && EstBlanc(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// Cuts the text into lines; calls f(numero, line) for each line that holds data.
template <typename F> void ParcourirLignes(std::string_view contenu, F&& f) {
    std::size_t numero = 0;
    while (!contenu.empty()) {
        const std::size_t fin = contenu.find('\n');
        std::string_view ligne = contenu.substr(0, fin);
        contenu.remove_prefix(fin == std::string_view::npos ? contenu.size() : fin + 1);
        ++numero;
        ligne = Rogner(ligne);
        if (ligne.empty() || ligne.front() == '#') {
            continue;
        }
        if (!f(numero, ligne)) {
            return;
        }
    }
}

// 0 for blanks, else ';' or ','.
char Separateur(std::string_view ligne) {
    if (ligne.find(';') != std::string_view::npos) {
        return ';';
    }
    return ligne.find(',') != std::string_view::npos ? ',' : 0;
}

void Decouper(std::string_view ligne, char separateur, std::vector<std::string_view>& cellules) {
    cellules.clear();
    if (separateur != 0) {
        while (true) {
            const std::size_t fin = ligne.find(separateur);
            cellules.push_back(Rogner(ligne.substr(0, fin)));
            if (fin == std::string_view::npos) {
                return;
            }
            ligne.remove_prefix(fin + 1);
        }
    }
    while (!ligne.empty()) {
        const auto debut =
            std::find_if(ligne.begin(), ligne.end(), [](char c) { return !EstBlanc(c); });
        ligne.remove_prefix(std::size_t(debut - ligne.begin()));
        if (ligne.empty()) {
            return;
        }
        const auto fin = std::find_if(ligne.begin(), ligne.end(), EstBlanc);
        cellules.push_back(ligne.substr(0, std::size_t(fin - ligne.begin())));
        ligne.remove_prefix(std::size_t(fin - ligne.begin()));
    }
}

enum class Lecture { Nombre, PasUnNombre, HorsEtendue };

// The whole cell as a number with "." as the separator (a leading "+" allowed); HorsEtendue
// for a number written right whose magnitude no double holds (1e400, 1e-400).
Lecture LireNombre(std::string_view cellule, double& valeur) {
    if (cellule.size() > 1 && cellule.front() == '+' && cellule[1] != '-') {
        cellule.remove_prefix(1);
    }
    const char* fin = cellule.data() + cellule.size();
    const auto [p, ec] = std::from_chars(cellule.data(), fin, valeur);
    if (p != fin || (ec != std::errc() && ec != std::errc::result_out_of_range)) {
        return Lecture::PasUnNombre;
    }
    return ec == std::errc() ? Lecture::Nombre : Lecture::HorsEtendue;
}

// A header: some cells are not numbers, and none of them starts like one ("1,5" is a number
// written with the wrong separator, not a name).
bool LigneEntete(const std::vector<std::string_view>& cellules) {
    bool nom = false;
    for (std::string_view c : cellules) {
        double v;
        if (LireNombre(c, v) != Lecture::Nombre) {
            if (!c.empty() && (std::isdigit(static_cast<unsigned char>(c.front())) ||
                               c.front() == '-' || c.front() == '+' || c.front() == '.')) {
                return false;
            }
            nom = true;
        }
    }
    return nom;
}

std::string Position(std::size_t ligne, std::size_t colonne) {
    return RemplirModele(Traduire("Fichiers", "ligne %1, colonne %2"),
                         {std::to_string(ligne), std::to_string(colonne + 1)});
}

// A cell as a message quotes it: its first 60 bytes (not cutting a UTF-8 character) and "…"
// when longer, so that a line of megabytes does not become a message of megabytes.
std::string Cellule(std::string_view cellule) {
    constexpr std::size_t Longueur = 60;
    if (cellule.size() <= Longueur) {
        return std::string(cellule);
    }
    std::size_t fin = Longueur;
    while (fin > 0 && (static_cast<unsigned char>(cellule[fin]) & 0xC0) == 0x80) {
        --fin;
    }
    return std::string(cellule.substr(0, fin)) + "…";
}

// The first data line: its separator, its cells, whether it is a header.
struct Entete {
    char Separateur = 0;
    std::vector<std::string> Noms;
    std::size_t NbColonnes = 0;
    std::size_t LigneEntete = 0; // 0: no header
};

Entete LireEntete(const std::filesystem::path& chemin, std::string_view contenu) {
    Entete e;
    bool trouvee = false;
    std::vector<std::string_view> cellules;
    ParcourirLignes(contenu, [&](std::size_t numero, std::string_view ligne) {
        e.Separateur = Separateur(ligne);
        Decouper(ligne, e.Separateur, cellules);
        e.NbColonnes = cellules.size();
        if (LigneEntete(cellules)) {
            e.LigneEntete = numero;
            for (auto c : cellules) {
                e.Noms.emplace_back(c);
            }
        }
        trouvee = true;
        return false;
    });
    if (!trouvee) {
        throw ErreurFichier(chemin, Traduire("Fichiers", "le fichier ne contient aucun nombre"));
    }
    if (e.Noms.empty()) {
        for (std::size_t k = 0; k < e.NbColonnes; ++k) {
            e.Noms.push_back(
                RemplirModele(Traduire("Fichiers", "Colonne %1"), {std::to_string(k + 1)}));
        }
    }
    return e;
}

// The line ends of the text, counted by stretches; the progress goes from `avant` to
// avant + part.
std::uint64_t CompterFinsDeLigne(std::string_view contenu, const RappelAvancement& avancement,
                                 double avant, double part) {
    constexpr std::size_t Morceau = std::size_t{16} << 20;
    std::uint64_t n = 0;
    for (std::size_t debut = 0; debut < contenu.size(); debut += Morceau) {
        if (debut > 0) {
            PoursuivreOuArreter(avancement, avant + part * double(debut) / double(contenu.size()));
        }
        const std::string_view morceau = contenu.substr(debut, Morceau);
        n += std::uint64_t(std::count(morceau.begin(), morceau.end(), '\n'));
    }
    return n;
}

} // namespace

ContenuFichier DecrireTexte(const std::filesystem::path& chemin, std::string_view contenu,
                            const RappelAvancement& avancement) {
    const Entete e = LireEntete(chemin, contenu);
    ContenuFichier c;
    c.NbCanaux = int(e.NbColonnes);
    c.NomsCanaux = e.Noms;
    c.NbEchantillons = CompterFinsDeLigne(contenu, avancement, 0, 1) +
                       (contenu.empty() || contenu.back() == '\n' ? 0 : 1) -
                       (e.LigneEntete != 0 ? 1 : 0);
    return c;
}

CanauxLus LireTexte(const std::filesystem::path& chemin, std::string_view contenu,
                    const std::vector<int>& canaux, const RappelAvancement& avancement) {
    const Entete e = LireEntete(chemin, contenu);
    for (int k : canaux) {
        if (k < 0 || std::size_t(k) >= e.NbColonnes) {
            throw ErreurFichier(
                chemin, RemplirModele(
                            Traduire("Fichiers", "la colonne %1 n'existe pas (le fichier en a %2)"),
                            {std::to_string(k + 1), std::to_string(e.NbColonnes)}));
        }
    }
    constexpr double PartComptage = 0.05;
    const std::uint64_t lignes = CompterFinsDeLigne(contenu, avancement, 0, PartComptage) + 1;
    try {
        VerifierMemoire(lignes * canaux.size() * sizeof(double),
                        RemplirModele(Traduire("Fichiers", "la lecture de %1 lignes"),
                                      {std::to_string(lignes)}));
    } catch (const ErreurMemoire& erreur) {
        throw ErreurFichier(chemin, erreur.what());
    }

    CanauxLus lus;
    lus.Canaux.resize(canaux.size());
    for (auto& c : lus.Canaux) {
        c.reserve(lignes);
    }
    std::vector<std::string_view> cellules;
    constexpr std::size_t LignesParTranche = 8192;
    ParcourirLignes(contenu, [&](std::size_t numero, std::string_view ligne) {
        if (numero == e.LigneEntete) {
            return true;
        }
        if (numero % LignesParTranche == 0) {
            PoursuivreOuArreter(avancement,
                                PartComptage + (1 - PartComptage) *
                                                   double(ligne.data() - contenu.data()) /
                                                   double(contenu.size()));
        }
        Decouper(ligne, e.Separateur, cellules);
        if (cellules.size() != e.NbColonnes) {
            // A line holds at least one cell: one is the only singular.
            const std::string modele =
                cellules.size() == 1 ? Traduire("Fichiers", "ligne %1 : %2 valeur au lieu de %3")
                                     : Traduire("Fichiers", "ligne %1 : %2 valeurs au lieu de %3");
            throw ErreurFichier(chemin, RemplirModele(modele, {std::to_string(numero),
                                                               std::to_string(cellules.size()),
                                                               std::to_string(e.NbColonnes)}));
        }
        for (std::size_t j = 0; j < canaux.size(); ++j) {
            const std::size_t k = std::size_t(canaux[j]);
            double v;
            const Lecture lecture = LireNombre(cellules[k], v);
            if (lecture == Lecture::HorsEtendue) {
                throw ErreurFichier(
                    chemin,
                    RemplirModele(Traduire("Fichiers", "%1 : « %2 » est hors de l'étendue des "
                                                       "nombres (de 1e-308 à 1e308 en valeur "
                                                       "absolue)"),
                                  {Position(numero, k), Cellule(cellules[k])}));
            }
            if (lecture == Lecture::PasUnNombre) {
                const std::string modele =
                    cellules[k].find(',') != std::string_view::npos
                        ? Traduire("Fichiers", "%1 : « %2 » n'est pas un nombre (le séparateur "
                                               "décimal est le point)")
                        : Traduire("Fichiers", "%1 : « %2 » n'est pas un nombre");
                throw ErreurFichier(
                    chemin, RemplirModele(modele, {Position(numero, k), Cellule(cellules[k])}));
            }
            if (!(std::abs(v) <= AmplitudeMaximale)) {
                throw ErreurFichier(chemin,
                                    RemplirModele(Traduire("Fichiers", "%1 : %2 (« %3 »)"),
                                                  {Position(numero, k), RaisonEchantillonRefuse(v),
                                                   Cellule(cellules[k])}));
            }
            lus.Canaux[j].push_back(v);
        }
        return true;
    });
    return lus;
}
