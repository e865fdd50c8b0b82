#include "analyse/PointExact.h"

#include "sivia/Cumulants.h"
#include "sivia/Neguentropie.h"
#include "sivia/Retards.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double Infini = std::numeric_limits<double>::infinity();

// A coefficient is a small integer times a mean, kept apart so that the proof can enclose
// the product whatever its rounding.
struct Terme {
    double Facteur = 0, Moment = 0;
    double Valeur() const { return Facteur * Moment; }
};

enum class Sorte { Sources, Derivees, Moment4 };

// C(x, y) = P(y) + x.Q(y), P[k] and Q[k] the coefficients of y^k.
struct Contrainte {
    Sorte Genre = Sorte::Sources;
    Terme P[4], Q[4];
};

Contrainte Construire(Sorte s, const MomentsMelanges& m) {
    Contrainte c;
    c.Genre = s;
    if (s == Sorte::Moment4) {
        // E[s1.s2^3] = sum over k of C(3, k).y^(3-k).(E[x1^(4-k).x2^k] + x.E[x1^(3-k).x2^(k+1)]).
        const double binome[4] = {1, 3, 3, 1};
        for (int k = 0; k < 4; ++k) {
            c.P[3 - k] = {binome[k], m.Moments4[0][k]};
            c.Q[3 - k] = {binome[k], m.Moments4[1][k]};
        }
        return c;
    }
    const bool d = s == Sorte::Derivees;
    const double a = d ? m.Edx1dx1 : m.Ex1x1, b = d ? m.Edx1dx2 : m.Ex1x2,
                 cc = d ? m.Edx2dx2 : m.Ex2x2;
    c.P[0] = {1, b}, c.P[1] = {1, a};
    c.Q[0] = {1, cc}, c.Q[1] = {1, b};
    return c;
}

double Polynome(const Terme (&t)[4], double y) {
    return ((t[3].Valeur() * y + t[2].Valeur()) * y + t[1].Valeur()) * y + t[0].Valeur();
}
double Derivee(const Terme (&t)[4], double y) {
    return (3 * t[3].Valeur() * y + 2 * t[2].Valeur()) * y + t[1].Valeur();
}

struct Valeur {
    double f, fx, fy; // C and its partial derivatives
};
Valeur Evaluer(const Contrainte& c, PointPlan p) {
    const double q = Polynome(c.Q, p.y);
    return {Polynome(c.P, p.y) + p.x * q, q, Derivee(c.P, p.y) + p.x * Derivee(c.Q, p.y)};
}

double Puissance2(double u, double v, double a, double b, double c) {
    return u * u * a + 2 * u * v * b + v * v * c;
}

// The bound of |C| at (x, y) for s1 = x1 + x.x2 and s2 = y.x1 + x2.
double Echelle(Sorte s, PointPlan p, const MomentsMelanges& m) {
    switch (s) {
    case Sorte::Sources:
        return std::sqrt(MomentMelange2(1, p.x, m) * MomentMelange2(p.y, 1, m));
    case Sorte::Derivees:
        return std::sqrt(Puissance2(1, p.x, m.Edx1dx1, m.Edx1dx2, m.Edx2dx2) *
                         Puissance2(p.y, 1, m.Edx1dx1, m.Edx1dx2, m.Edx2dx2));
    case Sorte::Moment4:
        break;
    }
    return std::pow(MomentMelange4(1, p.x, m), 0.25) * std::pow(MomentMelange4(p.y, 1, m), 0.75);
}

struct Systeme {
    Contrainte A, B;
    // Fixed weights for Newton's damping: the sums of the coefficients' magnitudes.
    double PoidsA = 1, PoidsB = 1;

    // The criterion at a point, as the solver evaluates a box centre (up to rounding).
    double Critere(PointPlan p) const {
        return std::max(std::fabs(Evaluer(A, p).f), std::fabs(Evaluer(B, p).f));
    }
    double Residu(PointPlan p) const {
        return std::max(std::fabs(Evaluer(A, p).f) / PoidsA, std::fabs(Evaluer(B, p).f) / PoidsB);
    }
};

double Poids(const Contrainte& c) {
    double s = 0;
    for (int k = 0; k < 4; ++k) {
        s += std::fabs(c.P[k].Valeur()) + std::fabs(c.Q[k].Valeur());
    }
    return s > 0 && std::isfinite(s) ? s : 1;
}

// The criteria minimised along the lag-0 curve take no part in a pair: they are not brought
// to zero.
bool SurCourbeOrdre0(const ContraintesActives& c) {
    return CritereSurCourbe(c) != CritereCourbe::Aucun;
}

std::optional<Systeme> SystemeDe(const MomentsMelanges& m, const ContraintesActives& c) {
    if (SurCourbeOrdre0(c)) {
        return std::nullopt;
    }
    Systeme s;
    switch (PaireSelectionnee(c)) {
    case PaireCritere::Aucune:
        return std::nullopt;
    case PaireCritere::SourcesDerivees:
        s.A = Construire(Sorte::Sources, m), s.B = Construire(Sorte::Derivees, m);
        break;
    case PaireCritere::SourcesMoment:
        s.A = Construire(Sorte::Sources, m), s.B = Construire(Sorte::Moment4, m);
        break;
    case PaireCritere::DeriveesMoment:
        s.A = Construire(Sorte::Derivees, m), s.B = Construire(Sorte::Moment4, m);
        break;
    }
    s.PoidsA = Poids(s.A), s.PoidsB = Poids(s.B);
    return s;
}

double Norme(PointPlan p) {
    return std::max(std::fabs(p.x), std::fabs(p.y));
}

bool Dans(const RectanglePlan& z, PointPlan p) {
    return z.xmin <= p.x && p.x <= z.xmax && z.ymin <= p.y && p.y <= z.ymax;
}

// Damped Newton steps; true when the steps came down to rounding.
bool Newton(const Systeme& s, PointPlan& p) {
    for (int k = 0; k < 80; ++k) {
        const Valeur a = Evaluer(s.A, p), b = Evaluer(s.B, p);
        const double det = a.fx * b.fy - a.fy * b.fx;
        const PointPlan pas{(b.fy * a.f - a.fy * b.f) / det, (a.fx * b.f - b.fx * a.f) / det};
        if (!std::isfinite(pas.x) || !std::isfinite(pas.y)) {
            return false;
        }
        if (Norme(pas) <= 1e-14 * (1 + Norme(p))) {
            p = {p.x - pas.x, p.y - pas.y};
            return std::isfinite(p.x) && std::isfinite(p.y);
        }
        const double r = s.Residu(p);
        double t = 1;
        PointPlan n{p.x - pas.x, p.y - pas.y};
        while (!(s.Residu(n) < r) && t > 1e-6) {
            t /= 2;
            n = {p.x - t * pas.x, p.y - t * pas.y};
        }
        if (!(s.Residu(n) < r)) {
            // No decrease: at a root the residual is rounding noise and the step tiny.
            return r == 0 || Norme(pas) <= 1e-8 * (1 + Norme(p));
        }
        p = n;
    }
    return false;
}

// The real roots of the resultant in y over [y0, y1], each completed and polished.
std::vector<PointPlan> RacinesResultant(const Systeme& s, double y0, double y1) {
    double R[7] = {};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            R[i + j] +=
                s.A.P[i].Valeur() * s.B.Q[j].Valeur() - s.B.P[i].Valeur() * s.A.Q[j].Valeur();
        }
    }
    const auto r = [&R](double y) {
        double v = 0;
        for (int k = 6; k >= 0; --k) {
            v = v * y + R[k];
        }
        return v;
    };
    std::vector<PointPlan> racines;
    constexpr int Pas = 256;
    double ya = y0, ra = r(ya);
    for (int k = 1; k <= Pas && std::isfinite(ra); ++k) {
        const double yb = y0 + (y1 - y0) * k / Pas, rb = r(yb);
        if (ra == 0 || (ra < 0) != (rb < 0)) {
            double g = ya, d = yb, rg = ra;
            for (int i = 0; i < 200 && rg != 0 && g < d; ++i) {
                const double milieu = g + (d - g) / 2;
                if (milieu <= g || milieu >= d) {
                    break;
                }
                const double rm = r(milieu);
                if ((rm < 0) == (rg < 0)) {
                    g = milieu, rg = rm;
                } else {
                    d = milieu;
                }
            }
            const double qa = Polynome(s.A.Q, g), qb = Polynome(s.B.Q, g);
            PointPlan p{std::fabs(qa) >= std::fabs(qb) ? -Polynome(s.A.P, g) / qa
                                                       : -Polynome(s.B.P, g) / qb,
                        g};
            if (Newton(s, p)) {
                racines.push_back(p);
            }
        }
        ya = yb, ra = rb;
    }
    return racines;
}

// Intervals rounded outward: each bound one step beyond its round-to-nearest value.
struct Sur {
    double lo, hi;
};
double Bas(double v) {
    return std::nextafter(v, -Infini);
}
double Haut(double v) {
    return std::nextafter(v, Infini);
}
Sur Exact(double v) {
    return {v, v};
}
Sur operator+(Sur a, Sur b) {
    return {Bas(a.lo + b.lo), Haut(a.hi + b.hi)};
}
Sur operator-(Sur a, Sur b) {
    return {Bas(a.lo - b.hi), Haut(a.hi - b.lo)};
}
Sur operator*(Sur a, Sur b) {
    const double p[4] = {a.lo * b.lo, a.lo * b.hi, a.hi * b.lo, a.hi * b.hi};
    double lo = p[0], hi = p[0];
    for (const double v : p) {
        // NaN spreads to both bounds, so that no inclusion test passes on it.
        lo = std::isnan(v) || std::isnan(lo) ? NAN : std::min(lo, v);
        hi = std::isnan(v) || std::isnan(hi) ? NAN : std::max(hi, v);
    }
    return {Bas(lo), Haut(hi)};
}

// The polynomial of coefficients t (or of its derivative) over Y, by Horner's scheme.
Sur Polynome(const Terme (&t)[4], Sur y, bool derivee) {
    const auto coef = [&](int k) {
        return derivee ? Exact(k * t[k].Facteur) * Exact(t[k].Moment)
                       : Exact(t[k].Facteur) * Exact(t[k].Moment);
    };
    const int bas = derivee ? 1 : 0;
    Sur v = coef(3);
    for (int k = 2; k >= bas; --k) {
        v = v * y + coef(k);
    }
    return v;
}

// Krawczyk's operator on X = p +/- r: K inside X proves that the two constraints have one
// and only one common zero in X.
bool Krawczyk(const Systeme& s, PointPlan p, double r, RectanglePlan& boite) {
    const Sur X{Bas(p.x - r), Haut(p.x + r)}, Y{Bas(p.y - r), Haut(p.y + r)};
    const Valeur a = Evaluer(s.A, p), b = Evaluer(s.B, p);
    const double det = a.fx * b.fy - a.fy * b.fx;
    const double inv[2][2] = {{b.fy / det, -a.fy / det}, {-b.fx / det, a.fx / det}};
    if (!std::isfinite(inv[0][0] + inv[0][1] + inv[1][0] + inv[1][1])) {
        return false;
    }
    const Sur px = Exact(p.x), py = Exact(p.y);
    const Contrainte* c[2] = {&s.A, &s.B};
    Sur F[2], J[2][2];
    for (int i = 0; i < 2; ++i) {
        F[i] = Polynome(c[i]->P, py, false) + px * Polynome(c[i]->Q, py, false);
        J[i][0] = Polynome(c[i]->Q, Y, false);
        J[i][1] = Polynome(c[i]->P, Y, true) + X * Polynome(c[i]->Q, Y, true);
    }
    const Sur D[2] = {X - px, Y - py};
    const Sur centre[2] = {px, py}, boiteX[2] = {X, Y};
    for (int i = 0; i < 2; ++i) {
        Sur k = centre[i] - (Exact(inv[i][0]) * F[0] + Exact(inv[i][1]) * F[1]);
        for (int j = 0; j < 2; ++j) {
            const Sur m = Exact(i == j ? 1.0 : 0.0) -
                          (Exact(inv[i][0]) * J[0][j] + Exact(inv[i][1]) * J[1][j]);
            k = k + m * D[j];
        }
        if (!(k.lo > boiteX[i].lo && k.hi < boiteX[i].hi)) {
            return false;
        }
    }
    boite = {X.lo, X.hi, Y.lo, Y.hi};
    return true;
}

// The widest box, from a precision down to rounding, where uniqueness can be proven.
bool Prouver(const Systeme& s, PointPlan p, double precision, RectanglePlan& boite) {
    const double plancher = 1e-11 * (1 + Norme(p));
    for (double r = std::max(precision, 10 * plancher); r >= plancher; r /= 10) {
        if (Krawczyk(s, p, r, boite)) {
            return true;
        }
    }
    return false;
}

// Compass search of the relative criterion in the zone, from `p`.
PointPlan Minimiser(PointPlan p, const RectanglePlan& z, const MomentsMelanges& m,
                    const ContraintesActives& c, double pas) {
    double v = CritereRelatif(p, m, c);
    const double plancher = 1e-13 * (1 + Norme(p));
    for (int k = 0; k < 4000 && pas > plancher; ++k) {
        bool mieux = false;
        const PointPlan voisins[4] = {
            {p.x + pas, p.y}, {p.x - pas, p.y}, {p.x, p.y + pas}, {p.x, p.y - pas}};
        for (const PointPlan& n : voisins) {
            const double w = Dans(z, n) ? CritereRelatif(n, m, c) : Infini;
            if (w < v) {
                p = n, v = w, mieux = true;
            }
        }
        if (!mieux) {
            pas /= 2;
        }
    }
    return p;
}

double CritereAuPoint(PointPlan p, const MomentsMelanges& m, const ContraintesActives& c) {
    Box b(2, 0);
    b[1] = Interval(p.x), b[2] = Interval(p.y);
    return EvalCritere(b, m, c)[1].Lower();
}

// The minimiser of the criterion along the lag-0 curve inside the zone (the curve's points
// only: the lag-0 decorrelation holds there exactly). Where the curve misses the zone, the
// decorrelation cannot vanish there: no solution. Without the lagged means the delayed
// criterion is not known: the cluster stands at its centre, a candidate.
PointExact AffinerNeguentropie(const RectanglePlan& zone, const MomentsMelanges& m,
                               const std::shared_ptr<const TableNeguentropie>& table, int pas);
PointExact AffinerSurCourbeOrdre0(PointPlan depart, const RectanglePlan& zone,
                                  const MomentsMelanges& m, const ContraintesActives& c,
                                  const MomentsRetardes& retardes) {
    PointExact e;
    e.Point = depart;
    e.CritereRelatif = NAN;
    const CritereCourbe critere = CritereSurCourbe(c);
    const bool retardee = critere == CritereCourbe::Retards;
    const TableNeguentropie* table = retardes.Neguentropie.get();
    const bool neguentropie = critere == CritereCourbe::Neguentropie;
    if (retardee && retardes.Retards.empty()) {
        e.Critere = CritereAuPoint(depart, m, c);
        e.Solution = true;
        return e;
    }
    if (neguentropie && (table == nullptr || !table->Valide)) {
        // A singular covariance (equal or proportional sources): no negentropy to read, no
        // solution to claim.
        e.Critere = CritereAuPoint(depart, m, c);
        return e;
    }
    constexpr int PasCourbe = 2000;
    if (neguentropie) {
        return AffinerNeguentropie(zone, m, retardes.Neguentropie, PasCourbe);
    }
    // The fourth-order contrasts hold the centred mixtures' curve.
    const PointCourbeOrdre0 p = MinimiserSurCourbeOrdre0(
        retardee ? m : MomentsCentres(m), zone.xmin, zone.xmax, zone.ymin, zone.ymax, PasCourbe,
        [&](double x, double y) {
            return retardee                             ? CritereRetardeAuPoint(x, y, m, retardes)
                   : critere == CritereCourbe::Kurtosis ? CritereKurtosisAuPoint(x, y, m)
                   : critere == CritereCourbe::SommeKurtosis ? CritereSommeKurtosisAuPoint(x, y, m)
                                                             : CritereCumulantsAuPoint(x, y, m);
        });
    if (std::isinf(p.valeur)) {
        e.Critere = Infini;
        return e;
    }
    e.Point = {p.x, p.y};
    e.Methode = MethodePoint::Minimisation;
    e.Critere = p.valeur;
    e.Solution = true;
    return e;
}

// The negentropy reads the samples at each point. The grid along the curve reads its table's
// enclosure [lo, up] (a few millionths wide); where the minimum is flat, several nodes may hold
// it within that width, so every node whose lo does not exceed the smallest up is read with the
// samples (the grid's true minimum is among them), and the best is polished between its
// neighbours.
PointExact AffinerNeguentropie(const RectanglePlan& zone, const MomentsMelanges& m,
                               const std::shared_ptr<const TableNeguentropie>& table, int pas) {
    PointExact e;
    e.CritereRelatif = NAN;
    constexpr double Tout = critere_rapide::Neguentropie::Infini;
    const critere_rapide::Neguentropie n(m, table, {-Tout, Tout}, {-Tout, Tout});
    const MomentsMelanges centres = MomentsCentres(m);
    struct Noeud {
        PointPlan p;
        critere_rapide::Bornes b;
    };
    std::vector<Noeud> noeuds;
    double plusPetitUp = Infini;
    for (const bool enX : {true, false}) {
        const double lo = enX ? zone.xmin : zone.ymin, up = enX ? zone.xmax : zone.ymax;
        for (int k = 0; k <= pas; ++k) {
            const double t = std::min(up, lo + (up - lo) * k / pas);
            const PointPlan p = enX ? PointPlan{t, CourbeOrdre0EnX(t, centres)}
                                    : PointPlan{CourbeOrdre0EnY(t, centres), t};
            if (zone.xmin <= p.x && p.x <= zone.xmax && zone.ymin <= p.y && p.y <= zone.ymax) {
                const critere_rapide::Bornes b = n.Encadrement(p.x, p.y);
                noeuds.push_back({p, b});
                plusPetitUp = std::min(plusPetitUp, b.up);
            }
        }
    }
    if (noeuds.empty()) {
        e.Critere = Infini; // the curve misses the zone
        return e;
    }
    // On a curve flat to the table's width across the whole zone, the nodes of smallest
    // midpoint only: the others are within that width of them.
    std::erase_if(noeuds, [&](const Noeud& v) { return !(v.b.lo <= plusPetitUp); });
    constexpr std::size_t CandidatsMax = 64;
    const auto milieu = [](const Noeud& v) { return v.b.lo + v.b.up; };
    if (noeuds.size() > CandidatsMax) {
        std::ranges::nth_element(noeuds, noeuds.begin() + CandidatsMax, {}, milieu);
        noeuds.resize(CandidatsMax);
    }
    double meilleur = Infini;
    for (const Noeud& v : noeuds) {
        if (const double c = CritereNeguentropieAuPoint(v.p.x, v.p.y, *table); c < meilleur) {
            meilleur = c, e.Point = v.p;
        }
    }
    // Between the best node's neighbours of either parametrisation.
    const double dx = (zone.xmax - zone.xmin) / pas, dy = (zone.ymax - zone.ymin) / pas;
    const PointCourbeOrdre0 p = MinimiserSurCourbeOrdre0(
        centres, std::max(zone.xmin, e.Point.x - dx), std::min(zone.xmax, e.Point.x + dx),
        std::max(zone.ymin, e.Point.y - dy), std::min(zone.ymax, e.Point.y + dy), 8,
        [&](double x, double y) { return CritereNeguentropieAuPoint(x, y, *table); });
    if (p.valeur < meilleur) {
        meilleur = p.valeur, e.Point = {p.x, p.y};
    }
    e.Methode = MethodePoint::Minimisation;
    e.Critere = meilleur;
    e.Solution = std::isfinite(meilleur);
    return e;
}

} // namespace

double MomentMelange2(double u, double v, const MomentsMelanges& m) {
    return Puissance2(u, v, m.Ex1x1, m.Ex1x2, m.Ex2x2);
}

double MomentMelange4(double u, double v, const MomentsMelanges& m) {
    const double e[5] = {m.Moments4[0][0], m.Moments4[0][1], m.Moments4[0][2], m.Moments4[0][3],
                         m.Moments4[1][3]};
    const double binome[5] = {1, 4, 6, 4, 1};
    double s = 0;
    for (int k = 0; k < 5; ++k) {
        s += binome[k] * std::pow(u, 4 - k) * std::pow(v, k) * e[k];
    }
    return s;
}

double CritereRelatif(PointPlan p, const MomentsMelanges& m, const ContraintesActives& c) {
    const std::optional<Systeme> s = SystemeDe(m, c);
    if (!s) {
        return NAN;
    }
    double r = 0;
    for (const Contrainte* k : {&s->A, &s->B}) {
        const double v = std::fabs(Evaluer(*k, p).f) / Echelle(k->Genre, p, m);
        r = std::isnan(v) ? v : std::max(r, v);
        if (std::isnan(r)) {
            return r;
        }
    }
    return r;
}

RectanglePlan EnveloppeElargie(const Amas& a, double precision) {
    const RectanglePlan& h = a.Enveloppe;
    const double mx = std::max(MargePrecisions * precision, MargeRelative * (h.xmax - h.xmin));
    const double my = std::max(MargePrecisions * precision, MargeRelative * (h.ymax - h.ymin));
    return {h.xmin - mx, h.xmax + mx, h.ymin - my, h.ymax + my};
}

PointExact AffinerPoint(PointPlan depart, const RectanglePlan& zone, const MomentsMelanges& m,
                        const ContraintesActives& c, double precision,
                        const MomentsRetardes& retardes) {
    if (SurCourbeOrdre0(c)) {
        return AffinerSurCourbeOrdre0(depart, zone, m, c, retardes);
    }
    PointExact e;
    const std::optional<Systeme> s = SystemeDe(m, c);
    if (!s) {
        e.Point = depart;
        e.Critere = CritereAuPoint(depart, m, c);
        e.CritereRelatif = NAN;
        return e;
    }
    std::vector<PointPlan> racines = RacinesResultant(*s, zone.ymin, zone.ymax);
    PointPlan p = depart;
    if (Newton(*s, p)) {
        racines.push_back(p);
    }
    std::vector<PointPlan> distinctes;
    for (const PointPlan& r : racines) {
        const bool connue = std::any_of(distinctes.begin(), distinctes.end(), [&](PointPlan d) {
            return Norme({d.x - r.x, d.y - r.y}) <= 1e-9 * (1 + Norme(r));
        });
        if (Dans(zone, r) && !connue) {
            distinctes.push_back(r);
        }
    }
    e.NbRacines = int(distinctes.size());
    const auto distance = [&depart](PointPlan r) {
        return std::hypot(r.x - depart.x, r.y - depart.y);
    };
    const auto plusProche =
        std::min_element(distinctes.begin(), distinctes.end(),
                         [&](PointPlan u, PointPlan v) { return distance(u) < distance(v); });
    if (plusProche != distinctes.end()) {
        e.Point = *plusProche;
        e.Methode = MethodePoint::Newton;
        e.Prouve = Prouver(*s, e.Point, precision, e.BoitePreuve);
    } else {
        e.Point = Minimiser(depart, zone, m, c, std::max(precision, 1e-9));
        e.Methode = MethodePoint::Minimisation;
    }
    e.Critere = CritereAuPoint(e.Point, m, c);
    e.CritereRelatif = CritereRelatif(e.Point, m, c);
    e.Solution = e.CritereRelatif <= SeuilNonSolution;
    return e;
}

std::vector<PointExact> AffinerAmas(const std::vector<Amas>& amas, const BoxList& solution,
                                    std::uint32_t premiere, const MomentsMelanges& m,
                                    const ContraintesActives& c, double precision,
                                    const MomentsRetardes& retardes) {
    // The kept box of each cluster with the smallest centre criterion (the first clusters,
    // the largest, when there are very many: the others start from their centre).
    constexpr std::size_t AmasParcourus = 256;
    const std::size_t n = std::min(amas.size(), AmasParcourus);
    std::vector<PointPlan> departs(amas.size());
    std::vector<double> meilleurs(n, Infini);
    for (std::size_t k = 0; k < amas.size(); ++k) {
        departs[k] = amas[k].Centre();
    }
    // Without a pair (the criteria minimised along the lag-0 curve too) a cluster starts
    // from its centre.
    const std::optional<Systeme> s = SystemeDe(m, c);
    for (std::uint32_t i = premiere; s && i < solution.Size(); ++i) {
        const Box& b = solution.At(i);
        const PointPlan centre{(b[1].Lower() + b[1].Upper()) / 2,
                               (b[2].Lower() + b[2].Upper()) / 2};
        for (std::size_t k = 0; k < n; ++k) {
            if (amas[k].Contient(centre)) {
                const double v = s->Critere(centre);
                if (v < meilleurs[k]) {
                    meilleurs[k] = v, departs[k] = centre;
                }
                break;
            }
        }
    }
    std::vector<PointExact> points;
    points.reserve(amas.size());
    for (std::size_t k = 0; k < amas.size(); ++k) {
        points.push_back(AffinerPoint(departs[k], EnveloppeElargie(amas[k], precision), m, c,
                                      precision, retardes));
    }
    return points;
}
