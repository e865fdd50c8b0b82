// Compressed files cut short, written here by libsndfile itself: their length may be unknown
// to the library, which then announces an absurd frame count. Reading gives what the file
// holds or a French message naming the file, never an error from the standard library.
#include "DossierTemporaire.h"

#include "fichiers/ErreurFichier.h"
#include "fichiers/LectureAudio.h"

#include <sndfile.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using AudioAbime = DossierTemporaire;

} // namespace

TEST_F(AudioAbime, CompressedFilesCutAnywhereAreReadOrRefusedInFrench) {
    const struct {
        const char* nom;
        int format;
    } formats[] = {{"v.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS},
                   {"v.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16}};
    std::vector<double> signal(4000);
    for (std::size_t i = 0; i < signal.size(); ++i) {
        signal[i] = 0.5 * std::sin(0.05 * double(i));
    }
    int ecrits = 0;
    for (const auto& f : formats) {
        const auto chemin = Dossier / f.nom;
        SF_INFO info{};
        info.samplerate = 8000;
        info.channels = 1;
        info.format = f.format;
        SNDFILE* s = sf_open(chemin.c_str(), SFM_WRITE, &info);
        if (s == nullptr) {
            continue; // a libsndfile built without this format
        }
        sf_writef_double(s, signal.data(), sf_count_t(signal.size()));
        sf_close(s);
        ++ecrits;
        const std::string entier = Lire(chemin);
        const std::size_t taille = entier.size();
        for (const std::size_t garde : {taille - 1, taille - 7, taille * 3 / 4, taille / 2}) {
            const auto coupe = Fichier(std::string("coupe_") + f.nom, entier.substr(0, garde));
            try {
                const CanauxLus l = LireAudio(coupe, {0});
                ASSERT_EQ(l.Canaux.size(), 1u);
                EXPECT_LE(l.Canaux[0].size(), signal.size()) << f.nom << " " << garde;
            } catch (const ErreurFichier& e) {
                EXPECT_NE(std::string(e.what()).find("coupe_"), std::string::npos) << e.what();
            } catch (const std::exception& e) {
                ADD_FAILURE() << f.nom << " cut at " << garde << " of " << taille << ": "
                              << e.what();
            }
        }
    }
    EXPECT_GT(ecrits, 0) << "libsndfile writes neither Ogg nor FLAC here";
}
