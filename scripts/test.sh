#!/usr/bin/env bash
# Sets up the machine, builds everything (Release, warnings as errors) and runs every test
# through CTest, under xvfb-run when there is no display; then builds the core tests with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs them. Non-zero on any failure.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
"$racine/scripts/deps.sh"

cmake -S "$racine" -B "$racine/build" -DCMAKE_BUILD_TYPE=Release -DOVREL_WERROR=ON >/dev/null
cmake --build "$racine/build" -j"$jobs"

ctest_cmd=(ctest --test-dir "$racine/build" --output-on-failure -j"$jobs")
if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "${ctest_cmd[@]}"
else
    "${ctest_cmd[@]}"
fi

cmake -S "$racine" -B "$racine/build-asan" -DCMAKE_BUILD_TYPE=Debug -DOVREL_SANITIZE=ON \
    -DOVREL_GUI=OFF -DOVREL_WERROR=ON >/dev/null
cmake --build "$racine/build-asan" -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$racine/build-asan" --output-on-failure -j"$jobs" -L core
