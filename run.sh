#!/usr/bin/env bash
# Installs what is missing, builds a Release build and starts Orvex Studio on
# the shipped data set (share/ is the program's working directory).
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DORVEX_BUILD_TESTS=OFF -DORVEX_BUILD_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)"
cd share
exec ../build/orvex-studio "$@"
