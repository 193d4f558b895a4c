#!/usr/bin/env bash
# The window as a keyboard and screen-reader user meets it, under a window manager and read
# through AT-SPI. On the credits card and on each of the six tutorial panels: everything that
# takes the focus or has an action is named and has a role that fits (listings named by the label
# above them), the window is "Glimmerdeck" while its caption stays "Form1", and the counters that
# lie beyond the window's edge are nowhere; Tab walks the controls in their keyboard order and
# comes round again, and where it rests shows on the screen; pressing the buttons through their
# accessibility action does what a click does: the menu slides, the panels open, the boxes slide,
# About and the exit question come up (and are answered through AT-SPI too), "_" minimises, and
# the space bar works "X". And the walk of a user who has only the keyboard: the space bar on
# "Show Glimmerdeck" leaves the focus on the toggle, which is read out again under its new
# caption when the slide ends, and nothing else is read in between; the space bar on a menu
# button is told by the panel's heading while the focus stays; "Close" hands the focus back to
# the menu button, and a panel that shuts with the menu hands it to "Show Glimmerdeck".
#
# Usage: test_accessibility.sh <built glimmerdeck>
set -uo pipefail
source "$(dirname "$0")/lib.sh"
gd_begin test_accessibility "${1:-}"

MIN="push button:Minimise"
CLOSE="push button:Close Glimmerdeck"
MENU=("push button:Hide Glimmerdeck" "push button:About" "push button:Exit"
    "push button:Fade In Form" "push button:Fading Caption" "push button:Image and Label Buttons"
    "push button:Spinning Image" "push button:Transition Box" "push button:Text Animation")
menu_buttons=("Fade In Form" "Fading Caption" "Image and Label Buttons" "Spinning Image"
    "Transition Box" "Text Animation")
# Each panel's keyboard order, by TabIndex, from its first control; one entry a line.
order() { printf '%s\n' "$@"; }
orders=(
    "$(order "text:General Declaration (Form1)" "text:Form and Timer1 Codes" "$MIN" "$CLOSE" \
        "push button:Close" "${MENU[@]}")"
    "$(order "$MIN" "$CLOSE" "text:Timer2 Codes" "push button:Close" "${MENU[@]}")"
    "$(order "$MIN" "$CLOSE" "text:Image Button" "text:Label Button" "push button:Close" "${MENU[@]}")"
    "$(order "$MIN" "$CLOSE" "text:General Declaration (Form1)" "text:Form and Timer1 Codes" \
        "push button:Close" "${MENU[@]}")"
    "$(order "$MIN" "$CLOSE" "text:Horizontal Transition" "text:Vertical Transition" \
        "push button:Horizontal Transition" "${MENU[@]}" "push button:Vertical Transition" \
        "push button:Reset" "push button:Close")"
    "$(order "$MIN" "$CLOSE" "${MENU[@]}" "text:Blinking Text" "text:News Flash Text" "push button:Close")"
)
# What each panel's demonstration is called, one a line (none for the fade-in: it is the window).
demos=(
    ""
    "label:Fading caption"
    "$(order "panel:Image Button and Label Button sample" "image:Image Button" "label:LOGIN")"
    "$(order "image:Picture1" "image:Picture2" "animation:Spinning picture, work surface" \
        "animation:Spinning picture")"
    "panel:Transition box"
    "$(order "panel:BLINKING TEXT" "panel:NEWS FLASH TEXT" "label:News ticker")"
)

showing() { gd_atspi showing >"$GD_TMP/showing.txt" 2>&1; }
is_showing() { showing && grep -qxF "$1" "$GD_TMP/showing.txt"; }
not_showing() { showing && ! grep -qxF "$1" "$GD_TMP/showing.txt"; }
toggle_ready() { [ "$(gd_atspi state "$1" 2>/dev/null)" = "showing enabled" ]; }
wm_state() { xprop -id "$GD_WIN" WM_STATE 2>/dev/null | sed -n 's/.*window state: //p'; }

# audit WHERE: names and roles of everything that can be focused or pressed.
audit() {
    if gd_atspi audit >"$GD_TMP/audit.txt" 2>&1; then
        ok "$1: everything that takes the focus or an action is named and has a fitting role"
    else
        fail "$1: a screen reader could not use:"
        sed 's/^/    /' "$GD_TMP/audit.txt"
    fi
}

# walk WHERE ORDER: from the first control, Tab goes through ORDER and back to the first.
walk() {
    local where=$1 want=$2 first count
    first=$(head -n 1 <<<"$want")
    count=$(wc -l <<<"$want")
    if ! gd_atspi grab --role "${first%%:*}" "${first#*:}" 2>"$GD_TMP/grab.err"; then
        fail "$where: could not give '$first' the focus: $(cat "$GD_TMP/grab.err")"
        return
    fi
    gd_atspi tabwalk "$count" >"$GD_TMP/walk.txt" 2>&1
    if [ "$(cat "$GD_TMP/walk.txt")" = "$(tail -n +2 <<<"$want"; echo "$first")" ]; then
        ok "$where: Tab visits the $count controls in their order and comes round again"
    else
        fail "$where: Tab order differs (- wanted, + got, starting after '$first')"
        diff <(tail -n +2 <<<"$want"; echo "$first") "$GD_TMP/walk.txt" | sed 's/^/    /'
    fi
}

# press ROLE NAME: the button's accessibility action, as a screen reader presses it.
press() { gd_atspi press --role "$1" "$2" 2>"$GD_TMP/press.err" || fail "could not press '$2': $(cat "$GD_TMP/press.err")"; }

# hear WHAT LINE (KEY | --press NAME): KEY on the control with the focus, or NAME pressed, and
# then a screen reader is told LINE and nothing else.
hear() {
    local what=$1 line=$2
    shift 2
    gd_atspi hear --until "$line" "$@" >"$GD_TMP/heard.txt" 2>&1
    if [ "$(cat "$GD_TMP/heard.txt")" = "$line" ]; then
        ok "$what"
    else
        fail "$what: a screen reader was told (+) instead of '$line':"
        sed 's/^/    + /' "$GD_TMP/heard.txt"
    fi
}
grab() { gd_atspi grab --role "push button" "$1" 2>"$GD_TMP/grab.err" || fail "could not give '$1' the focus: $(cat "$GD_TMP/grab.err")"; }

# question TITLE ANSWER: a message box comes up, and its ANSWER button is pressed through AT-SPI.
question() {
    local box
    if ! box=$(gd_wait_box "^$1\$" 15); then
        fail "no '$1' box within 15 s"
        return 1
    fi
    if gd_poll 10 gd_atspi press --role "push button" "$2" 2>/dev/null \
        && gd_poll 10 eval "! xwininfo -id '$box' 2>/dev/null | grep -q IsViewable"; then
        ok "the '$1' box came up and went with '$2', pressed through AT-SPI"
    else
        fail "the '$1' box did not go with '$2'"
        gd_answer_box "$box" Escape
    fi
}

gd_start_xvfb
gd_start_wm
gd_start_session_bus
gd_start_app
gd_wait_window
gd_wait_atspi 30

note "credits card"
gd_atspi find --role frame Glimmerdeck >/dev/null && ok "the window is announced as 'Glimmerdeck'" \
    || fail "no window 'Glimmerdeck' in the tree: $(gd_atspi dump 2>&1 | sed -n 2p)"
[ "$(xprop -id "$GD_WIN" WM_NAME 2>/dev/null | sed 's/.* = //')" = '"Form1"' ] \
    && ok "its caption on the task bar stays Form1" || fail "caption: $(xprop -id "$GD_WIN" WM_NAME)"
gd_poll 10 is_showing "$MIN" && gd_poll 10 is_showing "$CLOSE" \
    && ok "'_' and 'X' are the push buttons 'Minimise' and 'Close Glimmerdeck'" \
    || fail "no push buttons 'Minimise' and 'Close Glimmerdeck'"
gd_atspi find --regex '^[0-9]+$' --role "push button" >"$GD_TMP/counters.txt" 2>&1
status=$? # 1: nothing matches
[ "$status" -eq 1 ] && ok "the counter buttons beyond the window's edge are not in the tree" \
    || fail "counter buttons beyond the window's edge: find status $status (1 is none): $(tr '\n' ' ' <"$GD_TMP/counters.txt")"
not_showing "push button:Fade In Form" && ok "nor are the buttons of the shut menu" \
    || fail "the shut menu's buttons are in the tree, or it could not be read: $(head -n 3 "$GD_TMP/showing.txt")"
audit "credits card"

# Nothing has the focus at first; the first Tab goes to "_", whose focus then shows, and leaves
# it as it looked before when it moves on.
MIN_X=$(gd_px 11040) CLOSE_X=$(gd_px 11760) FRAME_W=$(gd_px 255) FRAME_H=$(gd_px 495)
gd_shot "$GD_TMP/unfocused.png"
gd_atspi tabwalk 1 >"$GD_TMP/walk.txt" 2>&1
[ "$(cat "$GD_TMP/walk.txt")" = "$MIN" ] && ok "the first Tab goes to '_'" \
    || fail "the first Tab went to: $(cat "$GD_TMP/walk.txt")"
sleep 0.3
gd_shot "$GD_TMP/focused.png"
gd_atspi tabwalk 1 >/dev/null 2>&1
sleep 0.3
gd_shot "$GD_TMP/moved-on.png"
[ "$(gd_pixels "$GD_TMP/focused.png" "$MIN_X" 0 "$FRAME_W" "$FRAME_H" differ "$GD_TMP/unfocused.png")" -gt 0 ] \
    && ok "the focus on '_' shows" || fail "'_' looks the same with the focus"
[ "$(gd_pixels "$GD_TMP/moved-on.png" "$MIN_X" 0 "$FRAME_W" "$FRAME_H" differ "$GD_TMP/unfocused.png")" -eq 0 ] \
    && [ "$(gd_pixels "$GD_TMP/moved-on.png" "$CLOSE_X" 0 "$FRAME_W" "$FRAME_H" differ "$GD_TMP/unfocused.png")" -gt 0 ] \
    && ok "and moves on to 'X', leaving '_' as it was" || fail "the focus did not show on 'X', or left a mark on '_'"
walk "credits card" "$(order "$MIN" "$CLOSE" "push button:Show Glimmerdeck" "push button:About" "push button:Exit")"

press "push button" About
question "About QUILLMOOR" OK
press "push button" "Close Glimmerdeck"
question EXIT No
gd_app_alive && ok "No to the exit question leaves the program running" || gd_abort "the program ended after No"
gd_atspi grab --role "push button" "Close Glimmerdeck" 2>/dev/null && xdotool key space
question EXIT No
press "push button" Minimise
if gd_poll 10 eval '[ "$(wm_state)" = Iconic ]'; then
    ok "'Minimise' minimised the window"
    xdotool windowactivate --sync "$GD_WIN" 2>/dev/null
    gd_poll 10 eval '[ "$(wm_state)" = Normal ]' || gd_abort "the window did not come back: $(wm_state)"
else
    fail "'Minimise' did not minimise the window: $(wm_state)"
fi

note "Show Glimmerdeck"
grab "Show Glimmerdeck"
hear "the space bar keeps the focus on the toggle, read out as 'Hide Glimmerdeck' when the slide ends" \
    "focus push button:Hide Glimmerdeck" space
gd_poll 20 toggle_ready "Hide Glimmerdeck" && gd_poll 5 is_showing "push button:Text Animation" \
    && ok "the menu slid open and its buttons came into the tree" || gd_abort "the menu did not open"

for i in "${!GD_HEADINGS[@]}"; do
    note "${menu_buttons[$i]}"
    grab "${menu_buttons[$i]}"
    hear "the space bar opens it, told by its heading while the focus stays" \
        "notification ${GD_HEADINGS[$i]}" space
    if ! gd_poll 15 is_showing "label:${GD_HEADINGS[$i]}"; then
        fail "the panel did not open"
        continue
    fi
    missing=$(while read -r demo; do
        [ -z "$demo" ] || grep -qxF "$demo" "$GD_TMP/showing.txt" || echo "$demo"
    done <<<"${demos[$i]}")
    [ -z "$missing" ] && ok "opened; its demonstration is named" || fail "unnamed or missing: ${missing//$'\n'/ | }"
    audit "${menu_buttons[$i]}"
    walk "${menu_buttons[$i]}" "${orders[$i]}"
    if [ "${menu_buttons[$i]}" = "Transition Box" ]; then
        press "push button" "Horizontal Transition"
        press "push button" "Vertical Transition"
        gd_poll 15 is_showing "animation:Horizontally sliding box" \
            && gd_poll 15 is_showing "animation:Vertically sliding box" \
            && ok "the transition buttons slide both boxes into sight and into the tree" \
            || fail "the sliding boxes did not come into the tree"
        press "push button" Reset
        gd_poll 10 not_showing "animation:Horizontally sliding box" \
            && gd_poll 10 not_showing "animation:Vertically sliding box" \
            && ok "'Reset' puts them out of sight and out of the tree again" \
            || fail "the sliding boxes stayed in the tree after 'Reset'"
    fi
    grab Close
    hear "'Close' hands the focus back to '${menu_buttons[$i]}'" "focus push button:${menu_buttons[$i]}" space
    gd_poll 10 not_showing "label:${GD_HEADINGS[$i]}" && ok "'Close' closed it" || fail "'Close' did not close it"
done

note "Hide Glimmerdeck"
# The last panel: Qt alone would move the focus from its "Close" to "_", the next Tab stop.
press "push button" "${menu_buttons[5]}"
gd_poll 15 is_showing "label:${GD_HEADINGS[5]}" || fail "'${menu_buttons[5]}' pressed did not open its panel"
grab Close
hear "pressed with the focus in an open panel: the panel shuts with the menu and hands the focus to the toggle" \
    "focus push button:Show Glimmerdeck" --press "Hide Glimmerdeck"
gd_poll 20 toggle_ready "Show Glimmerdeck" && gd_poll 5 not_showing "push button:Text Animation" \
    && ok "the menu slid shut and its buttons left the tree" || fail "the menu did not shut"

gd_finish
