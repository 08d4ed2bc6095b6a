#!/usr/bin/env python3
"""Soak (a benchmark, not a test: it prints figures). Run it through `scripts/bench.sh --soak`.

One copy of the program (a diagnostic build, whose debug line after each showing tells the GDI objects alive in it)
shows its affirmation for 1 ms after each pause of 1 s, 200 times in each of the three looks: the first look for the
first and the last sixth, so that the first 100 showings and the last 100 are alike. Before the first showing and
after every 50 the options dialog is opened, the list editor opened and cancelled and the about box opened and
closed, and the options dialog closed again (with OK where the look changes). After each showing: the resident memory of the process
(VmRSS), its kernel handles and its windows, children and message-only ones included (tools/bench/census.exe, from
outside), and its GDI objects (from its debug line). The figures of the last 100 showings are set against those of
the first 100: memory within 1 MB and each count within 5 is flat.
"""

import argparse
import os
import re
import statistics
import sys
import time

E2E = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e")
sys.path.insert(0, E2E)
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from bench_display import Subject, status_kb  # noqa: E402
from e2e_support import (BM_CLICK, MNU_SHOW, WM_COMMAND, controls, probe, run, shown, wait_until,  # noqa: E402
                         windows)

PAUSE_1_S, TIME_1_MS = "0", "0"
LOOKS = [("0", "Show text with transparent background"), ("1", "Show text with a background color"),
         ("2", "Show text in a full screen and a background color")]
EDITOR, ABOUT = "Affirmations list", "About Uplift Beacon"
SHOWING = re.compile(rb"showing held \d+ ms, \d+ wakes[^\n]*?, (\d+) GDI objects")


def click(window, text, first=False):
    """BM_CLICK to the control with that text: an option comes before its label, a button after the option."""
    found = controls(window)[text]
    probe("post", (found[0] if first else found[-1])["hwnd"], BM_CLICK)


def census(exe, pid):
    fields = dict(line.split("\t") for line in run("wine", exe, pid).splitlines())
    return int(fields["handles"]), int(fields["windows"])


def round_of_dialogs(subject, look):
    """The options dialog, the list editor (cancelled) and the about box (closed), then OK with the look when it
    is given, otherwise Cancel."""
    probe("post", subject.window["hwnd"], WM_COMMAND, MNU_SHOW)
    options = wait_until(lambda: shown(subject.window["title"]), "the options dialog")
    click(options, "Randomly select affirmations from list...")
    editor = wait_until(lambda: shown(EDITOR), "the list editor")
    click(editor, "&Cancel")
    wait_until(lambda: not shown(EDITOR), "the list editor to close")
    click(options, "&About...")
    about = wait_until(lambda: shown(ABOUT), "the about box")
    click(about, "OK")
    wait_until(lambda: not windows(title=ABOUT, visible=True), "the about box to close")
    if look:
        click(options, look, first=True)
    click(options, "&Ok" if look else "&Cancel")
    wait_until(lambda: not shown(subject.window["title"]), "the options dialog to close")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--exe", required=True, help="the diagnostic build of UpliftBeacon.exe")
    parser.add_argument("--probe", required=True)
    parser.add_argument("--census", required=True, help="tools/bench/census.exe")
    parser.add_argument("--logs", required=True)
    parser.add_argument("--showings", type=int, default=600)
    parser.add_argument("--every", type=int, default=50)
    args = parser.parse_args()
    os.environ["UPLIFT_PROBE"] = args.probe
    os.environ["UPLIFT_E2E_LOGS"] = args.logs
    sixth = args.showings // 6
    plan = [0] * sixth + [1] * 2 * sixth + [2] * 2 * sixth + [0] * sixth  # the look of each showing

    subject = Subject(args.exe, {"Pause": PAUSE_1_S, "Time": TIME_1_MS, "optTimeLength": "True", "optList": "False",
                                 "ScreenBackground": LOOKS[0][0], "txtCaption": "Keep going"},
                      debug="-all,+debugstr")
    log = subject.program.log.name
    samples = []  # (showing, rss kB, handles, windows, GDI objects)
    started = time.monotonic()
    try:
        round_of_dialogs(subject, None)
        for n in range(1, len(plan) + 1):
            def showings():
                with open(log, "rb") as f:
                    found = SHOWING.findall(f.read())
                return found if len(found) >= n else None
            gdi = int(wait_until(showings, "showing %d" % n)[n - 1])
            handles, wins = census(args.census, subject.window["pid"])
            samples.append((n, status_kb(subject.program.popen.pid, "VmRSS"), handles, wins, gdi))
            if n % args.every == 0 and n < len(plan):
                round_of_dialogs(subject, LOOKS[plan[n]][1] if plan[n] != plan[n - 1] else None)
            if n % 100 == 0:
                print("  %4d showings, %4.0f s: %s" % (n, time.monotonic() - started, samples[-1][1:]), flush=True)
    finally:
        subject.close()

    names = ["resident memory (kB)", "kernel handles", "windows", "GDI objects"]
    limits = [1024, 5, 5, 5]
    first, last = samples[:100], samples[-100:]
    print("Soak: %d showings of 1 ms, 1 s apart, %d in each look, dialogs every %d, in %.0f s" % (
        len(samples), len(plan) // len(LOOKS), args.every, time.monotonic() - started))
    flat = True
    for i, (name, limit) in enumerate(zip(names, limits), start=1):
        a, b = [s[i] for s in first], [s[i] for s in last]
        change = statistics.median(b) - statistics.median(a)
        flat &= abs(change) <= limit
        print("  %-22s first 100: median %8.0f (%d..%d)   last 100: median %8.0f (%d..%d)   change %+.0f (limit %d)"
              % (name, statistics.median(a), min(a), max(a), statistics.median(b), min(b), max(b), change, limit))
    print("  flat: %s" % ("yes" if flat else "NO"))
    return 0 if flat else 1


if __name__ == "__main__":
    sys.exit(main())
