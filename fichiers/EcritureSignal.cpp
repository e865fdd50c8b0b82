#include "fichiers/EcritureSignal.h"

#include "fichiers/EcritureAtomique.h"
#include "fichiers/ErreurFichier.h"
#include "fichiers/LectureAudio.h"
#include "interval/Traduction.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>

namespace {

std::size_t LongueurCommune(const std::filesystem::path& chemin,
                            const std::vector<SignalNomme>& signaux) {
    if (signaux.empty()) {
        throw ErreurFichier(chemin, Traduire("Fichiers", "aucun signal à enregistrer"));
    }
    std::size_t n = signaux.front().Echantillons->size();
    for (const auto& s : signaux) {
        n = std::min(n, s.Echantillons->size());
    }
    if (n == 0) {
        throw ErreurFichier(chemin, Traduire("Fichiers", "aucun échantillon à enregistrer"));
    }
    return n;
}

} // namespace

std::string TexteExact(double v) {
    char texte[32];
    const auto fin = std::to_chars(texte, texte + sizeof texte, v).ptr;
    return std::string(texte, fin);
}

void EcrireWav(const std::filesystem::path& chemin, const std::vector<SignalNomme>& signaux,
               double frequence, const RappelAvancement& avancement) {
    const std::size_t n = LongueurCommune(chemin, signaux);
    const std::size_t nc = signaux.size();
    SF_INFO info{};
    info.channels = int(nc);
    info.samplerate = frequence > 0 ? int(std::lround(frequence)) : FrequenceParDefaut;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    EcrireAtomiquement(chemin, [&](int descripteur) {
        SNDFILE* f = sf_open_fd(descripteur, SFM_WRITE, &info, SF_FALSE);
        if (!f) {
            throw ErreurFichier(
                chemin, RemplirModele(Traduire("Fichiers", "libsndfile refuse l'écriture : %1"),
                                      {TexteErreurSndfile(sf_error(nullptr))}));
        }
        // No PEAK chunk: it holds the time of writing, and the same signals must give the
        // same bytes whenever they are written.
        sf_command(f, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
        constexpr std::size_t Bloc = 16384;
        std::vector<float> tampon(Bloc * nc);
        bool reussi = true, arrete = false;
        for (std::size_t debut = 0; debut < n && reussi; debut += Bloc) {
            if (debut > 0 && !Poursuivre(avancement, double(debut) / double(n))) {
                arrete = true;
                break;
            }
            const std::size_t m = std::min(Bloc, n - debut);
            for (std::size_t i = 0; i < m; ++i) {
                for (std::size_t k = 0; k < nc; ++k) {
                    tampon[i * nc + k] = float((*signaux[k].Echantillons)[debut + i]);
                }
            }
            reussi = sf_writef_float(f, tampon.data(), sf_count_t(m)) == sf_count_t(m);
        }
        const int numero = errno;
        reussi = sf_close(f) == 0 && reussi;
        if (arrete) {
            throw ArretUtilisateur();
        }
        errno = reussi ? 0 : (numero != 0 ? numero : EIO);
        return reussi;
    });
}

void EcrireCsv(const std::filesystem::path& chemin, const std::vector<SignalNomme>& signaux,
               const RappelAvancement& avancement) {
    const std::size_t n = LongueurCommune(chemin, signaux);
    EcrireAtomiquement(chemin, [&](int descripteur) {
        std::string texte;
        for (std::size_t k = 0; k < signaux.size(); ++k) {
            texte += (k ? "," : "") + signaux[k].Nom;
        }
        texte += '\n';
        char nombre[32];
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t k = 0; k < signaux.size(); ++k) {
                if (k) {
                    texte += ',';
                }
                const auto fin =
                    std::to_chars(nombre, nombre + sizeof nombre, (*signaux[k].Echantillons)[i])
                        .ptr;
                texte.append(nombre, fin);
            }
            texte += '\n';
            if (texte.size() > (1u << 20)) {
                if (!EcrireTout(descripteur, texte)) {
                    return false;
                }
                texte.clear();
                PoursuivreOuArreter(avancement, double(i + 1) / double(n));
            }
        }
        return EcrireTout(descripteur, texte);
    });
}

void EcrireSignaux(const std::filesystem::path& chemin, const std::vector<SignalNomme>& signaux,
                   double frequence, const RappelAvancement& avancement) {
    std::string ext = chemin.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (ext == ".wav") {
        EcrireWav(chemin, signaux, frequence, avancement);
    } else {
        EcrireCsv(chemin, signaux, avancement);
    }
}
