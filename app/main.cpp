// Ovrel 5: start-up. The search box exists before the window (module-level object); the
// application gets its title, the main window is created and the event loop runs until the
// window is closed.
#include "app/TForm1.h"
#include "app/toolkit/BoiteMessage.h"
#include "app/toolkit/TApplication.h"
#include "display/TOpenGLPanel.h"

int main(int argc, char** argv) {
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
