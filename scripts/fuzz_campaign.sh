#!/usr/bin/env bash
# Long campaign of the fuzz targets that enter through the library's exports: each target runs
# the given number of executions, shared among its workers, in parallel with the others, over a
# working corpus of its own under the build folder (seeded from fuzz/corpus, which stays as it
# is); at the end it prints each target's executions and corpus size, and the findings.
#
#   scripts/fuzz_campaign.sh RUNS [WORKERS] [TARGET...]
#
# RUNS is per target; WORKERS (default 1) processes per target split it; MAX_TOTAL_TIME in the
# environment (seconds) ends each worker earlier, for a campaign that must stop by a deadline;
# DRVOPUI_FUZZ_FRESH=1 has the targets that keep sessions compare them with new ones. The
# entropic schedule is off: over these targets' tens of thousands of features its bookkeeping
# took 30 to 40 % of every execution; it orders which inputs are mutated, never what an input
# reaches. SEED_BASE (default 0) offsets the workers' seeds, for workers added to a corpus that
# others already work on.
#
# BUILD (default build/asan) names the tree. A campaign runs faster from a tree of its own with
# the same sanitizers and libFuzzer, optimised, and the rule engine built without comparison
# tracing (the export targets never feed it fuzzed text); devmode_exports ran about 460 inputs
# a second at -O0 and about 3,000 so:
#   cmake -S . -B build/fuzz-campaign-tree -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
#         -DDRVOPUI_SANITIZE=ON -DDRVOPUI_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O2 -g" \
#         -DCMAKE_C_FLAGS_DEBUG="-O2 -g" -DDRVOPUI_FUZZ_UNTRACED_CMP=pie
# (-O2 without NDEBUG: the assertions stay.) Copy the binaries elsewhere if the tree is to be
# rebuilt while the campaign runs.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:?"usage: $0 RUNS [WORKERS] [TARGET...]"}
workers=${2:-1}
shift $(( $# < 2 ? $# : 2 ))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(devmode_exports application_options driver_options page_composition)
build=${BUILD:-build/asan}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
root=$build/fuzz-campaign
per=$(( (runs + workers - 1) / workers ))

pids=()
for name in "${targets[@]}"; do
    fuzzer=$build/fuzz/fuzz_$name
    [ -x "$fuzzer" ] || { echo "no $fuzzer: build it first" >&2; exit 2; }
    mkdir -p "$root/$name/corpus" "$root/$name/findings"
    for ((w = 0; w < workers; ++w)); do
        "$fuzzer" -runs="$per" -max_total_time="${MAX_TOTAL_TIME:-0}" -entropic=0 -seed=$((${SEED_BASE:-0} + w + 1)) -print_final_stats=1 \
            -artifact_prefix="$root/$name/findings/" "$root/$name/corpus" "fuzz/corpus/$name" \
            >"$root/$name/worker-$w.log" 2>&1 &
        pids+=($!)
    done
done
status=0
for pid in "${pids[@]}"; do wait "$pid" || status=1; done

# The corpus: the units the last worker's run held (seeds and finds, as libFuzzer counts them)
# and the files the campaign added to its working corpus.
printf '%-22s %12s %8s %8s %9s\n' target executions corpus added findings
for name in "${targets[@]}"; do
    executions=0 corpus=0
    for log in "$root/$name"/worker-*.log; do
        n=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
        executions=$((executions + ${n:-0}))
        c=$(grep -o 'corp: [0-9]*' "$log" | tail -1 | tr -dc 0-9)
        corpus=$(( ${c:-0} > corpus ? ${c:-0} : corpus ))
    done
    added=$(find "$root/$name/corpus" -type f | wc -l)
    findings=$(find "$root/$name/findings" -type f | wc -l)
    printf '%-22s %12d %8d %8d %9d\n' "$name" "$executions" "$corpus" "$added" "$findings"
done
exit $status
