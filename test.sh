#!/usr/bin/env bash
# Installs what is missing, builds everything (the tests and the benchmarks too) into build/ and
# runs every test. Arguments are passed on to CMake (CI adds -DTREVALON_WERROR=ON).
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DTREVALON_BUILD_BENCH=ON "$@"
cmake --build build --parallel "$(nproc)"
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
