#!/usr/bin/env python3
"""Separates the two example voices with Ovrel 5 from Python, and compares with
scikit-learn's FastICA when it is installed.

    PYTHONPATH=<prefix>/lib/python3/dist-packages python3 docs/exemple_python.py

(or PYTHONPATH=build/python from a build tree; Debian's package puts the module where
python3 finds it).
"""
import numpy as np

import ovrel5

dossier = ovrel5.exemples()
s1, frequence = ovrel5.lire_signal(dossier + "/voix1.wav")
s2, _ = ovrel5.lire_signal(dossier + "/voix2.wav")
A = np.array([[1.0, 0.6], [-0.45, 1.0]])
x1, x2 = A @ np.vstack([s1, s2])

r = ovrel5.resoudre(x1, x2, boite=(-5, 5, -5, 5), precision=0.01,
                    contraintes=["decorrelation", "derivees"], sources=(s1, s2), matrice=A,
                    frequence=frequence)
print(f"{len(s1)} échantillons à {frequence:g} Hz, {len(r.boites)} boîtes, "
      f"{len(r.amas)} amas")
for a in r.amas:
    q = a["qualite_exacte"]
    print(f"  amas {a['numero']} : point ({a['point'][0]:+.4f}, {a['point'][1]:+.4f}), "
          f"SIR moyen {q['sir_moyen_db']:.1f} dB, Amari {q['amari']:.2e}, {a['represente']}")

# The estimates at the best cluster's point, beside the sources they stand for (crossed at the
# permuted point).
meilleur = max(r.amas, key=lambda a: a["qualite_exacte"]["sir_moyen_db"])
e1, e2 = ovrel5.estimer(x1, x2, *meilleur["point"])
vraies = (s2, s1) if meilleur["qualite_exacte"]["appariement"] == "croise" else (s1, s2)
print("corrélation de chaque estimée avec sa source, au signe près : " +
      ", ".join(f"{abs(np.corrcoef(e, s)[0, 1]):.6f}" for e, s in zip((e1, e2), vraies)))

try:
    from sklearn.decomposition import FastICA
except ImportError:
    print("scikit-learn n'est pas installé : pas de comparaison avec FastICA.")
else:
    ica = FastICA(n_components=2, whiten="unit-variance", random_state=0)
    ica.fit(np.column_stack([x1, x2]))
    W = ica.components_
    # Each row scaled to the model's form (1, x) and (y, 1); the pairing is found by qualite.
    q = ovrel5.qualite(W[0, 1] / W[0, 0], W[1, 0] / W[1, 1], A, sources=(s1, s2))
    print(f"FastICA (scikit-learn) : SIR moyen {q['sir_moyen_db']:.1f} dB, "
          f"Amari {q['amari']:.2e}")
