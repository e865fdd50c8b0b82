// The application object: an exception that escapes an event handler is shown by the
// standard exception box and the event loop goes on.
#pragma once

#include <QApplication>

class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* destinataire, QEvent* evenement) override;
};
