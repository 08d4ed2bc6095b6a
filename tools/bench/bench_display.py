#!/usr/bin/env python3
"""Display benchmark (not a test: it prints figures). Run it through scripts/bench.sh.

1. Showing length seen from outside: probe.exe polls IsWindowVisible of the message window (every
   --interval-us, default 200 us) and time-stamps each change; observed length = hidden - shown, against the
   length asked for (1 ms, 50 ms, 1 s, 5 s): median and worst error over several showings each.
2. Escape typed into Wine's notepad (which keeps the focus) during a showing that lasts until Escape: the time
   from xdotool's start to the first poll that saw the window hidden.
3. Processor time (utime + stime from /proc/<pid>/stat) of the program's process and of the prefix's wineserver:
   inside a 5 s showing (4 s measured, nothing polling) and during a count-down with nothing to show.
4. Resident memory (VmRSS, RssAnon) of UpliftBeacon.exe against minimal_window.exe, both started with
   `wine <exe>` from the same kind of folder.
5. The region benchmark tools/bench/region_bench.exe (per-pixel region against the DIB scan).
"""

import argparse
import os
import queue
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

# The end-to-end tests' helpers drive the program the same way.
E2E = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e")
sys.path.insert(0, E2E)

from e2e_support import (MESSAGE_CLASS, OPTIONS_TITLE, STORE_KEYS, WM_CLOSE, Started,  # noqa: E402
                         options_window, probe, reg_write, wait_until, windows, wine_env, xdotool)

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")
# (index of the time length, milliseconds, showings)
LENGTHS = [("0", 1, 10), ("7", 50, 10), ("15", 1000, 5), ("19", 5000, 3)]
PAUSE_1_S = "0"
PAUSE_60_S = "10"
TIME_5_S = "19"
BOX = "1"


def cpu_ticks(pid):
    """utime + stime of a unix process in clock ticks, or None when it is gone."""
    try:
        with open("/proc/%d/stat" % pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
    except OSError:
        return None
    return int(fields[11]) + int(fields[12])  # fields 14 and 15 of stat, counted after the name


def run_ns(pid):
    """Time on a processor of every thread of a unix process (/proc/<pid>/task/*/schedstat, nanoseconds): finer than
    the 10 ms clock ticks of utime + stime. None when the process is gone."""
    total = 0
    try:
        tasks = os.listdir("/proc/%d/task" % pid)
    except OSError:
        return None
    for task in tasks:
        try:
            with open("/proc/%d/task/%s/schedstat" % (pid, task)) as f:
                total += int(f.read().split()[0])
        except (OSError, ValueError, IndexError):
            continue
    return total


def status_kb(pid, name):
    try:
        with open("/proc/%d/status" % pid) as f:
            for line in f:
                if line.startswith(name + ":"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


def wineserver_pid(prefix):
    """The wineserver of the prefix: its working folder is server-<device>-<inode of the prefix>."""
    st = os.stat(prefix)
    wanted = "server-%x-%x" % (st.st_dev, st.st_ino)
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            if os.path.basename(os.readlink("/proc/%s/cwd" % entry)) != wanted:
                continue
            with open("/proc/%s/comm" % entry) as f:
                if f.read().strip().startswith("wineserver"):
                    return int(entry)
        except OSError:
            continue
    return None


class VisibilityWatch:
    """probe watch beside the benchmark: each change of the visibility of the program's message window,
    time-stamped in the probe (unix time, the clock of time.time()) as it polls."""

    def __init__(self, pid, seconds, edges=0, interval_us=250):
        self.popen = subprocess.Popen(["wine", os.environ["UPLIFT_PROBE"], "watch", MESSAGE_CLASS, str(pid),
                                       str(int(seconds * 1000)), str(edges), str(interval_us)],
                                      stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                      env=wine_env())
        self.lines = queue.Queue()
        self.polls = None
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for raw in self.popen.stdout:
            fields = raw.decode("utf-8", "replace").rstrip("\n").split("\t")
            if fields[0] == "state":
                self.lines.put((fields[1] == "1", int(fields[2]) / 1e6, int(fields[3]) / 1e6))
            elif fields[0] == "polls":
                self.polls = (int(fields[1]), float(fields[2]))
        self.lines.put(None)

    def wait_for(self, visible, timeout):
        """The next change to that state: (visible, time, time of the poll before)."""
        deadline = time.monotonic() + timeout
        while True:
            try:
                event = self.lines.get(timeout=max(0.0, deadline - time.monotonic()))
            except queue.Empty:
                event = None
            if event is None:
                raise RuntimeError("the message window did not become %s" % ("visible" if visible else "hidden"))
            if event[0] == visible:
                return event

    def stop(self):
        if self.popen.poll() is None:
            os.kill(self.popen.pid, signal.SIGKILL)
        self.popen.wait()
        self.reader.join(timeout=5)

    def finish(self, timeout):
        try:
            return self.popen.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None
        finally:
            self.stop()


class Subject:
    """A program started from a private copy with the given settings (an empty store besides), once it has its
    window with that title."""

    def __init__(self, exe, settings, title=OPTIONS_TITLE, debug="-all"):
        reg_write(settings, delete=STORE_KEYS)
        self.folder = tempfile.mkdtemp(prefix="uplift-bench-")
        copy = os.path.join(self.folder, os.path.basename(exe))
        shutil.copy2(exe, copy)
        self.program = Started(copy, "bench", debug=debug)
        self.window = wait_until(lambda: self.program.running() and windows(title=title), "the window " + title)[0]
        self.pid = self.window["pid"]

    def close(self):
        if self.program.running():
            probe("post", self.window["hwnd"], WM_CLOSE, check=False)
            try:
                self.program.wait_exit(10)
            except AssertionError:
                pass
        self.program.kill()
        shutil.rmtree(self.folder, True)
        reg_write({}, delete=STORE_KEYS)


def showing_lengths(exe, index, asked_ms, count, interval_us):
    subject = Subject(exe, {"Pause": PAUSE_1_S, "Time": index, "optTimeLength": "True", "ScreenBackground": BOX,
                            "txtCaption": "Measure me"})
    try:
        watch = VisibilityWatch(subject.pid, count * (asked_ms / 1000 + 3) + 20, edges=2 * count,
                                interval_us=interval_us)
        lengths = []
        gaps = []
        try:
            for _ in range(count):
                shown = watch.wait_for(True, 15)
                hidden = watch.wait_for(False, asked_ms / 1000 + 10)
                lengths.append((hidden[1] - shown[1]) * 1000)
                gaps.append(max(hidden[1] - hidden[2], shown[1] - shown[2]) * 1000)
            watch.finish(10)
        finally:
            watch.stop()
        return lengths, gaps, watch.polls
    finally:
        subject.close()


def scheduled_in(pid):
    """How often the process's first thread (the one with the program's windows) was put on a processor: the third
    field of its schedstat. Every wait that ends counts, and so does every call into the wineserver."""
    try:
        with open("/proc/%d/task/%d/schedstat" % (pid, pid)) as f:
            return int(f.read().split()[2])
    except (OSError, ValueError, IndexError):
        return None


def held_showings(log_path):
    """(milliseconds, wakes) of each showing, from the program's debug output."""
    with open(log_path, "rb") as f:
        text = f.read().decode("utf-8", "replace")
    return [(int(ms), int(wakes)) for ms, wakes in re.findall(r"showing held (\d+) ms, (\d+) wakes", text)]


def cpu_during_showing(exe, server):
    """Processor time inside a 5 s showing: 4 s measured from 0.5 s after the window appeared, nothing polling.
    Also the wakes of the program's thread during that whole showing: the program's own count of its waits (in its
    debug output) and the times its thread was put on a processor."""
    subject = Subject(exe, {"Pause": PAUSE_1_S, "Time": TIME_5_S, "optTimeLength": "True", "ScreenBackground": BOX,
                            "txtCaption": "Measure me"}, debug="-all,+debugstr")
    try:
        watch = VisibilityWatch(subject.pid, 20, edges=1, interval_us=5000)
        try:
            shown = watch.wait_for(True, 15)
            runs_before = scheduled_in(subject.program.popen.pid)
        finally:
            watch.stop()
        time.sleep(max(0.0, shown[1] + 0.5 - time.time()))
        figures = measure_cpu(subject.program.popen.pid, server, 4.0)
        # The line comes as the showing ends.
        wait_until(lambda: held_showings(subject.program.log.name), "the showing's line in the debug output")
        runs_after = scheduled_in(subject.program.popen.pid)
        figures["wakes"] = held_showings(subject.program.log.name)[0]
        figures["scheduled"] = runs_after - runs_before if runs_before is not None and runs_after else None
        return figures
    finally:
        subject.close()


def cpu_during_countdown(exe, server, seconds):
    subject = Subject(exe, {"Pause": PAUSE_60_S, "Time": TIME_5_S, "optTimeLength": "True", "ScreenBackground": BOX,
                            "txtCaption": "Measure me"})
    try:
        time.sleep(1.0)
        return measure_cpu(subject.program.popen.pid, server, seconds)
    finally:
        subject.close()


def measure_cpu(pid, server, seconds):
    """{'elapsed': s, 'program': (ticks s, schedstat s), 'wineserver': (ticks s, schedstat s)} over seconds."""
    subjects = {"program": pid, "wineserver": server}
    t0 = time.monotonic()
    before = {name: (cpu_ticks(p), run_ns(p)) if p else (None, None) for name, p in subjects.items()}
    time.sleep(seconds)
    after = {name: (cpu_ticks(p), run_ns(p)) if p else (None, None) for name, p in subjects.items()}
    result = {"elapsed": time.monotonic() - t0}
    for name in subjects:
        (t_0, n_0), (t_1, n_1) = before[name], after[name]
        ticks = (t_1 - t_0) / CLOCK_TICKS if t_0 is not None and t_1 is not None else float("nan")
        ns = (n_1 - n_0) / 1e9 if n_0 is not None and n_1 is not None else float("nan")
        result[name] = (ticks, ns)
    return result


def print_cpu(label, figures):
    elapsed = figures["elapsed"]
    print("  %s (%.1f s measured):" % (label, elapsed))
    for name in ("program", "wineserver"):
        ticks, ns = figures[name]
        if ticks != ticks and ns != ns:  # not measured
            continue
        print("    %-10s utime+stime %6.2f s (%5.2f %% of a core); on-CPU time (schedstat) %8.1f ms (%6.3f %%)" % (
            name, ticks, 100 * ticks / elapsed, ns * 1000, 100 * ns / elapsed))


def memory(exe, settings, title, settle):
    """VmRSS and RssAnon (kB) of a program started with `wine <copy of exe>`, settle seconds after its window came."""
    subject = Subject(exe, settings, title)
    try:
        time.sleep(settle)
        return status_kb(subject.program.popen.pid, "VmRSS"), status_kb(subject.program.popen.pid, "RssAnon")
    finally:
        subject.close()


def escape_latencies(exe, runs, interval_us):
    """Escape typed into Wine's notepad (which keeps the focus) during showings that last until Escape: the time
    from the start of xdotool to the first poll that saw the window hidden, in ms."""
    notepad = Started(r"C:\windows\system32\notepad.exe", "bench-notepad")
    subject = None
    try:
        wait_until(lambda: [w for w in windows("Notepad") if w["foreground"]], "notepad with the focus")
        subject = Subject(exe, {"Pause": PAUSE_1_S, "optTimeLength": "False", "ScreenBackground": BOX,
                                "txtCaption": "Measure me"})
        watch = VisibilityWatch(subject.pid, 60 + 10 * runs, interval_us=interval_us)
        latencies = []
        try:
            for _ in range(runs):
                watch.wait_for(True, 15)
                # The program forgets an Escape pressed before its holding loop starts, which is a little after
                # the window shows: a key typed at once can be lost (seen here under load).
                time.sleep(0.3)
                before = time.time()
                xdotool("key", "Escape")
                latencies.append((watch.wait_for(False, 10)[1] - before) * 1000)
        finally:
            watch.stop()
        return latencies
    finally:
        if subject:
            subject.close()
        notepad.kill()


def describe_errors(asked, lengths):
    errors = [length - asked for length in lengths]
    worst = max(errors, key=abs)
    return statistics.median(lengths), statistics.median(errors), worst


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--exe", required=True, help="UpliftBeacon.exe")
    parser.add_argument("--probe", required=True, help="probe.exe")
    parser.add_argument("--minimal", required=True, help="minimal_window.exe")
    parser.add_argument("--region-bench", default="", help="region_bench.exe (left out when empty)")
    parser.add_argument("--interval-us", type=int, default=200, help="polling interval of the probe")
    parser.add_argument("--countdown-seconds", type=float, default=60.0)
    parser.add_argument("--logs", default="")
    args = parser.parse_args()
    os.environ["UPLIFT_PROBE"] = os.path.abspath(args.probe)
    os.environ["UPLIFT_E2E_LOGS"] = os.path.abspath(args.logs or tempfile.mkdtemp(prefix="uplift-bench-logs-"))
    if not os.environ.get("WINEPREFIX") or not os.environ.get("DISPLAY"):
        print("cannot run: WINEPREFIX or DISPLAY not set (run through scripts/bench.sh)", file=sys.stderr)
        return 2
    if options_window() is not None:
        print("cannot run: a window %r exists (another copy runs in this prefix)" % OPTIONS_TITLE, file=sys.stderr)
        return 2
    exe = os.path.abspath(args.exe)
    server = wineserver_pid(os.environ["WINEPREFIX"])

    print("Showing length seen from outside (probe polls IsWindowVisible every %d us; box style, pause 1 s):"
          % args.interval_us)
    print("  %-8s %5s %12s %14s %14s %16s %12s" % ("asked", "runs", "median", "median error", "worst error",
                                                    "poll gap (max)", "mean poll"))
    for index, asked, count in LENGTHS:
        lengths, gaps, polls = showing_lengths(exe, index, asked, count, args.interval_us)
        median, median_error, worst = describe_errors(asked, lengths)
        print("  %6d ms %5d %9.2f ms %+11.2f ms %+11.2f ms %13.2f ms %9s us" % (
            asked, count, median, median_error, worst, max(gaps), "%.0f" % polls[1] if polls else "?"))
        sys.stdout.flush()
    print()

    print("Processor time of the program's process and of the prefix's wineserver (pid %s); nothing polls:" % server)
    showing = cpu_during_showing(exe, server)
    print_cpu("inside a 5 s showing", showing)
    print("  wakes of the program's thread during that showing: %d (its own count of the waits that ended, over "
          "%d ms); put on a processor %s times (every call into the wineserver counts too)"
          % (showing["wakes"][1], showing["wakes"][0], showing["scheduled"]))
    sys.stdout.flush()
    print_cpu("count-down with a 60 s pause, nothing shown", cpu_during_countdown(exe, server, args.countdown_seconds))
    baseline = min(args.countdown_seconds, 20.0)
    print_cpu("for comparison, the prefix without the program", {
        **measure_cpu(None, server, baseline), "program": (float("nan"), float("nan"))})
    print()

    latencies = escape_latencies(exe, 5, 1000)
    print("Escape typed into notepad to the hidden showing (xdotool start to the first poll that saw it hidden, %d "
          "runs, polled every ms): median %.1f ms, worst %.1f ms"
          % (len(latencies), statistics.median(latencies), max(latencies)))
    print()

    settings = {"Pause": PAUSE_60_S, "Time": TIME_5_S, "ScreenBackground": BOX}
    ours = memory(exe, settings, OPTIONS_TITLE, 3.0)
    minimal = memory(os.path.abspath(args.minimal), {}, "Minimal Window", 3.0)
    print("Resident memory, 3 s after the first window (kB):")
    print("  %-20s VmRSS %7s   RssAnon %7s" % ("UpliftBeacon.exe", ours[0], ours[1]))
    print("  %-20s VmRSS %7s   RssAnon %7s" % ("minimal_window.exe", minimal[0], minimal[1]))
    if ours[0] and minimal[0]:
        print("  ratio: VmRSS %.2f, RssAnon %.2f" % (ours[0] / minimal[0], ours[1] / minimal[1]))
    print()

    if args.region_bench:
        print("Region benchmark (%s):" % os.path.basename(args.region_bench))
        with tempfile.TemporaryFile() as out:
            subprocess.run(["wine", os.path.abspath(args.region_bench)], stdin=subprocess.DEVNULL, stdout=out,
                           stderr=subprocess.STDOUT, env=wine_env(), timeout=600)
            out.seek(0)
            for line in out.read().decode("utf-8", "replace").splitlines():
                print("  " + line)
    return 0


if __name__ == "__main__":
    sys.exit(main())
