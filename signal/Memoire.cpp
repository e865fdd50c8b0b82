#include "signal/Memoire.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>

std::uint64_t MemoireDisponible() {
    std::ifstream meminfo("/proc/meminfo");
    std::string ligne;
    while (std::getline(meminfo, ligne)) {
        std::istringstream champs(ligne);
        std::string nom;
        std::uint64_t kio = 0;
        if (champs >> nom >> kio && nom == "MemAvailable:") {
            return kio * 1024;
        }
    }
    const long pages = sysconf(_SC_AVPHYS_PAGES);
    const long taille = sysconf(_SC_PAGESIZE);
    return pages > 0 && taille > 0 ? std::uint64_t(pages) * std::uint64_t(taille) : 0;
}

namespace {

std::uint64_t budgetFixe = 0;
std::function<std::uint64_t()> compteurMemoire;

// OVREL5_BUDGET_MEMOIRE (bytes) replaces the machine's budget, so that a run can be held to
// less memory than the machine has (the exit status at the memory limit is tested so).
std::uint64_t BudgetMachine() {
    static const std::uint64_t budget = [] {
        const char* impose = std::getenv("OVREL5_BUDGET_MEMOIRE");
        char* fin = nullptr;
        const unsigned long long octets = impose ? std::strtoull(impose, &fin, 10) : 0;
        return impose && *impose && *fin == 0 && octets > 0 ? std::uint64_t(octets)
                                                            : MemoireDisponible() / 2;
    }();
    return budget;
}

} // namespace

void FixerBudgetMemoire(std::uint64_t octets) {
    budgetFixe = octets;
}

std::uint64_t BudgetMemoire() {
    return budgetFixe != 0 ? budgetFixe : BudgetMachine();
}

void FixerCompteurMemoire(std::function<std::uint64_t()> compteur) {
    compteurMemoire = std::move(compteur);
}

std::uint64_t MemoireTenue() {
    return compteurMemoire ? compteurMemoire() : 0;
}

std::uint64_t MemoireLibre() {
    const std::uint64_t budget = BudgetMemoire();
    const std::uint64_t tenue = MemoireTenue();
    return tenue < budget ? budget - tenue : 0;
}

std::string TexteOctets(std::uint64_t octets) {
    char texte[64];
    const double go = double(octets) / (1024.0 * 1024.0 * 1024.0);
    if (go >= 1.0) {
        std::snprintf(texte, sizeof texte, "%.1f Go", go);
    } else if (octets >= 1024 * 1024) {
        std::snprintf(texte, sizeof texte, "%.1f Mo", double(octets) / (1024.0 * 1024.0));
    } else {
        std::snprintf(texte, sizeof texte, "%.1f ko", double(octets) / 1024.0);
    }
    std::string resultat = texte;
    for (char& c : resultat) {
        if (c == '.') {
            c = ',';
        }
    }
    return resultat;
}

void VerifierMemoire(std::uint64_t octets, const std::string& quoi) {
    const std::uint64_t libre = MemoireLibre();
    if (octets > libre) {
        throw ErreurMemoire("Mémoire insuffisante : " + quoi + " demande " + TexteOctets(octets) +
                            ", alors que " + TexteOctets(libre) + " seulement restent libres sur " +
                            TexteOctets(BudgetMemoire()) +
                            " que le programme peut prendre sans risque sur cette machine.");
    }
}

void ReserverEchantillons(std::vector<double>& v, std::size_t n) {
    v.reserve(n);
    constexpr std::uintptr_t Page = std::uintptr_t(2) << 20;
    const std::uintptr_t debut =
        (reinterpret_cast<std::uintptr_t>(v.data()) + Page - 1) & ~(Page - 1);
    const std::uintptr_t fin = reinterpret_cast<std::uintptr_t>(v.data() + n) & ~(Page - 1);
    if (fin > debut) {
        // Advice only: without huge pages the array works the same.
        ::madvise(reinterpret_cast<void*>(debut), fin - debut, MADV_HUGEPAGE);
    }
}
