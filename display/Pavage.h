// The paving view of panel 6: the search box outline, the pending and kept boxes in yellow
// and the rejected boxes in blue on black, in one plane where the first primitive drawn at a
// pixel stays. PeindrePavage draws it fast: every box is rasterised once on the CPU into a
// per-pixel "first primitive wins" raster (a box entirely over pixels already reached costs
// one look-up), and the raster is drawn as one image. PeindrePavageImmediat draws it box by
// box in immediate mode, the reference picture. Both run with the panel's context current.
#pragma once

#include "interval/Box.h"

class BoxList;

// View state of the paving: the pan, the depth and the panel size in pixels (the size serves
// the position readout; the paints use the viewport and projection in force).
struct VuePavage {
    double DecalageX = 0.0;
    double DecalageY = 0.0;
    double Profondeur = -10.0;
    int Largeur = 0;
    int Hauteur = 0;
};

// OnInit of the view: viewport (0, 0, W, H), the 45-degree projection, modelview identity,
// depth test on, clear colour black.
void InitialiserPavage(int W, int H);

// One box in the view's current frame: filled in (r, g, b) with a grey outline drawn after
// it, or only its outline in (r, g, b). Components 1 and 2 are x and y.
void DessinePaveGL(const Box& boite, float r, float g, float b, float gris, bool contourSeul);

// Whole paint of the view, box by box.
void PeindrePavageImmediat(const Box& recherche, const BoxList& enAttente, const BoxList& rejetees,
                           const BoxList& solution, const VuePavage& vue);

// Whole paint of the view, fast, with the same picture.
void PeindrePavage(const Box& recherche, const BoxList& enAttente, const BoxList& rejetees,
                   const BoxList& solution, const VuePavage& vue);

// The parameter pair (x, y) under the pixel (X, Y) of the view (y counted downward from the
// top), by the view's own transformation; valide is false where no parameter shows there
// (degenerate search box, view plane behind the near plane).
struct PositionPavage {
    double x = 0.0;
    double y = 0.0;
    bool valide = false;
};
PositionPavage PositionSousPointeur(int X, int Y, const Box& recherche, const VuePavage& vue);
