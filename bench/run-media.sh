#!/usr/bin/env bash
# tavlin media of the corpus product against gzip -6 over a tar of the same
# files, side by side in one run: the corpus files (bench/make-corpus.sh) cut
# into 25 files of about 2.6 MiB, built with one worker and with one worker per
# processor, best of 3 wall times each. Also checks that both builds wrote the
# same bytes. Prints the ratios gzip time / media time (above 1: media faster).
# Usage: bench/run-media.sh [CORPUS_DIR [WORK_DIR]]
set -euo pipefail
cd "$(dirname "$0")/.."
corpus="${1:-build-bench/corpus}"
work="${2:-build-bench/media-work}"
source bench/bench-build.sh
bench_build tavlin
tavlin=$build/apps/tavlin/tavlin

[ -f "$corpus/text.dat" ] && [ -f "$corpus/binary.dat" ] || bench/make-corpus.sh "$corpus"
rm -rf "$work" && mkdir -p "$work/Corpus"
split -n 13 -d "$corpus/text.dat" "$work/Corpus/text."
split -n 12 -d "$corpus/binary.dat" "$work/Corpus/binary."
printf '[Setup Screen]\r\nText Line 1=Corpus\r\n' > "$work/install.cfg"

# Best of 3 wall times of a command, in seconds.
best_of_3() {
  local best=""
  for _ in 1 2 3; do
    local start end took
    start=$(date +%s.%N)
    "$@" > /dev/null
    end=$(date +%s.%N)
    took=$(echo "$end - $start" | bc)
    if [ -z "$best" ] || [ "$(echo "$took < $best" | bc)" = 1 ]; then best=$took; fi
  done
  echo "$best"
}

media() { rm -rf "$work/media-$1"; "$tavlin" media -j "$1" --product "$work/Corpus" --config "$work/install.cfg" --out "$work/media-$1"; }
gzip_tar() { tar -C "$work" -cf - Corpus | gzip -6 > "$work/corpus.tar.gz"; }

workers=$(nproc)
g1=$(best_of_3 gzip_tar)
m1=$(best_of_3 media 1)
mn=$(best_of_3 media "$workers")
g2=$(best_of_3 gzip_tar)
g=$(echo "if ($g1 < $g2) $g1 else $g2" | bc)
cmp <(cat "$work"/media-1/disk.*) <(cat "$work/media-$workers"/disk.*) || { echo "media differ between -j 1 and -j $workers" >&2; exit 1; }
size=$(du -cb "$work"/Corpus/* | tail -1 | cut -f1)
packed=$(du -cb "$work/media-1"/disk.* | tail -1 | cut -f1)
awk -v g="$g" -v m1="$m1" -v mn="$mn" -v w="$workers" -v s="$size" -v p="$packed" -v z="$(stat -c %s "$work/corpus.tar.gz")" 'BEGIN {
  printf "gzip -6 of a tar:   %6.2f s  %.1f%%\n", g, 100 * z / s
  printf "tavlin media -j 1:  %6.2f s  %.1f%%  %.2fx gzip\n", m1, 100 * p / s, g / m1
  printf "tavlin media -j %d:  %6.2f s  %.1f%%  %.2fx gzip (%.2fx -j 1)\n", w, mn, 100 * p / s, g / mn, m1 / mn
}'

# Processor time, which other work on the machine disturbs less: gzip's whole
# pipeline, and tavlin's total and busiest thread. The busiest thread is what
# wall time comes to with a free processor per worker; the total is what it
# comes to on a machine that others keep busy, since the scheduler shares the
# processors out by session (autogroups) and not by thread.
gzip_cpu=$( { /usr/bin/time -f '%U %S' bash -c "tar -C '$work' -cf - Corpus | gzip -6 > '$work/corpus.tar.gz'"; } 2>&1 | awk '{ print $1 + $2 }')
for j in 1 "$workers"; do
  rm -rf "$work/media-$j"
  read -r _ total _ busiest _ threads < <(bench/thread-times.py "$tavlin" media -j "$j" --product "$work/Corpus" \
    --config "$work/install.cfg" --out "$work/media-$j")
  awk -v j="$j" -v g="$gzip_cpu" -v t="$total" -v b="$busiest" -v n="$threads" 'BEGIN {
    printf "processor time -j %d: total %.2f s, busiest thread %.2f s (%d threads); gzip %.2f s: %.2fx gzip (total %.2fx)\n", j, t, b, n, g, g / b, g / t
  }'
done
rm -rf "$work"
