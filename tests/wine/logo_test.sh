#!/usr/bin/env bash
# The logo on setup.exe's screen under wine: a bitmap logo drawn transparent
# (its colours, and the background where it has its transparent colour), and an
# animated GIF logo that shows its first frame and, once that frame's delay has
# passed, its second, then its first again. The pictures are made here from one
# design (logo_pictures.py), which also checks the screenshots; these stay in
# BINARY_DIR/tests/wine/logo-screenshots.
#   logo_test.sh SOURCE_DIR BINARY_DIR
set -euo pipefail
source_dir="$1"
binary_dir="$2"
here="$source_dir/tests/wine"
source "$here/gui_harness.sh"
shots="$binary_dir/tests/wine/logo-screenshots"
work="$binary_dir/tests/wine/logo"
rm -rf "$shots" "$work"
mkdir -p "$shots" "$work"
gui_begin "$work" "$work/prefix"

echo "== media for the example product with both logos"
cp -r "$source_dir/examples/acme/Acme" "$work/Acme"
python3 "$here/logo_pictures.py" make "$work/Acme/art"
gui_media "$binary_dir" "$work/Acme" "$source_dir/examples/acme/install.cfg" "$source_dir/examples/acme/files.lst" "$work/media"

# Starts the setup with this logo file and waits (bounded) for its screen.
start_setup() {
  LOGO="$1" perl -pi -e 's/^Logo File=[^\r\n]*/Logo File=C:\\Acme\\art\\$ENV{LOGO}/' "$work/media/install.cfg"
  grep -q "^Logo File=C:.Acme.art.$1" "$work/media/install.cfg" || gui_fail "install.cfg names no $1"
  cd "$work/media"
  gui_run "$work/$1.out" setup.exe
  cd - > /dev/null
  gui_wait_window "(Tavlin Pro|Acme Suite)" > /dev/null
}
# Takes screenshots until one passes the check (bounded), and keeps it as NAME.png.
#   until_shown NAME SECONDS bmp | until_shown NAME SECONDS gif FRAME
until_shown() {
  local name="$1" seconds="$2" kind="$3" result=""
  shift 3
  local deadline=$((SECONDS + seconds))
  while [ "$SECONDS" -lt "$deadline" ]; do
    gui_screenshot "$work/shot.png"
    if result="$(python3 "$here/logo_pictures.py" "$kind" "$work/shot.png" "$@" 2>&1)"; then
      cp "$work/shot.png" "$shots/$name.png"
      echo "   $result"
      return 0
    fi
    sleep 0.2
  done
  cp "$work/shot.png" "$shots/$name-failed.png"
  gui_fail "$name: not shown within $seconds s: $result"
}

echo "== the bitmap logo, drawn transparent"
start_setup logo.bmp
until_shown bmp-logo 60 bmp
gui_key Escape
gui_wait_exit

echo "== the GIF logo and its animation"
start_setup logo.gif
until_shown gif-frame-1 60 gif 0
# Each frame stays 4 s, long enough for a screenshot and its check on a loaded
# machine; the next one comes within a generous bound of that.
until_shown gif-frame-2 20 gif 1
until_shown gif-frame-1-again 20 gif 0
gui_key Escape
gui_wait_exit
echo "both logos show as designed, and the GIF plays"
