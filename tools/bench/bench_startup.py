#!/usr/bin/env python3
"""Start-up benchmark (not a test: it prints figures). Run it through scripts/bench.sh.

For each of UpliftBeacon.exe and minimal_window.exe, in alternation within the same run: the time from
CreateProcess to input-idle (WaitForInputIdle) and to the first window with the program's title, measured
by start_timer.exe inside Wine; the medians, their ratio, and the size and DLL imports of the program.
"""

import argparse
import os
import re
import statistics
import subprocess
import sys

# The end-to-end tests' helpers drive the program the same way.
E2E = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e")
sys.path.insert(0, E2E)

from e2e_support import OPTIONS_TITLE, STORE_KEYS, reg_write, run  # noqa: E402


def start_once(timer, exe, title):
    """One timed start, closed again by start_timer.exe; returns (idle_ms, window_ms)."""
    out = run("wine", timer, exe, title)
    fields = dict(line.split("\t", 1) for line in out.splitlines() if "\t" in line)
    return float(fields["input_idle_ms"]), float(fields["window_ms"])


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
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--objdump", default="x86_64-w64-mingw32-objdump")
    args = parser.parse_args()
    if not os.environ.get("WINEPREFIX") or not os.environ.get("DISPLAY"):
        print("cannot run: WINEPREFIX or DISPLAY not set (run through scripts/bench.sh)", file=sys.stderr)
        return 2
    reg_write({}, delete=STORE_KEYS)
    timer = os.path.abspath(args.start_timer)

    subjects = [("UpliftBeacon.exe", os.path.abspath(args.exe), OPTIONS_TITLE),
                ("minimal_window.exe", os.path.abspath(args.minimal), "Minimal Window")]
    for _, exe, title in subjects:  # warm-up: file cache, first start of a fresh store
        start_once(timer, exe, title)
    idle = {name: [] for name, _, _ in subjects}
    window = {name: [] for name, _, _ in subjects}
    for _ in range(args.runs):
        for name, exe, title in subjects:
            i, w = start_once(timer, exe, title)
            idle[name].append(i)
            window[name].append(w)

    print("Start-up under Wine (%d runs each, alternating; times from CreateProcess):" % args.runs)
    for name, _, _ in subjects:
        print("  %-20s input idle: %s" % (name, describe(idle[name])))
        print("  %-20s window:     %s" % ("", describe(window[name])))
    program, baseline = subjects[0][0], subjects[1][0]
    print("  ratio %s / %s (medians): input idle %.2f, window %.2f" % (
        program, baseline,
        statistics.median(idle[program]) / statistics.median(idle[baseline]),
        statistics.median(window[program]) / statistics.median(window[baseline])))
    print()
    print("%s: %d bytes" % (args.exe, os.path.getsize(args.exe)))
    print("DLL imports: %s" % ", ".join(dll_imports(args.exe, args.objdump)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
