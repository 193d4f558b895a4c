#!/usr/bin/env bash
# Installs every Debian package Glimmerdeck needs to build, run and test.
# Safe to run again: packages that are already there are skipped quickly.
#
#   setup.sh                  the Linux program and its tests
#   setup.sh --windows-build  and the cross-compiler and NSIS for the Windows program and its
#                             setup (make windows, make windows-package)
#   setup.sh --windows-test   and Wine too, which runs the Windows build's tests (make test-windows)
set -euo pipefail

windows_build=false
windows_test=false
for arg in "$@"; do
  case $arg in
    --windows-build) windows_build=true ;;
    --windows-test) windows_build=true windows_test=true ;;
    *) echo "usage: setup.sh [--windows-build | --windows-test]" >&2; exit 2 ;;
  esac
done

packages=(
  # build (clang: the second compiler that make check-builds proves warning-free; clang-format:
  # the layout make test holds the sources to)
  build-essential cmake pkg-config qt6-base-dev libbenchmark-dev clang clang-format
  # GoogleTest for the headless logic tests, which use no Qt so that they build for Windows too
  libgtest-dev
  # fonts the window description names (Tahoma, Arial, Palatino Linotype)
  fonts-wine fonts-liberation2 fonts-urw-base35 fontconfig
  # real-window tests: X server, input, window properties, screenshots
  xvfb xauth xdotool x11-utils imagemagick
  # accessibility tree (AT-SPI) and the session bus it lives on; a stand-in desktop portal on it
  at-spi2-core dbus dbus-x11 python3 python3-pyatspi python3-gi python3-dbus
  # no-network / no-write check, packaging checks
  strace desktop-file-utils appstream dpkg-dev file lintian
  # native Wayland sessions (Qt's Wayland platform plugin)
  qt6-wayland
  # real desktops under test: a window manager (also for minimising and keyboard focus in the
  # accessibility test) and a compositor on Xvfb, the X resource database for Xft.dpi, a headless Wayland compositor with and without XWayland, and the
  # comma-decimal locales the suite is run under as well
  openbox picom x11-xserver-utils weston xwayland locales
  # the palettes desktops hand a Qt program: GNOME's through the GTK platform theme, and qt6ct's
  qt6-gtk-platformtheme qt6ct
)

# The Windows program: mingw-w64 with the posix thread model (std::thread), the Windows headers
# and libraries, and GoogleTest's sources, built for Windows with the tests; NSIS, which makes
# its setup program.
if $windows_build; then
  packages+=(g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev googletest nsis)
fi
# Its tests run under Wine: some 650 MB, installed only when asked for. icoutils reads the
# installed program's resources in the setup's test.
if $windows_test; then
  packages+=(wine wine64 icoutils)
fi

# The locales the suite runs under besides C: Germany's and France's write 3,5 for 3.5.
locales=(de_DE fr_FR)

# (The list is read whole: a pipe into grep -q can fail under pipefail when grep stops first.)
have_locale() {
  local all
  all=$(locale -a 2>/dev/null)
  grep -qix "$1.utf-\?8" <<<"$all"
}
locales_missing() {
  local l
  for l in "${locales[@]}"; do
    have_locale "$l" || return 0
  done
  return 1
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && ! locales_missing && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "setup: need root or sudo to install: ${missing[*]} (and locales ${locales[*]})" >&2; exit 1; }
  sudo="sudo"
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # Another installation may hold the package lock for a while: wait for it.
  $sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
  $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
for l in "${locales[@]}"; do
  if ! have_locale "$l"; then
    echo "setup: generating the locale $l.UTF-8"
    $sudo localedef -i "$l" -f UTF-8 "$l.UTF-8"
  fi
done
