#!/usr/bin/env bash
# installation.sh BUILD VERSION: installs BUILD into a temporary prefix, moves the prefix
# elsewhere and runs the moved program with no display: the version, an unknown command, the
# example voices found relative to the program and solved, the installed files checked by the
# Debian tools when they are there. Prints each fault and exits 1 on any.
set -uo pipefail
construction=$1 version=$2
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
