#!/usr/bin/env bash
# setup.exe end to end under wine: tavlin.exe builds media for the example
# product, setup.exe installs it silently into a fresh wine prefix, and the
# registered quiet uninstall command removes it again.
#   setup_exe_test.sh SOURCE_DIR BINARY_DIR
set -euo pipefail
source_dir="$1"
binary_dir="$2"
work="$(mktemp -d -t tavlin-wine-setup.XXXXXX)"
trap 'WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
fail() { echo "FAIL: $*"; exit 1; }
winpath() { printf 'Z:%s' "$(printf '%s' "$1" | tr '/' '\\')"; }
reg_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v name="$2" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'; }

wineboot -i > /dev/null 2>&1
wineserver -w

echo "== media for the example product, built by tavlin.exe"
wine "$binary_dir/apps/tavlin/tavlin.exe" media \
  --product "$(winpath "$source_dir/examples/acme/Acme")" \
  --config "$(winpath "$source_dir/examples/acme/install.cfg")" \
  --files "$(winpath "$source_dir/examples/acme/files.lst")" \
  --setup "$(winpath "$binary_dir/apps/setup/setup.exe")" \
  --out "$(winpath "$work/media")"
[ -f "$work/media/disk.001" ] || fail "no disk.001"

echo "== silent installation into C:\\AcmeTest"
status=0
(cd "$work/media" && wine setup.exe /VERYSILENT '/DIR=C:\AcmeTest') || status=$?
wineserver -w
[ "$status" -eq 0 ] || fail "setup.exe exited with $status"
drive_c="$WINEPREFIX/drive_c"
for file in bin/acme.exe readme.txt docs/manual.txt setup.exe install.cfg finstall.cfg uninstaller.cfg; do
  [ -f "$drive_c/AcmeTest/$file" ] || fail "missing C:\\AcmeTest\\$file"
done
cmp "$source_dir/examples/acme/Acme/readme.txt" "$drive_c/AcmeTest/readme.txt" || fail "readme.txt differs"
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Acme Suite'
[ "$(reg_value "$entry" UninstallString)" = 'C:\AcmeTest\setup.exe Acme Suite' ] || fail "UninstallString"
quiet="$(reg_value "$entry" QuietUninstallString)"
[ "$quiet" = 'C:\AcmeTest\setup.exe /VERYSILENT Acme Suite' ] || fail "QuietUninstallString: $quiet"
# The installed programs list shows the entry with setup.exe's own icon.
icon="$(reg_value "$entry" DisplayIcon)"
[ "$icon" = 'C:\AcmeTest\setup.exe' ] || fail "DisplayIcon: $icon"
wine "$binary_dir/tests/wine/dialog_probe.exe" icon "$icon" | tr -d '\r' | grep -qx 'arrow f2c230' ||
  fail "the DisplayIcon file shows no icon of setup.exe's design"
[ "$(reg_value 'HKCU\Software\Acme' Greeting)" = 'BEEP BEEP' ] || fail "registry value of the configuration"
grep -q 'REM:START VIVUro ->Acme Suite' "$drive_c/AUTOEXEC.BAT" || fail "no AUTOEXEC.BAT block"

echo "== uninstall through the registered quiet command"
status=0
wine 'C:\AcmeTest\setup.exe' /VERYSILENT Acme Suite || status=$?
wineserver -w
[ "$status" -eq 0 ] || fail "the uninstaller exited with $status"
# The self-removal batch file runs once the program has ended.
for _ in $(seq 1 30); do [ -e "$drive_c/AcmeTest" ] || break; sleep 1; done
[ ! -e "$drive_c/AcmeTest" ] || fail "C:\\AcmeTest is still there: $(ls -R "$drive_c/AcmeTest")"
# The batch deletes the uninstall entry after the program, so that a stop in
# between leaves the entry to finish the job.
grep -qi '^if not exist .*reg delete "HKLM\\Software\\Microsoft\\Windows\\currentversion\\uninstall\\Acme Suite" /f' \
  "$drive_c/windows/temp/vivUro.bat" || fail "the batch file does not delete the entry: $(cat "$drive_c/windows/temp/vivUro.bat")"
for _ in $(seq 1 30); do wine reg query "$entry" > /dev/null 2>&1 || break; sleep 1; done
wine reg query "$entry" > /dev/null 2>&1 && fail "the uninstall entry is still there"
[ -z "$(reg_value 'HKCU\Software\Acme' Greeting)" ] || fail "registry value left behind"
if grep -q 'VIVUro ->Acme Suite' "$drive_c/AUTOEXEC.BAT" 2>/dev/null; then fail "AUTOEXEC.BAT block left behind"; fi
echo "setup.exe installed and removed the example product under wine"
