#!/usr/bin/env bash
# in_locale.sh LOCALE PROGRAM [ARGS...]: runs PROGRAM with LC_ALL=LOCALE, or skips (status 77)
# when that locale has not been generated (scripts/setup.sh generates it); under
# GLIMMERDECK_NO_SKIP, as make test runs, that fails instead.
set -uo pipefail
want=$1
shift
all=$(locale -a 2>/dev/null)
norm() { tr '[:upper:]' '[:lower:]' | sed 's/utf-8/utf8/'; }
if ! grep -qx "$(norm <<<"$want")" < <(norm <<<"$all"); then
    why="the locale $want is not installed (localedef -i ${want%%.*} -f UTF-8 $want)"
    [ -n "${GLIMMERDECK_NO_SKIP:-}" ] && echo "FAIL: $why (no skipping under GLIMMERDECK_NO_SKIP)" && exit 1
    echo "SKIP: $why"
    exit 77
fi
LC_ALL=$want exec "$@"
