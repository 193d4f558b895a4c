#!/usr/bin/env bash
# The tutorial menu as a screen-reader user meets it: "Show Glimmerdeck" slides the menu open,
# each of the six menu buttons brings up its panel alone, with its heading and its code listings
# whole (length counted with the program's CR LF line breaks, first line as written), and "Hide
# Glimmerdeck" slides the menu shut and takes the open panel away with it. All of it is done with
# the mouse, and a mouse user never sees a focus frame: none shows on "_" or "X" at any step. A screenshot of each
# panel goes to $GLIMMERDECK_BUILD_DIR/screenshots/ for a person to look at. On the screen, each
# panel shows a red heading of its own, and the credits card none; the Windows program, which no
# screen reader sees under Wine, is checked by that and the mouse alone.
#
# Usage: test_panels.sh <built glimmerdeck or glimmerdeck.exe>
set -uo pipefail
source "$(dirname "$0")/lib.sh"
gd_begin test_panels "${1:-}"
gd_require dbus-daemon /usr/libexec/at-spi-bus-launcher pyatspi # the accessibility tree

shots=${GLIMMERDECK_BUILD_DIR:-$GD_TMP}/screenshots
mkdir -p "$shots"

slugs=(fade-in-form fading-caption image-and-label-buttons spinning-image transition-box text-animation)
# Each panel's listings: "<length with CR LF> <first line>", one a line, in any order.
listings=(
    '614 Private Declare Function GetWindowLong Lib "user32" Alias _
854 Private Sub Form_Load()'
    '850 Private Sub Timer2_Timer()'
    '257 Private Sub Form_MouseMove(Button As Integer, Shift As Integer, X As Single, Y As Single)
373 Private Sub Form_MouseMove(Button As Integer, Shift As Integer, X As Single, Y As Single)'
    '666 Dim dAngle As Double
1602 Private Sub Form_Load()'
    "331 'NOTE: Set the Stop Position and change the value if required. The value set in this sample is 0
315 ' NOTE: Set the Stop Position of this Control if required. In this sample, the stop position value = 0"
    "252 'NOTE: The Higher the Timer's Value, the faster the Blink
288 'NOTE: You must consider the Start and End Position Value of lblAni. The sample start position value below is 6720 while the stop position value is -5880"
)

# The headings shown, one a line; a failure to read the tree is printed too, never taken for none.
showing_headings() { gd_atspi find --showing --role label --regex '^HOW TO CREATE ' 2>&1; }
toggle_ready() { [ "$(gd_atspi state "$1" 2>/dev/null)" = "showing enabled" ]; }
# A dotted frame on "_" or "X" lights a whole column at its sides (about 40 % of it, against 12 %
# at most for the frame strip's own art).
no_focus_frame() {
    gd_shot "$GD_TMP/frame.png" || return 1
    local x
    for x in 736 752 784 800; do
        [ "$(gd_pixels "$GD_TMP/frame.png" "$x" 0 1 33 light)" -lt 25 ] || return 1
    done
}

# new_heading_shown: whether a red heading shows that differs from those of the panels seen so far,
# each kept as a digest of the strip's pixels.
seen_headings=" "
new_heading_shown() {
    gd_heading_shown || return 1
    local strip
    strip=$(convert "$last" -crop "${GD_HEADING_STRIP[2]}x${GD_HEADING_STRIP[3]}+${GD_HEADING_STRIP[0]}+${GD_HEADING_STRIP[1]}" \
        +repage -depth 8 rgb:- | md5sum | cut -d' ' -f1)
    [[ "$seen_headings" != *" $strip "* ]] || return 1
    seen_headings+="$strip "
}
NO_ATSPI="read through the accessibility tree (AT-SPI), which Wine's windows are not on"

gd_start_xvfb
gd_start_session_bus
gd_start_app
gd_wait_window
[ -n "$GD_WINE" ] || gd_wait_atspi 30

note "start: menu closed, no tutorial panel"
if gd_linux_only "'Show Glimmerdeck' and its state are $NO_ATSPI"; then
    toggle_ready "Show Glimmerdeck" && ok "'Show Glimmerdeck' is there and enabled" \
        || fail "no enabled 'Show Glimmerdeck' button: $(gd_atspi state "Show Glimmerdeck" 2>&1)"
fi
if gd_linux_only "the panels shown are $NO_ATSPI"; then
    [ -z "$(showing_headings)" ] && ok "no panel shown" || fail "shown at start: $(showing_headings)"
fi
gd_heading_shown && fail "a panel heading on the screen at start" || ok "no panel heading on the screen"

note "Show Glimmerdeck"
started=$(gd_now)
gd_click "$GD_TOGGLE_X" "$GD_TOGGLE_Y"
if gd_linux_only "'Hide Glimmerdeck' and its state are $NO_ATSPI"; then
    if gd_poll 20 toggle_ready "Hide Glimmerdeck"; then
        ok "the slide ended with 'Hide Glimmerdeck' enabled again ($(gd_since "$started") s after the click)"
    else
        gd_abort "'Hide Glimmerdeck' not enabled within 20 s: $(gd_atspi state "Hide Glimmerdeck" 2>&1)"
    fi
fi
gd_poll 20 gd_menu_open && ok "all six menu buttons uncovered ($(gd_since "$started") s after the click)" \
    || fail "the menu panel did not open on screen"
no_focus_frame && ok "no focus frame after the click" || fail "a focus frame in the title strip after the click"

for i in "${!GD_HEADINGS[@]}"; do
    heading=${GD_HEADINGS[$i]}
    note "menu button $((i + 1)): $heading"
    gd_click "$GD_TOGGLE_X" "$(gd_menu_button_y "$i")"
    if gd_linux_only "the heading's words are $NO_ATSPI"; then
        if ! gd_poll 15 gd_panel_showing "$heading"; then
            fail "panel '$heading' not shown within 15 s: $(head -n 1 "$GD_TMP/panel.txt")"
            continue
        fi
        ok "heading read: $heading"
    fi
    if ! gd_poll 15 new_heading_shown; then
        fail "no heading of a panel not seen before on the screen within 15 s"
        continue
    fi
    ok "a red heading on the screen, unlike those before it"
    no_focus_frame || fail "a focus frame in the title strip with '$heading' open"
    if gd_linux_only "the panels shown are $NO_ATSPI"; then
        shown=$(showing_headings)
        [ "$shown" = "$heading" ] && ok "no other panel shown" || fail "shown together: ${shown//$'\n'/ | }"
    fi
    if gd_linux_only "the listings' text is $NO_ATSPI"; then
        got=$(sed -n 's/^listing //p' "$GD_TMP/panel.txt" | sort)
        want=$(printf '%s\n' "${listings[$i]}" | sort)
        if [ "$got" = "$want" ]; then
            ok "listings whole: $(echo "$got" | cut -d' ' -f1 | tr '\n' ' ')characters"
        else
            fail "listings differ"
            diff <(echo "$want") <(echo "$got") | sed 's/^/    /'
        fi
    fi
    sleep 0.3 # let the panel finish painting before the screenshot a person will look at
    gd_shot_lit "$shots/panel-${slugs[$i]}.png" || fail "no screenshot of '$heading'"
done

note "Hide Glimmerdeck"
gd_click "$GD_TOGGLE_X" "$GD_TOGGLE_Y"
if gd_linux_only "'Show Glimmerdeck' and its state are $NO_ATSPI"; then
    if gd_poll 20 toggle_ready "Show Glimmerdeck"; then
        ok "the closing slide ended with 'Show Glimmerdeck' enabled again"
    else
        fail "'Show Glimmerdeck' not enabled within 20 s: $(gd_atspi state "Show Glimmerdeck" 2>&1)"
    fi
fi
if gd_linux_only "the panels shown are $NO_ATSPI"; then
    shown=$(showing_headings)
    [ -z "$shown" ] && ok "the open panel went with the menu" || fail "still shown after the slide: $shown"
fi
gd_poll 20 eval '! gd_heading_shown' && ok "no panel heading on the screen after the slide" \
    || fail "a panel heading still on the screen 20 s after 'Hide Glimmerdeck'"
gd_menu_open && fail "the menu buttons are still uncovered" || ok "the menu panel is closed on screen"

gd_finish
