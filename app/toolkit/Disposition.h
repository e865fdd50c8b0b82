// Placing controls at fixed pixel positions, as both windows lay them out.
#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

// Gives `controle` its place and size and returns it.
template <typename W> W* Placer(W* controle, int x, int y, int largeur, int hauteur) {
    controle->setGeometry(x, y, largeur, hauteur);
    return controle;
}

// A label at (x, y): of the given size, or of its text's size when no width is given.
inline QLabel* Etiquette(QWidget* parent, const QString& texte, int x, int y, int largeur = 0,
                         int hauteur = 0) {
    auto* label = new QLabel(texte, parent);
    label->move(x, y);
    if (largeur > 0) {
        label->resize(largeur, hauteur);
    } else {
        label->adjustSize();
    }
    return label;
}
