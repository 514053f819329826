#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages Vandrel needs that are not installed yet.
# Usage: scripts/install-deps.sh [build|test]   (default: test, which is everything)
set -euo pipefail

build_pkgs=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  qt6-charts-dev libqt6opengl6-dev qt6-svg-dev
  libcli11-dev nlohmann-json3-dev libcups2-dev
  fonts-liberation2 fonts-dejavu-core librsvg2-bin
  xvfb xauth
)
test_pkgs=(
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xdotool x11-utils imagemagick poppler-utils
  cups cups-bsd printer-driver-cups-pdf
  python3 locales
  openbox ngspice kicad kicad-symbols
  dbus-daemon at-spi2-core python3-pyatspi
  dpkg-dev file lintian desktop-file-utils appstream
  g++-mingw-w64-x86-64 wine64
)

pkgs=("${build_pkgs[@]}")
[[ "${1:-test}" == test ]] && pkgs+=("${test_pkgs[@]}")

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
