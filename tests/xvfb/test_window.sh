#!/usr/bin/env bash
# The window as a person first meets it: centred, frameless, 817 x 586, fading in to 250/255
# (never fully opaque) in about two seconds; "Exit" asks first, No changes nothing and the clocks
# go on while the question waits, Yes ends the program with status 0. Without any display the
# program says so in one sentence and exits with status 2 instead of aborting; with -display it
# finds the X server named there. The Windows program, a GUI program without a console, has no
# standard error to say it on and takes no command line: without a display it exits with status 2
# all the same.
#
# Usage: test_window.sh <built glimmerdeck or glimmerdeck.exe>
set -uo pipefail
source "$(dirname "$0")/lib.sh"
gd_begin test_window "${1:-}"

ALPHA_UNIT=16843009 # _NET_WM_WINDOW_OPACITY of alpha a is a * 0x01010101
FULL=$((255 * ALPHA_UNIT))
FINAL=$((250 * ALPHA_UNIT))

EXIT_X=$(($(gd_px 120) + $(gd_px 2175) / 2))
EXIT_Y=$(($(gd_px 7560) + $(gd_px 735) / 2))

NO_STDERR="a Windows GUI program has no standard error to say why it ended"
# The Windows program's start copies a Wine prefix and starts Wine's services first, and its end
# waits for Wine to take its windows down (2 s each without a window manager) and to end those
# services.
start_limit=20 end_limit=15
[ -n "$GD_WINE" ] && start_limit=60 end_limit=30

gd_start_xvfb # for the program later; it also makes the folder of the X servers' sockets
note "no display at all"
out=$(cd "$GD_TMP" && timeout "$start_limit" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "${GD_RUN[@]}" 2>"$GD_TMP/nodisplay.err")
status=$?
err=$(cat "$GD_TMP/nodisplay.err")
[ "$status" -eq 2 ] && ok "exit status 2" || fail "exit status $status (expected 2; 134 is an abort)"
[ -z "$out" ] && ok "nothing on standard output" || fail "standard output: $out"
if gd_linux_only "$NO_STDERR"; then
    if [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] && [[ "$err" =~ ^[A-Z].*\.$ ]]; then
        ok "one sentence: $err"
    else
        fail "expected one sentence on standard error, got: $err"
    fi
fi

# A DISPLAY naming a server that is not there is no display either.
n=900
while [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
err=$(cd "$GD_TMP" && DISPLAY=":$n" timeout "$start_limit" env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "${GD_RUN[@]}" 2>&1)
status=$?
[ "$status" -eq 2 ] && ok "DISPLAY=:$n with no server behind it: status 2" \
    || fail "DISPLAY=:$n with no server behind it: status $status, output: $err"
if gd_linux_only "$NO_STDERR"; then
    [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] && ok "DISPLAY=:$n with no server behind it: one line" \
        || fail "DISPLAY=:$n with no server behind it: output: $err"
fi

# An X server that died leaves its socket file behind: still no display. The display number is
# held with a lock file naming this script, so no X server starting meanwhile takes it, and the
# stale socket is ours alone to remove.
stale_lock="" stale_socket=""
release_stale() { rm -f "$stale_socket" "$stale_lock"; }
for n in $(seq 900 999); do
    [ -e "/tmp/.X11-unix/X$n" ] && continue
    if (set -o noclobber; printf '%10d\n' $$ >"/tmp/.X$n-lock") 2>/dev/null; then
        stale_lock="/tmp/.X$n-lock"
        GD_CLEANUP_FILES+=("$stale_lock" "/tmp/.X11-unix/X$n")
        break
    fi
done
if [ -n "$stale_lock" ] && [ -d /tmp/.X11-unix ]; then
    stale_socket="/tmp/.X11-unix/X$n"
    "$GD_PYTHON" -c 'import socket, sys; s = socket.socket(socket.AF_UNIX); s.bind(sys.argv[1]); s.close()' \
        "$stale_socket"
    err=$(cd "$GD_TMP" && DISPLAY=":$n" timeout "$start_limit" env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
        "${GD_RUN[@]}" 2>&1)
    status=$?
    release_stale
    [ "$status" -eq 2 ] && ok "DISPLAY=:$n whose server died, leaving its socket: status 2" \
        || fail "DISPLAY=:$n whose server died, leaving its socket: status $status (134 is an abort), output: $(echo "$err" | head -n 3)"
    if gd_linux_only "$NO_STDERR"; then
        [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] \
            && ok "DISPLAY=:$n whose server died, leaving its socket: one line" \
            || fail "DISPLAY=:$n whose server died, leaving its socket: output: $(echo "$err" | head -n 3)"
    fi
else
    release_stale
    fail "no free display number in 900..999 for the case of a server that died"
fi

note "start-up and fade-in"
gd_start_app
# Sample the opacity from the moment the window exists, as often as xprop allows.
win=""
end=$((SECONDS + 30))
while [ -z "$win" ] && [ "$SECONDS" -lt "$end" ] && gd_app_alive; do
    win=$(gd_find_window '^Form1$')
    [ -z "$win" ] && sleep 0.02
done
[ -n "$win" ] || gd_abort "no window 'Form1' within 30 s"
samples="$GD_TMP/opacity.txt"
: >"$samples"
end=$((SECONDS + 20))
done_at=""
while [ "$SECONDS" -lt "$end" ]; do
    value=$(gd_opacity "$win")
    [ -n "$value" ] || { sleep 0.01; continue; }
    echo "$(gd_since "$GD_APP_START") $value" >>"$samples"
    if [ "$value" = "$FINAL" ] && [ -z "$done_at" ]; then
        done_at=$SECONDS
    fi
    # Keep watching a while after 250 to be sure it stays there.
    [ -n "$done_at" ] && [ "$SECONDS" -ge $((done_at + 2)) ] && break
done
gd_wait_window 10

read -r verdict < <(awk -v unit="$ALPHA_UNIT" -v full="$FULL" -v final="$FINAL" '
    { t[NR] = $1; v[NR] = $2 }
    END {
        if (NR == 0) { print "no samples"; exit }
        bad = ""
        for (i = 1; i <= NR; i++) {
            if (v[i] == full) bad = bad " reached 255/255 at " t[i] " s;"
            if (v[i] % (2 * unit) != 0) bad = bad " alpha " v[i] / unit " is not a step of 2;"
            if (i > 1 && v[i] < v[i - 1]) bad = bad " fell from " v[i - 1] / unit " to " v[i] / unit ";"
            if (!reached && v[i] == final) { reached = i }
            if (v[i] != v[i - 1]) distinct++
        }
        if (!reached) { print "never reached 250/255; last alpha " v[NR] / unit bad; exit }
        if (v[NR] != final) bad = bad " did not stay at 250/255;"
        a0 = v[1] / unit
        if (a0 >= 125) bad = bad " first seen already at alpha " a0 ";"
        if (distinct < 10) bad = bad " only " distinct " distinct values;"
        # The whole fade, extrapolated from the part watched.
        whole = (t[reached] - t[1]) * 250 / (250 - a0)
        # 125 steps at 64 a second: 1.95 s. Some slack for ticks a busy machine drops.
        if (whole < 1.7 || whole > 2.6) bad = bad " whole fade would take " whole " s;"
        printf "%s|alpha %d at %.2f s, 250 at %.2f s (whole fade about %.2f s), %d samples, %d values\n",
            (bad == "" ? "ok" : bad), a0, t[1], t[reached], whole, NR, distinct
    }' "$samples")
detail=${verdict#*|}
if [ "${verdict%%|*}" = ok ]; then
    ok "opacity rose to 250/255 and stayed there, never 255/255: $detail"
else
    fail "opacity:${verdict%%|*} ($detail)"
    tr '\n' ' ' <"$samples" | head -c 2000
    echo
fi

note "geometry and frame"
read -r w h < <(gd_size "$GD_WIN")
[ "$w" = "$GD_WIN_W" ] && [ "$h" = "$GD_WIN_H" ] && ok "817 x 586" || fail "window is $w x $h"
gd_check_centred "$GD_WIN_W" "$GD_WIN_H" 1
# Motif hints: flags bit 2 says the decorations field counts, and it asks for none.
hints=$(xprop -id "$GD_WIN" _MOTIF_WM_HINTS | sed -n 's/.* = //p')
IFS=', ' read -r flags _ decorations _ <<<"$hints"
if [ -n "$hints" ] && [ $((flags & 2)) -ne 0 ] && [ "$((decorations))" -eq 0 ]; then
    ok "no window frame asked for"
else
    fail "_MOTIF_WM_HINTS '$hints' does not ask for a frameless window"
fi

if [ -n "${GLIMMERDECK_BUILD_DIR:-}" ]; then
    mkdir -p "$GLIMMERDECK_BUILD_DIR/screenshots"
    gd_shot_lit "$GLIMMERDECK_BUILD_DIR/screenshots/window.png" || fail "no screenshot with the title lit"
fi

note "Exit, answered No"
gd_click "$EXIT_X" "$EXIT_Y"
box=$(gd_wait_box '^EXIT$') || gd_abort "no question box 'EXIT' within 20 s of clicking Exit"
ok "the question box 'EXIT' is shown"
gd_uptime_ticks && ok "the uptime clock ticks while the question waits" \
    || fail "the uptime cell did not change while the question waited"
gd_answer_box "$box" alt+n || fail "the question box did not go away after No"
sleep 0.5
if gd_app_alive; then
    ok "still running after No"
else
    gd_abort "the program ended after No"
fi
[ "$(gd_opacity "$GD_WIN")" = "$FINAL" ] && ok "opacity still 250/255" || fail "opacity changed after No"
gd_uptime_ticks && ok "the uptime clock still ticks" || fail "the uptime cell stopped changing after No"

note "Exit, answered Yes"
gd_click "$EXIT_X" "$EXIT_Y"
box=$(gd_wait_box '^EXIT$') || gd_abort "no question box 'EXIT' within 20 s of the second click"
gd_answer_box "$box" alt+y
if gd_wait_app_exit "$end_limit"; then
    [ "$GD_APP_STATUS" -eq 0 ] && ok "ended with status 0 after Yes" \
        || fail "ended with status $GD_APP_STATUS after Yes"
else
    fail "still running $end_limit s after Yes"
fi

note "the X display named with -display"
if gd_linux_only "the Windows program takes no command line, so -display does not apply"; then
    display=$DISPLAY
    unset DISPLAY
    gd_start_app -display "$display"
    export DISPLAY=$display
    gd_wait_window 30
    ok "with DISPLAY unset, -display $display shows the window there"
fi

gd_finish
