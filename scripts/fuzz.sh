#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/NAME_fuzz.cpp) with clang in build-fuzz and
# runs each for SECONDS seconds, starting from its seed corpus in
# fuzz/corpus/fuzz_NAME/. New inputs go to build-fuzz/corpus/, so the seeds in
# the tree stay as they are.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:?usage: scripts/fuzz.sh SECONDS}"
jobs="${TAVLIN_JOBS:-2}"

targets=()
for source in fuzz/*_fuzz.cpp; do
  stem="$(basename "$source" .cpp)"
  targets+=("fuzz_${stem%_fuzz}")
done

cmake -S . -B build-fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVLIN_FUZZ=ON -DTAVLIN_TESTS=OFF > /dev/null
cmake --build build-fuzz -j"$jobs" --target "${targets[@]}"

for name in "${targets[@]}"; do
  work="build-fuzz/corpus/$name"
  mkdir -p "$work"
  seeds=()
  [ -d "fuzz/corpus/$name" ] && seeds=("fuzz/corpus/$name")
  echo "== $name for ${seconds}s"
  set +e
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "build-fuzz/fuzz/$name" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="build-fuzz/$name-" "$work" "${seeds[@]}" > "build-fuzz/$name.log" 2>&1
  status=$?
  set -e
  tail -n 6 "build-fuzz/$name.log"
  if [ "$status" -ne 0 ]; then
    tail -n 60 "build-fuzz/$name.log" >&2
    echo "$name failed (exit $status); the failing input is in build-fuzz/$name-*" >&2
    exit 1
  fi
done
