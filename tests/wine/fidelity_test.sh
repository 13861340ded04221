#!/usr/bin/env bash
# The welcome page of the example product's setup painted twice: by the hosted
# machine's raster canvas (tavlin-setup --screenshots) and by setup.exe on a
# real screen under wine, captured from the display. The wizard panel must lie
# in the same rectangle and the painted background outside it must agree pixel
# for pixel except in the rows of text (same_screen.py). Needs the native
# build's tavlin and tavlin-setup; without them the test is skipped (77).
# Both pictures stay in BINARY_DIR/tests/wine/fidelity.
#   fidelity_test.sh SOURCE_DIR BINARY_DIR HOST_BUILD_DIR
set -euo pipefail
source_dir="$1"
binary_dir="$2"
host_build="$3"
here="$source_dir/tests/wine"
tavlin="$host_build/apps/tavlin/tavlin"
hosted_setup="$host_build/apps/tavlin-setup/tavlin-setup"
if [ ! -x "$tavlin" ] || [ ! -x "$hosted_setup" ]; then
  echo "no native build with tavlin and tavlin-setup in $host_build: skipped"
  exit 77
fi
source "$here/gui_harness.sh"
work="$binary_dir/tests/wine/fidelity"
rm -rf "$work"
mkdir -p "$work"

echo "== media for the example product, with the real setup.exe"
"$tavlin" media --product "$source_dir/examples/acme/Acme" --config "$source_dir/examples/acme/install.cfg" \
  --files "$source_dir/examples/acme/files.lst" --setup "$binary_dir/apps/setup/setup.exe" \
  --out "$work/media" > "$work/media.log" 2>&1 || gui_fail "media: $(cat "$work/media.log")"

echo "== the welcome page on the hosted machine"
# Q leaves the wizard on its first page.
printf 'Q\n' | "$hosted_setup" --machine "$work/machine" --drive "D=$work/media" --cd 'D:\' \
  --screenshots "$work/hosted-pictures" > "$work/hosted.log" 2>&1 || true
hosted="$(ls "$work"/hosted-pictures/*-welcome.png 2> /dev/null | head -n 1)"
[ -n "$hosted" ] || gui_fail "the hosted run made no picture of the welcome page: $(tail -5 "$work/hosted.log")"
cp "$hosted" "$work/hosted-welcome.png"

echo "== the welcome page under wine"
gui_begin "$work" "$work/prefix"
screen_sum() { import -window root rgb:- 2> /dev/null | md5sum | cut -d' ' -f1; }
empty="$(screen_sum)"
cd "$work/media"
gui_run "$work/wine.out" setup.exe
cd - > /dev/null
gui_wait_window "Tavlin Pro" > /dev/null
gui_wait_wizard
# The page has been drawn once the screen differs from the empty one and holds still.
previous=""
deadline=$((SECONDS + 60))
while :; do
  [ "$SECONDS" -lt "$deadline" ] || gui_fail "the welcome page did not settle within 60 s"
  sum="$(screen_sum)"
  [ "$sum" != "$empty" ] && [ "$sum" = "$previous" ] && break
  previous="$sum"
  sleep 0.3
done
gui_screenshot "$work/wine-welcome.png"
gui_key Escape
gui_wait_exit

echo "== the two pictures"
python3 "$here/same_screen.py" "$work/hosted-welcome.png" "$work/wine-welcome.png"
echo "the hosted and the wine picture of the welcome page agree"

# On a screen of 144 pixels per inch the designed sizes are half as large again
# (MulDiv's rounding): the panel 441 x 289 becomes 662 x 434, centred on 1024 x
# 768, and the Next button 75 x 25 becomes 113 x 38.
echo "== the welcome page at 144 DPI"
gui_set_dpi 144
cd "$work/media"
gui_run "$work/wine-144.out" setup.exe
cd - > /dev/null
gui_wait_window "Tavlin Pro" > /dev/null
gui_wait_wizard 60 $((512 - 331)) $((512 - 331 + 662 - 1))
next=""
deadline=$((SECONDS + 20))
while [ -z "$next" ] && [ "$SECONDS" -lt "$deadline" ]; do
  next="$(wine "$binary_dir/tests/wine/window_probe.exe" "Acme Suite" 10 2> /dev/null | tr -d '\r' |
    awk '$1 == "child" && $2 == "Button" && / &Next >>$/ { print $4 }')"
  [ -n "$next" ] || sleep 0.3
done
gui_screenshot "$work/wine-welcome-144dpi.png"
[ "$next" = 113x38 ] || gui_fail "the Next button at 144 DPI is ${next:-missing}, not 113x38"
gui_key Escape
gui_wait_exit
gui_set_dpi 96
echo "at 144 DPI the panel and its buttons are half as large again"
