#include "analyse/CarteSir.h"

#include <cmath>
#include <limits>

CarteSir CalculerCarteSir(const RectanglePlan& zone, int largeur, int hauteur, const Matrice2x2& A,
                          const PuissancesSources& P) {
    CarteSir c;
    const double lx = zone.xmax - zone.xmin, ly = zone.ymax - zone.ymin;
    if (!P.Utilisables() || !A.EstConnue() || largeur <= 0 || hauteur <= 0 || !(lx > 0) ||
        !(ly > 0) || !std::isfinite(lx) || !std::isfinite(ly)) {
        return c;
    }
    c.Largeur = largeur, c.Hauteur = hauteur, c.Zone = zone;
    c.Db.resize(std::size_t(largeur) * hauteur);
    for (int j = 0; j < hauteur; ++j) {
        const double y = zone.ymin + (j + 0.5) * ly / hauteur;
        for (int i = 0; i < largeur; ++i) {
            const double x = zone.xmin + (i + 0.5) * lx / largeur;
            const std::optional<double> m = CalculerQualite(x, y, A, P).SirMoyen();
            c.Db[std::size_t(j) * largeur + i] =
                m ? static_cast<float>(*m) : -std::numeric_limits<float>::infinity();
        }
    }
    return c;
}
