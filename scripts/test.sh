#!/usr/bin/env bash
# Sets up what is missing, then builds and runs the whole suite: with clang under
# AddressSanitizer and UndefinedBehaviorSanitizer (plus each fuzz target for a few seconds on its
# seed corpus), and with g++ as a second warning-clean build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)

cmake -S . -B build/asan -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DDRVOPUI_SANITIZE=ON -DDRVOPUI_FUZZ=ON -DDRVOPUI_WERROR=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/asan -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build/asan --output-on-failure -j "$jobs"

# Each fuzz target runs a few seconds on its seed corpus; they run side by side.
fuzz_one() {
    local fuzzer=$1 name=${1##*/fuzz_}
    local work=build/asan/fuzz-work/$name
    mkdir -p "$work"
    if ! "$fuzzer" -max_total_time=5 -print_final_stats=0 "$work" "fuzz/corpus/$name" 2>"$work.log"; then
        echo "fuzz: $name failed"
        tail -50 "$work.log"
        return 1
    fi
    echo "fuzz: $name"
}
export -f fuzz_one
find build/asan/fuzz -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x | sort | xargs -r -P "$jobs" -n 1 bash -c 'fuzz_one "$0"'

cmake -S . -B build/gcc -G Ninja -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ \
      -DDRVOPUI_WERROR=ON -DDRVOPUI_BENCH=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/gcc -j "$jobs"
ctest --test-dir build/gcc --output-on-failure -j "$jobs"
