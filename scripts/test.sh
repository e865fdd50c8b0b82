#!/usr/bin/env bash
# Sets up the machine, builds everything (Release, warnings as errors) and runs every test
# through CTest, then the GUI test binary once as a whole in a shuffled order; then builds the
# whole program again with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test
# that way. Tests that need a display run under xvfb-run when there is none (Xvfb needs
# -noreset: without it the server resets when the first client leaves). Non-zero on any
# failure.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
"$racine/scripts/deps.sh"

sous_affichage() {
    if [ -z "${DISPLAY:-}" ]; then
        xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$@"
    else
        "$@"
    fi
}

lanceur=()
if command -v ccache >/dev/null; then
    lanceur=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

cmake -S "$racine" -B "$racine/build" -DCMAKE_BUILD_TYPE=Release -DOVREL_WERROR=ON \
    "${lanceur[@]}" >/dev/null
cmake --build "$racine/build" -j"$jobs"
sous_affichage ctest --test-dir "$racine/build" --output-on-failure -j"$jobs"
# The Python module of this build, with Debian's python3 (its numpy and pytest), compared with
# this build's program.
PYTHONPATH="$racine/build/python" /usr/bin/python3 -m pytest -q -p no:cacheprovider "$racine/python/tests"
# One process, any order: no test may lean on what an earlier one left behind. Three fixed
# seeds (3 once caught a test that leaned on the heap earlier tests left) and one drawn anew.
for graine in 1 2 3 0; do
    sous_affichage "$racine/build/tests/tests_gui" --gtest_shuffle --gtest_random_seed=$graine \
        --gtest_brief=1
done

# Debug with -O1 keeps the sanitized GUI tests quick enough.
cmake -S "$racine" -B "$racine/build-asan" -DCMAKE_BUILD_TYPE=Debug -DOVREL_SANITIZE=ON \
    -DOVREL_WERROR=ON -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" "${lanceur[@]}" >/dev/null
cmake --build "$racine/build-asan" -j"$jobs"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Listing the tests of the Qt binaries already needs a display.
ASAN_OPTIONS=detect_leaks=1 \
    LSAN_OPTIONS="suppressions=$racine/scripts/fuites.supp:print_suppressions=0" \
    sous_affichage ctest --test-dir "$racine/build-asan" --output-on-failure -j"$jobs" -L core
# Qt and the GL driver keep allocations until exit: leaks are checked on the core only.
ASAN_OPTIONS=detect_leaks=0 \
    sous_affichage ctest --test-dir "$racine/build-asan" --output-on-failure -j"$jobs" -LE core
