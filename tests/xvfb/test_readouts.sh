#!/usr/bin/env bash
# The live readouts as a person reads them: the uptime label counts "UP: 0:0:1", "UP: 0:0:2",
# "UP: 0:0:3" a second apart from start-up, the memory label shows what the system calls
# available memory (whole, even beyond 4 GiB), and the news ticker on the "Text Animation"
# panel moves. With /proc/meminfo hidden the memory label still shows a figure, and no error.
#
# Usage: test_readouts.sh <built glimmerdeck>
set -uo pipefail
source "$(dirname "$0")/lib.sh"
gd_begin test_readouts "${1:-}"
gd_require dbus-daemon /usr/libexec/at-spi-bus-launcher pyatspi # the accessibility tree

gd_start_xvfb
gd_start_session_bus
gd_start_app
gd_wait_window
window_at=$(gd_since "$GD_APP_START")

note "uptime"
# The screen reader follows the uptime label from its first sighting until "UP: 0:0:4".
gd_atspi watch --regex '^(0:00:00|UP: )' --since "$GD_APP_START" --until "UP: 0:0:4" --timeout 30 \
    >"$GD_TMP/uptime.txt" 2>&1
watched=$?
read -r verdict < <(awk -v window_at="$window_at" '
    BEGIN { n = split("0:00:00|UP: 0:0:1|UP: 0:0:2|UP: 0:0:3|UP: 0:0:4", order, "|")
            for (i = 1; i <= n; i++) rank[order[i]] = i }
    {
        t = $1; name = substr($0, length($1) + 2)
        if (!(name in rank)) { bad = bad " unexpected \"" name "\" at " t " s;"; next }
        if (rank[name] <= last) bad = bad " \"" name "\" out of order;"
        last = rank[name]; seen[rank[name]] = t
        seq = seq (seq == "" ? "" : ", ") "\"" name "\" " t " s"
    }
    END {
        if (!(4 in seen)) { print "no \"UP: 0:0:3\";" bad "|" seq; exit }
        # The clock starts just before the window is shown: 0:0:3 comes 3 s later, give or
        # take the polling.
        if (seen[4] < 2.95 || seen[4] > window_at + 3.5)
            bad = bad sprintf(" \"UP: 0:0:3\" at %.2f s, window shown at %.2f s;", seen[4], window_at)
        for (i = 3; i <= 5; i++)
            if ((i in seen) && ((i - 1) in seen)) {
                gap = seen[i] - seen[i - 1]; gaps++
                if (gap < 0.6 || gap > 1.4) bad = bad sprintf(" %.2f s between seconds;", gap)
            }
        if (gaps < 2) bad = bad " fewer than two whole seconds watched;"
        print (bad == "" ? "ok" : bad) "|" seq
    }' "$GD_TMP/uptime.txt")
if [ "$watched" -eq 0 ] && [ "${verdict%%|*}" = ok ]; then
    ok "uptime read: ${verdict#*|}"
else
    fail "uptime:${verdict%%|*} read: ${verdict#*|} (watch status $watched)"
    sed 's/^/    /' "$GD_TMP/uptime.txt"
fi

note "available memory"
label=$(gd_atspi find --prefix "Available Physical Memory: " 2>&1 | head -n 1)
available=$(awk '/^MemAvailable:/ { printf "%.0f", $2 * 1024 }' /proc/meminfo)
shown=${label#Available Physical Memory: }
if [[ "$shown" =~ ^[0-9]+$ ]]; then
    ok "label reads '$label'"
    if awk -v s="$shown" -v a="$available" 'BEGIN { d = s - a; if (d < 0) d = -d; exit !(d <= a / 10) }'; then
        ok "within 10 % of the $available bytes /proc/meminfo calls available"
    else
        fail "shows $shown bytes, /proc/meminfo says $available available"
    fi
else
    fail "memory label reads '$label', not a whole number of bytes"
fi

note "news ticker"
gd_open_menu
gd_click "$GD_TOGGLE_X" "$(gd_menu_button_y 5)"
panel_showing() { [ "$(gd_atspi panel "HOW TO CREATE ANIMATED TEXT" 2>/dev/null | head -n 1)" = showing ]; }
gd_poll 15 panel_showing || gd_abort "the 'Text Animation' panel was not shown within 15 s"
ok "'Text Animation' panel shown"
# Inside the borders of the ticker strip Picture17, and the heading of the same panel.
panel_x=$(($(gd_px 2520) + 2)) panel_y=$(($(gd_px 840) + 2))
strip=("$((panel_x + $(gd_px 1680) + 2))" "$((panel_y + $(gd_px 6000) + 2))" "$(($(gd_px 6975) - 4))" "$(($(gd_px 495) - 4))")
heading=("$((panel_x + $(gd_px 240)))" "$((panel_y + $(gd_px 120)))" 300 "$(gd_px 375)")
moved=0 text=0 steady=1
gd_shot "$GD_TMP/tick0.png"
for i in 1 2 3 4 5 6; do
    sleep 0.4
    gd_shot "$GD_TMP/tick$i.png"
    [ "$(gd_pixels "$GD_TMP/tick$i.png" "${strip[@]}" differ "$GD_TMP/tick$((i - 1)).png")" -gt 0 ] \
        && moved=$((moved + 1))
    [ "$(gd_pixels "$GD_TMP/tick$i.png" "${strip[@]}" dark)" -gt 0 ] && text=$((text + 1))
    [ "$(gd_pixels "$GD_TMP/tick$i.png" "${heading[@]}" differ "$GD_TMP/tick0.png")" -eq 0 ] || steady=0
    [ "$moved" -ge 2 ] && [ "$text" -ge 1 ] && break
done
[ "$moved" -ge 2 ] && ok "the ticker strip changed between screenshots ($moved times)" \
    || fail "the ticker strip changed $moved times in $i screenshots 0.4 s apart"
[ "$text" -ge 1 ] && ok "ticker text seen in the strip" || fail "no text seen in the ticker strip"
[ "$steady" -eq 1 ] && ok "the rest of the panel kept still" || fail "the panel's heading changed too"

note "available memory with /proc/meminfo hidden"
# As in some containers and sandboxes: an empty file mounted over it, in a mount namespace of
# the program's own. The figure then comes from sysinfo(2), free plus buffer memory.
if unshare -m true 2>/dev/null; then
    : >"$GD_TMP/meminfo.empty"
    GD_APP_WRAP=(unshare -m sh -c 'mount --bind "$0" /proc/meminfo && exec "$1"' "$GD_TMP/meminfo.empty")
    gd_stop "$GD_APP_PID" # one program on the accessibility bus at a time
    gd_start_app
    figure() { gd_atspi find --prefix "Available Physical Memory: " 2>/dev/null | head -n 1; }
    gd_poll 20 eval '[ -n "$(figure)" ]'
    hidden=$(figure)
    shown=${hidden#Available Physical Memory: }
    free_buffers=$(awk '/^(MemFree|Buffers):/ { kb += $2 } END { printf "%.0f", kb * 1024 }' /proc/meminfo)
    if [[ "$shown" =~ ^[0-9]+$ ]] && awk -v s="$shown" -v a="$free_buffers" \
        'BEGIN { d = s - a; if (d < 0) d = -d; exit !(d <= a / 10) }'; then
        ok "reads '$hidden', within 10 % of free plus buffers ($free_buffers)"
    else
        fail "with /proc/meminfo hidden the label reads '$hidden' (free plus buffers: $free_buffers)"
    fi
    sleep 1
    gd_wait_box '^Glimmerdeck$' 1 >/dev/null && fail "an error box came up" || ok "no error box"
    gd_app_alive && ok "still running" || fail "the program ended"
else
    note "skipped: no mount namespace here (unshare -m needs root)"
fi

gd_finish
