#!/usr/bin/env bash
# Reduced motion, with the desktop's setting served by a stand-in portal on a private session bus.
# With the setting on from the start, the window shows at 250/255 within 0.15 s of being mapped
# instead of fading in; the title holds white while the sample caption of "Fading Caption", which
# the user opened, still pulses; "Show Glimmerdeck" and "Hide Glimmerdeck" open and shut the menu
# in one step, the open panel going with it. Turned off while the program runs, the title pulses
# again within a second; turned on again, it stops at white. A second run plays Debian 12's own
# portal, which has Read alone and knows GNOME's setting but not the desktop-neutral one. Each run
# also holds a weaker setting that says otherwise, which must not count.
#
# Usage: test_motion.sh <built glimmerdeck>
set -uo pipefail
source "$(dirname "$0")/lib.sh"
gd_begin test_motion "${1:-}"
gd_require dbus-daemon dbus-send dbus-python

# Window pixels: the title's first 200 columns, the sample caption inside the "Fading Caption"
# panel, the menu panel as far as it opens, and the tutorial panels' area.
title=("$(gd_px 840)" 6 200 25)
panel_x=$(($(gd_px 2520) + 2)) panel_y=$(($(gd_px 840) + 2))
sample=("$((panel_x + $(gd_px 1920)))" "$((panel_y + $(gd_px 6120)))" "$(gd_px 7575)" "$(gd_px 495)")
menu=("$(gd_px 120)" "$(($(gd_px 1560) + 4))" "$(gd_px 2175)" "$(($(gd_px 4320) + $(gd_px 735) - 4))")
panels=("$panel_x" "$panel_y" 500 300)

# white X Y W H: the percentage of the rectangle of the last screenshot that is pure white.
white() {
    convert "$last" -crop "${3}x${4}+${1}+${2}" +repage -fill black +opaque '#FFFFFF' \
        -format '%[fx:round(mean * 100)]' info:
}
title_white() { [ "$(white "${title[@]}")" -ge 5 ]; }
# find_title_pixel: a pixel at the core of a letter of the title, white in the last screenshot.
find_title_pixel() {
    read -r tx ty < <(convert "$last" -crop "${title[2]}x${title[3]}+${title[0]}+${title[1]}" +repage \
        txt:- | awk -F '[,: ]+' '/#FFFFFF/ { print $1, $2; exit }')
    [ -n "$tx" ] || gd_abort "no white in the title to watch"
    tx=$((tx + title[0])) ty=$((ty + title[1]))
}
# title_samples SECONDS: that pixel as the X server shows it, every 20 ms: "<time> <r> <g> <b>".
title_samples() {
    "$GD_PYTHON" "$GD_LIB_DIR/../desktop/xsample.py" "$((GD_WX + tx))" "$((GD_WY + ty))" "$1" 20
}
# all_white FILE: every sample in FILE is white; prints how many samples over how long.
all_white() {
    awk 'NR == 1 { first = $1 } { n++; if ($2 != 255 || $3 != 255 || $4 != 255) bad++ }
        END { printf "%d samples over %.1f s", n, $1 - first; exit !(n > 0 && !bad) }' "$1"
}

start_portal() { # start_portal ARG...: the stand-in portal (see portal.py), once it has its name
    "$GD_PYTHON" "$GD_LIB_DIR/portal.py" "$@" >"$GD_TMP/portal.log" 2>&1 &
    portal_pid=$!
    GD_PIDS+=("$portal_pid")
    gd_poll 20 grep -q ready "$GD_TMP/portal.log" \
        || gd_abort "the stand-in portal did not start: $(cat "$GD_TMP/portal.log")"
}
set_setting() { # set_setting GROUP KEY TYPE:VALUE: changed in the portal, which tells the program
    dbus-send --session --type=method_call --dest=org.freedesktop.portal.Desktop \
        /org/freedesktop/portal/desktop local.PortalStandIn.Set string:"$1" string:"$2" variant:"$3"
}

# start_watched NAME: starts the program with the window watched from before it exists, and checks
# that it is at 250/255 within 0.15 s of being mapped, and never at 255/255. The portal is asked
# after the first frame, which on a machine busy with other work can take longer than that by
# itself; the fade's own steps, 2/255 every 1/64 s, then tell the program's time: a window that
# had faded no further than 0.15 s would take it (18/255) passes too, with a note.
start_watched() {
    local watch="$GD_TMP/watch-$1.txt"
    "$GD_PYTHON" "$GD_LIB_DIR/xwatch.py" Form1 30 >"$watch" 2>&1 &
    local watch_pid=$!
    GD_PIDS+=("$watch_pid")
    gd_poll 20 grep -q ready "$watch" || gd_abort "xwatch.py did not start: $(cat "$watch")"
    gd_start_app
    gd_poll 20 grep -q 'opacity 250$' "$watch"
    gd_stop "$watch_pid"
    local verdict
    verdict=$(awk '
        $2 == "map" { map = $1 }
        $2 == "opacity" && map && !at { if ($3 == 250) at = $1; else if ($3 > before) before = $3 }
        $2 == "opacity" && $3 == 255 { full = 1 }
        END {
            if (!map) { print "bad|the window was never mapped"; exit }
            if (!at) { print "bad|never at 250/255"; exit }
            verdict = full ? "bad" : at - map <= 0.15 ? "ok" : before <= 18 ? "busy" : "bad"
            printf "%s|250/255 %.3f s after the window was mapped, highest opacity before it %d/255%s\n",
                verdict, at - map, before, (full ? ", then 255/255" : "")
        }' "$watch")
    if [ "${verdict%%|*}" = ok ]; then
        ok "${verdict#*|}"
    elif [ "${verdict%%|*}" = busy ]; then
        note "the machine is busy: the first frame came late"
        ok "${verdict#*|}"
    else
        fail "${verdict#*|}"
        tr '\n' ' ' <"$watch" | head -c 1500
        echo
    fi
    gd_wait_window 30
}

gd_start_xvfb
gd_start_bus

note "the desktop-neutral setting on, through ReadOne"
start_portal org.freedesktop.appearance reduced-motion uint32 1 \
    org.gnome.desktop.interface enable-animations boolean true
start_watched appearance
grep -q '^[0-9.]* ReadOne org.freedesktop.appearance reduced-motion$' "$GD_TMP/portal.log" \
    && ok "asked with ReadOne" || fail "never asked for reduced-motion with ReadOne: $(cat "$GD_TMP/portal.log")"

note "the menu, one step each way"
snap
closed=$last
shown_in() { # shown_in FILE: whether the menu is open in it (the foot of its last button is uncovered)
    [ "$(gd_pixels "$1" "$((menu[0] + 4))" "$((menu[1] + menu[3] - 9))" 8 6 light)" -ge 90 ]
}
menu_changed() { snap && [ "$(share "${menu[@]}" differ "$1")" -gt 0 ]; }
gd_click "$GD_TOGGLE_X" "$GD_TOGGLE_Y"
gd_poll 10 menu_changed "$closed" || gd_abort "the menu did not change within 10 s of 'Show Glimmerdeck'"
shown_in "$last" && ok "open in the first screenshot that shows it move" \
    || fail "the first screenshot after 'Show Glimmerdeck' shows the menu on its way"

gd_click "$GD_TOGGLE_X" "$(gd_menu_button_y 1)" # "Fading Caption"
gd_poll 10 eval 'snap && [ "$(share "${panels[@]}" differ "$closed")" -ge 20 ]' \
    || gd_abort "the 'Fading Caption' panel was not shown within 10 s"
first=$last
title_white || gd_abort "the title is not white with the setting on"
find_title_pixel
title_samples 1.5 >"$GD_TMP/held.txt" &
sampling=$!
sample_moved=0
for _ in $(seq 10); do
    snap
    [ "$(share "${sample[@]}" differ "$first")" -gt 0 ] && { sample_moved=1; break; }
done
wait "$sampling"
held=$(all_white "$GD_TMP/held.txt") && ok "the title held white: $held" \
    || fail "the title left white: $held"
[ "$sample_moved" -eq 1 ] && ok "the sample caption, which the user asked for, pulsed meanwhile" \
    || fail "the sample caption stood still"
[ -n "${GLIMMERDECK_BUILD_DIR:-}" ] && mkdir -p "$GLIMMERDECK_BUILD_DIR/screenshots" \
    && cp "$last" "$GLIMMERDECK_BUILD_DIR/screenshots/motion-reduced.png"

open=$last
gd_click "$GD_TOGGLE_X" "$GD_TOGGLE_Y"
gd_poll 10 menu_changed "$open" || gd_abort "the menu did not change within 10 s of 'Hide Glimmerdeck'"
if ! shown_in "$last" && [ "$(share "${panels[@]}" differ "$closed")" -le 1 ]; then
    ok "shut, and the panel gone, in the first screenshot that shows it move"
else
    fail "the first screenshot after 'Hide Glimmerdeck' shows the menu on its way, or the panel still up"
fi

note "the setting turned off and on while the program runs"
changed=$(gd_now)
set_setting org.freedesktop.appearance reduced-motion uint32:0
title_samples 1.0 >"$GD_TMP/off.txt"
pulsing=$(awk -v t0="$changed" '$2 != 255 { printf "%.2f", $1 - t0; exit }' "$GD_TMP/off.txt")
[ -n "$pulsing" ] && ok "the title pulses again, $pulsing s after the setting turned off" \
    || fail "the title stayed white for a second after the setting turned off"
changed=$(gd_now)
set_setting org.freedesktop.appearance reduced-motion uint32:1
title_samples 2.5 >"$GD_TMP/on.txt"
awk -v t0="$changed" '$1 - t0 >= 1.0' "$GD_TMP/on.txt" >"$GD_TMP/after.txt"
# The first sample from which on the title is white.
stopped=$(awk -v t0="$changed" '$2 != 255 { at = ""; next } at == "" { at = $1 - t0 }
    END { printf "%.2f", at }' "$GD_TMP/on.txt")
held=$(all_white "$GD_TMP/after.txt") && ok "white $stopped s after the setting turned on, and held: $held" \
    || fail "not held white from a second after the setting turned on: $held"
gd_stop "$GD_APP_PID"
GD_APP_PID=""
gd_stop "$portal_pid"

note "GNOME's setting through Read, as Debian 12's portal has it"
start_portal --read-only org.gnome.desktop.interface enable-animations boolean false \
    org.kde.kdeglobals.KDE AnimationDurationFactor double 1
start_watched gnome
grep -q '^[0-9.]* Read org.gnome.desktop.interface enable-animations$' "$GD_TMP/portal.log" \
    && ok "asked again with Read" || fail "never asked for enable-animations with Read: $(cat "$GD_TMP/portal.log")"
snap
title_white || gd_abort "the title is not white with GNOME's setting on"
find_title_pixel
held=$(title_samples 1.5 >"$GD_TMP/gnome.txt"; all_white "$GD_TMP/gnome.txt") \
    && ok "the title held white: $held" || fail "the title left white: $held"

gd_finish
