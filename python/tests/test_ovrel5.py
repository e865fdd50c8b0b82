"""The Python module against the command line and the mixing it undoes.

Runs on the module found on PYTHONPATH (the build's, or an installed one); the command line
compared with is OVREL5_PROGRAMME, else the program beside the module (installed or built).
"""
import json
import os
import pathlib
import subprocess
import sys

import numpy as np
import pytest

import ovrel5

A = np.array([[1.0, 0.6], [-0.45, 1.0]])


def programme():
    if "OVREL5_PROGRAMME" in os.environ:
        return os.environ["OVREL5_PROGRAMME"]
    module = pathlib.Path(ovrel5.__file__).resolve().parent
    for p in (module / "../../../bin/ovrel5", module / "../app/ovrel5",
              module / "../tests/ovrel5-sans-fenetre"):
        if p.is_file():
            return str(p)
    pytest.skip("pas de programme ovrel5 à comparer (OVREL5_PROGRAMME)")


@pytest.fixture(scope="module")
def voix():
    dossier = pathlib.Path(ovrel5.exemples())
    s1, f1 = ovrel5.lire_signal(dossier / "voix1.wav")
    s2, f2 = ovrel5.lire_signal(str(dossier / "voix2.wav"))
    assert f1 == f2 == 16000.0
    # The mixing as the command line computes it (a11·s1 + a12·s2, no fused multiply-add).
    x1 = A[0, 0] * s1 + A[0, 1] * s2
    x2 = A[1, 0] * s1 + A[1, 1] * s2
    return dossier, s1, s2, x1, x2


def test_example_voices_are_separated_into_two_clusters_above_20_db(voix):
    _, s1, s2, x1, x2 = voix
    r = ovrel5.resoudre(x1, x2, sources=(s1, s2), matrice=A, frequence=16000)
    vrai = (-A[0, 1] / A[1, 1], -A[1, 0] / A[0, 0])
    permute = (-1 / A[1, 0], -1 / A[0, 1])
    bons = {a["represente"]: a for a in r.amas if a["qualite_exacte"]["sir_moyen_db"] > 20}
    assert set(bons) == {"direct", "permute"}
    for nom, point in (("direct", vrai), ("permute", permute)):
        assert np.allclose(bons[nom]["point"], point, atol=0.01)
        # The quality of the module's own function at the refined point is the cluster's.
        q = ovrel5.qualite(*bons[nom]["point"], A, sources=(s1, s2))
        assert q["sir_moyen_db"] == bons[nom]["qualite_exacte"]["sir_moyen_db"]
    assert np.array_equal(r.points, [a["point"] for a in r.amas])
    # The boxes are the solve's, kept ones within the precision and holding the refined points.
    resolution = r.rapport["resolution"]
    gardees = r.boites[r.boites["classe"] == ovrel5.GARDEE]
    assert len(gardees) == resolution["gardees"] > 0
    assert len(r.boites) - len(gardees) == resolution["rejetees"]
    assert np.all(gardees["xmax"] - gardees["xmin"] <= 0.01)
    assert np.all(r.boites["xmin"] < r.boites["xmax"])
    for x, y in (vrai, permute):
        assert np.any((gardees["xmin"] - 0.01 <= x) & (x <= gardees["xmax"] + 0.01) &
                      (gardees["ymin"] - 0.01 <= y) & (y <= gardees["ymax"] + 0.01))


CAS_RAPPORT = [
    ("sources", {}, ["--matrice", "1,0.6,-0.45,1"]),
    ("réglages", dict(boite=(-3, 3, -2.5, 2.5), precision=0.02,
                      contraintes=["decorrelation", "moment4"], stockage="pile"),
     ["--matrice", "1,0.6,-0.45,1", "--boite", "-3,3,-2.5,2.5", "--precision", "0.02",
      "--contraintes", "decorrelation,moment4", "--stockage", "pile"]),
    ("retards", dict(contraintes=["retards"], retards=[1, 3, 7]),
     ["--matrice", "1,0.6,-0.45,1", "--contraintes", "retards", "--retards", "1,3,7"]),
    ("mélanges seuls", {}, None),
]


@pytest.mark.parametrize("nom,reglages,options", CAS_RAPPORT, ids=[c[0] for c in CAS_RAPPORT])
def test_report_equals_the_command_lines_json(voix, tmp_path, nom, reglages, options):
    dossier, s1, s2, x1, x2 = voix
    if options is None:
        # Mixtures read from a text file, each number written so that it reads back exactly.
        chemin = tmp_path / "melanges.csv"
        chemin.write_text("x1;x2\n" + "".join(f"{a!r};{b!r}\n" for a, b in zip(x1, x2)))
        arguments = ["--melanges", str(chemin)]
        r = ovrel5.resoudre(x1, x2, **reglages)
    else:
        arguments = ["--source1", str(dossier / "voix1.wav"),
                     "--source2", str(dossier / "voix2.wav")] + options
        r = ovrel5.resoudre(x1, x2, sources=(s1, s2), matrice=A, frequence=16000, **reglages)
    sortie = subprocess.run([programme(), "resoudre", "--graine", "0"] + arguments,
                            capture_output=True, text=True, check=True).stdout
    attendu = json.loads(sortie)
    rapport = r.rapport
    # Times differ from run to run; the command line names files where Python had arrays.
    for cle in ("source1", "source2", "melanges"):
        attendu["entrees"].pop(cle)
        valeur = rapport["entrees"].pop(cle)
        if cle == "melanges":
            assert valeur == ["tableau", "tableau"]
        else:
            assert valeur == (None if options is None else {"sorte": "tableau"})
    assert rapport.pop("temps").keys() == attendu.pop("temps").keys()
    assert rapport == attendu
    assert len(rapport["amas"]) == len(r.amas) > 0


def test_estimates_undo_the_mixing(voix):
    _, s1, s2, x1, x2 = voix
    # At the true point ŝ1 = (1 - a12·a21)·s1 and ŝ2 = (1 - a12·a21)·s2 (a11 = a22 = 1).
    e1, e2 = ovrel5.estimer(x1, x2, -A[0, 1], -A[1, 0])
    assert e1.shape == e2.shape == s1.shape
    k = 1 - A[0, 1] * A[1, 0]
    assert np.allclose(e1, k * s1, rtol=0, atol=1e-12)
    assert np.allclose(e2, k * s2, rtol=0, atol=1e-12)
    # Anywhere else, the model's formula itself.
    e1, e2 = ovrel5.estimer(x1, x2, 0.3, -0.2)
    assert np.array_equal(e1, x1 + 0.3 * x2)
    assert np.array_equal(e2, -0.2 * x1 + x2)


def test_channels_are_chosen_by_number_or_name(tmp_path):
    chemin = tmp_path / "signaux.csv"
    chemin.write_text("t;a;b\n0;1.5;-2\n1;2.5;-3\n2;3.5;-4\n")
    for canal in (3, "b"):
        s, f = ovrel5.lire_signal(chemin, canal=canal)
        assert s.tolist() == [-2, -3, -4] and f is None


def test_errors_raise_with_the_french_message(voix, tmp_path):
    _, s1, s2, x1, x2 = voix
    csv = tmp_path / "signaux.csv"
    csv.write_text("t;a;b\n0;1;2\n1;3;4\n")
    cas = [
        (lambda: ovrel5.resoudre(x1, x2, precision=-1), ValueError,
         "option --precision : « -1 » n'est pas valable"),
        (lambda: ovrel5.resoudre(x1, x2, contraintes=["decorrelation", "quatre"]), ValueError,
         "une liste de decorrelation, derivees, moment4, retards"),
        (lambda: ovrel5.resoudre(x1, x2[:-1]), ValueError,
         "les mélanges x1 et x2 n'ont pas la même longueur (80000 et 79999)"),
        (lambda: ovrel5.resoudre(x1, x2, sources=(s1[:10], s2), matrice=A), ValueError,
         "les sources doivent avoir la longueur des mélanges"),
        (lambda: ovrel5.resoudre(x1, x2, boite=(0, 1, 0)), ValueError, "doit avoir 4 nombres"),
        (lambda: ovrel5.resoudre("abc", x2), ValueError,
         "x1 : « 'abc' » n'est pas valable, un tableau de nombres est attendu"),
        (lambda: ovrel5.resoudre(x1, x2, precision="fine"), ValueError,
         "precision : « 'fine' » n'est pas valable"),
        (lambda: ovrel5.resoudre(x1, x2, contraintes=["retards"], retards=[50000]), ValueError,
         "option --retards"),
        (lambda: ovrel5.resoudre(np.array([0.0, np.nan, 1]), np.zeros(3)), ValueError,
         "un échantillon des mélanges est refusé"),
        (lambda: ovrel5.lire_signal(tmp_path / "absent.wav"), OSError,
         "« " + str(tmp_path / "absent.wav") + " » : le fichier n'existe pas"),
        (lambda: ovrel5.lire_signal(csv), ValueError, "3 canaux, choisissez-en un"),
        (lambda: ovrel5.lire_signal(csv, canal="c"), ValueError,
         "pas de canal « c » ; ses canaux : t,a,b"),
        (lambda: ovrel5.lire_signal(csv, canal=0), ValueError, "à partir de 1"),
    ]
    for appel, erreur, texte in cas:
        with pytest.raises(erreur) as e:
            appel()
        assert texte in str(e.value), texte


def test_solves_in_threads_give_the_reports_of_solves_one_after_another(voix):
    _, s1, s2, x1, x2 = voix
    from concurrent.futures import ThreadPoolExecutor

    reglages = [dict(precision=0.02), dict(precision=0.05, contraintes=["decorrelation"]),
                dict(boite=(-1, 1, -1, 1), precision=0.01)]

    def rapport(k):
        r = ovrel5.resoudre(x1, x2, sources=(s1, s2), matrice=A, **k).rapport
        r.pop("temps")
        return r

    seuls = [rapport(k) for k in reglages]
    with ThreadPoolExecutor(3) as fils:
        assert list(fils.map(rapport, reglages)) == seuls


def test_a_solve_stopped_at_the_memory_limit_warns():
    # A mixture of two white noises leaves a wide band of boxes at a fine precision: 1 MiB
    # cannot hold them all, yet the solve is not refused up front.
    script = """
import warnings, numpy as np, ovrel5
g = np.random.default_rng(1)
x = np.array([[1, 0.5], [-0.4, 1]]) @ np.vstack([g.standard_normal(5000), g.uniform(-1, 1, 5000)])
with warnings.catch_warnings(record=True) as w:
    warnings.simplefilter("always")
    r = ovrel5.resoudre(x[0], x[1], precision=1e-6)
print(r.rapport["resolution"]["statut"], [(a.category.__name__, str(a.message)) for a in w])
"""
    env = dict(os.environ, OVREL5_BUDGET_MEMOIRE=str(1 << 20),
               PYTHONPATH=os.pathsep.join(sys.path))
    sortie = subprocess.run([sys.executable, "-c", script], env=env, capture_output=True,
                            text=True, check=True).stdout
    assert sortie.startswith("arrete_a_la_limite [('RuntimeWarning', ")
    assert "limite de mémoire : le pavage est incomplet" in sortie
