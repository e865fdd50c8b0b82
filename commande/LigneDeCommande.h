// `ovrel5 resoudre …` and `ovrel5 etude …`: runs a command on the arguments that follow the
// program's name and returns the exit status (0 success, 1 an unexpected error, 2 a bad
// option or value or an unknown command, 3 an input file that cannot be read, 4 a solve
// stopped at the memory limit, 5 an output that cannot be written). No exception leaves it:
// every failure ends in a French message on `erreurs` and its status. `ovrel5 --exemples`
// prints the folder of the example voices.
#pragma once

#include "commande/Chaine.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

inline constexpr int SortieSucces = 0;
inline constexpr int SortieOptionInvalide = 2;
inline constexpr int SortieFichierIllisible = 3;
inline constexpr int SortieLimiteMemoire = 4;
inline constexpr int SortieEcritureImpossible = 5;
inline constexpr int SortieErreurInattendue = 1;

// Draws the paving of a run into a PNG file (the program gives one that needs no display);
// throws ErreurFichier when the file cannot be written.
using DessinateurPavage = std::function<void(
    const std::string& chemin, const OptionsCommande& options, const EntreesChaine& e,
    const ResultatChaine& c, const BoxList& rejetees, const BoxList& solution)>;

// True when the program opens its window rather than running a command: no argument, or only
// files that exist (a session, signals, as a desktop entry passes them). A command's name is
// never taken for a file of that name.
bool OuvreLaFenetre(const std::vector<std::string>& arguments);

// `terminal`: stderr is a terminal, and the study shows its progress there.
int ExecuterLigneDeCommande(const std::vector<std::string>& arguments, std::ostream& sortie,
                            std::ostream& erreurs, bool terminal,
                            const DessinateurPavage& dessiner = {});
