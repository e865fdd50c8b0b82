// The command line run in this process as the program runs it: its exit status and what it
// wrote on each stream.
#pragma once

#include "commande/LigneDeCommande.h"

#include <sstream>
#include <string>
#include <vector>

struct Sortie {
    int Statut;
    std::string Texte, Erreurs;
};

inline Sortie Lancer(const std::vector<std::string>& arguments,
                     const DessinateurPavage& dessiner = {}) {
    std::ostringstream sortie, erreurs;
    const int statut = ExecuterLigneDeCommande(arguments, sortie, erreurs, false, dessiner);
    return {statut, sortie.str(), erreurs.str()};
}
