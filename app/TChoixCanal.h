// The dialog that asks which channel (audio) or column (text) of a file to take, once or
// twice (the two mixtures of one file). Radio buttons per question, or a number and the name
// it gives beyond BoutonsAuPlus channels; "OK" and "Annuler".
#pragma once

#include "fichiers/LectureSignal.h"

#include <QDialog>

#include <vector>

class QButtonGroup;
class QSpinBox;

class TChoixCanal : public QDialog {
    Q_OBJECT
public:
    TChoixCanal(const QString& fichier, const ContenuFichier& contenu, const QStringList& questions,
                QWidget* parent);

    // The channel chosen for each question, from 0.
    std::vector<int> Choix() const;

    // The dialog of the last question asked (tests reach its buttons while it runs).
    static TChoixCanal* Courant;

    // Asks; empty when cancelled. Questions get channels 0, 1… preselected.
    static std::vector<int> Demander(QWidget* parent, const QString& fichier,
                                     const ContenuFichier& contenu, const QStringList& questions);

    static constexpr int BoutonsAuPlus = 32;

private:
    std::vector<QButtonGroup*> Groupes_; // per question, up to BoutonsAuPlus channels
    std::vector<QSpinBox*> Numeros_;     // per question, beyond
};
