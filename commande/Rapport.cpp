#include "commande/Rapport.h"

#include "analyse/MethodesClassiques.h"
#include "analyse/Suggestion.h"
#include "fichiers/EcritureSignal.h"
#include "fichiers/ExportPavage.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

using nlohmann::ordered_json;

namespace {

ordered_json Nombre(double v) {
    if (std::isnan(v)) {
        return nullptr;
    }
    if (std::isinf(v)) {
        return v > 0 ? "inf" : "-inf";
    }
    return v;
}

ordered_json Point(const std::optional<PointPlan>& p) {
    return p ? ordered_json{Nombre(p->x), Nombre(p->y)} : ordered_json(nullptr);
}

const char* TexteIdentifiabilite(Identifiabilite i) {
    switch (i) {
    case Identifiabilite::Indefinie:
        return "indefinie";
    case Identifiabilite::Nulle:
        return "nulle";
    case Identifiabilite::Faible:
        return "faible";
    case Identifiabilite::Bonne:
        return "bonne";
    }
    return "indefinie";
}

// The length of the valid UTF-8 sequence at the start of `t` (shortest form, no surrogate,
// at most U+10FFFF), 0 when it is not one.
std::size_t SequenceUtf8(std::string_view t) {
    const auto octet = [&](std::size_t i) { return static_cast<unsigned char>(t[i]); };
    const unsigned char c = octet(0);
    const std::size_t n = c < 0x80                 ? 1
                          : c >= 0xC2 && c <= 0xDF ? 2
                          : c >= 0xE0 && c <= 0xEF ? 3
                          : c >= 0xF0 && c <= 0xF4 ? 4
                                                   : 0;
    if (n == 0 || n > t.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < n; ++i) {
        if ((octet(i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    // Overlong three- and four-byte forms, surrogates, and code points past U+10FFFF.
    if ((c == 0xE0 && octet(1) < 0xA0) || (c == 0xED && octet(1) > 0x9F) ||
        (c == 0xF0 && octet(1) < 0x90) || (c == 0xF4 && octet(1) > 0x8F)) {
        return 0;
    }
    return n;
}

// A file name as JSON text: valid UTF-8 kept, each other byte written \xHH (the system allows
// any bytes in a name, JSON only Unicode).
std::string NomFichierJson(std::string_view nom) {
    std::string texte;
    while (!nom.empty()) {
        if (const std::size_t n = SequenceUtf8(nom)) {
            texte.append(nom.substr(0, n));
            nom.remove_prefix(n);
            continue;
        }
        char echappe[8];
        std::snprintf(echappe, sizeof echappe, "\\x%02X", static_cast<unsigned char>(nom[0]));
        texte += echappe;
        nom.remove_prefix(1);
    }
    return texte;
}

ordered_json SourceJson(const SourceDemandee& s, bool lue) {
    if (lue || !s.Type) {
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
    char t[32];
    std::snprintf(t, sizeof t, "%.2f", v);
    return t;
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

ordered_json NombreJson(const std::optional<double>& v) {
    return v ? Nombre(*v) : ordered_json(nullptr);
}

ordered_json QualiteJson(const std::optional<Qualite>& q) {
    if (!q) {
        return nullptr;
    }
    return {{"appariement", q->Paires == Appariement::Identite ? "identite" : "croise"},
            {"sir1_db", NombreJson(q->Sir1)},
            {"sir2_db", NombreJson(q->Sir2)},
            {"sir_moyen_db", NombreJson(q->SirMoyen())},
            {"amari", NombreJson(q->Amari)}};
}

ordered_json PointsVraisJson(const PointsVrais& v) {
    return {{"direct", Point(v.Direct)}, {"permute", Point(v.Permute)}};
}

ordered_json RacinesJson(const RacinesOrdre2& R, const std::optional<Qualite>& q1,
                         const std::optional<Qualite>& q2) {
    const bool definie = R.Etat != Identifiabilite::Indefinie;
    return {{"identifiabilite", TexteIdentifiabilite(R.Etat)},
            {"message", MessageRacines(R)},
            {"cause", definie ? ordered_json(nullptr) : ordered_json(NomCause(R.Cause))},
            {"lambda1", definie ? Nombre(R.Lambda1) : ordered_json(nullptr)},
            {"lambda2", definie ? Nombre(R.Lambda2) : ordered_json(nullptr)},
            {"ecart_relatif", definie ? Nombre(R.EcartRelatif) : ordered_json(nullptr)},
            {"racine1", {{"point", Point(R.Racine1)}, {"qualite", QualiteJson(q1)}}},
            {"racine2", {{"point", Point(R.Racine2)}, {"qualite", QualiteJson(q2)}}}};
}

namespace {

const char* NomMethode(MethodePoint m) {
    switch (m) {
    case MethodePoint::Newton:
        return "newton";
    case MethodePoint::Minimisation:
        return "minimisation";
    case MethodePoint::Centre:
        break;
    }
    return "centre";
}

ordered_json Rectangle(const RectanglePlan& r) {
    return {Nombre(r.xmin), Nombre(r.xmax), Nombre(r.ymin), Nombre(r.ymax)};
}

ordered_json NomsContraintes(const ContraintesActives& c) {
    ordered_json noms = ordered_json::array();
    if (c.ContrainteDecorrelation) {
        noms.push_back("decorrelation");
    }
    if (c.ContrainteDecorrelationDerivees) {
        noms.push_back("derivees");
    }
    if (c.ContrainteMomentOrdre4) {
        noms.push_back("moment4");
    }
    if (c.ContrainteDecorrelationRetardee) {
        noms.push_back("retards");
    }
    if (c.ContrainteCumulants) {
        noms.push_back("cumulants");
    }
    return noms;
}

ordered_json PointExactJson(const PointExact& e) {
    const bool paire = e.Methode != MethodePoint::Centre;
    return {{"point", {Nombre(e.Point.x), Nombre(e.Point.y)}},
            {"methode", NomMethode(e.Methode)},
            {"critere", Nombre(e.Critere)},
            {"critere_relatif", paire ? Nombre(e.CritereRelatif) : ordered_json(nullptr)},
            {"solution", paire ? ordered_json(e.Solution) : ordered_json(nullptr)},
            {"racines", e.NbRacines},
            {"preuve", e.Prouve ? "prouvee" : "non_prouvee"},
            {"boite_preuve", e.Prouve ? Rectangle(e.BoitePreuve) : ordered_json(nullptr)}};
}

} // namespace

ordered_json AmasJson(const std::vector<AmasQualifie>& liste) {
    ordered_json amas = ordered_json::array();
    int numero = 0;
    for (const AmasQualifie& a : liste) {
        const PointPlan centre = a.Groupe.Centre();
        amas.push_back(
            {{"numero", ++numero},
             {"boites", a.Groupe.NbBoites},
             {"enveloppe", Rectangle(a.Groupe.Enveloppe)},
             {"centre", {Nombre(centre.x), Nombre(centre.y)}},
             {"aire", Nombre(a.Groupe.Aire)},
             {"etendu", a.Groupe.Etendu},
             {"point_exact", PointExactJson(a.Exact)},
             {"ecart_point_vrai", NombreJson(a.EcartDirect)},
             {"ecart_point_permute", NombreJson(a.EcartPermute)},
             {"represente", a.Represente == PointRepresente::Direct    ? ordered_json("direct")
                            : a.Represente == PointRepresente::Permute ? ordered_json("permute")
                                                                       : ordered_json(nullptr)},
             {"qualite", QualiteJson(a.QualiteCentre)},
             {"qualite_exacte", QualiteJson(a.QualiteExacte)}});
    }
    return amas;
}

namespace {

// What to try next and a box holding both solutions, from the mixtures of this run.
ordered_json SuggestionJson(const Melanges& m, const std::vector<int>& retards,
                            const ResultatChaine& c, const RectanglePlan& boite) {
    const Suggestion s = SuggererSelonMelanges(m, PremierPointSolution(c.Rapport.Amas), retards);
    const char* jeux[] = {"ordre2", "retards", "ordre4", "aucun", "cumulants"};
    ordered_json contraintes = ordered_json::array();
    if (s.Jeu != JeuContraintes::Aucun) {
        contraintes = NomsContraintes(s.Contraintes);
    }
    const BoiteProposee b = ProposerBoite({c.Racines.Racine1, c.Racines.Racine2}, boite);
    ordered_json accords = ordered_json::object();
    for (const Suggestion::Accord& a : s.Accords) {
        accords[jeux[int(a.Jeu)]] = Nombre(a.AccordDb);
    }
    return {{"jeu", jeux[int(s.Jeu)]},
            {"accords_moities_db", accords},
            {"contraintes", contraintes},
            {"retards", s.Retards},
            {"kurtosis1", NombreJson(s.Kurtosis1)},
            {"kurtosis2", NombreJson(s.Kurtosis2)},
            {"message", s.Message},
            {"boite_proposee", Rectangle(b.Boite)},
            {"boite_modifiee", b.Modifiee},
            {"boite_complete", b.Complete}};
}

const char* NomNonLinearite(NonLineariteIca g) {
    switch (g) {
    case NonLineariteIca::LogCosh:
        return "logcosh";
    case NonLineariteIca::Cube:
        return "cube";
    case NonLineariteIca::Gauss:
        return "gauss";
    }
    return "?";
}

// SOBI's delays: those of the chain when they hold for N, else the default ones that do.
std::vector<int> RetardsSobi(const OptionsCommande& o, std::int32_t N) {
    if (LectureRetards l = RetardsDeLaChaine(o, N); l.Erreur.empty()) {
        return std::move(l.Retards);
    }
    std::vector<int> retards;
    for (const int t : OptionsClassiques{}.Retards) {
        if (t <= N / 2) {
            retards.push_back(t);
        }
    }
    return retards;
}

ordered_json ReferenceJson(const ReponseClassique& r, std::optional<NonLineariteIca> g,
                           const EntreesChaine& e, const PuissancesSources& P) {
    std::optional<Qualite> q;
    if (r.Point && e.A.EstConnue()) {
        q = CalculerQualite(r.Point->x, r.Point->y, e.A, P);
    }
    return {{"methode", NomMethode(r.Methode)},
            {"non_linearite", g ? ordered_json(NomNonLinearite(*g)) : ordered_json(nullptr)},
            {"point", Point(r.Point)},
            {"permutation", Point(r.Permutation)},
            {"qualite", QualiteJson(q)},
            {"converge", r.Converge},
            {"iterations", r.Iterations},
            {"message", r.Message.empty() ? ordered_json(nullptr) : ordered_json(r.Message)}};
}

} // namespace

ordered_json ReferencesJson(const OptionsCommande& o, const EntreesChaine& e,
                            const PuissancesSources& P) {
    const OptionsClassiques defaut;
    const std::size_t n =
        std::min({std::size_t(std::max(e.N, 0)), e.M.Melange1.size(), e.M.Melange2.size()});
    ordered_json references = ordered_json::array();
    references.push_back(ReferenceJson(CalculerAmuse(e.M.Moments, n), std::nullopt, e, P));
    references.push_back(ReferenceJson(
        CalculerSobi(e.M.Melange1, e.M.Melange2, e.N, RetardsSobi(o, e.N), defaut.IterationsMax),
        std::nullopt, e, P));
    for (const NonLineariteIca g :
         {NonLineariteIca::LogCosh, NonLineariteIca::Cube, NonLineariteIca::Gauss}) {
        references.push_back(ReferenceJson(CalculerFastIca(e.M.Melange1, e.M.Melange2, e.N, g,
                                                           defaut.IterationsMax, defaut.Tolerance),
                                           g, e, P));
    }
    references.push_back(ReferenceJson(
        CalculerJade(e.M.Melange1, e.M.Melange2, e.N, defaut.IterationsMax), std::nullopt, e, P));
    return references;
}

ordered_json RapportResolution(const OptionsCommande& o, const EntreesChaine& e,
                               const ResultatChaine& c, double secondesTotal) {
    const bool melangesLus = e.Source1.empty() && e.Source2.empty();
    const ordered_json contraintes = NomsContraintes(o.Contraintes);
    ordered_json entrees;
    entrees["graine"] = e.Graine;
    if (melangesLus) {
        entrees["source1"] = nullptr;
        entrees["source2"] = nullptr;
    } else {
        entrees["source1"] = SourceJson(o.Source1, false);
        entrees["source2"] = SourceJson(o.Source2, false);
    }
    ordered_json melanges = nullptr;
    for (const std::string& nom : o.FichiersMelanges) {
        melanges.push_back(NomFichierJson(nom));
    }
    entrees["melanges"] = melanges;
    entrees["session"] =
        o.Session.empty() ? ordered_json(nullptr) : ordered_json(NomFichierJson(o.Session));
    entrees["matrice"] = e.A.EstConnue() ? ordered_json{Nombre(e.A.a11), Nombre(e.A.a12),
                                                        Nombre(e.A.a21), Nombre(e.A.a22)}
                                         : ordered_json(nullptr);
    entrees["matrice_aleatoire"] = o.MatriceAleatoire;
    entrees["echantillons"] = e.N;
    entrees["frequence_hz"] = e.Frequence > 0 ? Nombre(e.Frequence) : ordered_json(nullptr);
    entrees["boite"] = {Nombre(o.Boite[0]), Nombre(o.Boite[1]), Nombre(o.Boite[2]),
                        Nombre(o.Boite[3])};
    entrees["boite_auto"] = o.BoiteAuto;
    entrees["precision"] = Nombre(o.Precision);
    entrees["contraintes"] = contraintes;
    // The delays as used for this N (empty when the list does not hold for it).
    entrees["retards"] = RetardsDeLaChaine(o, e.N).Retards;
    entrees["stockage"] = o.Stockage == StockagePile ? "pile" : "file";

    const ResultatSivia& r = c.Rapport.Resultat;
    ordered_json resolution = {{"statut", NomStatut(r.Statut)},
                               {"prises", r.NbPrises},
                               {"rejetees", r.NbRejetees},
                               {"gardees", r.NbGardees},
                               {"meilleur_critere", Nombre(r.MeilleurCritere)}};

    ordered_json rapport;
    rapport["programme"] = "Ovrel 5";
    rapport["format"] = "ovrel5-rapport";
    rapport["version"] = 2;
    rapport["entrees"] = entrees;
    rapport["resolution"] = resolution;
    rapport["points_vrais"] = PointsVraisJson(c.Vrais);
    rapport["points_vrais"]["direct_dans_une_boite_gardee"] = c.DirectDansUneBoite;
    rapport["points_vrais"]["permute_dans_une_boite_gardee"] = c.PermuteDansUneBoite;
    rapport["racines"] = RacinesJson(c.Racines, c.QualiteRacine1, c.QualiteRacine2);
    rapport["amas"] = AmasJson(c.Rapport.Amas);
    rapport["references"] = ReferencesJson(o, e, c.Puissances);
    rapport["suggestion"] = SuggestionJson(e.M, RetardsDeLaChaine(o, e.N).Retards, c,
                                           {o.Boite[0], o.Boite[1], o.Boite[2], o.Boite[3]});
    rapport["temps"] = {{"resolution_s", c.Rapport.Secondes}, {"total_s", secondesTotal}};
    return rapport;
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
    char t[256];
    std::string texte;
    std::snprintf(t, sizeof t, "Essais : %zu\n", bilans.size());
    texte += t;
    const auto part = [&](std::size_t k) {
        return bilans.empty() ? 0.0 : 100.0 * double(k) / double(bilans.size());
    };
    std::snprintf(t, sizeof t, "Deux solutions trouvées (amas de SIR ≥ 10 dB) : %zu (%.1f %%)\n",
                  trouves, part(trouves));
    texte += t;
    std::snprintf(t, sizeof t, "Deux points vrais dans des boîtes gardées : %zu (%.1f %%)\n",
                  reussis, part(reussis));
    texte += t;
    if (arretes > 0) {
        std::snprintf(t, sizeof t, "Arrêtés à la limite de mémoire : %zu\n", arretes);
        texte += t;
    }
    if (sir.empty()) {
        texte += "SIR au meilleur amas (dB) : — (aucun amas qualifié)\n";
    } else {
        texte += "SIR au meilleur amas (dB) : premier quartile " + TexteDb(Quantile(sir, 0.25)) +
                 ", médiane " + TexteDb(Quantile(sir, 0.5)) + ", troisième quartile " +
                 TexteDb(Quantile(sir, 0.75)) + " (" + std::to_string(sir.size()) + " essais)\n";
    }
    std::snprintf(t, sizeof t, "Temps total : %.2f s sur %d fil%s\n", secondes, fils,
                  fils > 1 ? "s" : "");
    texte += t;
    return texte;
}
