#!/usr/bin/env bash
# Rebuilds the two example voices of data/ (see data/README.md): two French sentences spoken
# by espeak-ng (Debian package espeak-ng) with a low male and a higher female variant, then
# brought to 16 kHz, 16-bit mono, exactly 5 s each from the first sound, peak at 0.9 of full
# scale. The first voice is darkened (one-pole low-pass) and the second brightened
# (pre-emphasis): two voices of different spectra, which the second-order constraints of the
# solver (decorrelation of the signals and of their derivatives) need to tell them apart.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

espeak-ng -v fr+m3 -s 160 -p 35 -w "$tmp/1.wav" \
    "Bonjour à tous. Dans une soirée animée, chacun parle en même temps que ses voisins."
espeak-ng -v fr+f4 -s 175 -p 70 -w "$tmp/2.wav" \
    "Séparer deux voix mélangées, c'est le problème de la soirée cocktail. Essayez donc !"

python3 - "$tmp/1.wav" "$racine/data/voix1.wav" "$tmp/2.wav" "$racine/data/voix2.wav" <<'PY'
import array, math, sys, wave

SORTIE, DUREE = 16000, 5.0

def convertir(entree, sortie, filtre):
    with wave.open(entree) as w:
        assert w.getsampwidth() == 2 and w.getnchannels() == 1
        f = w.getframerate()
        x = array.array("h", w.readframes(w.getnframes()))
    n = int(SORTIE * DUREE)
    # Linear interpolation after a 3-tap smoothing: enough for a 22.05 -> 16 kHz voice.
    lisse = [(x[max(i - 1, 0)] + 2 * x[i] + x[min(i + 1, len(x) - 1)]) / 4 for i in range(len(x))]
    y = []
    for k in range(n):
        t = k * f / SORTIE
        i = int(t)
        if i + 1 >= len(lisse):
            y.append(0.0)
        else:
            y.append(lisse[i] + (t - i) * (lisse[i + 1] - lisse[i]))
    y = filtre(y)
    seuil = 0.02 * max(abs(v) for v in y)
    debut = next(i for i, v in enumerate(y) if abs(v) > seuil)
    y = (y[debut:] + [0.0] * debut)[:n]
    crete = max(abs(v) for v in y) or 1.0
    y = array.array("h", (int(round(v * 29490 / crete)) for v in y))
    with wave.open(sortie, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(SORTIE)
        w.writeframes(y.tobytes())

def sombre(x):
    y, p = [], 0.0
    for v in x:
        p = 0.85 * p + 0.15 * v
        y.append(p)
    return y

def clair(x):
    return [x[0]] + [x[i] - 0.95 * x[i - 1] for i in range(1, len(x))]

convertir(sys.argv[1], sys.argv[2], sombre)
convertir(sys.argv[3], sys.argv[4], clair)
PY
ls -l "$racine/data/voix1.wav" "$racine/data/voix2.wav"
