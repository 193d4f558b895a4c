#!/usr/bin/env bash
# The program in a comma-decimal locale (LC_ALL=de_DE.UTF-8, as for most of Europe and Latin
# America), where the C library writes 3,5 for 3.5: the readouts still read as everywhere else
# ("Screen Resolution: 1280 x 1024", "UP: 0:0:2", a whole number of bytes), the fade ends at
# 250/255 and the menu slides fully open, since the counters and positions go through text. Under
# Wine the locale is the Windows program's too (Wine takes the user's locale from LC_ALL), but its
# readouts, read through the accessibility tree, cannot be read there.
#
# Usage: test_locale.sh <built glimmerdeck or glimmerdeck.exe>
set -uo pipefail
source "$(dirname "$0")/lib.sh"
gd_begin test_locale "${1:-}"
LOCALE=de_DE.UTF-8
locales=$(locale -a 2>/dev/null)
grep -qix 'de_DE.utf-\?8' <<<"$locales" \
    || gd_skip "the locale $LOCALE is not installed (localedef -i de_DE -f UTF-8 $LOCALE)"

gd_start_xvfb
gd_start_session_bus
GD_APP_WRAP=(env LC_ALL="$LOCALE")
gd_start_app
gd_wait_window
[ -n "$GD_WINE" ] || gd_wait_atspi
NO_ATSPI="read through the accessibility tree (AT-SPI), which Wine's windows are not on"

note "readouts under $LOCALE"
if gd_linux_only "the screen resolution's words are $NO_ATSPI"; then
    label=$(gd_atspi find --prefix "Screen Resolution: " 2>&1 | head -n 1)
    [ "$label" = "Screen Resolution: 1280 x 1024" ] && ok "'$label'" || fail "resolution reads '$label'"
fi
if gd_linux_only "the uptime's words are $NO_ATSPI"; then
    gd_poll 10 eval '[ -n "$(gd_atspi find --regex "^UP: 0:0:[2-9]$" 2>/dev/null)" ]' \
        && ok "uptime reads '$(gd_atspi find --prefix "UP: " 2>/dev/null | head -n 1)'" \
        || fail "uptime reads '$(gd_atspi find --prefix "UP: " 2>&1 | head -n 1)'"
fi
if gd_linux_only "the memory figure's words are $NO_ATSPI"; then
    label=$(gd_atspi find --prefix "Available Physical Memory: " 2>&1 | head -n 1)
    [[ "${label#Available Physical Memory: }" =~ ^[0-9]+$ ]] && ok "'$label'" || fail "memory reads '$label'"
fi

note "fade and menu under $LOCALE"
gd_poll 10 eval '[ "$(gd_opacity)" = 4210752250 ]' && ok "faded in to 250/255" \
    || fail "opacity is '$(gd_opacity)', not 250/255"
gd_open_menu
ok "the menu slid open to its last button"
gd_app_alive && ok "still running" || fail "the program ended"

gd_finish
