#include "analyse/Rapport.h"

#include "analyse/PointsVrais.h"

#include <algorithm>
#include <cmath>

namespace {

// The cluster whose exact point, a solution, is the nearest to `vrai`; -1 for none.
int AmasLePlusProche(const std::vector<AmasQualifie>& q, PointPlan vrai) {
    int meilleur = -1;
    double distance = 0;
    for (int k = 0; k < int(q.size()); ++k) {
        const PointPlan p = q[k].Exact.Point;
        const double d = std::hypot(p.x - vrai.x, p.y - vrai.y);
        if (q[k].Exact.Solution && (meilleur < 0 || d < distance)) {
            meilleur = k, distance = d;
        }
    }
    return meilleur;
}

} // namespace

std::vector<AmasQualifie> QualifierAmas(const std::vector<Amas>& amas,
                                        const std::vector<PointExact>& points, const Matrice2x2& A,
                                        const PuissancesSources& P, double precision) {
    const PointsVrais vrais = CalculerPointsVrais(A);
    std::vector<AmasQualifie> q;
    q.reserve(amas.size());
    for (std::size_t k = 0; k < amas.size(); ++k) {
        AmasQualifie e;
        e.Groupe = amas[k];
        if (k < points.size()) {
            e.Exact = points[k];
        } else {
            e.Exact.Point = amas[k].Centre();
        }
        const PointPlan p = e.Exact.Point;
        const auto ecart = [&](const std::optional<PointPlan>& v) -> std::optional<double> {
            if (!v || !(precision > 0)) {
                return std::nullopt;
            }
            return std::hypot(v->x - p.x, v->y - p.y) / precision;
        };
        e.EcartDirect = ecart(vrais.Direct);
        e.EcartPermute = ecart(vrais.Permute);
        if (A.EstConnue()) {
            const PointPlan c = amas[k].Centre();
            e.QualiteCentre = CalculerQualite(c.x, c.y, A, P);
            e.QualiteExacte = CalculerQualite(p.x, p.y, A, P);
        }
        q.push_back(e);
    }
    const struct {
        const std::optional<PointPlan>& vrai;
        PointRepresente point;
        Appariement paires;
    } cibles[] = {{vrais.Direct, PointRepresente::Direct, Appariement::Identite},
                  {vrais.Permute, PointRepresente::Permute, Appariement::Croise}};
    for (const auto& c : cibles) {
        const int k = c.vrai ? AmasLePlusProche(q, *c.vrai) : -1;
        if (k < 0 || !q[k].QualiteExacte || q[k].Represente != PointRepresente::Aucun) {
            continue;
        }
        const std::optional<double> sir = q[k].QualiteExacte->SirMoyen();
        if (q[k].QualiteExacte->Paires == c.paires && sir && *sir >= SeuilSirRepresente) {
            q[k].Represente = c.point;
        }
    }
    return q;
}

RapportSolveur EtablirRapport(const ResultatSivia& r, double secondes, double precision,
                              const BoxList& solution, const Matrice2x2& A,
                              const PuissancesSources& P, const MomentsMelanges& m,
                              const ContraintesActives& c, const MomentsRetardes& retardes) {
    RapportSolveur rapport{r, secondes, precision, {}};
    const std::uint64_t gardees = std::min<std::uint64_t>(r.NbGardees, solution.Size());
    const auto premiere = static_cast<std::uint32_t>(solution.Size() - gardees);
    const std::vector<Amas> amas =
        GrouperSolutions(solution, premiere, precision, FacteurVoisinage * precision);
    rapport.Amas = QualifierAmas(
        amas, AffinerAmas(amas, solution, premiere, m, c, precision, retardes), A, P, precision);
    return rapport;
}

std::optional<PointPlan> PremierPointSolution(const std::vector<AmasQualifie>& amas) {
    for (const AmasQualifie& a : amas) {
        if (a.Exact.Solution) {
            return a.Exact.Point;
        }
    }
    return std::nullopt;
}
