#!/usr/bin/env bash
# The window's texts under the palettes that desktops hand a Qt program: none (Qt's own), GNOME's
# light and dark through the GTK platform theme (Debian's libqt6gui6 recommends it, so every GNOME
# desktop has it), and qt6ct's "darker" scheme. Each text measured in the pixels (the credits
# card, the six menu buttons, About and Exit, a panel heading, a code listing) keeps at least the
# contrast it has without a theme, or WCAG AA's 4.5:1 where that is lower. The About box, a
# window of the desktop's own, shows that each palette did reach the program.
#
# Usage: test_palettes.sh <built glimmerdeck>
set -uo pipefail
source "$(dirname "$0")/../xvfb/lib.sh"
gd_begin test_palettes "${1:-}"
gd_require '/usr/lib/*/qt6/plugins/platformthemes/libqgtk3.so' \
    '/usr/lib/*/qt6/plugins/platformthemes/libqt6ct.so' /usr/share/qt6ct/colors/darker.conf

mkdir -p "$GD_TMP/config/qt6ct"
printf '[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\ncustom_palette=true\n' \
    >"$GD_TMP/config/qt6ct/qt6ct.conf"
PALETTES=("no theme" "GNOME light" "GNOME dark" "qt6ct darker")
declare -A ENV_OF=(
    ["no theme"]=""
    ["GNOME light"]="XDG_CURRENT_DESKTOP=GNOME QT_QPA_PLATFORMTHEME=gtk3"
    ["GNOME dark"]="XDG_CURRENT_DESKTOP=GNOME QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark"
    ["qt6ct darker"]="QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME=$GD_TMP/config"
)
declare -A DARK_BOX=(["no theme"]=0 ["GNOME light"]=0 ["GNOME dark"]=1 ["qt6ct darker"]=1)

# The texts, each a rectangle of window pixels inside its control: on the first screen, then with
# the menu and the "Fade In Form" panel open.
FIRST_NAMES=(credits About Exit)
FIRST=(335 155 275 100  13 453 135 39  13 509 135 39)
PANEL_NAMES=("Fade In Form" "Fading Caption" "Image and Label Buttons" "Spinning Image"
    "Transition Box" "Text Animation" heading listing)
PANEL=()
for i in 0 1 2 3 4 5; do PANEL+=(13 $(($(gd_menu_button_y "$i") - 19)) 135 38); done
PANEL+=(188 59 400 22  190 150 560 140)

# settled FILE SHOOT MEASURE ARGS...: takes a screenshot with SHOOT FILE until MEASURE FILE ARGS
# gives the same figures twice running, half a second apart (a MEASURE that fails has none yet).
# A window just mapped or a panel just shown may not be painted whole yet, the more so under the
# sanitizers on a busy machine.
settled() {
    local file=$1 shoot=$2 measure=$3 last="" now
    shift 3
    for _ in $(seq 40); do
        "$shoot" "$file" || return 1
        now=$("$measure" "$file" "$@") || now=""
        [ -n "$now" ] && [ "$now" = "$last" ] && return 0
        last=$now
        sleep 0.5
    done
    return 1
}
shot_box() { import -window "$box" "$1"; }
panel_figures() { [ "$(gd_pixels "$1" 188 59 300 22 red)" -ge 5 ] && gd_contrast "$1" "${PANEL[@]}"; }

gd_start_xvfb
declare -A DESIGNED
for palette in "${PALETTES[@]}"; do
    note "$palette"
    tag=${palette// /-}
    # shellcheck disable=SC2206 # the words of the environment are meant to split
    GD_APP_WRAP=(env -u QT_QPA_PLATFORMTHEME -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u GTK_THEME
        -u KDE_FULL_SESSION -u GNOME_DESKTOP_SESSION_ID ${ENV_OF[$palette]})
    gd_start_app
    gd_wait_window 30
    settled "$GD_TMP/$tag-first.png" gd_shot gd_contrast "${FIRST[@]}" \
        || gd_abort "the first screen did not settle within 20 s"

    gd_click "$(gd_px 1200)" "$(gd_px 7080)" # About
    if box=$(gd_wait_box '^About QUILLMOOR$' 20); then
        read -r bw bh < <(gd_size "$box")
        settled "$GD_TMP/$tag-about.png" shot_box gd_pixels 0 0 "$bw" "$bh" dark \
            || gd_abort "the About box did not settle within 20 s"
        dark=$(gd_pixels "$GD_TMP/$tag-about.png" 0 0 "$bw" "$bh" dark)
        [ $((dark > 50)) = "${DARK_BOX[$palette]}" ] && ok "the About box follows the desktop ($dark % dark)" \
            || fail "the About box is $dark % dark: the palette did not reach the program"
        gd_answer_box "$box" Return || fail "the About box did not close"
    else
        fail "no About box"
    fi

    gd_open_menu
    gd_click "$GD_TOGGLE_X" "$(gd_menu_button_y 0)"
    settled "$GD_TMP/$tag-panel.png" gd_shot panel_figures \
        || gd_abort "the 'Fade In Form' panel was not shown whole within 20 s"
    gd_stop "$GD_APP_PID"
    GD_APP_PID=""

    # shellcheck disable=SC2207 # one figure a word
    figures=($(gd_contrast "$GD_TMP/$tag-first.png" "${FIRST[@]}") $(gd_contrast "$GD_TMP/$tag-panel.png" "${PANEL[@]}"))
    names=("${FIRST_NAMES[@]}" "${PANEL_NAMES[@]}")
    [ ${#figures[@]} -eq ${#names[@]} ] || gd_abort "measured ${#figures[@]} texts, not ${#names[@]}"
    low=""
    for i in "${!names[@]}"; do
        name=${names[i]} got=${figures[i]}
        if [ "$palette" = "no theme" ]; then
            DESIGNED[$name]=$got
        elif ! awk -v g="$got" -v d="${DESIGNED[$name]}" 'BEGIN { exit !(g >= (d < 4.5 ? d : 4.5)) }'; then
            low+=" $name $got:1 (${DESIGNED[$name]}:1 without a theme);"
        fi
    done
    summary=$(for i in "${!names[@]}"; do printf '%s %s, ' "${names[i]}" "${figures[i]}"; done)
    [ -z "$low" ] && ok "contrast: ${summary%, }" || fail "too little contrast:$low all: ${summary%, }"
    if [ -n "${GLIMMERDECK_BUILD_DIR:-}" ]; then
        mkdir -p "$GLIMMERDECK_BUILD_DIR/screenshots"
        cp "$GD_TMP/$tag-first.png" "$GD_TMP/$tag-panel.png" "$GLIMMERDECK_BUILD_DIR/screenshots/"
    fi
done

gd_finish
