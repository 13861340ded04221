#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the demo need, when missing.
set -euo pipefail
packages=(build-essential cmake ninja-build git python3 libgtest-dev libgmock-dev googletest
          libbenchmark-dev libcli11-dev clang libclang-rt-dev lhasa gzip
          mingw-w64 wine wine64 xvfb xdotool imagemagick
          pkg-config libcairo2-dev libpango1.0-dev libgif-dev libgdk-pixbuf-2.0-dev
          fonts-liberation fonts-dejavu-core fonts-comic-neue tzdata)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
