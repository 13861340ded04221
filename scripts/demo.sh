#!/usr/bin/env bash
# The demo: builds the tools, builds setup media for the sample product in
# examples/acme, installs them on a fresh hosted Windows machine (the wizard in
# this terminal when a person is here, a silent run otherwise), shows what the
# installation changed, uninstalls through the registered uninstall entry and
# shows that the machine is back where it was. Last it takes pictures of every
# screen of a typed run through the wizard and the uninstaller
# (WORK-FOLDER/screenshots, and docs/screenshots/welcome.png in the repository).
#   scripts/demo.sh [WORK-FOLDER]     (default: a new temporary folder)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs="${TAVLIN_JOBS:-2}"
work="${1:-$(mktemp -d -t tavlin-demo.XXXXXX)}"
mkdir -p "$work"
media="$work/media"
machine="$work/machine"
report() { python3 scripts/machine_report.py "$@"; }
say() { printf '\n\033[1m== %s\033[0m\n' "$*"; }

say "Building tavlin and tavlin-setup"
cmake -S . -B build -G Ninja > "$work/cmake.log" 2>&1 || { cat "$work/cmake.log"; exit 1; }
cmake --build build -j"$jobs" --target tavlin tavlin-setup > "$work/build.log" 2>&1 || { tail -40 "$work/build.log"; exit 1; }
tavlin="$PWD/build/apps/tavlin/tavlin"
setup="$PWD/build/apps/tavlin-setup/tavlin-setup"
echo "Built build/apps/tavlin/tavlin and build/apps/tavlin-setup/tavlin-setup."

say "Building setup media for examples/acme"
rm -rf "$media" "$machine"
# The hosted machine runs the setup program itself; setup.exe on the media only
# has to be there (it is copied into the installation as the uninstaller).
printf 'MZ stand-in for setup.exe: on a hosted machine tavlin-setup runs the setup.\r\n' > "$work/setup.exe"
# tavlin media checks install.cfg against the product first (tavlin check does
# that alone) and ends with a summary of what the medium will do.
"$tavlin" media --product examples/acme/Acme --config examples/acme/install.cfg \
  --files examples/acme/files.lst --warning examples/acme/warning.txt --setup "$work/setup.exe" --out "$media"
echo "The media in $media, as they would go on floppy disks or a CD:"
(cd "$media" && ls -l | tail -n +2 | awk '{printf "  %-14s %8d bytes\n", $9, $5}')

say "A fresh Windows PC: the hosted machine in $machine"
run_setup() { "$setup" --machine "$machine" --drive "D=$media" "$@"; }
run_setup --create-only
# Like every PC it has its start-up files and a list of installed programs.
report seed "$machine"
if ! { [ -t 0 ] && [ -t 1 ]; }; then
  say "The setup's welcome page shows examples/acme/warning.txt (closed again with Q)"
  printf 'Q\n' | run_setup --cd 'D:\' | sed -n '/==== .*Install Application ====/,/^\[C\]/p' || true
fi
report snapshot "$machine" "$work/before.json"
echo "Drive C: holds WINDOWS and Program Files; drive D: holds the media."

if [ -t 0 ] && [ -t 1 ]; then
  say "Installing: the setup wizard (answer with the letters and numbers shown)"
  run_setup --cd 'D:\' || { echo "The setup ended with exit code $?."; exit 1; }
else
  say "Installing silently (no one at this terminal): setup.exe /SILENT"
  run_setup --cd 'D:\' -- /SILENT
fi
report snapshot "$machine" "$work/installed.json"

say "What the installation changed on the machine"
report diff "$work/before.json" "$work/installed.json"

entry="$(report uninstall-entries "$machine" | head -n 1)"
if [ -z "$entry" ]; then
  echo "No uninstall entry was registered."
  exit 1
fi
IFS=$'\t' read -r name command quiet <<< "$entry"
say "Uninstalling \"$name\" through its registered uninstall entry"
echo "Windows runs the entry's command: $command"
# Windows starts the command from its own folder; the setup finds the program's
# folder through the entry, shows its uninstaller page and asks before it deletes
# files in the Windows folders.
args=( ${command#*setup.exe } )
if [ -t 0 ] && [ -t 1 ]; then
  run_setup --cd 'C:\WINDOWS' -- "${args[@]}" || echo "The uninstaller ended with exit code $?."
else
  echo "No one is at this terminal: the answers are typed for you: U (UnInstall), then A (All) when"
  echo "asked about the files in the Windows folders."
  printf 'U\nA\n' | run_setup --cd 'C:\WINDOWS' -- "${args[@]}" || echo "The uninstaller ended with exit code $?."
fi
report snapshot "$machine" "$work/after.json"

say "What the uninstallation changed"
report diff "$work/installed.json" "$work/after.json"

say "Is the machine back where it was?"
if report same "$work/before.json" "$work/after.json" 'C:\WINDOWS\Temp\vivUro.bat'; then
  echo "Yes: every file, folder and registry value is as before the installation"
  echo "(only the self-removal batch file C:\\WINDOWS\\Temp\\vivUro.bat stays in the Temp folder, as on Windows)."
else
  echo "Not quite; this is left behind:"
  report diff "$work/before.json" "$work/after.json" --no-journal | grep -v 'vivUro.bat' | grep -v '(none)' | grep -v ':$' || true
fi

say "Pictures of every screen: tavlin-setup --screenshots"
# A second machine, and media whose wizard opens on its welcome page; the answers
# are typed: Next, Accept, Next, Next, Install, Finish; then UnInstall and All.
pictures="$work/screenshots"
rm -rf "$pictures" "$work/machine-pictures" "$work/media-pictures"
sed 's/^ReStart Option=0/ReStart Option=1/' examples/acme/install.cfg > "$work/install-welcome.cfg"
"$tavlin" media --product examples/acme/Acme --config "$work/install-welcome.cfg" \
  --files examples/acme/files.lst --warning examples/acme/warning.txt --setup "$work/setup.exe" \
  --out "$work/media-pictures" > /dev/null
shots() { "$setup" --machine "$work/machine-pictures" --drive "D=$work/media-pictures" "$@"; }
printf 'N\nA\nN\nN\nI\nF\n' | shots --screenshots "$pictures/install" --cd 'D:\' > "$work/pictures-install.log"
printf 'U\nA\n' | shots --screenshots "$pictures/uninstall" --cd 'C:\WINDOWS' -- "${args[@]}" \
  > "$work/pictures-uninstall.log" || true
for f in "$pictures"/install/*.png "$pictures"/uninstall/*.png; do echo "  ${f#"$work"/}"; done
mkdir -p docs/screenshots
cp "$pictures/install/02-welcome.png" docs/screenshots/welcome.png
echo "The welcome page is also in docs/screenshots/welcome.png."

echo
echo "Everything of this demo is in $work (media, machine, snapshots, screenshots)."
