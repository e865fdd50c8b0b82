#include "interval/Traduction.h"

#include <atomic>
#include <cstdio>
#include <mutex>
#include <vector>

namespace {
std::atomic<FonctionTraduction> traduction{nullptr};
std::mutex verrouMarque;
std::string marqueDecimale; // empty: the language's
} // namespace

void PoserMarqueDecimale(const std::string& marque) {
    const std::lock_guard<std::mutex> garde(verrouMarque);
    marqueDecimale = marque;
}

void PoserTraduction(FonctionTraduction f) {
    traduction.store(f);
}

std::string Traduire(const char* contexte, const char* texte) {
    const FonctionTraduction f = traduction.load();
    return f ? f(contexte, texte) : std::string(texte);
}

std::string TexteDecimal(double v, int chiffres, char forme) {
    char t[64];
    std::snprintf(t, sizeof t, forme == 'g' ? "%.*g" : "%.*f", chiffres, v);
    std::string texte = t;
    if (const std::size_t p = texte.find('.'); p != std::string::npos) {
        std::unique_lock<std::mutex> garde(verrouMarque);
        const std::string marque = marqueDecimale;
        garde.unlock();
        texte.replace(p, 1, marque.empty() ? Traduire("Nombres", ",") : marque);
    }
    return texte;
}

std::string RemplirModele(const std::string& modele, std::initializer_list<std::string> arguments) {
    const std::vector<std::string> valeurs(arguments);
    std::string sortie;
    sortie.reserve(modele.size());
    for (std::size_t i = 0; i < modele.size(); ++i) {
        const char c = modele[i];
        if (c == '%' && i + 1 < modele.size() && modele[i + 1] >= '1' && modele[i + 1] <= '9') {
            const std::size_t k = static_cast<std::size_t>(modele[i + 1] - '1');
            if (k < valeurs.size()) {
                sortie += valeurs[k]; // inserted once: a value holding "%2" stays as it is
                ++i;
                continue;
            }
        }
        sortie += c;
    }
    return sortie;
}
