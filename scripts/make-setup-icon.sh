#!/usr/bin/env bash
# Draws setup.exe's icon (a box with an arrow going into it) at 48, 32 and 16
# pixels with ImageMagick and writes apps/setup/resources/setup.ico. Run by hand
# when the design changes; the build uses the committed file.
set -euo pipefail
cd "$(dirname "$0")/.."
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Coordinates are designed on a 48-pixel grid and scaled to each size.
scaled() { python3 -c "import sys; k=$1/48; print(' '.join(','.join(str(round(float(v)*k)) for v in p.split(',')) for p in sys.argv[2:]))" "$@"; }
for size in 48 32 16; do
  line=$(python3 -c "print(max(1, round(2*$size/48)))")
  convert -size "${size}x${size}" xc:none \
    -fill '#1f5fa8' -stroke '#0b2f5c' -strokewidth "$line" \
    -draw "roundrectangle $(scaled "$size" 5,16 42,44 3,3)" \
    -fill '#f2c230' -stroke '#8a6a00' \
    -draw "polygon $(scaled "$size" 17,3 31,3 31,17 38,17 24,31 10,17 17,17)" \
    -fill white -stroke none -draw "rectangle $(scaled "$size" 10,36 37,38)" \
    "PNG32:$work/icon$size.png"
done
convert "$work/icon48.png" "$work/icon32.png" "$work/icon16.png" apps/setup/resources/setup.ico
