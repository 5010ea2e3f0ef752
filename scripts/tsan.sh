#!/usr/bin/env bash
# Builds, with ThreadSanitizer in build-tsan, the test programs whose scenes are large enough for the
# projection to share its work among threads, the drawing of many edges on every core, the recovery
# copy's (written on a thread of its own), and the reading of scene files in pieces on every core, and
# runs them: any race reported fails the run.
# Slower than the rest of the suite, so not part of testar.sh; run it after touching threaded code.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="$(nproc)"
programas=(test_repintura test_vistaexterna test_recuperacao test_leituraempedacos test_linhasempixels)

cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELK_TSAN=ON "$@" >/dev/null
cmake --build build-tsan -j"$jobs" --target "${programas[@]}"
export TSAN_OPTIONS="halt_on_error=0 second_deadlock_stack=1 suppressions=$PWD/scripts/tsan.supp"
export QT_QPA_PLATFORM=offscreen
for programa in "${programas[@]}"; do
    echo "== $programa com ThreadSanitizer"
    "build-tsan/tests/$programa"
done
