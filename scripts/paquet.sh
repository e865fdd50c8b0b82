#!/usr/bin/env bash
# Builds the Debian package build/ovrel5_<version>_<arch>.deb from a Release build (its
# dependencies come from the libraries the program links, through dpkg-shlibdeps), then checks
# it with lintian when lintian is installed. Install it with `apt install ./build/ovrel5_*.deb`.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
"$racine/scripts/deps.sh"

lanceur=()
if command -v ccache >/dev/null; then
    lanceur=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# cpack then installs what is built without building every test first.
cmake -S "$racine" -B "$racine/build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
    "${lanceur[@]}" >/dev/null
cmake --build "$racine/build" --target ovrel5 ovrel_paquet_fichiers -j"$(nproc)"
(cd "$racine/build" && cpack -G DEB)
paquet=$(ls -t "$racine"/build/ovrel5_*.deb | head -n 1)
if command -v lintian >/dev/null; then
    lintian --no-tag-display-limit "$paquet" || true
fi
echo "$paquet"
