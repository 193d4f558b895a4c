"""What both whole-program benchmarks use: the process readings from /proc, an Xvfb of the run's
own, and the table's medians, verdicts and machine line (run_bench.py, run_bench_windows.py)."""

import json
import os
import statistics
import subprocess
import sys
import threading
import time

CLK_TCK = os.sysconf("SC_CLK_TCK")


def log(*args):
    print(*args, file=sys.stderr, flush=True)


def cpu_seconds(pid):
    """utime + stime of the whole process, in seconds."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    # utime and stime are fields 14 and 15; the split above starts at field 3.
    return (int(fields[11]) + int(fields[12])) / CLK_TCK


def cpu_ns(pid):
    """CPU time of the process's threads, in nanoseconds (scheduler statistics, not clock ticks)."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except OSError:
            pass  # a thread that just ended
    return total


class Reporting:
    """A started program whose standard error is read by a thread, so that it can never block on
    a full pipe, and whose reports ("KEY NUMBER" lines) can be waited for."""

    def __init__(self, cmd, env, name):
        self.name = name
        self.p = subprocess.Popen(cmd, env=env, stdin=subprocess.DEVNULL,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        self.lines = []
        self.cond = threading.Condition()
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def heard(self, line):
        """Each line as it comes, on the reader's thread, before it is kept."""

    def _read(self):
        for line in self.p.stderr:
            self.heard(line)
            with self.cond:
                self.lines.append(line.strip())
                self.cond.notify_all()
        with self.cond:
            self.cond.notify_all()

    def wait_for(self, key, timeout):
        """The number the program reported after `key`."""
        deadline = time.monotonic() + timeout
        with self.cond:
            while True:
                for line in self.lines:
                    if line.startswith(key + " "):
                        return int(line.split()[1])
                if self.p.poll() is not None and not self.reader.is_alive():
                    break
                left = deadline - time.monotonic()
                if left <= 0:
                    break
                self.cond.wait(left)
        raise RuntimeError(f"{self.name}: {key} not reported; stderr: {self.lines[-5:]}")


def wake_counts(pid):
    """Voluntary context switches of each thread, by thread id: each is a sleep that ended."""
    counts = {}
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/comm") as f:
                name = f.read().strip()
            with open(f"/proc/{pid}/task/{task}/status") as f:
                for line in f:
                    if line.startswith("voluntary_ctxt_switches:"):
                        counts[int(task)] = (name, int(line.split()[1]))
        except OSError:
            pass  # a thread that just ended
    return counts


class Xvfb:
    """An X server of the run's own, 1280x1024x24, on a display it picks itself."""

    def __init__(self):
        read_fd, write_fd = os.pipe()
        self.p = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0",
                                   "1280x1024x24", "-nolisten", "tcp"], pass_fds=(write_fd,),
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as f:
            number = f.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number

    def stop(self):
        self.p.terminate()
        self.p.wait()


def load_average():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def med(values):
    return statistics.median(values) if values else float("nan")


def verdict(ok):
    return "met" if ok else "**MISSED**"


def machine():
    model = "unknown CPU"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    return f"{os.cpu_count()} x {model}, Linux {os.uname().release}"


def report(text, results, args):
    """Prints the table, and writes it and the raw figures where --markdown and --json say."""
    print(text)
    if args.json:
        with open(args.json, "w") as f:
            json.dump(results, f, indent=1)
    if args.markdown:
        with open(args.markdown, "w") as f:
            f.write(text + "\n")
