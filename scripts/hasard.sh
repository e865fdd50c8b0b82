#!/usr/bin/env bash
# Random-action campaign: builds tools/hasard.cpp with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan, with the window), makes a folder of good and bad
# files (scripts/corpus.py --fabriquer) for the file dialogs and drops, and drives the real
# main window under Xvfb with N random actions for each seed. Fails on a crash, a sanitizer
# report, or a hang (the tool's watchdog ends a run whose window stops answering; `timeout`
# ends a run that takes more than an hour in all). Each action's answer time is in the log;
# silences of the window over 2 s are listed with the action before them (not a failure:
# a loaded machine makes some).
#
#   scripts/hasard.sh [-j N] [--actions N] [GRAINE...]      (default: 2,500 actions, seeds 1 2)
#
# The log of each seed (one line per action, before it runs) is kept in build-asan/hasard/.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
jobs=2
actions=2500
graines=()
while [ $# -gt 0 ]; do
    case "$1" in
        -j) jobs="$2"; shift 2 ;;
        --actions) actions="$2"; shift 2 ;;
        -h|--help) sed -n '2,14p' "$0"; exit 0 ;;
        *) graines+=("$1"); shift ;;
    esac
done
[ ${#graines[@]} -gt 0 ] || graines=(1 2)

construction="$racine/build-asan"
lanceur=()
if command -v ccache >/dev/null; then
    lanceur=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$racine" -B "$construction" -DOVREL_GUI=ON -DOVREL_SANITIZE=ON \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" "${lanceur[@]}" >/dev/null
cmake --build "$construction" --target ovrel5-hasard -j"$jobs"

journaux="$construction/hasard"
mkdir -p "$journaux"
dossier="$(mktemp -d -t ovrel5_hasard_XXXXXX)"
trap 'rm -rf "$dossier"' EXIT
python3 "$racine/scripts/corpus.py" --fabriquer --dossier "$dossier/fichiers" >/dev/null

echec=0
for graine in "${graines[@]}"; do
    journal="$journaux/graine-$graine.log"
    rm -rf "$dossier/fichiers/sorties"
    statut=0
    # Qt and the GL driver keep allocations until exit: no leak check here. A solve stops at
    # 400 MiB, so that random settings end in a memory stop, not in swapping.
    OVREL5_BUDGET_MEMOIRE=$((400 << 20)) ASAN_OPTIONS=detect_leaks=0 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        timeout -k 10 3600 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
        "$construction/tools/ovrel5-hasard" --graine "$graine" --actions "$actions" \
        --dossier "$dossier/fichiers" >"$journal" 2>&1 || statut=$?
    # The number of the last action logged (an action that finds nothing to act on is not).
    derniere="$(grep -oE '^#[0-9]+' "$journal" | tail -n 1 || true)"
    if [ "$statut" -ne 0 ] || grep -qE 'AddressSanitizer|runtime error:|BLOCAGE' "$journal"; then
        echo "graine $graine : ÉCHEC (statut $statut) à l'action ${derniere:-#0} ; journal : $journal"
        grep -E 'ERROR|runtime error:|BLOCAGE|SUMMARY' "$journal" | head -5 || true
        echec=1
    else
        echo "graine $graine : sans faute ($(tail -n 1 "$journal"))"
    fi
    grep -E '^SILENCE' "$journal" | sed 's/^/  /' || true
done
exit $echec
