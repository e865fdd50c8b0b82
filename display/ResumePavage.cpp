#include "display/ResumePavage.h"

#include "sivia/BoxList.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace {

constexpr CouleurPavage Fonds[3] = {Jaune, Bleue, Jaune};
constexpr CouleurPavage Contours[3] = {Blanche, Noire, Blanche};

// A box that spans more cells than this is listed once, apart, instead of in every cell.
constexpr int CellulesMax = 16;

bool Finie(const Box& b) {
    return std::isfinite(b[1].Lower()) && std::isfinite(b[1].Upper()) &&
           std::isfinite(b[2].Lower()) && std::isfinite(b[2].Upper());
}

void PaveProjete(TramePavage& t, const ProjectionPavage& p, const Box& b, int liste) {
    const Interval& x = b[1];
    const Interval& y = b[2];
    t.Pave(p.ax * x.Lower() + p.bx, p.ax * x.Upper() + p.bx, p.ay * y.Lower() + p.by,
           p.ay * y.Upper() + p.by, Fonds[liste], Contours[liste]);
}

// A box in the summary raster: one smaller than a cell lights the cell of its lower corner in
// its outline's colour, as its outline would light a pixel of a view that small, at the
// cost of a look-up; a larger one as the view draws it.
void PaveResume(TramePavage& t, const ProjectionPavage& p, const Box& b, int liste) {
    const double x0 = p.ax * b[1].Lower() + p.bx, x1 = p.ax * b[1].Upper() + p.bx;
    const double y0 = p.ay * b[2].Lower() + p.by, y1 = p.ay * b[2].Upper() + p.by;
    if (x1 - x0 < 1.0 && y1 - y0 < 1.0 && x0 >= 0.0 && y0 >= 0.0 && x0 < t.Largeur() &&
        y0 < t.Hauteur()) {
        t.Poser(static_cast<int>(x0), static_cast<int>(y0), Contours[liste]);
        return;
    }
    PaveProjete(t, p, b, liste);
}

void TramerListes(TramePavage& t, const ProjectionPavage& p, const BoxList* listes[3]) {
    for (int l = 0; l < 3; ++l) {
        for (const Box& b : *listes[l]) {
            if (t.Complete()) {
                return;
            }
            PaveProjete(t, p, b, l);
        }
    }
}

} // namespace

ResumePavage::Empreinte ResumePavage::EmpreinteDe(const BoxList& l) {
    Empreinte e;
    e.liste = &l;
    e.taille = l.Size();
    if (!l.IsEmpty()) {
        e.premier = &l.Front();
        e.dernier = &l.Back();
        const Box* extremes[2] = {&l.Front(), &l.Back()};
        for (int k = 0; k < 2; ++k) {
            e.bornes[4 * k] = (*extremes[k])[1].Lower();
            e.bornes[4 * k + 1] = (*extremes[k])[1].Upper();
            e.bornes[4 * k + 2] = (*extremes[k])[2].Lower();
            e.bornes[4 * k + 3] = (*extremes[k])[2].Upper();
        }
    }
    return e;
}

void ResumePavage::Oublier() {
    Construit_ = false;
    IndexComplet_ = false;
    Debuts_ = {};
    Rangs_ = {};
    Grands_ = {};
    Marques_ = {};
    Trame_ = TramePavage();
}

std::uint64_t ResumePavage::Octets() const {
    return Debuts_.capacity() * sizeof(std::uint64_t) + Rangs_.capacity() * 4 +
           Grands_.capacity() * 4 + Marques_.capacity() * 8 + Trame_.Pixels().capacity();
}

int ResumePavage::Colonne(double x) const {
    const double c = (x - X0_) * ParPasX_;
    return c >= 0.0 ? static_cast<int>(std::min(c, Cote_ - 1.0)) : 0;
}

int ResumePavage::Rangee(double y) const {
    const double c = (y - Y0_) * ParPasY_;
    return c >= 0.0 ? static_cast<int>(std::min(c, Cote_ - 1.0)) : 0;
}

template <class Action>
void ResumePavage::Parcourir(const BoxList* listes[3], Action&& action) const {
    std::uint32_t rang = 0;
    for (int l = 0; l < 3; ++l) {
        for (const Box& b : *listes[l]) {
            if (Finie(b)) {
                action(b, l, rang, Colonne(b[1].Lower()), Colonne(b[1].Upper()),
                       Rangee(b[2].Lower()), Rangee(b[2].Upper()));
            }
            ++rang;
        }
    }
}

void ResumePavage::Construire(const BoxList* listes[3]) {
    Oublier();
    std::uint64_t total = 0;
    for (int l = 0; l < 3; ++l) {
        Empreintes_[l] = EmpreinteDe(*listes[l]);
        Tailles_[l] = listes[l]->Size();
        total += Tailles_[l];
    }
    double x0 = std::numeric_limits<double>::infinity(), x1 = -x0, y0 = x0, y1 = -x0;
    for (int l = 0; l < 3; ++l) {
        for (const Box& b : *listes[l]) {
            if (Finie(b)) {
                x0 = std::min(x0, b[1].Lower());
                x1 = std::max(x1, b[1].Upper());
                y0 = std::min(y0, b[2].Lower());
                y1 = std::max(y1, b[2].Upper());
            }
        }
    }
    if (!(x0 <= x1 && y0 <= y1)) {
        x0 = y0 = 0.0;
        x1 = y1 = 1.0;
    }
    // A few boxes per cell on average; a flat hull still gets cells of some size.
    Cote_ = static_cast<int>(std::clamp(std::sqrt(static_cast<double>(total) / 32.0), 1.0, 1024.0));
    X0_ = x0;
    Y0_ = y0;
    PasX_ = std::max(x1 - x0, std::max(std::fabs(x0), 1.0) * 1e-12) / Cote_;
    PasY_ = std::max(y1 - y0, std::max(std::fabs(y0), 1.0) * 1e-12) / Cote_;
    ParPasX_ = 1.0 / PasX_;
    ParPasY_ = 1.0 / PasY_;

    // One pass counts the boxes of each cell and draws the raster; the ranks are placed in
    // the cells by a second pass, on the first paint that needs them.
    const std::size_t cellules = static_cast<std::size_t>(Cote_) * Cote_;
    Debuts_.assign(cellules + 1, 0);
    // Some sixteen boxes per raster cell: most of them then fall on cells already reached,
    // which costs one look-up each.
    Cellules_ = std::min(CoteTrame_, static_cast<int>(std::max(256.0, std::sqrt(total / 16.0))));
    Trame_.Preparer(Cellules_, Cellules_);
    ProjectionPavage q;
    q.ax = Cellules_ / (PasX_ * Cote_);
    q.bx = -X0_ * q.ax;
    q.ay = Cellules_ / (PasY_ * Cote_);
    q.by = -Y0_ * q.ay;
    Parcourir(listes, [&](const Box& b, int l, std::uint32_t rang, int i0, int i1, int j0, int j1) {
        if (!Trame_.Complete()) {
            PaveResume(Trame_, q, b, l);
        }
        if ((i1 - i0 + 1) * (j1 - j0 + 1) > CellulesMax) {
            Grands_.push_back(rang);
            return;
        }
        for (int j = j0; j <= j1; ++j) {
            for (int i = i0; i <= i1; ++i) {
                ++Debuts_[static_cast<std::size_t>(j) * Cote_ + i + 1];
            }
        }
    });
    for (std::size_t c = 0; c < cellules; ++c) {
        Debuts_[c + 1] += Debuts_[c];
    }
    Construit_ = true;
}

void ResumePavage::CompleterIndex(const BoxList* listes[3]) {
    if (IndexComplet_) {
        return;
    }
    const std::size_t cellules = static_cast<std::size_t>(Cote_) * Cote_;
    Rangs_.resize(Debuts_[cellules]);
    Marques_.assign((Tailles_[0] + Tailles_[1] + Tailles_[2] + 63) / 64, 0);
    std::vector<std::uint64_t> places(Debuts_.begin(), Debuts_.end() - 1);
    Parcourir(listes, [&](const Box&, int, std::uint32_t rang, int i0, int i1, int j0, int j1) {
        if ((i1 - i0 + 1) * (j1 - j0 + 1) > CellulesMax) {
            return;
        }
        for (int j = j0; j <= j1; ++j) {
            for (int i = i0; i <= i1; ++i) {
                Rangs_[places[static_cast<std::size_t>(j) * Cote_ + i]++] = rang;
            }
        }
    });
    IndexComplet_ = true;
}

bool ResumePavage::Tramer(TramePavage& trame, const ProjectionPavage& p, const BoxList& enAttente,
                          const BoxList& rejetees, const BoxList& solution) {
    const BoxList* listes[3] = {&enAttente, &rejetees, &solution};
    const std::uint64_t total = std::uint64_t{enAttente.Size()} + rejetees.Size() + solution.Size();
    if (total <= Seuil_ || total > std::numeric_limits<std::uint32_t>::max() ||
        !(p.ax != 0 && p.ay != 0)) {
        if (Construit_) {
            Oublier();
        }
        TramerListes(trame, p, listes);
        return true;
    }
    if (!Construit_ ||
        !(Empreintes_[0] == EmpreinteDe(enAttente) && Empreintes_[1] == EmpreinteDe(rejetees) &&
          Empreintes_[2] == EmpreinteDe(solution))) {
        try {
            Construire(listes);
        } catch (const std::bad_alloc&) {
            // No room for the summary: the whole lists, slowly, rather than nothing.
            Oublier();
            TramerListes(trame, p, listes);
            return true;
        }
    }

    // The parameters the window shows, with a margin of two pixels for the outlines.
    const double W = trame.Largeur(), H = trame.Hauteur();
    const double xa = (-2.0 - p.bx) / p.ax, xb = (W + 2.0 - p.bx) / p.ax;
    const double ya = (-2.0 - p.by) / p.ay, yb = (H + 2.0 - p.by) / p.ay;
    const double vx0 = std::min(xa, xb), vx1 = std::max(xa, xb);
    const double vy0 = std::min(ya, yb), vy1 = std::max(ya, yb);
    const bool dedans =
        vx1 >= X0_ && vx0 <= X0_ + PasX_ * Cote_ && vy1 >= Y0_ && vy0 <= Y0_ + PasY_ * Cote_;
    const int i0 = Colonne(vx0), i1 = Colonne(vx1), j0 = Rangee(vy0), j1 = Rangee(vy1);
    std::uint64_t vus = Grands_.size();
    if (dedans) {
        for (int j = j0; j <= j1 && vus <= Budget_; ++j) {
            const std::size_t ligne = static_cast<std::size_t>(j) * Cote_;
            vus += Debuts_[ligne + i1 + 1] - Debuts_[ligne + i0];
        }
    }

    bool indexe = vus <= Budget_;
    if (indexe) {
        try {
            CompleterIndex(listes);
        } catch (const std::bad_alloc&) {
            indexe = false;
        }
    }
    if (indexe) {
        // Exactly the boxes that can reach the window, in draw order.
        auto marquer = [this](std::uint32_t r) {
            Marques_[r >> 6] |= std::uint64_t{1} << (r & 63);
        };
        for (std::uint32_t r : Grands_) {
            marquer(r);
        }
        if (dedans) {
            for (int j = j0; j <= j1; ++j) {
                const std::size_t ligne = static_cast<std::size_t>(j) * Cote_;
                for (std::uint64_t k = Debuts_[ligne + i0]; k < Debuts_[ligne + i1 + 1]; ++k) {
                    marquer(Rangs_[k]);
                }
            }
        }
        for (std::size_t m = 0; m < Marques_.size(); ++m) {
            std::uint64_t mot = Marques_[m];
            if (mot == 0) {
                continue;
            }
            Marques_[m] = 0;
            while (mot != 0 && !trame.Complete()) {
                const std::uint64_t r = m * 64 + static_cast<unsigned>(__builtin_ctzll(mot));
                mot &= mot - 1;
                int l = 0;
                std::uint64_t position = r;
                while (position >= Tailles_[l]) {
                    position -= Tailles_[l++];
                }
                PaveProjete(trame, p, listes[l]->At(static_cast<std::uint32_t>(position)), l);
            }
        }
        return true;
    }

    // Too many boxes in sight: the summary raster, read at each pixel centre.
    const double parCelleX = Cellules_ / (PasX_ * Cote_), parCelleY = Cellules_ / (PasY_ * Cote_);
    std::vector<int> colonnes(trame.Largeur()), rangees(trame.Hauteur());
    auto cellule = [this](double v) {
        return v >= 0.0 && v < Cellules_ ? static_cast<int>(v) : -1;
    };
    for (int i = 0; i < trame.Largeur(); ++i) {
        colonnes[i] = cellule(((i + 0.5 - p.bx) / p.ax - X0_) * parCelleX);
    }
    for (int j = 0; j < trame.Hauteur(); ++j) {
        rangees[j] = cellule(((j + 0.5 - p.by) / p.ay - Y0_) * parCelleY);
    }
    for (int j = 0; j < trame.Hauteur(); ++j) {
        if (rangees[j] < 0) {
            continue;
        }
        for (int i = 0; i < trame.Largeur(); ++i) {
            if (colonnes[i] >= 0) {
                const CouleurPavage c = Trame_.At(colonnes[i], rangees[j]);
                if (c != Aucune) {
                    trame.Poser(i, j, c);
                }
            }
        }
    }
    return false;
}
