#include "analyse/Amas.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numeric>
#include <optional>

namespace {

class Partition {
public:
    explicit Partition(std::size_t n) : Parent_(n), Taille_(n, 1) {
        std::iota(Parent_.begin(), Parent_.end(), 0u);
    }
    std::uint32_t Racine(std::uint32_t i) {
        while (Parent_[i] != i) {
            Parent_[i] = Parent_[Parent_[i]];
            i = Parent_[i];
        }
        return i;
    }
    void Unir(std::uint32_t a, std::uint32_t b) {
        a = Racine(a);
        b = Racine(b);
        if (a == b) {
            return;
        }
        if (Taille_[a] < Taille_[b]) {
            std::swap(a, b);
        }
        Parent_[b] = a;
        Taille_[a] += Taille_[b];
    }

private:
    std::vector<std::uint32_t> Parent_, Taille_;
};

bool SeTouchent(const RectanglePlan& a, const RectanglePlan& b, double e) {
    return a.xmin <= b.xmax + e && b.xmin <= a.xmax + e && a.ymin <= b.ymax + e &&
           b.ymin <= a.ymax + e;
}

double Cote(const RectanglePlan& r) {
    return std::max(r.xmax - r.xmin, r.ymax - r.ymin);
}

bool Fini(const RectanglePlan& r) {
    return std::isfinite(r.xmin) && std::isfinite(r.xmax) && std::isfinite(r.ymin) &&
           std::isfinite(r.ymax);
}

struct Entree {
    std::uint64_t cellule;
    std::uint32_t boite;
};

std::uint64_t Cellule(std::uint64_t i, std::uint64_t j) {
    return (i << 32) | j;
}

// The share of the work done, told to the progress every Pas steps of a loop, each loop
// being a part of the whole: the loop of `n` steps spans [avant, avant + part).
class Progres {
public:
    explicit Progres(const RappelAvancement& rappel) : Rappel_(rappel) {}
    static constexpr std::size_t Pas = std::size_t{1} << 18;
    // False once the progress asked to stop; call it at every step k of a loop of n.
    bool Etape(std::size_t k, std::size_t n, double avant, double part) {
        if (Arrete_) {
            return false;
        }
        if (k % Pas == 0 && k > 0 && Rappel_) {
            Arrete_ = !Rappel_(avant + part * double(k) / double(n));
        }
        return !Arrete_;
    }
    // Tells the share done now, whatever the step; false once told to stop.
    bool Dire(double fait) {
        if (!Arrete_ && Rappel_) {
            Arrete_ = !Rappel_(fait);
        }
        return !Arrete_;
    }

private:
    const RappelAvancement& Rappel_;
    bool Arrete_ = false;
};

// Sorts the entries by cell (column, then row), in place: bucket by bucket on the highest
// digit of the bits the cells use, each bucket then the same way on the next digit, and the
// small ones by comparison. The progress is heard throughout (the bucketing of the whole
// list is its first 40%). False when stopped.
class TriCellules {
public:
    TriCellules(std::vector<Entree>& e, Progres& progres, double avant, double part)
        : E_(e), Progres_(progres), Avant_(avant), Part_(part), N_(double(e.size())) {
        std::uint64_t maxI = 0, maxJ = 0;
        for (const Entree& x : e) {
            maxI = std::max(maxI, x.cellule >> 32);
            maxJ = std::max(maxJ, x.cellule & 0xFFFFFFFFu);
        }
        BitsJ_ = std::bit_width(maxJ);
        Bits_ = std::bit_width(maxI) + BitsJ_;
    }
    bool Trier() { return Trier(0, E_.size(), Bits_, true); }

private:
    static constexpr int Chiffre = 11;
    static constexpr std::size_t Petit = std::size_t{1} << 14;

    std::uint64_t Cle(const Entree& x) const {
        return (x.cellule >> 32) << BitsJ_ | (x.cellule & 0xFFFFFFFFu);
    }
    // One step of the work, `fait` of it done; false once stopped.
    bool Etape(double fait) {
        return ++Etapes_ % Progres::Pas != 0 || Progres_.Dire(Avant_ + Part_ * fait);
    }
    double Fait() const { return 0.4 + 0.6 * double(Faits_) / N_; }

    // Entries [a, b), whose keys agree above bit `haut`.
    bool Trier(std::size_t a, std::size_t b, int haut, bool premier) {
        if (b - a <= Petit || haut <= 0) {
            if (haut > 0) {
                std::sort(E_.begin() + std::ptrdiff_t(a), E_.begin() + std::ptrdiff_t(b),
                          [this](const Entree& u, const Entree& v) { return Cle(u) < Cle(v); });
            }
            Faits_ += b - a;
            return Etape(Fait());
        }
        const int decalage = std::max(0, haut - Chiffre);
        const std::uint64_t masque = (std::uint64_t{1} << (haut - decalage)) - 1;
        const auto chiffre = [&](const Entree& x) { return (Cle(x) >> decalage) & masque; };
        std::vector<std::size_t> debut(masque + 2, a);
        for (std::size_t k = a; k < b; ++k) {
            ++debut[chiffre(E_[k]) + 1];
            if (!Etape(premier ? 0.2 * double(k - a) / N_ : Fait())) {
                return false;
            }
        }
        for (std::size_t s = 1; s < debut.size(); ++s) {
            debut[s] += debut[s - 1] - a;
        }
        // Each entry goes to its bucket once, along the cycles of the permutation.
        std::vector<std::size_t> suivant(debut.begin(), debut.end() - 1);
        std::size_t deplaces = 0;
        for (std::size_t s = 0; s + 1 < debut.size(); ++s) {
            while (suivant[s] < debut[s + 1]) {
                Entree v = E_[suivant[s]];
                for (std::uint64_t d = chiffre(v); d != s; d = chiffre(v)) {
                    std::swap(v, E_[suivant[d]++]);
                    if (!Etape(premier ? 0.2 + 0.2 * double(++deplaces) / N_ : Fait())) {
                        return false;
                    }
                }
                E_[suivant[s]++] = v;
                if (!Etape(premier ? 0.2 + 0.2 * double(++deplaces) / N_ : Fait())) {
                    return false;
                }
            }
        }
        for (std::size_t s = 0; s + 1 < debut.size(); ++s) {
            if (!Trier(debut[s], debut[s + 1], decalage, false)) {
                return false;
            }
        }
        return true;
    }

    std::vector<Entree>& E_;
    Progres& Progres_;
    double Avant_, Part_, N_;
    int BitsJ_ = 0, Bits_ = 0;
    std::size_t Faits_ = 0, Etapes_ = 0;
};

// Regular boxes on a grid: each box sits in the cell of its lower-left corner. A cell is as
// wide as the narrowest box plus the gap, so that the boxes of one cell normally all meet
// (checked: a cell where they do not is compared pair by pair), and boxes that meet sit at
// most kx cells apart in x and ky in y. Two cells whose boxes are each one component are
// joined by the first pair that meets: the work stays linear in the boxes.
bool UnirSurGrille(const std::vector<RectanglePlan>& r, const std::vector<std::uint32_t>& reguliers,
                   double ecart, Partition& p, Progres& progres) {
    if (reguliers.empty()) {
        return true;
    }
    double wmin = INFINITY, hmin = INFINITY, wmax = 0, hmax = 0;
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    for (std::uint32_t k : reguliers) {
        const RectanglePlan& b = r[k];
        wmin = std::min(wmin, b.xmax - b.xmin), wmax = std::max(wmax, b.xmax - b.xmin);
        hmin = std::min(hmin, b.ymax - b.ymin), hmax = std::max(hmax, b.ymax - b.ymin);
        x0 = std::min(x0, b.xmin), y0 = std::min(y0, b.ymin);
        x1 = std::max(x1, b.xmin), y1 = std::max(y1, b.ymin);
    }
    // Cell side and reach along one axis. The margin (far above the rounding of indices
    // below 1e8) keeps boxes of equal size one cell apart at most; the reach stays at most
    // 2 (wider cells, whose boxes are then compared pair by pair).
    const auto axe = [ecart](double cmin, double cmax, double etendue, double& c,
                             std::uint64_t& k) {
        const double marge = 1 + 1e-6, portee = cmax + ecart;
        c = (cmin + ecart) * marge;
        if (!(c > 0) || portee / c > 2) {
            c = portee * marge / 2;
        }
        c = std::max({c, etendue / 1e8, 1e-300});
        k = static_cast<std::uint64_t>(std::ceil(portee / c));
    };
    double cx, cy;
    std::uint64_t kx, ky;
    axe(wmin, wmax, x1 - x0, cx, kx);
    axe(hmin, hmax, y1 - y0, cy, ky);

    std::vector<Entree> e(reguliers.size());
    for (std::size_t k = 0; k < reguliers.size(); ++k) {
        const RectanglePlan& b = r[reguliers[k]];
        e[k] = {Cellule(std::uint64_t((b.xmin - x0) / cx), std::uint64_t((b.ymin - y0) / cy)),
                reguliers[k]};
        if (!progres.Etape(k, reguliers.size(), 0.15, 0.1)) {
            return false;
        }
    }
    if (!TriCellules(e, progres, 0.25, 0.35).Trier()) {
        return false;
    }
    // Runs of one cell: e[debuts[k]] .. e[debuts[k + 1] - 1] hold the boxes of cell k.
    std::vector<std::uint32_t> debuts;
    debuts.reserve(e.size() + 1);
    for (std::size_t k = 0; k < e.size(); ++k) {
        if (k == 0 || e[k].cellule != e[k - 1].cellule) {
            debuts.push_back(static_cast<std::uint32_t>(k));
        }
    }
    const std::size_t nbCellules = debuts.size();
    debuts.push_back(static_cast<std::uint32_t>(e.size()));
    const auto cellule = [&](std::size_t k) { return e[debuts[k]].cellule; };
    const auto touche = [&](std::size_t u, std::size_t v) {
        return SeTouchent(r[e[u].boite], r[e[v].boite], ecart);
    };
    // uni[k]: the boxes of cell k all meet its first box.
    std::vector<std::uint8_t> uni(nbCellules, 1);
    for (std::size_t k = 0; k < nbCellules; ++k) {
        if (!progres.Etape(k, nbCellules, 0.6, 0.1)) {
            return false;
        }
        for (std::size_t u = debuts[k] + 1; u < debuts[k + 1]; ++u) {
            if (touche(debuts[k], u)) {
                p.Unir(e[debuts[k]].boite, e[u].boite);
            } else {
                uni[k] = 0;
            }
        }
        if (!uni[k]) {
            for (std::size_t u = debuts[k]; u < debuts[k + 1]; ++u) {
                for (std::size_t v = u + 1; v < debuts[k + 1]; ++v) {
                    if (touche(u, v)) {
                        p.Unir(e[u].boite, e[v].boite);
                    }
                }
            }
        }
    }
    const auto joindre = [&](std::size_t a, std::size_t b) {
        const bool unis = uni[a] && uni[b];
        if (unis && p.Racine(e[debuts[a]].boite) == p.Racine(e[debuts[b]].boite)) {
            return;
        }
        for (std::size_t u = debuts[a]; u < debuts[a + 1]; ++u) {
            for (std::size_t v = debuts[b]; v < debuts[b + 1]; ++v) {
                if (touche(u, v)) {
                    p.Unir(e[u].boite, e[v].boite);
                    if (unis) {
                        return;
                    }
                }
            }
        }
    };
    // Each cell meets the cells above it in its column and those of the next kx columns;
    // these are visited in increasing order, so one cursor per column offset suffices.
    std::vector<std::size_t> curseur(kx + 1, 0);
    for (std::size_t k = 0; k < nbCellules; ++k) {
        if (!progres.Etape(k, nbCellules, 0.7, 0.15)) {
            return false;
        }
        const std::uint64_t i = cellule(k) >> 32, j = cellule(k) & 0xFFFFFFFFu;
        for (std::size_t q = k + 1; q < nbCellules && cellule(q) <= Cellule(i, j + ky); ++q) {
            joindre(k, q);
        }
        for (std::uint64_t di = 1; di <= kx; ++di) {
            const std::uint64_t bas = Cellule(i + di, j < ky ? 0 : j - ky);
            const std::uint64_t haut = Cellule(i + di, j + ky);
            std::size_t& c = curseur[di];
            while (c < nbCellules && cellule(c) < bas) {
                ++c;
            }
            for (std::size_t q = c; q < nbCellules && cellule(q) <= haut; ++q) {
                joindre(k, q);
            }
        }
    }
    return true;
}

} // namespace

std::vector<Amas> GrouperRectangles(const std::vector<RectanglePlan>& r, double precision,
                                    double ecart) {
    return *GrouperRectangles(r, precision, ecart, RappelAvancement{});
}

std::optional<std::vector<Amas>> GrouperRectangles(const std::vector<RectanglePlan>& r,
                                                   double precision, double ecart,
                                                   const RappelAvancement& avancement) {
    Progres progres(avancement);
    ecart = std::isfinite(ecart) && ecart > 0 ? ecart : 0;
    const std::size_t n = r.size();
    Partition p(n);
    // The median side of up to 4096 boxes spread over the list.
    std::vector<double> cotes;
    const std::size_t pas = std::max<std::size_t>(1, n / 4096);
    for (std::size_t k = 0; k < n; k += pas) {
        if (Fini(r[k])) {
            cotes.push_back(Cote(r[k]));
        }
    }
    double mediane = 0;
    if (!cotes.empty()) {
        std::nth_element(cotes.begin(), cotes.begin() + cotes.size() / 2, cotes.end());
        mediane = cotes[cotes.size() / 2];
    }
    std::vector<std::uint32_t> reguliers, grands;
    reguliers.reserve(n);
    for (std::uint32_t k = 0; k < n; ++k) {
        (Fini(r[k]) && Cote(r[k]) <= 4 * mediane ? reguliers : grands).push_back(k);
        if (!progres.Etape(k, n, 0.1, 0.05)) {
            return std::nullopt;
        }
    }
    if (!UnirSurGrille(r, reguliers, ecart, p, progres)) {
        return std::nullopt;
    }
    for (std::size_t m = 0; m < grands.size(); ++m) {
        const std::uint32_t g = grands[m];
        for (std::uint32_t k = 0; k < n; ++k) {
            if (!progres.Etape(std::size_t(m) * n + k, grands.size() * n, 0.85, 0.05)) {
                return std::nullopt;
            }
            if (k != g && SeTouchent(r[g], r[k], ecart)) {
                p.Unir(g, k);
            }
        }
    }

    std::vector<Amas> amas;
    std::vector<std::uint32_t> numero(n, UINT32_MAX);
    for (std::uint32_t k = 0; k < n; ++k) {
        if (!progres.Etape(k, n, 0.9, 0.1)) {
            return std::nullopt;
        }
        std::uint32_t& m = numero[p.Racine(k)];
        const RectanglePlan& b = r[k];
        if (m == UINT32_MAX) {
            m = static_cast<std::uint32_t>(amas.size());
            amas.push_back({0, b, 0, false});
        }
        Amas& a = amas[m];
        ++a.NbBoites;
        a.Aire += (b.xmax - b.xmin) * (b.ymax - b.ymin);
        a.Enveloppe = {std::min(a.Enveloppe.xmin, b.xmin), std::max(a.Enveloppe.xmax, b.xmax),
                       std::min(a.Enveloppe.ymin, b.ymin), std::max(a.Enveloppe.ymax, b.ymax)};
    }
    for (Amas& a : amas) {
        const double limite = FacteurEtendu * precision;
        a.Etendu = Cote(a.Enveloppe) > limite;
    }
    std::sort(amas.begin(), amas.end(), [](const Amas& a, const Amas& b) {
        if (a.NbBoites != b.NbBoites) {
            return a.NbBoites > b.NbBoites;
        }
        if (a.Enveloppe.xmin != b.Enveloppe.xmin) {
            return a.Enveloppe.xmin < b.Enveloppe.xmin;
        }
        return a.Enveloppe.ymin < b.Enveloppe.ymin;
    });
    return amas;
}

std::vector<RectanglePlan> Rectangles(const BoxList& boites, std::uint32_t premiere) {
    return *Rectangles(boites, premiere, RappelAvancement{});
}

std::optional<std::vector<RectanglePlan>> Rectangles(const BoxList& boites, std::uint32_t premiere,
                                                     const RappelAvancement& avancement) {
    Progres progres(avancement);
    std::vector<RectanglePlan> r;
    if (premiere >= boites.Size()) {
        return r;
    }
    r.reserve(boites.Size() - premiere);
    for (std::uint32_t k = premiere; k < boites.Size(); ++k) {
        if (!progres.Etape(k - premiere, boites.Size() - premiere, 0, 1)) {
            return std::nullopt;
        }
        const Box& b = boites.At(k);
        if (b.Dimension >= 2 && !b.IsEmpty) {
            r.push_back({b[1].Lower(), b[1].Upper(), b[2].Lower(), b[2].Upper()});
        }
    }
    return r;
}

std::vector<Amas> GrouperSolutions(const BoxList& boites, std::uint32_t premiere, double precision,
                                   double ecart) {
    return GrouperRectangles(Rectangles(boites, premiere), precision, ecart);
}

std::optional<std::vector<Amas>> GrouperSolutions(const BoxList& boites, std::uint32_t premiere,
                                                  double precision, double ecart,
                                                  const RappelAvancement& avancement) {
    // A tenth of the work reads the boxes, the rest groups them.
    const auto part = [&avancement](double avant, double etendue) -> RappelAvancement {
        if (!avancement) {
            return {};
        }
        return [&avancement, avant, etendue](double fait) {
            return avancement(avant + etendue * fait);
        };
    };
    const auto r = Rectangles(boites, premiere, part(0, 0.1));
    if (!r) {
        return std::nullopt;
    }
    return GrouperRectangles(*r, precision, ecart, part(0.1, 0.9));
}
