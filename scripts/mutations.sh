#!/usr/bin/env bash
# Plants small faults, one at a time, in a scratch copy of the working tree and tells which
# of them the core tests catch: each fault is a sed expression on one file; the test binary
# that should see it is built (core only, no Qt) and run whole. A fault is "attrapée" when the
# binary fails, "manquée" when it passes. Nothing in the working tree is changed.
#
#   scripts/mutations.sh [-j N] [--garder] [NOM...]
#
# -j N: build jobs (default 2); --garder: keep the scratch copy; NOM: only these faults.
# Exit status: 0 when every fault planted is caught, 1 otherwise.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
jobs=2
garder=0
choisies=()
while [ $# -gt 0 ]; do
    case "$1" in
        -j) jobs="$2"; shift 2 ;;
        -j*) jobs="${1#-j}"; shift ;;
        --garder) garder=1; shift ;;
        -h|--help) sed -n '2,10p' "$0"; exit 0 ;;
        *) choisies+=("$1"); shift ;;
    esac
done

# Four words per fault: name, file, sed expression (with '#' as its delimiter), test binary.
mutations=(
    amas-tailles-melangees analyse/Amas.cpp
    's#                uni\[k\] = 0;#                uni[k] = 1;#' tests_analyse
    appariement-egalite analyse/Qualite.cpp
    's#if (moyenne \&\& \*moyenne < 0) {#if (moyenne \&\& *moyenne <= 0) {#' tests_analyse
    pcm32-par-float fichiers/LectureAudio.cpp
    's#sous == SF_FORMAT_DOUBLE || sous == SF_FORMAT_PCM_32;#sous == SF_FORMAT_DOUBLE;#' tests_fichiers
    morceau-impair fichiers/LectureAudio.cpp
    's#position += 8 + longueur + (longueur \& 1);#position += 8 + longueur;#' tests_fichiers
    session-bornesupy atelier/Reglages.cpp
    's#{"BorneSupY", "--boite", \&Reglages::BorneSupY,#{"BorneSupY", "--boite", \&Reglages::BorneInfY,#' tests_atelier
    session-ordre-file atelier/Reglages.cpp
    's#e\[c.Cle\] = std::int64_t(r.\*membre);#e[c.Cle] = std::string(c.Cle) == "Stockage" ? std::int64_t{1} : std::int64_t(r.*membre);#' tests_atelier
    etude-limite-memoire-0 commande/LigneDeCommande.cpp
    's#return arrete ? SortieLimiteMemoire : SortieSucces;#return SortieSucces;#' tests_commande
    etude-boites-ignorees commande/Options.cpp
    's#{"--boites", "FICHIER.csv", Resoudre,#{"--boites", "FICHIER.csv", Toutes,#' tests_commande
    cumulants-non-centres sivia/Cumulants.cpp
    's#std::pow(-m.Ex1, p - i)#std::pow(0.0 * m.Ex1, p - i)#' tests_sivia
    canal-anglais fichiers/LectureSignal.cpp
    's#"Canal ", "Colonne ", "Channel ", "Column "#"Canal ", "Colonne "#' tests_fichiers
    textes-matrice-gardes atelier/Atelier.cpp
    's#^    TextesMatrice = {};#    (void)0;#' tests_atelier
    boite-sans-marge analyse/Suggestion.cpp
    's#std::max(1.0, MargeBoite#std::max(0.0, MargeBoite#' tests_analyse
    accord-non-aligne analyse/Suggestion.cpp
    's#std::min(e0, e1) / std::max(e0, e1)#e1 / e0#' tests_analyse
    preuve-kurtosis analyse/Suggestion.cpp
    's#std::sqrt(24 / i.N)#std::sqrt(2.4 / i.N)#' tests_analyse
    jeu-retards-sans-retards analyse/Suggestion.cpp
    's#ContraintesRetards{true, false, false, true}#ContraintesRetards{true, true, false, false}#' tests_analyse
    racine-inverse-transposee sivia/Racine2x2.h
    's#{t \* (C.c + s) / d, -t \* C.b / d, t \* (C.a + s) / d}#{t * (C.a + s) / d, -t * C.b / d, t * (C.c + s) / d}#' tests_analyse
    neguentropie-courbure-faible sivia/Neguentropie.cpp
    's#const double Courbure = (1 + 4 / std::numbers::e) \* 1.01;#const double Courbure = 0.1;#' tests_sivia
    somme-kurtosis-max-sans-abs sivia/Cumulants.cpp
    's#return std::fabs(A) + std::hypot(B, C);#return A + std::hypot(B, C);#' tests_sivia
    krawczyk-jacobien-au-point analyse/PointExact.cpp
    's#J\[i\]\[0\] = Polynome(c\[i\]->Q, Y, false)#J[i][0] = Polynome(c[i]->Q, py, false)#;s#Polynome(c\[i\]->P, Y, true) + X \* Polynome(c\[i\]->Q, Y, true)#Polynome(c[i]->P, py, true) + px * Polynome(c[i]->Q, py, true)#' tests_analyse
)

copie="$(mktemp -d "${TMPDIR:-/tmp}/ovrel5-mutations.XXXXXX")"
nettoyer() {
    if [ "$garder" = 1 ]; then
        echo "Copie gardée : $copie"
    else
        rm -rf "$copie"
    fi
}
trap nettoyer EXIT

# The working tree as it is (tracked and new files, not the ignored ones).
(cd "$racine" && git ls-files -z -co --exclude-standard | xargs -0 cp --parents -t "$copie" 2>/dev/null) || true
lanceur=()
# Paths relative to the copy: a later run finds the objects of this one in the cache.
export CCACHE_BASEDIR="$copie"
if command -v ccache >/dev/null; then
    lanceur=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$copie" -B "$copie/build" -DCMAKE_BUILD_TYPE=Release -DOVREL_GUI=OFF "${lanceur[@]}" \
    >"$copie/configuration.log" 2>&1 || { cat "$copie/configuration.log"; exit 2; }

attrapees=0
manquees=0
autres=0
printf '%-28s %-22s %s\n' "Faute" "Binaire" "Résultat"
for ((k = 0; k < ${#mutations[@]}; k += 4)); do
    nom="${mutations[k]}" fichier="${mutations[k + 1]}"
    expression="${mutations[k + 2]}" binaire="${mutations[k + 3]}"
    if [ ${#choisies[@]} -gt 0 ] && [[ ! " ${choisies[*]} " == *" $nom "* ]]; then
        continue
    fi
    cible="$copie/$fichier"
    cp "$cible" "$copie/original"
    sed -i "$expression" "$cible"
    if cmp -s "$cible" "$copie/original"; then
        resultat="NON PLANTÉE (le texte à changer n'est plus là)"
        autres=$((autres + 1))
    elif ! cmake --build "$copie/build" --target "$binaire" -j"$jobs" >"$copie/$nom.build.log" 2>&1; then
        resultat="ne compile pas (voir $nom.build.log)"
        autres=$((autres + 1))
    elif timeout 600 "$copie/build/tests/$binaire" >"$copie/$nom.log" 2>&1; then
        resultat="manquée"
        manquees=$((manquees + 1))
    else
        echecs="$(grep -c '^\[  FAILED  \] .* ([0-9]* ms)$' "$copie/$nom.log" || true)"
        resultat="attrapée ($echecs test(s) en échec)"
        attrapees=$((attrapees + 1))
    fi
    cp "$copie/original" "$cible"
    printf '%-28s %-22s %s\n' "$nom" "$binaire" "$resultat"
done
echo "Attrapées : $attrapees, manquées : $manquees, autres : $autres"
[ "$manquees" = 0 ] && [ "$autres" = 0 ]
