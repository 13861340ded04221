#!/usr/bin/env bash
# Runs the screen benchmark: the time to paint one 1024 x 768 setup screen on the
# hosted raster canvas (goal: under 20 ms) and the peak memory of the process.
# Usage: bench/run-screen.sh [WORK_DIR [RENDERS]]
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/bench-build.sh
work="${1:-$build/screen-work}"
renders="${2:-100}"

bench_build screen_bench
mkdir -p "$work"
"$build/bench/screen_bench" "$work" "$renders"
