// The command line of ovrel5 without the window, for the core build (no Qt): the same entry
// as the program's, without the PNG renderer of the paving.
#include "commande/LigneDeCommande.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    return ExecuterLigneDeCommande(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                   std::cerr, isatty(STDERR_FILENO) != 0);
}
