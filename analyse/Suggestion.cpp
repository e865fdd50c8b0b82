#include "analyse/Suggestion.h"

#include "analyse/PointExact.h"
#include "sivia/Cumulants.h"
#include "sivia/Retards.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

std::optional<double> Kurtosis(double m2, double m4) {
    const double k = m4 / (m2 * m2) - 3;
    if (!(m2 > 0) || !std::isfinite(k)) {
        return std::nullopt;
    }
    return k;
}

std::string TexteRetards(const std::vector<int>& retards) {
    if (retards.empty()) {
        return "";
    }
    return "retards " + std::to_string(retards.front()) + " à " + std::to_string(retards.back());
}

} // namespace

std::optional<double> KurtosisEstimee1(const MomentsMelanges& m, PointPlan p) {
    return Kurtosis(MomentMelange2(1, p.x, m), MomentMelange4(1, p.x, m));
}

std::optional<double> KurtosisEstimee2(const MomentsMelanges& m, PointPlan p) {
    return Kurtosis(MomentMelange2(p.y, 1, m), MomentMelange4(p.y, 1, m));
}

Suggestion SuggererContraintes(const MomentsMelanges& m, const std::optional<PointPlan>& point,
                               const std::vector<CovarianceRetardee>& retards) {
    Suggestion s;
    const RacinesOrdre2 r = CalculerRacinesOrdre2(m);
    if (r.Etat == Identifiabilite::Indefinie) {
        s.Jeu = JeuContraintes::Aucun;
        s.Message = MessageRacines(r) + " Aucun jeu de contraintes ne peut séparer ces mélanges.";
        return s;
    }
    const PointPlan p = point ? *point : r.Racine1 ? *r.Racine1 : PointPlan{0, 0};
    s.Kurtosis1 = KurtosisEstimee1(m, p);
    s.Kurtosis2 = KurtosisEstimee2(m, p);
    const MatriceSymetrique C0{m.Ex1x1, m.Ex1x2, m.Ex2x2};
    std::vector<int> utiles;
    for (const CovarianceRetardee& c : retards) {
        if (const auto l = ValeursPropresGeneralisees(C0, c.C)) {
            const double ecart = l->second - l->first;
            s.EcartRetards = std::max(s.EcartRetards.value_or(0), ecart);
            if (ecart >= SeuilEcartRetards) {
                utiles.push_back(c.Retard);
            }
        }
    }
    if (r.Etat == Identifiabilite::Bonne) {
        s.Message = "Les spectres des deux sources diffèrent : la décorrélation des sources et "
                    "de leurs dérivées suffit.";
        return s;
    }
    const bool ordre4 = std::max(std::fabs(s.Kurtosis1.value_or(0)),
                                 std::fabs(s.Kurtosis2.value_or(0))) >= SeuilKurtosis;
    const bool retardsConnus = !retards.empty();
    if (!utiles.empty()) {
        s.Jeu = JeuContraintes::Retards;
        std::sort(utiles.begin(), utiles.end());
        s.Retards = utiles;
        s.Message = "Les spectres des deux sources se ressemblent aux petits retards mais "
                    "diffèrent plus loin : essayez la décorrélation retardée (" +
                    TexteRetards(utiles) + ").";
    } else if (ordre4) {
        s.Jeu = JeuContraintes::Ordre4;
        s.Contraintes = {false, true, true};
        s.Message = retardsConnus
                        ? "Les spectres des deux sources se ressemblent à tous les retards : "
                          "essayez le moment d'ordre 4."
                        : "Les spectres des deux sources se ressemblent : essayez la "
                          "décorrélation retardée (retards 1 à 8) ou le moment d'ordre 4.";
    } else if (!retardsConnus) {
        s.Jeu = JeuContraintes::Retards;
        s.Retards = {1, 2, 3, 4, 5, 6, 7, 8};
        s.Message = "Les spectres des deux sources se ressemblent et leurs lois sont proches "
                    "de la loi normale : essayez la décorrélation retardée (retards 1 à 8) ; "
                    "le moment d'ordre 4 ne les distinguera pas.";
    } else {
        s.Jeu = JeuContraintes::Aucun;
        s.Message = "Ni les spectres ni les lois des deux sources ne les distinguent : aucun "
                    "jeu de contraintes ne peut les séparer.";
    }
    return s;
}

BoiteProposee ProposerBoite(const std::vector<std::optional<PointPlan>>& points,
                            const RectanglePlan& defaut) {
    BoiteProposee b{defaut};
    for (const std::optional<PointPlan>& p : points) {
        if (!p || !std::isfinite(p->x) || !std::isfinite(p->y)) {
            continue;
        }
        if (std::max(std::fabs(p->x), std::fabs(p->y)) > DemiCoteMaxBoite) {
            b.Complete = false;
            continue;
        }
        const auto etendre = [](double v, double& lo, double& hi) {
            const double marge = std::max(1.0, MargeBoite * std::fabs(v));
            lo = std::min(lo, v - marge);
            hi = std::max(hi, v + marge);
        };
        if (!(defaut.xmin <= p->x && p->x <= defaut.xmax && defaut.ymin <= p->y &&
              p->y <= defaut.ymax)) {
            etendre(p->x, b.Boite.xmin, b.Boite.xmax);
            etendre(p->y, b.Boite.ymin, b.Boite.ymax);
            b.Modifiee = true;
        }
    }
    return b;
}

namespace {

// The point of the lag-0 curve at angle t: the whitened mixtures turned by t, brought to the
// model's form. The curve is the set of such points for t in [0, pi/2) (a quarter turn swaps
// the estimates). nullopt where a diagonal entry vanishes.
std::optional<PointPlan> PointAngle(double t, const MomentsMelanges& m) {
    // C^(-1/2) of C = [[a, b], [b, c]] by its closed form: (C + sqrt(det).I) / (s.sqrt(det)),
    // s = sqrt(a + c + 2.sqrt(det)).
    const double a = m.Ex1x1, b = m.Ex1x2, c = m.Ex2x2, r = std::sqrt(a * c - b * b);
    const double k = 1 / (std::sqrt(a + c + 2 * r) * r);
    const double h11 = (c + r) * k, h12 = -b * k, h22 = (a + r) * k;
    const double co = std::cos(t), si = std::sin(t);
    const double w11 = co * h11 - si * h12, w12 = co * h12 - si * h22;
    const double w21 = si * h11 + co * h12, w22 = si * h12 + co * h22;
    if (w11 == 0 || w22 == 0 || !std::isfinite(w12 / w11) || !std::isfinite(w21 / w22)) {
        return std::nullopt;
    }
    return PointPlan{w12 / w11, w21 / w22};
}

// The minimiser of f along the whole lag-0 curve: a grid of angles, then a golden-section
// search between the best node's neighbours.
template <class F> std::optional<PointPlan> MinimiserSurQuartDeTour(const MomentsMelanges& m, F f) {
    const auto valeur = [&](double t) {
        const auto p = PointAngle(t, m);
        const double v = p ? f(p->x, p->y) : NAN;
        return v >= 0 ? v : INFINITY;
    };
    constexpr int Pas = 720;
    const double h = std::acos(-1.0) / 2 / Pas;
    int kMin = 0;
    for (int k = 1; k < Pas; ++k) {
        if (valeur(k * h) < valeur(kMin * h)) {
            kMin = k;
        }
    }
    double g = (kMin - 1) * h, d = (kMin + 1) * h;
    const double r = 0.6180339887498949;
    for (int i = 0; i < 60; ++i) {
        const double u = d - r * (d - g), v = g + r * (d - g);
        if (valeur(u) < valeur(v)) {
            d = v;
        } else {
            g = u;
        }
    }
    return std::isinf(valeur((g + d) / 2)) ? std::nullopt : PointAngle((g + d) / 2, m);
}

// Each set's point from one part of the mixtures.
std::optional<PointPlan> PointDuJeu(JeuContraintes jeu, const Melanges& m,
                                    const std::vector<int>& retards) {
    switch (jeu) {
    case JeuContraintes::Ordre2:
        return CalculerRacinesOrdre2(m.Moments).Racine1;
    case JeuContraintes::Retards: {
        const MomentsRetardes r = CalculerMomentsRetardes(m.Melange1, m.Melange2, retards);
        return MinimiserSurQuartDeTour(m.Moments, [&](double x, double y) {
            return CritereRetardeAuPoint(x, y, m.Moments, r);
        });
    }
    case JeuContraintes::Cumulants:
        return MinimiserSurQuartDeTour(MomentsCentres(m.Moments), [&](double x, double y) {
            return CritereCumulantsAuPoint(x, y, m.Moments);
        });
    case JeuContraintes::Kurtosis:
        return MinimiserSurQuartDeTour(MomentsCentres(m.Moments), [&](double x, double y) {
            return CritereKurtosisAuPoint(x, y, m.Moments);
        });
    case JeuContraintes::Ordre4:
    case JeuContraintes::Aucun:
        break;
    }
    return std::nullopt;
}

Melanges Moitie(const Melanges& m, int k) {
    const std::size_t n = std::min(m.Melange1.size(), m.Melange2.size()) / 2;
    const auto debut = std::ptrdiff_t(k * n), fin = std::ptrdiff_t((k + 1) * n);
    return MelangesObserves({m.Melange1.begin() + debut, m.Melange1.begin() + fin},
                            {m.Melange2.begin() + debut, m.Melange2.begin() + fin}, 1.0f);
}

} // namespace

double AccordPointsDb(PointPlan a, PointPlan b, const MomentsMelanges& m) {
    // P = Wa.Wb^-1 maps b's estimates to a's; each of a's estimates is read as b's estimate it
    // holds most of (by power) against the other.
    const double det = 1 - b.x * b.y;
    const double p[2][2] = {{(1 - a.x * b.y) / det, (a.x - b.x) / det},
                            {(a.y - b.y) / det, (1 - a.y * b.x) / det}};
    const double puissances[2] = {MomentMelange2(1, b.x, m), MomentMelange2(b.y, 1, m)};
    double somme = 0;
    for (const auto& ligne : p) {
        const double e0 = ligne[0] * ligne[0] * puissances[0];
        const double e1 = ligne[1] * ligne[1] * puissances[1];
        // The SIR of this estimate in dB, 300 at most (the very same estimate).
        somme += -10 * std::log10(std::max(std::min(e0, e1) / std::max(e0, e1), 1e-30));
    }
    return std::isnan(somme) ? NAN : somme / 2;
}

Suggestion SuggererSelonMelanges(const Melanges& m, const std::optional<PointPlan>& point,
                                 const std::vector<int>& retards) {
    std::vector<CovarianceRetardee> covariances;
    const MomentsRetardes r = CalculerMomentsRetardes(m.Melange1, m.Melange2, retards);
    for (std::size_t t = 0; t < r.Retards.size(); ++t) {
        covariances.push_back({r.Retards[t], {r.R11[t], (r.R12[t] + r.R21[t]) / 2, r.R22[t]}});
    }
    Suggestion s = SuggererContraintes(m.Moments, point, covariances);
    if (CalculerRacinesOrdre2(m.Moments).Etat == Identifiabilite::Indefinie) {
        return s;
    }
    const Melanges moities[2] = {Moitie(m, 0), Moitie(m, 1)};
    std::vector<JeuContraintes> jeux = {JeuContraintes::Ordre2, JeuContraintes::Cumulants,
                                        JeuContraintes::Kurtosis};
    if (!retards.empty()) {
        jeux.insert(jeux.begin() + 1, JeuContraintes::Retards);
    }
    for (const JeuContraintes jeu : jeux) {
        const auto a = PointDuJeu(jeu, moities[0], retards);
        const auto b = PointDuJeu(jeu, moities[1], retards);
        const double accord = a && b ? AccordPointsDb(*a, *b, m.Moments) : NAN;
        if (accord >= 0 || accord < 0) {
            s.Accords.push_back({jeu, accord});
        }
    }
    const auto meilleur =
        std::max_element(s.Accords.begin(), s.Accords.end(),
                         [](const auto& u, const auto& v) { return u.AccordDb < v.AccordDb; });
    if (meilleur == s.Accords.end() || meilleur->Jeu == s.Jeu) {
        return s;
    }
    s.Jeu = meilleur->Jeu;
    s.Contraintes = ContraintesActives{};
    s.Retards.clear();
    char accord[32];
    std::snprintf(accord, sizeof accord, "%.0f", meilleur->AccordDb);
    const std::string stable =
        std::string(" ; ses points sur les deux moitiés des mélanges s'accordent à ") + accord +
        " dB, mieux que ceux des autres jeux";
    switch (s.Jeu) {
    case JeuContraintes::Ordre2:
        s.Message = "Les spectres des deux sources diffèrent aux petits retards : la "
                    "décorrélation des sources et de leurs dérivées suffit" +
                    stable + ".";
        break;
    case JeuContraintes::Retards:
        s.Retards = retards;
        s.Message = "Les spectres des deux sources se ressemblent aux petits retards : essayez "
                    "la décorrélation retardée (" +
                    TexteRetards(retards) + ")" + stable + ".";
        break;
    case JeuContraintes::Kurtosis:
        s.Contraintes = {true, false, false, false, false, true};
        s.Message = "Les spectres des deux sources se ressemblent mais leurs lois s'écartent de "
                    "la loi normale : essayez le contraste de kurtosis" +
                    stable + ".";
        break;
    default:
        s.Contraintes = {true, false, false, false, true};
        s.Message = "Les spectres des deux sources se ressemblent mais leurs lois s'écartent de "
                    "la loi normale : essayez les cumulants d'ordre 4" +
                    stable + ".";
        break;
    }
    return s;
}
