#include "display/Traces.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <vector>

namespace {

constexpr double DemiCote = 0.1;

std::size_t NombreMarqueurs(int N, std::size_t taille) {
    if (N <= 0) {
        return 0;
    }
    return std::min(static_cast<std::size_t>(N), taille);
}

void AppliquerCouleur(CouleurMarqueur couleur) {
    if (couleur == CouleurMarqueur::Rouge) {
        glColor3f(1.0f, 0.0f, 0.0f);
    } else {
        glColor3f(0.0f, 0.0f, 0.0f);
    }
}

// Vertices of the markers, reused from paint to paint (single GUI thread).
std::vector<double>& Sommets() {
    static std::vector<double> sommets;
    return sommets;
}

// Appends the four corners of the marker centred on (x, y), in the polygon's order.
inline void AjouterMarqueur(double* s, double x, double y) {
    s[0] = x + DemiCote;
    s[1] = y + DemiCote;
    s[2] = x - DemiCote;
    s[3] = y + DemiCote;
    s[4] = x - DemiCote;
    s[5] = y - DemiCote;
    s[6] = x + DemiCote;
    s[7] = y - DemiCote;
}

void DessinerQuadrilateres(const std::vector<double>& sommets, std::size_t marqueurs) {
    if (marqueurs == 0) {
        return;
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_DOUBLE, 0, sommets.data());
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(4 * marqueurs));
    glDisableClientState(GL_VERTEX_ARRAY);
}

void Face(const double (&v)[4][3]) {
    glBegin(GL_POLYGON);
    for (const double* sommet : v) {
        glVertex3dv(sommet);
    }
    glEnd();
}

} // namespace

void InitialiserProjection(int W, int H) {
    glViewport(0, 0, W, H);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double aspect = H == 0 ? static_cast<double>(W) : static_cast<double>(W) / H;
    gluPerspective(45.0, aspect, 1.0, 2000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void InitialiserTrace(int W, int H) {
    InitialiserProjection(W, H);
    glEnable(GL_DEPTH_TEST);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
}

void RedimensionnerTrace(int W, int H) {
    InitialiserProjection(W, H);
}

void DessinerMarqueur(double x, double y, CouleurMarqueur couleur) {
    glPushMatrix();
    glTranslated(x, y, 0.0);
    AppliquerCouleur(couleur);
    glBegin(GL_POLYGON);
    glVertex3d(DemiCote, DemiCote, 0.0);
    glVertex3d(-DemiCote, DemiCote, 0.0);
    glVertex3d(-DemiCote, -DemiCote, 0.0);
    glVertex3d(DemiCote, -DemiCote, 0.0);
    glEnd();
    glPopMatrix();
}

void DessinerAxes(int N, float pas) {
    const double h = 0.05;
    const double L = static_cast<float>(N) * pas;
    // Each face is {colour, 4 vertices}, in drawing order.
    struct FaceAxe {
        float r, g, b;
        double v[4][3];
    };
    const FaceAxe faces[18] = {
        // x bar, cyan
        {0, 1, 1, {{-h, h, h}, {-h, -h, h}, {L, -h, h}, {L, h, h}}},
        {0, 1, 1, {{-h, h, -h}, {-h, -h, -h}, {L, -h, -h}, {L, h, -h}}},
        {0, 1, 1, {{-h, h, h}, {-h, h, -h}, {L, h, -h}, {L, h, h}}},
        {0, 1, 1, {{-h, -h, h}, {-h, -h, -h}, {L, -h, -h}, {L, -h, h}}},
        {0, 1, 1, {{-h, h, h}, {-h, h, -h}, {-h, -h, -h}, {-h, -h, h}}},
        {0, 1, 1, {{L, h, h}, {L, h, -h}, {L, -h, -h}, {L, -h, h}}},
        // y bar, yellow
        {1, 1, 0, {{h, -h, h}, {-h, -h, h}, {-h, L, h}, {h, L, h}}},
        {1, 1, 0, {{h, -h, -h}, {-h, -h, -h}, {-h, L, -h}, {h, L, -h}}},
        {1, 1, 0, {{h, -h, h}, {h, -h, -h}, {h, L, -h}, {h, L, h}}},
        {1, 1, 0, {{-h, -h, h}, {-h, -h, -h}, {-h, L, -h}, {-h, L, h}}},
        {1, 1, 0, {{h, -h, h}, {h, -h, -h}, {-h, -h, -h}, {-h, -h, h}}},
        {1, 1, 0, {{h, L, h}, {h, L, -h}, {-h, L, -h}, {-h, L, h}}},
        // z bar, magenta
        {1, 0, 1, {{h, h, -h}, {-h, h, -h}, {-h, h, L}, {h, h, L}}},
        {1, 0, 1, {{h, -h, -h}, {-h, -h, -h}, {-h, -h, L}, {h, -h, L}}},
        {1, 0, 1, {{h, h, -h}, {h, -h, -h}, {h, -h, L}, {h, h, L}}},
        {1, 0, 1, {{-h, h, -h}, {-h, -h, -h}, {-h, -h, L}, {-h, h, L}}},
        {1, 0, 1, {{h, h, -h}, {h, -h, -h}, {-h, -h, -h}, {-h, h, -h}}},
        {1, 0, 1, {{h, h, L}, {h, -h, L}, {-h, -h, L}, {-h, h, L}}},
    };
    for (const FaceAxe& f : faces) {
        glColor3f(f.r, f.g, f.b);
        Face(f.v);
    }
}

void DessinerTemporel(std::span<const double> a, int N, float pas, double echelle,
                      CouleurMarqueur couleur, ModeDessin mode) {
    const std::size_t M = NombreMarqueurs(N, a.size());
    if (mode == ModeDessin::Immediat) {
        for (std::size_t i = 0; i < M; ++i) {
            // The abscissa is computed in single precision, as the step is.
            const float x = static_cast<float>(i) * pas;
            DessinerMarqueur(x, a[i] * echelle, couleur);
        }
        return;
    }
    std::vector<double>& s = Sommets();
    s.resize(8 * M);
    for (std::size_t i = 0; i < M; ++i) {
        const float x = static_cast<float>(i) * pas;
        AjouterMarqueur(&s[8 * i], x, a[i] * echelle);
    }
    AppliquerCouleur(couleur);
    DessinerQuadrilateres(s, M);
}

void DessinerConjointe(std::span<const double> a, std::span<const double> b, int N,
                       ModeDessin mode) {
    const std::size_t M = NombreMarqueurs(N, std::min(a.size(), b.size()));
    if (mode == ModeDessin::Immediat) {
        for (std::size_t i = 0; i < M; ++i) {
            DessinerMarqueur(a[i], b[i], CouleurMarqueur::Noir);
        }
        return;
    }
    std::vector<double>& s = Sommets();
    s.resize(8 * M);
    for (std::size_t i = 0; i < M; ++i) {
        AjouterMarqueur(&s[8 * i], a[i], b[i]);
    }
    AppliquerCouleur(CouleurMarqueur::Noir);
    DessinerQuadrilateres(s, M);
}

void PeindreTemporel(std::span<const double> noir, int N, float pas, double decalageX,
                     double decalageY, double profondeur, std::span<const double> rouge,
                     double echelleRouge, ModeDessin mode) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glTranslated(-22.0, 0.0, 0.0);
    glTranslated(decalageX, 0.0, 0.0);
    glTranslated(0.0, decalageY, 0.0);
    glTranslated(0.0, 0.0, profondeur);
    DessinerAxes(N, pas);
    DessinerTemporel(noir, N, pas, 1.0, CouleurMarqueur::Noir, mode);
    // Drawn after the black markers at the same depth: where both cover a pixel, black stays.
    DessinerTemporel(rouge, N, pas, echelleRouge, CouleurMarqueur::Rouge, mode);
    glPopMatrix();
}

void PeindreConjointe(std::span<const double> a, std::span<const double> b, int N, float pas,
                      double profondeur, ModeDessin mode) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glTranslated(0.0, 0.0, -12.0);
    glTranslated(0.0, 0.0, profondeur);
    DessinerAxes(N, pas);
    DessinerConjointe(a, b, N, mode);
    glPopMatrix();
}
