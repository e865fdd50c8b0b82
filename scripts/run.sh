#!/usr/bin/env bash
# Sets up the machine, builds Ovrel 5 (Release) and starts it.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
"$racine/scripts/deps.sh"
cmake -S "$racine" -B "$racine/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$racine/build" --target ovrel5 -j"$(nproc)"
exec "$racine/build/app/ovrel5"
