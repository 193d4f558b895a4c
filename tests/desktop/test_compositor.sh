#!/usr/bin/env bash
# The window on a desktop with a window manager (openbox) and a compositing manager (picom), as
# a person sees it: the composited pixels ramp up for about two seconds and settle at 250/255
# of the window's own colour over what lies behind it; openbox gives the window no frame, and
# the window is centred on the screen.
#
# Usage: test_compositor.sh <built glimmerdeck>
set -uo pipefail
source "$(dirname "$0")/../xvfb/lib.sh"
gd_begin test_compositor "${1:-}"
gd_require openbox picom
HERE=$(cd "$(dirname "$0")" && pwd)

# A point of the silver credits card (Shape1, &H00C0C0C0&) with no text and no rounded corner.
SILVER=192
CARD_X=300 CARD_Y=480
CX=$(((GD_SCREEN_W - GD_WIN_W) / 2)) CY=$(((GD_SCREEN_H - GD_WIN_H) / 2))

sample() { "$GD_PYTHON" "$HERE/xsample.py" "$@"; }
red_at() { sample "$1" "$2" 0 0 | awk 'NR == 1 { print $2 }'; }

GD_XVFB_ARGS=(-br) # a black root: picom's own background then shows that it is painting
gd_start_xvfb
openbox --sm-disable >"$GD_TMP/openbox.log" 2>&1 &
GD_PIDS+=($!)
gd_poll 20 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' \
    || gd_abort "openbox did not start within 20 s"
picom --backend xrender >"$GD_TMP/picom.log" 2>&1 &
GD_PIDS+=($!)
# Xvfb's root is black; picom paints its own grey background once it composites.
gd_poll 20 eval '[ "$(red_at $((CX + CARD_X)) $((CY + CARD_Y)))" != 0 ]' \
    || gd_abort "picom did not paint the screen within 20 s"
ok "openbox and picom running"

sleep 0.2
behind=$(red_at $((CX + CARD_X)) $((CY + CARD_Y)))
final=$(awk -v b="$behind" -v s="$SILVER" 'BEGIN { printf "%d", b + (s - b) * 250 / 255 + 0.5 }')

note "fade-in, composited"
sample $((CX + CARD_X)) $((CY + CARD_Y)) 7 10 >"$GD_TMP/ramp.txt" &
sampler=$!
sleep 0.2
gd_start_app
gd_wait_window 20
wait "$sampler"
read -r verdict < <(awk -v start="$GD_APP_START" -v behind="$behind" -v silver="$SILVER" \
    -v final="$final" '
    { t = $1 - start; v = $2
      if (v > behind + 1 && first == "") { first = t; a0 = (v - behind) * 255 / (silver - behind) }
      if (first != "" && !reached && (v - final <= 1 && final - v <= 1)) reached = t
      if (first != "" && v != last) distinct++
      if (first != "" && v < last - 1 && !fell++) bad = bad sprintf(" fell from %d to %d at %.2f s;", last, v, t)
      if (reached && (v - final > 1 || final - v > 1) && !left++) bad = bad sprintf(" left %d for %d at %.2f s;", final, v, t)
      if (v >= silver && !opaque++) bad = bad " reached the opaque colour;"
      last = v; n++ }
    END {
      if (first == "") { print "the window never showed at the sample point|" n " samples"; exit }
      if (!reached) { print "never settled at " final " (last " last ")|" n " samples"; exit }
      whole = (reached - first) * 250 / (250 - a0)
      if (whole < 1.4 || whole > 3.0) bad = bad sprintf(" the whole ramp would take %.2f s;", whole)
      if (distinct < 10) bad = bad " only " distinct " distinct values;"
      printf "%s|first seen at alpha %d, %.2f s after start; %d at %.2f s (whole ramp about %.2f s); %d distinct values in %d samples\n",
          (bad == "" ? "ok" : bad), a0, first, final, reached, whole, distinct, n
    }' "$GD_TMP/ramp.txt")
if [ "${verdict%%|*}" = ok ]; then
    ok "the card ramps from $behind to $final = $behind + ($SILVER - $behind) x 250/255: ${verdict#*|}"
else
    fail "ramp:${verdict%%|*} (${verdict#*|})"
    awk '{ printf "%s ", $2 }' "$GD_TMP/ramp.txt" | head -c 3000
    echo
fi

note "frame and place"
extents=$(xprop -id "$GD_WIN" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.* = //p')
[ "$extents" = "0, 0, 0, 0" ] && ok "openbox adds no frame (_NET_FRAME_EXTENTS 0, 0, 0, 0)" \
    || fail "_NET_FRAME_EXTENTS is '$extents'"
parent=$(xwininfo -id "$GD_WIN" -children | awk '/Parent window id:/ { print $4 }')
read -r pw ph < <(gd_size "$parent")
read -r w h < <(gd_size "$GD_WIN")
[ "$w x $h" = "$GD_WIN_W x $GD_WIN_H" ] && [ "$pw x $ph" = "$w x $h" ] \
    && ok "$w x $h, and so is openbox's frame window around it" \
    || fail "window $w x $h in a frame window of $pw x $ph"
gd_check_centred "$GD_WIN_W" "$GD_WIN_H" 1
gd_app_alive && ok "still running" || fail "the program ended"

gd_finish
