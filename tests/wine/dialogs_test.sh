#!/usr/bin/env bash
# The platform's run-time dialogs under wine on a private X server, driven with
# the X keyboard and mouse: the Yes / No / All box shows all three lines of its
# question at 144 and at 96 DPI, is the active window and answers Esc with No;
# every message box has an answer for Esc (OK, Cancel, Abort); the input box
# takes typed text on a click of OK and cancels on Esc; the progress window,
# whose messages the program's own pump runs, has the keyboard on Cancel: Esc,
# Enter and Space cancel, Tab stays within it; setup.exe carries its icon.
# Screenshots stay in BINARY_DIR/tests/wine/screenshots.
#   dialogs_test.sh SOURCE_DIR BINARY_DIR
set -euo pipefail
source_dir="$1"
binary_dir="$2"
here="$source_dir/tests/wine"
source "$here/gui_harness.sh"
probe="$binary_dir/tests/wine/dialog_probe.exe"
shots="$binary_dir/tests/wine/screenshots"
work="$binary_dir/tests/wine/gui"
rm -rf "$shots" "$work/out"
mkdir -p "$shots" "$work/out"
gui_begin "$work" "$binary_dir/tests/wine/gui-prefix"

# A value from the probe's report: the words after the first.
report() { tr -d '\r' < "$1" | awk -v key="$2" '$1 == key { $1 = ""; sub(/^ /, ""); print; exit }'; }

# The Yes / No / All box at a DPI: every line whole, the box active, Esc is No.
check_question_box() {
  local dpi="$1" shot="$shots/yes-no-all-box-$1dpi.png" out="$work/out/choice-$1.txt" box
  echo "== the Yes / No / All box at $dpi DPI"
  gui_set_dpi "$dpi"
  gui_run "$out" "$probe" choice "Acme Suite" "$question"
  box="$(gui_wait_window "Acme Suite")"
  gui_wait_line "$out" ready
  gui_screenshot "$shot"
  cat "$out"
  python3 "$here/text_lines.py" "$shot" $(report "$out" text) 3
  [ "$(report "$out" foreground)" = 1 ] || gui_fail "the box is not the foreground window"
  [ "$(report "$out" active)" = 1 ] || gui_fail "the box is not the active window"
  [ "$(gui_focus)" = "$box" ] || gui_fail "the keyboard focus is on X window $(gui_focus), not the box $box"
  gui_key Escape
  gui_wait_exit
  [ "$(report "$out" answer)" = No ] || gui_fail "Esc answered $(report "$out" answer), not No"
}
# Three lines, each with a capital and a descender (see text_lines.py).
question='File Possible used by Windows.\rC:\Program Files\Acme\Spy.dll\rDelete Anyway?'
check_question_box 144
check_question_box 96

echo "== the input box: typed text, then a click on OK"
out="$work/out/input-ok.txt"
gui_run "$out" "$probe" input "Mount Segment #2" "Directory Path:" 'A:\'
box="$(gui_wait_window "Mount Segment #2")"
gui_wait_line "$out" ready
[ "$(report "$out" active)" = 1 ] || gui_fail "the input box is not the active window"
# The offered text is selected, so typing replaces it.
gui_type 'D:\Disk2'
gui_screenshot "$shots/input-box.png"
cat "$out"
read -r left top right bottom <<< "$(report "$out" OK)"
gui_click $(((left + right) / 2)) $(((top + bottom) / 2))
gui_wait_exit
[ "$(report "$out" answer)" = 'OK D:\Disk2' ] || gui_fail "the input box answered $(report "$out" answer)"

echo "== the input box: Esc"
out="$work/out/input-esc.txt"
gui_run "$out" "$probe" input "Mount Segment #3" "Directory Path:" 'A:\'
gui_wait_window "Mount Segment #3" > /dev/null
gui_wait_line "$out" ready
gui_type 'ignored'
gui_key Escape
gui_wait_exit
[ "$(report "$out" answer)" = 'Cancel A:\' ] || gui_fail "Esc in the input box gave $(report "$out" answer)"

echo "== message boxes: Esc and the keyboard answer each of them"
while read -r kind keys expected; do
  out="$work/out/message-$kind-$expected.txt"
  gui_run "$out" "$probe" message "$kind" "Acme Suite" 'The file\rC:\Acme\bin\acme.exe\rcould not be installed.'
  gui_wait_window "Acme Suite" > /dev/null
  gui_wait_line "$out" ready
  [ "$(report "$out" active)" = 1 ] || gui_fail "the $kind box is not the active window"
  [ "$keys" != Escape ] || gui_screenshot "$shots/message-$kind.png"
  gui_key $keys
  gui_wait_exit
  [ "$(report "$out" answer)" = "$expected" ] ||
    gui_fail "$keys in the $kind box answered $(report "$out" answer), not $expected"
done << 'CASES'
ok Escape Ok
okcancel Escape Cancel
abortretryignore Escape Abort
abortretryignore alt+r Retry
CASES

echo "== the progress window: Esc, Enter and Space on Cancel; Tab stays on Cancel"
for keys in Escape "Tab Return" "Tab space"; do
  out="$work/out/progress-${keys// /-}.txt"
  gui_run "$out" "$probe" progress "Installing Application"
  gui_wait_window "Installing Application" > /dev/null
  gui_wait_line "$out" ready
  [ "$(report "$out" focus)" = "Button Cancel" ] || gui_fail "the progress window's focus: $(report "$out" focus)"
  [ "$keys" != Escape ] || gui_screenshot "$shots/progress-window.png"
  gui_key $keys
  gui_wait_exit
  [ "$(report "$out" answer)" = Cancel ] || gui_fail "$keys on the progress window asked for $(report "$out" answer)"
done

echo "== setup.exe's icon"
out="$work/out/icon.txt"
gui_run "$out" "$probe" icon "Z:$(printf '%s' "$binary_dir/apps/setup/setup.exe" | tr '/' '\\')"
gui_wait_exit
cat "$out"
[ "$gui_status" -eq 0 ] || gui_fail "no icon in setup.exe"
# The design's colours (scripts/make-setup-icon.sh); the corner is transparent
# and shows the white it was drawn on.
for expected in "arrow f2c230" "box 1f5fa8" "bar ffffff" "corner ffffff"; do
  tr -d '\r' < "$out" | grep -qx "$expected" || gui_fail "icon pixel: expected $expected"
done
echo "the dialogs measured, activated and answered as designed"
