#!/usr/bin/env bash
# smoke.sh PATTERN PROGRAM [ARGS...]: runs PROGRAM and passes its output on; succeeds only when it
# ends with status 0 and printed a line matching PATTERN (grep -E). ctest's PASS_REGULAR_EXPRESSION
# alone ignores the status: a crash at exit, or a sanitizer's report, would pass.
set -uo pipefail
pattern=$1
shift
out=$("$@" 2>&1)
status=$?
printf '%s\n' "$out"
[ "$status" -eq 0 ] || { echo "FAIL: exit status $status"; exit 1; }
grep -qE -- "$pattern" <<<"$out" || { echo "FAIL: nothing printed matches '$pattern'"; exit 1; }
