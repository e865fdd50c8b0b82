// Audio files through libsndfile. A WAV whose data chunk announces more bytes than the file
// holds is reported as truncated (libsndfile alone would read the part that is there).
// The samples are read by blocks, the progress told between two blocks. The file is opened
// here and handed to libsndfile as a descriptor: its own opening refuses long paths.
#pragma once

#include "fichiers/LectureSignal.h"

#include <optional>

// libsndfile's error number in French (its own texts are English).
std::string TexteErreurSndfile(int code);

// None when libsndfile does not recognise the file.
std::optional<ContenuFichier> DecrireAudio(const std::filesystem::path& chemin);
// Throws ArretUtilisateur when `avancement` stops it.
CanauxLus LireAudio(const std::filesystem::path& chemin, const std::vector<int>& canaux,
                    const RappelAvancement& avancement = {});
