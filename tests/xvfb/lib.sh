# Shared helpers for the real-window tests: each test_*.sh sources this file, calls gd_begin, and
# drives the built program on an X server of its own the way a person would (pointer, keys,
# what is on the screen, what a screen reader hears).
#
# The program under test is either build: the Linux one, or the Windows one (a .exe), which runs
# under Wine in a prefix of its own (tests/support/wine.sh) on the test's X server, where its
# windows are X windows like any other. A check that cannot apply to the Windows program says so
# in one line (gd_linux_only) and counts neither as passed nor as failed.
#
# Coordinates given to gd_click, gd_move and the pixel helpers are window pixels: the origin is
# the top-left corner of the window "Form1". The tests may run in parallel with each other and
# with the rest of the suite on two busy cores, so every wait is a poll with a generous limit,
# never a fixed sleep that assumes a speed.

GD_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# The tests' own tools (awk above all) read and print numbers in the C locale; the program under
# test gets the locale the suite was started in (see gd_start_app).
GD_USER_LC_ALL=${LC_ALL-}
export LC_ALL=C.UTF-8
GD_PYTHON=/usr/bin/python3 # Debian's, where python3-pyatspi lives (not a virtualenv's)
GD_SCREEN_W=1280
GD_SCREEN_H=1024
GD_WIN_W=817
GD_WIN_H=586

GD_TEST=""
GD_APP=""
GD_TMP=""
GD_FAILURES=0
GD_XVFB_PID=""
GD_WM_PID=""
GD_BUS_PID=""
GD_A11Y_PID=""
GD_APP_PID=""
GD_APP_START=""
GD_APP_STATUS=""
GD_WIN=""
GD_WX=""
GD_WY=""
GD_CLEANUP_FILES=() # files outside the scratch folder that a test made and must not leave
GD_PIDS=()          # further processes a test started (window manager, compositor, ...)
GD_XVFB_ARGS=()     # extra arguments for Xvfb, e.g. -dpi 192
GD_APP_WRAP=()      # a command the program is started through, e.g. (env -u DISPLAY)
GD_WINE=""          # set when the program is the Windows one, run under Wine
GD_RUN=()           # the program's command: itself, or wine.sh and the .exe
GD_WINE_RUNNER=$(cd "$GD_LIB_DIR/../support" && pwd)/wine.sh
# The six tutorial panels' headings, in the order of their menu buttons.
GD_HEADINGS=(
    "HOW TO CREATE A FADE IN FORM"
    "HOW TO CREATE A FADING CAPTION"
    "HOW TO CREATE AN IMAGE BUTTON AND LABEL BUTTON"
    "HOW TO CREATE A SPINNING PICTUREBOX"
    "HOW TO CREATE A TRANSITION BOX"
    "HOW TO CREATE ANIMATED TEXT"
)

ok() { echo "  ok: $*"; }
fail() {
    echo "  not ok: $*"
    GD_FAILURES=$((GD_FAILURES + 1))
}
note() { echo "# $*"; }

# The Debian package of each tool a test may need, to say what to install when one is missing.
declare -A GD_PACKAGE_OF=(
    [Xvfb]=xvfb [xdotool]=xdotool [xdpyinfo]=x11-utils [xwininfo]=x11-utils [xprop]=x11-utils
    [import]=imagemagick [convert]=imagemagick [identify]=imagemagick [/usr/bin/python3]=python3
    [dbus-daemon]=dbus [dbus-send]=dbus [/usr/libexec/at-spi-bus-launcher]=at-spi2-core
    [pyatspi]=python3-pyatspi [dbus-python]=python3-dbus
    [strace]=strace [desktop-file-validate]=desktop-file-utils [appstreamcli]=appstream
    [readelf]=binutils [lintian]=lintian [dpkg-shlibdeps]=dpkg-dev [xrdb]=x11-xserver-utils
    [wine]=wine [wineserver]=wine [pgrep]=procps
    [openbox]=openbox [picom]=picom [weston]=weston [weston-screenshooter]=weston
    [Xwayland]=xwayland [/usr/lib/*/qt6/plugins/platforms/libqwayland-*.so]=qt6-wayland
    [/usr/lib/*/qt6/plugins/platformthemes/libqgtk3.so]=qt6-gtk-platformtheme
    [/usr/lib/*/qt6/plugins/platformthemes/libqt6ct.so]=qt6ct
    [/usr/share/qt6ct/colors/darker.conf]=qt6ct
)

# gd_skip REASON: this test cannot run here. It says why and exits with 77, which ctest reports
# as skipped. make test has installed everything and sets GLIMMERDECK_NO_SKIP=1, which makes that
# a failure, so CI never skips a test unnoticed.
gd_skip() {
    if [ -n "${GLIMMERDECK_NO_SKIP:-}" ]; then
        echo "FAIL: $GD_TEST: $* (no skipping under GLIMMERDECK_NO_SKIP)"
        exit 1
    fi
    echo "SKIP: $GD_TEST: $*"
    exit 77
}

# gd_require TOOL...: programs (a name on PATH) and files (a path, which may be a pattern) this
# test cannot do without; "pyatspi" is the Python module that reads the window over AT-SPI, and
# "dbus-python" the one that stand-in services on a private bus are written with. With any
# missing the test is skipped (gd_skip), naming them and their packages.
gd_require() {
    local tool missing=""
    for tool in "$@"; do
        case $tool in
        pyatspi) "$GD_PYTHON" -c 'import pyatspi' >/dev/null 2>&1 ;;
        dbus-python) "$GD_PYTHON" -c 'import dbus.mainloop.glib' >/dev/null 2>&1 ;;
        /*) compgen -G "$tool" >/dev/null ;;
        *) command -v "$tool" >/dev/null 2>&1 ;;
        esac || missing+="${missing:+, }$tool (package ${GD_PACKAGE_OF[$tool]:-unknown})"
    done
    [ -z "$missing" ] || gd_skip "missing $missing"
}

# gd_begin NAME PROGRAM: checks the program and the tools every real-window test uses (an X
# server, input, window properties, screenshots), makes a private scratch folder and arms the
# clean-up.
gd_begin() {
    GD_TEST=$1
    GD_APP=$2
    if [ -z "$GD_APP" ] || [ ! -x "$GD_APP" ]; then
        echo "FAIL: $GD_TEST (usage: $GD_TEST.sh <built glimmerdeck or glimmerdeck.exe>; got '${GD_APP}')"
        exit 1
    fi
    gd_require Xvfb xdotool xdpyinfo xwininfo xprop import convert "$GD_PYTHON"
    GD_APP=$(cd "$(dirname "$GD_APP")" && pwd)/$(basename "$GD_APP")
    GD_RUN=("$GD_APP")
    if [[ "$GD_APP" == *.exe ]]; then
        GD_WINE=1
        gd_require wine wineserver pgrep
        GD_RUN=(bash "$GD_WINE_RUNNER" "$GD_APP")
    fi
    GD_TMP=$(mktemp -d "${TMPDIR:-/tmp}/glimmerdeck-$GD_TEST.XXXXXX")
    chmod 700 "$GD_TMP"
    # Each start of the Windows program copies the run's template prefix (ctest's fixture
    # wine/prefix makes it); run by hand, the test makes one of its own, once (some 12 s).
    if [ -n "$GD_WINE" ] && [ ! -d "${GLIMMERDECK_WINE_DIR:-/nonexistent}/template" ]; then
        export GLIMMERDECK_WINE_DIR=$GD_TMP/wine
        bash "$GD_WINE_RUNNER" --make-template "$GLIMMERDECK_WINE_DIR" \
            || { rm -rf "$GD_TMP"; echo "FAIL: $GD_TEST: no Wine prefix could be made"; exit 1; }
    fi
    # Programs on the private buses keep their sockets here, not in the user's own folders.
    export XDG_RUNTIME_DIR=$GD_TMP
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
    trap gd_cleanup EXIT
    trap 'exit 130' INT TERM
    SECONDS=0
}

# gd_stop PID: ends one process that this script started, and reaps it. The Windows program's
# runner (wine.sh) ends the prefix's Wine processes and removes the prefix when told to stop, which
# takes seconds: it is given 30 before it is killed, since a kill would leave both behind.
gd_stop() {
    [ -n "$1" ] || return 0
    local patience=50
    [ -n "$GD_WINE" ] && [ "$1" = "$GD_APP_PID" ] && patience=600
    kill "$1" 2>/dev/null
    for _ in $(seq "$patience"); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.05
    done
    kill -9 "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}

gd_cleanup() {
    gd_stop "$GD_APP_PID"
    local i
    for ((i = ${#GD_PIDS[@]} - 1; i >= 0; i--)); do
        gd_stop "${GD_PIDS[i]}"
    done
    GD_PIDS=()
    gd_stop "$GD_A11Y_PID" # takes its own accessibility bus down with it
    gd_stop "$GD_BUS_PID"
    gd_stop "$GD_WM_PID"
    gd_stop "$GD_XVFB_PID"
    GD_APP_PID="" GD_A11Y_PID="" GD_BUS_PID="" GD_WM_PID="" GD_XVFB_PID=""
    [ ${#GD_CLEANUP_FILES[@]} -gt 0 ] && rm -f "${GD_CLEANUP_FILES[@]}"
    [ -n "$GD_TMP" ] && rm -rf "$GD_TMP"
}

# gd_finish: the last word of every test.
gd_finish() {
    if [ "$GD_FAILURES" -eq 0 ]; then
        echo "PASS: $GD_TEST (${SECONDS} s)"
        exit 0
    fi
    echo "FAIL: $GD_TEST ($GD_FAILURES failed check(s), ${SECONDS} s)"
    # The screenshots the checks looked at, to see what went wrong.
    if [ -n "${GLIMMERDECK_BUILD_DIR:-}" ] && ls "$GD_TMP"/*.png >/dev/null 2>&1; then
        local kept="$GLIMMERDECK_BUILD_DIR/screenshots/failed-$GD_TEST"
        rm -rf "$kept" && mkdir -p "$kept" && cp "$GD_TMP"/*.png "$kept"/
        echo "screenshots kept in $kept"
    fi
    if [ -s "$GD_TMP/app.log" ]; then
        echo "--- program output"
        tail -n 40 "$GD_TMP/app.log"
        if grep -q "could not connect to display" "$GD_TMP/app.log"; then
            echo "--- X server output"
            tail -n 20 "$GD_TMP/xvfb.log"
        fi
    fi
    exit 1
}

# gd_linux_only REASON...: whether the check that follows applies to the program under test. It
# does not to the Windows program when it rests on what that program or Wine here has not (the
# accessibility tree, a command line, a standard error, a window manager): then this says so in
# one line, "not under Wine: REASON", and the check counts neither as passed nor as failed. Used
# as `if gd_linux_only "..."; then CHECK; fi`.
gd_linux_only() {
    [ -z "$GD_WINE" ] && return 0
    note "not under Wine: $*"
    return 1
}

# gd_abort MESSAGE: a failure after which the remaining checks make no sense.
gd_abort() {
    fail "$*"
    gd_finish
}

gd_now() { date +%s.%N; }
gd_since() { awk -v a="$1" -v b="$(gd_now)" 'BEGIN { printf "%.3f", b - a }'; }

# gd_poll SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds; fails on the limit.
gd_poll() {
    local limit=$1
    shift
    local end=$((SECONDS + limit))
    while :; do
        "$@" && return 0
        [ "$SECONDS" -ge "$end" ] && return 1
        sleep 0.1
    done
}

# gd_sanitized: whether the program under test was built with AddressSanitizer. (The output is
# read whole: `ldd | grep -q` under pipefail fails now and then, when grep stops reading first.)
gd_sanitized() {
    case "$(ldd "$GD_APP" 2>/dev/null)" in
    *libasan*) return 0 ;;
    *) return 1 ;;
    esac
}

# gd_start_xvfb: an X server on a display it picks itself, so parallel tests never collide.
gd_start_xvfb() {
    mkfifo "$GD_TMP/displayfd"
    # -noreset: an X server resets when its last client leaves, and a client that connects
    # during the reset is turned away; short-lived helpers (xdotool, the accessibility bus
    # launcher) come and go before the program connects.
    Xvfb -displayfd 3 -screen 0 "${GD_SCREEN_W}x${GD_SCREEN_H}x24" -nolisten tcp -noreset \
        "${GD_XVFB_ARGS[@]}" 3>"$GD_TMP/displayfd" >"$GD_TMP/xvfb.log" 2>&1 &
    GD_XVFB_PID=$!
    local display
    display=$(timeout 30 head -n 1 "$GD_TMP/displayfd")
    if [ -z "$display" ]; then
        cat "$GD_TMP/xvfb.log"
        gd_abort "Xvfb did not start within 30 s"
    fi
    export DISPLAY=":$display"
    # The number is announced before the server takes clients on a busy machine: wait until it
    # answers.
    gd_poll 20 xdpyinfo >/dev/null 2>&1 || gd_abort "Xvfb on $DISPLAY does not answer"
}

# gd_start_wm: a window manager (openbox) on the X server, for what only one does: giving the
# window the keyboard focus when it appears, and minimising it. Its settings and caches stay in
# the scratch folder.
gd_start_wm() {
    XDG_CONFIG_HOME=$GD_TMP XDG_CACHE_HOME=$GD_TMP openbox --sm-disable >"$GD_TMP/wm.log" 2>&1 &
    GD_WM_PID=$!
    gd_poll 20 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' \
        || gd_abort "the window manager did not start within 20 s"
}

# gd_start_bus: a private session bus and nothing on it yet.
gd_start_bus() {
    dbus-daemon --session --nofork --print-address=1 --address="unix:path=$GD_TMP/bus" \
        >"$GD_TMP/bus.address" 2>"$GD_TMP/bus.log" &
    GD_BUS_PID=$!
    gd_poll 20 test -s "$GD_TMP/bus.address" || gd_abort "the session bus did not start within 20 s"
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$GD_TMP/bus.address")
    export DBUS_SESSION_BUS_ADDRESS
}

# snap: a fresh screenshot of the window, its file in $last; share X Y W H MEASURE [OTHER]
# measures a rectangle of it (gd_pixels).
shot=0
snap() {
    shot=$((shot + 1))
    last="$GD_TMP/shot$shot.png"
    gd_shot "$last"
}
share() { gd_pixels "$last" "$@"; }

# gd_start_session_bus: a private session bus with the accessibility bus on it, so that a
# screen reader (atspi.py) can see the program; without it the tests run with no bus at all.
gd_start_session_bus() {
    gd_start_bus
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$GD_TMP/a11y.log" 2>&1 &
    GD_A11Y_PID=$!
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

# gd_start_app [ARG...]: starts the program under test in the scratch folder; the Windows
# program through wine.sh, whose process GD_APP_PID then is (gd_app_process gives the program's).
gd_start_app() {
    [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || export DBUS_SESSION_BUS_ADDRESS=disabled:
    GD_APP_START=$(gd_now)
    (
        cd "$GD_TMP" || exit 1
        if [ -n "$GD_USER_LC_ALL" ]; then export LC_ALL=$GD_USER_LC_ALL; else unset LC_ALL; fi
        exec "${GD_APP_WRAP[@]}" "${GD_RUN[@]}" "$@"
    ) >"$GD_TMP/app.log" 2>&1 &
    GD_APP_PID=$!
}

# gd_app_process: the process id of the program itself; under Wine the Windows program's own
# process (named after the .exe), which wine.sh starts.
gd_app_process() {
    if [ -z "$GD_WINE" ]; then
        echo "$GD_APP_PID"
        return
    fi
    local name
    name=$(basename "$GD_APP")
    pgrep -P "$GD_APP_PID" -x "${name:0:15}" | head -n 1
}

gd_app_alive() { [ -n "$GD_APP_PID" ] && kill -0 "$GD_APP_PID" 2>/dev/null; }

# gd_wait_app_exit SECONDS: sets GD_APP_STATUS once the program has ended.
gd_wait_app_exit() {
    if ! gd_poll "$1" eval '! gd_app_alive'; then
        return 1
    fi
    wait "$GD_APP_PID"
    GD_APP_STATUS=$?
    GD_APP_PID=""
    return 0
}

gd_find_window() { # gd_find_window NAME-REGEX: the first window with that name (mapped or not)
    xdotool search --name "$1" 2>/dev/null | head -n 1
}

# gd_wait_window [SECONDS]: waits for "Form1" to be mapped; sets GD_WIN, GD_WX, GD_WY.
gd_wait_window() {
    local limit=${1:-30} end=$((SECONDS + ${1:-30})) id state
    while :; do
        id=$(gd_find_window '^Form1$')
        if [ -n "$id" ]; then
            state=$(xwininfo -id "$id" 2>/dev/null | awk '/Map State:/ { print $3 }')
            [ "$state" = IsViewable ] && break
        fi
        if [ "$SECONDS" -ge "$end" ] || ! gd_app_alive; then
            gd_abort "no window 'Form1' shown within $limit s"
        fi
        sleep 0.05
    done
    GD_WIN=$id
    eval "$(xwininfo -id "$GD_WIN" | awk '/Absolute upper-left X:/ { print "GD_WX=" $4 }
                                          /Absolute upper-left Y:/ { print "GD_WY=" $4 }')"
}

# gd_opacity [WINDOW]: the window's _NET_WM_WINDOW_OPACITY (alpha a reads a * 0x01010101), by
# default Form1's; nothing while it has none.
gd_opacity() {
    xprop -id "${1:-$GD_WIN}" _NET_WM_WINDOW_OPACITY 2>/dev/null | sed -n 's/.* = \([0-9]*\)$/\1/p'
}

gd_size() { # gd_size WINDOW: its width and height, as "W H"
    xwininfo -id "$1" | awk '/  Width:/ { w = $2 } /  Height:/ { h = $2 } END { print w, h }'
}

gd_check_centred() { # gd_check_centred W H SLACK: the window, W x H, stands mid-screen within SLACK px
    local cx=$(((GD_SCREEN_W - $1) / 2)) cy=$(((GD_SCREEN_H - $2) / 2))
    local dx=$((GD_WX - cx)) dy=$((GD_WY - cy))
    if [ "${dx#-}" -le "$3" ] && [ "${dy#-}" -le "$3" ]; then
        ok "centred at $GD_WX,$GD_WY"
    else
        fail "at $GD_WX,$GD_WY, not centred ($cx,$cy)"
    fi
}

gd_move() { # gd_move X Y (window pixels)
    local x=$((GD_WX + $1)) y=$((GD_WY + $2))
    # "mousemove --sync" waits for a motion that never comes when the pointer is there already.
    [ "$(xdotool getmouselocation 2>/dev/null | cut -d' ' -f1,2)" = "x:$x y:$y" ] && return 0
    xdotool mousemove --sync "$x" "$y"
}

gd_click() { # gd_click X Y (window pixels)
    gd_move "$1" "$2"
    xdotool click 1
}

# Twips of a control to window pixels, at the 15 twips per pixel of a 96-dpi screen.
gd_px() { echo $((($1 + 7) / 15)); }

# gd_shot FILE: a screenshot of the whole screen, cropped to the window.
gd_shot() {
    import -window root -crop "${GD_WIN_W}x${GD_WIN_H}+${GD_WX}+${GD_WY}" +repage "$1"
}

# gd_uptime_ticks: whether the uptime cell (Picture19), the one thing on the window that changes
# every second, shows something else 1.3 s later.
gd_uptime_ticks() {
    local cell=("$(gd_px 11040)" "$(gd_px 8400)" "$(gd_px 1215)" "$(gd_px 375)")
    gd_shot "$GD_TMP/up1.png" && sleep 1.3 && gd_shot "$GD_TMP/up2.png" || return 1
    [ "$(gd_pixels "$GD_TMP/up1.png" "${cell[@]}" differ "$GD_TMP/up2.png")" -gt 0 ]
}

# gd_shot_lit FILE: a window screenshot for people to look at, taken while the title, whose
# colour cycles from black to white and back every 1.2 s, is light enough to read; fails when it
# never was in eight tries.
gd_shot_lit() {
    for _ in 1 2 3 4 5 6 7 8; do
        gd_shot "$1" || return 1
        [ "$(gd_pixels "$1" "$(gd_px 840)" 6 200 25 light)" -ge 10 ] && return 0
        sleep 0.1
    done
    return 1
}

# gd_pixels FILE X Y W H MEASURE [FILE2]: looks at one rectangle of a window screenshot and
# prints a whole percentage of its pixels, which is 0 only when there are none and 100 only when
# all are:
#   yellow | red | black | light  pixels of that colour
#   differ                         pixels that differ from the same rectangle of FILE2
#   dark                           pixels darker than mid grey
# or, for black text on a plain background, the height and width of its ink in pixels:
#   ink                            "H W" of the smallest rectangle around the black pixels
gd_pixels() {
    local file=$1 x=$2 y=$3 w=$4 h=$5 measure=$6 other=${7:-}
    local geometry="${w}x${h}+${x}+${y}"
    convert "$file" -crop "$geometry" +repage -depth 8 rgb:"$GD_TMP/a.rgb" || return 1
    if [ -n "$other" ]; then
        convert "$other" -crop "$geometry" +repage -depth 8 rgb:"$GD_TMP/b.rgb" || return 1
    fi
    "$GD_PYTHON" - "$measure" "$w" "$GD_TMP/a.rgb" "$GD_TMP/b.rgb" <<'EOF'
import sys
measure, w, a_path, b_path = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
a = open(a_path, "rb").read()
pixels = [tuple(a[i:i + 3]) for i in range(0, len(a), 3)]
tests = {
    "yellow": lambda r, g, b: r > 200 and g > 200 and b < 100,
    "red": lambda r, g, b: r > 180 and g < 80 and b < 80,
    "black": lambda r, g, b: r < 40 and g < 40 and b < 40,
    "light": lambda r, g, b: min(r, g, b) > 150,
    "dark": lambda r, g, b: r + g + b < 384,
}
if measure == "differ":
    b = open(b_path, "rb").read()
    others = [tuple(b[i:i + 3]) for i in range(0, len(b), 3)]
    hits = sum(1 for p, q in zip(pixels, others) if p != q)
elif measure == "ink":
    at = [(i // w, i % w) for i, p in enumerate(pixels) if tests["black"](*p)]
    print(*[max(v) - min(v) + 1 for v in zip(*at)] if at else (0, 0))
    sys.exit()
else:
    hits = sum(1 for p in pixels if tests[measure](*p))
n = max(1, len(pixels))
print(0 if hits == 0 else 100 if hits == n else min(99, max(1, hits * 100 // n)))
EOF
}

# gd_contrast FILE X Y W H [X Y W H ...]: for each rectangle of a screenshot that holds text on a
# plain background, the contrast ratio between the two (WCAG's, 1 to 21), to one decimal. The
# background is the rectangle's commonest colour, the text the colour farthest from it in
# luminance among those that cover at least 3 pixels (the cores of the glyphs' stems).
gd_contrast() {
    local file=$1
    shift
    convert "$file" -depth 8 ppm:- | "$GD_PYTHON" -c '
import re, sys
from collections import Counter
data = sys.stdin.buffer.read()
header = re.match(rb"P6\s+(\d+)\s+\d+\s+255\s", data)
width, pixels = int(header.group(1)), data[header.end():]
def luminance(c):
    lin = [v / 255 / 12.92 if v <= 10 else ((v / 255 + 0.055) / 1.055) ** 2.4 for v in c]
    return 0.2126 * lin[0] + 0.7152 * lin[1] + 0.0722 * lin[2]
def ratio(a, b):
    a, b = sorted((luminance(a), luminance(b)))
    return (b + 0.05) / (a + 0.05)
rects = list(map(int, sys.argv[1:]))
out = []
for x, y, w, h in zip(*[iter(rects)] * 4):
    seen = Counter()
    for row in range(y, y + h):
        at = (row * width + x) * 3
        line = pixels[at:at + w * 3]
        seen.update(line[i:i + 3] for i in range(0, len(line), 3))
    back = seen.most_common(1)[0][0]
    out.append("%.1f" % max(ratio(back, c) for c, n in seen.items() if n >= 3))
print(" ".join(out))
' "$@"
}

# gd_atspi ARGS...: the screen reader's view of the program (see atspi.py).
gd_atspi() { "$GD_PYTHON" "$GD_LIB_DIR/atspi.py" "$@"; }

# gd_panel_showing HEADING: whether the tutorial panel of that heading shows, as a screen reader
# finds it.
gd_panel_showing() {
    gd_atspi panel "$1" >"$GD_TMP/panel.txt" 2>&1 && [ "$(head -n 1 "$GD_TMP/panel.txt")" = showing ]
}

# gd_wait_atspi [SECONDS]: waits until the program's window is on the accessibility bus.
gd_wait_atspi() {
    gd_poll "${1:-30}" eval 'gd_atspi find --role "push button" Exit >/dev/null 2>&1' \
        || gd_abort "the program did not appear on the accessibility bus within ${1:-30} s"
}

# gd_wait_box TITLE-REGEX [SECONDS]: prints the id of a message box once it is shown.
gd_wait_box() {
    local end=$((SECONDS + ${2:-20})) id
    while :; do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        [ "$SECONDS" -ge "$end" ] && return 1
        sleep 0.05
    done
}

# gd_answer_box ID KEYS...: gives the box the keyboard and presses KEYS (e.g. alt+n); the Yes/No
# buttons of Qt's boxes and of Windows' answer to their mnemonics. Succeeds once the box has gone
# (under Wine 2 s after the answer: without a window manager, Wine waits that long for one to
# confirm that a window it hides has gone).
gd_answer_box() {
    local id=$1
    shift
    # No window manager runs here, so the focus is set directly.
    timeout 5 xdotool windowfocus --sync "$id" 2>/dev/null
    xdotool key --clearmodifiers "$@"
    gd_poll 10 eval "! xwininfo -id '$id' 2>/dev/null | grep -q IsViewable"
}

# The menu: the toggle button and the six tutorial buttons inside the menu panel.
GD_TOGGLE_X=$(($(gd_px 120) + $(gd_px 2175) / 2))
GD_TOGGLE_Y=$(($(gd_px 840) + $(gd_px 735) / 2))
gd_menu_button_y() { # gd_menu_button_y INDEX (0 "Fade In Form" ... 5 "Text Animation")
    local tops=(120 960 1800 2640 3480 4320)
    echo $(($(gd_px 1560) + $(gd_px "${tops[$1]}") + $(gd_px 720) / 2))
}

# gd_menu_open: whether the slide has uncovered the foot of the last menu button (silver face).
gd_menu_open() {
    local foot=$(($(gd_px 1560) + $(gd_px 4320) + $(gd_px 735)))
    gd_shot "$GD_TMP/menu.png" || return 1
    [ "$(gd_pixels "$GD_TMP/menu.png" $(($(gd_px 120) + 4)) $((foot - 9)) 8 6 light)" -ge 90 ]
}

# gd_open_menu: clicks "Show Glimmerdeck" and waits until the slide has uncovered every button.
gd_open_menu() {
    gd_click "$GD_TOGGLE_X" "$GD_TOGGLE_Y"
    gd_poll 20 gd_menu_open || gd_abort "the menu did not open within 20 s of 'Show Glimmerdeck'"
}

# The strip along the top of the tutorial panels where each panel's red heading stands (lower on
# some panels than on others), in window pixels: X Y W H.
GD_HEADING_STRIP=("$(($(gd_px 2520) + 2 + $(gd_px 240)))" "$(($(gd_px 840) + 2))" 600 40)

# gd_heading_shown: whether a tutorial panel's red heading is on the screen, as a person sees it
# (a fresh screenshot, its file in $last); the credits card has none.
gd_heading_shown() {
    snap && [ "$(share "${GD_HEADING_STRIP[@]}" red)" -gt 0 ]
}
