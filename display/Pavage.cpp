#include "display/Pavage.h"

#include "display/PavageRapide.h"
#include "display/Traces.h"
#include "sivia/BoxList.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using Matrice = std::array<double, 16>; // column-major, as OpenGL stores it

Matrice Produit(const Matrice& a, const Matrice& b) {
    Matrice r{};
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

Matrice Translation(double x, double y, double z) {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
}

Matrice Echelle(double x, double y, double z) {
    return {x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1};
}

// Where a parameter point lands in the viewport, in pixels from its bottom-left corner:
// (ax x + bx, ay y + by). Only a frame that keeps boxes axis-aligned, in one plane, qualifies.
struct Projection2D {
    double ax = 0, bx = 0, ay = 0, by = 0;
    bool separable = false;
    bool visible = false;
};

Projection2D ProjectionDe(const Matrice& m, int vw, int vh) {
    Projection2D p;
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

void TramerListe(TramePavage& trame, const Projection2D& p, const BoxList& liste,
                 CouleurPavage fond, CouleurPavage contour) {
    for (const Box& b : liste) {
        if (trame.Complete()) {
            return;
        }
        const Interval& x = b[1];
        const Interval& y = b[2];
        trame.Pave(p.ax * x.Lower() + p.bx, p.ax * x.Upper() + p.bx, p.ay * y.Lower() + p.by,
                   p.ay * y.Upper() + p.by, fond, contour);
    }
}

std::uint32_t Rgba(GLubyte r, GLubyte g, GLubyte b, GLubyte a) {
    const GLubyte octets[4] = {r, g, b, a};
    std::uint32_t v;
    std::memcpy(&v, octets, 4);
    return v;
}

// The square that fills, in black, whatever no box covered.
Box CarreNoir() {
    Box b(2, 1);
    b[1] = Interval(-9999.0, 9999.0);
    b[2] = Interval(-9999.0, 9999.0);
    return b;
}

} // namespace

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

void InitialiserPavage(int W, int H) {
    InitialiserProjection(W, H);
    glEnable(GL_DEPTH_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}

void DessinePaveGL(const Box& boite, float r, float g, float b, float gris, bool contourSeul) {
    const double x0 = boite[1].Lower(), x1 = boite[1].Upper();
    const double y0 = boite[2].Lower(), y1 = boite[2].Upper();
    glColor3f(r, g, b);
    if (contourSeul) {
        glBegin(GL_LINE_LOOP);
        glVertex2d(x0, y0);
        glVertex2d(x1, y0);
        glVertex2d(x1, y1);
        glVertex2d(x0, y1);
        glEnd();
        return;
    }
    glBegin(GL_POLYGON);
    glVertex2d(x0, y0);
    glVertex2d(x1, y0);
    glVertex2d(x1, y1);
    glVertex2d(x0, y1);
    glEnd();
    glColor3f(gris, gris, gris);
    glBegin(GL_LINE_LOOP);
    glVertex3d(x0, y0, 0.1);
    glVertex3d(x1, y0, 0.1);
    glVertex3d(x1, y1, 0.1);
    glVertex3d(x0, y1, 0.1);
    glEnd();
}

void PeindrePavageImmediat(const Box& recherche, const BoxList& enAttente, const BoxList& rejetees,
                           const BoxList& solution, const VuePavage& vue) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glTranslated(vue.DecalageX, vue.DecalageY, vue.Profondeur);
    glEnable(GL_DEPTH_TEST);
    const CadragePavage c = CadrageDe(recherche);
    if (c.valide) {
        // A z scale of 0 puts everything in one plane: the first primitive at a pixel stays.
        glScaled(c.s, c.s, 0.0);
        glTranslated(-c.cx, -c.cy, 0.0);
        for (const Box& b : enAttente) {
            DessinePaveGL(b, 1, 1, 0, 1, false);
        }
        for (const Box& b : rejetees) {
            DessinePaveGL(b, 0, 0, 1, 0, false);
        }
        for (const Box& b : solution) {
            DessinePaveGL(b, 1, 1, 0, 1, false);
        }
        glTranslated(0.0, 0.0, 10.0);
        DessinePaveGL(recherche, 1, 1, 1, 0, true);
        DessinePaveGL(CarreNoir(), 0, 0, 0, 0, false);
    }
    glPopMatrix();
}

void PeindrePavage(const Box& recherche, const BoxList& enAttente, const BoxList& rejetees,
                   const BoxList& solution, const VuePavage& vue) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    const CadragePavage c = CadrageDe(recherche);
    if (!c.valide) {
        return;
    }
    GLint fenetre[4] = {};
    Matrice projection{}, vueModele{};
    glGetIntegerv(GL_VIEWPORT, fenetre);
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
    glGetDoublev(GL_MODELVIEW_MATRIX, vueModele.data());
    Matrice m = Produit(projection, vueModele);
    m = Produit(m, Translation(vue.DecalageX, vue.DecalageY, vue.Profondeur));
    m = Produit(m, Echelle(c.s, c.s, 0.0));
    m = Produit(m, Translation(-c.cx, -c.cy, 0.0));
    const int vw = fenetre[2], vh = fenetre[3];
    const Projection2D p = ProjectionDe(m, vw, vh);
    if (!p.separable) {
        PeindrePavageImmediat(recherche, enAttente, rejetees, solution, vue);
        return;
    }
    if (!p.visible || vw <= 0 || vh <= 0) {
        return;
    }

    static TramePavage trame;
    trame.Preparer(vw, vh);
    TramerListe(trame, p, enAttente, Jaune, Blanche);
    TramerListe(trame, p, rejetees, Bleue, Noire);
    TramerListe(trame, p, solution, Jaune, Blanche);
    auto enFenetre = [&p](const Box& b) {
        return std::array<double, 4>{p.ax * b[1].Lower() + p.bx, p.ax * b[1].Upper() + p.bx,
                                     p.ay * b[2].Lower() + p.by, p.ay * b[2].Upper() + p.by};
    };
    const auto r = enFenetre(recherche);
    trame.Contour(r[0], r[1], r[2], r[3], Blanche);
    const auto n = enFenetre(CarreNoir());
    trame.Pave(n[0], n[1], n[2], n[3], Noire, Noire);

    // What nothing reached keeps the clear colour.
    GLfloat fond[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, fond);
    auto octet = [](GLfloat v) {
        return static_cast<GLubyte>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
    };
    const std::uint32_t palette[5] = {
        Rgba(octet(fond[0]), octet(fond[1]), octet(fond[2]), octet(fond[3])),
        Rgba(255, 255, 0, 255), Rgba(0, 0, 255, 255), Rgba(255, 255, 255, 255), Rgba(0, 0, 0, 255)};
    static std::vector<std::uint32_t> image;
    const std::vector<std::uint8_t>& pixels = trame.Pixels();
    image.resize(pixels.size());
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        image[i] = palette[pixels[i]];
    }

    // The raster covers the viewport exactly: drawn from its bottom-left corner.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glRasterPos2d(-1.0, -1.0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glDrawPixels(vw, vh, GL_RGBA, GL_UNSIGNED_BYTE, image.data());
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
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
