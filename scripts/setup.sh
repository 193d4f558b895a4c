#!/usr/bin/env bash
# Installs every Debian package Glimmerdeck needs to build, run and test.
# Safe to run again: packages that are already there are skipped quickly.
set -euo pipefail

packages=(
  # build (clang: the second compiler that make check-builds proves warning-free)
  build-essential cmake pkg-config qt6-base-dev libbenchmark-dev clang
  # fonts the window description names (Tahoma, Arial, Palatino Linotype)
  fonts-wine fonts-liberation2 fonts-urw-base35 fontconfig
  # real-window tests: X server, input, window properties, screenshots
  xvfb xauth xdotool x11-utils imagemagick
  # a window manager, for minimising and keyboard focus in the accessibility test
  openbox
  # accessibility tree (AT-SPI) and the session bus it lives on
  at-spi2-core dbus dbus-x11 python3 python3-pyatspi python3-gi
  # no-network / no-write check, packaging checks
  strace desktop-file-utils appstream dpkg-dev file lintian
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "setup: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo="sudo"
fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
