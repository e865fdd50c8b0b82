// The raster image control: shows the image its canvas paints, and reports the pointer's
// moves and button releases in client pixels.
#pragma once

#include "app/toolkit/CanevasImage.h"

#include <QWidget>

#include <functional>

class TImage : public QWidget {
    Q_OBJECT
public:
    TImage(int largeur, int hauteur, QWidget* parent);

    CanevasImage& Canvas() { return Canevas_; }
    const CanevasImage& Canvas() const { return Canevas_; }

    // Paints the control now, before returning.
    void Repaint() { repaint(); }

    std::function<void(Qt::KeyboardModifiers shift, int X, int Y)> OnMouseMove;
    std::function<void(Qt::MouseButton bouton, Qt::KeyboardModifiers shift, int X, int Y)>
        OnMouseUp;

protected:
    void paintEvent(QPaintEvent* evenement) override;
    void mouseMoveEvent(QMouseEvent* evenement) override;
    void mouseReleaseEvent(QMouseEvent* evenement) override;

private:
    CanevasImage Canevas_;
};
