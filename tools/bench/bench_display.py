#!/usr/bin/env python3
"""Display benchmark (not a test: it prints figures). Run it through scripts/bench.sh.

1. Showing length seen from outside: probe.exe polls IsWindowVisible of the message window (every
   --interval-us, default 200 us) and time-stamps each change; observed length = hidden - shown, against the
   length asked for (1 ms, 50 ms, 1 s, 5 s): median and worst error over several showings each.
2. Processor time (utime + stime from /proc/<pid>/stat) of the program's process and of the prefix's wineserver:
   inside a 5 s showing (4 s measured, nothing polling) and during a count-down with nothing to show.
3. Resident memory (VmRSS, RssAnon) of UpliftBeacon.exe against minimal_window.exe, both started with
   `wine <exe>` from the same kind of folder.
4. The region benchmark tools/bench/region_bench.exe (per-pixel region against the DIB scan).
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

# The end-to-end tests' helpers drive the program the same way.
E2E = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e")
sys.path.insert(0, E2E)

import e2e_support  # noqa: E402
from e2e_support import (MESSAGE_CLASS, OPTIONS_TITLE, PARAM_KEY, WM_CLOSE, Program, VisibilityWatch,  # noqa: E402
                         clean_store, probe, program_pid, set_sz, wine_env)

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


class Subject:
    """A program started from a private copy with the given settings."""

    def __init__(self, exe, settings):
        clean_store()
        for name, value in settings.items():
            set_sz(name, value)
        self.folder = tempfile.mkdtemp(prefix="uplift-bench-")
        copy = os.path.join(self.folder, os.path.basename(exe))
        shutil.copy2(exe, copy)
        self.program = Program(copy)
        self.program.wait_ready()
        self.pid = program_pid()

    def close(self):
        if self.program.running():
            probe("post", OPTIONS_TITLE, WM_CLOSE, check=False)
            self.program.wait_exit(10)
        self.program.kill()
        shutil.rmtree(self.folder, True)
        clean_store()


def showing_lengths(exe, index, asked_ms, count, interval_us):
    subject = Subject(exe, {"Pause": PAUSE_1_S, "Time": index, "optTimeLength": "True", "ScreenBackground": BOX,
                            "txtCaption": "Measure me"})
    try:
        watch = VisibilityWatch(MESSAGE_CLASS, subject.pid, count * (asked_ms / 1000 + 3) + 20, edges=2 * count,
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


def cpu_during_showing(exe, server):
    """Processor time inside a 5 s showing: 4 s measured from 0.5 s after the window appeared, nothing polling."""
    subject = Subject(exe, {"Pause": PAUSE_1_S, "Time": TIME_5_S, "optTimeLength": "True", "ScreenBackground": BOX,
                            "txtCaption": "Measure me"})
    try:
        watch = VisibilityWatch(MESSAGE_CLASS, subject.pid, 20, edges=1, interval_us=5000)
        try:
            shown = watch.wait_for(True, 15)
        finally:
            watch.stop()
        time.sleep(max(0.0, shown[1] + 0.5 - time.time()))
        return measure_cpu(subject.program.pid, server, 4.0)
    finally:
        subject.close()


def cpu_during_countdown(exe, server, seconds):
    subject = Subject(exe, {"Pause": PAUSE_60_S, "Time": TIME_5_S, "optTimeLength": "True", "ScreenBackground": BOX,
                            "txtCaption": "Measure me"})
    try:
        time.sleep(1.0)
        return measure_cpu(subject.program.pid, server, seconds)
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
    """VmRSS and RssAnon (kB) of a program started with `wine <copy of exe>` once it is idle."""
    clean_store()
    for name, value in settings.items():
        set_sz(name, value)
    folder = tempfile.mkdtemp(prefix="uplift-bench-")
    copy = os.path.join(folder, os.path.basename(exe))
    shutil.copy2(exe, copy)
    program = Program(copy)
    try:
        probe("wait-idle", title, 30000)
        time.sleep(settle)
        return status_kb(program.pid, "VmRSS"), status_kb(program.pid, "RssAnon")
    finally:
        if program.running():
            probe("post", title, WM_CLOSE, check=False)
            program.wait_exit(10)
        program.kill()
        shutil.rmtree(folder, True)
        clean_store()


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
    problem = e2e_support.session_problem()
    if problem:
        print("cannot run: " + problem, file=sys.stderr)
        return 2
    if e2e_support.window_count() != 0:
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
    print_cpu("inside a 5 s showing", cpu_during_showing(exe, server))
    sys.stdout.flush()
    print_cpu("count-down with a 60 s pause, nothing shown", cpu_during_countdown(exe, server, args.countdown_seconds))
    baseline = min(args.countdown_seconds, 20.0)
    print_cpu("for comparison, the prefix without the program", {
        **measure_cpu(None, server, baseline), "program": (float("nan"), float("nan"))})
    print()

    settings = {"Pause": PAUSE_60_S, "Time": TIME_5_S, "ScreenBackground": BOX}
    ours = memory(exe, settings, OPTIONS_TITLE, 3.0)
    minimal = memory(os.path.abspath(args.minimal), {}, "Minimal Window", 3.0)
    print("Resident memory, idle 3 s after input-idle (kB):")
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
