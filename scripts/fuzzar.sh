#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs them side by side for the given number
# of seconds each (30 by default). Each grows a corpus of its own in build-fuzz/corpus, seeded from
# the sample scenes; any crash, sanitizer report, leak, timeout or memory blow-up fails the run and
# leaves the input in build-fuzz/artefatos.
set -euo pipefail
cd "$(dirname "$0")/.."
segundos="${1:-30}"
jobs="$(nproc)"

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELK_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$jobs"

unset ASAN_OPTIONS LSAN_OPTIONS
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
mkdir -p build-fuzz/corpus/carregar build-fuzz/corpus/projecao build-fuzz/artefatos
# The limits: no input may take 10 s or 2 GB.
comum=(-max_total_time="$segundos" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
       -artifact_prefix=build-fuzz/artefatos/)
LC_ALL=pt_BR.UTF-8 build-fuzz/fuzz/fuzz_carregar "${comum[@]}" -dict=fuzz/cenas.dict \
    build-fuzz/corpus/carregar examples tests/data >build-fuzz/carregar.log 2>&1 &
carregar=$!
build-fuzz/fuzz/fuzz_projecao "${comum[@]}" build-fuzz/corpus/projecao >build-fuzz/projecao.log 2>&1 &
projecao=$!

falhou=0
for alvo in carregar projecao; do
    pid="${!alvo}"
    if wait "$pid"; then
        echo "== fuzz_$alvo: $(grep -E '^Done [0-9]+ runs' "build-fuzz/$alvo.log")"
    else
        echo "== fuzz_$alvo FALHOU (build-fuzz/$alvo.log):"
        tail -n 60 "build-fuzz/$alvo.log"
        falhou=1
    fi
done
exit "$falhou"
