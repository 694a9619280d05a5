#!/usr/bin/env bash
# Sets up what is missing (with the two Prolog systems the rule engine is compared with), builds
# the release tree with the benchmarks and runs every benchmark program. Arguments go to each.
# The tree is built as a release ships, guided by a profile: an instrumented build first runs
# every program's own cases briefly (not the Prolog peers, which run outside the process), and
# the measured build is laid out by what that run counted.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh swi-prolog-nox gprolog
tree=build/bench
configure() {
    cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDRVOPUI_BENCH=ON -DDRVOPUI_TESTS=OFF \
        -DDRVOPUI_PROFILE="$1" >/dev/null
    cmake --build "$tree" -j "$(nproc)"
}
rm -rf "$tree/profile"
configure generate
for program in "$tree"/bench/bench_*; do
    "$program" --benchmark_filter='-(Peer|Prolog)' --benchmark_min_time=0.05 >/dev/null
done
configure use
for program in "$tree"/bench/bench_*; do
    echo "== ${program##*/}"
    "$program" "$@"
done
