#!/usr/bin/env bash
# Builds the program (with what it needs) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dependencias.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target velk-app -j"$(nproc)"
exec build/sistema-grafico "$@"
