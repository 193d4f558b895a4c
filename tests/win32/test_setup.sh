#!/usr/bin/env bash
# The setup program as a Windows user meets it, under Wine, in a prefix and on an X server of its
# own. Run silently (/S), it puts the program, a Start-menu shortcut and an entry among the
# installed programs where Windows looks for them; the program it installs is the one built and
# carries its icon, version and manifest; the shortcut starts it and its window shows, with the
# program's icon. The uninstaller leaves everything as it was while the program runs, and once
# it has ended takes all of it away, run as Installed apps runs it (QuietUninstallString).
#
#   test_setup.sh <built glimmerdeck.exe> <glimmerdeck-VERSION-setup.exe> VERSION
#
# The prefix is a copy of the template that ctest's fixture wine/prefix makes (the folder
# GLIMMERDECK_WINE_DIR), or without one a prefix made here (some 12 s more).

set -uo pipefail
source "$(dirname "$0")/../xvfb/lib.sh"
GD_PACKAGE_OF+=([wine]=wine [wineserver]=wine [wrestool]=icoutils [icotool]=icoutils)

gd_begin test_setup "${1:-}"
setup=${2:-}
version=${3:-}
icon=$GD_LIB_DIR/../../src/pictures/glimmerdeck.ico
[ -n "$version" ] || gd_abort "usage: test_setup.sh <built glimmerdeck.exe> <setup.exe> VERSION"
[ -f "$setup" ] || gd_abort "there is no setup program $setup: make windows-package builds it"
gd_require wine wineserver wrestool icotool timeout

export WINEDEBUG=-all
# No offer to install Mono or Gecko; and no Linux menu entry and icons for the setup's shortcut,
# which Wine's menu builder would write into the user's own home.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Glimmerdeck'

# Wine's windows, the setup's included, show on this test's own X server.
gd_start_xvfb

# The prefix lives beside the template under the name wine.sh gives its runs, so that a run that
# was killed is cleared away with the next template.
WINEPREFIX=""
cleanup() {
    # Every process in the prefix was started here.
    [ -n "$WINEPREFIX" ] && [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null
    case $WINEPREFIX in "${GLIMMERDECK_WINE_DIR:-/nowhere}"/run.*) rm -rf "$WINEPREFIX" ;; esac
    gd_cleanup
}
trap cleanup EXIT
if [ -n "${GLIMMERDECK_WINE_DIR:-}" ] && [ -d "$GLIMMERDECK_WINE_DIR/template" ]; then
    WINEPREFIX=$(mktemp -d "$GLIMMERDECK_WINE_DIR/run.$$.XXXXXX") || gd_abort "no room for a prefix"
    export WINEPREFIX
    cp -a "$GLIMMERDECK_WINE_DIR/template/." "$WINEPREFIX/" || gd_abort "could not copy the template prefix"
else
    note "no template prefix (GLIMMERDECK_WINE_DIR): making one"
    bash "$GD_LIB_DIR/../support/wine.sh" --make-template "$GD_TMP/wine" \
        || gd_abort "Wine could not make a prefix"
    export WINEPREFIX=$GD_TMP/wine/template
fi

# wine_run SECONDS LOG PROGRAM [ARG...]: runs a Windows program to its end, its output in LOG. A
# program that waits for an answer nobody gives is ended at the limit (status 124).
wine_run() {
    local limit=$1 log=$2
    shift 2
    timeout "$limit" wine "$@" >"$log" 2>&1
}

# ---- Installing ------------------------------------------------------------------------------

wine_run 120 "$GD_TMP/setup.log" "$setup" /S
status=$?
[ $status -eq 0 ] || gd_abort "the silent setup (/S) ended with status $status, not 0"
ok "the silent setup ran"

# Where Windows keeps the user's programs and Start menu, in Windows' and in Linux's terms.
local_dos="" roaming_dos="" local_unix="" roaming_unix=""
wine cmd /c 'echo %LOCALAPPDATA%&echo %APPDATA%' >"$GD_TMP/folders.txt" 2>/dev/null
{ read -r local_dos && read -r roaming_dos; } < <(tr -d '\r' <"$GD_TMP/folders.txt")
wine winepath -u "$local_dos" "$roaming_dos" >"$GD_TMP/unix.txt" 2>/dev/null
{ read -r local_unix && read -r roaming_unix; } <"$GD_TMP/unix.txt"
[ -d "${local_unix:-}" ] && [ -d "${roaming_unix:-}" ] \
    || gd_abort "Wine did not say where %LOCALAPPDATA% and %APPDATA% are"
install_dos="$local_dos\\Programs\\Glimmerdeck"
install_dir=$local_unix/Programs/Glimmerdeck
program=$install_dir/glimmerdeck.exe
shortcut="$roaming_unix/Microsoft/Windows/Start Menu/Programs/Glimmerdeck.lnk"

files=$(cd "$install_dir" 2>/dev/null && ls -A | tr '\n' ' ')
if [ "$files" = "LICENSE.txt glimmerdeck.exe uninstall.exe " ]; then # (in C order)
    ok "installed under %LOCALAPPDATA%\\Programs\\Glimmerdeck: $files"
else
    gd_abort "%LOCALAPPDATA%\\Programs\\Glimmerdeck holds '$files', not the program, its licence and the uninstaller"
fi
cmp -s "$program" "$GD_APP" && ok "the installed program is the one built" \
    || fail "the installed glimmerdeck.exe is not the one built: the setup is out of date (make windows-package)"
[ -f "$shortcut" ] && ok "a Start-menu shortcut Glimmerdeck.lnk" \
    || fail "there is no shortcut Glimmerdeck.lnk in the Start menu's Programs"

# The entry among the installed programs, read through Wine: it writes the prefix's files late.
key_value() { sed -n "s/^    $1    REG_[A-Z_]*    //p" "$GD_TMP/key.txt"; }
if wine reg query "$uninstall_key" 2>/dev/null | tr -d '\r' >"$GD_TMP/key.txt" \
    && [ -s "$GD_TMP/key.txt" ]; then
    ok "the key $uninstall_key"
    while IFS='|' read -r name expected; do
        got=$(key_value "$name")
        [ "$got" = "$expected" ] && ok "$name: $got" \
            || fail "the key's $name is '$got', not '$expected'"
    done <<EOF
DisplayName|Glimmerdeck
DisplayVersion|$version
Publisher|Quillmoor
DisplayIcon|$install_dos\\glimmerdeck.exe,0
UninstallString|"$install_dos\\uninstall.exe"
QuietUninstallString|"$install_dos\\uninstall.exe" /S
NoModify|0x1
NoRepair|0x1
EOF
    # The size Installed apps shows, in KiB: the three files', within rounding.
    estimated=$(($(key_value EstimatedSize)))
    actual=$(($(cat "$install_dir"/* | wc -c) / 1024))
    [ $((estimated - actual)) -ge -3 ] && [ $((estimated - actual)) -le 3 ] \
        && ok "EstimatedSize: $estimated KiB" \
        || fail "the key's EstimatedSize is $estimated KiB, where the files take $actual KiB"
else
    fail "there is no key $uninstall_key among the installed programs"
fi

# ---- The installed program's identity ----------------------------------------------------------

# Its icon is icon group 1 of images 30001 onward, as many as glimmerdeck.ico has and in its
# order; reassembled, the group is that file again (wrestool pads what it writes).
listing=$(wrestool -l "$program" 2>&1)
count=$(icotool -l "$icon" | wc -l)
numbers=$(sed -n 's/^--type=3 --name=\([0-9]*\) .*/\1/p' <<<"$listing" | tr '\n' ' ')
wrestool -x --type=14 --name=1 "$program" >"$GD_TMP/group.ico" 2>/dev/null
if [ "$numbers" = "$(seq -s ' ' 30001 $((30000 + count))) " ] \
    && cmp -s -n "$(stat -c %s "$icon")" "$GD_TMP/group.ico" "$icon"; then
    ok "icon group 1 is glimmerdeck.ico, as icons 30001 to $((30000 + count))"
else
    fail "the program's icon group 1 is not glimmerdeck.ico as icons 30001 to $((30000 + count)) (icons: $numbers)"
fi
wrestool -x --raw --type=16 --name=1 "$program" 2>/dev/null | tr -d '\0' >"$GD_TMP/version.txt"
grep -aq "ProductVersion[^0-9]*$version" "$GD_TMP/version.txt" \
    && ok "its version resource says $version" \
    || fail "the program has no version resource with ProductVersion $version"
grep -q -- '^--type=24 --name=1 ' <<<"$listing" && ok "it carries its manifest" \
    || fail "the program carries no manifest (resource 1 of type 24)"

# ---- Starting it from the Start menu -----------------------------------------------------------

# In the background: a shortcut that leads nowhere leaves start.exe waiting behind a message box.
wine start /unix "$shortcut" >"$GD_TMP/start.log" 2>&1 &
form_shown() {
    GD_WIN=$(gd_find_window '^Form1$')
    [ -n "$GD_WIN" ] && xwininfo -id "$GD_WIN" 2>/dev/null | grep -q 'Map State: IsViewable'
}
if ! gd_poll 60 form_shown; then
    shown=$(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' ',')
    gd_abort "the Start-menu shortcut showed no window 'Form1' within 60 s (shown: ${shown%,})"
fi
pid=$(xprop -id "$GD_WIN" _NET_WM_PID 2>/dev/null | sed -n 's/.* = \([0-9]*\)$/\1/p')
started=$(tr '\0' ' ' 2>/dev/null <"/proc/${pid:-0}/cmdline")
case $started in
*'\Programs\Glimmerdeck\glimmerdeck.exe'*) ok "the shortcut started the installed program; its window 'Form1' shows" ;;
*) gd_abort "the window 'Form1' is not the installed program's (its process: '$started')" ;;
esac

# The window's icon, as Windows hands it to the X server: the program's own 32- and 16-pixel
# images, pixel for pixel (resource 1, which the window loads).
xprop -id "$GD_WIN" -f _NET_WM_ICON 32c _NET_WM_ICON >"$GD_TMP/wm_icon.txt" 2>&1
if verdict=$("$GD_PYTHON" - "$icon" "$GD_TMP/wm_icon.txt" <<'PY'
import re, struct, sys
text = open(sys.argv[2]).read()
numbers = [int(n) for n in re.findall(r"\d+", text.split("=", 1)[-1])] if "=" in text else []
shown, i = {}, 0
while i + 2 <= len(numbers):
    w, h = numbers[i], numbers[i + 1]
    shown[w] = numbers[i + 2:i + 2 + w * h]
    i += 2 + w * h
data = open(sys.argv[1], "rb").read()
wrong = []
for n in range(struct.unpack_from("<H", data, 4)[0]):
    w, _, _, _, _, bits, _, at = struct.unpack_from("<BBBBHHII", data, 6 + 16 * n)
    if bits != 32 or w not in (16, 32):
        continue
    rows = [data[at + 40 + y * w * 4:at + 40 + (y + 1) * w * 4] for y in range(w)][::-1]
    own = [int.from_bytes(row[x * 4:x * 4 + 4], "little") for row in rows for x in range(w)]
    if shown.get(w) != own:
        wrong.append(f"{w} x {w}")
print(", ".join(wrong) or "ok")
sys.exit(1 if wrong else 0)
PY
); then
    ok "the window's icon is the program's own, at 32 and 16 pixels"
else
    fail "the window's icon differs from the program's own at: ${verdict:-every size (it has none)}"
fi

# While it runs, its file cannot be removed: the uninstaller must leave everything in place
# rather than half of it. (_?= runs it where it is, to its end, so that its status is seen.)
wine_run 60 "$GD_TMP/uninstall-running.log" "$install_dir/uninstall.exe" /S "_?=$install_dos"
status=$?
if [ $status -ne 0 ] && [ -f "$program" ] && [ -f "$shortcut" ] \
    && wine reg query "$uninstall_key" >/dev/null 2>&1; then
    ok "the uninstaller refused while the program ran (status $status) and left it installed"
else
    fail "the uninstaller, run while the program ran, ended with status $status and left the installation incomplete"
fi

kill "$pid" 2>/dev/null
gd_poll 20 eval '! kill -0 "$pid" 2>/dev/null' || gd_abort "the program did not end within 20 s"
ok "the program ended"

# ---- Uninstalling ------------------------------------------------------------------------------

# As Installed apps does: the quiet command line, which hands over to a copy of the uninstaller
# outside the folder and returns at once. The key is the last thing it removes.
quiet=$(key_value QuietUninstallString)
[[ $quiet =~ ^\"([^\"]+)\"\ (.*)$ ]] || gd_abort "QuietUninstallString '$quiet' is not a quoted program and its arguments"
read -ra quiet_args <<<"${BASH_REMATCH[2]}"
wine_run 60 "$GD_TMP/uninstall.log" "${BASH_REMATCH[1]}" "${quiet_args[@]}"
status=$?
[ $status -eq 0 ] || fail "the quiet uninstaller ended with status $status, not 0"
key_gone() { ! wine reg query "$uninstall_key" >/dev/null 2>&1; }
gd_poll 60 key_gone && ok "the key is gone" \
    || fail "the key $uninstall_key is still there 60 s after the quiet uninstall"
[ -e "$install_dir" ] && fail "the uninstaller left %LOCALAPPDATA%\\Programs\\Glimmerdeck: $(ls -A "$install_dir" | tr '\n' ' ')" \
    || ok "the program's folder is gone"
[ -e "$shortcut" ] && fail "the uninstaller left the Start-menu shortcut Glimmerdeck.lnk" \
    || ok "the Start-menu shortcut is gone"

gd_finish
