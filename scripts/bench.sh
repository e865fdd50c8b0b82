#!/usr/bin/env bash
# Builds Release and prints the benchmark figures (time and memory; nothing passes or fails).
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
"$racine/scripts/deps.sh"
cmake -S "$racine" -B "$racine/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$racine/build" -j"$(nproc)"

for b in "$racine"/build/bench/bench_*; do
    [ -f "$b" ] && [ -x "$b" ] || continue
    nom="$(basename "$b")"
    echo "== $nom"
    case "$nom" in
        bench_retards)
            # Two voices of similar pitch from Debian's asterisk prompts (French, Armelle;
            # English, Allison), 4 s at 8 kHz mono, three pairs.
            fr=/usr/share/asterisk/sounds/fr
            en=/usr/share/asterisk/sounds/en_US_f_Allison
            if ! command -v sox >/dev/null || [ ! -d "$fr" ] || [ ! -d "$en" ]; then
                echo "skipped: needs sox, asterisk-prompt-fr-armelle, asterisk-core-sounds-en-wav"
                continue
            fi
            dossier="$racine/build/retards"
            mkdir -p "$dossier"
            paires=()
            for p in conf-adminmenu:demo-instruct vm-options:demo-congrats \
                priv-callee-options:priv-callee-options; do
                sox -t gsm -r 8000 -c 1 "$fr/${p%%:*}.gsm" -b 16 "$dossier/fr-${p%%:*}.wav" trim 0.5 4
                sox "$en/${p##*:}.wav" -r 8000 -c 1 -b 16 "$dossier/en-${p##*:}.wav" trim 0.5 4
                paires+=("$dossier/fr-${p%%:*}.wav" "$dossier/en-${p##*:}.wav")
            done
            "$b" "${paires[@]}"
            ;;
        *_gui)
            if [ -z "${DISPLAY:-}" ]; then
                xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$b"
            else
                "$b"
            fi
            ;;
        bench_separation)
            "$racine/scripts/enregistrements.sh" "$racine/build/enregistrements" >/dev/null
            "$b" "$racine/build/enregistrements"
            ;;
        *) "$b" ;;
    esac
done
