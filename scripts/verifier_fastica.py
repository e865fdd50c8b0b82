#!/usr/bin/python3
"""Outside check of our FastICA: runs scikit-learn's FastICA (Debian package python3-sklearn,
never a dependency of the program) on the same mixtures as bench_separation and compares the
mean SIR (dB) per pair with ours.

    build/bench/bench_separation build/enregistrements --csv essais.csv
    scripts/verifier_fastica.py essais.csv build/enregistrements

The SIR is computed as the program does (analyse/Qualite): G = W.A, the SIR of each estimate
with the pairing of the larger mean, the powers being the mean squares of the sources.
"""
import csv
import math
import statistics
import sys
import wave
from collections import defaultdict

try:
    import numpy as np
    from sklearn.decomposition import FastICA
except ImportError:
    print("verifier_fastica.py : python3-sklearn n'est pas installé (apt-get install "
          "python3-sklearn) ; vérification sautée.")
    sys.exit(0)

NOMS = {"logcosh": "FastICA logcosh", "cube": "FastICA cube", "exp": "FastICA gauss"}


def lire(chemin):
    with wave.open(chemin) as w:
        assert w.getsampwidth() == 2 and w.getnchannels() == 1, chemin
        return np.frombuffer(w.readframes(w.getnframes()), dtype="<i2") / 32768.0


def sir_moyen(W, A, P1, P2):
    G = np.abs(W @ A)
    with np.errstate(divide="ignore"):  # an exact separation gives an infinite SIR
        s1 = 20 * np.log10(G[0, 0]) - 20 * np.log10(G[0, 1]) + 10 * math.log10(P1 / P2)
        s2 = 20 * np.log10(G[1, 1]) - 20 * np.log10(G[1, 0]) + 10 * math.log10(P2 / P1)
    return abs((s1 + s2) / 2)


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    essais, dossier = sys.argv[1], sys.argv[2]
    nous = defaultdict(list)  # (pair, contrast) -> our SIRs
    cas = {}  # (pair, b, c) -> (source1, source2)
    with open(essais, newline="") as f:
        for l in csv.DictReader(f):
            for fun, nom in NOMS.items():
                if l["methode"] == nom:
                    nous[(l["paire"], fun)].append(float(l["sir"]))
                    cas[(l["paire"], float(l["b"]), float(l["c"]))] = (l["source1"], l["source2"])
    eux = defaultdict(list)
    for (paire, b, c), (f1, f2) in cas.items():
        s1, s2 = lire(f"{dossier}/{f1}"), lire(f"{dossier}/{f2}")
        A = np.array([[1, b], [c, 1]])
        X = (A @ np.vstack([s1, s2])).T
        P1, P2 = np.mean(s1 * s1), np.mean(s2 * s2)
        for fun in NOMS:
            ica = FastICA(n_components=2, algorithm="parallel", fun=fun, whiten="unit-variance",
                          max_iter=1000, tol=1e-10, random_state=0)
            ica.fit(X)
            eux[(paire, fun)].append(sir_moyen(ica.components_, A, P1, P2))
    print(f"{'pair':<20} {'contrast':<8} {'ours (median dB)':>17} {'sklearn (median dB)':>20}")
    ecart = 0.0
    for (paire, fun), v in nous.items():
        a, b = statistics.median(v), statistics.median(eux[(paire, fun)])
        ecart = max(ecart, abs(a - b))
        print(f"{paire:<20} {fun:<8} {a:17.1f} {b:20.1f}")
    print(f"largest gap of the medians: {ecart:.3f} dB")
    return 0


if __name__ == "__main__":
    sys.exit(main())
