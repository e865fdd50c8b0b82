// The figure of the paving that `ovrel5 resoudre --image` writes (PNG, SVG or PDF at --taille):
// the analysis window's view (axes, true points, roots, clusters, legend, and the mean-SIR
// map when the sources are known) rendered off screen, with no display needed.
#pragma once

#include "commande/LigneDeCommande.h"

#include <memory>

class QApplication;

// The renderer for ExecuterLigneDeCommande. The first time it draws it starts an off-screen
// Qt application in `application`, which the caller keeps (with argc) until it returns.
DessinateurPavage DessinerPavagePng(int& argc, char** argv,
                                    std::unique_ptr<QApplication>& application);
