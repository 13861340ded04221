#!/usr/bin/env bash
# Runs the codec benchmark on one corpus: LH5 and LZH expansion against lhasa,
# LH5 and LZH compression against gzip -6 (speed and size), and the peak memory
# of expanding a 256 MiB member. Prints ours/theirs ratios (above 1: ours faster).
# Usage: bench/run.sh [CORPUS_DIR [WORK_DIR]]; the corpus is made when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
corpus="${1:-build-bench/corpus}"
work="${2:-build-bench/work}"
jobs="${TAVLIN_JOBS:-2}"

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVLIN_BENCH=ON -DTAVLIN_TESTS=OFF > /dev/null
cmake --build build-bench -j"$jobs" --target codec_bench
bench=build-bench/bench/codec_bench

[ -f "$corpus/text.dat" ] && [ -f "$corpus/binary.dat" ] || bench/make-corpus.sh "$corpus"
mkdir -p "$work"

echo "== throughput (processor time, best of 3 runs) and size, each corpus file as one member"
"$bench" compare "$work" "$corpus/text.dat" "$corpus/binary.dat"

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
