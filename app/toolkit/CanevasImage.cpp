#include "app/toolkit/CanevasImage.h"

#include <algorithm>

namespace {

__extension__ typedef __int128 Entier128;

std::uint32_t VersRgb32(Couleur c) {
    const std::uint32_t r = c & 0xFFu, g = (c >> 8) & 0xFFu, b = (c >> 16) & 0xFFu;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// On/off run lengths, in pixels, of the dashed and dotted pen styles.
bool MotifAllume(int style, std::int64_t phase) {
    static constexpr int tirets[] = {18, 6};
    static constexpr int points[] = {3, 3};
    static constexpr int tiretPoint[] = {9, 6, 3, 6};
    static constexpr int tiretPointPoint[] = {9, 3, 3, 3, 3, 3};
    const int* motif = tirets;
    int n = 2;
    switch (style) {
    case PlumePoints:
        motif = points;
        break;
    case PlumeTiretPoint:
        motif = tiretPoint, n = 4;
        break;
    case PlumeTiretPointPoint:
        motif = tiretPointPoint, n = 6;
        break;
    default:
        break;
    }
    int periode = 0;
    for (int k = 0; k < n; ++k) {
        periode += motif[k];
    }
    std::int64_t p = phase % periode;
    for (int k = 0; k < n; ++k) {
        if (p < motif[k]) {
            return k % 2 == 0;
        }
        p -= motif[k];
    }
    return false;
}

} // namespace

CanevasImage::CanevasImage(int largeur, int hauteur, Couleur fond)
    : Image_(std::max(largeur, 0), std::max(hauteur, 0), QImage::Format_RGB32) {
    Image_.fill(VersRgb32(fond));
}

Couleur CanevasImage::Pixel(int x, int y) const {
    const QRgb p = reinterpret_cast<const QRgb*>(Image_.constScanLine(y))[x];
    return static_cast<Couleur>(qRed(p)) | (static_cast<Couleur>(qGreen(p)) << 8) |
           (static_cast<Couleur>(qBlue(p)) << 16);
}

int CanevasImage::LargeurEffective() const {
    // A pen never usefully exceeds the image; the bound keeps the arithmetic small.
    const int maximum = 2 * (Image_.width() + Image_.height()) + 1;
    return std::clamp(LargeurPlume_, 1, std::max(maximum, 1));
}

bool CanevasImage::PlumeMotif() const {
    return StylePlume_ >= PlumeTirets && StylePlume_ <= PlumeTiretPointPoint &&
           LargeurEffective() == 1;
}

void CanevasImage::RemplirZone(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                               Couleur couleur) {
    x0 = std::max<std::int64_t>(x0, 0);
    y0 = std::max<std::int64_t>(y0, 0);
    x1 = std::min<std::int64_t>(x1, Image_.width());
    y1 = std::min<std::int64_t>(y1, Image_.height());
    if (x0 >= x1 || y0 >= y1) {
        return;
    }
    const std::uint32_t pixel = VersRgb32(couleur);
    uchar* base = Image_.bits();
    const qsizetype pas = Image_.bytesPerLine();
    for (std::int64_t y = y0; y < y1; ++y) {
        QRgb* ligne = reinterpret_cast<QRgb*>(base + y * pas);
        std::fill(ligne + x0, ligne + x1, pixel);
    }
}

void CanevasImage::PeindrePoint(std::int64_t x, std::int64_t y, std::uint32_t pixel) {
    if (x < 0 || y < 0 || x >= Image_.width() || y >= Image_.height()) {
        return;
    }
    reinterpret_cast<QRgb*>(Image_.scanLine(static_cast<int>(y)))[x] = pixel;
}

void CanevasImage::Rectangle(int X1, int Y1, int X2, int Y2) {
    const std::int64_t xa = std::min(X1, X2), xb = std::max(X1, X2);
    const std::int64_t ya = std::min(Y1, Y2), yb = std::max(Y1, Y2);
    if (xa == xb || ya == yb) {
        return;
    }
    const bool plume = StylePlume_ != PlumeVide;
    const bool brosse = StyleBrosse_ != BrosseVide;
    const int w = LargeurEffective();
    if (brosse) {
        RemplirZone(xa, ya, xb, yb, CouleurBrosse_);
        // The solver's boxes: outline and fill of one colour, already painted.
        if (plume && w == 1 && !PlumeMotif() && CouleurPlume_ == CouleurBrosse_) {
            return;
        }
    }
    if (!plume) {
        return;
    }
    if (PlumeMotif()) {
        ContourStyle(xa, ya, xb, yb);
        return;
    }
    // Union of w x w squares centred on the pixels of the one-pixel outline.
    const std::int64_t h = w / 2;
    const std::int64_t gauche = xa - h, droite = xb - 1 - h, haut = ya - h, bas = yb - 1 - h;
    RemplirZone(gauche, haut, droite + w, haut + w, CouleurPlume_);
    RemplirZone(gauche, bas, droite + w, bas + w, CouleurPlume_);
    RemplirZone(gauche, haut, gauche + w, bas + w, CouleurPlume_);
    RemplirZone(droite, haut, droite + w, bas + w, CouleurPlume_);
}

void CanevasImage::ContourStyle(std::int64_t xa, std::int64_t ya, std::int64_t xb,
                                std::int64_t yb) {
    // Clockwise from the top-left corner; the pattern runs on along the outline.
    const std::uint32_t pixel = VersRgb32(CouleurPlume_);
    const std::int64_t W = Image_.width(), H = Image_.height();
    const std::int64_t xd = xb - 1, yd = yb - 1;
    auto point = [&](std::int64_t x, std::int64_t y, std::int64_t phase) {
        if (MotifAllume(StylePlume_, phase)) {
            PeindrePoint(x, y, pixel);
        }
    };
    if (ya >= 0 && ya < H) {
        for (std::int64_t x = std::max<std::int64_t>(xa, 0); x <= std::min(xd, W - 1); ++x) {
            point(x, ya, x - xa);
        }
    }
    if (xd >= 0 && xd < W) {
        for (std::int64_t y = std::max<std::int64_t>(ya + 1, 0); y <= std::min(yd, H - 1); ++y) {
            point(xd, y, (xd - xa) + (y - ya));
        }
    }
    if (yd > ya && yd >= 0 && yd < H) {
        for (std::int64_t x = std::max<std::int64_t>(xa, 0); x <= std::min(xd - 1, W - 1); ++x) {
            point(x, yd, (xd - xa) + (yd - ya) + (xd - x));
        }
    }
    if (xd > xa && xa >= 0 && xa < W) {
        for (std::int64_t y = std::max<std::int64_t>(ya + 1, 0); y <= std::min(yd - 1, H - 1);
             ++y) {
            point(xa, y, 2 * (xd - xa) + (yd - ya) + (yd - y));
        }
    }
}

void CanevasImage::MoveTo(int X, int Y) {
    PositionX_ = X;
    PositionY_ = Y;
}

void CanevasImage::LineTo(int X, int Y) {
    const std::int64_t x0 = PositionX_, y0 = PositionY_;
    PositionX_ = X;
    PositionY_ = Y;
    const std::int64_t dx = X - x0, dy = Y - y0;
    const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    const std::int64_t n = std::max(adx, ady); // pixels drawn: the end point is left out
    if (StylePlume_ == PlumeVide || n == 0 || Image_.isNull()) {
        return;
    }
    const bool majeurX = adx >= ady;
    const std::int64_t dMin = majeurX ? ady : adx;
    const std::int64_t pasMaj = (majeurX ? dx : dy) < 0 ? -1 : 1;
    const std::int64_t pasMin = (majeurX ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t debutMaj = majeurX ? x0 : y0, debutMin = majeurX ? y0 : x0;
    const std::int64_t limiteMaj = majeurX ? Image_.width() : Image_.height();

    // Only the steps whose major coordinate lies in the image are visited.
    std::int64_t iMin = pasMaj > 0 ? -debutMaj : debutMaj - (limiteMaj - 1);
    std::int64_t iMax = pasMaj > 0 ? limiteMaj - 1 - debutMaj : debutMaj;
    iMin = std::max<std::int64_t>(iMin, 0);
    iMax = std::min(iMax, n - 1);

    const int w = LargeurEffective();
    const std::int64_t h = w / 2;
    const bool motif = PlumeMotif();
    for (std::int64_t i = iMin; i <= iMax; ++i) {
        if (motif && !MotifAllume(StylePlume_, i)) {
            continue;
        }
        // Minor offset rounded to nearest (halves upward), exact for any int end points.
        const std::int64_t decalage =
            static_cast<std::int64_t>((Entier128{2} * i * dMin + n) / (Entier128{2} * n));
        const std::int64_t maj = debutMaj + pasMaj * i;
        const std::int64_t mineur = debutMin + pasMin * decalage;
        if (majeurX) {
            RemplirZone(maj, mineur - h, maj + 1, mineur - h + w, CouleurPlume_);
        } else {
            RemplirZone(mineur - h, maj, mineur - h + w, maj + 1, CouleurPlume_);
        }
    }
}
