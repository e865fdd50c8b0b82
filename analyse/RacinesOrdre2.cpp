#include "analyse/RacinesOrdre2.h"

#include "interval/Traduction.h"

#include <algorithm>
#include <cmath>

namespace {

using Sym = MatriceSymetrique;

struct Vecteur {
    double p, q;
};

// A null vector of the singular symmetric matrix M, from its larger row.
Vecteur Noyau(const Sym& M) {
    const Vecteur u{M.b, -M.a}, v{M.c, -M.b};
    return std::hypot(u.p, u.q) >= std::hypot(v.p, v.q) ? u : v;
}

// The two decorrelations at (x, y), and Newton steps on them: the eigenvector formula loses
// digits when the eigenvalues are close, the residual then tells which point is better.
struct Systeme {
    Sym C0, C1;
    static double F(const Sym& C, double x, double y) {
        return ((y * C.a + C.b) + (x * y) * C.b) + x * C.c;
    }
    double Residu(PointPlan p) const {
        return std::max(std::fabs(F(C0, p.x, p.y)), std::fabs(F(C1, p.x, p.y)));
    }
    PointPlan Affiner(PointPlan p) const {
        for (int k = 0; k < 3; ++k) {
            const double f0 = F(C0, p.x, p.y), f1 = F(C1, p.x, p.y);
            const double a = C0.b * p.y + C0.c, b = C0.a + C0.b * p.x;
            const double c = C1.b * p.y + C1.c, d = C1.a + C1.b * p.x;
            const double det = a * d - b * c;
            const PointPlan n{p.x - (d * f0 - b * f1) / det, p.y - (a * f1 - c * f0) / det};
            if (!(std::isfinite(n.x) && std::isfinite(n.y) && Residu(n) < Residu(p))) {
                break;
            }
            p = n;
        }
        return p;
    }
};

// w1 = u = (1, x) and w2 = v = (y, 1), up to scale.
std::optional<PointPlan> Racine(const Vecteur& u, const Vecteur& v, const Systeme& s) {
    if (u.p == 0 || v.q == 0) {
        return std::nullopt;
    }
    const PointPlan p{u.q / u.p, v.p / v.q};
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
        return std::nullopt;
    }
    return s.Affiner(p);
}

RacinesOrdre2 Indefinie(CauseIndefinie cause) {
    RacinesOrdre2 r;
    r.Cause = cause;
    return r;
}

} // namespace

std::optional<std::pair<double, double>> ValeursPropresGeneralisees(const MatriceSymetrique& C0,
                                                                    const MatriceSymetrique& C) {
    // det(C - l.C0) = al.l^2 - be.l + ga.
    const double al = C0.a * C0.c - C0.b * C0.b;
    const double be = C.a * C0.c + C.c * C0.a - 2 * C.b * C0.b;
    const double ga = C.a * C.c - C.b * C.b;
    if (!(al > SeuilProportionnalite * C0.a * C0.c)) {
        return std::nullopt;
    }
    // C0 positive definite: real eigenvalues; a negative discriminant is rounding.
    const double racine = std::sqrt(std::max(0.0, be * be - 4 * al * ga));
    const double q = (be + std::copysign(racine, be)) / 2;
    double l1 = q / al, l2 = q != 0 ? ga / q : l1;
    if (l1 > l2) {
        std::swap(l1, l2);
    }
    if (!std::isfinite(l1) || !std::isfinite(l2)) {
        return std::nullopt;
    }
    return std::pair{l1, l2};
}

RacinesOrdre2 CalculerRacinesOrdre2(const MomentsMelanges& m) {
    RacinesOrdre2 r;
    const Systeme s{{m.Ex1x1, m.Ex1x2, m.Ex2x2}, {m.Edx1dx1, m.Edx1dx2, m.Edx2dx2}};
    const Sym &C0 = s.C0, &C1 = s.C1;
    for (const double v : {C0.a, C0.b, C0.c, C1.a, C1.b, C1.c}) {
        if (!std::isfinite(v)) {
            return Indefinie(CauseIndefinie::NonFinis);
        }
    }
    if (!(C0.a > 0 && C0.c > 0)) {
        return Indefinie(CauseIndefinie::MelangeNul);
    }
    // The test on det(C0) is relative: with no tolerance the same signal given twice passed
    // or failed on the last bits of Ex1x2.
    if (!(C0.a * C0.c - C0.b * C0.b > SeuilProportionnalite * C0.a * C0.c)) {
        return Indefinie(CauseIndefinie::MelangesProportionnels);
    }
    const auto valeurs = ValeursPropresGeneralisees(C0, C1);
    if (!valeurs) {
        return Indefinie(CauseIndefinie::ValeurPropreNonFinie);
    }
    const auto [l1, l2] = *valeurs;
    const double echelle = std::max(std::fabs(l1), std::fabs(l2));
    // C1 is a Gram matrix too: a ratio of powers below zero beyond rounding is impossible.
    if (l1 < -1e-9 * echelle) {
        return Indefinie(CauseIndefinie::ValeurPropreNegative);
    }
    r.Lambda1 = l1, r.Lambda2 = l2;
    r.EcartRelatif = echelle > 0 ? (l2 - l1) / echelle : 0;

    const Sym M1{C1.a - l1 * C0.a, C1.b - l1 * C0.b, C1.c - l1 * C0.c};
    const Sym M2{C1.a - l2 * C0.a, C1.b - l2 * C0.b, C1.c - l2 * C0.c};
    const Vecteur v1 = Noyau(M1), v2 = Noyau(M2);
    // C1 = l.C0: no direction is singled out. The square root turns rounding into a gap
    // of about 1e-8 there.
    const double bruit = 1e-12 * (std::fabs(C1.a) + std::fabs(C1.c) + 2 * std::fabs(C1.b));
    if (std::hypot(v1.p, v1.q) <= bruit || std::hypot(v2.p, v2.q) <= bruit ||
        r.EcartRelatif <= 1e-6) {
        r.Etat = Identifiabilite::Nulle;
        return r;
    }
    r.Etat =
        r.EcartRelatif < SeuilIdentifiabilite ? Identifiabilite::Faible : Identifiabilite::Bonne;
    r.Racine1 = Racine(v1, v2, s);
    r.Racine2 = Racine(v2, v1, s);
    return r;
}

const char* NomCause(CauseIndefinie c) {
    switch (c) {
    case CauseIndefinie::Aucune:
        break;
    case CauseIndefinie::NonFinis:
        return "moments_non_finis";
    case CauseIndefinie::MelangeNul:
        return "melange_nul";
    case CauseIndefinie::MelangesProportionnels:
        return "melanges_proportionnels";
    case CauseIndefinie::ValeurPropreNegative:
        return "valeur_propre_negative";
    case CauseIndefinie::ValeurPropreNonFinie:
        return "valeur_propre_non_finie";
    }
    return "";
}

std::string MessageRacines(const RacinesOrdre2& r) {
    if (r.Etat != Identifiabilite::Indefinie) {
        return MessageIdentifiabilite(r.Etat);
    }
    switch (r.Cause) {
    case CauseIndefinie::NonFinis:
        return Traduire(
            "RacinesOrdre2",
            "Racines exactes indéfinies : un moment des mélanges n'est pas un nombre fini.");
    case CauseIndefinie::MelangeNul:
        return Traduire("RacinesOrdre2",
                        "Racines exactes indéfinies : un mélange est nul (mélanges absents).");
    case CauseIndefinie::MelangesProportionnels:
        return Traduire(
            "RacinesOrdre2",
            "Racines exactes indéfinies : les deux mélanges sont proportionnels (sources "
            "égales ou proportionnelles, source muette ou matrice singulière).");
    case CauseIndefinie::ValeurPropreNegative:
    case CauseIndefinie::ValeurPropreNonFinie:
        return Traduire(
            "RacinesOrdre2",
            "Racines exactes indéfinies : les valeurs propres généralisées sont négatives "
            "ou infinies, ce qui n'arrive que sur des moments dégénérés.");
    case CauseIndefinie::Aucune:
        break;
    }
    return MessageIdentifiabilite(r.Etat);
}

std::string MessageIdentifiabilite(Identifiabilite e) {
    switch (e) {
    case Identifiabilite::Indefinie:
        return Traduire(
            "RacinesOrdre2",
            "Racines exactes indéfinies : les moments d'ordre 2 des mélanges sont "
            "dégénérés (mélanges absents, source de puissance nulle ou matrice singulière).");
    case Identifiabilite::Nulle:
        return Traduire("RacinesOrdre2",
                        "Séparation impossible à l'ordre 2 : les deux sources ont le même spectre, "
                        "les contraintes de décorrélation sont vérifiées sur toute une courbe.");
    case Identifiabilite::Faible:
        return Traduire(
            "RacinesOrdre2",
            "Séparation mal identifiable à l'ordre 2 : les spectres des deux sources sont "
            "presque identiques (par exemple deux bruits blancs) ; les solutions sont "
            "étendues et les racines exactes peu fiables.");
    case Identifiabilite::Bonne:
        break;
    }
    return Traduire("RacinesOrdre2",
                    "Séparation identifiable à l'ordre 2 : les spectres des deux sources diffèrent "
                    "assez pour que les deux contraintes de décorrélation fixent la solution.");
}
