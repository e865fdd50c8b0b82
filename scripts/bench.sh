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
