// The paving view's geometry, without OpenGL: the frame that puts the search box's widest
// side at 5 units on the view axis, the view state (pan, depth, size), where the parameter
// plane lands in the window for a given transformation, and the parameter pair under a
// pointer pixel.
#pragma once

#include "interval/Box.h"

#include <array>

// Scale and centre that put the search box's widest side at 5 units, centred on the axis.
struct CadragePavage {
    double s = 0.0;
    double cx = 0.0;
    double cy = 0.0;
    bool valide = false;
};
CadragePavage CadrageDe(const Box& recherche);

// View state of the paving: the pan, the depth and the panel size in the pointer's pixels
// (logical pixels: the size serves the position readout; the paints use the viewport and
// projection in force).
struct VuePavage {
    double DecalageX = 0.0;
    double DecalageY = 0.0;
    double Profondeur = -10.0;
    int Largeur = 0;
    int Hauteur = 0;
};

// A 4 x 4 matrix stored column-major, as OpenGL stores it.
using MatricePavage = std::array<double, 16>;
MatricePavage Produit(const MatricePavage& a, const MatricePavage& b);
MatricePavage Translation(double x, double y, double z);
MatricePavage Echelle(double x, double y, double z);

// Where a parameter point lands in a vw x vh viewport, in pixels from its bottom-left corner:
// (ax x + bx, ay y + by). Only a transformation that keeps boxes axis-aligned, in one plane,
// is separable; visible is false when that plane is clipped whole.
struct ProjectionPavage {
    double ax = 0, bx = 0, ay = 0, by = 0;
    bool separable = false;
    bool visible = false;
};
// `m` is projection x modelview, the modelview ending with the view's own frame.
ProjectionPavage ProjectionDe(const MatricePavage& m, int vw, int vh);

// The parameter pair (x, y) under the pixel (X, Y) of the view (y counted downward from the
// top, in the same pixels as vue.Largeur and vue.Hauteur), by the view's own transformation;
// valide is false where no parameter shows there (degenerate search box, view plane behind
// the near plane).
struct PositionPavage {
    double x = 0.0;
    double y = 0.0;
    bool valide = false;
};
PositionPavage PositionSousPointeur(int X, int Y, const Box& recherche, const VuePavage& vue);
