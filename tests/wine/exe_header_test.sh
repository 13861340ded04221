#!/usr/bin/env bash
# What a Windows program's file says about itself, read with mingw's objdump:
# it needs only DLLs that every Windows has (one self-contained file), imports
# nothing newer than the Windows its header names, and carries its manifest.
#   exe_header_test.sh OBJDUMP EXE MAJOR.MINOR
set -euo pipefail
objdump="$1"
exe="$2"
expected="$3"
fail() { echo "FAIL: $exe: $*"; exit 1; }
headers="$("$objdump" -p "$exe")"
field() { awk -v name="$1" '$1 == name { print $2; exit }' <<< "$headers"; }

echo "$(basename "$exe"): $(stat -c %s "$exe") bytes"
system_dlls=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll gdiplus.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll user32.dll "
while read -r dll; do
  lower="$(tr 'A-Z' 'a-z' <<< "$dll")"
  [[ "$system_dlls" == *" $lower "* ]] || fail "imports $dll, which is not part of Windows"
done < <(awk '/DLL Name:/ { print $3 }' <<< "$headers")
# Vista's kernel32 call that the thread library wants; the program answers it.
if grep -qw GetTickCount64 <<< "$headers"; then fail "imports GetTickCount64 (Windows Vista and later)"; fi
os="$(field MajorOSystemVersion).$(field MinorOSystemVersion)"
subsystem="$(field MajorSubsystemVersion).$(field MinorSubsystemVersion)"
[ "$os" = "$expected" ] || fail "the header's OS version is $os, not $expected"
[ "$subsystem" = "$expected" ] || fail "the header's subsystem version is $subsystem, not $expected"
manifest="$(strings "$exe" | sed -n '/<assembly/,/<\/assembly>/p')"
for needed in 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' 'level="requireAdministrator"' \
              '<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true</dpiAware>'; do
  grep -qF "$needed" <<< "$manifest" || fail "the manifest lacks $needed"
done
echo "imports only Windows' own DLLs; Windows $os"
