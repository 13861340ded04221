#!/usr/bin/env bash
# Runs the screen benchmark: the time to paint one 1024 x 768 setup screen on the
# hosted raster canvas (goal: under 20 ms) and the peak memory of the process.
# Usage: bench/run-screen.sh [WORK_DIR [RENDERS]]
set -euo pipefail
cd "$(dirname "$0")/.."
work="${1:-build-bench/screen-work}"
renders="${2:-100}"
jobs="${TAVLIN_JOBS:-2}"

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVLIN_BENCH=ON -DTAVLIN_TESTS=OFF > /dev/null
cmake --build build-bench -j"$jobs" --target screen_bench
mkdir -p "$work"
build-bench/bench/screen_bench "$work" "$renders"
