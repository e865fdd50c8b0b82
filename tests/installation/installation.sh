#!/usr/bin/env bash
# installation.sh BUILD VERSION: installs BUILD into a temporary prefix, moves the prefix
# elsewhere and runs the moved program with no display: the version, an unknown command, the
# example voices found relative to the program and solved, the Python module imported from
# the prefix (when the build has it) separating them, the installed files checked by the
# Debian tools when they are there. Prints each fault and exits 1 on any.
set -uo pipefail
construction=$1 version=$2
racine=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
fautes=0
faute() {
    echo "FAUTE : $*" >&2
    fautes=$((fautes + 1))
}

cmake --install "$construction" --prefix "$tmp/a" >"$tmp/install.log" || {
    cat "$tmp/install.log" >&2
    exit 1
}
mv "$tmp/a" "$tmp/b"
p=$tmp/b
ovrel5=$p/bin/ovrel5

for f in bin/ovrel5 share/ovrel5/data/voix1.wav share/ovrel5/data/voix2.wav \
    share/ovrel5/README.md share/ovrel5/docs/rapport.md share/doc/ovrel5/copyright \
    share/doc/ovrel5/changelog.gz share/man/man1/ovrel5.1.gz \
    share/applications/org.ovrel5.Ovrel5.desktop share/metainfo/org.ovrel5.Ovrel5.metainfo.xml \
    share/icons/hicolor/scalable/apps/org.ovrel5.Ovrel5.svg; do
    [ -f "$p/$f" ] || faute "$f n'est pas installé"
done

# run ARGS...: the exit status in $statut, the outputs in $sortie and $erreurs.
run() {
    "$ovrel5" "$@" >"$tmp/out" 2>"$tmp/err"
    statut=$?
    sortie=$(cat "$tmp/out")
    erreurs=$(cat "$tmp/err")
}

for option in --version -V; do
    run "$option"
    [ "$statut" -eq 0 ] || faute "$option : statut $statut"
    [ "$sortie" = "Ovrel 5 $version" ] || faute "$option : « $sortie »"
done

for mot in nimportequoi help resoudre-vite -x fichier-absent.wav; do
    run "$mot"
    [ "$statut" -eq 2 ] || faute "$mot : statut $statut au lieu de 2 ($erreurs)"
    [[ "$erreurs" == *"« $mot » n'est ni une commande ni un fichier à ouvrir"* ]] ||
        faute "$mot : message « $erreurs »"
    [[ "$erreurs" == *"ovrel5 resoudre"* && "$erreurs" == *"ovrel5 etude"* ]] ||
        faute "$mot : les commandes ne sont pas listées"
done

run --exemples
[ "$statut" -eq 0 ] && [ "$sortie" = "$p/share/ovrel5/data" ] ||
    faute "--exemples : statut $statut, « $sortie » au lieu de $p/share/ovrel5/data"

donnees=$sortie
run resoudre --source1 "$donnees/voix1.wav" --source2 "$donnees/voix2.wav" --graine 1 \
    --matrice 1,0.6,-0.45,1
[ "$statut" -eq 0 ] || faute "resoudre sur les voix installées : statut $statut ($erreurs)"
[[ "$sortie" == *"\"fichier\": \"$p/share/ovrel5/data/voix1.wav\""* ]] ||
    faute "resoudre : la voix 1 n'a pas été lue depuis le préfixe déplacé"
[[ "$sortie" == *'"represente": "direct"'* && "$sortie" == *'"represente": "permute"'* ]] ||
    faute "resoudre : les deux points de séparation ne sont pas trouvés"

# The Python module of the moved prefix, for the interpreter the build chose: it finds the
# voices relative to itself and separates them; then the module's tests against the moved
# program.
if grep -q '^OVREL_PYTHON:BOOL=ON' "$construction/CMakeCache.txt"; then
    python=$(sed -n 's/^_\{0,1\}Python3_EXECUTABLE:[A-Z]*=//p' "$construction/CMakeCache.txt" | head -1)
    modules=$p/lib/python3/dist-packages
    compgen -G "$modules/ovrel5*.so" >/dev/null || faute "le module Python n'est pas installé"
    sortie=$(cd "$tmp" && PYTHONPATH=$modules "$python" -c "
import ovrel5
d = ovrel5.exemples()
s1, _ = ovrel5.lire_signal(d + '/voix1.wav')
s2, _ = ovrel5.lire_signal(d + '/voix2.wav')
r = ovrel5.resoudre(s1 + 0.6 * s2, -0.45 * s1 + s2, sources=(s1, s2), matrice=[1, 0.6, -0.45, 1])
print(ovrel5.__file__.startswith('$modules/'), d,
      sum(a['qualite_exacte']['sir_moyen_db'] > 20 for a in r.amas))" 2>&1)
    [ "$sortie" = "True $p/share/ovrel5/data 2" ] ||
        faute "Python depuis le préfixe déplacé : « $sortie » au lieu de deux amas au-dessus de 20 dB"
    (cd "$tmp" && PYTHONPATH=$modules OVREL5_PROGRAMME=$ovrel5 "$python" -m pytest -q \
        -p no:cacheprovider "$racine/python/tests" >"$tmp/pytest.log" 2>&1) ||
        faute "pytest depuis le préfixe déplacé : $(tail -n 20 "$tmp/pytest.log")"
fi

# A copy of the program alone finds no voices: none through a path of the build machine.
mkdir -p "$tmp/x/y/seul"
cp "$ovrel5" "$tmp/x/y/seul/"
ovrel5=$tmp/x/y/seul/ovrel5
run --exemples
[ "$statut" -eq 3 ] || faute "une copie seule du programme trouve « $sortie » (statut $statut)"
[[ "$erreurs" == *"introuvables"* ]] || faute "une copie seule : message « $erreurs »"
ovrel5=$p/bin/ovrel5

if command -v man >/dev/null; then
    avertissements=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l \
        "$p/share/man/man1/ovrel5.1.gz" 2>&1 >"$tmp/man.txt")
    [ -z "$avertissements" ] || faute "page de manuel : $avertissements"
    grep -q -- "--graine" "$tmp/man.txt" || faute "page de manuel : les options manquent"
fi
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate --no-hints "$p/share/applications/org.ovrel5.Ovrel5.desktop" ||
        faute "entrée de bureau invalide"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$p/share/metainfo/org.ovrel5.Ovrel5.metainfo.xml" >"$tmp/as" ||
        faute "métadonnées AppStream invalides : $(cat "$tmp/as")"
fi

[ "$fautes" -eq 0 ] || exit 1
echo "installation déplacée : tout est en place"
