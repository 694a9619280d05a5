#!/usr/bin/env bash
# Installs, with apt-get, whatever of the build and test tools this machine is missing, and the
# packages named as arguments.
set -euo pipefail
packages=(cmake ninja-build g++ clang libclang-rt-14-dev ccache googletest libgtest-dev libgmock-dev
          libbenchmark-dev zlib1g-dev pkg-config libfreetype-dev fonts-dejavu-core fonts-liberation
          binutils-mingw-w64-x86-64 libpixman-1-dev libcairo2-dev libpng-dev libssl-dev "$@")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
