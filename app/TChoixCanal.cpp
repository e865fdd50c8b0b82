#include "app/TChoixCanal.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <memory>

TChoixCanal* TChoixCanal::Courant = nullptr;

TChoixCanal::TChoixCanal(const QString& fichier, const ContenuFichier& contenu,
                         const QStringList& questions, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(contenu.Audio ? tr("Choix du canal") : tr("Choix de la colonne"));
    auto* mise = new QVBoxLayout(this);
    mise->addWidget(new QLabel(tr("« %1 » a %2 %3.")
                                   .arg(fichier)
                                   .arg(contenu.NbCanaux)
                                   .arg(contenu.Audio ? tr("canaux") : tr("colonnes")),
                               this));
    // One copy of the names for every question's label, however many questions there are.
    const auto noms = std::make_shared<const std::vector<std::string>>(contenu.NomsCanaux);
    for (int q = 0; q < questions.size(); ++q) {
        auto* cadre = new QGroupBox(questions[q], this);
        const int preselection = std::min(q, contenu.NbCanaux - 1);
        mise->addWidget(cadre);
        if (contenu.NbCanaux > BoutonsAuPlus) {
            // A line of thousands of values: a number and the name it gives, not a button per
            // column (which would take the window for seconds to lay out).
            auto* ligne = new QHBoxLayout(cadre);
            auto* numero = new QSpinBox(cadre);
            auto* nom = new QLabel(cadre);
            numero->setRange(1, contenu.NbCanaux);
            connect(numero, &QSpinBox::valueChanged, nom, [nom, noms](int k) {
                nom->setText(QString::fromStdString((*noms)[std::size_t(k - 1)]));
            });
            numero->setValue(preselection + 1);
            nom->setText(QString::fromStdString((*noms)[std::size_t(preselection)]));
            ligne->addWidget(numero);
            ligne->addWidget(nom, 1);
            Numeros_.push_back(numero);
            continue;
        }
        auto* lignes = new QVBoxLayout(cadre);
        auto* groupe = new QButtonGroup(cadre);
        for (int k = 0; k < contenu.NbCanaux; ++k) {
            auto* bouton =
                new QRadioButton(QString::fromStdString(contenu.NomsCanaux[std::size_t(k)]), cadre);
            groupe->addButton(bouton, k);
            lignes->addWidget(bouton);
        }
        groupe->button(preselection)->setChecked(true);
        Groupes_.push_back(groupe);
    }
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    boutons->button(QDialogButtonBox::Cancel)->setText(tr("Annuler"));
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    mise->addWidget(boutons);
}

std::vector<int> TChoixCanal::Choix() const {
    std::vector<int> choix;
    for (const QButtonGroup* g : Groupes_) {
        choix.push_back(g->checkedId());
    }
    for (const QSpinBox* n : Numeros_) {
        choix.push_back(n->value() - 1);
    }
    return choix;
}

std::vector<int> TChoixCanal::Demander(QWidget* parent, const QString& fichier,
                                       const ContenuFichier& contenu,
                                       const QStringList& questions) {
    TChoixCanal dialogue(fichier, contenu, questions, parent);
    Courant = &dialogue;
    const bool accepte = dialogue.exec() == QDialog::Accepted;
    Courant = nullptr;
    return accepte ? dialogue.Choix() : std::vector<int>{};
}
