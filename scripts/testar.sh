#!/usr/bin/env bash
# Builds everything and runs every test: in the C locale, in pt_BR.UTF-8, and once more built with
# AddressSanitizer and UndefinedBehaviorSanitizer, where any report fails the run; then replays the
# committed fuzz corpus and fuzzes the scene files, the projection and model import from a fixed seed
# for a fixed number of runs, about 30 seconds (scripts/fuzzar.sh): the same verdict on every run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dependencias.sh
jobs="$(nproc)"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
echo "== testes (C.UTF-8)"
LC_ALL=C.UTF-8 ctest --test-dir build --output-on-failure -j"$jobs"
echo "== testes (pt_BR.UTF-8)"
LC_ALL=pt_BR.UTF-8 LANG=pt_BR.UTF-8 ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-san -DCMAKE_BUILD_TYPE=Debug -DVELK_SANITIZE=ON >/dev/null
cmake --build build-san -j"$jobs"
echo "== testes com sanitizadores"
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:strict_string_checks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
LC_ALL=pt_BR.UTF-8 LANG=pt_BR.UTF-8 ctest --test-dir build-san --output-on-failure -j"$jobs"

echo "== fuzzing"
bash scripts/fuzzar.sh
