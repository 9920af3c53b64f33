#!/usr/bin/env bash
# Line coverage of the core library by its tests, measured with gcovr.
#   scripts/coverage.sh [build-dir] [minimum percent]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-coverage}
minimum=${2:-90}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DROLLWERK_BUILD_UI=OFF -DROLLWERK_BUILD_BENCH=OFF -DROLLWERK_WASM_CHECK=OFF \
  -DCMAKE_CXX_FLAGS="--coverage -O0" -DCMAKE_EXE_LINKER_FLAGS="--coverage" >/dev/null
cmake --build "$build" -j"$(nproc)"
find "$build" -name '*.gcda' -delete
ctest --test-dir "$build" -j"$(nproc)" --output-on-failure >/dev/null
gcovr --root . --object-directory "$build" --filter 'src/core/' --print-summary --fail-under-line "$minimum" \
  --txt "$build/coverage.txt"
cat "$build/coverage.txt"
