#include "analyse/MethodesClassiques.h"

#include "analyse/RacinesOrdre2.h"
#include "interval/Traduction.h"
#include "sivia/Racine2x2.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>

namespace {

// Below this 1 - rho^2 (rho the correlation coefficient of the mixtures) the covariance is
// taken as singular: the mixtures are proportional up to rounding (the same signal read
// twice through a file differs by about 1e-7 relative, giving about 1e-14).
constexpr double SeuilBlanchiment = 1e-10;
// A demixing matrix whose |det| is below this share of its larger diagonal product is
// singular: both estimates would be the same signal.
constexpr double SeuilSingulier = 1e-12;
// Below this share of the matrices' squared norm, the joint-diagonalisation criterion does
// not depend on the angle: every rotation diagonalises them equally (equal spectra, zero
// cumulants).
constexpr double SeuilIndetermine = 1e-12;
// Fewer samples than this give no usable covariance.
constexpr std::size_t EchantillonsMin = 8;

using Sym = Symetrique2x2;

Matrice2x2 Produit(const Matrice2x2& P, const Matrice2x2& Q) {
    return {P.a11 * Q.a11 + P.a12 * Q.a21, P.a11 * Q.a12 + P.a12 * Q.a22,
            P.a21 * Q.a11 + P.a22 * Q.a21, P.a21 * Q.a12 + P.a22 * Q.a22};
}

Matrice2x2 RacineInverse(const Sym& C) {
    const Sym h = Racines(C).Inverse;
    return {h.a, h.b, h.b, h.c};
}

bool Fini(const Matrice2x2& M) {
    return std::isfinite(M.a11) && std::isfinite(M.a12) && std::isfinite(M.a21) &&
           std::isfinite(M.a22);
}

// The centred, whitened mixtures z = Q.(x - mean), with E[z.z^T] = I over the samples.
struct Blanchiment {
    std::vector<double> z1, z2;
    Matrice2x2 Q;
    std::string Erreur; // empty when it worked
};

// One message for both callers, AMUSE's moments and the whitening of the others.
std::string TropPeuDEchantillons(std::size_t n) {
    return RemplirModele(
        Traduire("MethodesClassiques",
                 "Trop peu d'échantillons (%1) pour estimer les covariances des mélanges."),
        {std::to_string(n)});
}

Blanchiment Blanchir(const std::vector<double>& x1, const std::vector<double>& x2, int N) {
    Blanchiment r;
    const std::size_t n = std::min({std::size_t(std::max(N, 0)), x1.size(), x2.size()});
    if (n < EchantillonsMin) {
        r.Erreur = TropPeuDEchantillons(n);
        return r;
    }
    double m1 = 0, m2 = 0;
    for (std::size_t i = 0; i < n; ++i) {
        m1 += x1[i];
        m2 += x2[i];
    }
    m1 /= double(n);
    m2 /= double(n);
    Sym C;
    for (std::size_t i = 0; i < n; ++i) {
        const double u = x1[i] - m1, v = x2[i] - m2;
        C.a += u * u;
        C.b += u * v;
        C.c += v * v;
    }
    C = {C.a / double(n), C.b / double(n), C.c / double(n)};
    if (!std::isfinite(C.a) || !std::isfinite(C.b) || !std::isfinite(C.c)) {
        r.Erreur =
            Traduire("MethodesClassiques",
                     "Blanchiment impossible : les mélanges contiennent des valeurs non finies "
                     "ou trop grandes.");
        return r;
    }
    if (!(C.a > 0 && C.c > 0) || !(1 - (C.b / C.a) * (C.b / C.c) > SeuilBlanchiment)) {
        r.Erreur =
            Traduire("MethodesClassiques",
                     "Blanchiment impossible : la covariance des mélanges est singulière (un "
                     "mélange nul ou constant, ou deux mélanges proportionnels).");
        return r;
    }
    r.Q = RacineInverse(C);
    r.z1.resize(n);
    r.z2.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double u = x1[i] - m1, v = x2[i] - m2;
        r.z1[i] = r.Q.a11 * u + r.Q.a12 * v;
        r.z2[i] = r.Q.a21 * u + r.Q.a22 * v;
    }
    return r;
}

ReponseClassique Echec(MethodeClassique m, std::string message) {
    ReponseClassique r;
    r.Methode = m;
    r.Message = std::move(message);
    return r;
}

// The answer of a demixing matrix W; a singular one gives no point.
ReponseClassique Reponse(MethodeClassique m, const Matrice2x2& W, int iterations, bool converge,
                         std::string message) {
    const PointsSeparation p = NormaliserSeparation(W);
    if (!p.Point) {
        return Echec(
            m, Traduire("MethodesClassiques",
                        "Matrice de séparation singulière ou non finie : les deux estimations "
                        "seraient le même signal."));
    }
    ReponseClassique r;
    r.Methode = m;
    r.Separation = p.Ordonnee;
    r.Point = p.Point;
    r.Permutation = p.Permutation;
    r.Iterations = iterations;
    r.Converge = converge;
    r.Message = std::move(message);
    return r;
}

// Jacobi joint diagonalisation of symmetric 2 x 2 matrices by one Givens rotation
// V = [[c, -s], [s, c]]: the off-diagonal term of V^T.M.V is b.cos 2t - h.sin 2t with
// h = (a - c)/2, so the sum of its squares over the matrices is u^T.G.u with u = (cos 2t,
// sin 2t) and G the sum of g.g^T, g = (b, -h): the best u is the eigenvector of the smaller
// eigenvalue of G (Cardoso & Souloumiac's closed-form angle). Sweeps repeat until the angle
// vanishes; with two sources the first one does the work.
struct Diagonalisation {
    Matrice2x2 V{1, 0, 0, 1};
    int Iterations = 0;
    bool Converge = false;
    bool Determinee = true;
};

Diagonalisation DiagonaliserConjointement(std::vector<Sym> M, int iterationsMax) {
    Diagonalisation d;
    double norme = 0;
    for (const Sym& m : M) {
        norme += m.a * m.a + 2 * m.b * m.b + m.c * m.c;
    }
    while (d.Iterations < iterationsMax) {
        ++d.Iterations;
        double p = 0, q = 0, r = 0;
        for (const Sym& m : M) {
            const double h = (m.a - m.c) / 2;
            p += m.b * m.b;
            q -= m.b * h;
            r += h * h;
        }
        // The gap between G's eigenvalues does not change with the rotation.
        if (d.Iterations == 1 && !(std::hypot(p - r, 2 * q) > SeuilIndetermine * norme)) {
            d.Determinee = false;
            return d;
        }
        double t = std::atan2(2 * q, p - r) / 4 + std::numbers::pi / 4;
        // The angle is defined modulo pi/2 (a quarter turn only swaps the rows).
        t -= std::numbers::pi / 2 * std::round(t / (std::numbers::pi / 2));
        const double c = std::cos(t), s = std::sin(t);
        for (Sym& m : M) {
            const double cs = c * s;
            m = {c * c * m.a + 2 * cs * m.b + s * s * m.c, (c * c - s * s) * m.b - cs * (m.a - m.c),
                 s * s * m.a - 2 * cs * m.b + c * c * m.c};
        }
        d.V = Produit(d.V, {c, -s, s, c});
        if (std::fabs(s) < 1e-12) {
            d.Converge = true;
            break;
        }
    }
    return d;
}

// The demixing matrix V^T.Q of a joint diagonalisation of whitened data.
ReponseClassique ReponseDiagonalisation(MethodeClassique m, const Blanchiment& b,
                                        const std::vector<Sym>& matrices, int iterationsMax,
                                        const std::string& raison) {
    const Diagonalisation d = DiagonaliserConjointement(matrices, iterationsMax);
    if (!d.Determinee) {
        return Echec(m, RemplirModele(Traduire("MethodesClassiques",
                                               "Diagonalisation conjointe indéterminée : %1"),
                                      {raison}));
    }
    const Matrice2x2 Vt{d.V.a11, d.V.a21, d.V.a12, d.V.a22};
    return Reponse(m, Produit(Vt, b.Q), d.Iterations, d.Converge,
                   d.Converge ? ""
                              : Traduire("MethodesClassiques",
                                         "La diagonalisation conjointe n'a pas convergé."));
}

} // namespace

std::string NomMethode(MethodeClassique m) {
    switch (m) {
    case MethodeClassique::Amuse:
        return "AMUSE";
    case MethodeClassique::Sobi:
        return "SOBI";
    case MethodeClassique::FastIca:
        return "FastICA";
    case MethodeClassique::Jade:
        break;
    }
    return "JADE";
}

std::string NomAfficheNonLinearite(NonLineariteIca g) {
    switch (g) {
    case NonLineariteIca::LogCosh:
        return "tanh";
    case NonLineariteIca::Cube:
        return "u³";
    case NonLineariteIca::Gauss:
        break;
    }
    return "gauss";
}

PointsSeparation NormaliserSeparation(const Matrice2x2& W) {
    PointsSeparation p;
    if (!Fini(W)) {
        return p;
    }
    const bool direct = std::fabs(W.a11 * W.a22) >= std::fabs(W.a12 * W.a21);
    p.Ordonnee = direct ? W : Matrice2x2{W.a21, W.a22, W.a11, W.a12};
    const Matrice2x2& o = p.Ordonnee;
    const double diagonale = std::fabs(o.a11 * o.a22);
    if (!(std::fabs(o.a11 * o.a22 - o.a12 * o.a21) > SeuilSingulier * diagonale)) {
        return p;
    }
    const auto point = [](double nx, double dx, double ny, double dy) -> std::optional<PointPlan> {
        if (dx == 0 || dy == 0) {
            return std::nullopt;
        }
        const PointPlan q{nx / dx, ny / dy};
        if (!std::isfinite(q.x) || !std::isfinite(q.y)) {
            return std::nullopt;
        }
        return q;
    };
    p.Point = point(o.a12, o.a11, o.a21, o.a22);
    p.Permutation = point(o.a22, o.a21, o.a11, o.a12);
    return p;
}

ReponseClassique CalculerAmuse(const MomentsMelanges& m, std::size_t echantillons) {
    const MethodeClassique a = MethodeClassique::Amuse;
    if (echantillons < EchantillonsMin) {
        return Echec(a, TropPeuDEchantillons(echantillons));
    }
    // The roots' gauge tests det C0 > 0 with no tolerance: proportional mixtures that differ
    // in the last bits pass it with eigenvalues of any sign. The whitening's test holds them
    // back here.
    const RacinesOrdre2 r = CalculerRacinesOrdre2(m);
    const bool defini = m.Ex1x1 > 0 && m.Ex2x2 > 0 &&
                        1 - (m.Ex1x2 / m.Ex1x1) * (m.Ex1x2 / m.Ex2x2) > SeuilBlanchiment;
    const std::optional<PointPlan>& racine = r.Racine1 ? r.Racine1 : r.Racine2;
    if (!defini) {
        return Echec(a, MessageIdentifiabilite(Identifiabilite::Indefinie));
    }
    if (r.Etat == Identifiabilite::Indefinie || r.Etat == Identifiabilite::Nulle || !racine) {
        return Echec(a, MessageIdentifiabilite(r.Etat));
    }
    return Reponse(a, {1, racine->x, racine->y, 1}, 0, true,
                   r.Etat == Identifiabilite::Faible ? MessageIdentifiabilite(r.Etat) : "");
}

ReponseClassique CalculerSobi(const std::vector<double>& x1, const std::vector<double>& x2, int N,
                              const std::vector<int>& retards, int iterationsMax) {
    const MethodeClassique m = MethodeClassique::Sobi;
    const Blanchiment b = Blanchir(x1, x2, N);
    if (!b.Erreur.empty()) {
        return Echec(m, b.Erreur);
    }
    const std::size_t n = b.z1.size();
    std::string refuses;
    std::set<int> vus;
    for (int t : retards) {
        if (t < 1 || std::size_t(t) > n / 2 || !vus.insert(t).second) {
            refuses += (refuses.empty() ? "" : ", ") + std::to_string(t);
        }
    }
    if (!refuses.empty() || retards.empty()) {
        return Echec(
            m, RemplirModele(
                   Traduire("MethodesClassiques",
                            "Retards refusés : %1 (entiers distincts de 1 à %2 attendus)."),
                   {refuses.empty() ? Traduire("MethodesClassiques", "aucun retard") : refuses,
                    std::to_string(n / 2)}));
    }
    // The symmetrised covariances of the whitened mixtures at each delay.
    std::vector<Sym> R;
    for (int t : retards) {
        double r11 = 0, r12 = 0, r21 = 0, r22 = 0;
        for (std::size_t i = 0; i + std::size_t(t) < n; ++i) {
            const std::size_t j = i + std::size_t(t);
            r11 += b.z1[i] * b.z1[j];
            r12 += b.z1[i] * b.z2[j];
            r21 += b.z2[i] * b.z1[j];
            r22 += b.z2[i] * b.z2[j];
        }
        const double k = double(n - std::size_t(t));
        R.push_back({r11 / k, (r12 + r21) / (2 * k), r22 / k});
    }
    return ReponseDiagonalisation(m, b, R, iterationsMax,
                                  Traduire("MethodesClassiques",
                                           "les covariances retardées sont proportionnelles à "
                                           "l'identité (les deux sources ont le même spectre)."));
}

ReponseClassique CalculerJade(const std::vector<double>& x1, const std::vector<double>& x2, int N,
                              int iterationsMax) {
    const MethodeClassique m = MethodeClassique::Jade;
    const Blanchiment b = Blanchir(x1, x2, N);
    if (!b.Erreur.empty()) {
        return Echec(m, b.Erreur);
    }
    const std::size_t n = b.z1.size();
    double m40 = 0, m31 = 0, m22 = 0, m13 = 0, m04 = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double u = b.z1[i], v = b.z2[i];
        const double uu = u * u, vv = v * v;
        m40 += uu * uu;
        m31 += uu * u * v;
        m22 += uu * vv;
        m13 += u * v * vv;
        m04 += vv * vv;
    }
    const double k = double(n);
    m40 /= k, m31 /= k, m22 /= k, m13 /= k, m04 /= k;
    // Cumulant matrices Q_ij(k, l) = cum(z_i, z_j, z_k, z_l) of whitened real data (E[z.z^T]
    // = I), for the basis e_i.e_j^T; the off-diagonal one counts twice, hence sqrt 2.
    const double r2 = std::numbers::sqrt2;
    const std::vector<Sym> Q{
        {m40 - 3, m31, m22 - 1}, {m22 - 1, m13, m04 - 3}, {r2 * m31, r2 * (m22 - 1), r2 * m13}};
    return ReponseDiagonalisation(
        m, b, Q, iterationsMax,
        Traduire("MethodesClassiques", "les cumulants d'ordre 4 sont nuls (sources gaussiennes)."));
}

ReponseClassique CalculerFastIca(const std::vector<double>& x1, const std::vector<double>& x2,
                                 int N, NonLineariteIca g, int iterationsMax, double tolerance) {
    const MethodeClassique m = MethodeClassique::FastIca;
    const Blanchiment b = Blanchir(x1, x2, N);
    if (!b.Erreur.empty()) {
        return Echec(m, b.Erreur);
    }
    const std::size_t n = b.z1.size();
    // u -> (g(u), g'(u)).
    const auto contraste = [g](double u, double& gu, double& dg) {
        switch (g) {
        case NonLineariteIca::LogCosh: {
            const double t = std::tanh(u);
            gu = t, dg = 1 - t * t;
            return;
        }
        case NonLineariteIca::Cube:
            gu = u * u * u, dg = 3 * u * u;
            return;
        case NonLineariteIca::Gauss: {
            const double e = std::exp(-u * u / 2);
            gu = u * e, dg = (1 - u * u) * e;
            return;
        }
        }
    };
    // A fixed start, away from the axes, so that every run gives the same answer.
    const double t0 = 0.4;
    Matrice2x2 W{std::cos(t0), -std::sin(t0), std::sin(t0), std::cos(t0)};
    double ecart = 0;
    for (int it = 1; it <= iterationsMax; ++it) {
        // w+ = E[z.g(w^T z)] - E[g'(w^T z)].w for each row, then W+ = (W+ W+^T)^(-1/2) W+.
        double e1[2] = {}, e2[2] = {}, d[2] = {};
        const double w[2][2] = {{W.a11, W.a12}, {W.a21, W.a22}};
        for (std::size_t i = 0; i < n; ++i) {
            const double z1 = b.z1[i], z2 = b.z2[i];
            for (int r = 0; r < 2; ++r) {
                double gu = 0, dg = 0;
                contraste(w[r][0] * z1 + w[r][1] * z2, gu, dg);
                e1[r] += gu * z1;
                e2[r] += gu * z2;
                d[r] += dg;
            }
        }
        const double k = double(n);
        const Matrice2x2 P{e1[0] / k - d[0] / k * W.a11, e2[0] / k - d[0] / k * W.a12,
                           e1[1] / k - d[1] / k * W.a21, e2[1] / k - d[1] / k * W.a22};
        const Sym PPt{P.a11 * P.a11 + P.a12 * P.a12, P.a11 * P.a21 + P.a12 * P.a22,
                      P.a21 * P.a21 + P.a22 * P.a22};
        const Matrice2x2 Wn = Produit(RacineInverse(PPt), P);
        if (!Fini(Wn)) {
            return Echec(
                m,
                RemplirModele(Traduire("MethodesClassiques",
                                       "FastICA a divergé (valeurs non finies à l'itération %1)."),
                              {std::to_string(it)}));
        }
        ecart = std::max(std::fabs(1 - std::fabs(Wn.a11 * W.a11 + Wn.a12 * W.a12)),
                         std::fabs(1 - std::fabs(Wn.a21 * W.a21 + Wn.a22 * W.a22)));
        W = Wn;
        if (ecart < tolerance) {
            return Reponse(m, Produit(W, b.Q), it, true, "");
        }
    }
    return Reponse(m, Produit(W, b.Q), iterationsMax, false,
                   RemplirModele(Traduire("MethodesClassiques",
                                          "FastICA n'a pas convergé en %1 itérations (écart %2)."),
                                 {std::to_string(iterationsMax), TexteDecimal(ecart, 2, 'g')}));
}

std::vector<ReponseClassique> CalculerMethodesClassiques(const Melanges& m, int N,
                                                         const OptionsClassiques& o) {
    const auto& x1 = m.Melange1;
    const auto& x2 = m.Melange2;
    const std::size_t n = std::min({std::size_t(std::max(N, 0)), x1.size(), x2.size()});
    return {CalculerAmuse(m.Moments, n), CalculerSobi(x1, x2, N, o.Retards, o.IterationsMax),
            CalculerFastIca(x1, x2, N, o.NonLinearite, o.IterationsMax, o.Tolerance),
            CalculerJade(x1, x2, N, o.IterationsMax)};
}
