#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer
# on) and runs each for SECONDS (default 60), starting from its seed corpus in
# fuzz/corpus/<target name up to its first "_">. New inputs go to build-fuzz/corpus,
# never into the repository. Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
jobs="${TAVLIN_JOBS:-2}"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DTAVLIN_FUZZ=ON -DTAVLIN_SANITIZE=ON -DTAVLIN_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link > /dev/null
cmake --build build-fuzz -j"$jobs" --target fuzzers
for fuzzer in build-fuzz/fuzz/*_fuzz; do
  name="$(basename "$fuzzer")"
  seeds="fuzz/corpus/${name%%_*}"
  work="build-fuzz/corpus/$name"
  mkdir -p "$work"
  echo "== $name for ${seconds}s"
  args=("$work")
  [ -d "$seeds" ] && args+=("$seeds")
  if ! "$fuzzer" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 "${args[@]}" \
      > "$work.log" 2>&1; then
    cat "$work.log"
    echo "$name failed; the input that broke it is named in the log above"
    exit 1
  fi
  tail -n 3 "$work.log"
done
