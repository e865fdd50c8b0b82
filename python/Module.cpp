// The Python module ovrel5: NumPy arrays in, the command line's chain and report out
// (Moteur.h). Errors become Python exceptions carrying the French message: a bad value
// ValueError, an unreadable file OSError, a solve beyond the memory budget MemoryError.
#include "python/Moteur.h"

#include "fichiers/ErreurFichier.h"
#include "signal/Memoire.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <cstring>

namespace py = pybind11;

namespace {

using Tableau = py::array_t<double, py::array::c_style | py::array::forcecast>;

// A Python value as T; one of another type is a bad value, named, as on the command line.
template <typename T> T Lire(const py::handle& objet, const std::string& nom, const char* attendu) {
    try {
        return py::cast<T>(objet);
    } catch (const py::error_already_set& e) {
        // NumPy's own refusal (a text that is no number) gets the same French message.
        if (!e.matches(PyExc_ValueError) && !e.matches(PyExc_TypeError)) {
            throw;
        }
    } catch (const py::cast_error&) {
    }
    throw ErreurOption(nom + " : « " + py::cast<std::string>(py::repr(objet)) +
                       " » n'est pas valable, " + attendu + " est attendu.");
}

std::vector<double> Vecteur(const py::handle& objet, const char* nom) {
    const auto t = Lire<Tableau>(objet, nom, "un tableau de nombres");
    if (t.ndim() != 1) {
        throw ErreurOption(std::string(nom) + " doit être un tableau à une dimension (ici " +
                           std::to_string(t.ndim()) + ").");
    }
    return {t.data(), t.data() + t.size()};
}

std::vector<double> Coefficients(const py::handle& objet, const char* nom, py::ssize_t n) {
    const auto t = Lire<Tableau>(objet, nom, "un tableau de nombres");
    if (t.size() != n) {
        throw ErreurOption(std::string(nom) + " doit avoir " + std::to_string(n) +
                           " nombres (ici " + std::to_string(t.size()) + ").");
    }
    return {t.data(), t.data() + t.size()};
}

Matrice2x2 Matrice(const py::handle& objet) {
    const std::vector<double> a = Coefficients(objet, "la matrice (2 × 2)", 4);
    return {a[0], a[1], a[2], a[3]};
}

py::array_t<double> Numpy(const std::vector<double>& v) {
    py::array_t<double> t(py::ssize_t(v.size()));
    if (!v.empty()) {
        std::memcpy(t.mutable_data(), v.data(), v.size() * sizeof(double));
    }
    return t;
}

// The report's JSON as Python values, as json.loads would give them.
py::object Python(const nlohmann::ordered_json& j) {
    switch (j.type()) {
    case nlohmann::json::value_t::null:
        return py::none();
    case nlohmann::json::value_t::boolean:
        return py::bool_(j.get<bool>());
    case nlohmann::json::value_t::number_integer:
        return py::int_(j.get<std::int64_t>());
    case nlohmann::json::value_t::number_unsigned:
        return py::int_(j.get<std::uint64_t>());
    case nlohmann::json::value_t::number_float:
        return py::float_(j.get<double>());
    case nlohmann::json::value_t::string:
        // Bytes of a name that are not UTF-8 are replaced, as the command line's dump does.
        return py::reinterpret_steal<py::object>(
            PyUnicode_DecodeUTF8(j.get_ref<const std::string&>().data(),
                                 py::ssize_t(j.get_ref<const std::string&>().size()), "replace"));
    case nlohmann::json::value_t::array: {
        py::list l;
        for (const auto& e : j) {
            l.append(Python(e));
        }
        return l;
    }
    case nlohmann::json::value_t::object: {
        py::dict d;
        for (const auto& [cle, valeur] : j.items()) {
            d[py::str(cle)] = Python(valeur);
        }
        return d;
    }
    default:
        return py::none();
    }
}

py::object Optionnel(const std::optional<double>& v) {
    return v ? py::object(py::float_(*v)) : py::object(py::none());
}

py::object PointPython(const std::optional<PointPlan>& p) {
    return p ? py::object(py::make_tuple(p->x, p->y)) : py::object(py::none());
}

// The quality at a point with Python numbers: an infinite SIR is float('inf'), an undefined
// value None.
py::object QualitePython(const std::optional<Qualite>& q) {
    if (!q) {
        return py::none();
    }
    py::array_t<double> G({2, 2});
    auto g = G.mutable_unchecked<2>();
    g(0, 0) = q->G.g11, g(0, 1) = q->G.g12, g(1, 0) = q->G.g21, g(1, 1) = q->G.g22;
    py::dict d;
    d["appariement"] = q->Paires == Appariement::Identite ? "identite" : "croise";
    d["sir1_db"] = Optionnel(q->Sir1);
    d["sir2_db"] = Optionnel(q->Sir2);
    d["sir_moyen_db"] = Optionnel(q->SirMoyen());
    d["amari"] = Optionnel(q->Amari);
    d["G"] = G;
    return d;
}

py::list AmasPython(const std::vector<AmasQualifie>& liste) {
    py::list amas;
    int numero = 0;
    for (const AmasQualifie& a : liste) {
        const RectanglePlan& r = a.Groupe.Enveloppe;
        py::dict d;
        d["numero"] = ++numero;
        d["boites"] = a.Groupe.NbBoites;
        d["enveloppe"] = py::make_tuple(r.xmin, r.xmax, r.ymin, r.ymax);
        d["centre"] = PointPython(a.Groupe.Centre());
        d["point"] = PointPython(a.Exact.Point);
        d["solution"] = a.Exact.Solution;
        d["represente"] = a.Represente == PointRepresente::Direct ? py::object(py::str("direct"))
                          : a.Represente == PointRepresente::Permute
                              ? py::object(py::str("permute"))
                              : py::object(py::none());
        d["qualite"] = QualitePython(a.QualiteCentre);
        d["qualite_exacte"] = QualitePython(a.QualiteExacte);
        amas.append(d);
    }
    return amas;
}

// One record per box: rejected boxes first, then kept ones (class REJETEE or GARDEE).
struct BoitePython {
    double xmin, xmax, ymin, ymax;
    std::int8_t classe;
};
constexpr std::int8_t Rejetee = 0, Gardee = 1;

py::array_t<BoitePython> BoitesPython(const BoxList& rejetees, const BoxList& solution) {
    py::array_t<BoitePython> t(py::ssize_t(rejetees.Size()) + py::ssize_t(solution.Size()));
    BoitePython* b = t.mutable_data();
    for (const auto& [liste, classe] :
         {std::pair{&rejetees, Rejetee}, std::pair{&solution, Gardee}}) {
        for (const Box& boite : *liste) {
            *b++ = {boite[1].Lower(), boite[1].Upper(), boite[2].Lower(), boite[2].Upper(), classe};
        }
    }
    return t;
}

// What ovrel5.resoudre returns.
struct Resolution {
    py::list amas;
    py::object points;
    py::tuple racines;
    py::object rapport;
    py::object boites;
};

Resolution Resoudre(const py::handle& x1, const py::handle& x2, const py::object& boite,
                    const py::object& precision, const py::object& contraintes,
                    const py::object& retards, const py::object& sources, const py::object& matrice,
                    const py::object& stockage, const py::object& frequence) {
    DemandeResolution d;
    d.Melange1 = Vecteur(x1, "x1");
    d.Melange2 = Vecteur(x2, "x2");
    if (!sources.is_none()) {
        const auto s = Lire<py::sequence>(sources, "sources", "un couple (s1, s2)");
        if (s.size() != 2) {
            throw ErreurOption("sources doit être un couple (s1, s2).");
        }
        d.Sources.emplace(Vecteur(s[0], "s1"), Vecteur(s[1], "s2"));
    }
    if (!matrice.is_none()) {
        d.Matrice = Matrice(matrice);
    }
    if (!boite.is_none()) {
        d.Boite = Coefficients(boite, "la boîte (xmin, xmax, ymin, ymax)", 4);
    }
    if (!precision.is_none()) {
        d.Precision = Lire<double>(precision, "precision", "un nombre");
    }
    if (!contraintes.is_none()) {
        d.Contraintes =
            py::isinstance<py::str>(contraintes)
                ? std::vector<std::string>{py::cast<std::string>(contraintes)}
                : Lire<std::vector<std::string>>(contraintes, "contraintes", "une liste de noms");
    }
    if (!retards.is_none()) {
        d.Retards = Lire<std::vector<int>>(retards, "retards", "une liste d'entiers");
    }
    if (!stockage.is_none()) {
        d.Stockage = Lire<std::string>(stockage, "stockage", "file ou pile");
    }
    if (!frequence.is_none()) {
        d.Frequence = Lire<double>(frequence, "frequence", "un nombre de hertz");
    }
    std::unique_ptr<ResolutionMoteur> r;
    {
        py::gil_scoped_release libre;
        r = ResoudreMoteur(d);
    }
    // The command line exits with status 4 there; Python keeps the partial paving and warns.
    if (r->Chaine.Rapport.Resultat.Statut == StatutSivia::ArreteALaLimite &&
        PyErr_WarnEx(PyExc_RuntimeWarning,
                     "la résolution s'est arrêtée à la limite de mémoire : le pavage est "
                     "incomplet (statut « arrete_a_la_limite » du rapport).",
                     1) != 0) {
        throw py::error_already_set();
    }
    Resolution resultat;
    resultat.amas = AmasPython(r->Chaine.Rapport.Amas);
    py::array_t<double> points({py::ssize_t(r->Chaine.Rapport.Amas.size()), py::ssize_t(2)});
    auto p = points.mutable_unchecked<2>();
    for (py::ssize_t i = 0; i < p.shape(0); ++i) {
        p(i, 0) = r->Chaine.Rapport.Amas[std::size_t(i)].Exact.Point.x;
        p(i, 1) = r->Chaine.Rapport.Amas[std::size_t(i)].Exact.Point.y;
    }
    resultat.points = points;
    resultat.racines = py::make_tuple(PointPython(r->Chaine.Racines.Racine1),
                                      PointPython(r->Chaine.Racines.Racine2));
    resultat.rapport = Python(r->Rapport);
    resultat.boites = BoitesPython(r->Rejetees, r->Solution);
    return resultat;
}

} // namespace

PYBIND11_MODULE(ovrel5, m) {
    PYBIND11_NUMPY_DTYPE(BoitePython, xmin, xmax, ymin, ymax, classe);
    m.doc() = "Ovrel 5 : séparation aveugle de deux sources par analyse par intervalles (SIVIA), "
              "la chaîne de la ligne de commande « ovrel5 resoudre » sur des tableaux NumPy.";
    m.attr("__version__") = OVREL_VERSION;
    m.attr("REJETEE") = Rejetee;
    m.attr("GARDEE") = Gardee;

    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) {
                std::rethrow_exception(p);
            }
        } catch (const ErreurOption& e) {
            PyErr_SetString(PyExc_ValueError, e.what());
        } catch (const ErreurFichier& e) {
            PyErr_SetString(PyExc_OSError, e.what());
        } catch (const ErreurMemoire& e) {
            PyErr_SetString(PyExc_MemoryError, e.what());
        }
    });

    py::class_<Resolution>(m, "Resolution",
                           "Le résultat d'une résolution : amas, points, racines, rapport, boîtes.")
        .def_readonly("amas", &Resolution::amas,
                      "Les amas de boîtes gardées, du plus grand au plus petit : enveloppe, "
                      "centre, point affiné (« point »), qualité au centre et au point.")
        .def_readonly("points", &Resolution::points,
                      "Les points affinés des amas, un tableau (k, 2) de (x, y).")
        .def_readonly("racines", &Resolution::racines,
                      "Les deux racines exactes d'ordre 2, (x, y) ou None chacune.")
        .def_readonly("rapport", &Resolution::rapport,
                      "Le rapport, le même dictionnaire que le JSON de « ovrel5 resoudre ».")
        .def_readonly("boites", &Resolution::boites,
                      "Les boîtes du pavage, tableau structuré NumPy (xmin, xmax, ymin, ymax, "
                      "classe) ; classe vaut REJETEE ou GARDEE.")
        .def("__repr__", [](const Resolution& r) {
            return "<ovrel5.Resolution : " + std::to_string(r.amas.size()) + " amas, " +
                   std::to_string(py::len(r.boites)) + " boîtes>";
        });

    m.def("resoudre", &Resoudre, py::arg("x1"), py::arg("x2"), py::kw_only(),
          py::arg("boite") = py::none(), py::arg("precision") = py::none(),
          py::arg("contraintes") = py::none(), py::arg("retards") = py::none(),
          py::arg("sources") = py::none(), py::arg("matrice") = py::none(),
          py::arg("stockage") = py::none(), py::arg("frequence") = py::none(),
          R"(Pave le plan (x, y) des paramètres de séparation des mélanges x1, x2.

Le modèle est ŝ1 = x1 + x·x2, ŝ2 = y·x1 + x2. Mêmes réglages et mêmes défauts que
« ovrel5 resoudre » : boite=(xmin, xmax, ymin, ymax), precision, contraintes (liste parmi
decorrelation, derivees, moment4, retards), retards (liste d'entiers), stockage ("file" ou
"pile"). sources=(s1, s2) et matrice (2 × 2) donnent les qualités (SIR, indice d'Amari) ;
frequence (Hz) n'est que rapportée. Rend un objet Resolution. Une valeur refusée lève
ValueError avec le message de la ligne de commande.)");

    m.def(
        "estimer",
        [](const py::handle& x1, const py::handle& x2, double x, double y) {
            const std::vector<double> a = Vecteur(x1, "x1"), b = Vecteur(x2, "x2");
            std::pair<std::vector<double>, std::vector<double>> e;
            {
                py::gil_scoped_release libre;
                e = EstimerMoteur(x, y, a, b);
            }
            return py::make_tuple(Numpy(e.first), Numpy(e.second));
        },
        py::arg("x1"), py::arg("x2"), py::arg("x"), py::arg("y"),
        "Les sources estimées au point (x, y) : (x1 + x·x2, y·x1 + x2), deux tableaux.");

    m.def(
        "lire_signal",
        [](const py::object& chemin, const py::object& canal) {
            const auto texte =
                py::cast<std::string>(py::module_::import("os").attr("fspath")(chemin));
            int numero = 0;
            std::string nom;
            if (py::isinstance<py::str>(canal)) {
                nom = py::cast<std::string>(canal);
            } else if (!canal.is_none()) {
                numero = Lire<int>(canal, "canal", "un numéro à partir de 1 ou un nom");
                if (numero < 1) {
                    throw ErreurOption("canal " + std::to_string(numero) +
                                       " : les canaux se comptent à partir de 1.");
                }
            }
            SignalLu s;
            {
                py::gil_scoped_release libre;
                s = LireSignalMoteur(texte, numero, nom);
            }
            return py::make_tuple(Numpy(s.Echantillons), s.Frequence > 0
                                                             ? py::object(py::float_(s.Frequence))
                                                             : py::object(py::none()));
        },
        py::arg("chemin"), py::arg("canal") = py::none(),
        R"(Lit un canal d'un fichier audio (WAV, FLAC, Ogg…) ou texte (CSV).

canal se compte à partir de 1, comme « FICHIER:2 » sur la ligne de commande, ou nomme une
colonne par son en-tête ; sans canal, un fichier de plusieurs canaux est refusé (ValueError
qui les liste). Rend (tableau, fréquence en Hz ou None). Un fichier illisible lève OSError.)");

    m.def(
        "qualite",
        [](double x, double y, const py::handle& matrice, const py::object& sources) {
            std::vector<double> s1, s2;
            if (!sources.is_none()) {
                const auto s = Lire<py::sequence>(sources, "sources", "un couple (s1, s2)");
                if (s.size() != 2) {
                    throw ErreurOption("sources doit être un couple (s1, s2).");
                }
                s1 = Vecteur(s[0], "s1");
                s2 = Vecteur(s[1], "s2");
            }
            return QualitePython(QualiteMoteur(x, y, Matrice(matrice), s1, s2));
        },
        py::arg("x"), py::arg("y"), py::arg("matrice"), py::arg("sources") = py::none(),
        R"(La qualité de séparation au point (x, y) pour la matrice de mélange A (2 × 2).

Rend un dictionnaire : G = W·A, l'appariement retenu, le SIR de chaque estimée et leur
moyenne en dB (float('inf') pour une séparation exacte ; None sans les sources, dont les
puissances pèsent les SIR) et l'indice d'Amari de G (0 pour une séparation parfaite).)");

    m.def("exemples", &ExemplesMoteur,
          "Le dossier des voix d'exemple (voix1.wav, voix2.wav), trouvé depuis le module "
          "installé ou l'arbre de construction ; OSError quand elles manquent.");
}
