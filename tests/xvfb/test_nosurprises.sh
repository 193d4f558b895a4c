#!/usr/bin/env bash
# Nothing leaves the machine and nothing is written: the program is used for a few seconds
# under strace (every panel opened, the About box, Exit and Yes), and the trace may show no
# socket but the X display's local one, no connection elsewhere, no file opened for writing
# outside the runtime folder, and no other program started.
#
# Usage: test_nosurprises.sh <built glimmerdeck>
set -uo pipefail
source "$(dirname "$0")/lib.sh"

gd_begin test_nosurprises "${1:-}"
gd_require strace

# Folders of its own for everything a library might want to keep, so that any write is seen and
# none depends on the state of the user's home.
export XDG_RUNTIME_DIR="$GD_TMP/runtime" XDG_CACHE_HOME="$GD_TMP/cache" HOME="$GD_TMP/home"
export XDG_CONFIG_HOME="$GD_TMP/home/.config" XDG_DATA_HOME="$GD_TMP/home/.local/share"
mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$XDG_CACHE_HOME" "$HOME"
export DBUS_SESSION_BUS_ADDRESS=disabled:
# LeakSanitizer stops the world with ptrace, which it cannot do under strace.
if gd_sanitized; then
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
fi

gd_start_xvfb
trace="$GD_TMP/trace"
(cd "$GD_TMP" && exec strace -f -qq -o "$trace" \
    -e trace=socket,connect,bind,open,openat,openat2,creat,execve "$GD_APP") >"$GD_TMP/app.log" 2>&1 &
GD_APP_PID=$!
gd_wait_window 60

# Use it: every panel painted once, the hover button, the About box, then Exit and Yes.
gd_open_menu
for i in 0 1 2 3 4 5; do
    gd_click "$GD_TOGGLE_X" "$(gd_menu_button_y "$i")"
    sleep 0.3
done
gd_click "$GD_TOGGLE_X" "$(gd_menu_button_y 2)" # "Image and Label Buttons", then over its label button
gd_move $(($(gd_px 8040) + 10)) $(($(gd_px 6120) + 10))
sleep 0.3
gd_click "$(gd_px 1207)" "$(gd_px 7087)"                             # About
if id=$(gd_wait_box '^About QUILLMOOR$' 20); then
    gd_answer_box "$id" Escape || fail "the About box did not close"
else
    fail "'About' showed no box"
fi
gd_click "$(gd_px 1207)" "$(gd_px 7927)" # Exit
if id=$(gd_wait_box '^EXIT$' 20); then
    gd_answer_box "$id" alt+y
    if gd_wait_app_exit 30; then
        [ "$GD_APP_STATUS" -eq 0 ] && ok "ended with status 0 after Exit, Yes" || fail "exit status $GD_APP_STATUS"
    else
        fail "the program did not end within 30 s of Yes"
    fi
else
    fail "'Exit' showed no question"
fi
note "traced run: ${SECONDS} s, $(wc -l <"$trace") calls"

"$GD_PYTHON" - "$trace" "${DISPLAY#:}" "$XDG_RUNTIME_DIR" "$XDG_CACHE_HOME" "$GD_APP" <<'EOF'
import re, sys
trace, display, runtime, cache, app = sys.argv[1:6]
display = display.split(".")[0]
x_socket = "/tmp/.X11-unix/X" + display
bad = []
x_connected = False
cache_writes = set()
execs = []
for line in open(trace, errors="replace"):
    call = re.match(r"\d+\s+(\w+)\(", line)
    if not call:
        continue
    name = call.group(1)
    if name == "socket":
        if not line.split("(", 1)[1].startswith("AF_UNIX"):
            bad.append("socket other than a local one: " + line.strip())
    elif name in ("connect", "bind"):
        path = re.search(r'sun_path=@?"([^"]*)"', line)
        if name == "connect" and path and path.group(1) == x_socket:
            x_connected = x_connected or line.rstrip().endswith("= 0")
        else:
            bad.append(name + " to something but the display: " + line.strip())
    elif name == "execve":
        execs.append(line.strip())
    elif name in ("open", "openat", "openat2", "creat"):
        writing = name == "creat" or re.search(r"O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND", line)
        if not writing:
            continue
        path = re.search(r'"([^"]*)"', line).group(1)
        if path.startswith(runtime + "/"):
            continue
        # fontconfig refreshes its own cache of the font folders when the system's is stale;
        # that is the font library's housekeeping, not the program keeping anything.
        if path.startswith(cache + "/fontconfig/"):
            cache_writes.add(path)
            continue
        bad.append("opened for writing: " + line.strip())
failures = 0
def check(good, text):
    global failures
    print(("  ok: " if good else "  not ok: ") + text)
    failures += 0 if good else 1
check(x_connected, "connected to the display's local socket " + x_socket)
check(not bad, "no other socket, connection or write" + "".join("\n      " + b for b in bad[:20]))
started = [e for e in execs if not e.split("(", 1)[1].startswith('"' + app + '"')]
check(len(execs) == 1 and not started, "no other program started" + "".join("\n      " + e for e in started[:10]))
if cache_writes:
    print("# fontconfig wrote its cache: " + ", ".join(sorted(cache_writes)))
sys.exit(1 if failures else 0)
EOF
[ $? -eq 0 ] || GD_FAILURES=$((GD_FAILURES + 1))
gd_finish
