#!/usr/bin/env bash
# Takes the README's screenshots under Xvfb: the main window at start-up, after a solve, and
# with the two example voices.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
"$racine/scripts/deps.sh"
cmake -S "$racine" -B "$racine/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$racine/build" --target ovrel5-capture -j"$(nproc)"
mkdir -p "$racine/docs"
for scenario in demarrage resolution fichiers; do
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
        "$racine/build/tools/ovrel5-capture" "$racine/docs/$scenario.png" "$scenario"
    echo "docs/$scenario.png"
done
