#!/usr/bin/env bash
# A long run with the "Text Animation" panel open (the blinking label and the ticker repaint
# many times a second, the clocks and the spinning picture run behind it): the resident memory,
# sampled every 10 s after the first minute, must not grow by more than 100 KB per 10 minutes
# (least-squares slope).
#
# Usage: test_soak.sh <built glimmerdeck or glimmerdeck.exe>
#   GLIMMERDECK_SOAK_SECONDS  length of the run (120 unless told)
set -uo pipefail
source "$(dirname "$0")/lib.sh"

gd_begin test_soak "${1:-}"
duration=${GLIMMERDECK_SOAK_SECONDS:-120}
interval=10
warmup=60
limit_kb=100 # per 10 minutes
[ "$duration" -ge $((warmup + 2 * interval)) ] \
    || gd_abort "GLIMMERDECK_SOAK_SECONDS=$duration leaves fewer than three samples after the first minute"

gd_start_xvfb
gd_start_app
gd_wait_window
gd_open_menu
gd_click "$GD_TOGGLE_X" "$(gd_menu_button_y 5)" # "Text Animation"

# The ticker strip changes between two looks once the panel is up.
strip="$(($(gd_px 2520) + $(gd_px 1680) + 4)) $(($(gd_px 840) + $(gd_px 6000) + 4)) $(gd_px 6975) $(gd_px 495)"
ticker_moves() {
    gd_shot "$GD_TMP/a.png" && sleep 0.3 && gd_shot "$GD_TMP/b.png" || return 1
    # shellcheck disable=SC2086
    [ "$(gd_pixels "$GD_TMP/b.png" $strip differ "$GD_TMP/a.png")" -gt 0 ]
}
gd_poll 20 ticker_moves && ok "the Text Animation panel is open and its ticker moves" \
    || gd_abort "the ticker of the Text Animation panel does not move"

# The program's own process: under Wine the Windows program's, not its runner's.
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$(gd_app_process)/status" 2>/dev/null; }
samples="$GD_TMP/samples"
: >"$samples"
start=$(gd_now)
note "soak: ${duration} s, a sample every ${interval} s, the first ${warmup} s dropped"
for ((t = 0; t <= duration; t += interval)); do
    # Sleep to the next mark on the run's own clock, so slow samples do not add up.
    wait_s=$(awk -v s="$start" -v t="$t" -v now="$(gd_now)" 'BEGIN { d = s + t - now; printf "%.3f", (d > 0 ? d : 0) }')
    sleep "$wait_s"
    gd_app_alive || gd_abort "the program ended after ${t} s"
    kb=$(rss_kb)
    echo "$t $kb" >>"$samples"
    note "  ${t} s: VmRSS ${kb} kB"
done

slope=$(awk -v w="$warmup" '$1 >= w { n++; sx += $1; sy += $2; sxx += $1 * $1; sxy += $1 * $2 }
    END { printf "%.1f", (n * sxy - sx * sy) / (n * sxx - sx * sx) * 600 }' "$samples")
kept=$(awk -v w="$warmup" '$1 >= w' "$samples" | wc -l)
note "slope over $kept samples: $slope KB per 10 minutes (limit $limit_kb)"
if gd_sanitized; then
    # AddressSanitizer keeps freed blocks in quarantine, so memory grows by design; leaks are
    # LeakSanitizer's to find at exit.
    ok "slope not judged under AddressSanitizer"
elif awk -v s="$slope" -v l="$limit_kb" 'BEGIN { exit !(s <= l) }'; then
    ok "resident memory grows by $slope KB per 10 minutes, within $limit_kb"
else
    fail "resident memory grows by $slope KB per 10 minutes, more than $limit_kb"
fi

# Ended the ordinary way, so that a sanitizer's exit report is part of the run.
gd_click "$(gd_px 1207)" "$(gd_px 7927)"
if id=$(gd_wait_box '^EXIT$' 20) && gd_answer_box "$id" alt+y && gd_wait_app_exit 30; then
    [ "$GD_APP_STATUS" -eq 0 ] && ok "ended with status 0 after Exit, Yes" || fail "exit status $GD_APP_STATUS"
else
    fail "the program did not end on Exit, Yes"
fi
gd_finish
