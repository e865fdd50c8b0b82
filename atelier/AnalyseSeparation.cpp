#include "atelier/AnalyseSeparation.h"

#include "signal/Memoire.h"
#include "sivia/Neguentropie.h"
#include "sivia/Retards.h"

#include <algorithm>

namespace {

std::optional<Qualite> QualiteEn(const std::optional<PointPlan>& p, const Matrice2x2& A,
                                 const PuissancesSources& P) {
    if (!p || !A.EstConnue()) {
        return std::nullopt;
    }
    return CalculerQualite(p->x, p->y, A, P);
}

std::vector<ReferenceQualifiee> References(const DonneesAnalyse& d, const PuissancesSources& P,
                                           const std::vector<int>& retardsSobi) {
    static const std::vector<double> vide;
    const std::vector<double>& x1 = d.Melange1 ? *d.Melange1 : vide;
    const std::vector<double>& x2 = d.Melange2 ? *d.Melange2 : vide;
    const OptionsClassiques defaut;
    const std::size_t n = std::min({std::size_t(std::max(d.N, 0)), x1.size(), x2.size()});
    std::vector<ReferenceQualifiee> r;
    const auto ajouter = [&](ReponseClassique reponse, std::optional<NonLineariteIca> g) {
        const std::optional<Qualite> q = QualiteEn(reponse.Point, d.A, P);
        r.push_back({std::move(reponse), g, q});
    };
    ajouter(CalculerAmuse(d.Moments, n), std::nullopt);
    ajouter(CalculerSobi(x1, x2, d.N, retardsSobi, defaut.IterationsMax), std::nullopt);
    for (const NonLineariteIca g :
         {NonLineariteIca::LogCosh, NonLineariteIca::Cube, NonLineariteIca::Gauss}) {
        ajouter(CalculerFastIca(x1, x2, d.N, g, defaut.IterationsMax, defaut.Tolerance), g);
    }
    ajouter(CalculerJade(x1, x2, d.N, defaut.IterationsMax), std::nullopt);
    return r;
}

} // namespace

std::vector<int> RetardsSobi(const std::string& retards, std::int32_t N) {
    if (LectureRetards l = LireRetards(retards, std::size_t(std::max(N, 0))); l.Erreur.empty()) {
        return std::move(l.Retards);
    }
    std::vector<int> defaut;
    for (const int t : OptionsClassiques{}.Retards) {
        if (t <= N / 2) {
            defaut.push_back(t);
        }
    }
    return defaut;
}

bool DansUneBoite(const BoxList& boites, const PointPlan& p, std::uint32_t premiere) {
    std::uint32_t k = 0;
    for (const Box& b : boites) {
        if (k++ >= premiere && b[1].Lower() <= p.x && p.x <= b[1].Upper() && b[2].Lower() <= p.y &&
            p.y <= b[2].Upper()) {
            return true;
        }
    }
    return false;
}

std::optional<AnalyseSeparation> AnalyserSeparation(const DonneesAnalyse& d,
                                                    const RappelAvancement& avancement) {
    AnalyseSeparation a;
    const double precision = d.R.PrecisionSivia;
    a.Rapport = {d.Resultat, d.Secondes, precision, {}};
    static const std::vector<double> vide;
    a.Puissances =
        CalculerPuissances(d.Source1 ? *d.Source1 : vide, d.Source2 ? *d.Source2 : vide, d.N);
    a.Vrais = CalculerPointsVrais(d.A);
    a.Racines = CalculerRacinesOrdre2(d.Moments);
    a.QualiteRacine1 = QualiteEn(a.Racines.Racine1, d.A, a.Puissances);
    a.QualiteRacine2 = QualiteEn(a.Racines.Racine2, d.A, a.Puissances);

    LectureRetards retards = LireRetards(d.R.Retards, std::size_t(std::max(d.N, 0)));
    const bool valables = retards.Erreur.empty();
    a.Retards = std::move(retards.Retards);

    static const BoxList aucune;
    const BoxList& solution = d.Solution ? *d.Solution : aucune;
    const auto gardees =
        std::uint32_t(std::min<std::uint64_t>(d.Resultat.NbGardees, solution.Size()));
    const std::uint32_t premiere = solution.Size() - gardees;
    // Grouping works on copies of the boxes and their cells for its time.
    a.BesoinGroupement = std::uint64_t{gardees} * OctetsGroupementParBoite;
    if (a.BesoinGroupement > d.MemoireLibre) {
        a.AmasNonCalcules = true;
    } else {
        const auto amas = GrouperSolutions(solution, premiere, precision,
                                           FacteurVoisinage * precision, avancement);
        if (!amas) {
            return std::nullopt;
        }
        const ContraintesActives c = d.R.Contraintes();
        // The delayed criterion's clusters stand at its minimiser along the lag-0 curve, read
        // from the lagged means of the delays solved.
        MomentsRetardes retardes;
        if (c.ContrainteDecorrelationRetardee && valables && d.Melange1 && d.Melange2) {
            retardes = CalculerMomentsRetardes(*d.Melange1, *d.Melange2, a.Retards);
        }
        if (CritereSurCourbe(c) == CritereCourbe::Neguentropie && d.Melange1 && d.Melange2) {
            retardes.Neguentropie = CalculerTableNeguentropie(*d.Melange1, *d.Melange2);
        }
        a.Rapport.Amas = QualifierAmas(
            *amas, AffinerAmas(*amas, solution, premiere, d.Moments, c, precision, retardes), d.A,
            a.Puissances, precision);
    }
    a.DirectDansUneBoite = a.Vrais.Direct && DansUneBoite(solution, *a.Vrais.Direct, premiere);
    a.PermuteDansUneBoite = a.Vrais.Permute && DansUneBoite(solution, *a.Vrais.Permute, premiere);

    if (d.AvecReferences) {
        a.References = References(d, a.Puissances, RetardsSobi(d.R.Retards, d.N));
    }
    const std::optional<PointPlan> point = PremierPointSolution(a.Rapport.Amas);
    a.Conseil = SuggererContraintes(d.Moments, point);
    if (d.M) {
        // The halves are copies of the mixtures: without room for them, the moments' gauges
        // alone speak.
        try {
            a.Conseil =
                SuggererSelonMelanges(*d.M, point, valables ? a.Retards : std::vector<int>{});
        } catch (const ErreurMemoire&) {
        }
    }
    a.Proposee = ProposerBoite({a.Racines.Racine1, a.Racines.Racine2},
                               {d.R.BorneInfX, d.R.BorneSupX, d.R.BorneInfY, d.R.BorneSupY});
    return a;
}
