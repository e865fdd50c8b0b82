#include "fichiers/LectureAudio.h"

#include "fichiers/ErreurFichier.h"
#include "interval/Traduction.h"
#include "signal/Memoire.h"

#include <sndfile.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace {

// An audio file open for reading: our descriptor, and libsndfile over it, closed in turn.
class Sndfile {
public:
    Sndfile(int descripteur, SF_INFO& info)
        : Descripteur_(descripteur), Fichier_(sf_open_fd(descripteur, SFM_READ, &info, SF_FALSE)) {}
    ~Sndfile() {
        if (Fichier_ != nullptr) {
            sf_close(Fichier_);
        }
        ::close(Descripteur_);
    }
    Sndfile(const Sndfile&) = delete;
    Sndfile& operator=(const Sndfile&) = delete;

    SNDFILE* get() const { return Fichier_; }
    explicit operator bool() const { return Fichier_ != nullptr; }

private:
    int Descripteur_;
    SNDFILE* Fichier_;
};

std::uint32_t Mot32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

// A RIFF/WAVE file whose header or data chunk goes past the end of the file.
void VerifierWavComplet(const std::filesystem::path& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    unsigned char entete[12];
    if (!f.read(reinterpret_cast<char*>(entete), 12) || std::memcmp(entete, "RIFF", 4) != 0 ||
        std::memcmp(entete + 8, "WAVE", 4) != 0) {
        return;
    }
    const std::uint64_t taille = std::filesystem::file_size(chemin);
    std::uint64_t position = 12;
    unsigned char morceau[8];
    while (f.seekg(std::streamoff(position)) && f.read(reinterpret_cast<char*>(morceau), 8)) {
        const std::uint64_t longueur = Mot32(morceau + 4);
        const bool donnees = std::memcmp(morceau, "data", 4) == 0;
        // 0 and 0xFFFFFFFF mark a length left open by a streaming writer (or RF64).
        if (donnees && longueur != 0 && longueur != 0xFFFFFFFFu &&
            position + 8 + longueur > taille) {
            throw ErreurFichier(
                chemin,
                RemplirModele(Traduire("Fichiers", "fichier WAV tronqué : l'en-tête annonce "
                                                   "%1 octets de données, le fichier n'en "
                                                   "contient que %2"),
                              {std::to_string(longueur), std::to_string(taille - position - 8)}));
        }
        if (donnees) {
            return;
        }
        position += 8 + longueur + (longueur & 1);
    }
    if (position < taille || taille < 44) {
        throw ErreurFichier(chemin,
                            Traduire("Fichiers", "fichier WAV tronqué : pas de données audio"));
    }
}

std::unique_ptr<Sndfile> Ouvrir(const std::filesystem::path& chemin, SF_INFO& info) {
    info = SF_INFO{};
    const int descripteur = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
    if (descripteur < 0) {
        throw ErreurFichier(chemin,
                            RemplirModele(Traduire("Fichiers", "impossible de l'ouvrir : %1"),
                                          {TexteErreurSysteme(errno)}));
    }
    return std::make_unique<Sndfile>(descripteur, info);
}

// Families of libsndfile's own error numbers (those of its 1.x series) met in bad files.
struct FamilleErreurs {
    int De, A;
    const char* Texte;
};
constexpr FamilleErreurs FamillesSndfile[] = {
    {7, 7, OVREL_TEXTE("Fichiers", "ce n'est pas un fichier ordinaire")},
    {8, 8, OVREL_TEXTE("Fichiers", "le fichier ne contient aucune donnée audio")},
    {17, 17, OVREL_TEXTE("Fichiers", "mémoire insuffisante")},
    {18, 18, OVREL_TEXTE("Fichiers", "variante de format audio non prise en charge")},
    {19, 20, OVREL_TEXTE("Fichiers", "nombre de canaux invalide")},
    {28, 28, OVREL_TEXTE("Fichiers", "ce format audio ne s'écrit pas dans un tube")},
    {32, 34, OVREL_TEXTE("Fichiers", "nombre de canaux invalide")},
    {39, 43,
     OVREL_TEXTE("Fichiers", "le fichier ne permet pas de se déplacer (tube ou périphérique)")},
    {61, 79, OVREL_TEXTE("Fichiers", "fichier WAV abîmé : en-tête mal formé")},
    {80, 91, OVREL_TEXTE("Fichiers", "fichier AIFF abîmé : en-tête mal formé")},
    {124, 130, OVREL_TEXTE("Fichiers", "fichier W64 abîmé : en-tête mal formé")},
    {155, 161, OVREL_TEXTE("Fichiers", "flux FLAC abîmé ou illisible")},
    {165, 167, OVREL_TEXTE("Fichiers", "fichier RF64 abîmé : en-tête mal formé")},
};

} // namespace

std::string TexteErreurSndfile(int code) {
    switch (code) {
    case SF_ERR_NO_ERROR:
        return Traduire("Fichiers", "erreur inconnue");
    case SF_ERR_UNRECOGNISED_FORMAT:
        return Traduire("Fichiers", "format audio non reconnu");
    case SF_ERR_SYSTEM:
        return Traduire("Fichiers", "erreur du système en accédant au fichier");
    case SF_ERR_MALFORMED_FILE:
        return Traduire("Fichiers", "fichier audio mal formé");
    case SF_ERR_UNSUPPORTED_ENCODING:
        return Traduire("Fichiers", "codage audio non pris en charge");
    default:
        break;
    }
    for (const FamilleErreurs& f : FamillesSndfile) {
        if (code >= f.De && code <= f.A) {
            return Traduire("Fichiers", f.Texte);
        }
    }
    return RemplirModele(
        Traduire("Fichiers",
                 "fichier audio abîmé ou non pris en charge (erreur n° %1 de libsndfile)"),
        {std::to_string(code)});
}

std::optional<ContenuFichier> DecrireAudio(const std::filesystem::path& chemin) {
    SF_INFO info;
    const auto f = Ouvrir(chemin, info);
    if (!*f) {
        return std::nullopt;
    }
    ContenuFichier c;
    c.Audio = true;
    c.NbCanaux = info.channels;
    c.NbEchantillons = std::uint64_t(info.frames);
    c.Frequence = info.samplerate;
    for (int k = 0; k < info.channels; ++k) {
        c.NomsCanaux.push_back(
            RemplirModele(Traduire("Fichiers", "Canal %1"), {std::to_string(k + 1)}));
    }
    return c;
}

CanauxLus LireAudio(const std::filesystem::path& chemin, const std::vector<int>& canaux,
                    const RappelAvancement& avancement) {
    VerifierWavComplet(chemin);
    SF_INFO info;
    const auto f = Ouvrir(chemin, info);
    if (!*f) {
        throw ErreurFichier(
            chemin,
            RemplirModele(Traduire("Fichiers", "ce n'est pas un fichier audio lisible (%1)"),
                          {TexteErreurSndfile(sf_error(nullptr))}));
    }
    for (int k : canaux) {
        if (k < 0 || k >= info.channels) {
            throw ErreurFichier(
                chemin,
                RemplirModele(Traduire("Fichiers", "le canal %1 n'existe pas (le fichier en a %2)"),
                              {std::to_string(k + 1), std::to_string(info.channels)}));
        }
    }
    // libsndfile announces SF_COUNT_MAX frames when it cannot tell the length (a damaged
    // Ogg): what is there is read, the memory checked block by block instead of up front.
    const bool longueurInconnue = info.frames == SF_COUNT_MAX;
    const std::uint64_t trames =
        info.frames > 0 && !longueurInconnue ? std::uint64_t(info.frames) : 0;
    constexpr std::uint64_t TramesParBloc = 16384;
    const auto verifierMemoire = [&](std::uint64_t n) {
        try {
            // Past 2^56 samples the byte count would wrap: no memory holds that many anyway.
            VerifierMemoire(n < (std::uint64_t(1) << 56)
                                ? n * canaux.size() * sizeof(double) +
                                      TramesParBloc * std::uint64_t(info.channels) * sizeof(double)
                                : UINT64_MAX,
                            RemplirModele(Traduire("Fichiers", "la lecture de %1 échantillons"),
                                          {std::to_string(n)}));
        } catch (const ErreurMemoire& erreur) {
            throw ErreurFichier(chemin, erreur.what());
        }
    };
    verifierMemoire(trames);

    CanauxLus lus;
    lus.Frequence = info.samplerate;
    lus.Canaux.resize(canaux.size());
    for (auto& c : lus.Canaux) {
        ReserverEchantillons(c, trames);
    }
    const std::size_t nc = std::size_t(info.channels);
    // Float blocks hold 8-, 16- and 24-bit and float samples exactly; wider ones need doubles.
    const int sous = info.format & SF_FORMAT_SUBMASK;
    const bool doubles = sous == SF_FORMAT_DOUBLE || sous == SF_FORMAT_PCM_32;
    std::uint64_t lues = 0;
    const auto lire = [&](auto* bloc, auto lireBloc) {
        while (longueurInconnue || lues < trames) {
            if (lues > 0) {
                PoursuivreOuArreter(avancement,
                                    longueurInconnue ? 0.0 : double(lues) / double(trames));
            }
            sf_count_t n = lireBloc(f->get(), bloc, sf_count_t(TramesParBloc));
            if (n <= 0) {
                break;
            }
            if (longueurInconnue) {
                verifierMemoire(lues + std::uint64_t(n));
            } else if (lues + std::uint64_t(n) > trames) {
                n = sf_count_t(trames - lues);
            }
            for (std::size_t j = 0; j < canaux.size(); ++j) {
                lus.Canaux[j].resize(lues + std::uint64_t(n));
                double* cible = lus.Canaux[j].data() + lues;
                const auto* source = bloc + canaux[j];
                for (sf_count_t i = 0; i < n; ++i) {
                    const double v = source[std::size_t(i) * nc];
                    if (!(std::abs(v) <= AmplitudeMaximale)) {
                        throw ErreurFichier(
                            chemin,
                            RemplirModele(Traduire("Fichiers", "échantillon %1 du canal %2 : %3"),
                                          {std::to_string(lues + std::uint64_t(i) + 1),
                                           std::to_string(canaux[j] + 1),
                                           RaisonEchantillonRefuse(v)}));
                    }
                    cible[i] = v;
                }
            }
            lues += std::uint64_t(n);
        }
    };
    if (doubles) {
        std::vector<double> bloc(TramesParBloc * nc);
        lire(bloc.data(), sf_readf_double);
    } else {
        std::vector<float> bloc(TramesParBloc * nc);
        lire(bloc.data(), sf_readf_float);
    }
    if (longueurInconnue && lues == 0) {
        throw ErreurFichier(chemin,
                            Traduire("Fichiers", "fichier abîmé : aucun échantillon lisible"));
    }
    if (lues < trames) {
        const int code = sf_error(f->get());
        const std::string modele =
            code != 0
                ? Traduire("Fichiers", "fichier tronqué ou abîmé : %1 échantillons lus sur %2 "
                                       "annoncés (%3)")
                : Traduire("Fichiers", "fichier tronqué ou abîmé : %1 échantillons lus sur %2 "
                                       "annoncés");
        throw ErreurFichier(chemin,
                            RemplirModele(modele, {std::to_string(lues), std::to_string(trames),
                                                   code != 0 ? TexteErreurSndfile(code) : ""}));
    }
    return lus;
}
