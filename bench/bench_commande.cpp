// Times a study from the command line: 1,000 random mixtures of a cosine and a coloured noise,
// N = 5,000, precision 0.01, on 1 and on 2 threads, and checks that both write the same CSV.
#include "commande/LigneDeCommande.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string Lire(const std::filesystem::path& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

} // namespace

int main() {
    const auto dossier = std::filesystem::temp_directory_path() / "ovrel5-bench-etude";
    std::filesystem::create_directories(dossier);
    std::string csv[2];
    std::printf("Study of 1,000 trials (cosinus + colore, N = 5000, precision 0.01):\n");
    for (int fils = 1; fils <= 2; ++fils) {
        const auto chemin = dossier / ("etude" + std::to_string(fils) + ".csv");
        std::ostringstream sortie, erreurs;
        const auto debut = std::chrono::steady_clock::now();
        const int statut =
            ExecuterLigneDeCommande({"etude", "--graine", "1", "--essais", "1000", "--fils",
                                     std::to_string(fils), "--sortie", chemin.string()},
                                    sortie, erreurs, false);
        const double s =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
        csv[fils - 1] = Lire(chemin);
        std::printf("  %d thread%s: %7.3f s (%.2f ms per trial), exit status %d\n", fils,
                    fils > 1 ? "s" : " ", s, s * 1000 / 1000, statut);
        if (fils == 2) {
            std::printf("%s", sortie.str().c_str());
        }
    }
    std::printf("  CSV identical on 1 and 2 threads: %s\n", csv[0] == csv[1] ? "yes" : "NO");
    std::filesystem::remove_all(dossier);
    return 0;
}
