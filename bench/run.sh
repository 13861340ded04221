#!/usr/bin/env bash
# Runs the codec benchmark on one corpus: LH5 and LZH expansion against lhasa,
# LH5 and LZH compression against gzip -6 (speed and size), and the peak memory
# of expanding a 256 MiB member. Prints ours/theirs ratios (above 1: ours faster),
# first each measured apart, then ours and theirs taken in turns.
# Usage: bench/run.sh [CORPUS_DIR [WORK_DIR]]; the corpus is made when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/bench-build.sh
corpus="${1:-$build/corpus}"
work="${2:-$build/work}"

bench_build codec_bench
bench="$build/bench/codec_bench"

[ -f "$corpus/text.dat" ] && [ -f "$corpus/binary.dat" ] || bench/make-corpus.sh "$corpus"
mkdir -p "$work"

echo "== throughput (processor time, best of 3 runs, file to file) and size, each corpus file as one member"
"$bench" compare "$work" "$corpus/text.dat" "$corpus/binary.dat"

# The same ratios with ours and theirs timed in turns, best of 5: on a machine
# that others share, a burst of their load then weighs on both alike.
echo
echo "== in turns (best of 5 each)"
"$bench" compress "$work" "$corpus/text.dat" "$corpus/binary.dat"
for method in lh5 lzh; do
  "$bench" expand "$method" "$work" "$corpus/text.dat" "$corpus/binary.dat" | tail -1
done

# Another -lh5- encoder's packed size on the same files: the encoder's output is
# fixed, so the size checks fidelity rather than being a target. jlha comes from
# the jlha-utils package and is optional.
if command -v jlha > /dev/null; then
  echo
  echo "== packed size beside jlha -lh5- (jlha-utils)"
  for file in "$corpus/text.dat" "$corpus/binary.dat"; do
    name=$(basename "$file")
    archive=$(realpath -m "$work/jlha.lzh")
    rm -f "$archive"
    # jlha stores the name as given, so it runs in the file's folder.
    (cd "$(dirname "$file")" && jlha ao5q "$archive" "$name" > /dev/null)
    "$bench" pack lh5 "$file" "$work/ours.lh5" > /dev/null
    size=$(stat -c %s "$file")
    # The archive's own headers are a few dozen bytes; the member data dominates.
    awk -v n="$name" -v s="$size" -v o="$(stat -c %s "$work/ours.lh5")" -v j="$(stat -c %s "$work/jlha.lzh")" \
      'BEGIN { printf "%-12s ours %.1f%%  jlha %.1f%% (whole .lzh file)\n", n, 100 * o / s, 100 * j / s }'
  done
  rm -f "$work/jlha.lzh" "$work/ours.lh5"
fi

echo
echo "== peak memory expanding a 256 MiB member (file to nowhere)"
big="$work/member256.dat"
for i in 1 2 3 4; do cat "$corpus/text.dat" "$corpus/binary.dat"; done > "$big"
size=$(stat -c %s "$big")
for method in lh5 lzh; do
  "$bench" pack "$method" "$big" "$big.$method"
  /usr/bin/time -f "$method: max resident set %M KiB, %e s" "$bench" unpack "$method" "$big.$method" "$size"
done
/usr/bin/time -f "baseline (the same program, nothing to expand): max resident set %M KiB" \
  "$bench" unpack lh5 "$big.lh5" 0 > /dev/null
rm -f "$big" "$big.lh5" "$big.lzh"
