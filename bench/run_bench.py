#!/usr/bin/env python3
"""Whole-program figures for Glimmerdeck, each against a bare Qt window measured in the same run.

Runs the program and bench/bare_window alternately, several times, on the offscreen platform
and on X11 under Xvfb, and prints one Markdown table (medians) with the machine and the platform.
Start-up and memory are held against the window with one label (bare_window --label), the floor
for any window with words in it; the bare window is a second reference row. So are the wake-ups
and the CPU while idle, shown and minimised, measured under openbox on Xvfb (a window manager is
what minimises a window).

    python3 bench/run_bench.py --build build [--runs 3] [--cpu-seconds 20] [--platforms offscreen,xvfb]

The program is timed through bench/glimmerdeck_probe (app/main.cpp plus hooks switched on by
variables) wherever it has to say something from inside: first paint, and opening a panel on
the offscreen platform. Under Xvfb the panels are opened by xdotool clicks on the real program
and the fade-in is watched with xprop on the real program.
"""

import argparse
import json
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from bench_common import (Reporting, Xvfb, cpu_ns, cpu_seconds, load_average, log, machine, med,
                          report, verdict, wake_counts)

FADE_250 = "4210752250"  # _NET_WM_WINDOW_OPACITY of 250/255 as xprop prints it (250 * 0x01010101)
TICK_S = 1 / 64
# Window-relative centres of the buttons, from the window description (twips / 15).
BUTTON_AT = {"Command7": (80, 80), "Command13": (80, 416), "Command11": (80, 304)}
PANEL_BUTTON = {"text": "Command13", "spin": "Command11"}


class Proc(Reporting):
    """A started program, timed from just before its start on the monotonic clock."""

    def __init__(self, cmd, env):
        self.t0 = time.monotonic_ns()
        super().__init__(cmd, env, os.path.basename(cmd[0]))

    def wait_for(self, key, timeout=20):
        """The monotonic time (ns) the process printed after `key`."""
        return super().wait_for(key, timeout)

    def sleep_until(self, offset_s):
        delay = self.t0 / 1e9 + offset_s - time.monotonic()
        if delay > 0:
            time.sleep(delay)

    def cpu_s(self):
        return cpu_seconds(self.p.pid)

    def cpu_ns(self):
        return cpu_ns(self.p.pid)

    def rss_mb(self):
        with open(f"/proc/{self.p.pid}/status") as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1]) / 1024
        raise RuntimeError("no VmRSS")

    def stop(self):
        if self.p.poll() is None:
            self.p.terminate()
            try:
                self.p.wait(5)
            except subprocess.TimeoutExpired:
                self.p.kill()
                self.p.wait()
        self.reader.join(2)


def mem_available():
    with open("/proc/meminfo") as f:
        for line in f:
            if line.startswith("MemAvailable:"):
                return line
    return ""


def run(cmd, env, timeout=10):
    return subprocess.run(cmd, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                          text=True, timeout=timeout, check=True).stdout


class Bench:
    def __init__(self, args):
        self.args = args
        build = os.path.abspath(args.build)
        self.program = os.path.join(build, "glimmerdeck")
        self.probe = os.path.join(build, "bench", "glimmerdeck_probe")
        self.bare = os.path.join(build, "bench", "bare_window")
        self.pacing_exe = os.path.join(build, "bench", "timer_pacing")
        self.ticks_exe = os.path.join(build, "bench", "bench_ticks")
        for exe in (self.program, self.probe, self.bare, self.pacing_exe):
            if not os.access(exe, os.X_OK):
                sys.exit(f"run_bench: {exe} is missing; build first")
        self.runtime_dir = tempfile.mkdtemp(prefix="gd-bench-")
        os.chmod(self.runtime_dir, 0o700)

    def env(self, qpa, display=None, **extra):
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("QT_", "GLIMMERDECK_", "WAYLAND_"))}
        env.update(DBUS_SESSION_BUS_ADDRESS="disabled:", XDG_RUNTIME_DIR=self.runtime_dir,
                   QT_QPA_PLATFORM=qpa)
        env.pop("DISPLAY", None)
        if display:
            env["DISPLAY"] = display
        env.update(extra)
        return env

    # ---- single measurements -------------------------------------------------------------

    def first_paint_ms(self, cmd, env):
        """Wall time to the first frame, and the CPU time spent by then (which a busy machine
        inflates far less than the wall time)."""
        proc = Proc(cmd, dict(env, GLIMMERDECK_REPORT_FIRST_PAINT="1"))
        try:
            wall = (proc.wait_for("first-paint-ns") - proc.t0) / 1e6
            return wall, proc.cpu_ns() / 1e6
        finally:
            proc.stop()

    def first_open_ms(self, env):
        """From the click to the first frame that shows it, for the menu and each panel, opened
        for the first time one after another."""
        proc = Proc([self.probe], dict(env, GLIMMERDECK_BENCH_FIRST_OPEN="1"))
        try:
            if proc.p.wait(30) != 0:
                raise RuntimeError(f"first opening failed: {proc.lines[-5:]}")
            proc.reader.join(2)
            return {line.split()[1]: float(line.split()[2])
                    for line in proc.lines if line.startswith("open-ms ")}
        finally:
            proc.stop()

    def rss_after_5s(self, cmd, env):
        proc = Proc(cmd, env)
        try:
            proc.sleep_until(5)
            return proc.rss_mb()
        finally:
            proc.stop()

    def cpu_over(self, proc, settle_s, server=None):
        """CPU seconds the process (and the X server) used over the measuring span."""
        proc.sleep_until(settle_s)
        start = time.monotonic()
        before = proc.cpu_s(), cpu_seconds(server.p.pid) if server else 0
        time.sleep(self.args.cpu_seconds)
        after = proc.cpu_s(), cpu_seconds(server.p.pid) if server else 0
        if proc.p.poll() is not None:
            raise RuntimeError(f"process ended early: {proc.lines[-5:]}")
        span = time.monotonic() - start
        scale = self.args.cpu_seconds / span  # a late wake-up must not count as extra CPU
        return (after[0] - before[0]) * scale, (after[1] - before[1]) * scale

    def window_of(self, proc, env):
        out = run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(proc.p.pid)], env)
        return out.split()[0]

    def click(self, env, window, button):
        x, y = BUTTON_AT[button]
        run(["xdotool", "mousemove", "--window", window, str(x), str(y), "click", "1"], env)

    def cpu_program(self, qpa, env, panel, server):
        if qpa == "offscreen":
            extra = {"GLIMMERDECK_BENCH_PANEL": panel} if panel else {}
            proc = Proc([self.probe], dict(env, **extra))
            try:
                settle = 3.0
                if panel:
                    settle = (proc.wait_for("panel-open-ns") - proc.t0) / 1e9 + 1.0
                return self.cpu_over(proc, settle, server)
            finally:
                proc.stop()
        proc = Proc([self.program], env)
        try:
            window = self.window_of(proc, env)
            settle = 3.0
            if panel:
                proc.sleep_until(2.5)  # after the fade-in, as someone would
                self.click(env, window, "Command7")
                time.sleep(1.5)  # the menu slides open in 52 ticks
                self.click(env, window, PANEL_BUTTON[panel])
                run(["xdotool", "mousemove", "5", "5"], env)  # off the window: no hover
                settle = (time.monotonic_ns() - proc.t0) / 1e9 + 1.0
            return self.cpu_over(proc, settle, server)
        finally:
            proc.stop()

    def fade_s(self, qpa, env):
        """Seconds from the start of the process to 250/255, and of the fade itself: from its
        first step to its last, plus the tick before the first step."""
        if qpa == "offscreen":
            proc = Proc([self.probe], dict(env, GLIMMERDECK_REPORT_FADE="1"))
            try:
                done = proc.wait_for("fade-250-ns")
                return (done - proc.t0) / 1e9, (done - proc.wait_for("fade-2-ns")) / 1e9 + TICK_S
            finally:
                proc.stop()
        proc = Proc([self.program], env)
        spy = None
        try:
            window = self.window_of(proc, env)
            spy = subprocess.Popen(["xprop", "-spy", "-id", window, "_NET_WM_WINDOW_OPACITY"],
                                   env=env, stdout=subprocess.PIPE, text=True)
            # xprop waits for changes that may never come: end it after a while, which ends the loop.
            watchdog = threading.Timer(15, spy.kill)
            watchdog.start()
            try:
                # xprop starts once the window is found, a few steps into the fade: those steps
                # are counted at the nominal tick (2/255 each), the rest is measured.
                first = None
                for line in spy.stdout:
                    now = time.monotonic_ns()
                    value = line.strip().rpartition("= ")[2]
                    if not value.isdigit():
                        continue
                    if first is None and int(value) > 0:
                        first = now - int(value) // 0x01010101 // 2 * TICK_S * 1e9
                    if value == FADE_250:
                        return (now - proc.t0) / 1e9, (now - first) / 1e9 + TICK_S
            finally:
                watchdog.cancel()
            raise RuntimeError("opacity never reached 250/255")
        finally:
            if spy:
                spy.kill()
                spy.wait()
            proc.stop()

    def idle_span(self, proc, watch_memory=False):
        """Wake-ups a second over --wake-seconds, all threads together and by thread (the main
        thread as "main"), the CPU seconds spent, and how often the memory figure changed."""
        changes = []
        stop = threading.Event()

        def watch():  # as often as the readout reads it
            last, n = mem_available(), 0
            while not stop.wait(0.05):
                now = mem_available()
                n, last = n + (now != last), now
            changes.append(n)

        watcher = threading.Thread(target=watch, daemon=True)
        if watch_memory:
            watcher.start()
        pid = proc.p.pid
        before, cpu_before, start = wake_counts(pid), proc.cpu_ns(), time.monotonic()
        time.sleep(self.args.wake_seconds)
        after, cpu_after, span = wake_counts(pid), proc.cpu_ns(), time.monotonic() - start
        stop.set()
        if watch_memory:
            watcher.join()
        if proc.p.poll() is not None:
            raise RuntimeError(f"process ended early: {proc.lines[-5:]}")
        threads = {}
        for tid, (name, n) in after.items():
            key = "main" if tid == pid else name
            threads[key] = threads.get(key, 0) + (n - before.get(tid, (name, 0))[1]) / span
        return {"per_s": sum(threads.values()), "threads": threads,
                "cpu_s": (cpu_after - cpu_before) / 1e9 * self.args.wake_seconds / span,
                "memory_changes_per_s": changes[0] / span if changes else None}

    def wake_ups(self):
        """The program and the one-label window taking turns, each shown with no panel open and
        then minimised, under openbox on Xvfb."""
        server = Xvfb()
        env = self.env("xcb", server.display)
        home = tempfile.mkdtemp(dir=self.runtime_dir)
        wm = subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL,
                              env=dict(env, XDG_CONFIG_HOME=home, XDG_CACHE_HOME=home))
        res = {kind: {"shown": [], "minimised": []} for kind in ("program", "label")}
        try:
            deadline = time.monotonic() + 20
            while "window id" not in subprocess.run(
                    ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=env, text=True,
                    stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout:
                if time.monotonic() > deadline:
                    raise RuntimeError("openbox did not start")
                time.sleep(0.1)
            for r in range(self.args.runs):
                log(f"[wake-ups] run {r + 1}/{self.args.runs}: shown and minimised, "
                    f"{self.args.wake_seconds:g} s each")
                order = [("label", [self.bare, "--label"]), ("program", [self.program])]
                for kind, cmd in order if r % 2 == 0 else reversed(order):
                    proc = Proc(cmd, env)
                    try:
                        window = self.window_of(proc, env)
                        proc.sleep_until(3.0)  # after the fade-in
                        res[kind]["shown"].append(self.idle_span(proc, kind == "program"))
                        run(["xdotool", "windowminimize", "--sync", window], env)
                        time.sleep(1)
                        res[kind]["minimised"].append(self.idle_span(proc))
                    finally:
                        proc.stop()
        finally:
            wm.terminate()
            wm.wait()
            server.stop()
        return res

    # ---- a whole platform ---------------------------------------------------------------

    def platform(self, name):
        server = None
        if name == "xvfb":
            server = Xvfb()
            env = self.env("xcb", server.display)
            qpa = "xcb"
        else:
            env = self.env("offscreen")
            qpa = "offscreen"
        res = {"startup_ms": {"program": [], "bare": [], "label": []},
               "startup_cpu_ms": {"program": [], "bare": [], "label": []},
               "rss_mb": {"program": [], "bare": [], "label": []}, "first_open_ms": {},
               "cpu_s": {k: [] for k in ("bare_tick", "none", "text", "spin")},
               "server_cpu_s": {k: [] for k in ("bare_tick", "none", "text", "spin")},
               "fade_s": []}
        try:
            only = set(self.args.figures.split(","))
            log(f"[{name}] start to first paint, {self.args.startup_runs} runs")
            for i in range(self.args.startup_runs if "startup" in only else 0):
                # Alternate which goes first, so a trend in the machine's load cancels out.
                order = [("bare", [self.bare]), ("program", [self.probe]),
                         ("label", [self.bare, "--label"])]
                for kind, cmd in order if i % 2 == 0 else reversed(order):
                    wall, cpu = self.first_paint_ms(cmd, env)
                    res["startup_ms"][kind].append(wall)
                    res["startup_cpu_ms"][kind].append(cpu)
            for r in range(self.args.runs):
                log(f"[{name}] run {r + 1}/{self.args.runs}: memory, first openings, CPU, fade-in")
                if "memory" in only:
                    res["rss_mb"]["bare"].append(self.rss_after_5s([self.bare], env))
                    res["rss_mb"]["label"].append(self.rss_after_5s([self.bare, "--label"], env))
                    res["rss_mb"]["program"].append(self.rss_after_5s([self.program], env))
                if "open" in only:
                    for what, ms in self.first_open_ms(env).items():
                        res["first_open_ms"].setdefault(what, []).append(ms)
                if "cpu" not in only:
                    continue
                proc = Proc([self.bare, "--tick"], env)
                try:
                    own, srv = self.cpu_over(proc, 3.0, server)
                finally:
                    proc.stop()
                res["cpu_s"]["bare_tick"].append(own)
                res["server_cpu_s"]["bare_tick"].append(srv)
                for panel in ("none", "text", "spin"):
                    own, srv = self.cpu_program(qpa, env, None if panel == "none" else panel, server)
                    res["cpu_s"][panel].append(own)
                    res["server_cpu_s"][panel].append(srv)
                res["fade_s"].append(self.fade_s(qpa, env))
        finally:
            if server:
                server.stop()
        return res

    def pacing(self):
        log(f"[timers] TickScheduler over {self.args.pacing_seconds} s")
        out = run([self.pacing_exe, "--seconds", str(self.args.pacing_seconds)], os.environ,
                  timeout=self.args.pacing_seconds + 30)
        return json.loads(out)

    def handler_ticks(self):
        if not os.access(self.ticks_exe, os.X_OK):
            return None
        log("[ticks] bench_ticks")
        out = run([self.ticks_exe, "--benchmark_format=json"], self.env("offscreen"), timeout=600)
        return [{"name": b["name"], "ns": b["cpu_time"] * {"ns": 1, "us": 1e3, "ms": 1e6}[b["time_unit"]]}
                for b in json.loads(out)["benchmarks"] if b.get("run_type", "iteration") == "iteration"]


# ---- the table ----------------------------------------------------------------------------

def table(results, args):
    plats = [p for p in ("offscreen", "xvfb") if p in results["platforms"]]
    heads = {"offscreen": "offscreen", "xvfb": "xcb on Xvfb"}
    rows = []

    def row(figure, target, cells):
        rows.append(f"| {figure} | {target} | " + " | ".join(cells) + " |")

    def per(fn):
        return [fn(results["platforms"][p]) for p in plats]

    limit = {"offscreen": 1.3, "xvfb": 1.15}

    def startup(p):
        r = results["platforms"][p]
        prog, label = med(r["startup_ms"]["program"]), med(r["startup_ms"]["label"])
        cprog, clabel = med(r["startup_cpu_ms"]["program"]), med(r["startup_cpu_ms"]["label"])
        return (f"{prog:.0f} ms vs {label:.0f} ms = {prog / label:.2f} x, "
                f"{verdict(prog <= limit[p] * label)} (CPU {cprog:.0f} ms vs {clabel:.0f} ms)")

    def startup_bare(r):
        prog, bare = med(r["startup_ms"]["program"]), med(r["startup_ms"]["bare"])
        cprog, cbare = med(r["startup_cpu_ms"]["program"]), med(r["startup_cpu_ms"]["bare"])
        return (f"{prog:.0f} ms vs {bare:.0f} ms = {prog / bare:.2f} x "
                f"(CPU {cprog:.0f} ms vs {cbare:.0f} ms)")

    def rss(r):
        prog, label = med(r["rss_mb"]["program"]), med(r["rss_mb"]["label"])
        bare = med(r["rss_mb"]["bare"])
        return (f"{prog:.1f} MB vs {label:.1f} MB = +{prog - label:.1f} MB, "
                f"{verdict(prog - label <= 4)} (bare window {bare:.1f} MB)")

    def first_open(what):
        def cell(r):
            times = r["first_open_ms"].get(what)
            if not times:
                return "not measured"
            return f"{med(times):.1f} ms (worst {max(times):.1f} ms), {verdict(med(times) <= 16)}"
        return cell

    def cpu(panel, limit):
        def cell(r):
            prog, ref = med(r["cpu_s"][panel]), med(r["cpu_s"]["bare_tick"])
            ratio = prog / ref if ref > 0 else float("inf")
            text = f"{prog:.2f} s vs {ref:.2f} s = {ratio:.2f} x, {verdict(ratio <= limit)}"
            if r["server_cpu_s"][panel] and med(r["server_cpu_s"]["bare_tick"]) > 0:
                text += (f" (X server {med(r['server_cpu_s'][panel]):.2f} s vs "
                         f"{med(r['server_cpu_s']['bare_tick']):.2f} s)")
            return text
        return cell

    def fade(r):
        whole = med([f[0] for f in r["fade_s"]])
        itself = med([f[1] for f in r["fade_s"]])
        return (f"{itself:.3f} s, {verdict(abs(itself - 1.953) <= 0.1)} "
                f"({whole:.3f} s from the start of the process)")

    row("Start to first painted frame", "<= 1.3 x one-label window (offscreen), <= 1.15 x (xcb)",
        [startup(p) for p in plats])
    row("Start to first painted frame, against the bare window", "for reference", per(startup_bare))
    row("Resident memory after 5 s", "<= one-label window + 4 MB", per(rss))
    row("First opening of the menu, click to its first frame", "<= 16 ms", per(first_open("Picture15")))
    for t, name in (("Picture1", "Fade In Form"), ("Picture2", "Fading Caption"),
                    ("Picture6", "Image and Label Buttons"), ("Picture8", "Spinning Image"),
                    ("Picture13", "Transition Box"), ("Picture16", "Text Animation")):
        row(f"First opening of \"{name}\", click to its first frame", "<= 16 ms", per(first_open(t)))
    row(f"CPU time over {args.cpu_seconds:g} s, no panel open", "<= 1.0 x reference", per(cpu("none", 1.0)))
    row(f"CPU time over {args.cpu_seconds:g} s, \"Text Animation\" open", "<= 2.0 x reference",
        per(cpu("text", 2.0)))
    row(f"CPU time over {args.cpu_seconds:g} s, \"Spinning Image\" open", "<= 2.0 x reference",
        per(cpu("spin", 2.0)))
    row("Fade-in, first step to 250/255, plus the tick before it", "1.95 s +- 0.1 s", per(fade))

    p = results["pacing"]
    span = f"over {p['seconds']:g} s"
    both = lambda text: [text] * len(plats)  # measured once, on the scheduler alone
    row(f"1 ms timer, ticks per second {span}", "64 +- 1",
        both(f"{p['fast_per_s']:.2f}, {verdict(abs(p['fast_per_s'] - 64) <= 1)}"))
    row(f"50 ms timer, ticks per second {span}", "20 +- 0.5",
        both(f"{p['medium_per_s']:.2f}, {verdict(abs(p['medium_per_s'] - 20) <= 0.5)}"))
    row(f"1000 ms timer, drift {span}", "< 5 ms",
        both(f"{p['slow_last_drift_ms']:+.2f} ms at tick {p['slow_ticks']} "
             f"(worst {p['slow_worst_drift_ms']:.2f} ms), "
             f"{verdict(p['slow_worst_drift_ms'] < 5)}"))
    ticks = results.get("ticks")
    away = [t for t in ticks or [] if t["name"].startswith(("BM_Restore_", "BM_Minimised_"))]
    ticks = [t for t in ticks or [] if t not in away]
    if ticks:
        spin = [t for t in ticks if "Timer3" in t["name"]]
        rest = [t for t in ticks if "Timer" in t["name"] and "Timer3" not in t["name"]]
        if rest:
            worst = max(rest, key=lambda t: t["ns"])
            row("One tick of a handler, in process (slowest)", "< 2 us",
                both(f"{worst['ns'] / 1e3:.2f} us ({worst['name']}), {verdict(worst['ns'] < 2000)}"))
        if spin:
            worst = max(spin, key=lambda t: t["ns"])
            row("One tick of Timer3, in process", "< 50 us",
                both(f"{worst['ns'] / 1e3:.2f} us ({worst['name']}), {verdict(worst['ns'] < 50000)}"))

    def away_ms(prefix):
        found = [t for t in away if t["name"].startswith(prefix)]
        worst = max(found, key=lambda t: t["ns"]) if found else None
        return worst and (worst["ns"] / 1e6, worst["name"].split("/")[0])
    if away_ms("BM_Restore_AfterAnHour"):
        ms, name = away_ms("BM_Restore_AfterAnHour")
        row("Restored after an hour minimised: owed ticks and the first frame, in process",
            "<= 16 ms", both(f"{ms:.2f} ms CPU ({name}), {verdict(ms <= 16)}"))
        ms, name = away_ms("BM_Restore_AnHourAtOnce")
        row("The same hour's ticks delivered at once, without the 10 s grid", "for reference",
            both(f"{ms:.0f} ms CPU ({name})"))
        ms, name = away_ms("BM_Minimised_")
        row("One wake-up while minimised: 10 s of owed ticks", "for reference",
            both(f"{ms:.2f} ms CPU"))

    m = results["meta"]
    out = [
        f"Machine: {m['machine']}; Qt {m['qt']}; load average {m['load_before']} before, "
        f"{m['load_after']} after.",
        f"Platforms: " + ", ".join(
            {"offscreen": "offscreen (QT_QPA_PLATFORM=offscreen)",
             "xvfb": "xcb on Xvfb 1280x1024x24 (no window manager, no compositor)"}[p] for p in plats) + ".",
        f"Medians of {args.runs} runs ({args.startup_runs} for start-up), program and reference "
        f"windows alternating. Start-up and memory reference: bench/bare_window --label, a "
        f"frameless 817 x 586 QWidget showing one line of text; the bare window without it is a "
        f"second row. The CPU reference is the bare window with one 64 Hz timer repainting a "
        f"16 x 16 rectangle (--tick). First openings are timed inside bench/glimmerdeck_probe, "
        f"from the button's click to the end of the first frame that shows the menu or panel. "
        f"Timer rows are measured once on gd::TickScheduler (bench/timer_pacing).",
        "",
        "| Figure | Target | " + " | ".join(heads[p] for p in plats) + " |",
        "|---|---|" + "---|" * len(plats),
    ] + rows
    baseline = []
    for p in plats:
        r = results["platforms"][p]
        baseline.append(f"{heads[p]}: first paint {med(r['startup_ms']['label']):.0f} ms with one "
                        f"label, {med(r['startup_ms']['bare']):.0f} ms bare; "
                        f"{med(r['rss_mb']['label']):.1f} MB with one label, "
                        f"{med(r['rss_mb']['bare']):.1f} MB bare; reference CPU "
                        f"{med(r['cpu_s']['bare_tick']):.2f} s per {args.cpu_seconds:g} s")
    out += ["", "Baselines: " + "; ".join(baseline) + "."]
    if results.get("wake"):
        out += [""] + wake_table(results["wake"], args)
    if ticks:
        out += ["", "| Benchmark (bench_ticks) | CPU time per tick |", "|---|---|"]
        out += [f"| {t['name']} | {t['ns'] / 1e3:.2f} us |" for t in ticks]
    return "\n".join(out)


def wake_table(wake, args):
    """Wake-ups and CPU of the program against the one-label window, shown and minimised."""
    def fig(kind, state, key):
        return med([span[key] for span in wake[kind][state]])

    def threads(state):
        names = sorted({n for span in wake["program"][state] for n in span["threads"]},
                       key=lambda n: (n != "main", n))
        parts = [(n, med([span["threads"].get(n, 0) for span in wake["program"][state]]))
                 for n in names]
        return ", ".join(f"{n} {v:.1f}" for n, v in parts if v >= 0.05) or "none"

    secs = f"{args.wake_seconds:g} s"
    rows = [
        f"Idle, under openbox on Xvfb 1280x1024x24: {secs} shown with no panel open, then {secs} "
        f"minimised (xdotool windowminimize), program and one-label window taking turns, medians "
        f"of {len(wake['program']['shown'])} runs. Wake-ups are the voluntary context switches of "
        f"all threads (/proc/PID/task/*/status); CPU is their scheduler time.",
        "",
        "| Figure | Target | Glimmerdeck | one-label window |",
        "|---|---|---|---|",
    ]
    for state, limit in (("shown", 40), ("minimised", 1)):
        prog, label = fig("program", state, "per_s"), fig("label", state, "per_s")
        rows.append(f"| Wake-ups a second, {state} | <= {limit} | {prog:.1f} ({threads(state)}), "
                    f"{verdict(prog <= limit)} | {label:.1f} |")
    for state, limit in (("shown", None), ("minimised", 0.02)):
        prog, label = fig("program", state, "cpu_s"), fig("label", state, "cpu_s")
        target = f"<= {limit} s" if limit else "for reference"
        cell = f"{prog:.3f} s" + (f", {verdict(prog <= limit)}" if limit else "")
        rows.append(f"| CPU over {secs}, {state} | {target} | {cell} | {label:.3f} s |")
    changes = [span["memory_changes_per_s"] for span in wake["program"]["shown"]]
    rows += ["", f"While shown, the machine's available memory changed {med(changes):.1f} times a "
             f"second (sampled every 50 ms, as the readout reads it): each change is a repaint of "
             f"the readout, which costs Qt a wake-up of its X event thread."]
    return rows


def qt_version():
    try:
        return subprocess.run(["qtpaths6", "--qt-version"], capture_output=True, text=True).stdout.strip()
    except OSError:
        return "unknown"


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--build", default="build", help="the build tree (default: build)")
    ap.add_argument("--runs", type=int, default=3, help="runs per figure (default 3)")
    ap.add_argument("--startup-runs", type=int, default=11, help="start-up runs (default 11)")
    ap.add_argument("--cpu-seconds", type=float, default=20, help="CPU measuring span (default 20)")
    ap.add_argument("--pacing-seconds", type=float, default=10, help="timer pacing span (default 10)")
    ap.add_argument("--platforms", default="offscreen,xvfb", help="offscreen,xvfb")
    ap.add_argument("--wake-seconds", type=float, default=10,
                    help="idle span for wake-ups, shown and minimised (default 10)")
    ap.add_argument("--figures", default="startup,memory,open,cpu,wake",
                    help="which to measure (default all): startup,memory,open,cpu (CPU and "
                         "fade-in),wake (wake-ups and CPU, shown and minimised)")
    ap.add_argument("--json", help="also write the raw figures here")
    ap.add_argument("--markdown", help="also write the table here")
    args = ap.parse_args()
    plats = [p for p in args.platforms.split(",") if p]
    if "xvfb" in plats and not (shutil.which("Xvfb") and shutil.which("xdotool") and shutil.which("xprop")):
        sys.exit("run_bench: Xvfb, xdotool and xprop are needed for the xvfb platform (make setup)")
    if "wake" in args.figures.split(",") and not all(
            shutil.which(tool) for tool in ("Xvfb", "xdotool", "xprop", "openbox")):
        sys.exit("run_bench: Xvfb, xdotool, xprop and openbox are needed for the wake-ups (make setup)")

    bench = Bench(args)
    load_before = load_average()
    try:
        results = {"platforms": {p: bench.platform(p) for p in plats},
                   "wake": bench.wake_ups() if "wake" in args.figures.split(",") else None,
                   "pacing": bench.pacing(),
                   "ticks": bench.handler_ticks() if "cpu" in args.figures.split(",") else None}
    finally:
        shutil.rmtree(bench.runtime_dir, ignore_errors=True)
    load_after = load_average()
    results["meta"] = {"machine": machine(), "qt": qt_version(), "load_before": load_before,
                       "load_after": load_after, "args": vars(args)}
    text = table(results, args)
    report(text, results, args)


if __name__ == "__main__":
    main()
