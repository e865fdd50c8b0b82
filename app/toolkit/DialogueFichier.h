// File dialogs of the program, through one thin layer: the real ones are the toolkit's
// modal dialogs; tests install a function that answers with the paths to use.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Paths chosen to open (several when `plusieurs`); empty when cancelled.
QStringList DemanderFichiersAOuvrir(QWidget* parent, const QString& titre, const QString& filtre,
                                    bool plusieurs = false);
// Path chosen to save to; empty when cancelled.
QString DemanderFichierAEnregistrer(QWidget* parent, const QString& titre, const QString& filtre);

// Replaces the dialogs (nullptr puts them back): the function gets the dialog's title and
// whether it saves, and returns the chosen paths.
void InstallerDialogueFichier(
    std::function<QStringList(const QString& titre, bool enregistrer)> dialogue);
