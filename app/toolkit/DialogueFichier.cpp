#include "app/toolkit/DialogueFichier.h"

#include <QFileDialog>

namespace {
std::function<QStringList(const QString&, bool)> dialogueInstalle;
}

QStringList DemanderFichiersAOuvrir(QWidget* parent, const QString& titre, const QString& filtre,
                                    bool plusieurs) {
    if (dialogueInstalle) {
        return dialogueInstalle(titre, false);
    }
    if (plusieurs) {
        return QFileDialog::getOpenFileNames(parent, titre, QString(), filtre);
    }
    const QString chemin = QFileDialog::getOpenFileName(parent, titre, QString(), filtre);
    return chemin.isEmpty() ? QStringList() : QStringList{chemin};
}

QString DemanderFichierAEnregistrer(QWidget* parent, const QString& titre, const QString& filtre) {
    if (dialogueInstalle) {
        const QStringList chemins = dialogueInstalle(titre, true);
        return chemins.isEmpty() ? QString() : chemins.front();
    }
    return QFileDialog::getSaveFileName(parent, titre, QString(), filtre);
}

void InstallerDialogueFichier(std::function<QStringList(const QString&, bool)> dialogue) {
    dialogueInstalle = std::move(dialogue);
}
