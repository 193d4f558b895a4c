#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks it the way a desktop finds it: exactly the
# expected files, a menu entry and metainfo that pass the freedesktop validators and name each
# other, the icon at every size, and an installed binary that starts on its own and shows the
# same icon in its window. Then packs the same tree as a Debian package for lintian.
#
# Usage: test_install.sh <built glimmerdeck>   (GLIMMERDECK_BUILD_DIR names the build tree)
set -uo pipefail
source "$(dirname "$0")/lib.sh" # for gd_require, ok and fail
GD_TEST=test_install GD_APP=${1:-}
gd_require Xvfb xdotool xprop identify convert /usr/bin/python3 readelf desktop-file-validate \
    appstreamcli lintian dpkg-shlibdeps

build_dir=${GLIMMERDECK_BUILD_DIR:?GLIMMERDECK_BUILD_DIR must name the build tree}
icon_sizes=(16 24 32 48 128)

tmp=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT

finish() {
    if [ "$GD_FAILURES" -eq 0 ]; then
        echo "PASS: test_install"
        exit 0
    fi
    echo "FAIL: test_install ($GD_FAILURES failed check(s))"
    exit 1
}

app_id=$(sed -n 's/^GLIMMERDECK_APP_ID:[A-Z]*=//p' "$build_dir/CMakeCache.txt")
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build_dir/CPackConfig.cmake")
[ -n "$app_id" ] || { fail "no GLIMMERDECK_APP_ID in $build_dir/CMakeCache.txt"; finish; }

prefix="$tmp/prefix"
echo "# cmake --install into a scratch prefix"
if ! cmake --install "$build_dir" --prefix "$prefix" >"$tmp/install.log" 2>&1; then
    cat "$tmp/install.log"
    fail "cmake --install failed"
    finish
fi
ok "cmake --install"

desktop="share/applications/$app_id.desktop"
metainfo="share/metainfo/$app_id.metainfo.xml"
changelog=share/doc/glimmerdeck/changelog.gz
expected=(bin/glimmerdeck "$desktop" "$metainfo" share/doc/glimmerdeck/copyright "$changelog"
    share/man/man1/glimmerdeck.1.gz)
for size in "${icon_sizes[@]}"; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done

echo "# installed paths"
# Stray files (test programs, static libraries, headers) would end up in the package too.
(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort) >"$tmp/actual"
printf '%s\n' "${expected[@]}" | sort >"$tmp/expected"
missing=$(comm -23 "$tmp/expected" "$tmp/actual")
extra=$(comm -13 "$tmp/expected" "$tmp/actual" | grep -v "^share/icons/hicolor/256x256/apps/$app_id.png$")
[ -z "$missing" ] && ok "all ${#expected[@]} expected files installed" || fail "missing:" $missing
[ -z "$extra" ] && ok "nothing else installed" || fail "unexpected files:" $extra

binary="$prefix/bin/glimmerdeck"
[ -x "$binary" ] && ok "bin/glimmerdeck is executable" || fail "bin/glimmerdeck is not executable"
# A run path into the build tree would make the installed copy depend on the build.
dynamic=$(readelf -d "$binary" 2>&1) || fail "readelf cannot read bin/glimmerdeck: $dynamic"
if grep -E 'R(UN)?PATH' <<<"$dynamic" | grep -q "$build_dir"; then
    fail "installed binary still has a run path into the build tree"
else
    ok "installed binary has no run path into the build tree"
fi

for size in "${icon_sizes[@]}"; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    [ -f "$png" ] || continue
    dims=$(identify -format '%m %wx%h' "$png" 2>/dev/null)
    [ "$dims" = "PNG ${size}x${size}" ] && ok "icon ${size}x${size} is a ${size}x${size} PNG" \
        || fail "icon ${size}x${size} is '$dims'"
done

echo "# desktop entry"
if [ -f "$prefix/$desktop" ]; then
    if out=$(desktop-file-validate "$prefix/$desktop" 2>&1); then
        ok "desktop-file-validate"
    else
        fail "desktop-file-validate: $out"
    fi
    key() { sed -n "s/^$1=//p" "$prefix/$desktop" | head -n 1; }
    [ "$(key Exec)" = glimmerdeck ] && ok "Exec names the installed program" \
        || fail "Exec is '$(key Exec)'"
    [ "$(key Icon)" = "$app_id" ] && ok "Icon is the application id" || fail "Icon is '$(key Icon)'"
fi

echo "# metainfo"
if [ -f "$prefix/$metainfo" ]; then
    if out=$(appstreamcli validate --no-net "$prefix/$metainfo" 2>&1); then
        ok "appstreamcli validate --no-net"
    else
        fail "appstreamcli validate: $out"
    fi
    grep -q "<id>$app_id</id>" "$prefix/$metainfo" && ok "component id is the application id" \
        || fail "component id is not $app_id"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$prefix/$metainfo" \
        && ok "launchable names the installed desktop entry" || fail "launchable does not name $app_id.desktop"
    grep -q '<screenshot type="default">' "$prefix/$metainfo" && ok "has a default screenshot" \
        || fail "no default screenshot"
    # Software centres show the first release as the current version.
    newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$prefix/$metainfo" | head -n 1)
    [ -n "$version" ] && [ "$newest" = "$version" ] && ok "newest release is $version" \
        || fail "newest release '$newest' is not the project version '$version'"
fi

echo "# changelog and manual page"
newest=$(zcat "$prefix/$changelog" 2>/dev/null | head -n 1)
[[ "$newest" == "glimmerdeck ($version) "* ]] && ok "newest changelog entry is $version" \
    || fail "newest changelog entry '$newest' is not for the project version '$version'"
heading=$(zcat "$prefix/share/man/man1/glimmerdeck.1.gz" 2>/dev/null | grep '^\.TH ')
[[ "$heading" == *"\"glimmerdeck $version\""* ]] && ok "manual page heading names $version" \
    || fail "manual page heading '$heading' does not name version $version"

echo "# the installed program on its own X server"
mkfifo "$tmp/displayfd"
# -displayfd lets the server pick a free display itself, so parallel tests never collide.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$tmp/displayfd" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
display=$(timeout 20 head -n 1 "$tmp/displayfd")
if [ -z "$display" ]; then
    cat "$tmp/xvfb.log"
    fail "Xvfb did not start"
    finish
fi
export DISPLAY=":$display" DBUS_SESSION_BUS_ADDRESS=disabled: XDG_RUNTIME_DIR="$tmp"
unset WAYLAND_DISPLAY
chmod 700 "$tmp"

# Started from the prefix's bin folder, outside the build tree, as a menu would start it.
(cd / && exec env PATH="$prefix/bin:$PATH" glimmerdeck) >"$tmp/app.log" 2>&1 &
app_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Form1$' 2>/dev/null | head -n 1)
if [ -z "$window" ]; then
    cat "$tmp/app.log"
    fail "the installed program showed no window 'Form1' within 30 s"
    finish
fi
ok "window 'Form1' is shown"

# Docks tie the window to its menu entry through WM_CLASS.
wm_class=$(xprop -id "$window" WM_CLASS | sed -n 's/.*= "[^"]*", "\([^"]*\)"$/\1/p')
wm_class_key=$(sed -n 's/^StartupWMClass=//p' "$prefix/$desktop")
[ "$wm_class" = "$wm_class_key" ] && ok "StartupWMClass matches the window's class '$wm_class'" \
    || fail "window class '$wm_class' but StartupWMClass '$wm_class_key'"

# The window icon and the installed theme icons must be the same pictures.
xprop -notype -id "$window" -f _NET_WM_ICON 32c _NET_WM_ICON >"$tmp/wm_icon"
for size in "${icon_sizes[@]}"; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    [ -f "$png" ] || continue
    convert "$png" -depth 8 RGBA:"$tmp/icon$size.rgba" || fail "could not read the ${size}x${size} icon"
done
if python3 - "$tmp" "${icon_sizes[@]}" <<'EOF'; then
import os, sys
tmp, sizes = sys.argv[1], [int(s) for s in sys.argv[2:]]
values = [int(v) for v in open(os.path.join(tmp, "wm_icon")).read().split("=", 1)[1].replace(",", " ").split()]
window_icons, i = {}, 0
while i + 2 <= len(values):
    w, h = values[i], values[i + 1]
    window_icons[(w, h)] = values[i + 2:i + 2 + w * h]
    i += 2 + w * h
bad = 0
for size in sizes:
    path = os.path.join(tmp, "icon%d.rgba" % size)
    if (size, size) not in window_icons:
        print("  not ok: the window icon has no %dx%d image" % (size, size)); bad += 1; continue
    if not os.path.exists(path):
        continue
    rgba = open(path, "rb").read()
    differ = 0
    for n, argb in enumerate(window_icons[(size, size)]):
        r, g, b, a = rgba[4 * n:4 * n + 4]
        wa = argb >> 24
        # Fully transparent pixels carry no colour worth comparing.
        if (a, wa) == (0, 0):
            continue
        if argb != (a << 24 | r << 16 | g << 8 | b):
            differ += 1
    if differ:
        print("  not ok: %dx%d theme icon differs from the window icon in %d pixels" % (size, size, differ)); bad += 1
    else:
        print("  ok: %dx%d theme icon is the window icon's %dx%d image" % (size, size, size, size))
sys.exit(1 if bad else 0)
EOF
    :
else
    GD_FAILURES=$((GD_FAILURES + 1))
fi

kill "$app_pid" 2>/dev/null
wait "$app_pid" 2>/dev/null
app_pid=""

# The files of the package (changelog, manual page, menu entry, metainfo, licence) as lintian
# sees them. Hardening and stripping come from the flags of the package build itself
# (make package, which holds its package to all of lintian), not from this tree's.
echo "# the Debian package, as lintian sees it"
if gd_sanitized; then
    note "skipped in the sanitizer build: its package would carry the sanitizer runtimes"
elif ! (cd "$build_dir" && cpack -G DEB -B "$tmp/package") >"$tmp/cpack.log" 2>&1; then
    cat "$tmp/cpack.log"
    fail "cpack -G DEB failed"
else
    deb=$(ls "$tmp"/package/*.deb)
    out=$(lintian --pedantic -I --suppress-tags hardening-no-bindnow,hardening-no-fortify-functions \
        --fail-on error,warning,info,pedantic "$deb" 2>&1)
    status=$?
    out=$(grep -v 'running with root privileges' <<<"$out")
    [ "$status" -eq 0 ] && ok "lintian --pedantic -I finds nothing" || fail "lintian (status $status): $out"
fi
finish
