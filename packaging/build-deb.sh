#!/usr/bin/env bash
# Builds the Debian package the way Debian builds its own, then holds it to lintian.
#
# A build tree of its own, without tests (BUILD_TESTING=OFF), compiled with the flags
# dpkg-buildflags gives with every hardening feature on (bind-now and fortify included), and
# CMake's build type "None" so that those flags are the only ones, as debhelper does it. The
# package must then pass `lintian --pedantic -I` without a single tag; tags overridden inside
# the package, with their reasons, are not counted.
#
# Usage: packaging/build-deb.sh [BUILD_DIR [JOBS]]   (default build-package, all cores)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-package}
jobs=${2:-$(nproc)}

eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
# CMake reads no CPPFLAGS, where _FORTIFY_SOURCE is: it goes with the compiler flags, as
# debhelper passes it. The flags are given on the command line, not through the environment,
# so that they hold in a tree configured before.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=None -DBUILD_TESTING=OFF \
    -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" >/dev/null
cmake --build "$build" -j "$jobs"

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb="$build/glimmerdeck_${version}_$(dpkg --print-architecture).deb"
rm -f "$deb"
(cd "$build" && cpack -G DEB >cpack.log 2>&1) || { cat "$build/cpack.log"; exit 1; }
[ -f "$deb" ] || { echo "build-deb: cpack made no $deb" >&2; exit 1; }

echo "build-deb: $deb ($(stat -c %s "$deb") bytes, Installed-Size $(dpkg-deb -f "$deb" Installed-Size) KiB)"
# lintian says it would rather not run as root; that is no finding about the package.
lintian --pedantic -I --fail-on error,warning,info,pedantic "$deb" 2> >(grep -v 'running with root privileges' >&2) \
    || { echo "build-deb: lintian has findings on $deb" >&2; exit 1; }
echo "build-deb: lintian --pedantic -I: no findings"
