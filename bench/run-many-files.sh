#!/usr/bin/env bash
# Installs products of many small files on a fresh hosted machine and prints the
# install time and the time per file for each size, to show whether the cost of a
# file grows with the number of files in its folder. Each product has COUNT files
# of about 1 KiB: half in one folder, the rest spread over folders of 100. The
# media are built with `tavlin media`; the install is `tavlin-setup ... /VERYSILENT`.
# Each size is installed ROUNDS times (default 3), each time on a fresh machine,
# and the quickest install is printed: on a shared machine a burst of other load
# can make one install of seconds take half as long again.
# Usage: bench/run-many-files.sh [WORK_DIR [COUNT...]] (default counts: 1000 5000 10000 20000).
set -euo pipefail
cd "$(dirname "$0")/.."
work="${1:-build-bench/many-files}"
shift || true
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(1000 5000 10000 20000)

source bench/bench-build.sh
bench_build tavlin tavlin-setup
tavlin=$build/apps/tavlin/tavlin
setup=$build/apps/tavlin-setup/tavlin-setup
mkdir -p "$work"
work=$(realpath "$work")

config=$'[Setup Screen]\r\nText Line 1=Many Files\r\nMain Directory=Many\r\nUninstall Option=0\r\nUninstall String=Many Files\r\n'

# The files differ, so that each is a real member; text of about 1 KiB.
make_product() {
  local dir="$1" count="$2"
  mkdir -p "$dir/flat"
  python3 bench/make-many-files.py "$dir" "$count"
}

# Trees are removed only after the last measurement: the host file system makes
# creating files dearer for a while after many were deleted (ext4 without a
# journal skips inodes freed in the last minute or more, one by one, from the
# start of their block group at every new file), which would charge one size's
# clean-up to the next size's install.
# The same holds across runs and across processes: minutes after a large deletion
# anywhere in the same block groups (the last run's clean-up, a build tree
# removed), ext4 installs here can take several times as long, while a folder of
# a new name does not escape it. Each install itself ends by deleting its Temp
# folder, so on ext4 the next size pays for that unless PAUSE (seconds, default
# 0) lets it pass first; 120 is enough here. Compare ext4 figures only from a
# quiet disk, or measure on tmpfs (a WORK_DIR below /dev/shm).
rm -rf "$work"/Many-* "$work"/media-* "$work"/machine-*

# Wall time of the quickest round, and its processor time (user + system), which other work on the machine disturbs less.
# "cp -r s" is a plain copy of the same product tree on the same file system, taken
# right before that install: what the host's file system charges at that moment for
# making that many files (the install makes each file twice: expanded into the Temp
# folder, then in place). It comes first because the install ends by deleting its
# Temp folder, which would make the copy dearer.
printf '%8s %10s %8s %12s %12s %14s %14s\n' files "media s" "cp -r s" "install s" "install cpu" "per file ms" "cpu/file ms"
pause=${PAUSE:-0}
first=1
for count in "${counts[@]}"; do
  product="$work/Many-$count/Many" media="$work/media-$count" machine="$work/machine-$count"
  [ "$first" = 1 ] || sleep "$pause"
  first=0
  make_product "$product" "$count"
  printf '%s' "$config" > "$work/install.cfg"
  printf 'MZ setup' > "$work/setup.exe"
  start=$(date +%s.%N)
  "$tavlin" media --product "$product" --config "$work/install.cfg" --setup "$work/setup.exe" --out "$media" > /dev/null
  built=$(date +%s.%N)
  best="" best_cpu="" copy_s=""
  for round in $(seq "${ROUNDS:-3}"); do
    "$setup" --machine "$machine-$round" --create-only > /dev/null
    start_copy=$(date +%s.%N)
    cp -r "$product" "$work/Many-$count/copy-$round"
    start_install=$(date +%s.%N)
    /usr/bin/time -o "$work/cpu" -f '%U %S' \
      "$setup" --machine "$machine-$round" --drive "D=$media" --cd 'D:\' -- /VERYSILENT 'D:\' > /dev/null
    end=$(date +%s.%N)
    installed=$(find "$machine-$round/drives/c" -name 'file*.txt' | wc -l)
    [ "$installed" -eq "$count" ] || { echo "only $installed of $count files installed" >&2; exit 1; }
    took=$(echo "$end - $start_install" | bc)
    if [ -z "$best" ] || [ "$(echo "$took < $best" | bc)" = 1 ]; then
      best=$took best_cpu=$(awk '{ print $1 + $2 }' "$work/cpu") copy_s=$(echo "$start_install - $start_copy" | bc)
    fi
  done
  awk -v n="$count" -v m="$(echo "$built - $start" | bc)" -v i="$best" -v c="$best_cpu" -v k="$copy_s" \
    'BEGIN { printf "%8d %10.2f %8.2f %12.2f %12.2f %14.3f %14.3f\n", n, m, k, i, c, 1000 * i / n, 1000 * c / n }'
done
rm -rf "$work"/Many-* "$work"/media-* "$work"/machine-*
