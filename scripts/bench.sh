#!/usr/bin/env bash
# Sets up what is missing (with the two Prolog systems the rule engine is compared with), builds
# the release tree with the benchmarks and runs every benchmark program. Arguments go to each.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh swi-prolog-nox gprolog
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DDRVOPUI_BENCH=ON >/dev/null
cmake --build build/bench -j "$(nproc)"
for program in build/bench/bench/bench_*; do
    echo "== ${program##*/}"
    "$program" "$@"
done
