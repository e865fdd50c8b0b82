#include "interval/Repere.h"

#include <cfloat>
#include <cmath>

namespace {

bool VersFloat(double v, float& f) {
    if (!(std::fabs(v) <= static_cast<double>(FLT_MAX))) {
        return false;
    }
    f = static_cast<float>(v);
    return true;
}

// Truncation toward zero, refused when the result would not fit an int (or v is NaN).
bool VersPixel(double v, int& p) {
    if (!(v > -2147483649.0 && v < 2147483648.0)) {
        return false;
    }
    p = static_cast<int>(v);
    return true;
}

} // namespace

std::optional<Repere::Echelle> Repere::EchelleCourante() const {
    if (Image == nullptr) {
        return std::nullopt;
    }
    const double W = Image->Largeur();
    const double H = Image->Hauteur();
    Echelle e{};
    if (!VersFloat(W / IntervalleX.Width(), e.sx) ||
        !VersFloat(-IntervalleX.Lower() * e.sx, e.ox) ||
        !VersFloat(-H / IntervalleY.Width(), e.sy) ||
        !VersFloat(-IntervalleY.Upper() * e.sy, e.oy)) {
        return std::nullopt;
    }
    return e;
}

void Repere::DessinePave(const Box& pave, Couleur couleurBrosse, Couleur couleurPlume,
                         int styleBrosse) const {
    if (pave.IsEmpty) {
        return;
    }
    const std::optional<Echelle> e = EchelleCourante();
    if (e) {
        DessinePave(pave, *e, couleurBrosse, couleurPlume, styleBrosse);
    }
}

void Repere::DessinePave(const Box& pave, const Echelle& e, Couleur couleurBrosse,
                         Couleur couleurPlume, int styleBrosse) const {
    if (pave.IsEmpty) {
        return;
    }
    const double sx = e.sx, ox = e.ox, sy = e.sy, oy = e.oy;
    int X1, Y1, X2, Y2;
    if (!VersPixel(sx * pave[1].Lower() + ox, X1) || !VersPixel(sy * pave[2].Lower() + oy, Y1) ||
        !VersPixel(sx * pave[1].Upper() + ox + 1, X2) ||
        !VersPixel(sy * pave[2].Upper() + oy - 1, Y2)) {
        return;
    }
    Image->SetBrushStyle(styleBrosse);
    Image->SetBrushColor(couleurBrosse);
    Image->SetPenColor(couleurPlume);
    Image->Rectangle(X1, Y1, X2, Y2);
}

void Repere::DessineSegment(double x1, double y1, double x2, double y2, Couleur couleurPlume,
                            int stylePlume, int largeurPlume) const {
    const std::optional<Echelle> e = EchelleCourante();
    if (!e) {
        return;
    }
    const double sx = e->sx, ox = e->ox, sy = e->sy, oy = e->oy;
    int X1, Y1, X2, Y2;
    if (!VersPixel(sx * x1 + ox, X1) || !VersPixel(sy * y1 + oy, Y1) ||
        !VersPixel(sx * x2 + ox, X2) || !VersPixel(sy * y2 + oy, Y2)) {
        return;
    }
    Image->SetPenColor(couleurPlume);
    Image->SetPenStyle(stylePlume);
    Image->SetPenWidth(largeurPlume);
    Image->MoveTo(X1, Y1);
    Image->LineTo(X2, Y2);
    Image->SetPenWidth(1);
}

void Repere::DessineContour(const Box& pave, Couleur couleurPlume, int stylePlume,
                            int largeurPlume) const {
    if (pave.IsEmpty) {
        return;
    }
    const double xb = pave[1].Lower(), xh = pave[1].Upper();
    const double yb = pave[2].Lower(), yh = pave[2].Upper();
    DessineSegment(xb, yb, xb, yh, couleurPlume, stylePlume, largeurPlume);
    DessineSegment(xb, yb, xh, yb, couleurPlume, stylePlume, largeurPlume);
    DessineSegment(xh, yh, xb, yh, couleurPlume, stylePlume, largeurPlume);
    DessineSegment(xh, yb, xh, yh, couleurPlume, stylePlume, largeurPlume);
}
