#include "display/ResumePavage.h"

#include "sivia/BoxList.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr double Infini = std::numeric_limits<double>::infinity();

bool Finie(const Box& b) {
    return std::isfinite(b[1].Lower()) && std::isfinite(b[1].Upper()) &&
           std::isfinite(b[2].Lower()) && std::isfinite(b[2].Upper());
}

void Bornes(const Box& b, double bornes[4]) {
    bornes[0] = b[1].Lower();
    bornes[1] = b[1].Upper();
    bornes[2] = b[2].Lower();
    bornes[3] = b[2].Upper();
}

// Boxes of the layer, 0 when its list holds fewer than Premiere.
std::uint64_t Taille(const CouchePavage& c) {
    const std::uint32_t n = c.Liste ? c.Liste->Size() : 0;
    return n > c.Premiere ? n - c.Premiere : 0;
}

// Whether the layer's outlines show at this many pixels per parameter unit.
bool ContourVisible(const CouchePavage& c, double pixelsParUnite) {
    if (c.Contour == Aucune) {
        return false;
    }
    if (c.ContourDes <= 0) {
        return true;
    }
    return Taille(c) > 0 && c.Liste->At(c.Premiere).Width() * pixelsParUnite >= c.ContourDes;
}

// One box of a layer, as its view draws it.
void PaveCouche(TramePavage& t, const ProjectionPavage& p, const Box& b, const CouchePavage& c,
                bool contour) {
    double x0 = p.ax * b[1].Lower() + p.bx, x1 = p.ax * b[1].Upper() + p.bx;
    double y0 = p.ay * b[2].Lower() + p.by, y1 = p.ay * b[2].Upper() + p.by;
    if (c.AuMoinsUnPixel) {
        ElargirAuMoins(x0, x1, 1.0);
        ElargirAuMoins(y0, y1, 1.0);
    }
    if (contour && !c.ContourDAbord) {
        t.Pave(x0, x1, y0, y1, c.Fond, c.Contour);
        return;
    }
    const double xa = std::min(x0, x1), xb = std::max(x0, x1);
    const double ya = std::min(y0, y1), yb = std::max(y0, y1);
    if (!Finie(b) || xb < -1 || xa > t.Largeur() + 1 || yb < -1 || ya > t.Hauteur() + 1) {
        return; // outside the raster
    }
    // Without outlines, a box below a pixel most often holds no pixel centre i + 0.5: skipped
    // before the fill, with a margin wider than the fill's snapping of vertices to 1/256 pixel.
    if (!contour && (std::ceil(xa - 0.5 - 1.0 / 128) >= std::ceil(xb - 0.5 + 1.0 / 128) ||
                     std::ceil(ya - 0.5 - 1.0 / 128) >= std::ceil(yb - 0.5 + 1.0 / 128))) {
        return;
    }
    if (contour) {
        t.Contour(x0, x1, y0, y1, c.Contour);
    }
    t.Remplir(x0, x1, y0, y1, c.Fond);
}

// A box in a summary raster: one smaller than a cell lights the cell of its lower corner in
// the colour it shows at that size (its outline's, when outlines show), as it would light a
// pixel of a view that small, at the cost of a look-up; a larger one as the view draws it.
void PaveResume(TramePavage& t, const ProjectionPavage& q, const Box& b, const CouchePavage& c,
                bool contour) {
    const double x0 = q.ax * b[1].Lower() + q.bx, x1 = q.ax * b[1].Upper() + q.bx;
    const double y0 = q.ay * b[2].Lower() + q.by, y1 = q.ay * b[2].Upper() + q.by;
    if (x1 - x0 < 1.0 && y1 - y0 < 1.0 && x0 >= 0.0 && y0 >= 0.0 && x0 < t.Largeur() &&
        y0 < t.Hauteur()) {
        t.Poser(static_cast<int>(x0), static_cast<int>(y0), contour ? c.Contour : c.Fond);
        return;
    }
    PaveCouche(t, q, b, c, contour);
}

} // namespace

std::vector<CouchePavage> ResumePavage::CouchesPanneau(const BoxList& enAttente,
                                                       const BoxList& rejetees,
                                                       const BoxList& solution) {
    // Kept boxes first and at least a pixel wide: none is hidden by its rejected neighbours.
    std::vector<CouchePavage> c(3);
    c[0].Liste = &solution;
    c[0].AuMoinsUnPixel = true;
    c[1].Liste = &enAttente;
    c[1].Croissante = false;
    c[2].Liste = &rejetees;
    c[2].Fond = Bleue;
    c[2].Contour = Noire;
    return c;
}

bool ResumePavage::Empreinte::operator==(const Empreinte& e) const {
    if (W != e.W || H != e.H || ax != e.ax || bx != e.bx || ay != e.ay || by != e.by ||
        chemin != e.chemin || couches.size() != e.couches.size()) {
        return false;
    }
    for (std::size_t k = 0; k < couches.size(); ++k) {
        const Couche &a = couches[k], &b = e.couches[k];
        if (!(a.couche == b.couche) || a.taille != b.taille ||
            std::memcmp(a.premiere, b.premiere, sizeof a.premiere) != 0 ||
            std::memcmp(a.derniere, b.derniere, sizeof a.derniere) != 0) {
            return false;
        }
    }
    return true;
}

void ResumePavage::Oublier() {
    Reprise_ = {};
    Suivis_ = {};
    Cadre_ = false;
    Recadrer_ = false;
    AvecIndice_ = false;
}

std::uint64_t ResumePavage::Octets() const {
    std::uint64_t octets = Suivis_.capacity() * sizeof(Suivi);
    for (const Suivi& s : Suivis_) {
        octets += s.morceaux.capacity() * sizeof(Morceau);
        for (const TramePavage& t : s.trames) {
            octets += t.Pixels().capacity();
        }
    }
    return octets + Reprise_.trame.Pixels().capacity();
}

bool ResumePavage::Concorde(const Suivi& s, const CouchePavage& c) {
    if (!(s.couche == c) || Taille(c) < s.places) {
        return false;
    }
    if (s.places == 0) {
        return true;
    }
    // The boxes summarised are still there: the first and the last of them are unchanged
    // (bit for bit, so that a bound that is not a number compares equal to itself).
    double premiere[4], derniere[4];
    Bornes(c.Liste->At(c.Premiere), premiere);
    Bornes(c.Liste->At(static_cast<std::uint32_t>(c.Premiere + s.places - 1)), derniere);
    return std::memcmp(premiere, s.bornesPremiere, sizeof premiere) == 0 &&
           std::memcmp(derniere, s.bornesDerniere, sizeof derniere) == 0;
}

bool ResumePavage::Commencer(std::span<const CouchePavage> couches) {
    std::uint64_t total = 0;
    std::size_t croissantes = 0;
    for (const CouchePavage& c : couches) {
        total += Taille(c);
        croissantes += c.Croissante ? 1 : 0;
    }
    if (total <= Seuil_ || croissantes == 0) {
        if (Construit()) {
            Oublier();
        }
        return false;
    }
    bool concorde = Suivis_.size() == croissantes;
    for (std::size_t k = 0, i = 0; concorde && k < couches.size(); ++k) {
        if (couches[k].Croissante) {
            concorde = Concorde(Suivis_[i++], couches[k]);
        }
    }
    if (!concorde) {
        const bool indice = AvecIndice_;
        Oublier();
        AvecIndice_ = indice;
        Suivis_.resize(croissantes);
        for (std::size_t k = 0, i = 0; k < couches.size(); ++k) {
            if (couches[k].Croissante) {
                Suivis_[i++].couche = couches[k];
            }
        }
    }
    return true;
}

void ResumePavage::Placer(Suivi& s, std::uint64_t& boites) {
    const CouchePavage& c = s.couche;
    const std::uint64_t taille = Taille(c);
    while (s.places < taille && boites > 0) {
        if (s.morceaux.empty() ||
            s.morceaux.back().fin - s.morceaux.back().debut == BoitesParMorceau) {
            const auto debut = static_cast<std::uint32_t>(c.Premiere + s.places);
            s.morceaux.push_back({Infini, -Infini, Infini, -Infini, debut, debut});
        }
        Morceau& m = s.morceaux.back();
        const std::uint64_t n = std::min(
            {taille - s.places, boites, std::uint64_t{BoitesParMorceau - (m.fin - m.debut)}});
        for (std::uint32_t k = m.fin; k < m.fin + n; ++k) {
            const Box& b = c.Liste->At(k);
            if (Finie(b)) {
                m.x0 = std::min(m.x0, b[1].Lower());
                m.x1 = std::max(m.x1, b[1].Upper());
                m.y0 = std::min(m.y0, b[2].Lower());
                m.y1 = std::max(m.y1, b[2].Upper());
            }
        }
        m.fin += static_cast<std::uint32_t>(n);
        s.places += n;
        boites -= n;
        if (Cadre_ && m.x0 <= m.x1 && (m.x0 < X0_ || m.x1 > X1_ || m.y0 < Y0_ || m.y1 > Y1_)) {
            Recadrer_ = true; // the raster misses this box: frame it again
        }
    }
    if (s.places > 0) {
        Bornes(c.Liste->At(c.Premiere), s.bornesPremiere);
        Bornes(c.Liste->At(static_cast<std::uint32_t>(c.Premiere + s.places - 1)),
               s.bornesDerniere);
    }
}

void ResumePavage::Cadrer() {
    double x0 = Infini, x1 = -Infini, y0 = Infini, y1 = -Infini;
    if (AvecIndice_) {
        x0 = Indice_[0], x1 = Indice_[1], y0 = Indice_[2], y1 = Indice_[3];
    }
    for (const Suivi& s : Suivis_) {
        for (const Morceau& m : s.morceaux) {
            if (m.x0 <= m.x1) {
                x0 = std::min(x0, m.x0), x1 = std::max(x1, m.x1);
                y0 = std::min(y0, m.y0), y1 = std::max(y1, m.y1);
            }
        }
    }
    if (!(x0 <= x1 && y0 <= y1)) {
        x0 = y0 = 0.0;
        x1 = y1 = 1.0;
    }
    X0_ = x0, X1_ = x1, Y0_ = y0, Y1_ = y1;
    // A flat frame still gets cells of some size.
    PasX_ = std::max(x1 - x0, std::max(std::fabs(x0), 1.0) * 1e-12) / CoteTrame_;
    PasY_ = std::max(y1 - y0, std::max(std::fabs(y0), 1.0) * 1e-12) / CoteTrame_;
    for (Suivi& s : Suivis_) {
        for (int n = 0; n < Niveaux(); ++n) {
            s.trames[n].Preparer(CoteTrame_ >> n, CoteTrame_ >> n);
            s.contourTrame[n] = ContourVisible(s.couche, 1.0 / (PasX_ * (1 << n)));
        }
        s.tramees = 0;
    }
    Cadre_ = true;
    Recadrer_ = false;
}

int ResumePavage::Niveaux() const {
    int n = 1;
    while (n < NiveauxTrame && (CoteTrame_ >> n) >= 16) {
        ++n;
    }
    return n;
}

void ResumePavage::TramerSuivi(Suivi& s, std::uint64_t& boites) {
    const std::uint64_t n = std::min(s.places - s.tramees, boites);
    const auto debut = static_cast<std::uint32_t>(s.couche.Premiere + s.tramees);
    for (int niveau = 0; niveau < Niveaux(); ++niveau) {
        ProjectionPavage q;
        q.ax = 1.0 / (PasX_ * (1 << niveau));
        q.bx = -X0_ * q.ax;
        q.ay = 1.0 / (PasY_ * (1 << niveau));
        q.by = -Y0_ * q.ay;
        TramePavage& t = s.trames[niveau];
        for (std::uint32_t k = debut; k < debut + n && !t.Complete(); ++k) {
            PaveResume(t, q, s.couche.Liste->At(k), s.couche, s.contourTrame[niveau]);
        }
    }
    s.tramees += n;
    boites -= n;
}

bool ResumePavage::AJour() const {
    if (!Cadre_ || Recadrer_) {
        return false;
    }
    for (const Suivi& s : Suivis_) {
        if (s.places < Taille(s.couche) || s.tramees < s.places) {
            return false;
        }
    }
    return true;
}

bool ResumePavage::Suivre(std::span<const CouchePavage> couches, std::uint64_t boites,
                          const Box* cadre) {
    const bool suivre = Commencer(couches);
    if (cadre != nullptr && cadre->Dimension >= 2) {
        double b[4];
        Bornes(*cadre, b);
        AvecIndice_ = std::isfinite(b[0]) && std::isfinite(b[1]) && std::isfinite(b[2]) &&
                      std::isfinite(b[3]) && b[0] <= b[1] && b[2] <= b[3];
        std::memcpy(Indice_, b, sizeof b);
        if (suivre && Cadre_ && AvecIndice_ &&
            (b[0] < X0_ || b[1] > X1_ || b[2] < Y0_ || b[3] > Y1_)) {
            Recadrer_ = true;
        }
    }
    if (!suivre) {
        return true;
    }
    // The hulls of the runs first: they are cheap, and they give the rasters their frame.
    for (Suivi& s : Suivis_) {
        Placer(s, boites);
    }
    bool places = true;
    for (const Suivi& s : Suivis_) {
        places = places && s.places == Taille(s.couche);
    }
    if (places && (!Cadre_ || Recadrer_)) {
        Cadrer();
    }
    if (Cadre_) {
        for (Suivi& s : Suivis_) {
            TramerSuivi(s, boites);
        }
    }
    return AJour();
}

EtatTrame ResumePavage::Tramer(TramePavage& trame, const ProjectionPavage& p,
                               const BoxList& enAttente, const BoxList& rejetees,
                               const BoxList& solution, const Box* cadre) {
    return Tramer(trame, p, CouchesPanneau(enAttente, rejetees, solution), cadre);
}

EtatTrame ResumePavage::Tramer(TramePavage& trame, const ProjectionPavage& p,
                               std::span<const CouchePavage> couches, const Box* cadre) {
    const double parUnite = std::fabs(p.ax);
    std::uint64_t total = 0;
    for (const CouchePavage& c : couches) {
        total += Taille(c);
    }
    // Every box, in order, or the summary (its runs in sight, or its rasters).
    const bool direct = total <= Seuil_ || !(p.ax != 0 && p.ay != 0);
    if (direct) {
        if (Construit()) {
            Oublier();
        }
    } else {
        // Lists that changed other than by growing are summarised again from the start.
        Commencer(couches);
        if (!AJour()) {
            Suivre(couches, Pas_, cadre);
        }
    }

    // The parameters the window shows, with a margin of two pixels for the outlines.
    const double W = trame.Largeur(), H = trame.Hauteur();
    const double xa = (-2.0 - p.bx) / p.ax, xb = (W + 2.0 - p.bx) / p.ax;
    const double ya = (-2.0 - p.by) / p.ay, yb = (H + 2.0 - p.by) / p.ay;
    const double vx0 = std::min(xa, xb), vx1 = std::max(xa, xb);
    const double vy0 = std::min(ya, yb), vy1 = std::max(ya, yb);
    const auto enVue = [&](double x0, double x1, double y0, double y1) {
        return x1 >= vx0 && x0 <= vx1 && y1 >= vy0 && y0 <= vy1;
    };
    std::uint64_t parcourues = 0;
    for (const Suivi& s : Suivis_) {
        for (const Morceau& m : s.morceaux) {
            if (enVue(m.x0, m.x1, m.y0, m.y1)) {
                parcourues += m.fin - m.debut;
            }
        }
    }
    const bool exacte = direct || parcourues <= Budget_;

    // Summary cells under the pixel centres, for the sampled path, in the raster whose
    // cells are closest to the view's pixels.
    std::vector<int> colonnes, rangees;
    int niveau = 0;
    if (!exacte && Cadre_) {
        const double cellulesParPixel = 1.0 / (std::fabs(p.ax) * PasX_);
        niveau = std::clamp(static_cast<int>(std::lround(std::log2(cellulesParPixel))), 0,
                            Niveaux() - 1);
        const double pasX = PasX_ * (1 << niveau), pasY = PasY_ * (1 << niveau);
        const int cote = CoteTrame_ >> niveau;
        colonnes.resize(trame.Largeur());
        rangees.resize(trame.Hauteur());
        const auto cellule = [cote](double v) {
            return v >= 0.0 && v < cote ? static_cast<int>(v) : -1;
        };
        for (int i = 0; i < trame.Largeur(); ++i) {
            colonnes[i] = cellule(((i + 0.5 - p.bx) / p.ax - X0_) / pasX);
        }
        for (int j = 0; j < trame.Hauteur(); ++j) {
            rangees[j] = cellule(((j + 0.5 - p.by) / p.ay - Y0_) / pasY);
        }
    }

    // Goes on with the picture of the previous paint when it stopped on its budget while
    // drawing the same thing.
    Empreinte empreinte{trame.Largeur(),
                        trame.Hauteur(),
                        p.ax,
                        p.bx,
                        p.ay,
                        p.by,
                        direct ? 0 : (exacte ? 1 : 2),
                        {}};
    for (const CouchePavage& c : couches) {
        Empreinte::Couche e{c, Taille(c), {}, {}};
        if (e.taille > 0) {
            Bornes(c.Liste->At(c.Premiere), e.premiere);
            Bornes(c.Liste->At(static_cast<std::uint32_t>(c.Premiere + e.taille - 1)), e.derniere);
        }
        empreinte.couches.push_back(e);
    }
    EtatTrame etat = exacte ? EtatTrame::Exacte : EtatTrame::Echantillonnee;
    std::size_t premiereCouche = 0;
    std::uint64_t premiereBoite = 0;
    if (Reprise_.active && Reprise_.empreinte == empreinte) {
        trame = Reprise_.trame;
        etat = Reprise_.etat;
        premiereCouche = Reprise_.couche;
        premiereBoite = Reprise_.boite;
    }
    Reprise_.active = false;
    std::uint64_t budget = Peinture_;
    // Box k of layer i, unless the budget is spent: then the picture so far is kept.
    const auto paver = [&](std::size_t i, std::uint64_t k, bool contour) {
        if (budget == 0) {
            Reprise_.active = true;
            Reprise_.empreinte = std::move(empreinte);
            Reprise_.etat = etat;
            Reprise_.couche = i;
            Reprise_.boite = k;
            Reprise_.trame = trame;
            return false;
        }
        --budget;
        const CouchePavage& c = couches[i];
        PaveCouche(trame, p, c.Liste->At(static_cast<std::uint32_t>(c.Premiere + k)), c, contour);
        return true;
    };

    std::size_t suivi = 0;
    for (std::size_t i = 0; i < couches.size(); ++i) {
        const CouchePavage& c = couches[i];
        const bool croissante = !direct && c.Croissante;
        const Suivi* s = croissante ? &Suivis_[suivi++] : nullptr;
        if (i < premiereCouche) {
            continue;
        }
        const std::uint64_t debut = i == premiereCouche ? premiereBoite : 0;
        const bool contour = ContourVisible(c, parUnite);
        if (!croissante) {
            const std::uint64_t n = direct ? Taille(c) : std::min(Taille(c), Budget_);
            for (std::uint64_t k = debut; k < n && !trame.Complete(); ++k) {
                if (!paver(i, k, contour)) {
                    return EtatTrame::Partielle;
                }
            }
            if (n < Taille(c) && etat == EtatTrame::Exacte) {
                etat = EtatTrame::Echantillonnee;
            }
            continue;
        }
        if (exacte) {
            // Exactly the runs that can reach the window, in draw order.
            for (const Morceau& m : s->morceaux) {
                if (m.fin <= c.Premiere + debut || !enVue(m.x0, m.x1, m.y0, m.y1)) {
                    continue;
                }
                const std::uint64_t k0 = std::max<std::uint64_t>(m.debut, c.Premiere + debut);
                for (std::uint64_t k = k0; k < m.fin && !trame.Complete(); ++k) {
                    const Box& b = c.Liste->At(static_cast<std::uint32_t>(k));
                    if (enVue(b[1].Lower(), b[1].Upper(), b[2].Lower(), b[2].Upper()) &&
                        !paver(i, k - c.Premiere, contour)) {
                        return EtatTrame::Partielle;
                    }
                }
            }
        } else if (Cadre_) {
            // Too many boxes in sight: the layer's raster, read at each pixel centre.
            for (int j = 0; j < trame.Hauteur(); ++j) {
                if (rangees[j] < 0) {
                    continue;
                }
                for (int k = 0; k < trame.Largeur(); ++k) {
                    if (colonnes[k] >= 0) {
                        const CouleurPavage couleur = s->trames[niveau].At(colonnes[k], rangees[j]);
                        if (couleur != Aucune) {
                            trame.Poser(k, j, couleur);
                        }
                    }
                }
            }
        }
        if (s->places < Taille(c) ||
            (!exacte && (!Cadre_ || Recadrer_ || s->tramees < s->places))) {
            etat = EtatTrame::Partielle;
        }
    }
    return etat;
}
