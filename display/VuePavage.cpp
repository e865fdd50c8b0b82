#include "display/VuePavage.h"

#include <cmath>
#include <cstdint>

MatricePavage Produit(const MatricePavage& a, const MatricePavage& b) {
    MatricePavage r{};
    for (int c = 0; c < 4; ++c) {
        for (int l = 0; l < 4; ++l) {
            double v = 0.0;
            for (int k = 0; k < 4; ++k) {
                v += a[k * 4 + l] * b[c * 4 + k];
            }
            r[c * 4 + l] = v;
        }
    }
    return r;
}

MatricePavage Translation(double x, double y, double z) {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
}

MatricePavage Echelle(double x, double y, double z) {
    return {x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1};
}

ProjectionPavage ProjectionDe(const MatricePavage& m, int vw, int vh) {
    ProjectionPavage p;
    p.separable = m[1] == 0 && m[4] == 0 && m[2] == 0 && m[6] == 0 && m[3] == 0 && m[7] == 0;
    if (!p.separable) {
        return p;
    }
    const double w = m[15];
    // Everything lies in one plane: it is drawn whole or clipped whole.
    p.visible = w > 0 && -w <= m[14] && m[14] <= w;
    p.ax = 0.5 * vw * m[0] / w;
    p.bx = 0.5 * vw * (1.0 + m[12] / w);
    p.ay = 0.5 * vh * m[5] / w;
    p.by = 0.5 * vh * (1.0 + m[13] / w);
    p.visible = p.visible && std::isfinite(p.ax) && std::isfinite(p.bx) && std::isfinite(p.ay) &&
                std::isfinite(p.by);
    return p;
}

CadragePavage CadrageDe(const Box& recherche) {
    CadragePavage c;
    const std::int32_t k = recherche.WidestComponent();
    c.s = 5.0 / (recherche[k].Upper() - recherche[k].Lower());
    const Box centre = Centre(recherche);
    c.cx = centre[1].Lower();
    c.cy = centre[2].Lower();
    // A search box of zero or infinite width gives no usable frame: nothing is drawn then.
    c.valide = std::isfinite(c.s) && c.s != 0.0 && std::isfinite(c.cx) && std::isfinite(c.cy);
    return c;
}

PositionPavage PositionSousPointeur(int X, int Y, const Box& recherche, const VuePavage& vue) {
    PositionPavage p;
    const CadragePavage c = CadrageDe(recherche);
    const int W = vue.Largeur, H = vue.Hauteur;
    // The view plane must lie beyond the near plane (eye z <= -1) for anything to show.
    if (!c.valide || W <= 0 || !(vue.Profondeur <= -1.0 && vue.Profondeur >= -2000.0)) {
        return p;
    }
    const double aspect = H == 0 ? static_cast<double>(W) : static_cast<double>(W) / H;
    const double f = 1.0 / std::tan(22.5 * M_PI / 180.0);
    // Centre of the pointed pixel, in normalised device coordinates (y upward).
    const double xn = 2.0 * (X + 0.5) / W - 1.0;
    const double yn = H == 0 ? 0.0 : 1.0 - 2.0 * (Y + 0.5) / H;
    const double distance = -vue.Profondeur;
    const double xe = xn * distance * aspect / f;
    const double ye = yn * distance / f;
    p.x = (xe - vue.DecalageX) / c.s + c.cx;
    p.y = (ye - vue.DecalageY) / c.s + c.cy;
    p.valide = std::isfinite(p.x) && std::isfinite(p.y);
    return p;
}
