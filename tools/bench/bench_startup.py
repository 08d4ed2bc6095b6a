#!/usr/bin/env python3
"""Start-up benchmark (not a test: it prints figures). Run it through scripts/bench.sh.

For each of UpliftBeacon.exe and minimal_window.exe, in alternation within the same run: the time from
CreateProcess to input-idle (WaitForInputIdle), to the first window with the program's title and, for the
program, to its icon in the notification area (Wine's standalone tray window shown, as the end-to-end tests
see it), measured by start_timer.exe inside Wine; the medians and their ratios. Then the resident memory of
each 3 s after its start, by mapped file; where the start's time goes (the DLLs loaded and the program's own
steps, with Wine's time stamps); and the size and DLL imports of the program.
"""

import argparse
import os
import collections
import re
import statistics
import subprocess
import sys
import tempfile
import time
import shutil

# The end-to-end tests' helpers drive the program the same way.
E2E = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e")
sys.path.insert(0, E2E)

from e2e_support import (OPTIONS_TITLE, STORE_KEYS, WM_CLOSE, Started, probe, reg_write, run,  # noqa: E402
                         wait_until, windows)

TRAY_CLASS = "__winex11_standalone_tray"  # Wine's notification area without a desktop shell
GOAL = 1.25


def start_once(timer, exe, title, tray):
    """One timed start, closed again by start_timer.exe; returns (idle_ms, window_ms, icon_ms or None)."""
    out = run("wine", timer, exe, title, *([tray] if tray else []))
    fields = dict(line.split("\t", 1) for line in out.splitlines() if "\t" in line)
    icon = float(fields["icon_ms"]) if "icon_ms" in fields else None
    return float(fields["input_idle_ms"]), float(fields["window_ms"]), icon


class Running:
    """A program started with `wine` from a private copy, closed again with WM_CLOSE to its window."""

    def __init__(self, exe, title, debug="-all", env=None):
        self.folder = tempfile.mkdtemp(prefix="uplift-bench-")
        copy = os.path.join(self.folder, os.path.basename(exe))
        shutil.copy2(exe, copy)
        saved = dict(os.environ)
        os.environ.update(env or {})
        try:
            self.started_at = time.monotonic()
            self.program = Started(copy, "startup", debug=debug)
        finally:
            os.environ.clear()
            os.environ.update(saved)
        self.window = wait_until(lambda: self.program.running() and windows(title=title), "the window " + title)[0]

    def close(self):
        probe("post", self.window["hwnd"], WM_CLOSE, check=False)
        try:
            self.program.popen.wait(timeout=10)
        except subprocess.TimeoutExpired:
            pass
        self.program.kill()
        shutil.rmtree(self.folder, True)


def resident(pid):
    """(VmRSS kB, {mapped file or kind: resident kB}) of a process, from /proc."""
    with open("/proc/%d/status" % pid) as f:
        total = int(re.search(r"^VmRSS:\s+(\d+)", f.read(), re.M).group(1))
    parts, name = collections.Counter(), None
    with open("/proc/%d/smaps" % pid) as f:
        for line in f:
            fields = line.split()
            if re.match(r"^[0-9a-f]+-[0-9a-f]+ ", line):
                path = fields[5] if len(fields) > 5 else ""
                name = os.path.basename(path) if path.startswith("/") else (path or "(anonymous)")
            elif fields and fields[0] == "Rss:":
                parts[name] += int(fields[1])
    return total, parts


def memory(exe, title, settle):
    """resident() of the program settle seconds after its start."""
    subject = Running(exe, title)
    try:
        time.sleep(max(0.0, settle - (time.monotonic() - subject.started_at)))
        return resident(subject.program.popen.pid)
    finally:
        subject.close()


def timeline(exe, title, tray):
    """[(ms after the program's file was mapped, event)]: the DLLs loaded and the program's own start-up steps,
    from Wine's time-stamped debug output, until the icon is shown (or the window exists)."""
    subject = Running(exe, title, debug="+timestamp,+loaddll,+debugstr", env={"UPLIFT_TRACE_START": "1"})
    try:
        if tray:
            wait_until(lambda: windows(TRAY_CLASS, visible=True), "the icon")
        time.sleep(1.0)
    finally:
        subject.close()
    with open(subject.program.log.name, "rb") as f:
        text = f.read().decode("utf-8", "replace")
    events = []
    for stamp, channel, rest in re.findall(r"^(\d+\.\d+):[0-9a-f]+:(?:trace|warn):(loaddll|debugstr):(.*)$", text, re.M):
        loaded = re.search(r'Loaded L"([^"]+)"', rest)
        step = re.search(r'"start-up: ([^"\\]+)', rest)
        if channel == "loaddll" and loaded:
            events.append((float(stamp), "load " + re.split(r"[\\/]", loaded.group(1))[-1]))
        elif channel == "debugstr" and step:
            events.append((float(stamp), step.group(1)))
    if not events:
        return []
    first = events[0][0]
    return [(1000 * (stamp - first), what) for stamp, what in events]


def print_timeline(name, events):
    """Events of the same millisecond on one line."""
    print("  %s:" % name)
    lines = collections.OrderedDict()
    for ms, what in events:
        lines.setdefault(round(ms), []).append(what)
    for ms, whats in lines.items():
        print("    %5d ms  %s" % (ms, ", ".join(whats)))


def dll_imports(exe, objdump):
    try:
        out = subprocess.run([objdump, "-p", exe], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                             check=True).stdout.decode("utf-8", "replace")
    except (OSError, subprocess.CalledProcessError) as error:
        return ["(objdump failed: %s)" % error]
    return [m.group(1) for m in re.finditer(r"DLL Name:\s*(\S+)", out)]


def describe(values):
    return "median %7.1f ms  (min %7.1f, max %7.1f)" % (statistics.median(values), min(values), max(values))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--exe", required=True, help="UpliftBeacon.exe")
    parser.add_argument("--start-timer", required=True, help="start_timer.exe")
    parser.add_argument("--minimal", required=True, help="minimal_window.exe")
    parser.add_argument("--probe", required=True, help="probe.exe")
    parser.add_argument("--logs", default="")
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--objdump", default="x86_64-w64-mingw32-objdump")
    args = parser.parse_args()
    if not os.environ.get("WINEPREFIX") or not os.environ.get("DISPLAY"):
        print("cannot run: WINEPREFIX or DISPLAY not set (run through scripts/bench.sh)", file=sys.stderr)
        return 2
    os.environ["UPLIFT_PROBE"] = os.path.abspath(args.probe)
    os.environ["UPLIFT_E2E_LOGS"] = os.path.abspath(args.logs or tempfile.mkdtemp(prefix="uplift-bench-logs-"))
    reg_write({}, delete=STORE_KEYS)
    timer = os.path.abspath(args.start_timer)

    subjects = [("UpliftBeacon.exe", os.path.abspath(args.exe), OPTIONS_TITLE, TRAY_CLASS),
                ("minimal_window.exe", os.path.abspath(args.minimal), "Minimal Window", None)]
    for _, exe, title, tray in subjects:  # warm-up: file cache, first start of a fresh store
        start_once(timer, exe, title, tray)
    idle, window, icon = ({name: [] for name, _, _, _ in subjects} for _ in range(3))
    for _ in range(args.runs):
        for name, exe, title, tray in subjects:
            i, w, c = start_once(timer, exe, title, tray)
            idle[name].append(i)
            window[name].append(w)
            if c is not None:
                icon[name].append(c)

    print("Start-up under Wine (%d runs each, alternating; times from CreateProcess):" % args.runs)
    for name, _, _, _ in subjects:
        print("  %-20s input idle: %s" % (name, describe(idle[name])))
        print("  %-20s window:     %s" % ("", describe(window[name])))
        if icon[name]:
            print("  %-20s icon:       %s" % ("", describe(icon[name])))
    program, baseline = subjects[0][0], subjects[1][0]
    print("  ratio %s / %s (medians): input idle %.2f, window %.2f" % (
        program, baseline,
        statistics.median(idle[program]) / statistics.median(idle[baseline]),
        statistics.median(window[program]) / statistics.median(window[baseline])))
    print()

    (ours, our_parts), (bare, bare_parts) = (memory(exe, title, 3.0) for _, exe, title, _ in subjects)
    print("Resident memory 3 s after the start (kB), the largest differences by mapped file:")
    print("  %-28s %9s %9s %9s" % ("", program, baseline, "more"))
    print("  %-28s %9d %9d %+9d" % ("VmRSS", ours, bare, ours - bare))
    names = sorted(set(our_parts) | set(bare_parts), key=lambda n: bare_parts[n] - our_parts[n])
    for name in names[:16]:
        if our_parts[name] != bare_parts[name]:
            print("  %-28s %9d %9d %+9d" % (name[:28], our_parts[name], bare_parts[name],
                                            our_parts[name] - bare_parts[name]))
    print()

    print("Where the start's time goes (one start each, Wine's time stamps, ms after the program's file was mapped):")
    for name, exe, title, tray in subjects:
        print_timeline(name, timeline(exe, title, tray))
    print()

    window_ms = statistics.median(window[baseline])
    figures = [("start to the first window", statistics.median(window[program]), window_ms, "ms"),
               ("start to the icon", statistics.median(icon[program]), window_ms, "ms"),
               ("VmRSS 3 s after the start", ours, bare, "kB")]
    print("Against %s (goal: at most %.2fx each; the icon against its start to its window):" % (baseline, GOAL))
    for label, value, base, unit in figures:
        ratio = value / base
        print("  %-28s %8.1f %s vs %8.1f %s: %.2fx  %s" % (label, value, unit, base, unit, ratio,
                                                        "met" if ratio <= GOAL else "NOT MET"))
    print()
    print("%s: %d bytes" % (args.exe, os.path.getsize(args.exe)))
    print("DLL imports: %s" % ", ".join(dll_imports(args.exe, args.objdump)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
