#include "analyse/Suggestion.h"

#include "analyse/PointExact.h"

#include <algorithm>
#include <cmath>

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
