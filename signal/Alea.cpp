#include "signal/Alea.h"

void GenerateurAleatoire::Initialiser(std::uint64_t graine) {
    // Spread the seed so that consecutive seconds give unrelated sequences.
    Etat = graine * 0xD1B54A32D192ED03ull + EtatInitial;
}

GenerateurAleatoire& Alea() {
    static GenerateurAleatoire generateur;
    return generateur;
}
