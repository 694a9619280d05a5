#!/usr/bin/env bash
# Sets up what is missing, builds the library and the host program, and runs the host program
# on the bundled printer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j "$(nproc)"
exec build/release/tools/drvhost "$@"
