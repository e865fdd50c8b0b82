#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need, when missing.
set -euo pipefail

paquets=(
    g++ cmake make pkg-config ccache clang-format
    qt6-base-dev libqt6opengl6-dev
    libgl-dev libglu1-mesa-dev libgl1-mesa-dri
    libgtest-dev
    libsndfile1-dev nlohmann-json3-dev
    xvfb xauth
    fonts-dejavu-core fonts-liberation2
    desktop-file-utils appstream dpkg-dev file man-db
    libcli11-dev pybind11-dev python3-dev python3-numpy python3-pytest qt6-svg-dev
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
)

manquants=()
for p in "${paquets[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        manquants+=("$p")
    fi
done

if [ ${#manquants[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing missing Debian packages: ${manquants[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${manquants[@]}"
