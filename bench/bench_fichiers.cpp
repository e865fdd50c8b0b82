// Times reading a 10-minute 48 kHz stereo WAV (16-bit PCM, written here in /tmp) as the two
// mixtures and computing their derivatives and means, without and with a progress that never
// stops them (the window's long jobs pass one) (Release build; figures only).
#include "fichiers/LectureSignal.h"
#include "signal/Melange.h"

#include <sndfile.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

constexpr int Frequence = 48000;
constexpr long Trames = 10L * 60 * Frequence;

bool EcrireFichierTest(const std::filesystem::path& chemin) {
    SF_INFO info{};
    info.channels = 2;
    info.samplerate = Frequence;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(chemin.c_str(), SFM_WRITE, &info);
    if (!f) {
        return false;
    }
    std::vector<short> bloc(2 * 48000);
    for (long debut = 0; debut < Trames; debut += 48000) {
        for (long i = 0; i < 48000; ++i) {
            const double t = double(debut + i) / Frequence;
            bloc[2 * i] = short(12000 * std::sin(2 * M_PI * 220 * t));
            bloc[2 * i + 1] = short(9000 * std::sin(2 * M_PI * 331 * t + 1) + 3000 * std::cos(t));
        }
        sf_writef_short(f, bloc.data(), 48000);
    }
    return sf_close(f) == 0;
}

double Depuis(std::chrono::steady_clock::time_point debut) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
}

} // namespace

int main() {
    const std::filesystem::path chemin =
        std::filesystem::temp_directory_path() / "ovrel_bench_10min_48k_stereo.wav";
    if (!EcrireFichierTest(chemin)) {
        std::printf("cannot write %s\n", chemin.c_str());
        return 1;
    }
    std::printf("10-minute 48 kHz stereo WAV (16-bit, %.0f MB) as mixtures:\n",
                double(std::filesystem::file_size(chemin)) / 1e6);
    double controle = 0;
    int appels = 0;
    const RappelAvancement progres = [&appels](double) {
        ++appels;
        return true;
    };
    for (int essai = 1; essai <= 3; ++essai) {
        for (const bool avecProgres : {false, true}) {
            const RappelAvancement rappel = avecProgres ? progres : RappelAvancement();
            const auto debut = std::chrono::steady_clock::now();
            MelangesLus lus = LireMelanges(chemin, 0, 1, rappel);
            const double lecture = Depuis(debut);
            const Melanges m =
                MelangesObserves(std::move(lus.Melange1), std::move(lus.Melange2), 0.1f, rappel);
            const double total = Depuis(debut);
            controle += m.Moments.Moments4[0][1];
            std::printf("  run %d %s: read %8.3f s, derivatives and means %8.3f s, total %8.3f s\n",
                        essai, avecProgres ? "with progress   " : "without progress", lecture,
                        total - lecture, total);
        }
    }
    std::printf("(%d progress calls per read)\n", appels / 3);
    std::printf("(checksum %g)\n", controle);
    std::filesystem::remove(chemin);
    return 0;
}
