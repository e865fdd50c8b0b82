#include "display/PavageRapide.h"

#include "sivia/BoxList.h"

#include <algorithm>
#include <cmath>

namespace {

// Coordinates are clamped to a little beyond the raster before any conversion to int, so
// that huge values stay safe and keep their effect on the pixels inside.
constexpr double Marge = 4.0;

// Vertices of polygons land on a 1/256-pixel grid, as rasterisers snap them.
inline double Accrocher(double v) {
    return std::nearbyint(v * 256.0) / 256.0;
}

inline bool Fini(double a, double b, double c, double d) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

} // namespace

void TramePavage::Preparer(int W, int H) {
    W_ = std::max(0, W);
    H_ = std::max(0, H);
    Pixels_.assign(static_cast<std::size_t>(W_) * H_, Aucune);
    Restants_ = Pixels_.size();
}

void TramePavage::Remplir(double xa, double xb, double ya, double yb, CouleurPavage c) {
    if (!Fini(xa, xb, ya, yb)) {
        return;
    }
    const double a = std::clamp(Accrocher(std::min(xa, xb)), -Marge, W_ + Marge);
    const double b = std::clamp(Accrocher(std::max(xa, xb)), -Marge, W_ + Marge);
    const double d = std::clamp(Accrocher(std::min(ya, yb)), -Marge, H_ + Marge);
    const double e = std::clamp(Accrocher(std::max(ya, yb)), -Marge, H_ + Marge);
    // Pixel centres i + 0.5 with a <= i + 0.5 < b.
    const int i0 = std::max(0, static_cast<int>(std::ceil(a - 0.5)));
    const int i1 = std::min(W_, static_cast<int>(std::ceil(b - 0.5)));
    const int j0 = std::max(0, static_cast<int>(std::ceil(d - 0.5)));
    const int j1 = std::min(H_, static_cast<int>(std::ceil(e - 0.5)));
    for (int j = j0; j < j1; ++j) {
        for (int i = i0; i < i1; ++i) {
            Poser(i, j, c);
        }
    }
}

// A fragment goes to each pixel whose diamond |x - cx| + |y - cy| < 1/2 the segment
// crosses, except the pixel whose diamond holds the segment's end point. A segment that
// snaps onto a pixel boundary lights the row below it, or the column left of it, as a
// one-pixel-wide quad does, with the end rules of the common rasterisers.
// The horizontal and the vertical rasteriser differ on purpose where a segment lies on a
// pixel boundary: going left, a horizontal one leaves out the pixel at its start too
// (centres in (lo, hi)), while going down a vertical one keeps both ends (centres in
// [lo, hi]). That is what the reference rasteriser does with the one-pixel-wide quad it
// makes of such a line (its top-left fill rule meets the two axes differently), and the
// comparison with the box-by-box picture checks it.
void TramePavage::SegmentHorizontal(double y, double xa, double xb, CouleurPavage c) {
    if (!(y >= -1.0 && y <= H_ + 1.0) || xa == xb) {
        return;
    }
    const double fin = std::clamp(xb, -Marge, W_ + Marge);
    const double lo = std::clamp(std::min(xa, xb), -Marge, W_ + Marge);
    const double hi = std::clamp(std::max(xa, xb), -Marge, W_ + Marge);
    const double j = std::floor(y);
    const double accroche = Accrocher(y);
    int i0, i1;
    int ligne;
    bool exclureFin = false;
    int iFin = 0;
    if (accroche == std::floor(accroche)) {
        ligne = static_cast<int>(accroche) - 1;
        // Centres in [lo, hi) going right, in (lo, hi) going left.
        i0 = xb > xa ? static_cast<int>(std::ceil(lo - 0.5))
                     : static_cast<int>(std::floor(lo - 0.5)) + 1;
        i1 = static_cast<int>(std::ceil(hi - 0.5)) - 1;
    } else {
        ligne = static_cast<int>(j);
        const double r = 0.5 - std::fabs(y - (j + 0.5));
        i0 = static_cast<int>(std::floor(lo - 0.5 - r)) + 1;
        i1 = static_cast<int>(std::ceil(hi - 0.5 + r)) - 1;
        iFin = static_cast<int>(std::floor(fin));
        exclureFin = std::fabs(fin - (iFin + 0.5)) < r;
    }
    if (ligne < 0 || ligne >= H_) {
        return;
    }
    i0 = std::max(i0, 0);
    i1 = std::min(i1, W_ - 1);
    for (int i = i0; i <= i1; ++i) {
        if (!(exclureFin && i == iFin)) {
            Poser(i, ligne, c);
        }
    }
}

void TramePavage::SegmentVertical(double x, double ya, double yb, CouleurPavage c) {
    if (!(x >= -1.0 && x <= W_ + 1.0) || ya == yb) {
        return;
    }
    const double fin = std::clamp(yb, -Marge, H_ + Marge);
    const double lo = std::clamp(std::min(ya, yb), -Marge, H_ + Marge);
    const double hi = std::clamp(std::max(ya, yb), -Marge, H_ + Marge);
    const double i = std::floor(x);
    const double accroche = Accrocher(x);
    int j0, j1;
    int colonne;
    bool exclureFin = false;
    int jFin = 0;
    if (accroche == std::floor(accroche)) {
        colonne = static_cast<int>(accroche) - 1;
        // Centres in [lo, hi) going up, in [lo, hi] going down.
        j0 = static_cast<int>(std::ceil(lo - 0.5));
        j1 = yb > ya ? static_cast<int>(std::ceil(hi - 0.5)) - 1
                     : static_cast<int>(std::floor(hi - 0.5));
    } else {
        colonne = static_cast<int>(i);
        const double r = 0.5 - std::fabs(x - (i + 0.5));
        j0 = static_cast<int>(std::floor(lo - 0.5 - r)) + 1;
        j1 = static_cast<int>(std::ceil(hi - 0.5 + r)) - 1;
        jFin = static_cast<int>(std::floor(fin));
        exclureFin = std::fabs(fin - (jFin + 0.5)) < r;
    }
    if (colonne < 0 || colonne >= W_) {
        return;
    }
    j0 = std::max(j0, 0);
    j1 = std::min(j1, H_ - 1);
    for (int j = j0; j <= j1; ++j) {
        if (!(exclureFin && j == jFin)) {
            Poser(colonne, j, c);
        }
    }
}

void TramePavage::Segment(double xa, double ya, double xb, double yb, CouleurPavage c) {
    if (!Fini(xa, ya, xb, yb)) {
        return;
    }
    if (ya == yb) {
        SegmentHorizontal(ya, xa, xb, c);
    } else if (xa == xb) {
        SegmentVertical(xa, ya, yb, c);
    }
}

void TramePavage::Contour(double x0, double x1, double y0, double y1, CouleurPavage c) {
    Segment(x0, y0, x1, y0, c);
    Segment(x1, y0, x1, y1, c);
    Segment(x1, y1, x0, y1, c);
    Segment(x0, y1, x0, y0, c);
}

// True when the pixels of every square that the rectangle touches, at most 2 x 2 of them,
// are reached already: nothing the box draws could show.
bool TramePavage::DejaCouvert(double xmin, double xmax, double ymin, double ymax) const {
    if (!(xmax - xmin < 1.0 && ymax - ymin < 1.0)) {
        return false;
    }
    if (!(xmin >= 0.0 && ymin >= 0.0 && xmax < W_ && ymax < H_)) {
        return false;
    }
    const int i0 = static_cast<int>(xmin), i1 = static_cast<int>(xmax);
    const int j0 = static_cast<int>(ymin), j1 = static_cast<int>(ymax);
    return Pixels_[Index(i0, j0)] != Aucune && Pixels_[Index(i1, j0)] != Aucune &&
           Pixels_[Index(i0, j1)] != Aucune && Pixels_[Index(i1, j1)] != Aucune;
}

void TramePavage::Pave(double x0, double x1, double y0, double y1, CouleurPavage fond,
                       CouleurPavage contour) {
    // A box with a bound that is not a finite number has no place in the view.
    if (!Fini(x0, x1, y0, y1)) {
        return;
    }
    const double xmin = std::min(x0, x1), xmax = std::max(x0, x1);
    const double ymin = std::min(y0, y1), ymax = std::max(y0, y1);
    if (xmax < -1.0 || ymax < -1.0 || xmin > W_ + 1.0 || ymin > H_ + 1.0) {
        return;
    }
    if (DejaCouvert(xmin, xmax, ymin, ymax)) {
        return;
    }
    Remplir(x0, x1, y0, y1, fond);
    Contour(x0, x1, y0, y1, contour);
}

void ElargirAuMoins(double& a, double& b, double minimum) {
    if (!(std::fabs(b - a) < minimum) || !std::isfinite(a) || !std::isfinite(b)) {
        return;
    }
    const double centre = a / 2 + b / 2;
    const double demi = b < a ? -minimum / 2 : minimum / 2;
    a = centre - demi;
    b = centre + demi;
}

void AgrandirBoites(const BoxList& boites, std::uint32_t premiere, double largeur, double hauteur,
                    BoxList& sortie) {
    const auto agrandir = [](const Interval& i, double minimum) {
        double lo = i.Lower(), hi = i.Upper();
        ElargirAuMoins(lo, hi, minimum);
        return lo == i.Lower() && hi == i.Upper() ? i : Interval(lo, hi);
    };
    sortie.Clear();
    for (std::uint32_t k = premiere; k < boites.Size(); ++k) {
        Box b = boites.At(k);
        if (b.Dimension >= 2) {
            b[1] = agrandir(b[1], largeur);
            b[2] = agrandir(b[2], hauteur);
        }
        sortie.PushBack(b);
    }
}
