#!/usr/bin/env python3
"""Whole-program figures for the Windows program under Wine, each against a bare Win32 window.

Runs bench/win32/glimmerdeck_probe.exe (the program with the harness's probes) and
bench/win32/bare_window.exe (a frameless 817 x 586 window showing one line of text) alternately,
each started with `wine <exe>`, on an Xvfb of its own (1280x1024x24) in a Wine prefix of its own,
made as tests/support/wine.sh makes its template (Wine's own fonts linked into the prefix's font
folder) and kept running with `wineserver -p` for the whole run. Prints one Markdown table
(medians) with the machine and the load average before and after.

    python3 bench/run_bench_windows.py [--build build-windows] [--runs 11] [--cpu-runs 3]
        [--cpu-seconds 60] [--wake-seconds 10] [--markdown FILE] [--json FILE]

Times come from the programs as Unix-epoch nanoseconds from the system's precise wall clock
(under Wine, Linux's CLOCK_REALTIME): the harness notes the same clock just before it starts
`wine`, so launch to first frame covers Wine's loader, the program's start-up and its first
WM_PAINT; beside it, the CPU the process used by then, which the machine's load sways far less.
Memory, CPU and wake-ups are read from the .exe's Linux process (its comm is the .exe's name):
VmRSS, utime + stime, and the voluntary context switches of its threads. The prefix's
wineserver does part of every program's work (each message, timer and window change is a request
to it), so its CPU is shown beside the program's.

Wine's desktop is a process of its own (explorer.exe): the first program that asks for the
desktop starts it, and it ends about a second after the last one has gone. Start-up is measured
both ways: with the desktop already running (held open by bare_window.exe --no-window, as a
Windows desktop's shell always is), and with each program starting it afresh, as when it is the
only Wine program running. Memory, CPU and wake-ups are measured with the desktop running.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from bench_common import (Reporting, Xvfb, cpu_ns, cpu_seconds, load_average, log, machine, med,
                          report, verdict, wake_counts)

WINE_ENV = {"WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml="}  # as tests/support/wine.sh
PANEL_AT_MS = 2500  # when the probe clicks "Show Glimmerdeck": after the fade-in, as a person would



def comm(pid):
    try:
        with open(f"/proc/{pid}/comm") as f:
            return f.read().strip()
    except OSError:
        return None


def rss_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    raise RuntimeError("no VmRSS")


class Prefix:
    """A Wine prefix of the run's own, with its server kept running until stop()."""

    def __init__(self, root, display):
        self.path = os.path.join(root, "prefix")
        self.env = {k: v for k, v in os.environ.items() if not k.startswith("WINE")}
        self.env.update(WINE_ENV, WINEPREFIX=self.path, DISPLAY=display)
        log("[wine] making the prefix")
        for cmd in (["wineboot", "-i"], ["wineserver", "-w"]):
            done = subprocess.run(cmd, env=self.env, stdout=subprocess.PIPE,
                                  stderr=subprocess.STDOUT, text=True, timeout=300)
            if done.returncode != 0:
                raise RuntimeError(f"{' '.join(cmd)} failed:\n{done.stdout}")
        # Debian's Wine 8 does not load the fonts of its own data folder (fonts-wine's Tahoma among
        # them); linked into the prefix's font folder, they are there as on Windows.
        fonts = os.path.join(self.path, "drive_c", "windows", "Fonts")
        for name in sorted(os.listdir("/usr/share/wine/fonts")):
            if name.endswith(".ttf"):
                target = os.path.join(fonts, name)
                if os.path.lexists(target):
                    os.remove(target)
                os.symlink(os.path.join("/usr/share/wine/fonts", name), target)
        subprocess.run(["wineserver", "-p"], env=self.env, check=True, timeout=60)
        self.server = None
        deadline = time.monotonic() + 20
        while self.server is None:
            self.server = next(iter(self.processes("wineserver")), None)
            if self.server is None:
                if time.monotonic() > deadline:
                    raise RuntimeError("the prefix's wineserver did not start")
                time.sleep(0.05)

    def processes(self, name_start):
        """Ids of the prefix's processes whose comm starts with `name_start`."""
        mark = ("WINEPREFIX=" + self.path).encode()
        found = []
        for entry in os.listdir("/proc"):
            if not entry.isdigit() or not (comm(entry) or "").startswith(name_start):
                continue
            try:
                with open(f"/proc/{entry}/environ", "rb") as f:
                    if mark in f.read().split(b"\0"):
                        found.append(int(entry))
            except OSError:
                pass
        return found

    def desktop_gone(self, timeout=15):
        """Waits until the prefix's desktop process has ended, as it does once no program needs it."""
        deadline = time.monotonic() + timeout
        while self.processes("explorer.exe"):
            if time.monotonic() > deadline:
                raise RuntimeError("Wine's desktop process did not end")
            time.sleep(0.05)

    def stop(self):
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL, timeout=60)
        subprocess.run(["wineserver", "-w"], env=self.env, stderr=subprocess.DEVNULL, timeout=60)


class Run(Reporting):
    """One `wine <exe>`: started at a noted wall-clock time. With `server`, the CPU the process
    and that wineserver have used since the start is noted the moment the first frame is reported
    (the wall-clock figure is at the mercy of the machine's load; the CPU far less)."""

    def __init__(self, exe, args, env, server=None):
        self.exe = exe
        self.server = server
        self.cpu_to_paint = None
        self.server_before = cpu_ns(server) if server else 0
        self.t0 = time.time_ns()
        super().__init__(["wine", exe] + args, env, os.path.basename(exe))

    def heard(self, line):
        if self.server and line.startswith("first-paint-ns "):
            try:
                self.cpu_to_paint = (cpu_ns(self.p.pid) / 1e6,
                                     (cpu_ns(self.server) - self.server_before) / 1e6)
            except OSError:
                pass

    def wait_for(self, key, timeout=30):
        """The wall-clock time (ns) the program printed after `key`."""
        return super().wait_for(key, timeout)

    def ms_to(self, key):
        return (self.wait_for(key) - self.t0) / 1e6

    @property
    def pid(self):
        """The .exe's Linux process: `wine` becomes it, under the .exe's name (cut to 15)."""
        name = os.path.basename(self.exe)[:15]
        deadline = time.monotonic() + 10
        while comm(self.p.pid) != name:
            if self.p.poll() is not None or time.monotonic() > deadline:
                raise RuntimeError(f"no process {name} (pid {self.p.pid} is {comm(self.p.pid)})")
            time.sleep(0.01)
        return self.p.pid

    def sleep_until(self, offset_s):
        delay = self.t0 / 1e9 + offset_s - time.time()
        if delay > 0:
            time.sleep(delay)

    def alive(self):
        return self.p.poll() is None

    def finish(self, timeout=30):
        """Waits for the program to quit by itself: its status must be 0."""
        try:
            status = self.p.wait(timeout)
        except subprocess.TimeoutExpired:
            self.p.kill()
            self.p.wait()
            raise RuntimeError(f"{os.path.basename(self.exe)} did not quit")
        self.reader.join(5)
        if status != 0:
            raise RuntimeError(f"{os.path.basename(self.exe)} ended with status {status}: "
                               f"{self.lines[-5:]}")

    def kill(self):
        if self.p.poll() is None:
            self.p.kill()
            self.p.wait()

    def stop(self):
        """Ends the program before its time: Wine ends the process on SIGTERM."""
        if self.p.poll() is None:
            self.p.terminate()
            try:
                self.p.wait(10)
            except subprocess.TimeoutExpired:
                self.kill()
        self.reader.join(5)


class Bench:
    def __init__(self, args, prefix, xvfb):
        self.args = args
        self.prefix = prefix
        self.xvfb = xvfb
        build = os.path.abspath(args.build)
        self.probe = os.path.join(build, "bench", "win32", "glimmerdeck_probe.exe")
        self.bare = os.path.join(build, "bench", "win32", "bare_window.exe")
        self.cmd = {"probe": self.probe, "bare": self.bare}
        self.res = {"startup_fresh": {"probe": [], "bare": []},
                    "startup": {"probe": [], "bare": []},
                    "main": {"probe": [], "bare": []},
                    "shown": {"probe": []},
                    "startup_cpu": {"probe": [], "bare": []},
                    "rss_mb": {"probe": [], "bare": []},
                    "wake": {"probe": [], "bare": []},
                    "cpu": {"probe": [], "bare": []}}

    def order(self, i):
        """The two programs, in turns: a trend in the machine's load falls on both."""
        return ("probe", "bare") if i % 2 == 0 else ("bare", "probe")

    def run(self, kind, args, server=None):
        return Run(self.cmd[kind], args, self.prefix.env, server)

    # ---- the figures ---------------------------------------------------------------------

    def startup_fresh(self):
        """Launch to first frame with no Wine desktop running: each program starts it."""
        for i in range(self.args.runs):
            log(f"[start-up, desktop started by the program] run {i + 1}/{self.args.runs}")
            for kind in self.order(i):
                self.prefix.desktop_gone()
                run = self.run(kind, ["--quit-after-ms", "1000"])
                try:
                    self.res["startup_fresh"][kind].append(run.ms_to("first-paint-ns"))
                    run.finish()
                finally:
                    run.kill()

    def idle_span(self, run, seconds):
        """Wake-ups a second (all threads, and by thread) and CPU over `seconds`, and the same
        span's wake-ups of the prefix's wineserver."""
        pid, server = run.pid, self.prefix.server
        before, server_before = wake_counts(pid), wake_counts(server)
        cpu_before, start = cpu_seconds(pid), time.monotonic()
        time.sleep(seconds)
        after, server_after = wake_counts(pid), wake_counts(server)
        cpu_after, span = cpu_seconds(pid), time.monotonic() - start
        if not run.alive():
            raise RuntimeError(f"{os.path.basename(run.exe)} ended early: {run.lines[-5:]}")
        threads = {}
        for tid, (name, n) in after.items():
            key = "main" if tid == pid else name
            threads[key] = threads.get(key, 0) + (n - before.get(tid, (name, 0))[1]) / span
        server_wakes = sum(n - server_before.get(tid, (name, 0))[1]
                           for tid, (name, n) in server_after.items()) / span
        return {"per_s": sum(threads.values()), "threads": threads,
                "server_per_s": server_wakes, "cpu_s": (cpu_after - cpu_before) * seconds / span}

    def startup_memory_wake(self):
        """With the desktop running: launch to first frame, resident memory 5 s after the start,
        and the wake-ups while shown, from 3 s after the start, with no panel open."""
        wake_from = 3.0
        quit_ms = int((wake_from + self.args.wake_seconds + 2) * 1000)
        for i in range(self.args.runs):
            log(f"[start-up, memory, wake-ups] run {i + 1}/{self.args.runs}")
            for kind in self.order(i):
                run = self.run(kind, ["--quit-after-ms", str(quit_ms)], self.prefix.server)
                try:
                    self.res["startup"][kind].append(run.ms_to("first-paint-ns"))
                    self.res["startup_cpu"][kind].append(run.cpu_to_paint)
                    self.res["main"][kind].append(run.ms_to("main-ns"))
                    if kind == "probe":
                        self.res["shown"][kind].append(run.ms_to("shown-ns"))
                    run.sleep_until(wake_from)
                    holder = {}
                    # The memory is read 5 s after the start, in the middle of the wake-up span.
                    reader = threading.Timer(run.t0 / 1e9 + 5 - time.time(),
                                             lambda: holder.update(rss=rss_mb(run.pid)))
                    reader.start()
                    self.res["wake"][kind].append(self.idle_span(run, self.args.wake_seconds))
                    reader.join()
                    self.res["rss_mb"][kind].append(holder["rss"])
                    run.finish()
                finally:
                    run.kill()

    def cpu(self):
        """CPU over the span with "Text Animation" open, against the bare window over the same
        span after its start; the wineserver's and the X server's beside it."""
        seconds = self.args.cpu_seconds
        settle = 5.0  # the panel opens about 3.6 s after the start: click at 2.5 s, 52-tick slide
        quit_ms = int((settle + seconds + 15) * 1000)
        for i in range(self.args.cpu_runs):
            log(f"[CPU, {seconds:g} s with Text Animation open] run {i + 1}/{self.args.cpu_runs}")
            for kind in self.order(i):
                args = ["--quit-after-ms", str(quit_ms)]
                if kind == "probe":
                    args += ["--text-animation", "--panel-at-ms", str(PANEL_AT_MS)]
                run = self.run(kind, args)
                try:
                    run.wait_for("first-paint-ns")
                    start_at = settle
                    if kind == "probe":
                        # A busy machine may open it later: measure from a second after it is open.
                        start_at = max(settle, (run.wait_for("panel-open-ns") - run.t0) / 1e9 + 1)
                    run.sleep_until(start_at)
                    pid, server = run.pid, self.prefix.server
                    wakes_before = sum(n for _, n in wake_counts(pid).values())
                    before = (cpu_seconds(pid), cpu_seconds(server), cpu_seconds(self.xvfb.p.pid))
                    start = time.monotonic()
                    time.sleep(seconds)
                    after = (cpu_seconds(pid), cpu_seconds(server), cpu_seconds(self.xvfb.p.pid))
                    span = time.monotonic() - start
                    wakes = sum(n for _, n in wake_counts(pid).values()) - wakes_before
                    if not run.alive():
                        raise RuntimeError(f"{kind} ended early: {run.lines[-5:]}")
                    scale = seconds / span  # a late wake-up of the harness is not extra CPU
                    self.res["cpu"][kind].append({
                        "program_s": (after[0] - before[0]) * scale,
                        "server_s": (after[1] - before[1]) * scale,
                        "x_server_s": (after[2] - before[2]) * scale,
                        "wake_per_s": wakes / span,
                        "from_s": start_at})
                finally:
                    run.stop()


# ---- the table ----------------------------------------------------------------------------

def wine_version():
    try:
        return subprocess.run(["wine", "--version"], capture_output=True, text=True,
                              env=dict(os.environ, **WINE_ENV)).stdout.strip()
    except OSError:
        return "unknown"


def table(results, args):
    r = results["figures"]
    m = results["meta"]
    rows = []

    def row(figure, target, probe, bare):
        rows.append(f"| {figure} | {target} | {probe} | {bare} |")

    def startup(key, label):
        probe, bare = r[key]["probe"], r[key]["bare"]
        if not probe or not bare:
            return
        ratio = med(probe) / med(bare)
        row(label, "<= 1.15 x bare window",
            f"{med(probe):.0f} ms (worst {max(probe):.0f} ms) = {ratio:.2f} x, "
            f"{verdict(ratio <= 1.15)}", f"{med(bare):.0f} ms (worst {max(bare):.0f} ms)")

    startup("startup", "Launch to first frame, Wine's desktop running")
    startup("startup_fresh", "Launch to first frame, Wine's desktop started by the program")
    if r["main"]["probe"]:
        row("Launch to WinMain, Wine's desktop running", "for reference",
            f"{med(r['main']['probe']):.0f} ms", f"{med(r['main']['bare']):.0f} ms")
        row("Launch to the end of start(), the controls' own windows painted too", "for reference",
            f"{med(r['shown']['probe']):.0f} ms", "(its first frame)")
    if r["startup_cpu"]["probe"]:
        def cpu_to_paint(kind, i):
            return med([c[i] for c in r["startup_cpu"][kind] if c])
        prog, bare = cpu_to_paint("probe", 0), cpu_to_paint("bare", 0)
        row("CPU from launch to first frame, Wine's desktop running: the .exe's process "
            "(wineserver's)", "for reference",
            f"{prog:.0f} ms = {prog / bare:.2f} x ({cpu_to_paint('probe', 1):.0f} ms)",
            f"{bare:.0f} ms ({cpu_to_paint('bare', 1):.0f} ms)")
    if r["rss_mb"]["probe"]:
        probe, bare = med(r["rss_mb"]["probe"]), med(r["rss_mb"]["bare"])
        row("Resident memory 5 s after the start (VmRSS)", "for reference",
            f"{probe:.1f} MB = bare window + {probe - bare:.1f} MB ({probe / bare:.2f} x)",
            f"{bare:.1f} MB")
    if r["cpu"]["probe"]:
        def cpu(kind, key):
            return med([span[key] for span in r["cpu"][kind]])
        secs = f"{args.cpu_seconds:g} s"
        prog, bare = cpu("probe", "program_s"), cpu("bare", "program_s")
        row(f"CPU over {secs}, \"Text Animation\" open; the bare window shown", "for reference",
            f"{prog:.2f} s = {100 * prog / args.cpu_seconds:.1f} % of a core", f"{bare:.2f} s")
        row(f"wineserver's CPU over the same {secs}", "for reference",
            f"{cpu('probe', 'server_s'):.2f} s", f"{cpu('bare', 'server_s'):.2f} s")
        row(f"Xvfb's CPU over the same {secs}", "for reference",
            f"{cpu('probe', 'x_server_s'):.2f} s", f"{cpu('bare', 'x_server_s'):.2f} s")
        row(f"Wake-ups a second over the same {secs}", "for reference",
            f"{cpu('probe', 'wake_per_s'):.1f}", f"{cpu('bare', 'wake_per_s'):.1f}")
    if r["wake"]["probe"]:
        def wake(kind, key):
            return med([span[key] for span in r["wake"][kind]])

        def threads(kind):
            names = sorted({n for span in r["wake"][kind] for n in span["threads"]},
                           key=lambda n: (n != "main", n))
            parts = [(n, med([span["threads"].get(n, 0) for span in r["wake"][kind]]))
                     for n in names]
            return ", ".join(f"{n} {v:.1f}" for n, v in parts if v >= 0.05) or "none"
        secs = f"{args.wake_seconds:g} s"
        row(f"Wake-ups a second, shown with no panel open, over {secs}", "for reference",
            f"{wake('probe', 'per_s'):.1f} ({threads('probe')})",
            f"{wake('bare', 'per_s'):.1f} ({threads('bare')})")
        row(f"wineserver's wake-ups a second over the same {secs}", "for reference",
            f"{wake('probe', 'server_per_s'):.1f}", f"{wake('bare', 'server_per_s'):.1f}")
        row(f"CPU over the same {secs}", "for reference",
            f"{wake('probe', 'cpu_s'):.2f} s", f"{wake('bare', 'cpu_s'):.2f} s")

    n_fresh = len(r["startup_fresh"]["probe"])
    n_kept = len(r["startup"]["probe"])
    n_cpu = len(r["cpu"]["probe"])
    out = [
        f"Machine: {m['machine']}; {m['wine']}; load average {m['load_before']} before, "
        f"{m['load_after']} after.",
        f"Under Wine on Xvfb 1280x1024x24 (no window manager), in a prefix of the run's own kept "
        f"running with `wineserver -p`; each program started with `wine <exe>`. Medians of "
        f"alternating runs, the program (bench/win32/glimmerdeck_probe.exe) and the bare window "
        f"(bench/win32/bare_window.exe: a frameless 817 x 586 window with one line of text) "
        f"taking turns: {n_kept} each with Wine's desktop running (start-up, memory, wake-ups), "
        f"{n_fresh} each with the desktop started by the program, {n_cpu} each for the CPU. "
        f"Launch is the wall clock just before `wine`; first frame is the end of the window's "
        f"first WM_PAINT.",
        "",
        "| Figure | Target | Glimmerdeck | bare window |",
        "|---|---|---|---|",
    ] + rows
    return "\n".join(out)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--build", default="build-windows",
                    help="the Windows build tree (default: build-windows)")
    ap.add_argument("--runs", type=int, default=11,
                    help="alternating runs of each program for start-up, memory and wake-ups "
                         "(default 11)")
    ap.add_argument("--cpu-runs", type=int, default=3,
                    help="alternating runs of each program for the CPU span (default 3)")
    ap.add_argument("--cpu-seconds", type=float, default=60,
                    help="the CPU span with Text Animation open (default 60)")
    ap.add_argument("--wake-seconds", type=float, default=10,
                    help="the span wake-ups are counted over, shown (default 10)")
    ap.add_argument("--figures", default="fresh,kept,cpu",
                    help="which to measure (default all): fresh (start-up with the desktop "
                         "started by the program), kept (start-up, memory and wake-ups with the "
                         "desktop running), cpu")
    ap.add_argument("--json", help="also write the raw figures here")
    ap.add_argument("--markdown", help="also write the table here")
    args = ap.parse_args()
    for tool in ("Xvfb", "wine", "wineboot", "wineserver"):
        if not shutil.which(tool):
            sys.exit(f"run_bench_windows: {tool} is missing (scripts/setup.sh --windows-test)")
    figures = set(args.figures.split(","))

    load_before = load_average()
    root = tempfile.mkdtemp(prefix="gd-bench-windows-")
    xvfb = prefix = holder = None
    try:
        xvfb = Xvfb()
        prefix = Prefix(root, xvfb.display)
        bench = Bench(args, prefix, xvfb)
        for exe in (bench.probe, bench.bare):
            if not os.path.isfile(exe):
                sys.exit(f"run_bench_windows: {exe} is missing; build the windows preset first")
        # A first start of each, not measured: Wine makes its first-use registry entries and
        # caches (the fonts' above all) then.
        log("[wine] a first start of each program")
        for kind in ("probe", "bare"):
            run = bench.run(kind, ["--quit-after-ms", "1500"])
            run.wait_for("first-paint-ns", timeout=120)
            run.finish(120)
        if "fresh" in figures:
            bench.startup_fresh()
        holder = bench.run("bare", ["--no-window"])
        holder.wait_for("main-ns", timeout=60)
        deadline = time.monotonic() + 30
        while not prefix.processes("explorer.exe"):
            if time.monotonic() > deadline:
                raise RuntimeError("Wine's desktop process did not start")
            time.sleep(0.05)
        if "kept" in figures:
            bench.startup_memory_wake()
        if "cpu" in figures:
            bench.cpu()
    finally:
        if holder:
            holder.kill()
        if prefix:
            prefix.stop()
        if xvfb:
            xvfb.stop()
        shutil.rmtree(root, ignore_errors=True)
    load_after = load_average()
    results = {"figures": bench.res,
               "meta": {"machine": machine(), "wine": wine_version(), "load_before": load_before,
                        "load_after": load_after, "args": vars(args)}}
    text = table(results, args)
    report(text, results, args)


if __name__ == "__main__":
    main()
