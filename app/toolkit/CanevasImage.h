// CanevasImage: a Canevas that paints an owned QImage (Format_RGB32) by writing straight
// into its scanlines. Every coordinate is clipped to the image, so any int is safe.
// Pens wider than one pixel are drawn solid; the dash and dot styles apply at width 1.
#pragma once

#include "interval/Canevas.h"

#include <QImage>

#include <cstdint>

class CanevasImage final : public Canevas {
public:
    // The image starts filled with `fond`; brush white and solid, pen black, solid, width 1.
    CanevasImage(int largeur, int hauteur, Couleur fond = CouleurBlanche);

    const QImage& Image() const { return Image_; }

    int Largeur() const override { return Image_.width(); }
    int Hauteur() const override { return Image_.height(); }

    void SetBrushStyle(int style) override { StyleBrosse_ = style; }
    void SetBrushColor(Couleur couleur) override { CouleurBrosse_ = couleur; }
    void SetPenColor(Couleur couleur) override { CouleurPlume_ = couleur; }
    void SetPenStyle(int style) override { StylePlume_ = style; }
    void SetPenWidth(int largeur) override { LargeurPlume_ = largeur; }

    void Rectangle(int X1, int Y1, int X2, int Y2) override;
    void MoveTo(int X, int Y) override;
    void LineTo(int X, int Y) override;

    // Pixel colour at (x, y) as 0x00BBGGRR; the caller stays inside the image.
    Couleur Pixel(int x, int y) const;

private:
    // Fills [x0, x1) x [y0, y1), clipped to the image.
    void RemplirZone(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                     Couleur couleur);
    void PeindrePoint(std::int64_t x, std::int64_t y, std::uint32_t pixel);
    void ContourStyle(std::int64_t xa, std::int64_t ya, std::int64_t xb, std::int64_t yb);
    int LargeurEffective() const;
    bool PlumeMotif() const;

    QImage Image_;
    Couleur CouleurBrosse_ = CouleurBlanche;
    int StyleBrosse_ = BrossePleine;
    Couleur CouleurPlume_ = CouleurNoire;
    int StylePlume_ = PlumePleine;
    int LargeurPlume_ = 1;
    int PositionX_ = 0;
    int PositionY_ = 0;
};
