#!/usr/bin/env bash
# The live readouts as a person reads them: the uptime label counts "UP: 0:0:1", "UP: 0:0:2",
# "UP: 0:0:3" a second apart from start-up, the memory label shows what /proc/meminfo calls
# available memory (whole, even beyond 4 GiB), and the news ticker on the "Text Animation"
# panel moves. With /proc/meminfo hidden the memory label shows free plus buffer memory from
# sysinfo(2), and no error.
#
# The labels' words are read through the accessibility tree, which the Windows program is not on
# under Wine: there the ticker is watched, and the program run with /proc/meminfo hidden, alone.
# Nor would its memory figure be MemAvailable: GlobalMemoryStatus under Wine answers MemFree plus
# Buffers plus Cached of /proc/meminfo (and 0 with the file hidden), Wine's arithmetic rather than
# the program's, which shows what Windows tells it.
#
# Usage: test_readouts.sh <built glimmerdeck or glimmerdeck.exe>
set -uo pipefail
source "$(dirname "$0")/lib.sh"
gd_begin test_readouts "${1:-}"
gd_require dbus-daemon /usr/libexec/at-spi-bus-launcher pyatspi # the accessibility tree

# meminfo FILE: the program is started with FILE mounted over /proc/meminfo, in a mount namespace
# of its own inside a user namespace, which needs no root. It runs under its own user id again
# there, which the session bus checks.
meminfo() {
    GD_APP_WRAP=(unshare --user --map-root-user --mount sh -c 'mount --bind "$0" /proc/meminfo &&
        ids="--map-user=$1 --map-group=$2" && shift 2 && exec unshare --user $ids "$@"' \
        "$1" "$(id -u)" "$(id -g)")
}
unshare --user --map-root-user --mount true 2>/dev/null \
    || gd_skip "no user namespace here (unshare --user), to show the program a /proc/meminfo of the test's own"
# The kernel's own lines with a MemAvailable beyond 4 GiB and far from any other figure.
sed 's/^MemAvailable:.*/MemAvailable:    5242881 kB/' /proc/meminfo >"$GD_TMP/meminfo"

gd_start_xvfb
gd_start_session_bus
meminfo "$GD_TMP/meminfo"
gd_start_app
gd_wait_window
window_at=$(gd_since "$GD_APP_START")

NO_ATSPI="read through the accessibility tree (AT-SPI), which Wine's windows are not on"

note "uptime"
if gd_linux_only "the uptime label's words are $NO_ATSPI"; then
    # The screen reader follows the uptime label from its first sighting until "UP: 0:0:5".
    gd_atspi watch --regex '^(0:00:00|UP: )' --since "$GD_APP_START" --until "UP: 0:0:5" --timeout 30 \
        >"$GD_TMP/uptime.txt" 2>&1
    watched=$?
    read -r verdict < <(awk -v window_at="$window_at" '
        BEGIN { n = split("0:00:00|UP: 0:0:1|UP: 0:0:2|UP: 0:0:3|UP: 0:0:4|UP: 0:0:5", order, "|")
                for (i = 1; i <= n; i++) rank[order[i]] = i }
        {
            t = $1; name = substr($0, length($1) + 2)
            if (!(name in rank)) { bad = bad " unexpected \"" name "\" at " t " s;"; next }
            if (rank[name] <= last) bad = bad " \"" name "\" out of order;"
            last = rank[name]; seen[rank[name]] = t
            if (!first) first = last
            seq = seq (seq == "" ? "" : ", ") "\"" name "\" " t " s"
        }
        END {
            if (!(6 in seen)) { print "no \"UP: 0:0:5\";" bad "|" seq; exit }
            # The clock starts just before the window is shown: 0:0:3 comes 3 s later, give or
            # take the polling.
            if (seen[4] < 2.95 || seen[4] > window_at + 3.5)
                bad = bad sprintf(" \"UP: 0:0:3\" at %.2f s, window shown at %.2f s;", seen[4], window_at)
            # From the first change seen (the first sighting may show what changed before the watch),
            # one a second; a clock 15 % slow is 0.3 s behind after two.
            for (i = first + 2; i <= 6; i++)
                if ((i in seen) && ((i - 1) in seen)) {
                    gap = seen[i] - seen[i - 1]; gaps++
                    if (gap < 0.75 || gap > 1.25) bad = bad sprintf(" %.2f s between seconds;", gap)
                    if (!from) from = i - 1
                }
            if (gaps < 2) bad = bad " fewer than two whole seconds watched;"
            else if ((span = seen[6] - seen[from] - (6 - from)) < -0.2 || span > 0.2)
                bad = bad sprintf(" %d seconds counted in %.2f s;", 6 - from, seen[6] - seen[from])
            print (bad == "" ? "ok" : bad) "|" seq
        }' "$GD_TMP/uptime.txt")
    if [ "$watched" -eq 0 ] && [ "${verdict%%|*}" = ok ]; then
        ok "uptime read: ${verdict#*|}"
    else
        fail "uptime:${verdict%%|*} read: ${verdict#*|} (watch status $watched)"
        sed 's/^/    /' "$GD_TMP/uptime.txt"
    fi
fi

note "available memory"
if gd_linux_only "the memory label's words are $NO_ATSPI"; then
    label=$(gd_atspi find --prefix "Available Physical Memory: " 2>&1 | head -n 1)
    [ "$label" = "Available Physical Memory: 5368710144" ] \
        && ok "label reads '$label': MemAvailable 5242881 kB, in bytes" \
        || fail "memory label reads '$label', not MemAvailable 5242881 kB in bytes (5368710144)"
fi

note "news ticker"
gd_open_menu
gd_click "$GD_TOGGLE_X" "$(gd_menu_button_y 5)"
# A screen reader finds the panel by its heading; under Wine it is waited for on the screen.
if [ -n "$GD_WINE" ]; then
    gd_poll 15 gd_heading_shown
else
    gd_poll 15 gd_panel_showing "HOW TO CREATE ANIMATED TEXT"
fi || gd_abort "the 'Text Animation' panel was not shown within 15 s"
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
# As in some containers and sandboxes: an empty file mounted over it. The figure then comes from
# sysinfo(2), free plus buffer memory, read here just before and after the label: it must lie
# between the two, give or take 1 % for what changed meanwhile (MemAvailable is a few % more).
: >"$GD_TMP/meminfo.empty"
meminfo "$GD_TMP/meminfo.empty"
gd_stop "$GD_APP_PID" # one program on the accessibility bus at a time
gd_start_app
figure() { gd_atspi find --prefix "Available Physical Memory: " 2>/dev/null | head -n 1; }
free_buffers() { awk '/^(MemFree|Buffers):/ { kb += $2 } END { printf "%.0f", kb * 1024 }' /proc/meminfo; }
if gd_linux_only "the memory label's words are $NO_ATSPI"; then
    gd_poll 20 eval '[ -n "$(figure)" ]' || fail "no memory label within 20 s"
    before=$(free_buffers) hidden=$(figure) after=$(free_buffers)
    shown=${hidden#Available Physical Memory: }
    if [[ "$shown" =~ ^[0-9]+$ ]] && awk -v s="$shown" -v a="$before" -v b="$after" \
        'BEGIN { exit !(s >= (a < b ? a : b) * 0.99 && s <= (a > b ? a : b) * 1.01) }'; then
        ok "reads '$hidden': free plus buffers, $before then $after"
    else
        fail "with /proc/meminfo hidden the label reads '$hidden' (free plus buffers: $before then $after)"
    fi
else
    gd_wait_window # the readouts are up with the window
fi
sleep 1
gd_wait_box '^Glimmerdeck$' 1 >/dev/null && fail "an error box came up" || ok "no error box"
gd_app_alive && ok "still running" || fail "the program ended"

gd_finish
