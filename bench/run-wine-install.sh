#!/usr/bin/env bash
# The Windows program's install time under wine beside a plain copy of the same
# files under wine, for two products: the corpus product (bench/make-corpus.sh cut
# into 25 files of about 2.6 MiB, 64 MiB) and a product of COUNT files of about
# 1 KiB (as bench/run-many-files.sh makes them). The media are built by the native
# `tavlin media` around the x86_64 setup.exe of build-win64; each install is
# `setup.exe /VERYSILENT` into a fresh folder of one wine prefix of its own inside
# the work folder, the copy is `xcopy /E /I /Q` of the product folder. Prints wall
# and processor times (user + system of the wine program), the wine server's
# processor time during the command (where the program's file and message calls
# are served), and the ratios install / copy.
# TAVLIN_SETUP_BEFORE=path/to/setup.exe adds rows for another build of the
# program, timed in the same run (before / after a change); TAVLIN_ROUNDS=N runs
# every command N times, alternating, and prints the median of each figure.
# Usage: bench/run-wine-install.sh [WORK_DIR [COUNT]] (default count: 10000).
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
work="${1:-build-bench/wine-install}"
count="${2:-10000}"
corpus="${TAVLIN_CORPUS:-build-bench/corpus}"
jobs="${TAVLIN_JOBS:-2}"

source bench/bench-build.sh
bench_build tavlin
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

# Runs a command; prints "wall cpu server" in seconds (cpu: user + system; server:
# the wine server's processor time meanwhile).
server_seconds() { awk '{ print ($14 + $15) / 100 }' "/proc/$server_pid/stat"; }
timed() {
  local start end before after
  before=$(server_seconds)
  start=$(date +%s.%N)
  /usr/bin/time -o "$work/cpu" -f '%U %S' "$@" > /dev/null 2>&1
  end=$(date +%s.%N)
  after=$(server_seconds)
  printf '%s %s %s\n' "$(echo "$end - $start" | bc)" "$(awk '{ print $1 + $2 }' "$work/cpu")" \
    "$(echo "$after - $before" | bc)"
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

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
server_pid=
for pid in $(pgrep wineserver || true); do
  # Another prefix's server may end between pgrep and the read.
  if { tr '\0' '\n' < "/proc/$pid/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$TAVLIN_WINEPREFIX"; then server_pid=$pid; fi
done
[ -n "$server_pid" ] || { echo "no wine server for $TAVLIN_WINEPREFIX" >&2; exit 1; }

# The builds of the program to time: this tree's, and the one to compare with.
labels=(after)
setups=("$setup_exe")
if [ -n "${TAVLIN_SETUP_BEFORE:-}" ]; then
  labels=(before after)
  setups=("$(realpath "$TAVLIN_SETUP_BEFORE")" "$setup_exe")
fi
[ "${#labels[@]}" -gt 1 ] || labels=(setup)
rounds="${TAVLIN_ROUNDS:-1}"

printf '%-12s %-6s %7s %9s %9s %9s %8s %8s %8s %7s %7s\n' product build files "setup s" "setup cpu" "server" \
  "copy s" "copy cpu" "server" ratio "cpu rt"
for name in Corpus "Many$count"; do
  product="$products/$name"
  files=$(find "$product" -type f | wc -l)
  printf '[Setup Screen]\r\nText Line 1=%s\r\nMain Directory=Bench\\%s\r\nUninstall Option=0\r\nUninstall String=Bench %s\r\n' \
    "$name" "$name" "$name" > "$work/install.cfg"
  for i in "${!labels[@]}"; do
    "$tavlin" media --product "$product" --config "$work/install.cfg" --setup "${setups[$i]}" \
      --out "$work/media-$name-${labels[$i]}" > /dev/null
  done
  : > "$work/times"
  for round in $(seq "$rounds"); do
    for i in "${!labels[@]}"; do
      label=${labels[$i]}
      media="$work/media-$name-$label"
      target="Bench\\$name-$label-$round"
      read -r wall cpu server < <(cd "$media" && timed "$source_dir/scripts/wine-run" setup.exe /VERYSILENT "/DIR=C:\\$target")
      installed=$(find "$drive_c/Bench/$name-$label-$round" -type f | wc -l)
      [ "$installed" -ge "$files" ] || { echo "only $installed of $files files installed" >&2; exit 1; }
      echo "$label setup $wall $cpu $server" >> "$work/times"
    done
    copy="BenchCopy\\$name-$round"
    read -r wall cpu server < <(timed "$source_dir/scripts/wine-run" xcopy /E /I /Q "$(winpath "$product")" "C:\\$copy")
    copied=$(find "$drive_c/BenchCopy/$name-$round" -type f | wc -l)
    [ "$copied" -eq "$files" ] || { echo "xcopy copied $copied of $files files" >&2; exit 1; }
    echo "copy copy $wall $cpu $server" >> "$work/times"
  done
  pick() { awk -v l="$1" -v f="$2" '$1 == l { print $f }' "$work/times" | median; }
  copy_wall=$(pick copy 3)
  copy_cpu=$(pick copy 4)
  copy_server=$(pick copy 5)
  for label in "${labels[@]}"; do
    awk -v p="$name" -v b="$label" -v n="$files" -v sw="$(pick "$label" 3)" -v sc="$(pick "$label" 4)" \
      -v ss="$(pick "$label" 5)" -v cw="$copy_wall" -v cc="$copy_cpu" -v cs="$copy_server" \
      'BEGIN { printf "%-12s %-6s %7d %9.2f %9.2f %9.2f %8.2f %8.2f %8.2f %7.2f %7.2f\n", p, b, n, sw, sc, ss, cw, cc, cs, sw / cw, sc / cc }'
  done
done
