#include "atelier/Reglages.h"

#include "interval/Traduction.h"
#include "sivia/Retards.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <variant>

namespace {

using Membre = std::variant<std::int32_t Reglages::*, double Reglages::*, bool Reglages::*,
                            OrdreStockage Reglages::*, std::string Reglages::*>;

// One setting: its session key, the command-line option that sets it, the member, and its
// rule (the expected value in words, nullptr when any value of its kind does).
struct ChampReglage {
    const char* Cle;
    const char* Option;
    Membre Champ;
    const char* Libelle;
    const char* Attendu;
    bool (*Valable)(double v);
    bool SimplePrecision; // kept in single precision, as the Options dialog stores it
    bool PourResolution;  // checked before a solve in the window too
};

bool AuMoinsUn(double v) {
    return v >= 1;
}
bool Fini(double v) {
    return std::isfinite(v);
}
bool FiniPositif(double v) {
    return std::isfinite(v) && v > 0;
}
bool OrdreConnu(double v) {
    return v == 0 || v == 1;
}

constexpr const char* Bornes = OVREL_TEXTE("Reglages", "chacune des bornes pour X et Y");

const ChampReglage Table[] = {
    {"NbEchantillons", "--echantillons", &Reglages::NbEchantillons,
     OVREL_TEXTE("Reglages", "le nombre d'échantillons N"),
     OVREL_TEXTE("Reglages", "un entier d'au moins 1"), AuMoinsUn, false, false},
    {"BorneInfX", "--boite", &Reglages::BorneInfX, Bornes,
     OVREL_TEXTE("Reglages", "un nombre fini"), Fini, true, true},
    {"BorneSupX", "--boite", &Reglages::BorneSupX, Bornes,
     OVREL_TEXTE("Reglages", "un nombre fini"), Fini, true, true},
    {"BorneInfY", "--boite", &Reglages::BorneInfY, Bornes,
     OVREL_TEXTE("Reglages", "un nombre fini"), Fini, true, true},
    {"BorneSupY", "--boite", &Reglages::BorneSupY, Bornes,
     OVREL_TEXTE("Reglages", "un nombre fini"), Fini, true, true},
    {"PrecisionSivia", "--precision", &Reglages::PrecisionSivia,
     OVREL_TEXTE("Reglages", "la précision pour SIVIA"),
     OVREL_TEXTE("Reglages", "un nombre fini strictement positif"), FiniPositif, false, true},
    {"Stockage", "--stockage", &Reglages::Stockage, OVREL_TEXTE("Reglages", "l'ordre de stockage"),
     OVREL_TEXTE("Reglages", "0 (pile) ou 1 (file)"), OrdreConnu, false, false},
    {"ContrainteDecorrelation", "--contraintes", &Reglages::ContrainteDecorrelation,
     OVREL_TEXTE("Reglages", "la contrainte de décorrélation"), nullptr, nullptr, false, false},
    {"ContrainteDecorrelationDerivees", "--contraintes", &Reglages::ContrainteDecorrelationDerivees,
     OVREL_TEXTE("Reglages", "la contrainte sur les dérivées"), nullptr, nullptr, false, false},
    {"ContrainteMomentOrdre4", "--contraintes", &Reglages::ContrainteMomentOrdre4,
     OVREL_TEXTE("Reglages", "la contrainte du moment d'ordre 4"), nullptr, nullptr, false, false},
    {"ContrainteDecorrelationRetardee", "--contraintes", &Reglages::ContrainteDecorrelationRetardee,
     OVREL_TEXTE("Reglages", "la décorrélation retardée"), nullptr, nullptr, false, false},
    {"ContrainteCumulants", "--contraintes", &Reglages::ContrainteCumulants,
     OVREL_TEXTE("Reglages", "les cumulants d'ordre 4"), nullptr, nullptr, false, false},
    {"ContrainteKurtosis", "--contraintes", &Reglages::ContrainteKurtosis,
     OVREL_TEXTE("Reglages", "le contraste de kurtosis"), nullptr, nullptr, false, false},
    {"ContrainteNeguentropie", "--contraintes", &Reglages::ContrainteNeguentropie,
     OVREL_TEXTE("Reglages", "la néguentropie"), nullptr, nullptr, false, false},
    {"ContrainteSommeKurtosis", "--contraintes", &Reglages::ContrainteSommeKurtosis,
     OVREL_TEXTE("Reglages", "la somme des kurtosis"), nullptr, nullptr, false, false},
    {"Retards", "--retards", &Reglages::Retards, OVREL_TEXTE("Reglages", "les retards"), nullptr,
     nullptr, false, false},
    {"MontrerSolution", "", &Reglages::MontrerSolution,
     OVREL_TEXTE("Reglages", "« Show Solution »"), nullptr, nullptr, false, false},
    {"EstimationAuClic", "", &Reglages::EstimationAuClic,
     OVREL_TEXTE("Reglages", "l'estimation au clic"), nullptr, nullptr, false, false},
};

std::string Texte(double v) {
    if (std::isnan(v)) {
        return "nan";
    }
    if (std::isinf(v)) {
        return v > 0 ? "inf" : "-inf";
    }
    char t[32];
    const auto fin = std::to_chars(t, t + sizeof t, v).ptr;
    return std::string(t, fin);
}

// The field's value as a number, for its rule.
double Valeur(const Reglages& r, const Membre& m) {
    return std::visit(
        [&r](auto membre) {
            if constexpr (std::is_same_v<std::remove_cvref_t<decltype(r.*membre)>, std::string>) {
                return 0.0; // a text has no numeric rule
            } else {
                return double(r.*membre);
            }
        },
        m);
}

std::string Raison(const ChampReglage& c, const Reglages& r) {
    return RemplirModele(Traduire("Reglages", "%1 doit être %2 (%3 vaut %4)"),
                         {Traduire("Reglages", c.Libelle), Traduire("Reglages", c.Attendu), c.Cle,
                          Texte(Valeur(r, c.Champ))});
}

[[noreturn]] void Refuser(const std::filesystem::path& chemin, const char* cle,
                          const std::string& raison) {
    throw ErreurChampSession(
        chemin, RemplirModele(Traduire("Reglages", "le champ « options.%1 » est refusé : %2"),
                              {cle, raison}));
}

// The stored value of a field, converted to the field's kind or refused.
void Affecter(Reglages& r, const ChampReglage& c, const ValeurReglage& v,
              const std::filesystem::path& chemin) {
    const auto refuser = [&](const char* attendu) {
        Refuser(chemin, c.Cle,
                RemplirModele(Traduire("Reglages", "il devrait être %1"),
                              {Traduire("Reglages", attendu)}));
    };
    const auto entier = [&]() -> std::int64_t {
        if (!std::holds_alternative<std::int64_t>(v)) {
            refuser(OVREL_TEXTE("Reglages", "un entier"));
        }
        return std::get<std::int64_t>(v);
    };
    std::visit(
        [&](auto membre) {
            using Type = std::remove_cvref_t<decltype(r.*membre)>;
            if constexpr (std::is_same_v<Type, bool>) {
                if (!std::holds_alternative<bool>(v)) {
                    refuser(OVREL_TEXTE("Reglages", "vrai ou faux"));
                }
                r.*membre = std::get<bool>(v);
            } else if constexpr (std::is_same_v<Type, std::string>) {
                if (!std::holds_alternative<std::string>(v)) {
                    refuser(OVREL_TEXTE("Reglages", "un texte"));
                }
                r.*membre = std::get<std::string>(v);
            } else if constexpr (std::is_same_v<Type, double>) {
                double x = 0;
                if (const auto* e = std::get_if<std::int64_t>(&v)) {
                    x = double(*e);
                } else if (const auto* d = std::get_if<double>(&v)) {
                    x = *d;
                } else {
                    refuser(OVREL_TEXTE("Reglages", "un nombre"));
                }
                r.*membre = c.SimplePrecision ? double(float(x)) : x;
            } else {
                const std::int64_t e = entier();
                if (e < std::numeric_limits<std::int32_t>::min() ||
                    e > std::numeric_limits<std::int32_t>::max()) {
                    refuser(OVREL_TEXTE("Reglages", "un entier"));
                }
                if (c.Valable && !c.Valable(double(e))) {
                    Refuser(chemin, c.Cle,
                            RemplirModele(Traduire("Reglages", "%1 doit être %2 (il vaut %3)"),
                                          {Traduire("Reglages", c.Libelle),
                                           Traduire("Reglages", c.Attendu), std::to_string(e)}));
                }
                r.*membre = Type(e);
            }
        },
        c.Champ);
}

} // namespace

std::optional<DefautReglage> VerifierReglages(const Reglages& r, PorteeVerification portee) {
    for (const ChampReglage& c : Table) {
        if (c.Valable && (portee == PorteeVerification::Tout || c.PourResolution) &&
            !c.Valable(Valeur(r, c.Champ))) {
            return DefautReglage{c.Cle, c.Option, Raison(c, r)};
        }
    }
    if (portee == PorteeVerification::Tout) {
        // The form of the list only: N is not known yet where mixtures are read.
        const std::size_t sansBorne = 2 * std::size_t(std::numeric_limits<int>::max());
        if (const LectureRetards l = LireRetards(r.Retards, sansBorne); !l.Erreur.empty()) {
            std::string raison = l.Erreur;
            raison.pop_back(); // its final period: the callers end the sentence
            return DefautReglage{"Retards", "--retards", raison};
        }
        const struct {
            const char* Cle;
            double Inf, Sup;
            const char* Axe;
        } paires[] = {{"BorneInfX", r.BorneInfX, r.BorneSupX, "X"},
                      {"BorneInfY", r.BorneInfY, r.BorneSupY, "Y"}};
        for (const auto& p : paires) {
            if (p.Inf > p.Sup) {
                return DefautReglage{
                    p.Cle, "--boite",
                    RemplirModele(
                        Traduire(
                            "Reglages",
                            "la borne inférieure pour %1 dépasse la borne supérieure (%2 > %3)"),
                        {p.Axe, Texte(p.Inf), Texte(p.Sup)})};
            }
        }
    }
    return std::nullopt;
}

ReglagesEnregistres EnregistrerReglages(const Reglages& r) {
    ReglagesEnregistres e;
    for (const ChampReglage& c : Table) {
        std::visit(
            [&](auto membre) {
                using Type = std::remove_cvref_t<decltype(r.*membre)>;
                if constexpr (std::is_same_v<Type, bool> || std::is_same_v<Type, double> ||
                              std::is_same_v<Type, std::string>) {
                    e[c.Cle] = r.*membre;
                } else {
                    e[c.Cle] = std::int64_t(r.*membre);
                }
            },
            c.Champ);
    }
    return e;
}

Reglages LireReglages(const std::optional<ReglagesEnregistres>& lus,
                      const std::filesystem::path& chemin, std::vector<std::string>& remarques) {
    Reglages r;
    if (!lus) {
        return r;
    }
    const ReglagesEnregistres& enregistres = *lus;
    for (const ChampReglage& c : Table) {
        const auto it = enregistres.find(c.Cle);
        if (it == enregistres.end()) {
            remarques.push_back(RemplirModele(
                Traduire("Reglages",
                         "Champ « options.%1 » absent : la valeur par défaut est gardée."),
                {c.Cle}));
        } else {
            Affecter(r, c, it->second, chemin);
        }
    }
    for (const auto& [cle, valeur] : enregistres) {
        bool connu = false;
        for (const ChampReglage& c : Table) {
            connu = connu || cle == c.Cle;
        }
        if (!connu) {
            remarques.push_back(
                RemplirModele(Traduire("Reglages", "Champ inconnu « options.%1 » ignoré."), {cle}));
        }
    }
    if (const auto defaut = VerifierReglages(r)) {
        Refuser(chemin, defaut->Cle.c_str(), defaut->Raison);
    }
    return r;
}
