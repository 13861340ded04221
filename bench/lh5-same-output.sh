#!/usr/bin/env bash
# Guards LH5 encoder speed work: records the sha256 of `codec_bench pack lh5` for
# the corpus files and a set of synthetic inputs (runs, long periods, a period of
# one match length, mutated repeats, small alphabets, sizes around the window
# slides), then checks that a later build still writes the very same streams.
# Usage: bench/lh5-same-output.sh record|check HASHFILE [CORPUS_DIR]
# The codec_bench of build-bench is used; bench/run.sh builds it.
set -euo pipefail
cd "$(dirname "$0")/.."
mode="${1:?usage: bench/lh5-same-output.sh record|check HASHFILE [CORPUS_DIR]}"
hashes="${2:?usage: bench/lh5-same-output.sh record|check HASHFILE [CORPUS_DIR]}"
corpus="${3:-build-bench/corpus}"
bench=build-bench/bench/codec_bench
inputs=build-bench/lh5-inputs
out=build-bench/lh5-streams
mkdir -p "$inputs" "$out"

# Synthetic inputs, the same on every machine (a fixed seed).
python3 - "$inputs" "$corpus/text.dat" <<'PY'
import os, random, sys
folder, text_path = sys.argv[1], sys.argv[2]
rnd = random.Random(20240601)
def write(name, data):
    with open(os.path.join(folder, name), "wb") as f:
        f.write(bytes(data))
def rand(n):
    return bytes(rnd.getrandbits(8) for _ in range(n))
with open(text_path, "rb") as f:
    text = f.read(4 << 20)
# Runs of random lengths, some longer than a whole match.
runs = bytearray()
while len(runs) < 1 << 20:
    runs += bytes([rnd.getrandbits(8)]) * rnd.choice([1, 2, 3, 4, 7, 40, 255, 256, 257, 600, 3000])
write("runs.dat", runs)
# Repeats at the window's edge and at one match length: matches at the largest
# distance, and whole-match strings that replace equal leaves.
for period in (256, 257):
    block = rand(period)
    write(f"period{period}.dat", (block * ((1 << 20) // period + 1))[: 1 << 20])
for period in (8191, 8192, 8193):
    block = text[:period]
    write(f"period{period}.dat", (block * ((1 << 20) // period + 1))[: 1 << 20])
# Random bytes do not shrink: the encoder must still give up.
write("random.dat", rand(100000))
# A repeated block with scattered changes: deep splits and removals.
block = bytearray(rand(300))
mutated = bytearray()
while len(mutated) < 1 << 20:
    block[rnd.randrange(len(block))] = rnd.getrandbits(8)
    mutated += block
write("mutated300.dat", mutated)
# Small alphabets: many short matches and skewed codes.
write("alphabet4.dat", bytes(rnd.choice(b"ACGT") for _ in range(1 << 20)))
write("skewed.dat", bytes(min(int(rnd.expovariate(0.7)), 255) for _ in range(1 << 20)))
# Mostly random bytes with text pasted in, so that the stream still shrinks.
mixed = bytearray()
while len(mixed) < 1 << 20:
    mixed += rand(rnd.randrange(1, 2000))
    start = rnd.randrange(len(text) - 5000)
    mixed += text[start : start + rnd.randrange(1, 5000)]
write("mixed.dat", mixed)
# Sizes around the first and second slide and a partial last block.
for size in (2, 3, 300, 7935, 7936, 7937, 8192, 8448, 16127, 16128, 16129, 100000):
    write(f"text{size}.dat", text[:size])
write("text4m.dat", text)
PY

actual=$(mktemp)
trap 'rm -f "$actual"' EXIT
for file in "$corpus/text.dat" "$corpus/binary.dat" "$inputs"/*.dat; do
  name=$(basename "$file")
  # An input that does not shrink ends in an error; that outcome is recorded too.
  if "$bench" pack lh5 "$file" "$out/$name.lh5" > /dev/null 2>&1; then
    echo "$(sha256sum < "$out/$name.lh5" | cut -d' ' -f1) $name"
  else
    echo "failed $name"
  fi
done > "$actual"

case "$mode" in
  record) cp "$actual" "$hashes"; echo "recorded $(wc -l < "$hashes") streams in $hashes" ;;
  check)
    if diff "$hashes" "$actual"; then echo "all $(wc -l < "$hashes") streams identical"
    else echo "STREAMS DIFFER"; exit 1; fi ;;
  *) echo "mode must be record or check" >&2; exit 2 ;;
esac
