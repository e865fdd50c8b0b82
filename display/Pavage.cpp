#include "display/Pavage.h"

#include "display/PavageRapide.h"
#include "display/ResumePavage.h"
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

// Where the plane lands in the viewport (vw x vh pixels), by the matrices in force and the
// view's frame.
ProjectionPavage ProjectionVue(const VuePavage& vue, const CadragePavage& c, int& vw, int& vh) {
    GLint fenetre[4] = {};
    MatricePavage projection{}, vueModele{};
    glGetIntegerv(GL_VIEWPORT, fenetre);
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
    glGetDoublev(GL_MODELVIEW_MATRIX, vueModele.data());
    MatricePavage m = Produit(projection, vueModele);
    m = Produit(m, Translation(vue.DecalageX, vue.DecalageY, vue.Profondeur));
    m = Produit(m, Echelle(c.s, c.s, 0.0));
    m = Produit(m, Translation(-c.cx, -c.cy, 0.0));
    vw = fenetre[2];
    vh = fenetre[3];
    return ProjectionDe(m, vw, vh);
}

} // namespace

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
    const CadragePavage c = CadrageDe(recherche);
    // One pixel in the plane's units, when the view keeps boxes axis-aligned.
    double pixelX = 0, pixelY = 0;
    if (c.valide) {
        int vw = 0, vh = 0;
        const ProjectionPavage p = ProjectionVue(vue, c, vw, vh);
        if (p.separable && p.visible) {
            pixelX = 1.0 / std::fabs(p.ax);
            pixelY = 1.0 / std::fabs(p.ay);
        }
    }
    glPushMatrix();
    glTranslated(vue.DecalageX, vue.DecalageY, vue.Profondeur);
    glEnable(GL_DEPTH_TEST);
    if (c.valide) {
        // A z scale of 0 puts everything in one plane: the first primitive at a pixel stays.
        glScaled(c.s, c.s, 0.0);
        glTranslated(-c.cx, -c.cy, 0.0);
        // Kept boxes first, at least a pixel wide: none is hidden by its rejected neighbours.
        for (const Box& b : solution) {
            double x0 = b[1].Lower(), x1 = b[1].Upper(), y0 = b[2].Lower(), y1 = b[2].Upper();
            ElargirAuMoins(x0, x1, pixelX);
            ElargirAuMoins(y0, y1, pixelY);
            Box large(2, 0);
            large[1] = Interval(x0, x1);
            large[2] = Interval(y0, y1);
            DessinePaveGL(large, 1, 1, 0, 1, false);
        }
        for (const Box& b : enAttente) {
            DessinePaveGL(b, 1, 1, 0, 1, false);
        }
        for (const Box& b : rejetees) {
            DessinePaveGL(b, 0, 0, 1, 0, false);
        }
        glTranslated(0.0, 0.0, 10.0);
        DessinePaveGL(recherche, 1, 1, 1, 0, true);
        DessinePaveGL(CarreNoir(), 0, 0, 0, 0, false);
    }
    glPopMatrix();
}

EtatTrame PeindrePavage(const Box& recherche, const BoxList& enAttente, const BoxList& rejetees,
                        const BoxList& solution, const VuePavage& vue) {
    static ResumePavage resume;
    return PeindrePavage(recherche, enAttente, rejetees, solution, vue, resume);
}

EtatTrame PeindrePavage(const Box& recherche, const BoxList& enAttente, const BoxList& rejetees,
                        const BoxList& solution, const VuePavage& vue, ResumePavage& resume) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    const CadragePavage c = CadrageDe(recherche);
    if (!c.valide) {
        return EtatTrame::Exacte;
    }
    int vw = 0, vh = 0;
    const ProjectionPavage p = ProjectionVue(vue, c, vw, vh);
    if (!p.separable) {
        PeindrePavageImmediat(recherche, enAttente, rejetees, solution, vue);
        return EtatTrame::Exacte;
    }
    if (!p.visible || vw <= 0 || vh <= 0) {
        return EtatTrame::Exacte;
    }

    static TramePavage trame;
    trame.Preparer(vw, vh);
    const EtatTrame etat = resume.Tramer(trame, p, enAttente, rejetees, solution, &recherche);
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
    return etat;
}
