#include "app/toolkit/TStatusBar.h"

TStatusBar::TStatusBar(const std::vector<Panneau>& panneaux, QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(false);
    for (std::size_t i = 0; i < panneaux.size(); ++i) {
        auto* etiquette = new QLabel(panneaux[i].texte, this);
        etiquette->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        etiquette->setMinimumWidth(panneaux[i].largeur);
        if (i + 1 < panneaux.size()) {
            etiquette->setFixedWidth(panneaux[i].largeur);
            addWidget(etiquette);
        } else {
            addWidget(etiquette, 1);
        }
        Panneaux_.push_back(etiquette);
    }
}

QString TStatusBar::PanelText(int index) const {
    return Panneaux_.at(std::size_t(index))->text();
}

void TStatusBar::SetPanelText(int index, const QString& texte) {
    Panneaux_.at(std::size_t(index))->setText(texte);
}
