// The raster of the fast paving paint, without OpenGL: a per-pixel raster of the view where the
// first primitive that reaches a pixel stays, as under the view's depth test with everything in one
// plane. Boxes are axis-aligned rectangles in window coordinates (pixels, y upward); fills follow
// the polygon rule (pixel centres inside, left and bottom edges included, vertices on a 1/256-pixel
// grid) and outlines the diamond-exit rule of lines.
#pragma once

#include <cstdint>
#include <vector>

class BoxList;

// Colours of the view's primitives; Aucune marks a pixel nothing has reached.
enum CouleurPavage : std::uint8_t { Aucune = 0, Jaune, Bleue, Blanche, Noire };

class TramePavage {
public:
    // Starts an empty raster of W x H pixels (row 0 at the bottom).
    void Preparer(int W, int H);

    // The polygon of the rectangle spanned by x in [xa, xb] and y in [ya, yb] (either order).
    void Remplir(double xa, double xb, double ya, double yb, CouleurPavage c);
    // The line segment from (xa, ya) to (xb, yb); it must be horizontal or vertical.
    void Segment(double xa, double ya, double xb, double yb, CouleurPavage c);
    // The closed outline (x0, y0), (x1, y0), (x1, y1), (x0, y1).
    void Contour(double x0, double x1, double y0, double y1, CouleurPavage c);
    // A box as the view draws it: the fill, then its outline.
    void Pave(double x0, double x1, double y0, double y1, CouleurPavage fond,
              CouleurPavage contour);

    // True when every pixel has been reached: later primitives change nothing.
    bool Complete() const { return Restants_ == 0; }
    int Largeur() const { return W_; }
    int Hauteur() const { return H_; }
    CouleurPavage At(int x, int y) const {
        return static_cast<CouleurPavage>(Pixels_[Index(x, y)]);
    }
    const std::vector<std::uint8_t>& Pixels() const { return Pixels_; }
    // One pixel, 0 <= x < W, 0 <= y < H, unless something reached it already.
    void Poser(int x, int y, CouleurPavage c) {
        std::uint8_t& p = Pixels_[Index(x, y)];
        if (p == Aucune) {
            p = c;
            --Restants_;
        }
    }

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * W_ + x; }
    void SegmentHorizontal(double y, double xa, double xb, CouleurPavage c);
    void SegmentVertical(double x, double ya, double yb, CouleurPavage c);
    bool DejaCouvert(double xmin, double xmax, double ymin, double ymax) const;

    int W_ = 0;
    int H_ = 0;
    std::size_t Restants_ = 0;
    std::vector<std::uint8_t> Pixels_;
};

// Widens [a, b] (or [b, a]) about its centre to at least `minimum`, keeping its direction; a
// bound that is not a finite number leaves it as it is.
void ElargirAuMoins(double& a, double& b, double minimum);

// A picture at a fixed scale (a figure written to a file) keeps every box in sight: boxes
// [premiere, end) of `boites` go to `sortie`, each widened about its centre to at least
// `largeur` in x and `hauteur` in y (one pixel, in the plane's units). A box narrower than a
// pixel may hold no pixel centre and vanish; widened, it lights the pixel of its centre.
void AgrandirBoites(const BoxList& boites, std::uint32_t premiere, double largeur, double hauteur,
                    BoxList& sortie);
