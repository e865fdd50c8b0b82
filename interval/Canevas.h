// Canevas: the drawing surface of a raster image as the drawing frame uses it.
// Colours are 0x00BBGGRR. Rectangle fills with the brush and outlines with the pen the
// rectangle spanned by two corners given in either order, leaving the right column and
// the bottom row of the span unpainted; LineTo draws from the current position up to,
// but not including, its end point, which becomes the current position.
#pragma once

#include <cstdint>

using Couleur = std::uint32_t;

inline constexpr Couleur CouleurBlanche = 0xFFFFFF;
inline constexpr Couleur CouleurNoire = 0x000000;
inline constexpr Couleur CouleurBleue = 0xFF0000;
inline constexpr Couleur CouleurJaune = 0x00FFFF;
inline constexpr Couleur CouleurRouge = 0x0000FF;

enum StyleBrosse : int {
    BrossePleine = 0,
    BrosseVide = 1, // no fill
};

enum StylePlume : int {
    PlumePleine = 0,
    PlumeTirets = 1,
    PlumePoints = 2,
    PlumeTiretPoint = 3,
    PlumeTiretPointPoint = 4,
    PlumeVide = 5, // draws nothing
};

class Canevas {
public:
    virtual ~Canevas() = default;

    // Client size in pixels.
    virtual int Largeur() const = 0;
    virtual int Hauteur() const = 0;

    virtual void SetBrushStyle(int style) = 0;
    virtual void SetBrushColor(Couleur couleur) = 0;
    virtual void SetPenColor(Couleur couleur) = 0;
    virtual void SetPenStyle(int style) = 0;
    virtual void SetPenWidth(int largeur) = 0;

    virtual void Rectangle(int X1, int Y1, int X2, int Y2) = 0;
    virtual void MoveTo(int X, int Y) = 0;
    virtual void LineTo(int X, int Y) = 0;
};
