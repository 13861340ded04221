#!/usr/bin/env bash
# setup.exe's wizard on a real screen under wine, driven as a person drives it
# with the X keyboard and mouse: the example product installed through every page
# (Accept, a typed folder, a ticked shortcut box, Install, Finish), then removed
# through the registered UninstallString and its page; Cancel on the folder page
# leaves nothing behind; Decline on the licence page exits 2. The pages show the
# system's own controls: the licence, longer than its box, scrolls with Page
# Down and the wheel; Tab moves the keyboard focus through the folder and the
# shortcuts pages in the form's order, Enter presses the default button and Esc
# is Cancel; the browse button opens the folder chooser, whose typed folder is
# made only once the user confirms it and then shows as the destination. A
# screenshot of each page stays in BINARY_DIR/tests/wine/wizard-screenshots.
#   wizard_test.sh SOURCE_DIR BINARY_DIR
set -euo pipefail
source_dir="$1"
binary_dir="$2"
here="$source_dir/tests/wine"
source "$here/gui_harness.sh"
shots="$binary_dir/tests/wine/wizard-screenshots"
work="$binary_dir/tests/wine/wizard"
rm -rf "$shots" "$work"
mkdir -p "$shots" "$work"
gui_begin "$work" "$work/prefix"
drive_c="$WINEPREFIX/drive_c"
reg_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v name="$2" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'; }
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Acme Suite'
probe="$binary_dir/tests/wine/window_probe.exe"

echo "== media for the example product"
# The example with a licence too long for its box.
cp -r "$source_dir/examples/acme/Acme" "$work/Acme"
for clause in $(seq 4 60); do echo "$clause. Clause number $clause of the agreement."; done >> "$work/Acme/LICENSE.TXT"
gui_media "$binary_dir" "$work/Acme" "$source_dir/examples/acme/install.cfg" "$source_dir/examples/acme/files.lst" "$work/media"

# The screen's checksum, for telling when a page has been drawn.
screen_sum() { import -window root rgb:- 2> /dev/null | md5sum | cut -d' ' -f1; }
last_sum=""
# Waits (bounded) until the screen differs from the last page and holds still,
# then keeps it as NAME.png.
page() {
  local name="$1" seconds="${2:-60}" sum previous=""
  local deadline=$((SECONDS + seconds))
  while [ "$SECONDS" -lt "$deadline" ]; do
    sum="$(screen_sum)"
    if [ "$sum" != "$last_sum" ] && [ "$sum" = "$previous" ]; then
      last_sum="$sum"
      gui_screenshot "$shots/$name.png"
      echo "   page $name"
      return 0
    fi
    previous="$sum"
    sleep 0.3
  done
  gui_fail "the screen did not settle on the page $name within $seconds s"
}
# The licence box's scroll bar track, where the thumb shows how far the text is
# scrolled (the caret never reaches it).
thumb_sum() { import -window root png:- 2> /dev/null | convert - -crop 16x112+715+322 rgb:- | md5sum | cut -d' ' -f1; }
# Waits (bounded) until the thumb has moved away from where it was (sum $1).
thumb_moved() {
  local deadline=$((SECONDS + 15))
  while [ "$SECONDS" -lt "$deadline" ]; do
    [ "$(thumb_sum)" != "$1" ] && return 0
    sleep 0.2
  done
  gui_fail "the licence did not scroll: $2"
}
# What the window probe tells of a window (see window_probe.cpp).
probe_window() { wine "$probe" "$1" 10 2> /dev/null | tr -d '\r'; }
# The line of a report that starts with KEY, without the key.
report_line() { awk -v key="$1" '$1 == key { $1 = ""; sub(/^ /, ""); print; exit }'; }
# Waits (bounded) until the screen's keyboard focus is on the control "CLASS
# TEXT"; false, with the last one seen printed, when it does not come there.
focus_on() {
  local deadline=$((SECONDS + 10)) seen=""
  while [ "$SECONDS" -lt "$deadline" ]; do
    seen="$(probe_window "Acme Suite" | report_line focus)"
    [ "$seen" = "$1" ] && return 0
    sleep 0.1
  done
  echo "$seen"
  return 1
}
# Each Tab (or Shift+Tab, "shift+Tab CONTROL") takes the focus to the next control.
tab_order() {
  local what="$1" step keys expected seen
  shift
  for step in "$@"; do
    keys=Tab
    expected="$step"
    if [ "${step#shift+Tab }" != "$step" ]; then
      keys=shift+Tab
      expected="${step#shift+Tab }"
    fi
    gui_key "$keys"
    seen="$(focus_on "$expected")" || gui_fail "$what: $keys took the focus to \"$seen\", not \"$expected\""
  done
}
# The centre on the screen of a window's first child of CLASS (with the text
# TEXT, when given), or nothing. The texts reach awk through the environment,
# which leaves their backslashes alone.
child_centre() {
  probe_window "$1" | class="$2" text="${3-}" wanted="${3+set}" awk '
    $1 == "origin" { split($2, o, ",") }
    $1 == "child" && $2 == ENVIRON["class"] && !found {
      line = $0; sub(/^child [^ ]+ [^ ]+ [^ ]+ ?/, "", line)
      if (ENVIRON["wanted"] == "" || line == ENVIRON["text"]) { split($3, at, ","); split($4, size, "x"); found = 1 }
    }
    END { if (found) print o[1] + at[1] + int(size[1] / 2), o[2] + at[2] + int(size[2] / 2) }'
}
# Waits (bounded) until a window has that child (arguments as child_centre's).
wait_child() {
  local deadline=$((SECONDS + 10))
  while [ "$SECONDS" -lt "$deadline" ]; do
    [ -n "$(child_centre "$@")" ] && return 0
    sleep 0.1
  done
  return 1
}
start_setup() {
  last_sum="$(screen_sum)"
  gui_run "$work/$1.out" "$2" "${@:3}"
  # The screen's caption is the start title until install.cfg names the product.
  gui_wait_window "(Tavlin Pro|Acme Suite)" > /dev/null
  # The screen holds still a second before the expansion, and again during it.
  gui_wait_wizard
}

echo "== Decline on the licence page exits 2"
cd "$work/media"; start_setup decline setup.exe; cd - > /dev/null
page decline-1-welcome
gui_key alt+n
page decline-2-license
gui_key alt+d
gui_wait_exit
[ "$gui_status" -eq 2 ] || gui_fail "Decline exited with $gui_status, not 2"
[ ! -e "$drive_c/Acme" ] || gui_fail "Decline left C:\\Acme"

echo "== Cancel on the folder page leaves nothing behind"
cd "$work/media"; start_setup cancel setup.exe; cd - > /dev/null
page cancel-1-welcome
gui_key Return
page cancel-2-license
gui_key alt+a
page cancel-3-folder
# The browse button opens the folder chooser in the middle of the screen; a
# folder typed there is made once the user confirms it in a question captioned
# with the title, and becomes the destination; Cancel then leaves only that
# folder, which the user asked for.
read -r x y <<< "$(child_centre "Acme Suite" Button ...)"
[ -n "${y:-}" ] || gui_fail "no browse button on the folder page"
gui_click "$x" "$y"
gui_wait_window "Browse for Folder" > /dev/null
chooser="$(probe_window "Browse for Folder")"
read -r cx cy cw ch <<< "$(awk '$1 == "origin" { split($2, o, ",") } $1 == "client" { split($2, s, "x") }
  END { print o[1], o[2], s[1], s[2] }' <<< "$chooser")"
# The client area's centre lies within the frame's few pixels of the screen's.
[ $(((2 * cx + cw - 1024) ** 2 <= 400 && (2 * cy + ch - 768) ** 2 <= 1600)) -eq 1 ] ||
  gui_fail "the folder chooser is not centred: client ${cw}x$ch at $cx,$cy"
read -r x y <<< "$(child_centre "Browse for Folder" Edit)"
[ -n "${y:-}" ] || gui_fail "no folder box in the folder chooser"
gui_click "$x" "$y"
gui_key End shift+Home
gui_type 'C:\AcmeChosen'
page cancel-3-folder-chooser 15
gui_key Return
question="$(wine "$probe" --class '#32770' "Acme Suite" 20 2> /dev/null | tr -d '\r')"
grep -qxF 'owner Acme Suite' <<< "$question" || gui_fail "the question is not the setup's: $question"
grep -qF ' The folder C:\AcmeChosen does not exist. Create it?' <<< "$question" ||
  gui_fail "no question to create the folder: $question"
page cancel-3-folder-chooser-create 15
[ ! -e "$drive_c/AcmeChosen" ] || gui_fail "the chooser made the folder before the user confirmed it"
gui_key Return
wait_child "Acme Suite" Edit 'C:\AcmeChosen' || gui_fail "the destination does not show the chosen folder"
[ -d "$drive_c/AcmeChosen" ] || gui_fail "the confirmed folder was not made"
page cancel-3-folder-chosen 15
gui_key Escape
gui_wait_exit
[ "$gui_status" -eq 2 ] || gui_fail "Cancel exited with $gui_status, not 2"
[ ! -e "$drive_c/Program Files/Acme" ] || gui_fail "Cancel left the configured folder"
wine reg query "$entry" > /dev/null 2>&1 && gui_fail "Cancel left an uninstall entry"
[ -z "$(reg_value 'HKCU\Software\Acme' Greeting)" ] || gui_fail "Cancel left a registry value"
[ -z "$(ls -A "$drive_c/AcmeChosen")" ] || gui_fail "Cancel put something into the chosen folder"

echo "== installation through every page"
cd "$work/media"; start_setup install setup.exe; cd - > /dev/null
page install-1-welcome
gui_click 688 509
page install-2-license
# Page Down in the licence box, then the wheel over it, scroll the text.
thumb="$(thumb_sum)"
gui_click 500 400
gui_key Next
thumb_moved "$thumb" "Page Down"
page install-2-license-page-down 15
# The focus leaves the box: the wheel scrolls what is under the pointer.
gui_key Tab
thumb="$(thumb_sum)"
xdotool mousemove --sync 500 400 click --repeat 3 4
thumb_moved "$thumb" "the wheel"
page install-2-license-wheel-up 15
gui_key alt+a
page install-3-folder
configured='Edit C:\Program Files\Acme\'
tab_order "the folder page" "$configured" 'Button &Cancel' 'Button << &Back' 'Button &Next >>' "$configured" \
  "shift+Tab Button &Next >>" "$configured"
# The folder typed over the configured one.
gui_click 500 387
xdotool key --delay 20 --repeat 40 BackSpace
gui_type 'C:\AcmeWiz'
page install-3-folder-typed
gui_key Return
page install-4-shortcuts
tab_order "the shortcuts page" 'Button Add Folder to Start Menu' 'Button Add Folder to Desktop' SysListView32 \
  'Button &Cancel' 'Button << &Back' 'Button &Next >>' "shift+Tab Button << &Back" 'Button &Next >>'
# The unticked row "Acme Readme" on the Desktop, ticked with the mouse.
gui_click 310 405
page install-4-shortcuts-ticked
gui_key Return
page install-5-ready
gui_key alt+i
page install-6-finished 120
gui_key alt+f
gui_wait_exit
[ "$gui_status" -eq 0 ] || gui_fail "the installation exited with $gui_status"
for file in bin/acme.exe readme.txt docs/manual.txt setup.exe uninstaller.cfg; do
  [ -f "$drive_c/AcmeWiz/$file" ] || gui_fail "missing C:\\AcmeWiz\\$file"
done
cmp "$source_dir/examples/acme/Acme/readme.txt" "$drive_c/AcmeWiz/readme.txt" || gui_fail "readme.txt differs"
uninstall="$(reg_value "$entry" UninstallString)"
[ "$uninstall" = 'C:\AcmeWiz\setup.exe Acme Suite' ] || gui_fail "UninstallString: $uninstall"
# The setup writes the folder as Windows names it, in capitals.
path_value="$(wine reg query 'HKLM\Software\Acme' 2>/dev/null | tr -d '\r' | awk 'toupper($1) == "PATH" { print $3 }')"
[ "$path_value" = 'C:\ACMEWIZ\' ] || gui_fail "registry value of the configuration: $path_value"
desktop="$(echo "$drive_c"/users/"$(id -un)"/Desktop)"
[ -f "$desktop/Acme Readme.lnk" ] || gui_fail "the ticked row made no Desktop link: $(ls "$desktop")"
[ -f "$desktop/Acme.lnk" ] || gui_fail "the preselected row made no Desktop link"
[ ! -e "$drive_c/Program Files/Acme" ] || gui_fail "the configured folder was used, not the typed one"

echo "== uninstall through the registered UninstallString and its page"
last_sum="$(screen_sum)"
gui_run "$work/uninstall.out" 'C:\AcmeWiz\setup.exe' Acme Suite
gui_wait_window "(VIVURO - Uninstaller|Acme Suite)" > /dev/null
page uninstall-1-page
gui_key alt+u
page uninstall-2-question 120
# The question for a file Windows may use: All removes it and the like.
gui_wait_window "Acme Suite" > /dev/null
gui_click 592 416
gui_wait_exit 120
[ "$gui_status" -eq 0 ] || gui_fail "the uninstaller exited with $gui_status"
# The self-removal batch file runs once the program has ended.
for _ in $(seq 1 300); do [ -e "$drive_c/AcmeWiz" ] || break; sleep 0.1; done
[ ! -e "$drive_c/AcmeWiz" ] || gui_fail "C:\\AcmeWiz is still there: $(ls -R "$drive_c/AcmeWiz")"
wine reg query "$entry" > /dev/null 2>&1 && gui_fail "the uninstall entry is still there"
[ ! -e "$desktop/Acme Readme.lnk" ] || gui_fail "the Desktop link is still there"
echo "setup.exe's wizard installed and removed the example product under wine"
