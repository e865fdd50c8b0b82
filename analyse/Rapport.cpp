#include "analyse/Rapport.h"

#include "analyse/PointsVrais.h"

#include <algorithm>

std::vector<AmasQualifie> QualifierAmas(const std::vector<Amas>& amas, const Matrice2x2& A,
                                        const PuissancesSources& P) {
    const PointsVrais vrais = CalculerPointsVrais(A);
    std::vector<AmasQualifie> q;
    q.reserve(amas.size());
    for (const Amas& a : amas) {
        AmasQualifie e{a, std::nullopt, false, false};
        if (A.EstConnue()) {
            const PointPlan c = a.Centre();
            e.QualiteCentre = CalculerQualite(c.x, c.y, A, P);
            const std::optional<double> m = e.QualiteCentre->SirMoyen();
            if (m && *m >= SeuilSirRepresente) {
                e.Represente = e.QualiteCentre->Paires == Appariement::Identite
                                   ? PointRepresente::Direct
                                   : PointRepresente::Permute;
            }
        }
        e.ContientPointDirect = vrais.Direct && a.Contient(*vrais.Direct);
        e.ContientPointPermute = vrais.Permute && a.Contient(*vrais.Permute);
        q.push_back(e);
    }
    return q;
}

RapportSolveur EtablirRapport(const ResultatSivia& r, double secondes, double precision,
                              const BoxList& solution, const Matrice2x2& A,
                              const PuissancesSources& P) {
    RapportSolveur rapport{r, secondes, precision, {}};
    const std::uint64_t gardees = std::min<std::uint64_t>(r.NbGardees, solution.Size());
    const auto premiere = static_cast<std::uint32_t>(solution.Size() - gardees);
    rapport.Amas = QualifierAmas(
        GrouperSolutions(solution, premiere, precision, FacteurVoisinage * precision), A, P);
    return rapport;
}
