#include "app/toolkit/TImage.h"

#include <QMouseEvent>
#include <QPainter>

TImage::TImage(int largeur, int hauteur, QWidget* parent)
    : QWidget(parent), Canevas_(largeur, hauteur) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TImage::paintEvent(QPaintEvent*) {
    QPainter peintre(this);
    peintre.drawImage(0, 0, Canevas_.Image());
}

void TImage::mouseMoveEvent(QMouseEvent* evenement) {
    if (OnMouseMove) {
        const QPoint p = evenement->position().toPoint();
        OnMouseMove(evenement->modifiers(), p.x(), p.y());
    }
}

void TImage::mouseReleaseEvent(QMouseEvent* evenement) {
    if (OnMouseUp) {
        const QPoint p = evenement->position().toPoint();
        OnMouseUp(evenement->button(), evenement->modifiers(), p.x(), p.y());
    }
}
