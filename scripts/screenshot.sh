#!/usr/bin/env bash
# Takes the README's screenshots under Xvfb: the main window at start-up and after a solve,
# the analysis window after that solve, and the two example voices loaded and solved; and the
# main window in English after the solve.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
"$racine/scripts/deps.sh"
cmake -S "$racine" -B "$racine/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$racine/build" --target ovrel5-capture -j"$(nproc)"
mkdir -p "$racine/docs"
for scenario in demarrage resolution analyse fichiers; do
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
        "$racine/build/tools/ovrel5-capture" "$racine/docs/$scenario.png" "$scenario"
    echo "docs/$scenario.png"
done
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
    "$racine/build/tools/ovrel5-capture" "$racine/docs/demarrage_en.png" resolution --langue en
echo "docs/demarrage_en.png"
