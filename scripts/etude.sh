#!/usr/bin/env bash
# A study from the command line to a plot: K random mixtures of a cosine and a coloured
# noise are solved, and the distribution of the SIR at the best cluster is drawn as a PNG
# histogram with gnuplot (installed from Debian when missing).
# Usage: scripts/etude.sh [K [sortie.png]]   (other options: edit OPTIONS below)
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
essais="${1:-200}"
image="${2:-etude-sir.png}"
csv="${image%.png}.csv"
OPTIONS=(--source1 cosinus --source2 colore --echantillons 5000 --precision 0.01 --graine 1)

"$racine/scripts/deps.sh"
if ! command -v gnuplot >/dev/null; then
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends gnuplot-nox
fi
cmake -S "$racine" -B "$racine/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$racine/build" -j"$(nproc)" --target ovrel5

"$racine/build/app/ovrel5" etude "${OPTIONS[@]}" --essais "$essais" --sortie "$csv"

# Column 10 is sir_amas_db; an exact separation ("inf") is drawn in the last bin, at 80 dB.
gnuplot <<GNUPLOT
set terminal pngcairo size 900,600 font "Liberation Sans,11"
set output "$image"
set datafile separator ","
set title "RSI au meilleur amas sur $essais mélanges aléatoires (cosinus + bruit coloré)"
set xlabel "RSI moyen au meilleur amas (dB)"
set ylabel "essais"
set style fill solid 0.6
set boxwidth 2.5
largeur = 2.5
classe(x) = largeur * floor((x > 80 ? 80 : x) / largeur) + largeur / 2
plot "$csv" every ::1 using (classe(strcol(10) eq "inf" ? 80 : column(10))):(1.0) smooth frequency with boxes lc rgb "#2060b0" notitle
GNUPLOT
echo "Histogramme : $image (données : $csv)"
