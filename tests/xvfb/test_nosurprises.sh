#!/usr/bin/env bash
# Nothing leaves the machine and nothing is written: the program is used for a few seconds
# under strace (every panel opened, the About box, Exit and Yes), and the trace may show no
# socket but the X display's local one, no connection elsewhere, no file opened for writing
# outside the runtime folder, and no other program started.
#
# Under Wine the Windows program runs in a process of its own beside Wine's: its server, which
# keeps the prefix's registry and writes it there, and the services Wine starts for every program
# (wineboot, services.exe, explorer.exe and the rest). The program's own process is held to all of
# the above, Wine's own socket and the C library's name-service cache allowed; of the whole run,
# no connection but a local one, nothing written outside the run's own prefix (which wine.sh
# removes) and Wine's server folder, and no program started but Wine's own.
#
# Usage: test_nosurprises.sh <built glimmerdeck or glimmerdeck.exe>
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
# Forks and clones too, to tell Wine's processes from the program's threads; whole arguments, to
# tell the programs started.
(cd "$GD_TMP" && exec strace -f -qq -s 1024 -o "$trace" \
    -e trace=socket,connect,bind,open,openat,openat2,creat,execve,clone,clone3,fork,vfork \
    "${GD_RUN[@]}") >"$GD_TMP/app.log" 2>&1 &
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
gd_linux_only "the registry: what the program might write there goes through Wine's server, which" \
    "keeps the prefix's registry together with Wine's own settings, so no trace tells it apart"

"$GD_PYTHON" - "$trace" "${DISPLAY#:}" "$XDG_RUNTIME_DIR" "$XDG_CACHE_HOME" "$GD_APP" \
    "${GD_WINE:+$GLIMMERDECK_WINE_DIR}" <<'EOF'
import os, re, sys
trace, display, runtime, cache, app, wine_dir = sys.argv[1:7]
display = display.split(".")[0]
x_socket = "/tmp/.X11-unix/X" + display
lines = [l for l in open(trace, errors="replace") if re.match(r"\d+\s+(\w+)\(", l)
         or re.match(r"\d+\s+<\.\.\. \w+ resumed>", l)]

# Each line's process: a clone with CLONE_THREAD makes a thread of its caller's process, any
# other clone or fork a process of its own, which runs what its parent ran until its own execve
# (strace numbers the lines by thread). `name` holds what a process runs: the program and its
# arguments, as strace writes them.
process, cloning, name = {}, {}, {}
def owner(line):
    tid = int(line.split()[0])
    return process.get(tid, tid)
def unquoted(text):
    return re.sub(r"\\(.)", r"\1", text)
for line in lines:
    tid = int(line.split()[0])
    m = re.match(r'\d+\s+execve\("([^"]*)", \[(.*?)\]', line)
    if m and not re.search(r"= -1 ", line):
        name[owner(line)] = [m.group(1)] + [unquoted(a) for a in re.findall(r'"((?:[^"\\]|\\.)*)"', m.group(2))]
        continue
    m = re.match(r"\d+\s+(?:clone3?|v?fork)\((.*?)(?:<unfinished \.\.\.>|\)\s+= (\d+))", line)
    if m and not m.group(2):
        cloning[tid] = "CLONE_THREAD" in m.group(1)
        continue
    if m:
        thread, child = "CLONE_THREAD" in m.group(1), int(m.group(2))
    else:
        m = re.match(r"\d+\s+<\.\.\. (?:clone3?|v?fork) resumed>.*= (\d+)", line)
        if not m:
            continue
        thread, child = cloning.pop(tid, False), int(m.group(1))
    process[child] = owner(line) if thread else child
    if not thread:
        name[child] = name.get(owner(line))

wine = bool(wine_dir)
if wine:
    # The Windows program's process: Wine's loader given the .exe.
    own = {p for p, n in name.items() if n and n[0].startswith("/usr/lib/wine/") and app in n[2:]}
else:
    own = None # every line is the program's
mine = [l for l in lines if own is None or owner(l) in own]
# Under Wine the program talks to Wine's server through its socket (in the server's folder, which
# Wine connects to from there), and the C library asks its name-service cache for the user's name.
allowed = {x_socket} | ({"socket", "/var/run/nscd/socket"} if wine else set())

bad = []
x_connected = False
cache_writes = set()
execs = []
for line in mine:
    call = re.match(r"\d+\s+(\w+)\(", line)
    if not call:
        continue
    what = call.group(1)
    if what == "socket":
        if not line.split("(", 1)[1].startswith("AF_UNIX"):
            bad.append("socket other than a local one: " + line.strip())
    elif what in ("connect", "bind"):
        path = re.search(r'sun_path=@?"([^"]*)"', line)
        if what == "connect" and path and path.group(1) in allowed:
            if path.group(1) == x_socket:
                x_connected = x_connected or line.rstrip().endswith("= 0")
        else:
            bad.append(what + " to something but the display: " + line.strip())
    elif what == "execve":
        execs.append(line.strip())
    elif what in ("open", "openat", "openat2", "creat"):
        writing = what == "creat" or re.search(r"O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND", line)
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
if wine:
    check(bool(own), "found the Windows program's own process")
check(x_connected, "connected to the display's local socket " + x_socket)
check(not bad, "no other socket, connection or write" + "".join("\n      " + b for b in bad[:20]))
if not wine:
    started = [e for e in execs if not e.split("(", 1)[1].startswith('"' + app + '"')]
    check(len(execs) == 1 and not started, "no other program started" + "".join("\n      " + e for e in started[:10]))
else:
    # The whole run: the runner, wine.sh (which copies the template into the run's prefix and
    # removes it afterwards), and Wine's own processes too.
    runner = {"/usr/bin/bash", "/usr/bin/mktemp", "/usr/bin/cp", "/usr/bin/rm"}
    wine_own = {"/usr/bin/wine", "/usr/bin/wineserver", "/usr/lib/wine/wineserver",
                "/usr/lib/wine/wineserver64"}
    services = {"wineboot.exe", "winemenubuilder.exe", "services.exe", "winedevice.exe",
                "plugplay.exe", "svchost.exe", "rpcss.exe", "explorer.exe"}
    started = []
    for p, n in name.items():
        if not n or n[0] in runner | wine_own or p in own:
            continue
        folder = "c:\\windows\\system32\\"
        if n[0] == "/usr/lib/wine/wine64" and len(n) > 2 and n[2].lower().startswith(folder) \
                and n[2][len(folder):].lower() in services:
            continue
        started.append(" ".join(n))
    check(not started, "no program started but the program, its runner and Wine's own services"
          + "".join("\n      " + e for e in started[:10]))
    # Wine's server works in the prefix and in its own folder under /tmp, by relative names; the
    # services name their threads.
    server_dir = "/tmp/.wine-%d/" % os.getuid()
    elsewhere = []
    for line in lines:
        what = re.match(r"\d+\s+(\w+)\(", line)
        what = what and what.group(1)
        if owner(line) in own: # held to more above
            continue
        if what == "connect" and "AF_UNIX" not in line:
            elsewhere.append(line.strip())
        if what in ("open", "openat", "openat2", "creat") and " = -1 " not in line and (
                what == "creat" or re.search(r"O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND", line)):
            path = re.search(r'"([^"]*)"', line).group(1)
            n = name.get(owner(line)) or [""]
            if n[0] in runner:
                continue
            if (path.startswith((wine_dir + "/run.", server_dir, runtime + "/", cache + "/fontconfig/"))
                    or path == "/dev/null"
                    or re.fullmatch(r"/proc/\d+/task/\d+/comm", path)
                    or (not path.startswith("/") and "wineserver" in n[0])):
                continue
            elsewhere.append(line.strip())
    check(not elsewhere, "Wine's own processes: no connection but a local one, nothing written "
          "outside the run's prefix and Wine's server folder" + "".join("\n      " + e for e in elsewhere[:20]))
if cache_writes:
    print("# fontconfig wrote its cache: " + ", ".join(sorted(cache_writes)))
sys.exit(1 if failures else 0)
EOF
[ $? -eq 0 ] || GD_FAILURES=$((GD_FAILURES + 1))
gd_finish
