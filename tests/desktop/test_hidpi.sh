#!/usr/bin/env bash
# The window on high-density screens (Xft.dpi 144 and 192, as desktops set it for 150 % and
# 200 %, and QT_SCALE_FACTOR=1.25, as some set for fractional scaling): it grows with the density
# (1226 x 879, 1634 x 1172 and 1021 x 733 device pixels), stays centred, and its text is drawn at
# the screen's own density: sharp glyph edges, not a 96-dpi picture scaled up. The status strip
# reads the screen's own pixels, as a screen reader hears it.
#
# Usage: test_hidpi.sh <built glimmerdeck>
set -uo pipefail
source "$(dirname "$0")/../xvfb/lib.sh"
gd_begin test_hidpi "${1:-}"
gd_require xrdb dbus-daemon /usr/libexec/at-spi-bus-launcher pyatspi

# sharpness FILE: two figures for the black-on-silver credits text in FILE.
#  - edge width: grey pixels crossed per edge from silver to ink along the rows. Text drawn at
#    the screen's density has edges about one pixel wide (0.6 to 0.7 here); a 96-dpi picture
#    scaled up smoothly has 2 to 4, scaled up by repeating pixels about 1.2 at 200 %.
#  - repeats: the share of neighbouring rows and columns with ink that are identical. Drawn
#    text has none; pixels repeated by scaling up make a third (150 %) or half (200 %) of them.
sharpness() {
    "$GD_PYTHON" - "$1" <<'EOF'
import subprocess, sys
path = sys.argv[1]
w = int(subprocess.run(["identify", "-format", "%w", path], capture_output=True, text=True).stdout)
d = subprocess.run(["convert", path, "-colorspace", "Gray", "-depth", "8", "gray:-"],
                   capture_output=True, check=True).stdout
rows = [d[y * w:(y + 1) * w] for y in range(len(d) // w)]
silver, ink = 192, 0
high, low = ink + 0.8 * (silver - ink), ink + 0.2 * (silver - ink)
edges = greys = 0
for row in rows:
    last, run = None, 0
    for v in row:
        kind = "B" if v >= high else ("K" if v <= low else "G")
        if kind == "G":
            run += 1
            continue
        if last is not None and kind != last:
            edges += 1
            greys += run
        last, run = kind, 0
cols = [bytes(r[x] for r in rows) for x in range(w)]
def repeats(lines):
    pairs = [(a, b) for a, b in zip(lines, lines[1:]) if min(a) < 100 or min(b) < 100]
    return sum(a == b for a, b in pairs), len(pairs)
rr, rn = repeats(rows)
cr, cn = repeats(cols)
print("%.2f %.2f %d" % (greys / max(1, edges), (rr + cr) / max(1, rn + cn), edges))
EOF
}

unset DISPLAY # the accessibility bus outlives each round's X server, so it gets none
gd_start_session_bus
# Each round: a name, the screen, the X server's density, the program's scale factor.
for round in "Xft.dpi 144:2560x1600:144:" "Xft.dpi 192:2560x1600:192:" "QT_SCALE_FACTOR 1.25:1280x1024::1.25"; do
    IFS=: read -r name screen dpi factor <<<"$round"
    note "$name"
    GD_SCREEN_W=${screen%x*} GD_SCREEN_H=${screen#*x}
    rm -f "$GD_TMP/displayfd"
    GD_XVFB_ARGS=(${dpi:+-dpi "$dpi"})
    gd_start_xvfb
    if [ -n "$dpi" ]; then
        # Desktops publish the density in the X resource database; -noreset keeps it there
        # between clients.
        echo "Xft.dpi: $dpi" | xrdb -nocpp -merge
        [ "$(xrdb -query | awk '/^Xft.dpi:/ { print $2 }')" = "$dpi" ] || gd_abort "xrdb did not take Xft.dpi: $dpi"
        scale=$(awk -v d="$dpi" 'BEGIN { print d / 96 }')
        GD_APP_WRAP=()
    else
        scale=$factor
        GD_APP_WRAP=(env QT_SCALE_FACTOR="$factor")
    fi
    gd_start_app
    gd_wait_window 30
    want_w=$(awk -v s="$scale" -v w="$GD_WIN_W" 'BEGIN { printf "%d", w * s + 0.5 }')
    want_h=$(awk -v s="$scale" -v h="$GD_WIN_H" 'BEGIN { printf "%d", h * s + 0.5 }')
    read -r w h < <(gd_size "$GD_WIN")
    [ "$w x $h" = "$want_w x $want_h" ] && ok "$w x $h device pixels" \
        || fail "window is $w x $h, expected $want_w x $want_h"
    gd_check_centred "$w" "$h" 2
    # Once the fade is over, the credits text: window pixels (335, 155), 275 x 100, scaled.
    sleep 2.5
    crop=$(awk -v s="$scale" -v x="$GD_WX" -v y="$GD_WY" \
        'BEGIN { printf "%dx%d+%d+%d", 275 * s, 100 * s, x + 335 * s, y + 155 * s }')
    import -window root -crop "$crop" +repage "$GD_TMP/text-$scale.png" || gd_abort "no screenshot"
    read -r width repeats edges < <(sharpness "$GD_TMP/text-$scale.png")
    if [ "$edges" -ge 200 ] && awk -v e="$width" -v r="$repeats" 'BEGIN { exit !(e < 1.0 && r < 0.1) }'; then
        ok "sharp text: $width grey pixels per edge, $repeats repeated lines, over $edges edges"
    else
        fail "text looks scaled up or missing: $width grey pixels per edge, $repeats repeated lines, $edges edges"
    fi
    if [ -n "${GLIMMERDECK_BUILD_DIR:-}" ]; then
        mkdir -p "$GLIMMERDECK_BUILD_DIR/screenshots"
        import -window root -crop "${w}x${h}+${GD_WX}+${GD_WY}" +repage \
            "$GLIMMERDECK_BUILD_DIR/screenshots/window-${name// /-}.png"
    fi
    gd_wait_atspi 20
    readout=$(gd_atspi find --prefix "Screen Resolution: " 2>&1 | head -n 1)
    [ "$readout" = "Screen Resolution: $GD_SCREEN_W x $GD_SCREEN_H" ] && ok "the status strip reads '$readout'" \
        || fail "the status strip reads '$readout', the screen is $GD_SCREEN_W x $GD_SCREEN_H"
    gd_app_alive && ok "still running" || fail "the program ended"
    gd_stop "$GD_APP_PID"
    gd_stop "$GD_XVFB_PID"
    GD_APP_PID="" GD_XVFB_PID=""
done

gd_finish
