#include "sivia/Retards.h"

#include "interval/Traduction.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

bool EstSeparateur(char c) {
    return c == ',' || c == ';' || c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The delay a token names, or the reason it is refused (empty when accepted).
std::string MotifRefus(std::string_view jeton, std::size_t N, const std::vector<int>& vus,
                       int& retard) {
    const std::string_view chiffres = jeton.substr(jeton[0] == '+' || jeton[0] == '-' ? 1 : 0);
    const bool entier =
        !chiffres.empty() &&
        std::all_of(chiffres.begin(), chiffres.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!entier) {
        return Traduire("Retards", "non entier");
    }
    if (jeton[0] == '-' && chiffres.find_first_not_of('0') != std::string_view::npos) {
        return Traduire("Retards", "négatif");
    }
    unsigned long long v = 0;
    const std::errc erreur =
        std::from_chars(chiffres.data(), chiffres.data() + chiffres.size(), v).ec;
    if (erreur == std::errc() && v == 0) {
        return Traduire("Retards", "nul");
    }
    if (erreur != std::errc() || v > N / 2) {
        return RemplirModele(Traduire("Retards", "plus grand que N/2 = %1"),
                             {std::to_string(N / 2)});
    }
    retard = static_cast<int>(v);
    if (std::find(vus.begin(), vus.end(), retard) != vus.end()) {
        return Traduire("Retards", "répété");
    }
    return {};
}

} // namespace

LectureRetards LireRetards(std::string_view texte, std::size_t N) {
    LectureRetards l;
    std::string refus;
    std::size_t i = 0;
    while (i < texte.size()) {
        if (EstSeparateur(texte[i])) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < texte.size() && !EstSeparateur(texte[j])) {
            ++j;
        }
        const std::string_view jeton = texte.substr(i, j - i);
        int retard = 0;
        const std::string motif = MotifRefus(jeton, N, l.Retards, retard);
        if (motif.empty()) {
            l.Retards.push_back(retard);
        } else {
            refus += (refus.empty() ? "" : ", ") + std::string(jeton) + " (" + motif + ")";
        }
        i = j;
    }
    if (!refus.empty()) {
        l.Erreur = RemplirModele(Traduire("Retards", "Retards refusés : %1."), {refus});
    } else if (l.Retards.empty()) {
        l.Erreur = Traduire(
            "Retards", "Aucun retard donné : écrivez des entiers positifs, par exemple 1,2,4,8.");
    }
    if (!l.Erreur.empty()) {
        l.Retards.clear();
    }
    return l;
}

namespace {

// The largest value of q(t) = a + 2.b.t + c.t^2 over [lo, up]: at an end, or at the vertex
// when the parabola opens downward.
double MaxQuadratique(double a, double b, double c, double lo, double up) {
    const auto q = [&](double t) { return (a + 2 * t * b) + t * t * c; };
    double v = std::max(q(lo), q(up));
    if (c < 0) {
        const double t = -b / c;
        if (lo < t && t < up) {
            v = std::max(v, q(t));
        }
    }
    return v;
}

} // namespace

double CritereRetardeAuPoint(double x, double y, const MomentsMelanges& m,
                             const MomentsRetardes& r) {
    constexpr double inf = critere_rapide::DecorrelationRetardee::Infini;
    return critere_rapide::DecorrelationRetardee(m, r, {-inf, inf}, {-inf, inf}).Valeur(x, y);
}

double CourbeOrdre0EnX(double x, const MomentsMelanges& m) {
    return -(m.Ex1x2 + x * m.Ex2x2) / (m.Ex1x1 + x * m.Ex1x2);
}

double CourbeOrdre0EnY(double y, const MomentsMelanges& m) {
    return -(m.Ex1x2 + y * m.Ex1x1) / (m.Ex2x2 + y * m.Ex1x2);
}

namespace critere_rapide {

bool CourbeOrdre0::Croise(Bornes X, Bornes Y) const {
    double lo = 0, up = 0;
    EtendueBilineaire(m_.Ex1x1, m_.Ex1x2, m_.Ex2x2, X, Y, lo, up);
    return !(lo > 0 || up < 0);
}

double CourbeOrdre0::MaxPuissance1(Bornes X) const {
    return MaxQuadratique(m_.Ex1x1, m_.Ex1x2, m_.Ex2x2, X.lo, X.up);
}

double CourbeOrdre0::MaxPuissance2(Bornes Y) const {
    return MaxQuadratique(m_.Ex2x2, m_.Ex1x2, m_.Ex1x1, Y.lo, Y.up);
}

void EtendueBilineaire(double a, double b, double c, Bornes X, Bornes Y, double& lo, double& up) {
    // Bilinear: over a box its extremes are at the corners. A corner's value is off by at most
    // a few roundings of its terms' magnitudes: the range is widened by that.
    const double xs[2] = {X.lo, X.up}, ys[2] = {Y.lo, Y.up};
    const double mx = std::max(std::fabs(X.lo), std::fabs(X.up));
    const double my = std::max(std::fabs(Y.lo), std::fabs(Y.up));
    constexpr double Arrondi = 16 * std::numeric_limits<double>::epsilon();
    lo = DecorrelationRetardee::Infini, up = -DecorrelationRetardee::Infini;
    for (double x : xs) {
        for (double y : ys) {
            const double v = DecorrelationPoint(x, y, a, b, c);
            lo = std::min(lo, v), up = std::max(up, v);
        }
    }
    const double marge =
        Arrondi * ((my * std::fabs(a) + std::fabs(b) * (1 + mx * my)) + mx * std::fabs(c));
    lo -= marge, up += marge;
}

DecorrelationRetardee::DecorrelationRetardee(const MomentsMelanges& m, const MomentsRetardes& r,
                                             Bornes X0, Bornes Y0)
    : courbe_(m, X0, Y0) {
    for (std::size_t k = 0; k < r.Retards.size(); ++k) {
        retards_.push_back({r.R11[k], (r.R12[k] + r.R21[k]) * 0.5, r.R22[k]});
    }
}

bool DecorrelationRetardee::Applicable(const Interval& X, const Interval& Y,
                                       const MomentsMelanges& m, const MomentsRetardes& r) {
    const std::size_t n = r.Retards.size();
    if (r.R11.size() != n || r.R12.size() != n || r.R21.size() != n || r.R22.size() != n) {
        return false;
    }
    for (std::size_t k = 0; k < n; ++k) {
        if (!(Sure(r.R11[k]) && Sure(r.R12[k]) && Sure(r.R21[k]) && Sure(r.R22[k]))) {
            return false;
        }
    }
    return DecorrelationsOrdonnees::Applicable(X, Y, m);
}

double DecorrelationRetardee::Valeur(double x, double y) const {
    double somme = 0;
    for (const Coefficients& k : retards_) {
        const double c = DecorrelationPoint(x, y, k.a, k.b, k.c);
        somme += c * c;
    }
    const double d =
        PuissanceEstimee1(x, courbe_.Moments()) * PuissanceEstimee2(y, courbe_.Moments());
    return d > 0 ? somme / d : std::numeric_limits<double>::quiet_NaN();
}

double DecorrelationRetardee::AuPoint(double xc, double yc) const {
    return courbe_.AuPoint(xc, yc, [this](double x, double y) { return Valeur(x, y); });
}

double DecorrelationRetardee::SurPave(Bornes X, Bornes Y) const {
    if (!courbe_.Croise(X, Y)) {
        return Infini; // the lag-0 decorrelation cannot vanish here
    }
    double somme = 0;
    for (const Coefficients& k : retards_) {
        double lo = 0, up = 0;
        EtendueBilineaire(k.a, k.b, k.c, X, Y, lo, up);
        const double plusPres = lo > 0 ? lo : (up < 0 ? -up : 0.0);
        somme += plusPres * plusPres;
    }
    const double d = courbe_.MaxPuissance1(X) * courbe_.MaxPuissance2(Y);
    const double j = somme / d;
    if (!(d > 0) || !(j >= 0)) {
        return 0.0; // no bound where the powers can vanish
    }
    return BorneAbaissee(j);
}

} // namespace critere_rapide
