// Change notices of the workbench: whoever changes its data says what changed, and every view
// that shows that data hears it and brings itself up to date, instead of being refreshed by
// whoever made the change.
#pragma once

#include <functional>
#include <utility>
#include <vector>

enum Changement : unsigned {
    // Source 1 or 2, where it came from, its rate; ChangementSources: either or both.
    ChangementSource1 = 1u << 0,
    ChangementSource2 = 1u << 6,
    ChangementSources = ChangementSource1 | ChangementSource2,
    ChangementMelanges = 1u << 1, // the mixtures and their means, or their absence
    ChangementMatrice = 1u << 2,  // the mixing matrix
    ChangementReglages = 1u << 3, // the settings
    ChangementPavage = 1u << 4,   // the box lists and the last solve
    ChangementEstimees = 1u << 5, // the estimated sources
    // "Tout Effacer": the views go back to their start-up state.
    ChangementEffacement = 1u << 7,
};

class Annonceur {
public:
    using Ecouteur = std::function<void(unsigned changements)>;

    // Adds a listener; the number returned removes it.
    int Ecouter(Ecouteur ecouteur);
    void Retirer(int numero);
    // Tells every listener, in the order they came, what changed (a set of Changement).
    void Annoncer(unsigned changements) const;

private:
    std::vector<std::pair<int, Ecouteur>> Ecouteurs_;
    int Suivant_ = 0;
};
