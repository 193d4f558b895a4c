#!/usr/bin/env bash
# The program under a Wayland compositor (weston):
#  - a pure Wayland session (weston headless, no X server anywhere): the program runs natively
#    on Wayland, without a word on its output; its window fades in through its own pixels (a
#    Wayland window has no opacity of its own) and ends opaque;
#  - the same with XWayland: the program prefers the X server, where the window is centred and
#    the window system fades it (_NET_WM_WINDOW_OPACITY);
#  - weston in a window on an X server, which feeds it keys: natively on Wayland, "X" asks and
#    No carries on, "_" minimises without harm, Yes ends with status 0.
#
# Usage: test_wayland.sh <built glimmerdeck>
set -uo pipefail
source "$(dirname "$0")/../xvfb/lib.sh"
gd_begin test_wayland "${1:-}"
gd_require weston weston-screenshooter Xwayland '/usr/lib/*/qt6/plugins/platforms/libqwayland-*.so'
unset DISPLAY
# In a sanitized build, Qt's Wayland plugin keeps its own objects to the end (suppressed, see
# tests/sanitizers/lsan.supp). To learn whether it may draw window decorations it also loads
# Mesa's EGL driver, whose one-time set-up lives on after the driver is unloaded, where no
# suppression can name it: without decorations (the question box then has no title bar) the
# driver is never loaded.
SAN=()
gd_sanitized && SAN=(QT_WAYLAND_DISABLE_WINDOWDECORATION=1)

ALPHA_UNIT=16843009 # _NET_WM_WINDOW_OPACITY of alpha a is a * 0x01010101
CARD_X=300 CARD_Y=480 # the silver credits card, no text there

# A plain background, so that the window can be found by its colours.
cat >"$GD_TMP/weston.ini" <<'EOF'
[core]
idle-time=0
[shell]
background-color=0xff203040
panel-position=none
locking=false
animation=none
startup-animation=none
EOF

WESTON_PID=""
# start_weston SOCKET ARGS...: a compositor of our own, listening on $XDG_RUNTIME_DIR/SOCKET.
start_weston() {
    local socket=$1
    shift
    weston -c "$GD_TMP/weston.ini" --socket="$socket" "$@" >"$GD_TMP/weston-$socket.log" 2>&1 &
    WESTON_PID=$!
    GD_PIDS+=("$WESTON_PID")
    gd_poll 20 test -S "$XDG_RUNTIME_DIR/$socket" || gd_abort "weston $* did not start within 20 s"
}
stop_weston() {
    gd_stop "$GD_APP_PID"
    gd_stop "$WESTON_PID"
    GD_APP_PID="" WESTON_PID=""
}

# form_at PNG: "x y w h" of the window in a screenshot, found by the exact colour of its
# background (&H00404040&), which only the window has; nothing when it is not there.
form_at() {
    convert "$1" -depth 8 rgb:"$GD_TMP/shot.rgb" || return 1
    "$GD_PYTHON" - "$GD_TMP/shot.rgb" "$(identify -format %w "$1")" <<'EOF'
import sys
data, w = open(sys.argv[1], "rb").read(), int(sys.argv[2])
grey = b"\x40\x40\x40"
xs, ys = [], []
for y in range(len(data) // (3 * w)):
    row = data[y * 3 * w:(y + 1) * 3 * w]
    at = row.find(grey)
    while at >= 0 and at % 3:
        at = row.find(grey, at + 1)
    if at < 0:
        continue
    last = row.rfind(grey)
    while last >= 0 and last % 3:
        last = row.rfind(grey, 0, last)
    xs += [at // 3, last // 3]
    ys.append(y)
if xs:
    print(min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1)
EOF
}

# pixel PNG X Y: the red value of one pixel.
pixel() { convert "$1" -crop "1x1+$2+$3" -depth 8 rgb:- | od -An -tu1 | awk '{ print $1 }'; }

note "a Wayland display that is not there"
# A name with no socket behind it, and a socket a dead compositor left: no display, so one
# sentence and status 2 (Qt's Wayland plugin would abort).
"$GD_PYTHON" -c 'import socket, sys; s = socket.socket(socket.AF_UNIX); s.bind(sys.argv[1]); s.close()' \
    "$XDG_RUNTIME_DIR/gd-dead"
for name in gd-none gd-dead "$XDG_RUNTIME_DIR/gd-dead"; do
    err=$(cd "$GD_TMP" && timeout 20 env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY="$name" "$GD_APP" 2>&1)
    status=$?
    [ "$status" -eq 2 ] && [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] \
        && ok "WAYLAND_DISPLAY=$name: status 2 and one line" \
        || fail "WAYLAND_DISPLAY=$name: status $status (134 is an abort), output: $(echo "$err" | head -n 3)"
done

note "pure Wayland: weston headless, no X server"
start_weston gd-wayland --backend=headless-backend.so --use-pixman --width=1024 --height=768 --debug
GD_APP_WRAP=(env -u DISPLAY WAYLAND_DISPLAY=gd-wayland "${SAN[@]}")
gd_start_app
mkdir -p "$GD_TMP/shots"
shots=0
end=$((SECONDS + 20))
# weston-screenshooter names its file by the second: one folder per picture.
while [ "$SECONDS" -lt "$end" ] && [ "$shots" -lt 60 ]; do
    dir="$GD_TMP/shots/$shots"
    mkdir -p "$dir"
    (cd "$dir" && WAYLAND_DISPLAY=gd-wayland timeout 10 weston-screenshooter >/dev/null 2>&1)
    file=$(ls "$dir"/*.png 2>/dev/null | head -n 1)
    if [ -n "$file" ]; then
        echo "$(gd_since "$GD_APP_START") $file" >>"$GD_TMP/shots.txt"
        shots=$((shots + 1))
    fi
    # Until 1 s after the window stands opaque in a picture.
    if [ -n "$file" ] && [ -n "$(form_at "$file")" ]; then
        [ -z "${opaque_at:-}" ] && opaque_at=$SECONDS
    fi
    [ -n "${opaque_at:-}" ] && [ "$SECONDS" -ge $((opaque_at + 1)) ] && break
done
gd_app_alive || gd_abort "the program ended on Wayland (status: $(wait "$GD_APP_PID"; echo $?))"
ok "running natively on Wayland"
last=$(tail -n 1 "$GD_TMP/shots.txt" | cut -d' ' -f2)
read -r fx fy fw fh < <(form_at "$last")
if [ "${fw:-0} x ${fh:-0}" = "$GD_WIN_W x $GD_WIN_H" ]; then
    ok "the window is shown, $fw x $fh at $fx,$fy (the compositor placed it)"
    # The card, picture by picture: it rises from the background through other values to the
    # opaque silver.
    read -r verdict < <(while read -r t f; do echo "$t $(pixel "$f" $((fx + CARD_X)) $((fy + CARD_Y)))"; done \
        <"$GD_TMP/shots.txt" | awk '
        { v[NR] = $2; t[NR] = $1 }
        END {
            for (i = 1; i <= NR; i++) {
                if (v[i] > 33 && v[i] < 192) { mid++; seq = seq " " v[i] }
                if (i > 1 && v[i] < v[i - 1] - 1) fell++
            }
            ok = (v[NR] == 192 && mid >= 2 && !fell)
            printf "%s|%d pictures; ends at %d; on the way:%s\n", (ok ? "ok" : "bad"), NR, v[NR], seq
        }')
    [ "${verdict%%|*}" = ok ] && ok "the fade shows in the pixels: ${verdict#*|}" \
        || fail "no fade seen in the pixels: ${verdict#*|}"
else
    fail "no $GD_WIN_W x $GD_WIN_H window in the last picture (found '${fw:-} ${fh:-}')"
fi
if [ -n "${GLIMMERDECK_BUILD_DIR:-}" ]; then
    mkdir -p "$GLIMMERDECK_BUILD_DIR/screenshots"
    cp "$last" "$GLIMMERDECK_BUILD_DIR/screenshots/wayland-native.png"
fi
if grep -v '^$' "$GD_TMP/app.log" >/dev/null; then
    fail "the program wrote on Wayland: $(head -n 3 "$GD_TMP/app.log")"
else
    ok "nothing written on its output"
fi
stop_weston

note "weston headless with XWayland: the program on the X server"
start_weston gd-xwayland --backend=headless-backend.so --xwayland
gd_poll 20 grep -q "xserver listening on display" "$GD_TMP/weston-gd-xwayland.log" \
    || gd_abort "weston named no X display within 20 s"
export DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$GD_TMP/weston-gd-xwayland.log" | head -n 1)
GD_APP_WRAP=(env WAYLAND_DISPLAY=gd-xwayland)
gd_start_app
gd_wait_window 30 # an X window: the program chose xcb
ok "an X window on XWayland ($DISPLAY)"
gd_poll 15 eval '[ "$(gd_opacity)" = $((250 * ALPHA_UNIT)) ]' \
    && ok "faded in to 250/255 by the window system" || fail "opacity is '$(gd_opacity)', not 250/255"
# weston's window manager maps the window first and moves it where it asked a moment later.
read -r sw sh < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')
geometry() { xwininfo -id "$GD_WIN" | awk '/Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
    /  Width:/ { w = $2 } /  Height:/ { h = $2 } END { print x, y, w, h }'; }
centred() {
    read -r x y w h < <(geometry)
    cx=$(((sw - w) / 2)) cy=$(((sh - h) / 2))
    [ $((x - cx)) -ge -1 ] && [ $((x - cx)) -le 1 ] && [ $((y - cy)) -ge -1 ] && [ $((y - cy)) -le 1 ]
}
gd_poll 5 centred && ok "centred at $x,$y on the $sw x $sh output" \
    || fail "at $x,$y, not centred ($cx,$cy) on the $sw x $sh output"
[ "$w x $h" = "$GD_WIN_W x $GD_WIN_H" ] && ok "$w x $h" || fail "window is $w x $h"
gd_app_alive && ok "still running" || fail "the program ended"
stop_weston
unset DISPLAY

note "Wayland with keys: weston in a window on an X server"
gd_start_xvfb
xserver=$DISPLAY
start_weston gd-nested --backend=x11-backend.so --use-pixman --width="$GD_SCREEN_W" --height="$GD_SCREEN_H"
GD_APP_WRAP=(env -u DISPLAY WAYLAND_DISPLAY=gd-nested "${SAN[@]}")

# wait_form: waits until the window stands opaque and still on the screen (the compositor may
# animate or move it while it maps, the more so on a loaded machine); sets GD_WX and GD_WY.
wait_form() {
    local end=$((SECONDS + 30)) at last=""
    while :; do
        import -window root "$GD_TMP/nested.png" 2>/dev/null
        at=$(form_at "$GD_TMP/nested.png")
        if [ "$(echo "$at" | cut -d' ' -f3,4)" = "$GD_WIN_W $GD_WIN_H" ] && [ "$at" = "$last" ]; then
            read -r GD_WX GD_WY _ <<<"$at"
            return 0
        fi
        last=$at
        { [ "$SECONDS" -ge "$end" ] || ! gd_app_alive; } && return 1
        sleep 0.3
    done
}

# The question box is a window of its own, placed by the compositor: it shows as a growth in
# the style's light grey (#efefef), of which the window itself has only its status cells.
light() {
    import -window root "$GD_TMP/nested.png" 2>/dev/null || return 1
    convert "$GD_TMP/nested.png" -fill black +opaque '#efefef' -fill white -opaque '#efefef' \
        -format '%[fx:int(mean * w * h)]' info:
}
box_shown() { [ "$(light)" -gt $((light_before + 15000)) ]; }
box_gone() { [ "$(light)" -lt $((light_before + 5000)) ]; }

# The window is worked from the keyboard, which weston gives to the window it has just mapped
# (its pointer, fed from the X server, now and then lags behind under load and loses a click):
# nothing has the focus at first, the first Tab goes to "_" and the second to "X", and the space
# bar presses them as a click would.
press() { # press KEY...: one key after another, a moment apart
    local key
    for key in "$@"; do
        xdotool key --clearmodifiers "$key"
        sleep 0.3
    done
}
ask_exit() { # ask_exit KEY: presses "X" (focused with two Tabs), waits for the question, answers with KEY
    light_before=$(light)
    press Tab Tab space
    gd_poll 15 box_shown || { fail "no question box within 15 s of pressing X"; return 1; }
    # The box takes the keyboard once the compositor has activated it: press again if the
    # first press came too soon.
    local try
    for try in 1 2 3; do
        press "$1"
        gd_poll 5 eval '! gd_app_alive || box_gone' && return 0
    done
    return 1
}

gd_start_app
wait_form || gd_abort "no window shown on the nested Wayland compositor within 30 s"
ok "shown at $GD_WX,$GD_WY"
ask_exit alt+n || fail "the question box did not go away after No"
gd_app_alive && ok "X answered No: still running" || gd_abort "the program ended after No"
gd_stop "$GD_APP_PID"
GD_APP_PID=""

# Where the focus goes when the question closes is the desktop's business: "_" in a window of
# its own.
minimised() { import -window root "$GD_TMP/nested.png" 2>/dev/null && [ -z "$(form_at "$GD_TMP/nested.png")" ]; }
gd_start_app
wait_form || gd_abort "no window shown the second time within 30 s"
press Tab space
gd_poll 10 minimised && ok "'_' took the window off the screen" || fail "the window is still on the screen after '_'"
sleep 1
gd_app_alive && ok "still running after minimising" || fail "the program ended after minimising"
gd_stop "$GD_APP_PID"
GD_APP_PID=""

gd_start_app
wait_form || gd_abort "no window shown the third time within 30 s"
ask_exit alt+y
if gd_wait_app_exit 15; then
    [ "$GD_APP_STATUS" -eq 0 ] && ok "X answered Yes: ended with status 0" \
        || fail "ended with status $GD_APP_STATUS after Yes"
else
    fail "still running 15 s after Yes"
fi
stop_weston

gd_finish
