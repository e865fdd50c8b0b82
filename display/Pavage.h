// The paving view of panel 6: the search box outline, the kept boxes (first, and at least a
// pixel wide) and the pending boxes in yellow and the rejected boxes in blue on black, in one
// plane where the first primitive drawn at a pixel stays. PeindrePavage draws it fast: every box is
// rasterised once on the CPU into a per-pixel "first primitive wins" raster (a box entirely over
// pixels already reached costs one look-up), through a ResumePavage that bounds the time of a paint
// of many boxes, and the raster is drawn as one image. PeindrePavageImmediat draws it box by box in
// immediate mode, the reference picture. Both run with the panel's context current.
#pragma once

#include "display/VuePavage.h"
#include "interval/Box.h"

class BoxList;
class ResumePavage;
enum class EtatTrame;

// OnInit of the view: viewport (0, 0, W, H), the 45-degree projection, modelview identity,
// depth test on, clear colour black.
void InitialiserPavage(int W, int H);

// One box in the view's current frame: filled in (r, g, b) with a grey outline drawn after
// it, or only its outline in (r, g, b). Components 1 and 2 are x and y.
void DessinePaveGL(const Box& boite, float r, float g, float b, float gris, bool contourSeul);

// Whole paint of the view, box by box.
void PeindrePavageImmediat(const Box& recherche, const BoxList& enAttente, const BoxList& rejetees,
                           const BoxList& solution, const VuePavage& vue);

// Whole paint of the view, fast, with the same picture; many boxes go through `resume`,
// which the view keeps from paint to paint. A partial picture (EtatTrame::Partielle) asks for
// another paint soon.
EtatTrame PeindrePavage(const Box& recherche, const BoxList& enAttente, const BoxList& rejetees,
                        const BoxList& solution, const VuePavage& vue, ResumePavage& resume);
// The same with a summary of its own, kept from paint to paint.
EtatTrame PeindrePavage(const Box& recherche, const BoxList& enAttente, const BoxList& rejetees,
                        const BoxList& solution, const VuePavage& vue);
