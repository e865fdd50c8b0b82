// WAV files written byte by byte: what other programs write and the window's own writer
// never does (32-bit integer samples, odd-sized chunks before the data).
#include "DossierTemporaire.h"

#include "fichiers/ErreurFichier.h"
#include "fichiers/LectureSignal.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

using LectureWav = DossierTemporaire;

void Mot(std::string& s, std::uint32_t v, int octets) {
    for (int k = 0; k < octets; ++k) {
        s += char((v >> (8 * k)) & 0xFF);
    }
}

// A one-channel PCM WAV at 8000 Hz of `bits`-bit samples, with `avant` (whole chunks) between
// "fmt " and "data"; the data chunk announces `donnees.size()` bytes, of which only the first
// `gardes` are written.
std::string Wav(int bits, const std::string& avant, const std::string& donnees,
                std::size_t gardes) {
    std::string s = "WAVEfmt ";
    Mot(s, 16, 4);
    Mot(s, 1, 2);
    Mot(s, 1, 2);
    Mot(s, 8000, 4);
    Mot(s, 8000u * std::uint32_t(bits / 8), 4);
    Mot(s, std::uint32_t(bits / 8), 2);
    Mot(s, std::uint32_t(bits), 2);
    s += avant + "data";
    Mot(s, std::uint32_t(donnees.size()), 4);
    s += donnees.substr(0, gardes);
    std::string riff = "RIFF";
    Mot(riff, std::uint32_t(s.size() + (donnees.size() - std::min(gardes, donnees.size()))), 4);
    return riff + s;
}

// A chunk with its pad byte when its size is odd.
std::string Morceau(const std::string& id, const std::string& contenu) {
    std::string s = id;
    Mot(s, std::uint32_t(contenu.size()), 4);
    return s + contenu + (contenu.size() % 2 ? std::string(1, '\0') : "");
}

} // namespace

// Every 32-bit sample keeps its 32 bits: k / 2^31 exactly, which a float (24 bits) cannot hold.
TEST_F(LectureWav, ThirtyTwoBitPcmIsReadExactly) {
    std::mt19937 alea(5);
    std::vector<std::int32_t> entiers = {INT32_MIN, INT32_MAX, 0, -1, 1, 16777217};
    while (entiers.size() < 1000) {
        entiers.push_back(std::int32_t(alea()));
    }
    std::string donnees;
    for (std::int32_t k : entiers) {
        Mot(donnees, std::uint32_t(k), 4);
    }
    const auto chemin = Fichier("pcm32.wav", Wav(32, "", donnees, donnees.size()));
    const std::vector<double> lus = LireSignal(chemin, 0).Echantillons;
    ASSERT_EQ(lus.size(), entiers.size());
    int inexacts = 0;
    for (std::size_t i = 0; i < lus.size(); ++i) {
        inexacts += lus[i] != double(entiers[i]) / 2147483648.0;
    }
    EXPECT_EQ(inexacts, 0) << "of " << lus.size();
}

// A chunk of odd size is followed by a pad byte that its size does not count: the data chunk
// comes after it. Whole, the file reads exactly; cut anywhere in its data, it is refused.
TEST_F(LectureWav, AnOddSizedChunkBeforeTheDataIsSkippedWithItsPadByte) {
    std::string donnees;
    std::vector<double> attendu;
    for (int i = 0; i < 3000; ++i) {
        const auto v = std::int16_t(i * 37 % 65536 - 32768);
        Mot(donnees, std::uint16_t(v), 2);
        attendu.push_back(v / 32768.0);
    }
    for (const std::string& avant :
         {Morceau("LIST", "abc"), Morceau("junk", "x") + Morceau("LIST", "12345"),
          Morceau("odd ", std::string(1001, 'z'))}) {
        EXPECT_EQ(LireSignal(Fichier("entier.wav", Wav(16, avant, donnees, donnees.size())), 0)
                      .Echantillons,
                  attendu)
            << avant.size();
        for (const std::size_t gardes : {std::size_t(0), std::size_t(1), std::size_t(5500)}) {
            const auto chemin = Fichier("coupe.wav", Wav(16, avant, donnees, gardes));
            EXPECT_THROW(LireSignal(chemin, 0), ErreurFichier) << avant.size() << " " << gardes;
        }
    }
}
