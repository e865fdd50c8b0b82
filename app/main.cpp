// Ovrel 5: start-up. With no argument, or only files to open (a session, signals: what a
// desktop entry passes), the window opens; anything else runs on the command line without a
// window and without a display: a command ("resoudre", "etude", "--help"), "--version", or
// an unknown word refused with exit status 2. The search box exists before the window
// (module-level object); the application gets its title, the main window is created, opens
// the files given and the event loop runs until the window is closed. `--langue fr|en`, anywhere,
// chooses the language of both (the window otherwise takes the one its "Langue" menu kept).
#include "app/Langue.h"
#include "app/LigneDeCommandeImage.h"
#include "app/TForm1.h"
#include "app/TMenuFichier.h"
#include "app/toolkit/BoiteMessage.h"
#include "app/toolkit/TApplication.h"
#include "commande/LigneDeCommande.h"
#include "commande/Options.h"
#include "display/TOpenGLPanel.h"

#include <QApplication>
#include <QFile>
#include <QStringList>
#include <QTimer>

#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string langue;
    try {
        langue = ExtraireLangue(arguments);
    } catch (const std::invalid_argument& e) {
        std::cerr << "ovrel5 : " << e.what() << "\n";
        return 2;
    }
    if (arguments.size() == 1 && (arguments[0] == "--version" || arguments[0] == "-V")) {
        std::cout << "Ovrel 5 " OVREL_VERSION "\n";
        return 0;
    }
    if (!OuvreLaFenetre(arguments)) {
        ChoisirLangue(QString::fromStdString(langue));
        std::unique_ptr<QApplication> horsEcran; // started by the first image drawn
        return ExecuterLigneDeCommande(arguments, std::cout, std::cerr, isatty(STDERR_FILENO) != 0,
                                       DessinerPavagePng(argc, argv, horsEcran));
    }
    TApplication application(argc, argv);
    try {
        FixerTitreApplication(QStringLiteral("Ovrel 5"));
        TApplication::setApplicationName(QStringLiteral("Ovrel 5"));
        TApplication::setOrganizationName(QStringLiteral("Ovrel"));
        ChoisirLangue(langue.empty() ? LangueRetenue() : QString::fromStdString(langue));
        TOpenGLPanel::RapporteurMessage = [](const QString& texte) {
            MessageBox(texte, TitreApplication());
        };
        TForm1 fenetre;
        fenetre.show();
        if (!arguments.empty()) {
            QStringList fichiers;
            for (const std::string& a : arguments) {
                fichiers << QFile::decodeName(a.c_str());
            }
            // Once the window is on screen, the way a drop of the same files goes.
            QTimer::singleShot(0, &fenetre,
                               [&fenetre, fichiers] { fenetre.MenuFichier->Ouvrir(fichiers); });
        }
        TApplication::exec();
    } catch (...) {
        AfficherException(MessageException(std::current_exception()));
    }
    return 0;
}
