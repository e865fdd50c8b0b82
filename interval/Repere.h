// Repere: maps a rectangle of the parameter plane onto a raster image (y upward) and
// draws boxes on its canvas. The mapping is recomputed at every call from the canvas's
// current size, with single-precision factors and truncation toward zero. Where it is
// undefined (no canvas, a range of zero width, a non-finite factor, a pixel outside the
// int range) nothing is drawn.
#pragma once

#include "interval/Box.h"
#include "interval/Canevas.h"
#include "interval/Interval.h"

#include <optional>

struct Repere {
    Interval IntervalleY;     // world range shown vertically
    Interval IntervalleX;     // world range shown horizontally
    Canevas* Image = nullptr; // not owned

    // Pixel = trunc(s * world + o), the sum in double from the float factors.
    struct Echelle {
        float sx, ox, sy, oy;
    };
    std::optional<Echelle> EchelleCourante() const;

    // Fills a two-dimensional box (component 1 is x, component 2 is y).
    void DessinePave(const Box& pave, Couleur couleurBrosse, Couleur couleurPlume,
                     int styleBrosse) const;
    // The same with the scale of EchelleCourante() computed once for many boxes.
    void DessinePave(const Box& pave, const Echelle& e, Couleur couleurBrosse, Couleur couleurPlume,
                     int styleBrosse) const;
    // Draws one world segment, then leaves the pen width at 1.
    void DessineSegment(double x1, double y1, double x2, double y2, Couleur couleurPlume,
                        int stylePlume, int largeurPlume) const;
    // Outlines a box: left, bottom, top and right edges, in that order.
    void DessineContour(const Box& pave, Couleur couleurPlume, int stylePlume,
                        int largeurPlume = 1) const;
};
