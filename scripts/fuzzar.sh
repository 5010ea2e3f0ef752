#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz: fuzz_carregar (scene files), fuzz_projecao
# (the camera's projection) and fuzz_importar (OBJ and OFF models). Each has a committed corpus in
# fuzz/corpus/<alvo>, inputs named falha-* among them: every input that ever failed.
#
#   bash scripts/fuzzar.sh            what the test command runs: every input of the committed corpus
#                                     once, then each target a fixed number of runs from a fixed seed,
#                                     starting from that corpus. The same commit takes the same path,
#                                     and so gives the same verdict, on every run: one thread in the
#                                     fuzz build, no address randomization, a fixed environment,
#                                     nothing done by the clock.
#   bash scripts/fuzzar.sh SEGUNDOS   the open-ended search: the targets side by side for SEGUNDOS
#                                     each, each growing build-fuzz/corpus/<alvo> from the committed
#                                     corpus and the sample files, so that later runs go on from it.
#   bash scripts/fuzzar.sh juntar     adds to fuzz/corpus/<alvo> the inputs of build-fuzz/corpus/<alvo>
#                                     that reach what the committed corpus does not (-set_cover_merge=1).
#
# Any crash, sanitizer report, leak, timeout or memory blow-up fails the run and leaves the input in
# build-fuzz/artefatos; run the target on it to see the report again, minimize it with
# -minimize_crash=1, and commit it with its fix as fuzz/corpus/<alvo>/falha-<what it shows>.
set -euo pipefail
cd "$(dirname "$0")/.."
modo="${1:-fixo}"
jobs="$(nproc)"
alvos=(carregar projecao importar)

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELK_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$jobs"

mkdir -p build-fuzz/artefatos
# The targets run in an environment of their own: the user's locale, where "0.5" read through the C
# library is 0, and nothing else that changes from one machine or checkout to another, since the
# environment's size moves the stack, and with it the depth of calls that libFuzzer counts as
# coverage.
ambiente=(env -i PATH=/usr/bin:/bin LC_ALL=pt_BR.UTF-8 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1)
# Inputs are at most 16 KB, and each target bounds its work per input so that none comes near these
# limits, however loaded the machine: a limit that only a slow machine reaches would make the verdict
# depend on it. No rereading of the corpus directory, which libFuzzer does by the clock.
comum=(-max_len=16384 -timeout=60 -rss_limit_mb=2048 -reload=0 -artifact_prefix=build-fuzz/artefatos/)
# Addresses differ from run to run (ASLR), and code that orders them (the standard library's check
# for strings that overlap, for one) then takes other branches: coverage, and with it the path the
# fuzzer takes, would differ too. setarch -R runs the targets without it.
semAslr=(setarch "$(uname -m)" -R)
if ! "${semAslr[@]}" true 2>/dev/null; then
    echo "== aviso: setarch -R falhou; com ASLR, duas execuções do mesmo commit podem seguir caminhos diferentes"
    semAslr=()
fi
# One target, run as all of the above says.
executar() {
    local nome="$1"
    shift
    "${ambiente[@]}" "${semAslr[@]}" build-fuzz/fuzz/fuzz_"$nome" "${comum[@]}" "$@"
}
opcoes() {
    if [ "$1" = carregar ]; then echo -dict=fuzz/cenas.dict; fi
}

# Runs one target in the background with its log in build-fuzz/<alvo>.log; pids[alvo] is its process.
declare -A pids
rodar() {
    local alvo="$1"
    shift
    # shellcheck disable=SC2046
    executar "$alvo" $(opcoes "$alvo") "$@" >"build-fuzz/$alvo.log" 2>&1 &
    pids[$alvo]=$!
}
esperar() {
    local falhou=0
    for alvo in "${alvos[@]}"; do
        if wait "${pids[$alvo]}"; then
            echo "== fuzz_$alvo: $(grep -E '^#[0-9]+[[:space:]]+DONE' "build-fuzz/$alvo.log" | tail -n 1)"
        else
            echo "== fuzz_$alvo FALHOU (build-fuzz/$alvo.log):"
            tail -n 60 "build-fuzz/$alvo.log"
            falhou=1
        fi
    done
    return "$falhou"
}

case "$modo" in
fixo)
    for alvo in "${alvos[@]}"; do
        echo "== fuzz_$alvo: o corpus (fuzz/corpus/$alvo, $(ls "fuzz/corpus/$alvo" | wc -l) entradas)"
        executar "$alvo" "fuzz/corpus/$alvo"/* >"build-fuzz/$alvo.log" 2>&1 || {
            tail -n 60 "build-fuzz/$alvo.log"
            exit 1
        }
    done
    # Runs sized to about 30 seconds in all on two cores. New inputs go to a directory emptied first,
    # so that no earlier run changes where this one goes.
    declare -A execucoes=([carregar]=40000 [projecao]=15000 [importar]=40000)
    for alvo in "${alvos[@]}"; do
        rm -rf "build-fuzz/fixo/$alvo"
        mkdir -p "build-fuzz/fixo/$alvo"
        rodar "$alvo" -seed=1 -runs="${execucoes[$alvo]}" -print_final_stats=1 "build-fuzz/fixo/$alvo" \
            "fuzz/corpus/$alvo"
    done
    esperar
    ;;
juntar)
    for alvo in "${alvos[@]}"; do
        antes=$(ls "fuzz/corpus/$alvo" | wc -l)
        executar "$alvo" -set_cover_merge=1 "fuzz/corpus/$alvo" "build-fuzz/corpus/$alvo" >"build-fuzz/$alvo.log" 2>&1
        echo "== fuzz_$alvo: $(($(ls "fuzz/corpus/$alvo" | wc -l) - antes)) entradas novas em fuzz/corpus/$alvo"
    done
    ;;
*)
    segundos="$modo"
    declare -A sementes=([carregar]="examples tests/data" [projecao]="" [importar]="")
    for alvo in "${alvos[@]}"; do
        mkdir -p "build-fuzz/corpus/$alvo"
        # shellcheck disable=SC2086
        rodar "$alvo" -max_total_time="$segundos" -print_final_stats=1 "build-fuzz/corpus/$alvo" \
            "fuzz/corpus/$alvo" ${sementes[$alvo]}
    done
    esperar
    ;;
esac
