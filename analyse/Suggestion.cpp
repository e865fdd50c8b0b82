#include "analyse/Suggestion.h"

#include "analyse/PointExact.h"
#include "interval/Traduction.h"
#include "sivia/Cumulants.h"
#include "sivia/Neguentropie.h"
#include "sivia/Racine2x2.h"
#include "sivia/Retards.h"

#include <algorithm>
#include <cmath>

namespace {

// The delays' set as the solver and the command line name it: the lag-0 decorrelation held
// and the delayed criterion minimised (the derivatives take no part in that solve).
constexpr ContraintesActives ContraintesRetards{true, false, false, true};

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
    return RemplirModele(Traduire("Suggestion", "retards %1 à %2"),
                         {std::to_string(retards.front()), std::to_string(retards.back())});
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
        s.Message = RemplirModele(
            Traduire("Suggestion", "%1 Aucun jeu de contraintes ne peut séparer ces mélanges."),
            {MessageRacines(r)});
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
        s.Message =
            Traduire("Suggestion",
                     "Les spectres des deux sources diffèrent : la décorrélation des sources et "
                     "de leurs dérivées suffit.");
        return s;
    }
    const bool ordre4 = std::max(std::fabs(s.Kurtosis1.value_or(0)),
                                 std::fabs(s.Kurtosis2.value_or(0))) >= SeuilKurtosis;
    const bool retardsConnus = !retards.empty();
    if (!utiles.empty()) {
        s.Jeu = JeuContraintes::Retards;
        s.Contraintes = ContraintesRetards;
        std::sort(utiles.begin(), utiles.end());
        s.Retards = utiles;
        s.Message = RemplirModele(
            Traduire("Suggestion",
                     "Les spectres des deux sources se ressemblent aux petits retards mais "
                     "diffèrent plus loin : essayez la décorrélation retardée (%1)."),
            {TexteRetards(utiles)});
    } else if (ordre4) {
        s.Jeu = JeuContraintes::Ordre4;
        s.Contraintes = {false, true, true};
        s.Message =
            retardsConnus
                ? Traduire("Suggestion",
                           "Les spectres des deux sources se ressemblent à tous les retards : "
                           "essayez le moment d'ordre 4.")
                : Traduire("Suggestion",
                           "Les spectres des deux sources se ressemblent : essayez la "
                           "décorrélation retardée (retards 1 à 8) ou le moment d'ordre 4.");
    } else if (!retardsConnus) {
        s.Jeu = JeuContraintes::Retards;
        s.Contraintes = ContraintesRetards;
        s.Retards = {1, 2, 3, 4, 5, 6, 7, 8};
        s.Message = Traduire(
            "Suggestion", "Les spectres des deux sources se ressemblent et leurs lois sont proches "
                          "de la loi normale : essayez la décorrélation retardée (retards 1 à 8) ; "
                          "le moment d'ordre 4 ne les distinguera pas.");
    } else {
        s.Jeu = JeuContraintes::Aucun;
        s.Message = Traduire(
            "Suggestion", "Ni les spectres ni les lois des deux sources ne les distinguent : aucun "
                          "jeu de contraintes ne peut les séparer.");
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
    const Symetrique2x2 h = Racines({m.Ex1x1, m.Ex1x2, m.Ex2x2}).Inverse;
    const double h11 = h.a, h12 = h.b, h22 = h.c;
    const double co = std::cos(t), si = std::sin(t);
    const double w11 = co * h11 - si * h12, w12 = co * h12 - si * h22;
    const double w21 = si * h11 + co * h12, w22 = si * h12 + co * h22;
    if (w11 == 0 || w22 == 0 || !std::isfinite(w12 / w11) || !std::isfinite(w21 / w22)) {
        return std::nullopt;
    }
    return PointPlan{w12 / w11, w21 / w22};
}

// The minimiser of f along the whole lag-0 curve: a grid of angles, then a golden-section
// search between the best node's neighbours. `grossier`, an approximation of f, may read the
// grid where f costs a pass over the samples.
template <class F, class G = F>
std::optional<PointPlan> MinimiserSurQuartDeTour(const MomentsMelanges& m, F f, G grossier) {
    const auto lire = [&m](auto& critere, double t) {
        const auto p = PointAngle(t, m);
        const double v = p ? critere(p->x, p->y) : NAN;
        return v >= 0 ? v : INFINITY;
    };
    const auto valeur = [&](double t) { return lire(f, t); };
    const auto valeurGrille = [&](double t) { return lire(grossier, t); };
    constexpr int Pas = 720;
    const double h = std::acos(-1.0) / 2 / Pas;
    int kMin = 0;
    for (int k = 1; k < Pas; ++k) {
        if (valeurGrille(k * h) < valeurGrille(kMin * h)) {
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

template <class F> std::optional<PointPlan> MinimiserSurQuartDeTour(const MomentsMelanges& m, F f) {
    return MinimiserSurQuartDeTour(m, f, f);
}

// Each set's point from one part of the mixtures.
std::optional<PointPlan> PointOrdre2(const Melanges& m, const std::vector<int>&) {
    return CalculerRacinesOrdre2(m.Moments).Racine1;
}

std::optional<PointPlan> PointRetards(const Melanges& m, const std::vector<int>& retards) {
    const MomentsRetardes r = CalculerMomentsRetardes(m.Melange1, m.Melange2, retards);
    return MinimiserSurQuartDeTour(
        m.Moments, [&](double x, double y) { return CritereRetardeAuPoint(x, y, m.Moments, r); });
}

// The fourth-order criteria hold the lag-0 curve of the centred mixtures.
std::optional<PointPlan> PointCumulants(const Melanges& m, const std::vector<int>&) {
    return MinimiserSurQuartDeTour(MomentsCentres(m.Moments), [&](double x, double y) {
        return CritereCumulantsAuPoint(x, y, m.Moments);
    });
}

std::optional<PointPlan> PointKurtosis(const Melanges& m, const std::vector<int>&) {
    return MinimiserSurQuartDeTour(MomentsCentres(m.Moments), [&](double x, double y) {
        return CritereKurtosisAuPoint(x, y, m.Moments);
    });
}

// The negentropy reads its table on the grid (no pass over the samples), the samples between
// the best nodes.
std::optional<PointPlan> PointNeguentropie(const Melanges& m, const std::vector<int>&) {
    const auto t = CalculerTableNeguentropie(m.Melange1, m.Melange2);
    if (!t->Valide) {
        return std::nullopt;
    }
    constexpr double Tout = critere_rapide::Neguentropie::Infini;
    const critere_rapide::Neguentropie table(m.Moments, t, {-Tout, Tout}, {-Tout, Tout});
    return MinimiserSurQuartDeTour(
        MomentsCentres(m.Moments),
        [&](double x, double y) { return CritereNeguentropieAuPoint(x, y, *t); },
        [&](double x, double y) {
            const critere_rapide::Bornes e = table.Encadrement(x, y);
            return (e.lo + e.up) / 2;
        });
}

std::optional<PointPlan> PointSommeKurtosis(const Melanges& m, const std::vector<int>&) {
    return MinimiserSurQuartDeTour(MomentsCentres(m.Moments), [&](double x, double y) {
        return CritereSommeKurtosisAuPoint(x, y, m.Moments);
    });
}

// What the whole mixtures tell, read once for every set: the gap between the sources'
// correlation coefficients at lag 1 and at each delay given (0 where undefined).
struct Indices {
    const Melanges& M;
    const std::vector<int>& Retards;
    double N = 0;
    double Ecart1 = 0;
    std::vector<double> Ecarts;
};

std::vector<double> EcartsAuxRetards(const Melanges& m, const std::vector<int>& retards) {
    const MomentsRetardes r = CalculerMomentsRetardes(m.Melange1, m.Melange2, retards);
    const MatriceSymetrique C0{m.Moments.Ex1x1, m.Moments.Ex1x2, m.Moments.Ex2x2};
    std::vector<double> ecarts;
    for (std::size_t t = 0; t < r.Retards.size(); ++t) {
        const auto l =
            ValeursPropresGeneralisees(C0, {r.R11[t], (r.R12[t] + r.R21[t]) / 2, r.R22[t]});
        ecarts.push_back(l ? l->second - l->first : 0);
    }
    return ecarts;
}

// Each set's own evidence in units of its sampling noise. A correlation coefficient
// estimated from N samples wavers by about 1/sqrt(N), an excess kurtosis by sqrt(24/N) (for
// Gaussian samples): two white Gaussian noises stay within a few units whatever the point.
double PreuveOrdre2(const Indices& i, const std::optional<PointPlan>&) {
    return i.Ecart1 * std::sqrt(i.N);
}

double EcartMax(const Indices& i) {
    return i.Ecarts.empty() ? 0 : *std::max_element(i.Ecarts.begin(), i.Ecarts.end());
}

double PreuveRetards(const Indices& i, const std::optional<PointPlan>&) {
    return EcartMax(i) * std::sqrt(i.N);
}

double PreuveCumulants(const Indices& i, const std::optional<PointPlan>& point) {
    if (!point) {
        return 0;
    }
    const double k = std::max(std::fabs(KurtosisEstimee1(i.M.Moments, *point).value_or(0)),
                              std::fabs(KurtosisEstimee2(i.M.Moments, *point).value_or(0)));
    return k / std::sqrt(24 / i.N);
}

// Sqrt(J) of the estimates at the negentropy's point against its spread for Gaussian samples
// of the same N (EcartTypeGaussien / sqrt(N), derived, and measured in the sivia tests).
double PreuveNeguentropie(const Indices& i, const std::optional<PointPlan>& point) {
    if (!point) {
        return 0;
    }
    const std::vector<double>&x1 = i.M.Melange1, &x2 = i.M.Melange2;
    const double e = std::fmax(std::fabs(EcartAuGaussien(x1, x2, 1, point->x)),
                               std::fabs(EcartAuGaussien(x1, x2, point->y, 1)));
    return std::isfinite(e) ? e / (EcartTypeGaussien / std::sqrt(i.N)) : 0;
}

// The sum of two estimates' kurtosis wavers by sqrt(2).sqrt(24/N) for Gaussian samples.
double PreuveSommeKurtosis(const Indices& i, const std::optional<PointPlan>& point) {
    if (!point) {
        return 0;
    }
    const double k = KurtosisEstimee1(i.M.Moments, *point).value_or(0) +
                     KurtosisEstimee2(i.M.Moments, *point).value_or(0);
    return std::fabs(k) / std::sqrt(48 / i.N);
}

// One candidate set: its constraints, how it finds its point, its evidence and what the
// suggestion says of it. A new set is one more line of Candidats.
struct JeuCandidat {
    JeuContraintes Jeu;
    ContraintesActives Contraintes;
    std::optional<PointPlan> (*Point)(const Melanges&, const std::vector<int>&);
    double (*Preuve)(const Indices&, const std::optional<PointPlan>&);
    const char* Texte; // the French advice, before the reason
    bool AvecRetards;  // needs delays
};

const JeuCandidat Candidats[] = {
    {JeuContraintes::Ordre2, ContraintesActives{}, PointOrdre2, PreuveOrdre2,
     OVREL_TEXTE(
         "Suggestion",
         "Les spectres des deux sources diffèrent aux petits retards : la décorrélation des "
         "sources et de leurs dérivées suffit"),
     false},
    {JeuContraintes::Retards, ContraintesRetards, PointRetards, PreuveRetards,
     OVREL_TEXTE("Suggestion",
                 "Les spectres des deux sources se distinguent sur plusieurs retards : essayez la "
                 "décorrélation retardée"),
     true},
    {JeuContraintes::Cumulants,
     {true, false, false, false, true},
     PointCumulants,
     PreuveCumulants,
     OVREL_TEXTE("Suggestion", "Les lois des deux sources s'écartent de la loi normale : "
                               "essayez les cumulants d'ordre 4"),
     false},
    {JeuContraintes::Kurtosis,
     {true, false, false, false, false, true},
     PointKurtosis,
     PreuveCumulants,
     OVREL_TEXTE("Suggestion", "Les lois des deux sources s'écartent de la loi normale : "
                               "essayez le contraste de kurtosis"),
     false},
    {JeuContraintes::Neguentropie,
     {true, false, false, false, false, false, true},
     PointNeguentropie,
     PreuveNeguentropie,
     OVREL_TEXTE("Suggestion", "Les lois des deux sources s'écartent de la loi normale : "
                               "essayez la néguentropie"),
     false},
    {JeuContraintes::SommeKurtosis,
     {true, false, false, false, false, false, false, true},
     PointSommeKurtosis,
     PreuveSommeKurtosis,
     OVREL_TEXTE("Suggestion", "Les lois des deux sources s'écartent de la loi normale : "
                               "essayez la somme des kurtosis"),
     false},
};

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
    const Indices indices{m, retards, double(std::min(m.Melange1.size(), m.Melange2.size())),
                          EcartsAuxRetards(m, {1}).front(), EcartsAuxRetards(m, retards)};
    const Melanges moities[2] = {Moitie(m, 0), Moitie(m, 1)};
    std::vector<const JeuCandidat*> retenus;
    for (const JeuCandidat& c : Candidats) {
        if (c.AvecRetards && retards.empty()) {
            continue;
        }
        const double preuve = c.Preuve(indices, c.Point(m, retards));
        const auto a = c.Point(moities[0], retards);
        const auto b = c.Point(moities[1], retards);
        const double accord = a && b ? AccordPointsDb(*a, *b, m.Moments) : NAN;
        if (!std::isnan(accord)) {
            s.Accords.push_back({c.Jeu, accord, preuve});
            if (preuve >= SeuilPreuve) {
                retenus.push_back(&c);
            }
        }
    }
    const auto accordDe = [&s](JeuContraintes jeu) {
        for (const Suggestion::Accord& a : s.Accords) {
            if (a.Jeu == jeu) {
                return a.AccordDb;
            }
        }
        return double(NAN);
    };
    s.Contraintes = ContraintesActives{};
    s.Retards.clear();
    if (retenus.empty()) {
        s.Jeu = JeuContraintes::Aucun;
        s.Message = RemplirModele(
            Traduire("Suggestion",
                     "Aucun jeu de contraintes ne peut séparer ces mélanges : ni les spectres ni "
                     "les lois des deux sources ne se distinguent au-delà du bruit "
                     "d'échantillonnage, comme pour deux bruits blancs gaussiens (écart des "
                     "coefficients de corrélation %1, kurtosis %2 et %3, bruit d'échantillonnage "
                     "%4 et %5)."),
            {TexteDecimal(std::max(indices.Ecart1, EcartMax(indices)), 3),
             TexteDecimal(s.Kurtosis1.value_or(0), 2), TexteDecimal(s.Kurtosis2.value_or(0), 2),
             TexteDecimal(1 / std::sqrt(indices.N), 3),
             TexteDecimal(std::sqrt(24 / indices.N), 3)});
        return s;
    }
    const JeuCandidat* choisi =
        *std::max_element(retenus.begin(), retenus.end(), [&](const auto* u, const auto* v) {
            return accordDe(u->Jeu) < accordDe(v->Jeu);
        });
    // The halves' agreement is said against every set tried, or against those with evidence
    // when a set without it agrees better by chance.
    const bool devantTous = std::all_of(s.Accords.begin(), s.Accords.end(), [&](const auto& a) {
        return a.AccordDb <= accordDe(choisi->Jeu);
    });
    std::string raison = RemplirModele(
        devantTous ? Traduire("Suggestion", " ; ses points sur les deux moitiés des mélanges "
                                            "s'accordent à %1 dB, mieux que ceux des autres jeux")
                   : Traduire("Suggestion",
                              " ; ses points sur les deux moitiés des mélanges s'accordent à %1 "
                              "dB, mieux que ceux des autres jeux dont le signal dépasse le "
                              "bruit d'échantillonnage"),
        {TexteDecimal(accordDe(choisi->Jeu), 0)});
    // Between a higher-order set and a second-order one, the halves' agreement is a poor
    // guide: on the recordings it moved by about MargeAccordDb from one split of the samples to
    // another, and where the second-order sets' halves came within that margin their points
    // were as good. A higher-order set is named over them only beyond it.
    const auto ordre2OuRetards = [](const JeuCandidat* c) {
        return c->Jeu == JeuContraintes::Ordre2 || c->Jeu == JeuContraintes::Retards;
    };
    std::string cede; // said after the reason when a higher-order set gave way
    if (!ordre2OuRetards(choisi)) {
        const JeuCandidat* second = nullptr;
        for (const JeuCandidat* c : retenus) {
            if (ordre2OuRetards(c) && (!second || accordDe(c->Jeu) > accordDe(second->Jeu))) {
                second = c;
            }
        }
        if (second && accordDe(second->Jeu) >= accordDe(choisi->Jeu) - MargeAccordDb) {
            cede = raison = RemplirModele(
                Traduire("Suggestion",
                         " ; ses points sur les deux moitiés des mélanges s'accordent à %1 dB, à "
                         "moins de %2 dB du meilleur jeu d'ordre supérieur (%3 dB), qui ne "
                         "l'emporte qu'au-delà"),
                {TexteDecimal(accordDe(second->Jeu), 0), TexteDecimal(MargeAccordDb, 0),
                 TexteDecimal(accordDe(choisi->Jeu), 0)});
            choisi = second;
        }
    }
    // The delays hold lag 1 among others. Where the halves of the default pair and of the
    // delays agree within MargeAccordDb (about what the agreement moves from one split of the
    // samples to another), the spectra decide: the delays where a longer delay tells them
    // apart better than lag 1 beyond the sampling noise, the default pair elsewhere.
    const auto trouver = [&retenus](JeuContraintes jeu) {
        const auto c = std::find_if(retenus.begin(), retenus.end(),
                                    [jeu](const auto* v) { return v->Jeu == jeu; });
        return c == retenus.end() ? nullptr : *c;
    };
    const JeuCandidat *ordre2 = trouver(JeuContraintes::Ordre2),
                      *retardes = trouver(JeuContraintes::Retards);
    const double ecartMax = EcartMax(indices);
    if ((choisi == ordre2 || choisi == retardes) && ordre2 && retardes &&
        std::fabs(accordDe(JeuContraintes::Retards) - accordDe(JeuContraintes::Ordre2)) <=
            MargeAccordDb) {
        const bool plusLoin = ecartMax > indices.Ecart1 + SeuilPreuve / std::sqrt(indices.N);
        choisi = plusLoin ? retardes : ordre2;
        raison = plusLoin
                     ? RemplirModele(Traduire("Suggestion",
                                              " ; un retard plus long distingue mieux les spectres "
                                              "(écart des coefficients de corrélation %1 contre %2 "
                                              "au retard 1)"),
                                     {TexteDecimal(ecartMax, 2), TexteDecimal(indices.Ecart1, 2)})
                     : RemplirModele(Traduire("Suggestion",
                                              " ; aucun retard ne distingue mieux les spectres que "
                                              "le retard 1 (écart des coefficients de corrélation "
                                              "%1)"),
                                     {TexteDecimal(indices.Ecart1, 2)});
        raison += cede;
    }
    s.Jeu = choisi->Jeu;
    s.Contraintes = choisi->Contraintes;
    s.Message = Traduire("Suggestion", choisi->Texte);
    if (choisi->AvecRetards) {
        s.Retards = retards;
        s.Message += " (" + TexteRetards(retards) + ")";
    }
    s.Message += raison + ".";
    return s;
}
