// Helpers of the display tests: a shown window holding panels, and reading back what a
// panel shows.
#pragma once

#include "display/TOpenGLPanel.h"
#include "support/LecturePanneau.h"

#include <QImage>
#include <QTest>
#include <QWidget>

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

// A top-level window that owns the panels placed on it.
struct FenetrePanneaux {
    std::unique_ptr<QWidget> fenetre = std::make_unique<QWidget>();

    FenetrePanneaux() { fenetre->resize(640, 480); }

    template <class Panneau = TOpenGLPanel> Panneau* Ajouter(int x, int y, int w, int h) {
        auto* p = new Panneau(fenetre.get());
        p->setGeometry(x, y, w, h);
        return p;
    }

    bool Montrer() {
        fenetre->show();
        const bool expose = QTest::qWaitForWindowExposed(fenetre.get());
        QCoreApplication::processEvents();
        return expose;
    }
};

// A shown panel initialised by `init` (W, H); each paint runs the drawing given to Peindre,
// and Peindre returns what the panel then shows.
struct PanneauPeint {
    FenetrePanneaux f;
    TOpenGLPanel* p;
    std::function<void()> dessin;

    PanneauPeint(int w, int h, void (*init)(int, int)) : p(f.Ajouter(0, 0, w, h)) {
        p->OnInit = [init](TOpenGLPanel* q) { init(q->LargeurPixels(), q->HauteurPixels()); };
        p->OnResize = [init](TOpenGLPanel* q) { init(q->LargeurPixels(), q->HauteurPixels()); };
        p->OnPaint = [this](TOpenGLPanel*) {
            if (dessin) {
                dessin();
            }
        };
    }
    QImage Peindre(std::function<void()> d) {
        dessin = std::move(d);
        p->Repaint();
        return ImageAffichee(p);
    }
};

// Number of pixels of `image` equal to `couleur` (alpha ignored).
inline int CompterCouleur(const QImage& image, QRgb couleur) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += (image.pixel(x, y) & 0xFFFFFF) == (couleur & 0xFFFFFF);
        }
    }
    return n;
}

// Number of pixels that differ between two images of the same size.
inline int CompterDifferences(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            n += (a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF);
        }
    }
    return n;
}

// Saves the picture under $OVREL_IMAGES_TESTS/<nom>.png when that variable is set, so that
// the pictures can be looked at.
inline void SauverImage(const QImage& image, const char* nom) {
    if (const char* dossier = std::getenv("OVREL_IMAGES_TESTS")) {
        image.save(QString("%1/%2.png").arg(dossier, nom));
    }
}

// Pixel (column, row from the top, fractional) where the eye-space point (xe, ye, ze) lands
// in a W x H panel under the 45-degree perspective of the panels.
inline QPointF ProjeterPixel(double xe, double ye, double ze, int W, int H) {
    const double f = 1.0 / std::tan(22.5 * M_PI / 180.0);
    const double aspect = H == 0 ? W : static_cast<double>(W) / H;
    const double xn = (f / aspect) * xe / -ze;
    const double yn = f * ye / -ze;
    return QPointF((xn + 1.0) * 0.5 * W, H - (yn + 1.0) * 0.5 * H);
}

inline QRgb Pixel(const QImage& image, QPointF p) {
    return image.pixel(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))) &
           0xFFFFFF;
}
