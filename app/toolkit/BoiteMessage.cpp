#include "app/toolkit/BoiteMessage.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>

#include <new>
#include <utility>

namespace {

std::function<void(const MessageAffiche&)>& Afficheur() {
    static std::function<void(const MessageAffiche&)> afficheur;
    return afficheur;
}

void Afficher(const MessageAffiche& message) {
    if (Afficheur()) {
        Afficheur()(message);
        return;
    }
    QMessageBox boite(message.genre == MessageAffiche::Genre::Exception ? QMessageBox::Critical
                                                                        : QMessageBox::NoIcon,
                      message.titre, message.texte, QMessageBox::Ok, QApplication::activeWindow());
    boite.exec();
}

} // namespace

namespace {
QString& Titre() {
    static QString titre;
    return titre;
}
} // namespace

void FixerTitreApplication(const QString& titre) {
    Titre() = titre;
}
QString TitreApplication() {
    return Titre();
}

void MessageBox(const QString& texte, const QString& titre) {
    Afficher({MessageAffiche::Genre::Message, texte, titre});
}

void AfficherException(const QString& message) {
    Afficher({MessageAffiche::Genre::Exception, message, TitreApplication()});
}

QString MessageException(std::exception_ptr erreur) {
    try {
        std::rethrow_exception(std::move(erreur));
    } catch (const std::bad_alloc&) {
        return QCoreApplication::translate("BoiteMessage",
                                           "Mémoire insuffisante pour terminer l'opération.");
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QCoreApplication::translate("BoiteMessage", "Erreur inconnue.");
    }
}

void ExecuterGestionnaire(const std::function<void()>& gestionnaire) {
    try {
        gestionnaire();
    } catch (...) {
        AfficherException(MessageException(std::current_exception()));
    }
}

void InstallerAfficheur(std::function<void(const MessageAffiche&)> afficheur) {
    Afficheur() = std::move(afficheur);
}
