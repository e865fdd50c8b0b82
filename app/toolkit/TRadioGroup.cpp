#include "app/toolkit/TRadioGroup.h"

TRadioGroup::TRadioGroup(const QString& titre, const QStringList& items, QWidget* parent)
    : QGroupBox(titre, parent) {
    Groupe_.setExclusive(true);
    for (int i = 0; i < items.size(); ++i) {
        auto* bouton = new QRadioButton(items[i], this);
        Groupe_.addButton(bouton, i);
        Boutons_.push_back(bouton);
    }
    connect(&Groupe_, &QButtonGroup::idClicked, this, [this](int) {
        if (OnClick) {
            OnClick();
        }
    });
    Disposer();
}

int TRadioGroup::ItemIndex() const {
    return Groupe_.checkedId();
}

void TRadioGroup::SetItemIndex(int index) {
    if (index >= 0 && index < Count()) {
        Boutons_[std::size_t(index)]->setChecked(true);
        return;
    }
    // No item: an exclusive group cannot uncheck its last button directly.
    Groupe_.setExclusive(false);
    for (auto* bouton : Boutons_) {
        bouton->setChecked(false);
    }
    Groupe_.setExclusive(true);
}

void TRadioGroup::resizeEvent(QResizeEvent* evenement) {
    QGroupBox::resizeEvent(evenement);
    Disposer();
}

void TRadioGroup::Disposer() {
    if (Boutons_.empty()) {
        return;
    }
    // The items share the frame's inside evenly, one below the other.
    const QRect interieur = contentsRect();
    const int pas = std::max(1, interieur.height() / int(Boutons_.size()));
    for (std::size_t i = 0; i < Boutons_.size(); ++i) {
        const int hauteur = std::min(pas, Boutons_[i]->sizeHint().height());
        Boutons_[i]->setGeometry(interieur.left() + 6,
                                 interieur.top() + int(i) * pas + (pas - hauteur) / 2,
                                 interieur.width() - 8, hauteur);
    }
}
