// Ovrel 5: start-up. With a sub-command ("resoudre", "etude", "--help") the program runs on
// the command line without a window. Otherwise the search box exists before the window
// (module-level object); the application gets its title, the main window is created and the
// event loop runs until the window is closed.
#include "app/LigneDeCommandeImage.h"
#include "app/TForm1.h"
#include "app/toolkit/BoiteMessage.h"
#include "app/toolkit/TApplication.h"
#include "commande/LigneDeCommande.h"
#include "commande/Options.h"
#include "display/TOpenGLPanel.h"

#include <QApplication>

#include <iostream>
#include <memory>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc > 1 && EstLigneDeCommande(argv[1])) {
        std::unique_ptr<QApplication> horsEcran; // started by the first image drawn
        return ExecuterLigneDeCommande(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                       std::cerr, isatty(STDERR_FILENO) != 0,
                                       DessinerPavagePng(argc, argv, horsEcran));
    }
    TApplication application(argc, argv);
    try {
        FixerTitreApplication(QStringLiteral("Ovrel 5"));
        TApplication::setApplicationName(QStringLiteral("Ovrel 5"));
        TOpenGLPanel::RapporteurMessage = [](const QString& texte) {
            MessageBox(texte, TitreApplication());
        };
        TForm1 fenetre;
        fenetre.show();
        TApplication::exec();
    } catch (...) {
        AfficherException(MessageException(std::current_exception()));
    }
    return 0;
}
