#!/usr/bin/env bash
# Random clicks and pointer moves all over the real window, the way an impatient person would
# use it: every question to quit is answered No and the About box is closed. Afterwards the
# program must still be running and answering (its clock ticks, a screen reader can read it),
# and must end with status 0 on "Exit", then Yes.
#
# Usage: test_storm.sh <built glimmerdeck or glimmerdeck.exe>
#   GLIMMERDECK_STORM_CLICKS  number of random clicks and moves (500 unless told)
#   GLIMMERDECK_STORM_SEED    replays the same points (the timing of the program may differ)
set -uo pipefail
source "$(dirname "$0")/lib.sh"

gd_begin test_storm "${1:-}"
gd_require dbus-daemon /usr/libexec/at-spi-bus-launcher pyatspi # the accessibility tree
events=${GLIMMERDECK_STORM_CLICKS:-500}
seed=${GLIMMERDECK_STORM_SEED:-$(od -An -N2 -tu2 /dev/urandom | tr -d ' ')}
RANDOM=$seed
note "storm: $events clicks and moves, seed $seed (replay: GLIMMERDECK_STORM_SEED=$seed)"

# Where a click raises a message box, in window pixels (x0 y0 x1 y1): "X", "About", "Exit".
box_raisers=(
    "$(gd_px 11760) 0 $(gd_px 12015) $(gd_px 495)"
    "$(gd_px 120) $(gd_px 6720) $(gd_px 2295) $(gd_px 7455)"
    "$(gd_px 120) $(gd_px 7560) $(gd_px 2295) $(gd_px 8295)"
)
# in_any X Y SLACK RECTANGLE...: whether X Y lies in one of the rectangles (x0 y0 x1 y1), widened
# by SLACK pixels.
in_any() {
    local r x0 y0 x1 y1 x=$1 y=$2 s=$3
    shift 3
    for r in "$@"; do
        read -r x0 y0 x1 y1 <<<"$r"
        if [ "$x" -ge $((x0 - s)) ] && [ "$x" -le $((x1 + s)) ] && [ "$y" -ge $((y0 - s)) ] && [ "$y" -le $((y1 + s)) ]; then
            return 0
        fi
    done
    return 1
}
raises_box() { in_any "$1" "$2" "$3" "${box_raisers[@]}"; } # raises_box X Y SLACK
# Under Wine "_" minimises the window to a window manager that is not there: Wine takes the window
# for minimised while X still shows it, nothing can restore it, and every later click would find a
# window that takes none. So under Wine the storm's points avoid "_".
minimiser="$(gd_px 11040) 0 $(gd_px 11295) $(gd_px 495)"

questions=0 abouts=0 reports=0 sure=0
# close_boxes SECONDS: waits up to SECONDS for a message box and answers every one shown.
close_boxes() {
    local limit=$1 id name
    while id=$(gd_wait_box '^(EXIT|About QUILLMOOR|Glimmerdeck)$' "$limit"); do
        name=$(xdotool getwindowname "$id" 2>/dev/null)
        case "$name" in
        EXIT)
            questions=$((questions + 1))
            gd_answer_box "$id" alt+n || fail "the question to quit did not go away on No"
            ;;
        "About QUILLMOOR")
            abouts=$((abouts + 1))
            gd_answer_box "$id" Escape || fail "the About box did not close on Escape"
            ;;
        *)
            # Anything else titled with the program's name is an error report.
            reports=$((reports + 1))
            fail "a message box '$name' appeared: $(gd_atspi find --regex 'error' 2>/dev/null | head -n 3)"
            gd_answer_box "$id" Return
            ;;
        esac
        limit=0
    done
}

gd_start_xvfb
gd_start_session_bus
gd_start_app
gd_wait_window
if gd_linux_only "the window on the accessibility bus: Wine's windows are not on AT-SPI"; then
    gd_wait_atspi
    ok "the window is up and on the accessibility bus"
fi

# The events go out in batches, one xdotool run each (starting xdotool costs more than the
# events themselves). A batch ends early at a click that raises a message box, so that no later
# click can land on the box.
log="$GD_TMP/events"
: >"$log"
batch=()
flush() {
    [ ${#batch[@]} -eq 0 ] && return
    xdotool "${batch[@]}" || fail "xdotool could not deliver events up to $n"
    batch=()
}
gd_linux_only "clicks on '_', which would leave the window minimised for good without a window manager"
for ((n = 1; n <= events; n++)); do
    x=$((RANDOM % GD_WIN_W))
    y=$((RANDOM % GD_WIN_H))
    while [ -n "$GD_WINE" ] && in_any "$x" "$y" 1 "$minimiser"; do
        x=$((RANDOM % GD_WIN_W))
        y=$((RANDOM % GD_WIN_H))
    done
    what=move
    ((RANDOM % 2)) && what=click
    echo "$n $what $x $y" >>"$log"
    batch+=(mousemove $((GD_WX + x)) $((GD_WY + y)))
    [ "$what" = click ] && batch+=(click --delay 0 1)
    batch+=(sleep 0.02)
    # A pixel of slack either side: what the edge pixel hits depends on rounding. A click 5
    # pixels inside (clear of the menu's lower edge, which may lie over About) must raise a box.
    if [ "$what" = click ] && raises_box "$x" "$y" 1; then
        flush
        raises_box "$x" "$y" -5 && sure=$((sure + 1))
        close_boxes 5
    fi
    if ((n % 25 == 0)); then
        flush
        close_boxes 0 # a box nobody expected: answer it before a click lands on it
        if ! gd_app_alive; then
            fail "the program ended during the storm, after event $n"
            tail -n 10 "$log"
            gd_finish
        fi
    fi
done
flush
close_boxes 1
note "storm done in ${SECONDS} s: $questions questions answered No, $abouts About boxes closed"
boxes=$((questions + abouts))
[ "$boxes" -ge "$sure" ] && ok "$boxes boxes for the $sure clicks well inside X, About or Exit" \
    || fail "only $boxes boxes came up for $sure clicks well inside X, About or Exit"
[ "$reports" -eq 0 ] && ok "no error report during the storm" || fail "$reports error report(s)"
gd_app_alive && ok "the program survived $events events" || gd_abort "the program ended during the storm"

# Still answering: the clock goes on, and a screen reader can still read the window. Under Wine,
# where no screen reader sees the window, the clock is watched on the screen.
if [ -n "$GD_WINE" ]; then
    gd_uptime_ticks && ok "the uptime cell still changes" || fail "the uptime cell stayed the same"
else
    first=$(gd_atspi find --regex '^UP: ' 2>&1 | head -n 1)
    if [[ "$first" == "UP: "* ]] && gd_poll 10 eval '[ "$(gd_atspi find --regex "^UP: " 2>/dev/null | head -n 1)" != "$first" ]'; then
        ok "the uptime label still changes (was '$first')"
    else
        fail "the uptime label stayed at '$first'"
    fi
fi
if gd_linux_only "the accessibility tree still read after the storm: Wine's windows are not on AT-SPI"; then
    gd_atspi find --role "push button" Exit >/dev/null && ok "the accessibility tree still reads" \
        || fail "the accessibility tree no longer reads"
fi

# Exit, then Yes: the program ends with status 0.
gd_click "$(gd_px 1207)" "$(gd_px 7927)"
if id=$(gd_wait_box '^EXIT$' 20); then
    gd_answer_box "$id" alt+y || fail "the question to quit did not go away on Yes"
    if gd_wait_app_exit 20; then
        [ "$GD_APP_STATUS" -eq 0 ] && ok "exit status 0 after Exit, Yes" || fail "exit status $GD_APP_STATUS"
    else
        fail "the program did not end within 20 s of Yes"
    fi
else
    fail "'Exit' showed no question"
fi
gd_finish
