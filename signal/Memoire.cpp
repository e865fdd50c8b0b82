#include "signal/Memoire.h"

#include "interval/Traduction.h"
#include "sivia/Sivia.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
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

std::string AvecSeparateurDecimal(std::string nombre) {
    //: The decimal separator of the numbers in messages.
    const std::string separateur = Traduire("Signal", ",");
    std::string texte;
    for (const char c : nombre) {
        texte += c == '.' ? separateur : std::string(1, c);
    }
    return texte;
}

namespace {

// A count of boxes: whole up to 10^15, then in powers of ten ("8,706e+40").
std::string TexteCompte(double n) {
    if (!std::isfinite(n)) {
        return Traduire("Signal", "plus de 1e+308");
    }
    char texte[64];
    std::snprintf(texte, sizeof texte, n < 1e15 ? "%.0f" : "%.4g", n);
    return AvecSeparateurDecimal(texte);
}

} // namespace

std::string TexteOctets(double octets) {
    if (!std::isfinite(octets)) {
        return Traduire("Signal", "plus de 1e+308 octets");
    }
    // ko below 1 Mo, Mo below 1 Go, then the unit that leaves less than 1024 of it.
    constexpr const char* Unites[] = {OVREL_TEXTE("Signal", "ko"), OVREL_TEXTE("Signal", "Mo"),
                                      OVREL_TEXTE("Signal", "Go"), OVREL_TEXTE("Signal", "To"),
                                      OVREL_TEXTE("Signal", "Po"), OVREL_TEXTE("Signal", "Eo")};
    std::size_t u = 0;
    double valeur = octets / 1024.0;
    while (valeur >= 1024.0 && u + 1 < std::size(Unites)) {
        valeur /= 1024.0;
        ++u;
    }
    char texte[64];
    if (valeur >= 1024.0) {
        std::snprintf(texte, sizeof texte, "%.2g", octets);
        return RemplirModele(Traduire("Signal", "%1 octets"), {AvecSeparateurDecimal(texte)});
    }
    std::snprintf(texte, sizeof texte, "%.1f", valeur);
    return AvecSeparateurDecimal(texte) + " " + Traduire("Signal", Unites[u]);
}

std::string RefusResolutionTropGrande(const Box& boite, double precision, OrdreStockage stockage,
                                      const ContraintesActives& contraintes,
                                      std::uint64_t boitesGardees) {
    if (CritereSelectionne(contraintes)) {
        return {};
    }
    const PrevisionSivia p = PrevoirSansRejet(boite, precision, stockage);
    const double place = std::min(
        double(MemoireLibre() / OctetsParBoiteStockee),
        double(BoxList::TailleMax - std::min<std::uint64_t>(boitesGardees, BoxList::TailleMax)));
    if (!(p.NbGardees > place)) {
        return {};
    }
    char texte[32];
    const auto fin = std::to_chars(texte, texte + sizeof texte, precision).ptr;
    return RemplirModele(
        Traduire("Signal", "Cette résolution ne peut pas tenir en mémoire : avec moins de deux "
                           "contraintes aucune boîte n'est rejetée, et la précision %1 sur cette "
                           "boîte de recherche donne %2 boîtes à garder (%3 au moins), alors que "
                           "la mémoire libre n'en contient que %4 (%5). Choisissez une précision "
                           "moins fine, une boîte de recherche plus petite ou deux contraintes."),
        {AvecSeparateurDecimal(std::string(texte, fin)), TexteCompte(p.NbGardees),
         TexteOctets(p.NbGardees * double(OctetsParBoiteStockee)), TexteCompte(place),
         TexteOctets(double(MemoireLibre()))});
}

void VerifierMemoire(std::uint64_t octets, const std::string& quoi) {
    const std::uint64_t libre = MemoireLibre();
    if (octets > libre) {
        throw ErreurMemoire(RemplirModele(
            Traduire("Signal", "Mémoire insuffisante : %1 demande %2, alors que %3 seulement "
                               "restent libres sur %4 que le programme peut prendre sans risque "
                               "sur cette machine."),
            {quoi, TexteOctets(double(octets)), TexteOctets(double(libre)),
             TexteOctets(double(BudgetMemoire()))}));
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
