# Shell functions for driving Windows programs under wine on a private X server,
# as a person would: source this file, then
#   gui_begin WORKDIR PREFIX       a private Xvfb display; the wine prefix PREFIX,
#                                  made on first use (about 10 s) and kept
#   gui_run OUTFILE PROGRAM ARGS   starts a program in the background (pid in $gui_pid)
#   gui_wait_window TITLE [SECS=60] prints the X window of that title, waiting by polling
#   gui_wait_line FILE TEXT [SECS] waits until a line of FILE starts with TEXT
#   gui_key KEY... / gui_type TEXT / gui_click X Y
#   gui_focus                      prints the X window with the keyboard focus
#   gui_screenshot FILE            the whole screen as PNG
#   gui_wait_wizard [SECS=60] [LEFT RIGHT]  waits until the wizard panel shows (after the
#                                  expansion): its white left and grey right edge (at the
#                                  columns the design gives at 96 DPI, unless given)
#   gui_set_dpi DPI                the screen's DPI for the programs started next
#   gui_wait_exit [SECS=60]        waits for the program started last; its status in $gui_status
#   gui_winpath PATH               the host path as wine's Z: path
#   gui_media BINARY_DIR PRODUCT CONFIG FILES OUT  media built by that tree's tavlin.exe
#                                  with its setup.exe (the log in OUT.log)
#   gui_end                        ends wine and the display (also on exit)
# Every wait is bounded (a minute by default: a loaded CI machine starts wine slowly);
# a timeout fails the calling test with a message.
# Needs Xvfb, xdotool, ImageMagick's import and wine (wine64 for x86_64 programs).

gui_fail() { echo "FAIL: $*" >&2; exit 1; }

gui_winpath() { printf 'Z:%s' "$(printf '%s' "$1" | tr '/' '\\')"; }

gui_media() {
  local tree="$1"
  wine "$tree/apps/tavlin/tavlin.exe" media --product "$(gui_winpath "$2")" --config "$(gui_winpath "$3")" \
    --files "$(gui_winpath "$4")" --setup "$(gui_winpath "$tree/apps/setup/setup.exe")" \
    --out "$(gui_winpath "$5")" > "$5.log" 2>&1 || gui_fail "media: $(cat "$5.log")"
}

gui_begin() {
  local work="$1"
  mkdir -p "$work"
  export WINEPREFIX="$2" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
  # A private display: its size is fixed, and no other test's windows take the
  # focus from ours. -displayfd picks a free display number.
  local fd_file="$work/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$fd_file" 2> "$work/xvfb.log" &
  gui_xvfb_pid=$!
  trap gui_end EXIT
  local i
  for i in $(seq 1 100); do
    [ -s "$fd_file" ] && break
    sleep 0.1
  done
  [ -s "$fd_file" ] || gui_fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=":$(head -n 1 "$fd_file")"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    # A first boot can fail while the machine is busy starting other prefixes;
    # a second one tells that from a prefix that cannot be made.
    if ! wineboot -i > "$work/wineboot.log" 2>&1; then
      wineserver -w
      wineboot -i > "$work/wineboot.log" 2>&1 || gui_fail "wineboot failed: $(tail -5 "$work/wineboot.log")"
    fi
    wineserver -w
  fi
  # Wine draws the windows' frames and title bars itself, as Windows does, since
  # the display has no window manager: the screenshots show them, active or not.
  # With no window manager to hand out the keyboard focus, wine sets it itself
  # for the windows it does not leave to one.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f > /dev/null 2>&1 &&
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f > /dev/null 2>&1 ||
    gui_fail "cannot set wine's X11 driver options"
  # The profile's Desktop (and the other shell folders) link to the host's own
  # folders; make them folders of the prefix so that nothing lands outside it.
  local folder
  for folder in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$folder" ]; then
      rm "$folder"
      mkdir "$folder"
    fi
  done
}

gui_run() {
  local out="$1"
  shift
  : > "$out"
  wine "$@" > "$out" 2>&1 &
  gui_pid=$!
}

gui_wait_window() {
  local title="$1" seconds="${2:-60}" window
  local deadline=$((SECONDS + seconds))
  while [ "$SECONDS" -lt "$deadline" ]; do
    window="$(xdotool search --onlyvisible --name "^${title}\$" 2> /dev/null | head -n 1 || true)"
    if [ -n "$window" ]; then
      echo "$window"
      return 0
    fi
    sleep 0.1
  done
  local names
  names="$(xdotool search --name '.' getwindowname %@ 2> /dev/null | tr '\n' '|' || true)"
  gui_fail "no window \"$title\" within $seconds s on $DISPLAY; windows: $names"
}

gui_wait_line() {
  local file="$1" text="$2" seconds="${3:-60}"
  local deadline=$((SECONDS + seconds))
  while [ "$SECONDS" -lt "$deadline" ]; do
    grep -q "^$text" "$file" 2> /dev/null && return 0
    sleep 0.1
  done
  gui_fail "no line \"$text\" in $file within $seconds s: $(cat "$file")"
}

gui_key() { xdotool key --delay 50 "$@"; }
gui_type() { xdotool type --delay 30 "$1"; }
gui_click() { xdotool mousemove --sync "$1" "$2" click 1; }
gui_focus() { xdotool getwindowfocus; }
gui_screenshot() { import -window root "$1"; }

# The wizard panel of a 1024 x 768 screen lies at 292, 240, 441 x 289: its raised
# bevel is white at the left edge and grey at the right. Before the expansion has
# ended (the forms' timers take real seconds) the screen shows no panel yet.
gui_wait_wizard() {
  local seconds="${1:-60}" left="${2:-292}" right="${3:-732}" edges
  local deadline=$((SECONDS + seconds))
  while [ "$SECONDS" -lt "$deadline" ]; do
    edges="$(import -window root png:- 2> /dev/null |
      convert - \( +clone -crop "1x1+$left+400" \) \( -clone 0 -crop "1x1+$right+400" \) -delete 0 +append -depth 8 rgb:- |
      od -An -tu1 | tr -s ' \n' ' ')"
    [ "$edges" = " 255 255 255 128 128 128 " ] && return 0
    sleep 0.2
  done
  gui_fail "no wizard panel within $seconds s (its edges: $edges)"
}

gui_set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f > /dev/null 2>&1 ||
    gui_fail "cannot set the DPI"
  # Programs read it when they start; let the running ones end first.
  wineserver -w
}

gui_wait_exit() {
  local seconds="${1:-60}"
  local deadline=$((SECONDS + seconds))
  while kill -0 "$gui_pid" 2> /dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || gui_fail "the program did not end within $seconds s"
    sleep 0.1
  done
  gui_status=0
  wait "$gui_pid" || gui_status=$?
}

gui_end() {
  if [ -n "${WINEPREFIX:-}" ]; then
    # Ask wine's processes to end, and stop them if they will not.
    timeout 10 wineserver -w 2> /dev/null || wineserver -k 2> /dev/null || true
  fi
  if [ -n "${gui_xvfb_pid:-}" ]; then
    kill "$gui_xvfb_pid" 2> /dev/null || true
    wait "$gui_xvfb_pid" 2> /dev/null || true
    gui_xvfb_pid=""
  fi
}
