#include "commande/Rapport.h"

#include "analyse/MethodesClassiques.h"
#include "analyse/Suggestion.h"
#include "fichiers/EcritureSignal.h"
#include "fichiers/ExportPavage.h"
#include "interval/Traduction.h"

#include <algorithm>
#include <cmath>
#include <string_view>

using nlohmann::ordered_json;

namespace {

ordered_json SourceJson(const SourceDemandee& s) {
    if (!s.Type) {
        return {{"fichier", NomFichierJson(s.Fichier)}, {"canal", std::max(1, s.Canal)}};
    }
    return {{"sorte", NomSource(*s.Type)}};
}

std::string Cellule(const std::optional<double>& v) {
    if (!v || std::isnan(*v)) {
        return "";
    }
    if (std::isinf(*v)) {
        return *v > 0 ? "inf" : "-inf";
    }
    return TexteExact(*v);
}

std::optional<double> Meilleur(std::optional<double> a, std::optional<double> b) {
    if (!a) {
        return b;
    }
    if (!b) {
        return a;
    }
    return std::max(*a, *b);
}

// Quantile q of sorted values, by linear interpolation between closest ranks.
double Quantile(const std::vector<double>& v, double q) {
    const double r = q * double(v.size() - 1);
    const auto i = static_cast<std::size_t>(r);
    if (i + 1 >= v.size()) {
        return v.back();
    }
    if (std::isinf(v[i]) || std::isinf(v[i + 1])) {
        return r - double(i) < 0.5 ? v[i] : v[i + 1];
    }
    return v[i] + (r - double(i)) * (v[i + 1] - v[i]);
}

std::string TexteDb(double v) {
    if (std::isinf(v)) {
        return v > 0 ? "∞" : "-∞";
    }
    return TexteDecimal(v, 2);
}

} // namespace

std::optional<double> MeilleurSirAmas(const ResultatChaine& c) {
    std::optional<double> m;
    for (const AmasQualifie& a : c.Rapport.Amas) {
        const std::optional<Qualite>& q = a.QualiteExacte ? a.QualiteExacte : a.QualiteCentre;
        if (q) {
            m = Meilleur(m, q->SirMoyen());
        }
    }
    return m;
}

std::optional<double> MeilleurSirRacines(const ResultatChaine& c) {
    std::optional<double> m;
    for (const auto* q : {&c.QualiteRacine1, &c.QualiteRacine2}) {
        if (*q) {
            m = Meilleur(m, (*q)->SirMoyen());
        }
    }
    return m;
}

ordered_json OrigineJson(const OrigineSignal& origine) {
    switch (origine.sorte) {
    case OrigineSignal::Sorte::Generee:
        return SourceJson({origine.Type, {}, 0});
    case OrigineSignal::Sorte::Fichier:
        return SourceJson({std::nullopt, origine.Chemin, origine.Canal + 1});
    case OrigineSignal::Sorte::Aucune:
        break;
    }
    return nullptr;
}

ordered_json MelangesJson(const RecetteMelanges& recette) {
    if (recette.sorte != RecetteMelanges::Sorte::Lues) {
        return nullptr;
    }
    ordered_json noms = {NomFichierJson(recette.Signal1.Chemin)};
    if (recette.Signal2.Chemin != recette.Signal1.Chemin) {
        noms.push_back(NomFichierJson(recette.Signal2.Chemin));
    }
    return noms;
}

ordered_json RapportResolution(const OptionsCommande& o, const EntreesChaine& e,
                               const ResultatChaine& c, double secondesTotal) {
    EntreesRapport r;
    r.Graine = e.Graine;
    if (!(e.Source1.empty() && e.Source2.empty())) {
        r.Source1 = SourceJson(o.Source1);
        r.Source2 = SourceJson(o.Source2);
    }
    for (const std::string& nom : o.FichiersMelanges) {
        r.Melanges.push_back(NomFichierJson(nom));
    }
    if (!o.Session.empty()) {
        r.Session = NomFichierJson(o.Session);
    }
    r.A = e.A;
    r.MatriceAleatoire = o.MatriceAleatoire;
    r.BoiteAuto = o.BoiteAuto;
    r.N = e.N;
    r.Frequence = e.Frequence;
    r.R = o;
    r.Reference = e.A.EstConnue() ? ReferenceQualite::Connue : ReferenceQualite::Inconnue;
    r.SecondesTotal = secondesTotal;
    return RapportSeparationJson(r, &c);
}

std::string EnteteEssais(bool avecTemps) {
    return std::string("essai,graine,b,c,statut,prises,rejetees,gardees,amas,sir_amas_db,"
                       "sir_racines_db,point_vrai_garde,point_permute_garde") +
           (avecTemps ? ",temps_s\n" : "\n");
}

std::string LigneEssai(std::int64_t k, const EntreesChaine& e, const ResultatChaine& c,
                       bool avecTemps) {
    const ResultatSivia& r = c.Rapport.Resultat;
    std::vector<std::string> cellules = {std::to_string(k),
                                         std::to_string(e.Graine),
                                         TexteExact(e.A.a12),
                                         TexteExact(e.A.a21),
                                         NomStatut(r.Statut),
                                         std::to_string(r.NbPrises),
                                         std::to_string(r.NbRejetees),
                                         std::to_string(r.NbGardees),
                                         std::to_string(c.Rapport.Amas.size()),
                                         Cellule(MeilleurSirAmas(c)),
                                         Cellule(MeilleurSirRacines(c)),
                                         c.DirectDansUneBoite ? "1" : "0",
                                         c.PermuteDansUneBoite ? "1" : "0"};
    if (avecTemps) {
        cellules.push_back(TexteExact(c.Rapport.Secondes));
    }
    std::string ligne;
    for (const std::string& cellule : cellules) {
        if (!ligne.empty()) {
            ligne += ',';
        }
        ligne += cellule;
    }
    ligne += '\n';
    return ligne;
}

std::string ResumeEtude(const std::vector<BilanEssai>& bilans, double secondes, int fils) {
    std::vector<double> sir;
    std::size_t trouves = 0, reussis = 0, arretes = 0;
    for (const BilanEssai& b : bilans) {
        if (b.SirAmas) {
            sir.push_back(*b.SirAmas);
        }
        trouves += b.Trouves ? 1 : 0;
        reussis += b.Reussi ? 1 : 0;
        arretes += b.Arrete ? 1 : 0;
    }
    std::sort(sir.begin(), sir.end());
    // The numbers are formatted here, the translated texts only place them: a translation is
    // never a format string.
    const auto part = [&](std::size_t k) {
        return TexteDecimal(bilans.empty() ? 0.0 : 100.0 * double(k) / double(bilans.size()), 1);
    };
    std::string texte =
        RemplirModele(Traduire("RapportEtude", "Essais : %1\n"), {std::to_string(bilans.size())});
    texte += RemplirModele(
        Traduire("RapportEtude", "Deux solutions trouvées (amas de RSI ≥ 10 dB) : %1 (%2 %)\n"),
        {std::to_string(trouves), part(trouves)});
    texte += RemplirModele(
        Traduire("RapportEtude", "Deux points vrais dans des boîtes gardées : %1 (%2 %)\n"),
        {std::to_string(reussis), part(reussis)});
    if (arretes > 0) {
        texte += RemplirModele(Traduire("RapportEtude", "Arrêtés à la limite de mémoire : %1\n"),
                               {std::to_string(arretes)});
    }
    if (sir.empty()) {
        texte += Traduire("RapportEtude", "RSI au meilleur amas (dB) : — (aucun amas qualifié)\n");
    } else {
        texte += RemplirModele(
            Traduire("RapportEtude", "RSI au meilleur amas (dB) : premier quartile %1, médiane %2, "
                                     "troisième quartile %3 (%4 essais)\n"),
            {TexteDb(Quantile(sir, 0.25)), TexteDb(Quantile(sir, 0.5)),
             TexteDb(Quantile(sir, 0.75)), std::to_string(sir.size())});
    }
    texte += RemplirModele(fils > 1 ? Traduire("RapportEtude", "Temps total : %1 s sur %2 fils\n")
                                    : Traduire("RapportEtude", "Temps total : %1 s sur %2 fil\n"),
                           {TexteDecimal(secondes, 2), std::to_string(fils)});
    return texte;
}
