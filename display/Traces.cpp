#include "display/Traces.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double DemiCote = 0.1;
// Markers per draw call: 262,144 vertices, far below any driver's limits.
constexpr std::size_t MarqueursParAppel = std::size_t(1) << 16;

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

// Draws the markers that `poser(k, s)` writes (k < n) in lots of MarqueursParAppel: the
// vertex buffer and every draw call stay small whatever n is. Same polygons, same order.
template <typename Poser> void DessinerParLots(std::size_t n, Poser poser) {
    std::vector<double>& s = Sommets();
    for (std::size_t debut = 0; debut < n; debut += MarqueursParAppel) {
        const std::size_t lot = std::min(MarqueursParAppel, n - debut);
        s.resize(8 * lot);
        for (std::size_t k = 0; k < lot; ++k) {
            poser(debut + k, &s[8 * k]);
        }
        DessinerQuadrilateres(s, lot);
    }
}

// Where the plane z = 0 lands in the window under the current matrices: with no rotation it
// is an affine map per axis, window = origine + echelle x scene.
struct PlanFenetre {
    double ox = 0, ex = 1, oy = 0, ey = 1;
    GLint vue[4] = {0, 0, 1, 1};
};

PlanFenetre LirePlan() {
    PlanFenetre p;
    GLdouble modele[16], projection[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, modele);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, p.vue);
    double x0, y0, z0, x1, y1, z1;
    gluProject(0, 0, 0, modele, projection, p.vue, &x0, &y0, &z0);
    gluProject(1, 1, 0, modele, projection, p.vue, &x1, &y1, &z1);
    p.ox = x0;
    p.oy = y0;
    p.ex = x1 - x0;
    p.ey = y1 - y0;
    return p;
}

bool PlanUtilisable(const PlanFenetre& p) {
    return std::isfinite(p.ox) && std::isfinite(p.oy) && std::isfinite(p.ex) &&
           std::isfinite(p.ey) && p.ex > 0 && p.ey > 0;
}

// A time plot of many samples: only the samples whose marker can reach the viewport, and,
// where several fall in one pixel column, one rectangle per column from the lowest to the
// highest marker of the column (the markers' union when the trace is continuous).
void DessinerTemporelResume(std::span<const double> a, std::size_t M, float pas, double echelle,
                            CouleurMarqueur couleur) {
    const PlanFenetre p = LirePlan();
    if (!PlanUtilisable(p) || !(pas > 0)) {
        return;
    }
    const double marge = 2 * DemiCote + 1.0 / p.ex;
    const double xMin = (p.vue[0] - p.ox) / p.ex - marge;
    const double xMax = (p.vue[0] + p.vue[2] - p.ox) / p.ex + marge;
    const double iMin = std::max(0.0, std::floor(xMin / double(pas)));
    const double iMax = std::min(double(M), std::ceil(xMax / double(pas)) + 1);
    if (!(iMin < iMax)) {
        return;
    }
    const std::size_t debut = static_cast<std::size_t>(iMin);
    const std::size_t fin = static_cast<std::size_t>(iMax);
    AppliquerCouleur(couleur);
    if (double(fin - debut) <= 4.0 * p.vue[2]) {
        DessinerParLots(fin - debut, [&](std::size_t k, double* s) {
            const std::size_t i = debut + k;
            AjouterMarqueur(s, static_cast<float>(i) * pas, a[i] * echelle);
        });
        return;
    }
    struct Colonne {
        double x0, x1, y0, y1;
    };
    std::vector<Colonne> colonnes;
    colonnes.reserve(std::size_t(p.vue[2]) + 8);
    double colonneCourante = NAN;
    for (std::size_t i = debut; i < fin; ++i) {
        const double x = static_cast<float>(i) * pas;
        const double y = a[i] * echelle;
        const double c = std::floor(p.ox + p.ex * x);
        if (c != colonneCourante || colonnes.empty()) {
            colonneCourante = c;
            colonnes.push_back({x, x, y, y});
            continue;
        }
        Colonne& col = colonnes.back();
        col.x1 = x;
        // NaN samples draw nothing, as a marker at NaN does.
        col.y0 = std::fmin(col.y0, y);
        col.y1 = std::fmax(col.y1, y);
    }
    DessinerParLots(colonnes.size(), [&](std::size_t k, double* s) {
        const Colonne& col = colonnes[k];
        s[0] = col.x1 + DemiCote;
        s[1] = col.y1 + DemiCote;
        s[2] = col.x0 - DemiCote;
        s[3] = col.y1 + DemiCote;
        s[4] = col.x0 - DemiCote;
        s[5] = col.y0 - DemiCote;
        s[6] = col.x1 + DemiCote;
        s[7] = col.y0 - DemiCote;
    });
}

// A joint distribution of many points: one marker per window pixel that some point falls in,
// centred on that pixel (each marker moves by half a pixel at most).
void DessinerConjointeResume(std::span<const double> a, std::span<const double> b, std::size_t M) {
    const PlanFenetre p = LirePlan();
    if (!PlanUtilisable(p)) {
        return;
    }
    // Pixels whose marker can reach the viewport.
    const double bord = std::min(1000.0, std::ceil(DemiCote * std::max(p.ex, p.ey)) + 1);
    const double x0 = p.vue[0] - bord, y0 = p.vue[1] - bord;
    const std::size_t largeur = std::size_t(p.vue[2] + 2 * bord);
    const std::size_t hauteur = std::size_t(p.vue[3] + 2 * bord);
    std::vector<unsigned char> occupe(largeur * hauteur, 0);
    std::vector<std::size_t> cases;
    for (std::size_t i = 0; i < M; ++i) {
        const double cx = std::floor(p.ox + p.ex * a[i] - x0);
        const double cy = std::floor(p.oy + p.ey * b[i] - y0);
        if (!(cx >= 0 && cx < double(largeur) && cy >= 0 && cy < double(hauteur))) {
            continue;
        }
        const std::size_t k = std::size_t(cy) * largeur + std::size_t(cx);
        if (occupe[k] == 0) {
            occupe[k] = 1;
            cases.push_back(k);
        }
    }
    AppliquerCouleur(CouleurMarqueur::Noir);
    DessinerParLots(cases.size(), [&](std::size_t k, double* s) {
        const double cx = double(cases[k] % largeur) + x0 + 0.5;
        const double cy = double(cases[k] / largeur) + y0 + 0.5;
        AjouterMarqueur(s, (cx - p.ox) / p.ex, (cy - p.oy) / p.ey);
    });
}

void Face(const double (&v)[4][3]) {
    glBegin(GL_POLYGON);
    for (const double* sommet : v) {
        glVertex3dv(sommet);
    }
    glEnd();
}

} // namespace

std::uint64_t OctetsTamponsTraces() {
    return Sommets().capacity() * sizeof(double);
}

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
    if (M > SeuilResume) {
        DessinerTemporelResume(a, M, pas, echelle, couleur);
        return;
    }
    AppliquerCouleur(couleur);
    DessinerParLots(M, [&](std::size_t i, double* s) {
        AjouterMarqueur(s, static_cast<float>(i) * pas, a[i] * echelle);
    });
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
    if (M > SeuilResume) {
        DessinerConjointeResume(a, b, M);
        return;
    }
    AppliquerCouleur(CouleurMarqueur::Noir);
    DessinerParLots(M, [&](std::size_t i, double* s) { AjouterMarqueur(s, a[i], b[i]); });
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
