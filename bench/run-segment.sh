#!/usr/bin/env bash
# Runs the segment benchmark: a 64 MiB product expanded from a set of
# 1440000-byte segments against the same archives expanded from their files
# (processor time, best of 5 taken in turns; goal: at most 1.1x), and the peak memory of both.
# Usage: bench/run-segment.sh [WORK_DIR [MIB]]
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/bench-build.sh
work="${1:-$build/segment-work}"
mib="${2:-64}"

bench_build segment_bench
bench="$build/bench/segment_bench"

rm -rf "$work"
mkdir -p "$work"
"$bench" prepare "$work" "$mib"
echo "== expansion time"
"$bench" compare "$work"
echo
echo "== peak memory of one expansion"
for mode in archives segments; do
  /usr/bin/time -f "$mode: max resident set %M KiB, %e s" "$bench" expand "$work" "$mode"
done
rm -rf "$work"
