#include "commande/Chaine.h"

#include "commande/Parallele.h"
#include "interval/Traduction.h"
#include "sivia/Neguentropie.h"

#include "fichiers/Reproduction.h"
#include "fichiers/Session.h"
#include "signal/Alea.h"
#include "signal/Generateurs.h"
#include "signal/Memoire.h"
#include "sivia/Sivia.h"

#include <algorithm>
#include <chrono>

namespace {

void AppliquerSession(OptionsCommande& o, const Session& s, const Reglages& reglages,
                      EntreesLues& lues) {
    const auto libre = [&o](const char* nom) { return o.Donnees.count(nom) == 0; };
    AppliquerReglages(o, reglages);
    if (libre("--matrice") && libre("--matrice-aleatoire") && s.MatriceMelange.EstConnue()) {
        o.Matrice = s.MatriceMelange;
    }
    // The session's own sources, drawn again exactly, unless others are asked for.
    const auto source = [&](const OrigineSignal& origine, const char* nom,
                            std::optional<SignalLu>& cible, SourceDemandee& demandee) {
        if (!libre(nom) || origine.sorte == OrigineSignal::Sorte::Aucune) {
            return;
        }
        SignalReproduit r = ReproduireSignal(origine, PasCommande);
        cible = SignalLu{std::move(r.Echantillons), r.Frequence};
        // A generated source keeps its kind: the report names it, not an empty file name.
        demandee = origine.sorte == OrigineSignal::Sorte::Generee
                       ? SourceDemandee{origine.Type, {}, 0}
                       : SourceDemandee{std::nullopt, origine.Chemin, origine.Canal + 1};
    };
    if (s.Melanges.sorte == RecetteMelanges::Sorte::Lues && libre("--source1") &&
        libre("--source2")) {
        if (auto m = ReproduireMelanges(s.Melanges, PasCommande)) {
            lues.MelangesFichiers =
                MelangesLus{std::move(m->M.Melange1), std::move(m->M.Melange2), m->Frequence, {}};
        }
        return;
    }
    source(s.Source1, "--source1", lues.Fichier1, o.Source1);
    source(s.Source2, "--source2", lues.Fichier2, o.Source2);
}

std::optional<SignalLu> LireSource(const SourceDemandee& s) {
    if (s.Type) {
        return std::nullopt;
    }
    return LireSignal(s.Fichier, std::max(0, s.Canal - 1));
}

std::vector<double> SourcePreparee(const SourceDemandee& demandee,
                                   const std::optional<SignalLu>& lu, std::int32_t N,
                                   GenerateurAleatoire& alea) {
    std::vector<double> s;
    if (demandee.Type && !lu) {
        GenererSource(*demandee.Type, N, PasCommande, alea, s);
    } else if (lu) {
        s.assign(lu->Echantillons.begin(),
                 lu->Echantillons.begin() + std::min<std::size_t>(N, lu->Echantillons.size()));
    }
    return s;
}

} // namespace

EntreesLues LireEntrees(OptionsCommande& options) {
    EntreesLues lues;
    if (!options.Session.empty()) {
        // A session whose values cannot stand is a bad value, as a bad option is.
        Session s;
        Reglages reglages;
        try {
            s = OuvrirSession(options.Session);
            reglages = LireReglages(s.Options, options.Session, s.Remarques);
        } catch (const ErreurChampSession& e) {
            throw ErreurOption(e.what());
        }
        lues.Remarques = s.Remarques;
        AppliquerSession(options, s, reglages, lues);
        if (lues.MelangesFichiers) {
            return lues;
        }
    }
    if (options.FichiersMelanges.size() == 1) {
        lues.MelangesFichiers = LireMelanges(options.FichiersMelanges[0]);
    } else if (options.FichiersMelanges.size() == 2) {
        lues.MelangesFichiers =
            LireMelanges(options.FichiersMelanges[0], 0, options.FichiersMelanges[1], 0);
    }
    if (lues.MelangesFichiers) {
        return lues;
    }
    if (!lues.Fichier1) {
        lues.Fichier1 = LireSource(options.Source1);
    }
    if (!lues.Fichier2) {
        lues.Fichier2 = LireSource(options.Source2);
    }
    if (lues.Fichier1 && lues.Fichier2) {
        FrequenceCommune(lues.Fichier1->Frequence, options.Source1.Fichier,
                         lues.Fichier2->Frequence, options.Source2.Fichier);
    }
    return lues;
}

std::uint64_t GraineEssai(std::uint64_t graine, std::int64_t k) {
    // SplitMix64 of the seed advanced by k + 1 steps: distinct, unrelated streams.
    std::uint64_t z = graine + std::uint64_t(k + 1) * GenerateurAleatoire::Gamma;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

EntreesChaine PreparerEntrees(const OptionsCommande& options, const EntreesLues& lues,
                              std::uint64_t graine, bool matriceAleatoire) {
    EntreesChaine e;
    e.Graine = graine;
    GenerateurAleatoire alea;
    alea.Initialiser(graine);
    if (lues.MelangesFichiers) {
        const MelangesLus& m = *lues.MelangesFichiers;
        e.M = MelangesObserves(m.Melange1, m.Melange2, PasCommande);
        e.N = static_cast<std::int32_t>(e.M.Melange1.size());
        e.Frequence = m.Frequence;
        return e;
    }
    // N follows the data read (the shorter file), the option when sources are generated.
    std::int32_t N = options.NbEchantillons;
    const bool donne = options.Donnees.count("--echantillons") != 0;
    for (const auto* lu : {&lues.Fichier1, &lues.Fichier2}) {
        if (*lu) {
            const auto n = static_cast<std::int32_t>(
                std::min<std::size_t>((*lu)->Echantillons.size(), INT32_MAX));
            N = donne ? std::min(N, n) : n;
            e.Frequence = (*lu)->Frequence;
        }
    }
    e.N = N;
    e.Source1 = SourcePreparee(options.Source1, lues.Fichier1, N, alea);
    e.Source2 = SourcePreparee(options.Source2, lues.Fichier2, N, alea);
    if (matriceAleatoire) {
        const float b = CoefficientAleatoire(alea);
        const float c = CoefficientAleatoire(alea);
        e.A = {1, b, c, 1};
    } else {
        e.A = options.Matrice.value_or(MatriceParDefaut());
    }
    e.M = GenererMelanges(e.Source1, e.Source2, e.A, N, PasCommande);
    return e;
}

namespace {

// The boxes this solve may store: what is left of this thread's part of the budget (the whole
// budget outside a study) beside the samples the trial holds.
std::uint64_t LimiteBoites(const EntreesChaine& e) {
    std::uint64_t echantillons = 0;
    for (const std::vector<double>* v : {&e.Source1, &e.Source2, &e.M.Melange1, &e.M.Melange2,
                                         &e.M.DeriveeMelange1, &e.M.DeriveeMelange2}) {
        echantillons += v->capacity() * sizeof(double);
    }
    const std::uint64_t budget = BudgetDuFil();
    return (budget - std::min(budget, echantillons)) / OctetsParBoiteStockee;
}

} // namespace

LectureRetards RetardsDeLaChaine(const OptionsCommande& options, std::int32_t N) {
    return LireRetards(options.Retards, std::size_t(std::max(N, 0)));
}

void VerifierPlace(const OptionsCommande& o) {
    if (const std::string refus = RefusResolutionTropGrande(o.BoiteDesBornes(), o.PrecisionSivia,
                                                            o.Stockage, o.Contraintes(), 0);
        !refus.empty()) {
        throw ErreurOption(refus);
    }
}

// Delays beyond N/2 can only be told once N is known (it follows the files read).
void VerifierRetards(const OptionsCommande& o, std::int32_t N) {
    if (o.ContrainteDecorrelationRetardee) {
        if (const LectureRetards l = RetardsDeLaChaine(o, N); !l.Erreur.empty()) {
            throw ErreurOption(
                RemplirModele(Traduire("Chaine", "option --retards : %1"), {l.Erreur}));
        }
    }
}

ResultatChaine ResoudreChaine(const EntreesChaine& e, const OptionsCommande& options,
                              BoxList& enAttente, BoxList& rejetees, BoxList& solution) {
    rejetees.Clear();
    solution.Clear();
    Box boite = options.BoiteDesBornes();
    // The lagged means count in the solve's time, as the other moments' do not: they are
    // computed for this solve only.
    const auto debut = std::chrono::steady_clock::now();
    MomentsRetardes retardes;
    if (options.ContrainteDecorrelationRetardee) {
        retardes = CalculerMomentsRetardes(e.M.Melange1, e.M.Melange2,
                                           RetardsDeLaChaine(options, e.N).Retards);
    }
    if (CritereSurCourbe(options.Contraintes()) == CritereCourbe::Neguentropie) {
        retardes.Neguentropie = CalculerTableNeguentropie(e.M.Melange1, e.M.Melange2);
    }
    const ResultatSivia r = ExecuterSivia(
        boite, enAttente, rejetees, solution, nullptr, e.M.Moments, options.Contraintes(),
        options.PrecisionSivia, options.Stockage, LimiteBoites(e), retardes);
    const double secondes =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();

    DonneesAnalyse d;
    d.R = options;
    d.Moments = e.M.Moments;
    d.Resultat = r;
    d.Secondes = secondes;
    d.Solution = &solution;
    d.A = e.A;
    d.Source1 = &e.Source1;
    d.Source2 = &e.Source2;
    d.Melange1 = &e.M.Melange1;
    d.Melange2 = &e.M.Melange2;
    // The split-half suggestion solves each set twice more along the curve: for one run's
    // report, not for every trial of a study.
    d.M = options.Commande == SousCommande::Resoudre ? &e.M : nullptr;
    d.N = e.N;
    d.AvecReferences = options.Commande == SousCommande::Resoudre;
    return *AnalyserSeparation(d);
}
