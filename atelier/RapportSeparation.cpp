#include "atelier/RapportSeparation.h"

#include "fichiers/ExportPavage.h"
#include "interval/Traduction.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

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

ordered_json Rectangle(const RectanglePlan& r) {
    return {Nombre(r.xmin), Nombre(r.xmax), Nombre(r.ymin), Nombre(r.ymax)};
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

const char* NomMethodePoint(MethodePoint m) {
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

ordered_json PointExactJson(const PointExact& e) {
    const bool paire = e.Methode != MethodePoint::Centre;
    return {{"point", {Nombre(e.Point.x), Nombre(e.Point.y)}},
            {"methode", NomMethodePoint(e.Methode)},
            {"critere", Nombre(e.Critere)},
            {"critere_relatif", paire ? Nombre(e.CritereRelatif) : ordered_json(nullptr)},
            {"solution", paire ? ordered_json(e.Solution) : ordered_json(nullptr)},
            {"racines", e.NbRacines},
            {"preuve", e.Prouve ? "prouvee" : "non_prouvee"},
            {"boite_preuve", e.Prouve ? Rectangle(e.BoitePreuve) : ordered_json(nullptr)}};
}

ordered_json PointsVraisJson(const AnalyseSeparation& a) {
    return {{"direct", Point(a.Vrais.Direct)},
            {"permute", Point(a.Vrais.Permute)},
            {"direct_dans_une_boite_gardee", a.DirectDansUneBoite},
            {"permute_dans_une_boite_gardee", a.PermuteDansUneBoite}};
}

ordered_json RacinesJson(const AnalyseSeparation& a) {
    const RacinesOrdre2& R = a.Racines;
    const bool definie = R.Etat != Identifiabilite::Indefinie;
    return {{"identifiabilite", TexteIdentifiabilite(R.Etat)},
            {"message", MessageRacines(R)},
            {"cause", definie ? ordered_json(nullptr) : ordered_json(NomCause(R.Cause))},
            {"lambda1", definie ? Nombre(R.Lambda1) : ordered_json(nullptr)},
            {"lambda2", definie ? Nombre(R.Lambda2) : ordered_json(nullptr)},
            {"ecart_relatif", definie ? Nombre(R.EcartRelatif) : ordered_json(nullptr)},
            {"racine1", {{"point", Point(R.Racine1)}, {"qualite", QualiteJson(a.QualiteRacine1)}}},
            {"racine2", {{"point", Point(R.Racine2)}, {"qualite", QualiteJson(a.QualiteRacine2)}}}};
}

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

ordered_json ReferencesJson(const std::vector<ReferenceQualifiee>& liste) {
    ordered_json references = ordered_json::array();
    for (const ReferenceQualifiee& q : liste) {
        const ReponseClassique& r = q.Reponse;
        references.push_back(
            {{"methode", NomMethode(r.Methode)},
             {"non_linearite", q.NonLinearite ? ordered_json(NomNonLinearite(*q.NonLinearite))
                                              : ordered_json(nullptr)},
             {"point", Point(r.Point)},
             {"permutation", Point(r.Permutation)},
             {"qualite", QualiteJson(q.QualiteReference)},
             {"converge", r.Converge},
             {"iterations", r.Iterations},
             {"message", r.Message.empty() ? ordered_json(nullptr) : ordered_json(r.Message)}});
    }
    return references;
}

ordered_json SuggestionJson(const AnalyseSeparation& a) {
    const Suggestion& s = a.Conseil;
    const char* jeux[] = {"ordre2",    "retards",  "ordre4",      "aucun",
                          "cumulants", "kurtosis", "negentropie", "somme-kurtosis"};
    ordered_json accords = ordered_json::object();
    for (const Suggestion::Accord& accord : s.Accords) {
        accords[jeux[int(accord.Jeu)]] = Nombre(accord.AccordDb);
    }
    return {{"jeu", jeux[int(s.Jeu)]},
            {"accords_moities_db", accords},
            {"contraintes", s.Jeu != JeuContraintes::Aucun ? NomsContraintes(s.Contraintes)
                                                           : ordered_json::array()},
            {"retards", s.Retards},
            {"kurtosis1", NombreJson(s.Kurtosis1)},
            {"kurtosis2", NombreJson(s.Kurtosis2)},
            {"message", s.Message},
            {"boite_proposee", Rectangle(a.Proposee.Boite)},
            {"boite_modifiee", a.Proposee.Modifiee},
            {"boite_complete", a.Proposee.Complete}};
}

// Every setting under its key in the settings table, as a session holds it.
ordered_json ReglagesJson(const Reglages& r) {
    ordered_json j = ordered_json::object();
    for (const auto& [cle, valeur] : EnregistrerReglages(r)) {
        std::visit(
            [&j, &cle](const auto& v) {
                using Type = std::remove_cvref_t<decltype(v)>;
                if constexpr (std::is_same_v<Type, std::monostate>) {
                    j[cle] = nullptr;
                } else if constexpr (std::is_same_v<Type, double>) {
                    j[cle] = Nombre(v);
                } else {
                    j[cle] = v;
                }
            },
            valeur);
    }
    return j;
}

const char* TexteReference(ReferenceQualite r) {
    switch (r) {
    case ReferenceQualite::Connue:
        return "connue";
    case ReferenceQualite::Inconnue:
        return "inconnue";
    case ReferenceQualite::Indisponible:
        break;
    }
    return "indisponible";
}

} // namespace

ordered_json NombreJson(const std::optional<double>& v) {
    return v ? Nombre(*v) : ordered_json(nullptr);
}

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

ordered_json NomsContraintes(const ContraintesActives& c) {
    ordered_json noms = ordered_json::array();
    for (const auto& [nom, actif, reglage] : ContraintesNommees) {
        if (c.*actif) {
            noms.push_back(nom);
        }
    }
    return noms;
}

ordered_json RapportSeparationJson(const EntreesRapport& e, const AnalyseSeparation* a,
                                   const std::string& indisponible) {
    const Matrice2x2& A = e.A;
    ordered_json entrees;
    entrees["graine"] = e.Graine ? ordered_json(*e.Graine) : ordered_json(nullptr);
    entrees["source1"] = e.Source1;
    entrees["source2"] = e.Source2;
    entrees["melanges"] = e.Melanges;
    entrees["session"] = e.Session;
    entrees["matrice"] =
        A.EstConnue() ? ordered_json{Nombre(A.a11), Nombre(A.a12), Nombre(A.a21), Nombre(A.a22)}
                      : ordered_json(nullptr);
    entrees["matrice_aleatoire"] = e.MatriceAleatoire;
    entrees["echantillons"] = e.N;
    entrees["frequence_hz"] = e.Frequence > 0 ? Nombre(e.Frequence) : ordered_json(nullptr);
    entrees["boite_auto"] = e.BoiteAuto;

    ordered_json rapport;
    rapport["programme"] = "Ovrel 5";
    rapport["format"] = "ovrel5-rapport";
    rapport["version"] = VersionRapport;
    rapport["entrees"] = entrees;
    rapport["reglages"] = ReglagesJson(e.R);
    rapport["reference"] = TexteReference(e.Reference);
    if (a == nullptr) {
        rapport["analyse_indisponible"] = indisponible;
        return rapport;
    }
    // The delays as used for this N (empty when the list does not hold for it).
    rapport["entrees"]["retards"] = a->Retards;
    const ResultatSivia& r = a->Rapport.Resultat;
    rapport["resolution"] = {{"statut", NomStatut(r.Statut)},
                             {"prises", r.NbPrises},
                             {"rejetees", r.NbRejetees},
                             {"gardees", r.NbGardees},
                             {"meilleur_critere", Nombre(r.MeilleurCritere)}};
    rapport["points_vrais"] = PointsVraisJson(*a);
    rapport["racines"] = RacinesJson(*a);
    rapport["amas"] = a->AmasNonCalcules ? ordered_json(nullptr) : AmasJson(a->Rapport.Amas);
    rapport["references"] = ReferencesJson(a->References);
    rapport["suggestion"] = SuggestionJson(*a);
    rapport["temps"] = {
        {"resolution_s", a->Rapport.Secondes},
        {"total_s", e.SecondesTotal ? ordered_json(*e.SecondesTotal) : ordered_json(nullptr)}};
    return rapport;
}

namespace {

// The settings of an older report, on the defaults of the table for what it did not hold.
nlohmann::json ReglagesAnciens(const nlohmann::json& boite, const nlohmann::json& precision,
                               const ContraintesActives& c, const nlohmann::json& entrees) {
    Reglages r;
    const auto nombre = [](const nlohmann::json& v, double defaut) {
        return v.is_number() ? v.get<double>() : defaut;
    };
    if (boite.is_array() && boite.size() == 4) {
        r.BorneInfX = nombre(boite[0], r.BorneInfX);
        r.BorneSupX = nombre(boite[1], r.BorneSupX);
        r.BorneInfY = nombre(boite[2], r.BorneInfY);
        r.BorneSupY = nombre(boite[3], r.BorneSupY);
    }
    r.PrecisionSivia = nombre(precision, r.PrecisionSivia);
    r.ContrainteDecorrelation = c.ContrainteDecorrelation;
    r.ContrainteDecorrelationDerivees = c.ContrainteDecorrelationDerivees;
    r.ContrainteMomentOrdre4 = c.ContrainteMomentOrdre4;
    r.ContrainteDecorrelationRetardee = c.ContrainteDecorrelationRetardee;
    if (entrees.contains("stockage")) {
        r.Stockage = entrees["stockage"] == "pile" ? StockagePile : StockageFile;
    }
    if (entrees.contains("echantillons") && entrees["echantillons"].is_number_integer()) {
        r.NbEchantillons = entrees["echantillons"].get<std::int32_t>();
    }
    if (const auto it = entrees.find("retards"); it != entrees.end() && it->is_array()) {
        std::string texte;
        for (const auto& t : *it) {
            if (!texte.empty()) {
                texte += ',';
            }
            texte += std::to_string(t.get<int>());
        }
        if (!texte.empty()) {
            r.Retards = texte;
        }
    }
    return nlohmann::json(ReglagesJson(r));
}

bool Contient(const nlohmann::json& noms, const char* nom) {
    return noms.is_array() && std::find(noms.begin(), noms.end(), nom) != noms.end();
}

} // namespace

nlohmann::json LireRapportSeparation(const nlohmann::json& j) {
    const auto format = j.value("format", std::string());
    const int version =
        j.contains("version") && j["version"].is_number_integer() ? j["version"].get<int>() : 0;
    if (format == "ovrel5-rapport" && version == VersionRapport) {
        return j;
    }
    nlohmann::json r;
    // Version 1 differs from version 2 in the clusters' flags only, kept as they are.
    if (format == "ovrel5-rapport" && (version == 1 || version == 2)) {
        r = j;
        nlohmann::json& entrees = r["entrees"];
        const nlohmann::json& noms = entrees["contraintes"];
        const ContraintesActives c{Contient(noms, "decorrelation"), Contient(noms, "derivees"),
                                   Contient(noms, "moment4"), Contient(noms, "retards")};
        r["reglages"] = ReglagesAnciens(entrees["boite"], entrees["precision"], c, entrees);
        for (const char* cle : {"boite", "precision", "contraintes", "stockage"}) {
            entrees.erase(cle);
        }
        r["reference"] = entrees["matrice"].is_null() ? "inconnue" : "connue";
    } else if (format == "ovrel5-pavage" && version == 1) {
        r = j;
        const nlohmann::json& b = j["boite_recherche"];
        const nlohmann::json& c = j["contraintes"];
        const nlohmann::json boite = {b["x"][0], b["x"][1], b["y"][0], b["y"][1]};
        const ContraintesActives actives{c.value("decorrelation_sources", false),
                                         c.value("decorrelation_derivees", false),
                                         c.value("moment_ordre_4", false), false};
        r["reglages"] = ReglagesAnciens(boite, j["precision"], actives, nlohmann::json::object());
        r["resolution"] = j["comptes"];
        for (const char* cle : {"boite_recherche", "precision", "contraintes", "comptes"}) {
            r.erase(cle);
        }
        r["programme"] = "Ovrel 5";
        r["format"] = "ovrel5-rapport";
    } else {
        throw std::invalid_argument(RemplirModele(
            Traduire("RapportSeparation", "rapport de format « %1 » version %2 inconnu"),
            {format, std::to_string(version)}));
    }
    r["version"] = VersionRapport;
    return r;
}
