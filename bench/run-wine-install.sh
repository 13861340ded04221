#!/usr/bin/env bash
# The Windows program's install time under wine beside a plain copy of the same
# files under wine, for two products: the corpus product (bench/make-corpus.sh cut
# into 25 files of about 2.6 MiB, 64 MiB) and a product of COUNT files of about
# 1 KiB (as bench/run-many-files.sh makes them). The media are built by the native
# `tavlin media` around the x86_64 setup.exe of build-win64; each install is
# `setup.exe /VERYSILENT` into a fresh folder of one wine prefix of its own inside
# the work folder, the copy is `xcopy /E /I /Q` of the product folder. Prints wall
# and processor times (user + system of the wine program; the wine server's
# share is left out) and the ratios install / copy.
# Usage: bench/run-wine-install.sh [WORK_DIR [COUNT]] (default count: 10000).
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
work="${1:-build-bench/wine-install}"
count="${2:-10000}"
corpus="${TAVLIN_CORPUS:-build-bench/corpus}"
jobs="${TAVLIN_JOBS:-2}"

build="${TAVLIN_BENCH_BUILD:-build-bench}"
[ -f "$build/CMakeCache.txt" ] ||
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVLIN_BENCH=ON -DTAVLIN_TESTS=OFF > /dev/null
cmake --build "$build" -j"$jobs" --target tavlin > /dev/null
tavlin=$build/apps/tavlin/tavlin
win="${TAVLIN_WIN64_BUILD:-build-win64}"
[ -f "$win/CMakeCache.txt" ] ||
  cmake -S . -B "$win" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DTAVLIN_WERROR=ON > /dev/null
cmake --build "$win" -j"$jobs" --target setup > /dev/null
setup_exe=$(realpath "$win/apps/setup/setup.exe")

[ -f "$corpus/text.dat" ] && [ -f "$corpus/binary.dat" ] || bench/make-corpus.sh "$corpus"
mkdir -p "$work"
work=$(realpath "$work")
export TAVLIN_WINEPREFIX="$work/wineprefix"
wine_run() { "$source_dir/scripts/wine-run" "$@"; }
winpath() { printf 'Z:%s' "$(printf '%s' "$1" | tr '/' '\\')"; }
if [ ! -f "$TAVLIN_WINEPREFIX/system.reg" ]; then
  wine_run wineboot -i > /dev/null 2>&1
fi
WINEPREFIX="$TAVLIN_WINEPREFIX" wineserver -w
drive_c="$TAVLIN_WINEPREFIX/drive_c"

# The products, made once: their files do not change between runs.
products="$work/products"
if [ ! -d "$products/Corpus" ]; then
  mkdir -p "$products/Corpus"
  split -n 13 -d "$corpus/text.dat" "$products/Corpus/text."
  split -n 12 -d "$corpus/binary.dat" "$products/Corpus/binary."
fi
if [ ! -d "$products/Many$count" ]; then
  python3 bench/make-many-files.py "$products/Many$count" "$count"
fi

# Runs a command; prints "wall cpu" in seconds (cpu: user + system).
timed() {
  local start end
  start=$(date +%s.%N)
  /usr/bin/time -o "$work/cpu" -f '%U %S' "$@" > /dev/null 2>&1
  end=$(date +%s.%N)
  printf '%s %s\n' "$(echo "$end - $start" | bc)" "$(awk '{ print $1 + $2 }' "$work/cpu")"
}

# Leaves of earlier runs are moved aside and removed only at the end: the host
# file system makes creating files dearer for a while after many were deleted.
trash="$work/trash"
mkdir -p "$trash"
for old in "$drive_c/Bench" "$drive_c/BenchCopy" "$work"/media-*; do
  [ -e "$old" ] && mv "$old" "$trash/$(basename "$old").$RANDOM$RANDOM"
done
# One wine server serves every measured command, so that none pays for starting it.
WINEPREFIX="$TAVLIN_WINEPREFIX" wineserver -p
trap 'WINEPREFIX="$TAVLIN_WINEPREFIX" wineserver -k 2>/dev/null || true; rm -rf "$trash"' EXIT

printf '%-12s %7s %10s %10s %10s %10s %8s %8s\n' product files "setup s" "setup cpu" "copy s" "copy cpu" ratio "cpu rt"
for name in Corpus "Many$count"; do
  product="$products/$name"
  files=$(find "$product" -type f | wc -l)
  media="$work/media-$name"
  printf '[Setup Screen]\r\nText Line 1=%s\r\nMain Directory=Bench\\%s\r\nUninstall Option=0\r\nUninstall String=Bench %s\r\n' \
    "$name" "$name" "$name" > "$work/install.cfg"
  "$tavlin" media --product "$product" --config "$work/install.cfg" --setup "$setup_exe" --out "$media" > /dev/null
  read -r setup_wall setup_cpu < <(cd "$media" && timed "$source_dir/scripts/wine-run" setup.exe /VERYSILENT "/DIR=C:\\Bench\\$name")
  installed=$(find "$drive_c/Bench/$name" -type f | wc -l)
  [ "$installed" -ge "$files" ] || { echo "only $installed of $files files installed" >&2; exit 1; }
  read -r copy_wall copy_cpu < <(timed "$source_dir/scripts/wine-run" xcopy /E /I /Q "$(winpath "$product")" "C:\\BenchCopy\\$name")
  copied=$(find "$drive_c/BenchCopy/$name" -type f | wc -l)
  [ "$copied" -eq "$files" ] || { echo "xcopy copied $copied of $files files" >&2; exit 1; }
  awk -v p="$name" -v n="$files" -v sw="$setup_wall" -v sc="$setup_cpu" -v cw="$copy_wall" -v cc="$copy_cpu" \
    'BEGIN { printf "%-12s %7d %10.2f %10.2f %10.2f %10.2f %8.2f %8.2f\n", p, n, sw, sc, cw, cc, sw / cw, sc / cc }'
done
