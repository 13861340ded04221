#!/usr/bin/env bash
# setup.exe's own small windows under wine and Xvfb: the expansion form stands
# minimised with its caption while the files are expanded, the progress windows
# are real windows of a 450 x 152 client area with the animation, two status
# lines, the bar and Cancel where the window's layout puts them, owned by the
# screen, whose caption becomes the configured title. /SILENT shows the progress
# windows and nothing else and installs; /VERYSILENT shows no window at all and
# installs. A screenshot of the /SILENT progress window stays in
# BINARY_DIR/tests/wine/progress-screenshots.
#   progress_window_test.sh SOURCE_DIR BINARY_DIR
set -euo pipefail
source_dir="$1"
binary_dir="$2"
here="$source_dir/tests/wine"
source "$here/gui_harness.sh"
shots="$binary_dir/tests/wine/progress-screenshots"
work="$binary_dir/tests/wine/progress"
rm -rf "$shots" "$work"
mkdir -p "$shots" "$work"
gui_begin "$work" "$work/prefix"
drive_c="$WINEPREFIX/drive_c"
probe="$binary_dir/tests/wine/window_probe.exe"

echo "== media for the example product"
# With a few hundred small files more, the installation's progress window stays
# long enough to be read and pictured on a fast machine.
rm -rf "$work/acme"
cp -r "$source_dir/examples/acme" "$work/acme"
mkdir -p "$work/acme/Acme/notes"
for n in $(seq 1 400); do
  printf 'note %d\r\n' "$n" > "$work/acme/Acme/notes/note$n.txt"
done
gui_media "$binary_dir" "$work/acme/Acme" "$work/acme/install.cfg" "$work/acme/files.lst" "$work/media"

# Starts the probe of a window title in the background; its report goes to FILE.
probe_pids=()
probe_files=()
probe_start() {
  wine "$probe" "$1" 60 ${3:+"$3"} > "$2" 2>&1 &
  probe_pids+=($!)
  probe_files+=("$2")
  local waited=0
  until grep -q watching "$2" 2> /dev/null; do
    [ "$waited" -lt 600 ] || gui_fail "the window probe for \"$1\" did not start"
    sleep 0.1
    waited=$((waited + 1))
  done
}
probe_finish() {
  local pid
  for pid in "${probe_pids[@]}"; do wait "$pid" || true; done
  # The console's line ends are CR LF.
  sed -i 's/\r$//' "${probe_files[@]}"
  probe_pids=()
  probe_files=()
}
# The probe's report must hold the line.
expect_line() {
  grep -qxF -- "$2" "$1" || gui_fail "$(basename "$1"): no line \"$2\" in: $(tr '\n' '|' < "$1")"
}
# The progress window as its layout gives it: client area, controls and places.
expect_progress_layout() {
  local report="$1"
  expect_line "$report" "class TavlinProgressWindow"
  expect_line "$report" "client 450x152"
  expect_line "$report" "iconic 0"
  grep -qx 'child SysAnimate32 8,8 272x60 ' "$report" || gui_fail "animation: $(grep SysAnimate32 "$report")"
  grep -qE '^child Static 9,80 [0-9]+x16 ' "$report" || gui_fail "status line 1: $(grep Static "$report")"
  grep -qE '^child Static 9,99 [0-9]+x16 ' "$report" || gui_fail "status line 2: $(grep Static "$report")"
  expect_line "$report" "child msctls_progress32 8,120 345x16 "
  expect_line "$report" "child Button 365,120 75x25 Cancel"
}
# Names of the visible windows, polled in the background from the start of the
# program started last until it ends (watch_start OUT, then watch_finish).
watch_start() {
  local out="$1" pid="$gui_pid"
  : > "$out"
  (
    while kill -0 "$pid" 2> /dev/null; do
      xdotool search --onlyvisible --name '.' getwindowname %@ >> "$out" 2> /dev/null || true
      sleep 0.1
    done
  ) &
  watch_pid=$!
  watch_out="$out"
}
watch_finish() {
  gui_wait_exit 90
  wait "$watch_pid" || true
  sort -u -o "$watch_out" "$watch_out"
}
installed() {
  local file
  for file in bin/acme.exe readme.txt docs/manual.txt setup.exe uninstaller.cfg; do
    [ -f "$1/$file" ] || gui_fail "missing $file in $1"
  done
}

echo "== the wizard's run: the expansion form, the owned progress window, the caption"
probe_start "TVL2000 - Setup" "$work/expansion-form.txt"
probe_start "Decompressing ..." "$work/expansion-progress.txt"
probe_start "Acme Suite" "$work/screen.txt"
cd "$work/media"; gui_run "$work/wizard.out" setup.exe; cd - > /dev/null
probe_finish
expect_line "$work/expansion-form.txt" "class TavlinFormWindow"
expect_line "$work/expansion-form.txt" "iconic 1"
expect_line "$work/expansion-form.txt" "owner none"
expect_progress_layout "$work/expansion-progress.txt"
# Owned by the screen, whose caption is the start title while install.cfg is unread.
grep -qxE 'owner (Tavlin Pro|Acme Suite)' "$work/expansion-progress.txt" ||
  gui_fail "the expansion's progress window is not owned by the screen: $(grep owner "$work/expansion-progress.txt")"
expect_line "$work/screen.txt" "class TavlinScreenWindow"
# Esc is Cancel on the wizard's first page.
window="$(gui_wait_window "Acme Suite")"
for _ in $(seq 1 100); do
  kill -0 "$gui_pid" 2> /dev/null || break
  xdotool key --window "$window" Escape 2> /dev/null || true
  sleep 0.3
done
gui_wait_exit
[ "$gui_status" -eq 2 ] || gui_fail "Esc on the wizard exited with $gui_status, not 2"

echo "== /SILENT: the progress windows and nothing else; installed"
probe_start "Decompressing ..." "$work/silent-expansion.txt"
probe_start "Installing Application" "$work/silent-progress.txt" "$(gui_winpath "$work/silent-installing.bmp")"
cd "$work/media"; gui_run "$work/silent.out" setup.exe /SILENT; cd - > /dev/null
watch_start "$work/silent-windows.txt"
watch_finish
probe_finish
convert "$work/silent-installing.bmp" "$shots/silent-installing.png" || gui_fail "no picture of the progress window"
expect_progress_layout "$work/silent-expansion.txt"

[ "$gui_status" -eq 0 ] || gui_fail "/SILENT exited with $gui_status"
expect_progress_layout "$work/silent-progress.txt"
expect_line "$work/silent-progress.txt" "owner none"
while read -r name; do
  case "$name" in
    "Decompressing ..." | "Installing Application") ;;
    *) gui_fail "/SILENT showed the window \"$name\"" ;;
  esac
done < "$work/silent-windows.txt"
installed "$drive_c/Program Files/Acme"

echo "== /VERYSILENT: no window at all; installed"
cd "$work/media"; gui_run "$work/verysilent.out" setup.exe /VERYSILENT '/DIR=C:\AcmeQuiet'; cd - > /dev/null
watch_start "$work/verysilent-windows.txt"
watch_finish
[ "$gui_status" -eq 0 ] || gui_fail "/VERYSILENT exited with $gui_status"
[ ! -s "$work/verysilent-windows.txt" ] || gui_fail "/VERYSILENT showed: $(tr '\n' '|' < "$work/verysilent-windows.txt")"
installed "$drive_c/AcmeQuiet"
echo "setup.exe's expansion form, progress windows and silent switches behave under wine"
