"""The gradient title bar, which no window of the program hosts, on gradient_host.exe (UPLIFT_GRADIENT_HOST) with
the mouse through X; run by run_e2e.py, which skips them without a Wine session. The host writes JSON lines."""

import json
import os
import subprocess
import unittest

from e2e_support import kill_started, log_dir, wait_until, windows_path, wine_env

CAPTION = "Gradient & title: Crème brûlée, naïve café"


def run(*args, check=True):
    return subprocess.run([str(a) for a in args], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, env=wine_env(), check=check, timeout=60)


def centre(rect):
    return (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2


def pixels(left, top, right, bottom, save_as=None):
    """The screen's pixels in the rectangle, row by row, as (r, g, b); with save_as, kept as an artifact."""
    crop = ["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (right - left, bottom - top, left, top), "+repage"]
    if save_as:
        os.makedirs(os.path.join(log_dir(), "artifacts"), exist_ok=True)
        run(*crop, os.path.join(log_dir(), "artifacts", save_as))
    data = run(*crop, "-depth", "8", "rgb:-").stdout
    return [tuple(data[i:i + 3]) for i in range(0, len(data), 3)]


def gradient_fault(bar):
    """What is wrong with the bar's top row, or None: pure blue to black, blue never rising, no red or green."""
    row = pixels(bar[0], bar[1], bar[2], bar[1] + 1)
    if row[0] != (0, 0, 255) or row[-1] != (0, 0, 0):
        return "it runs from %s to %s" % (row[0], row[-1])
    return next(("%s follows %s" % (b, a) for a, b in zip(row, row[1:]) if b[2] > a[2] or b[0] or b[1]), None)


class Host:
    """gradient_host.exe under Wine, stopped by its pid when the test ends."""

    def __init__(self, test, *args):
        self.path, self.last = os.path.join(log_dir(), "gradient-host-%s.jsonl" % test.id().split(".")[-1]), None
        open(self.path, "w").close()  # no state from an earlier run
        self.popen = subprocess.Popen(["wine", os.environ["UPLIFT_GRADIENT_HOST"], windows_path(self.path),
                                       "--caption", CAPTION, "--at", "0,0"] + [str(a) for a in args],
                                      stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL, env=wine_env())
        test.addCleanup(kill_started, self.popen)

    def wait(self, what, predicate=lambda state: True, shot=None):
        """The latest state once predicate holds and, with shot, the bar shows its gradient there (a screenshot of
        the bar is then kept). Fails at once if the host ends."""
        def ready():
            with open(self.path, encoding="utf-8") as f:
                lines = f.read().split("\n")[:-1]
            state = self.last = json.loads(lines[-1]) if lines else None
            if self.popen.poll() is not None:
                raise AssertionError("the host ended (exit code %s)" % self.popen.returncode)
            return state if state and predicate(state) and not (shot and gradient_fault(state["bar"])) else None
        try:
            state = wait_until(ready, 30, message=what)
        except AssertionError as failure:
            raise AssertionError("%s; the host's last state: %s" % (failure, self.last)) from None
        if shot:
            pixels(*(value + margin for value, margin in zip(state["bar"], (-2, -2, 2, 2))), save_as=shot)
        return state


class GradientTitleTest(unittest.TestCase):
    def test_drag_maximize_restore_minimize_activate_close(self):
        host = Host(self, "--mask", 3, "--whats-this")
        start = host.wait("loaded", shot="gradient-title-96.png")
        self.assertEqual((start["title"], start["caption"]), ("", CAPTION), "the caption goes to the bar")
        window = wait_until(lambda: run("xdotool", "search", "--onlyvisible", "--pid", host.popen.pid,
                                        check=False).stdout.split(), 30, message="the host's X window")[0].decode()

        # Pressed, the close button looks pressed; released away from it, it does nothing.
        close, x, y = start["close"], start["bar"][0] + 150, centre(start["close"])[1]
        at_rest = pixels(*close)
        run("xdotool", "mousemove", *centre(close), "mousedown", 1)
        wait_until(lambda: pixels(*close) != at_rest, 30, message="the pressed face")
        run("xdotool", "mousemove", x, y, "mouseup", 1)

        # Dragged by its caption, the host follows the pointer (the clicks below find it where it went).
        run("xdotool", "mousemove", x, y, "mousedown", 1, "mousemove", x + 120, y + 70, "mouseup", 1)
        moved = [value + step for value, step in zip(start["rect"], (120, 70, 120, 70))]
        placed = host.wait("moved by (120, 70)", lambda s: s["rect"] == moved)

        run("xdotool", "mousemove", *centre(placed["maximize"]), "click", 1)
        maximized = host.wait("maximized", lambda s: s["zoomed"] and s["maximized"], "gradient-title-96-max.png")
        run("xdotool", "mousemove", *centre(maximized["maximize"]), "click", 1)
        host.wait("back in its place", lambda s: not s["zoomed"] and not s["maximized"] and s["rect"] == moved)
        run("xdotool", "mousemove", *centre(placed["minimize"]), "click", 1)
        host.wait("minimized", lambda s: s["iconic"] and s["minimized"])
        run("xdotool", "windowactivate", window)
        host.wait("activated", lambda s: not s["iconic"] and not s["minimized"] and s["rect"] == moved)
        run("xdotool", "mousemove", *centre(placed["close"]), "click", 1)
        self.assertEqual(host.popen.wait(timeout=30), 0)

    def test_looks_at_144_dpi(self):
        # Wine reads LogPixels as a process starts: the host gets 144 dpi, and the harness's prefix, which has
        # no such value, loses it again at once.
        value = r"HKCU\Control Panel\Desktop", "/v", "LogPixels"
        run("wine", "reg", "add", *value, "/t", "REG_DWORD", "/d", 144, "/f")
        try:
            host = Host(self, "--mask", 1, "--whats-this")
            state = host.wait("loaded", shot="gradient-title-144.png")
        finally:
            run("wine", "reg", "delete", *value, "/f", check=False)
        self.assertEqual((state["bar"][3] - state["bar"][1], state["close"][3] - state["close"][1]), (28, 21), state)
        run("xdotool", "mousemove", *centre(state["maximize"]), "click", 1)
        state = host.wait("maximized", lambda s: s["zoomed"], "gradient-title-144-max.png")
        run("xdotool", "mousemove", *centre(state["close"]), "click", 1)
        self.assertEqual(host.popen.wait(timeout=30), 0)
