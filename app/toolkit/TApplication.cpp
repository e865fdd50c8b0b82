#include "app/toolkit/TApplication.h"

#include "app/toolkit/BoiteMessage.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* destinataire, QEvent* evenement) {
    try {
        return QApplication::notify(destinataire, evenement);
    } catch (...) {
        AfficherException(MessageException(std::current_exception()));
        return false;
    }
}
