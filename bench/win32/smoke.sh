#!/usr/bin/env bash
# smoke.sh PATTERN COMMAND...: runs COMMAND (a Windows program through Wine's runner) on an Xvfb of
# its own, through bench/smoke.sh: it succeeds only when the program ends with status 0 and
# printed a line matching PATTERN. Without Xvfb or Wine it says so and exits with 77, which ctest
# reports as skipped; GLIMMERDECK_NO_SKIP=1 makes that a failure.
set -uo pipefail

for tool in Xvfb wine; do
    if ! command -v "$tool" >/dev/null; then
        [ -n "${GLIMMERDECK_NO_SKIP:-}" ] && { echo "FAIL: $tool is missing"; exit 1; }
        echo "SKIP: $tool is missing"
        exit 77
    fi
done

# Xvfb picks a free display and writes its number down the pipe once it is ready.
scratch=$(mktemp -d) || exit 1
mkfifo "$scratch/display" || exit 1
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$scratch"' EXIT
read -r -t 30 number <"$scratch/display" || { echo "FAIL: Xvfb did not start"; exit 1; }
DISPLAY=:$number bash "$(dirname "${BASH_SOURCE[0]}")/../smoke.sh" "$@"
