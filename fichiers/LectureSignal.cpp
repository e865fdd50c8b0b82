#include "fichiers/LectureSignal.h"

#include "fichiers/ErreurFichier.h"
#include "fichiers/LectureAudio.h"
#include "fichiers/LectureTexte.h"
#include "interval/Traduction.h"
#include "signal/Memoire.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

enum class Sorte { Audio, Texte, Inconnue };

Sorte SorteParExtension(const std::filesystem::path& chemin) {
    std::string ext = chemin.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    for (const char* audio : {".wav", ".wave", ".flac", ".ogg", ".oga", ".opus", ".aif", ".aiff",
                              ".au", ".snd", ".caf", ".w64", ".rf64"}) {
        if (ext == audio) {
            return Sorte::Audio;
        }
    }
    for (const char* texte : {".csv", ".txt", ".tsv", ".dat"}) {
        if (ext == texte) {
            return Sorte::Texte;
        }
    }
    return Sorte::Inconnue;
}

// A regular, non-empty file that can be opened.
void VerifierChemin(const std::filesystem::path& chemin) {
    VerifierFichierOrdinaire(chemin);
    std::ifstream f(chemin, std::ios::binary);
    if (!f) {
        throw ErreurFichier(chemin,
                            RemplirModele(Traduire("Fichiers", "impossible de l'ouvrir : %1"),
                                          {TexteErreurSysteme(errno)}));
    }
    std::error_code ec;
    if (std::filesystem::file_size(chemin, ec) == 0) {
        throw ErreurFichier(chemin, Traduire("Fichiers", "le fichier est vide"));
    }
}

// The whole file, read by stretches with the progress told between two.
std::string LireTout(const std::filesystem::path& chemin, const RappelAvancement& avancement) {
    const std::uint64_t taille = std::filesystem::file_size(chemin);
    try {
        VerifierMemoire(taille, RemplirModele(Traduire("Fichiers", "la lecture d'un texte de %1"),
                                              {TexteOctets(double(taille))}));
    } catch (const ErreurMemoire& erreur) {
        throw ErreurFichier(chemin, erreur.what());
    }
    std::string contenu(taille, '\0');
    std::ifstream f(chemin, std::ios::binary);
    constexpr std::uint64_t Morceau = std::uint64_t{8} << 20;
    for (std::uint64_t lus = 0; lus < taille; lus += Morceau) {
        if (lus > 0) {
            PoursuivreOuArreter(avancement, double(lus) / double(taille));
        }
        if (!f.read(contenu.data() + lus, std::streamsize(std::min(Morceau, taille - lus)))) {
            throw ErreurFichier(chemin,
                                RemplirModele(Traduire("Fichiers", "la lecture a échoué : %1"),
                                              {TexteErreurSysteme(errno)}));
        }
    }
    if (contenu.find('\0') != std::string::npos) {
        throw ErreurFichier(chemin, Traduire("Fichiers", "ce n'est ni un fichier audio reconnu ni "
                                                         "un texte de nombres"));
    }
    return contenu;
}

bool EstAudio(const std::filesystem::path& chemin) {
    const Sorte sorte = SorteParExtension(chemin);
    return sorte == Sorte::Audio || (sorte == Sorte::Inconnue && DecrireAudio(chemin));
}

// Mixtures need two channels: a file of one is refused before its samples are read.
void VerifierDeuxCanaux(const std::filesystem::path& chemin, const ContenuFichier& contenu) {
    if (contenu.NbCanaux < 2) {
        throw ErreurFichier(
            chemin, contenu.Audio ? Traduire("Fichiers", "les mélanges demandent deux canaux, le "
                                                         "fichier n'en a qu'un")
                                  : Traduire("Fichiers", "les mélanges demandent deux colonnes, le "
                                                         "fichier n'en a qu'une"));
    }
}

// The channels asked, the text read once; `melanges` checks the two channels first.
CanauxLus LireFichier(const std::filesystem::path& chemin, const std::vector<int>& canaux,
                      bool melanges, const RappelAvancement& avancement) {
    VerifierChemin(chemin);
    CanauxLus lus;
    if (EstAudio(chemin)) {
        if (melanges) {
            const auto contenu = DecrireAudio(chemin);
            if (!contenu) {
                throw ErreurFichier(chemin,
                                    Traduire("Fichiers", "ce n'est pas un fichier audio lisible"));
            }
            VerifierDeuxCanaux(chemin, *contenu);
        }
        lus = LireAudio(chemin, canaux, avancement);
    } else {
        const std::string contenu = LireTout(chemin, Partie(avancement, 0, 0.2));
        if (melanges) {
            VerifierDeuxCanaux(chemin, DecrireTexte(chemin, contenu, Partie(avancement, 0.2, 0.1)));
        }
        lus = LireTexte(chemin, contenu, canaux, Partie(avancement, 0.3, 0.7));
    }
    const std::size_t n = lus.Canaux.empty() ? 0 : lus.Canaux.front().size();
    if (n == 0) {
        throw ErreurFichier(chemin,
                            Traduire("Fichiers", "le fichier ne contient aucun échantillon"));
    }
    if (n == 1) {
        throw ErreurFichier(chemin,
                            Traduire("Fichiers", "un seul échantillon : il en faut au moins deux"));
    }
    return lus;
}

} // namespace

ContenuFichier DecrireFichier(const std::filesystem::path& chemin,
                              const RappelAvancement& avancement) {
    VerifierChemin(chemin);
    if (EstAudio(chemin)) {
        if (auto c = DecrireAudio(chemin)) {
            return *c;
        }
        throw ErreurFichier(chemin, Traduire("Fichiers", "ce n'est pas un fichier audio lisible"));
    }
    const std::string contenu = LireTout(chemin, Partie(avancement, 0, 0.7));
    return DecrireTexte(chemin, contenu, Partie(avancement, 0.7, 0.3));
}

std::vector<std::string> NomsDesCanaux(const std::filesystem::path& chemin) {
    VerifierChemin(chemin);
    if (EstAudio(chemin)) {
        return DecrireFichier(chemin).NomsCanaux;
    }
    std::ifstream f(chemin, std::ios::binary);
    std::string debut;
    for (std::string ligne; std::getline(f, ligne);) {
        debut += ligne + "\n";
        const std::size_t texte = ligne.find_first_not_of(" \t\r");
        if (ligne.find('\0') != std::string::npos) {
            throw ErreurFichier(chemin, Traduire("Fichiers", "ce n'est ni un fichier audio reconnu "
                                                             "ni un texte de nombres"));
        }
        if (texte != std::string::npos && ligne[texte] != '#') {
            break;
        }
    }
    return DecrireTexte(chemin, debut).NomsCanaux;
}

int CanalNomme(const std::vector<std::string>& noms, const std::string& nom) {
    const auto k = std::find(noms.begin(), noms.end(), nom);
    if (k != noms.end()) {
        return int(k - noms.begin());
    }
    // The names given to unnamed channels, in either language: a script written for one
    // language keeps working in the other.
    for (const char* prefixe : {"Canal ", "Colonne ", "Channel ", "Column "}) {
        const std::string p = prefixe;
        if (nom.size() > p.size() && nom.compare(0, p.size(), p) == 0 &&
            nom.find_first_not_of("0123456789", p.size()) == std::string::npos &&
            nom.size() - p.size() < 10) {
            const int n = std::stoi(nom.substr(p.size()));
            if (n >= 1 && std::size_t(n) <= noms.size()) {
                return n - 1;
            }
        }
    }
    return -1;
}

CanauxLus LireCanaux(const std::filesystem::path& chemin, const std::vector<int>& canaux,
                     const RappelAvancement& avancement) {
    return LireFichier(chemin, canaux, false, avancement);
}

SignalLu LireSignal(const std::filesystem::path& chemin, int canal,
                    const RappelAvancement& avancement) {
    CanauxLus lus = LireCanaux(chemin, {canal}, avancement);
    return {std::move(lus.Canaux.front()), lus.Frequence};
}

MelangesLus LireMelanges(const std::filesystem::path& chemin, int canal1, int canal2,
                         const RappelAvancement& avancement) {
    CanauxLus lus = LireFichier(chemin, {canal1, canal2}, true, avancement);
    return {std::move(lus.Canaux[0]), std::move(lus.Canaux[1]), lus.Frequence, {}};
}

MelangesLus LireMelanges(const std::filesystem::path& chemin1, int canal1,
                         const std::filesystem::path& chemin2, int canal2,
                         const RappelAvancement& avancement) {
    SignalLu x1 = LireSignal(chemin1, canal1, Partie(avancement, 0, 0.5));
    SignalLu x2 = LireSignal(chemin2, canal2, Partie(avancement, 0.5, 0.5));
    MelangesLus m;
    m.Frequence = FrequenceCommune(x1.Frequence, chemin1.string(), x2.Frequence, chemin2.string());
    const std::size_t n1 = x1.Echantillons.size(), n2 = x2.Echantillons.size();
    if (n1 != n2) {
        const std::size_t n = std::min(n1, n2);
        m.Remarques.push_back(RemplirModele(
            Traduire("Fichiers", "Les deux fichiers n'ont pas la même longueur (%1 et %2 "
                                 "échantillons) : les mélanges en gardent %3."),
            {std::to_string(n1), std::to_string(n2), std::to_string(n)}));
        x1.Echantillons.resize(n);
        x2.Echantillons.resize(n);
    }
    m.Melange1 = std::move(x1.Echantillons);
    m.Melange2 = std::move(x2.Echantillons);
    return m;
}

std::string RaisonEchantillonRefuse(double v) {
    if (!std::isfinite(v)) {
        return Traduire("Fichiers", "valeur non finie");
    }
    char texte[32];
    std::snprintf(texte, sizeof texte, "%.3g", v);
    return RemplirModele(Traduire("Fichiers",
                                  "valeur trop grande (%1) : au-delà de ±1e60, les "
                                  "moments d'ordre 4 dépasseraient l'étendue des nombres"),
                         {AvecSeparateurDecimal(texte)});
}

double FrequenceCommune(double f1, const std::string& nom1, double f2, const std::string& nom2) {
    if (f1 != 0 && f2 != 0 && f1 != f2) {
        throw ErreurFichier(nom2,
                            RemplirModele(Traduire("Fichiers", "sa fréquence d'échantillonnage "
                                                               "(%1) diffère de celle de « %2 » "
                                                               "(%3)"),
                                          {TexteFrequence(f2), nom1, TexteFrequence(f1)}));
    }
    return f1 != 0 ? f1 : f2;
}

std::string TexteFrequence(double frequence) {
    if (frequence <= 0) {
        return Traduire("Fichiers", "fréquence inconnue");
    }
    char texte[32];
    const auto fin = std::to_chars(texte, texte + sizeof texte, frequence).ptr;
    return std::string(texte, fin) + " Hz";
}
