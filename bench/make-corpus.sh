#!/usr/bin/env bash
# Gathers the benchmark corpus from this machine into OUTDIR: text.dat (32 MiB of
# licences, documentation and decompressed man pages) and binary.dat (32 MiB of
# programs and libraries), each a concatenation of whole files in sorted order,
# cut at 32 MiB, with the list of files used beside it. The same machine always
# gives the same corpus. Usage: bench/make-corpus.sh OUTDIR
set -euo pipefail
out="${1:?usage: bench/make-corpus.sh OUTDIR}"
limit=$((32 * 1024 * 1024))
export LC_ALL=C
mkdir -p "$out"

# Appends the files named on stdin (one per line) to $1 until it holds $limit bytes;
# $2 names the command that prints one file's contents.
gather() {
  local target="$1" reader="$2" list="$1.files"
  : > "$target"
  : > "$list"
  while IFS= read -r file; do
    [ "$(stat -c %s "$target")" -ge "$limit" ] && break
    "$reader" "$file" >> "$target" 2>/dev/null || continue
    echo "$file" >> "$list"
  done
  truncate -s "$limit" "$target"
}

plain() { cat -- "$1"; }
unzipped() { gzip -dc -- "$1"; }
is_text() { grep -Iq . -- "$1"; }
is_elf() { [ "$(head -c 4 -- "$1" | od -An -c | tr -d ' ')" = "177ELF" ]; }

# Candidates are listed lazily; gathering stops reading them once the file is full.
text_candidates() {
  find /usr/share/common-licenses /usr/share/doc -type f ! -name '*.gz' -size -2M | sort |
    while IFS= read -r f; do is_text "$f" && echo "$f"; done
  find /usr/share/man -type f -name '*.gz' | sort
}
text_reader() { case "$1" in *.gz) unzipped "$1" ;; *) plain "$1" ;; esac; }
{ text_candidates 2>/dev/null || true; } | gather "$out/text.dat" text_reader

binary_candidates() {
  find /usr/bin /usr/lib -type f -size +4k -size -8M | sort |
    while IFS= read -r f; do is_elf "$f" && echo "$f"; done
}
{ binary_candidates 2>/dev/null || true; } | gather "$out/binary.dat" plain

ls -l "$out"/*.dat
