#!/usr/bin/env bash
# Builds the Debian package build/ovrel5_<version>_<arch>.deb from a Release build with
# Debian's hardening flags (dpkg-buildflags) in build-paquet/; its dependencies come from the
# libraries the program links, through dpkg-shlibdeps. Then checks it with lintian when
# lintian is installed. Install it with `apt install ./build/ovrel5_*.deb`.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
"$racine/scripts/deps.sh"

lanceur=()
if command -v ccache >/dev/null; then
    lanceur=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# Without the install-all dependency, cpack installs what is built here, not every test.
cmake -S "$racine" -B "$racine/build-paquet" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON "${lanceur[@]}" \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$racine/build-paquet" --target ovrel5 ovrel_paquet_fichiers -j"$(nproc)"
mkdir -p "$racine/build"
(cd "$racine/build-paquet" && cpack -G DEB -B "$racine/build")
paquet=$(ls -t "$racine"/build/ovrel5_*.deb | head -n 1)
if command -v lintian >/dev/null; then
    lintian --tag-display-limit 0 "$paquet" || true
fi
echo "$paquet"
