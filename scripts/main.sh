#!/usr/bin/env bash
# Sets up what is missing, builds what the host program needs (the library, the platform, the
# data files, the resource module and the program; not the test suite) and runs the host program
# on the bundled printer. Arguments go to the program (e.g. --options, --help).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DDRVOPUI_TESTS=OFF >/dev/null
cmake --build build/release -j "$(nproc)" --target drvhost
exec build/release/tools/drvhost "$@"
