// Reads back what an OpenGL panel shows (its presented framebuffer), without painting it.
#pragma once

#include "display/TOpenGLPanel.h"

#include <QImage>

#include <GL/gl.h>

#include <cstdlib>
#include <vector>

inline QImage ImageAffichee(TOpenGLPanel* p) {
    const int w = p->LargeurPixels();
    const int h = p->HauteurPixels();
    std::vector<unsigned char> pixels(static_cast<size_t>(w) * h * 4);
    p->makeCurrent();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    p->doneCurrent();
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const unsigned char* ligne = &pixels[static_cast<size_t>(h - 1 - y) * w * 4];
        for (int x = 0; x < w; ++x) {
            image.setPixel(x, y, qRgb(ligne[4 * x], ligne[4 * x + 1], ligne[4 * x + 2]));
        }
    }
    return image;
}

// Number of pixels of a colour, within a tolerance per channel.
inline int CompterPixels(const QImage& image, QRgb couleur, int tolerance = 40) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qRed(p) - qRed(couleur)) <= tolerance &&
                std::abs(qGreen(p) - qGreen(couleur)) <= tolerance &&
                std::abs(qBlue(p) - qBlue(couleur)) <= tolerance) {
                ++n;
            }
        }
    }
    return n;
}
