#!/usr/bin/env bash
# Three demonstrations seen on the screen: the label button "LOGIN" turns yellow (and its caption
# larger and bold) under the pointer and red again over the black area around it; the two
# transition buttons slide their boxes into the stage Picture14, each ending at its place; the
# spinning picture's sources keep their picture while the coin is drawn from them.
#
# Usage: test_effects.sh <built glimmerdeck or glimmerdeck.exe>
set -uo pipefail
source "$(dirname "$0")/lib.sh"
gd_begin test_effects "${1:-}"

# Window pixels of the panels' client area (inside the 2-pixel sunken border).
panel_x=$(($(gd_px 2520) + 2)) panel_y=$(($(gd_px 840) + 2))
# Picture7 (flat 1-pixel border) and lblButton inside it.
demo_x=$((panel_x + $(gd_px 840) + 1)) demo_y=$((panel_y + $(gd_px 4080) + 1))
button=("$((demo_x + $(gd_px 4680)))" "$((demo_y + $(gd_px 1200)))" "$(gd_px 2295)" "$(gd_px 375)")
button_centre=("$((button[0] + button[2] / 2))" "$((button[1] + button[3] / 2))")
black_spot=("$((demo_x + 250))" "$((demo_y + 60))") # between the image button and lblButton
# The stage Picture14 inside its flat border, and the columns the two boxes end in.
stage=("$((panel_x + $(gd_px 2520) + 1))" "$((panel_y + $(gd_px 4680) + 1))" "$(($(gd_px 4695) - 2))" "$(($(gd_px 2535) - 2))")
h_box=("${stage[0]}" "${stage[1]}" "$(gd_px 1095)" "${stage[3]}")
v_box=("$((stage[0] + $(gd_px 3600)))" "${stage[1]}" "$((stage[2] - $(gd_px 3600)))" "${stage[3]}")
between=("$((h_box[0] + h_box[2] + 4))" "${stage[1]}" "$((v_box[0] - h_box[0] - h_box[2] - 8))" "${stage[3]}")
# How much wider than the resting caption, scaled to the same height, the bold one must be, in
# per cent. Qt places the glyphs at their designed advances: bold Tahoma is 15 % wider than the
# regular face, against up to 4 % from rounding, so 110. Windows draws Tahoma at the resting
# 16 pixels hinted to whole pixels and without smoothing, as the font asks at that size, which
# makes LOGIN 46 pixels wide where Qt's is 43; scaled from there, the regular face at the hover
# size would come out at 98 to 100 % (FreeType's hinting of the same face says so) and the bold
# one comes out at 110 %, so 105 under Wine.
bold_over=110
[ -n "$GD_WINE" ] && bold_over=105


gd_start_xvfb
gd_start_app
gd_wait_window
gd_open_menu

note "label button"
gd_click "$GD_TOGGLE_X" "$(gd_menu_button_y 2)"
resting() { snap && [ "$(share "${button[@]}" red)" -ge 60 ] && [ "$(share "${button[@]}" yellow)" -eq 0 ]; }
if gd_poll 15 resting; then
    ok "'LOGIN' shown red at rest"
    read -r rest_h rest_w < <(share "${button[@]}" ink)
else
    gd_abort "no red 'LOGIN' button within 15 s of opening 'Image and Label Buttons'"
fi
snap
[ "$(share "${black_spot[@]}" 4 4 black)" -eq 100 ] || gd_abort "the spot chosen on Picture7 is not black"

gd_move "${button_centre[@]}"
hover() { snap && [ "$(share "${button[@]}" yellow)" -ge 60 ]; }
if gd_poll 10 hover; then
    ok "yellow under the pointer ($(share "${button[@]}" yellow) % of the button)"
    # At 14 points against 12 the capitals are two pixels taller. The bold face shows in the
    # width (bold_over).
    read -r h w < <(share "${button[@]}" ink)
    [ "$h" -ge $((rest_h + 2)) ] && ok "caption larger: ink $rest_h -> $h pixels high" \
        || fail "caption no larger under the pointer: ink $rest_h -> $h pixels high"
    [ $((w * rest_h * 100)) -ge $((rest_w * h * bold_over)) ] && ok "and bold: $rest_w -> $w pixels wide" \
        || fail "caption not bold under the pointer: $rest_w -> $w pixels wide, $h high"
else
    fail "not yellow under the pointer: $(share "${button[@]}" yellow) % yellow, $(share "${button[@]}" red) % red"
fi

gd_move "${black_spot[@]}"
if gd_poll 10 resting; then
    ok "red again over the black area"
    back=$(share "${button[@]}" ink)
    [ "$back" = "$rest_h $rest_w" ] && ok "caption back to its resting size" \
        || fail "caption not back to rest: ink $back pixels (height, width), not $rest_h $rest_w"
else
    fail "not red again over the black area: $(share "${button[@]}" yellow) % yellow"
fi

note "transition boxes"
demo_shot=$last
gd_click "$GD_TOGGLE_X" "$(gd_menu_button_y 4)"
stage_shown() { snap && [ "$(share "${stage[@]}" differ "$demo_shot")" -ge 50 ]; }
gd_poll 15 stage_shown || gd_abort "the 'Transition Box' stage was not shown within 15 s"
sleep 0.3
snap
before=$last
ok "'Transition Box' panel shown"

clicked=$(gd_now)
gd_click "$((panel_x + $(gd_px 240) + $(gd_px 2175) / 2))" "$((panel_y + $(gd_px 4680) + $(gd_px 495) / 2))"
gd_click "$((panel_x + $(gd_px 7320) + $(gd_px 2175) / 2))" "$((panel_y + $(gd_px 4680) + $(gd_px 495) / 2))"
# Done when the stage has changed and then holds still for a moment.
previous=$before
settled() {
    sleep 0.3
    snap || return 1
    local moving
    moving=$(share "${stage[@]}" differ "$previous")
    previous=$last
    [ "$moving" -eq 0 ] && [ "$(share "${stage[@]}" differ "$before")" -gt 0 ]
}
if gd_poll 20 settled; then
    ok "the stage settled $(gd_since "$clicked") s after the clicks"
else
    fail "the stage did not settle within 20 s of the clicks"
fi
h=$(share "${h_box[@]}" differ "$before")
v=$(share "${v_box[@]}" differ "$before")
m=$(share "${between[@]}" differ "$before")
[ "$h" -ge 50 ] && ok "the horizontal box fills the stage's left edge ($h % changed)" \
    || fail "the stage's left edge changed by $h % only"
[ "$v" -ge 50 ] && ok "the vertical box fills its column up to the top ($v % changed)" \
    || fail "the vertical box's column changed by $v % only"
[ "$m" -le 2 ] && ok "the stage between them shows its own picture still ($m % changed)" \
    || fail "the stage between the boxes changed by $m %"

note "spinning picture"
# The sources Picture9 and Picture10 keep showing their picture while the coin is drawn from
# them, inside their 2-pixel borders: a surface drawn on must not lose what it shows.
sources=("$((panel_x + $(gd_px 1080) + 4))" "$((panel_x + $(gd_px 3000) + 4))")
source_y=$((panel_y + $(gd_px 5880) + 4)) source_side=$(($(gd_px 855) - 8))
gd_click "$GD_TOGGLE_X" "$(gd_menu_button_y 3)"
sources_shown() {
    snap || return 1
    local x
    for x in "${sources[@]}"; do
        [ "$(share "$x" "$source_y" "$source_side" "$source_side" yellow)" -ge 5 ] || return 1
    done
}
# Some spinning first: the coin's steps draw from the sources' surfaces every 50 ms.
sleep 1
gd_poll 10 sources_shown && ok "both sources show their picture while the coin turns" \
    || fail "a source lost its picture: $(share "${sources[0]}" "$source_y" "$source_side" "$source_side" yellow) % and $(share "${sources[1]}" "$source_y" "$source_side" "$source_side" yellow) % yellow"

gd_finish
