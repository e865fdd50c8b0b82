// Reading signals from files: audio through libsndfile (WAV, FLAC, Ogg and the other formats
// it knows) or text (CSV or whitespace-separated columns, "." as the decimal separator
// whatever the locale, an optional header line). A channel is an audio channel or a text
// column, counted from 0. Every bad file ends in ErreurFichier (a French message naming the
// file and the reason), and a file whose samples would exceed the memory budget is refused
// before anything is allocated. Each reading takes an optional progress (Avancement.h): told
// its share between two blocks of samples or stretches of text, it may stop the reading,
// which then throws ArretUtilisateur and keeps nothing.
#pragma once

#include "signal/Avancement.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// The largest magnitude a sample read may have. The fourth-order moments sum products of four
// values of the mixtures and of their derivatives (a factor 20 at the 0.1 step) over up to
// 2^31 samples: from samples within 1e60 they stay below about 1e262, far from the 1.8e308
// where they would overflow and leave the solver with nothing to compare.
inline constexpr double AmplitudeMaximale = 1e60;

// Why a sample cannot be kept (not finite, or beyond AmplitudeMaximale), in French; for the
// samples that fail `!(std::abs(v) <= AmplitudeMaximale)`, the one test of the hot loops.
std::string RaisonEchantillonRefuse(double v);

// What a file holds, for the choice of a channel.
struct ContenuFichier {
    bool Audio = false;
    int NbCanaux = 0;
    std::uint64_t NbEchantillons = 0;    // per channel; an estimate (lines) for text
    double Frequence = 0;                // Hz; 0 when the file does not say (text)
    std::vector<std::string> NomsCanaux; // "Canal 1"… or the header's names
};

struct CanauxLus {
    std::vector<std::vector<double>> Canaux; // in the order asked
    double Frequence = 0;
};

struct SignalLu {
    std::vector<double> Echantillons;
    double Frequence = 0;
};

struct MelangesLus {
    std::vector<double> Melange1, Melange2; // cut to the same length
    double Frequence = 0;
    std::vector<std::string> Remarques; // e.g. two files of different lengths
};

// A text file is read whole for this (its lines are counted); an audio file's header is enough.
ContenuFichier DecrireFichier(const std::filesystem::path& chemin,
                              const RappelAvancement& avancement = {});

// The names of the file's channels — "Canal 1"… for audio, the header's names or "Colonne 1"…
// for text — from its header or its first data line only.
std::vector<std::string> NomsDesCanaux(const std::filesystem::path& chemin);

// The channel called `nom` among `noms`, counted from 0; -1 when none is. The names of unnamed
// channels ("Canal 2", "Colonne 2", "Channel 2", "Column 2") are understood in either language.
int CanalNomme(const std::vector<std::string>& noms, const std::string& nom);

// The asked channels, all of the same length, at least two samples each.
CanauxLus LireCanaux(const std::filesystem::path& chemin, const std::vector<int>& canaux,
                     const RappelAvancement& avancement = {});

SignalLu LireSignal(const std::filesystem::path& chemin, int canal,
                    const RappelAvancement& avancement = {});

// Two channels of one file as the mixtures x1 and x2.
MelangesLus LireMelanges(const std::filesystem::path& chemin, int canal1 = 0, int canal2 = 1,
                         const RappelAvancement& avancement = {});
// One channel of each of two files; their sample rates must agree and the longer one is cut.
MelangesLus LireMelanges(const std::filesystem::path& chemin1, int canal1,
                         const std::filesystem::path& chemin2, int canal2,
                         const RappelAvancement& avancement = {});

// Refuses two known sample rates that differ (0 means unknown and agrees with anything);
// returns the common rate.
double FrequenceCommune(double f1, const std::string& nom1, double f2, const std::string& nom2);

// "16 000 Hz", or "fréquence inconnue" for 0.
std::string TexteFrequence(double frequence);
