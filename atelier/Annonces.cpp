#include "atelier/Annonces.h"

#include <algorithm>

int Annonceur::Ecouter(Ecouteur ecouteur) {
    Ecouteurs_.emplace_back(Suivant_, std::move(ecouteur));
    return Suivant_++;
}

void Annonceur::Retirer(int numero) {
    std::erase_if(Ecouteurs_, [numero](const auto& e) { return e.first == numero; });
}

void Annonceur::Annoncer(unsigned changements) const {
    // A listener may add or remove listeners: those of this moment hear it.
    const auto ecouteurs = Ecouteurs_;
    for (const auto& [numero, ecouteur] : ecouteurs) {
        ecouteur(changements);
    }
}
