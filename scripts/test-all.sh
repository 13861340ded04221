#!/usr/bin/env bash
# Builds everything and runs every test: native, native under AddressSanitizer and
# UndefinedBehaviorSanitizer, the Windows builds (x86_64 tests under wine, i686
# compiled), and the fuzz targets for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs="${TAVLIN_JOBS:-2}"

# The full run needs about 8 GB of build folders and wine prefixes; say what the disk has so
# that a run that fills it is recognised as such.
df -h . | awk 'NR == 2 { print "== disk: " $4 " free of " $2 " (about 8 GB needed)" }'

echo "== native build and tests"
# The test builds carry line tables only (TAVLIN_LINE_TABLES_ONLY): full debug
# information made their compiles a third longer and no test reads it.
cmake -S . -B build -G Ninja -DTAVLIN_WERROR=ON -DTAVLIN_LINE_TABLES_ONLY=ON > /dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DTAVLIN_WERROR=ON -DTAVLIN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug > /dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp":print_suppressions=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

if [ -x scripts/test-windows.sh ]; then
  echo "== Windows builds; tests under wine"
  scripts/test-windows.sh
fi

# Thirty seconds a target keeps the whole run well inside CI's 40 minutes on a
# busy 2-core machine; TAVLIN_FUZZ_SECONDS gives longer runs by hand.
if [ -x scripts/fuzz.sh ]; then
  echo "== fuzz targets"
  scripts/fuzz.sh "${TAVLIN_FUZZ_SECONDS:-30}"
fi
df -h . | awk 'NR == 2 { print "== disk: " $4 " free after the run" }'
echo "All tests passed."
