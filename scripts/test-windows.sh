#!/usr/bin/env bash
# Builds the Windows trees with mingw-w64 and runs what can run here: the x86_64
# tree (tests under wine, on a virtual display when there is none) and the i686
# setup.exe that ships, compiled only, since 32-bit wine cannot be installed here
# (its setup.exe's header and imports are checked).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${TAVLIN_JOBS:-2}"
export TAVLIN_WINEPREFIX="$PWD/build-win64/wineprefix"

# Runs the x86_64 tests, then lets wine's own processes end while the display
# still exists.
run_tests() {
  local status=0
  # A wine program can fail to start at all (no output, no exit code of its own)
  # while another one is starting the shared prefix's services; a second try
  # tells that from a failing test, which fails both times.
  ctest --test-dir build-win64 --output-on-failure -j"$jobs" --repeat until-pass:2 || status=$?
  WINEPREFIX="$TAVLIN_WINEPREFIX" wineserver -w
  return "$status"
}
if [ "${1:-}" = "--run-tests" ]; then
  run_tests
  exit
fi

echo "== x86_64 build"
cmake -S . -B build-win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DTAVLIN_WERROR=ON -DTAVLIN_LINE_TABLES_ONLY=ON > /dev/null
cmake --build build-win64 -j"$jobs"

if [ ! -f "$TAVLIN_WINEPREFIX/system.reg" ]; then
  echo "== creating the wine prefix (once)"
  scripts/wine-run wineboot -i
  # The first boot goes on in the background; tests start on a settled prefix.
  WINEPREFIX="$TAVLIN_WINEPREFIX" wineserver -w
fi

echo "== x86_64 tests under wine"
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run > /dev/null; then
  xvfb-run -a "$0" --run-tests
else
  run_tests
fi

# Only the program that ships: the tests are the x86_64 tree's, and compiling
# them again for a platform that cannot run them only lengthened every run.
echo "== i686 build of setup.exe (compile only)"
cmake -S . -B build-win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DTAVLIN_WERROR=ON -DTAVLIN_LINE_TABLES_ONLY=ON > /dev/null
cmake --build build-win32 -j"$jobs" --target setup
bash tests/wine/exe_header_test.sh i686-w64-mingw32-objdump build-win32/apps/setup/setup.exe 5.1
