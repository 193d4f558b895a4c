#!/usr/bin/env bash
# The Windows program on a Windows user's desktop, under Wine: what a screen reader is told
# through Active Accessibility (the window's name, the push buttons by their captions, "_" and "X"
# as "Minimise" and "Close Glimmerdeck", each listing by the caption above it, and a press through
# it), the animation setting turned off (no fade, the title still, the menu in one step), a
# high-contrast colour scheme (the listings follow it, every text stays readable), and screens of
# 144 and 192 dots per inch (the whole window at that scale, centred).
#
# Usage: test_desktop.sh <built glimmerdeck.exe>   (GLIMMERDECK_WIN32_TOOLS names the folder of
#                                                   accessible_tree.exe and desktop_setting.exe)
set -uo pipefail
source "$(dirname "$0")/../xvfb/lib.sh"
gd_begin test_desktop "${1:-}"
[ -n "$GD_WINE" ] || gd_abort "this test is the Windows program's: give it glimmerdeck.exe"
tools=${GLIMMERDECK_WIN32_TOOLS:?GLIMMERDECK_WIN32_TOOLS must name the folder of the test tools}

# Every start copies the template prefix: this test keeps one of its own, whose settings each
# part sets first.
own=$GD_TMP/wine
mkdir -p "$own"
cp -a "$GLIMMERDECK_WINE_DIR/template" "$own/" || gd_abort "could not copy the template prefix"
export GLIMMERDECK_WINE_DIR=$own
in_template() { WINEPREFIX=$own/template WINEDEBUG=-all "$@" >/dev/null 2>&1; }
settle_template() { WINEPREFIX=$own/template wineserver -k 2>/dev/null; WINEPREFIX=$own/template wineserver -w 2>/dev/null; }
registry() { # registry KEY NAME TYPE VALUE: sets a value in the template's registry
    in_template wine reg add "$1" /v "$2" /t "$3" /d "$4" /f
}

# in_program CMD...: runs a Windows program in the running program's prefix, beside it.
in_program() {
    local prefix
    prefix=$(tr '\0' '\n' <"/proc/$(gd_app_process)/environ" 2>/dev/null | sed -n 's/^WINEPREFIX=//p')
    [ -n "$prefix" ] || return 1
    WINEPREFIX=$prefix WINEDEBUG=-all wine "$@"
}
tree() { # (a Windows program's lines end in CR LF)
    in_program "$tools/accessible_tree.exe" 2>&1 | tr -d '\r' >"$GD_TMP/tree.txt"
    [ "${PIPESTATUS[0]}" -eq 0 ]
}
has() { grep -qxF "$1" <(sed 's/^ *//' "$GD_TMP/tree.txt"); }
stop_program() { gd_stop "$GD_APP_PID"; GD_APP_PID=""; }

gd_start_xvfb

note "a screen reader's view, through Active Accessibility"
gd_start_app
gd_wait_window 60
gd_poll 30 tree || gd_abort "the accessibility tree could not be read: $(head -n 3 "$GD_TMP/tree.txt")"
has "client|Glimmerdeck" && ok "the window is 'Glimmerdeck' to a screen reader" \
    || fail "no window 'Glimmerdeck' in: $(head -n 1 "$GD_TMP/tree.txt")"
has "push button|Minimise" && has "push button|Close Glimmerdeck" \
    && ok "'_' and 'X' are the push buttons 'Minimise' and 'Close Glimmerdeck'" \
    || fail "'_' and 'X' are not push buttons 'Minimise' and 'Close Glimmerdeck'"
# Wine's object for a push button gives its caption, though it calls it a client area (Windows
# says push button): the name is what is checked.
missing=$(for b in "Show Glimmerdeck" About Exit; do grep -q "|$b\$" "$GD_TMP/tree.txt" || echo "$b"; done)
[ -z "$missing" ] && ok "the push buttons are named by their captions" || fail "unnamed: $missing"
grep -qE '\|(Fade In Form|[0-9]+)$' "$GD_TMP/tree.txt" \
    && fail "the shut menu's buttons or the counters beyond the window's edge are in the tree" \
    || ok "nothing out of view is in the tree: the shut menu's buttons, the counters"
gd_open_menu
gd_click "$GD_TOGGLE_X" "$(gd_menu_button_y 0)" # "Fade In Form"
gd_poll 15 eval 'tree && grep -q "|General Declaration (Form1)\$" "$GD_TMP/tree.txt"' \
    && grep -q "|Form and Timer1 Codes\$" "$GD_TMP/tree.txt" \
    && ok "each listing is named by the caption above it" \
    || fail "the listings are not named by their captions: $(grep -i 'text|' "$GD_TMP/tree.txt" | head -n 3 | tr '\n' ' ')"
in_program "$tools/accessible_tree.exe" --press "Close Glimmerdeck" >/dev/null 2>&1 \
    || fail "'Close Glimmerdeck' could not be pressed through Active Accessibility"
if box=$(gd_wait_box '^EXIT$' 20); then
    ok "pressed through Active Accessibility, 'Close Glimmerdeck' asks the exit question"
    gd_answer_box "$box" alt+n || fail "the question did not go with No"
else
    fail "no exit question after 'Close Glimmerdeck' was pressed"
fi
stop_program

note "animations turned off in the desktop's settings"
in_template wine "$tools/desktop_setting.exe" animation off || gd_abort "the animation setting could not be turned off"
settle_template
gd_start_app
gd_wait_window 60
mapped=$(gd_now)
gd_poll 10 eval '[ "$(gd_opacity)" = 4210752250 ]' || fail "opacity '$(gd_opacity)', not 250/255"
taken=$(gd_since "$mapped")
awk -v t="$taken" 'BEGIN { exit !(t < 1.0) }' && ok "at 250/255 at once, no fade (${taken} s after it showed)" \
    || fail "250/255 only ${taken} s after it showed: it faded"
title_light=0
for _ in 1 2 3 4 5 6; do # over more than half the title's 1.2 s pulse
    gd_shot "$GD_TMP/title.png"
    [ "$(gd_pixels "$GD_TMP/title.png" "$(gd_px 840)" 6 200 25 light)" -ge 10 ] && title_light=$((title_light + 1))
    sleep 0.15
done
[ "$title_light" -eq 6 ] && ok "the title holds white" || fail "the title pulsed: light in $title_light of 6 looks"
gd_click "$GD_TOGGLE_X" "$GD_TOGGLE_Y"
sleep 0.15
gd_menu_open && ok "the menu opened in one step" || fail "the menu was not open 0.15 s after the click"
# (A running program under Wine keeps its first answer of SystemParametersInfo, broadcast or not:
# the change while it runs, which Windows reports through WM_SETTINGCHANGE, cannot be seen here.)
note "not under Wine: a change of the setting while the program runs (Wine keeps a process's first answer)"
stop_program
in_template wine "$tools/desktop_setting.exe" animation on
settle_template

note "a high-contrast colour scheme"
for pair in "Window=0 0 0" "WindowText=255 255 255" "ButtonFace=0 0 0" "ButtonText=255 255 0" \
    "ButtonShadow=255 255 255" "ButtonHilight=255 255 255" "GrayText=0 255 0" "WindowFrame=255 255 255"; do
    registry 'HKCU\Control Panel\Colors' "${pair%%=*}" REG_SZ "${pair#*=}"
done
settle_template
gd_start_app
gd_wait_window 60
sleep 2.5 # the fade
gd_shot "$GD_TMP/contrast-card.png"
read -r credits exit_button < <(gd_contrast "$GD_TMP/contrast-card.png" \
    "$(gd_px 4920)" "$(gd_px 2280)" "$(gd_px 4335)" 40 \
    "$(gd_px 120)" "$(gd_px 7560)" "$(gd_px 2175)" "$(gd_px 735)")
awk -v a="$credits" -v b="$exit_button" 'BEGIN { exit !(a >= 4.5 && b >= 4.5) }' \
    && ok "texts over the description's own colours stay readable: the credits $credits : 1, 'Exit' $exit_button : 1" \
    || fail "unreadable under high contrast: the credits $credits : 1, 'Exit' $exit_button : 1 (4.5 needed)"
gd_open_menu
gd_click "$GD_TOGGLE_X" "$(gd_menu_button_y 0)"
sleep 1
gd_shot "$GD_TMP/contrast-panel.png"
# The first listing of "Fade In Form" (txtTrans), below its caption: the scheme's window colour.
[ "$(gd_pixels "$GD_TMP/contrast-panel.png" "$(gd_px 2880)" "$(gd_px 2460)" 200 40 black)" -ge 80 ] \
    && ok "the listings follow the scheme: black behind their text" \
    || fail "a listing does not take the scheme's colours"
stop_program
for name in Window WindowText ButtonFace ButtonText ButtonShadow ButtonHilight GrayText WindowFrame; do
    in_template wine reg delete 'HKCU\Control Panel\Colors' /v "$name" /f
done
settle_template

for dpi in 144 192; do
    note "a screen of $dpi dots per inch"
    registry 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD "$dpi"
    settle_template
    gd_start_app
    gd_wait_window 60
    want_w=$(((12255 * dpi + 720) / 1440)) want_h=$(((8790 * dpi + 720) / 1440))
    read -r w h < <(gd_size "$GD_WIN")
    [ "$w" = "$want_w" ] && [ "$h" = "$want_h" ] && ok "the whole window at that scale: $w x $h" \
        || fail "$w x $h at $dpi dpi, not $want_w x $want_h"
    gd_check_centred "$w" "$h" 1
    stop_program
done

gd_finish
