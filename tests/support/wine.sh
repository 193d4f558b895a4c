#!/usr/bin/env bash
# Runs a Windows program under Wine, for ctest (the Windows build's CMAKE_CROSSCOMPILING_EMULATOR):
#
#   wine.sh PROGRAM.exe [ARGUMENT...]    runs it in a Wine prefix of its own; its exit status is
#                                        this script's
#   wine.sh --make-template DIR          makes the template prefix DIR/template (ctest's fixture)
#   wine.sh --remove-template DIR        removes it again
#
# The program's prefix is a copy of the template when GLIMMERDECK_WINE_DIR names the folder that
# holds one, else made afresh (some 12 seconds). Each run has its own prefix, so tests side by
# side share no wineserver and none sees what another left in the registry; the prefix's
# processes are ended and the prefix removed when the program ends.
#
# Without Wine this says so in one line and exits with 77, which ctest reports as skipped;
# GLIMMERDECK_NO_SKIP=1 (make test-windows) makes that a failure.
set -uo pipefail

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" # no offer to install Mono or Gecko

skip() {
    if [ -n "${GLIMMERDECK_NO_SKIP:-}" ]; then
        echo "FAIL: wine.sh: $* (no skipping under GLIMMERDECK_NO_SKIP)" >&2
        exit 1
    fi
    echo "SKIP: wine.sh: $*" >&2
    exit 77
}

for tool in wine wineboot wineserver; do
    command -v "$tool" >/dev/null || skip "$tool is missing (Debian packages wine and wine64)"
done

# make_prefix DIR: a new prefix in DIR, left with no Wine process running in it. What Wine says
# meanwhile (that it made the prefix, that it has no 32-bit side) is shown only on failure.
#
# Debian's Wine 8 does not load the fonts of its own data folder (fonts-wine's Tahoma among
# them): a program asking for Tahoma gets Liberation Sans. Linked into the prefix's font folder,
# which Wine reads at every start, they are there as on Windows.
make_prefix() {
    local log font
    log=$(WINEPREFIX=$1 wineboot -i 2>&1 && WINEPREFIX=$1 wineserver -w 2>&1) || {
        echo "wine.sh: wineboot could not make a prefix in $1:" >&2
        echo "$log" >&2
        return 1
    }
    for font in /usr/share/wine/fonts/*.ttf; do
        [ -e "$font" ] && ln -sf "$font" "$1/drive_c/windows/Fonts/"
    done
    return 0
}

# A run's prefix lives beside the template, named after the process that made it, so that a
# run that was killed (a ctest timeout) leaves nothing the next template does not clear away.
remove_dead_runs() {
    local dir pid
    for dir in "$1"/run.*; do
        [ -d "$dir" ] || continue
        pid=${dir##*/run.}
        pid=${pid%%.*}
        kill -0 "$pid" 2>/dev/null && continue
        WINEPREFIX=$dir wineserver -k 2>/dev/null
        rm -rf "$dir"
    done
}

case "${1:-}" in
--make-template)
    [ $# -eq 2 ] || { echo "usage: wine.sh --make-template DIR" >&2; exit 2; }
    mkdir -p "$2" && remove_dead_runs "$2" && rm -rf "$2/template" || exit 1
    make_prefix "$2/template" || { rm -rf "$2/template"; exit 1; }
    exit 0
    ;;
--remove-template)
    [ $# -eq 2 ] || { echo "usage: wine.sh --remove-template DIR" >&2; exit 2; }
    WINEPREFIX=$2/template wineserver -k 2>/dev/null
    rm -rf "$2/template"
    exit 0
    ;;
"" | -*)
    echo "usage: wine.sh PROGRAM.exe [ARGUMENT...]" >&2
    exit 2
    ;;
esac

program=$1
shift
[ -f "$program" ] || { echo "wine.sh: no program $program" >&2; exit 2; }

template=${GLIMMERDECK_WINE_DIR:+$GLIMMERDECK_WINE_DIR/template}
if [ -n "$template" ] && [ -d "$template" ]; then
    prefix=$(mktemp -d "$GLIMMERDECK_WINE_DIR/run.$$.XXXXXX") || exit 1
else
    prefix=$(mktemp -d "${TMPDIR:-/tmp}/glimmerdeck-wine.$$.XXXXXX") || exit 1
    template=""
fi
cleanup() {
    WINEPREFIX=$prefix wineserver -k 2>/dev/null
    rm -rf "$prefix"
}
trap cleanup EXIT
trap 'exit 143' TERM
trap 'exit 130' INT
trap 'exit 129' HUP

if [ -n "$template" ]; then
    cp -a "$template/." "$prefix/" || exit 1
else
    make_prefix "$prefix" || exit 1
fi

# In the background, so that a signal to this script ends the run at once, through cleanup.
WINEPREFIX=$prefix wine "$program" "$@" &
wait $!
