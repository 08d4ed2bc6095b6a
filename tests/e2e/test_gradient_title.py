"""The gradient title bar, which no window of the program hosts, on gradient_host.exe (UPLIFT_GRADIENT_HOST)
with the mouse through X. The host appends its state to a file, one JSON line per change: its own caption,
the bar's caption, its rectangle, zoomed and iconic, the bar's flags and the screen rectangles of the bar
and its buttons. Screenshots of the bar at 96 and 144 dpi go to the artifacts."""

import json
import os
import subprocess
import tempfile
import unittest

from e2e_support import kill_started, log_dir, session_problem, wait_until, windows_path, wine_env

CAPTION = "Gradient & title: Crème brûlée, naïve café"
DESKTOP = r"HKCU\Control Panel\Desktop"


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


def gradient_fault(row):
    """What is wrong with a row of the bar, or None: pure blue to black, blue never rising, no red or green."""
    if row[0] != (0, 0, 255) or row[-1] != (0, 0, 0):
        return "it runs from %s to %s" % (row[0], row[-1])
    return next(("%s follows %s" % (b, a) for a, b in zip(row, row[1:]) if b[2] > a[2] or b[0] or b[1]), None)


class Host:
    """gradient_host.exe under Wine, stopped by its pid when the test ends."""

    def __init__(self, test, *args):
        handle, self.path = tempfile.mkstemp(prefix="gradient-host-", suffix=".jsonl")
        os.close(handle)
        log = open(os.path.join(log_dir(), "gradient-host-%d.log" % id(self)), "wb")
        self.popen = subprocess.Popen(["wine", os.environ["UPLIFT_GRADIENT_HOST"], windows_path(self.path),
                                       "--caption", CAPTION] + [str(a) for a in args],
                                      stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT, env=wine_env())
        for cleanup in (lambda: os.remove(self.path), log.close, lambda: kill_started(self.popen)):
            test.addCleanup(cleanup)
        self.last = None

    def current(self):
        """The host's latest state (the last line written), or None."""
        with open(self.path, encoding="utf-8") as f:
            lines = f.read().split("\n")[:-1]
        self.last = json.loads(lines[-1]) if lines else None
        return self.last

    def wait(self, what, predicate=lambda state: True):
        """The first latest state that satisfies predicate; fails at once if the host ends."""
        def ready():
            if self.current() and predicate(self.last):
                return self.last
            if self.popen.poll() is not None:
                raise AssertionError("the host ended (exit code %s)" % self.popen.returncode)
            return None
        try:
            return wait_until(ready, 30, message=what)
        except AssertionError as failure:
            raise AssertionError("%s; the host's last state: %s" % (failure, self.last)) from None


class GradientTitleTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        problem = session_problem()
        if problem:
            raise unittest.SkipTest(problem)

    def click(self, rect):
        run("xdotool", "mousemove", *centre(rect), "click", 1)

    def look(self, host, save_as, last=None):
        """Waits until the bar shows the gradient on its top row where the host's latest state has it, and
        the state holds meanwhile (the window manager may still place the window); keeps a screenshot of the
        bar (of its end with last) and returns that state."""
        def painted():
            state = host.current()
            left, top, right, _ = state["bar"]
            fault = gradient_fault(pixels(left, top, right, top + 1))
            return state if fault is None and host.current() == state else None
        try:
            state = wait_until(painted, 30, message="a gradient")
        except AssertionError:
            left, top, right, _ = host.last["bar"]
            self.fail("the bar %s: %s" % (host.last["bar"], gradient_fault(pixels(left, top, right, top + 1))))
        left, top, right, bottom = state["bar"]
        pixels(right - last if last else left - 2, top - 2, right + 2, bottom + 2, save_as)
        return state

    def test_drag_maximize_restore_minimize_activate_close(self):
        host = Host(self, "--mask", 3, "--whats-this", "--at", "0,0")
        host.wait("the host loaded")
        start = self.look(host, "gradient-title-96.png")
        self.assertEqual((start["title"], start["caption"]), ("", CAPTION), "the caption goes to the bar")
        window = wait_until(lambda: run("xdotool", "search", "--onlyvisible", "--pid", host.popen.pid,
                                        check=False).stdout.split(), 30, message="the host's X window")[0].decode()

        # Pressed, the close button looks pressed; released away from it, it does nothing.
        close, x, y = start["close"], start["bar"][0] + 150, centre(start["close"])[1]
        at_rest = pixels(*close)
        run("xdotool", "mousemove", *centre(close), "mousedown", 1)
        wait_until(lambda: pixels(*close) != at_rest, 30, message="the pressed face")
        run("xdotool", "mousemove", x, y)
        wait_until(lambda: pixels(*close) == at_rest, 30, message="the face at rest")
        run("xdotool", "mouseup", 1)

        # Dragged by its caption, the host follows the pointer, on the screen too.
        run("xdotool", "mousemove", x, y, "mousedown", 1, "mousemove", x + 120, y + 70, "mouseup", 1)
        moved = [value + step for value, step in zip(start["rect"], (120, 70, 120, 70))]
        placed = host.wait("moved by (120, 70)", lambda s: s["rect"] == moved)
        where = "Position: %d,%d" % tuple(moved[:2])
        wait_until(lambda: where in run("xdotool", "getwindowgeometry", window).stdout.decode(), 30, message=where)

        self.click(placed["maximize"])
        host.wait("maximized", lambda s: s["zoomed"] and s["maximized"])
        self.look(host, "gradient-title-96-max.png", 110)
        self.click(host.last["maximize"])
        host.wait("restored to its rectangle",
                  lambda s: not s["zoomed"] and not s["maximized"] and s["rect"] == moved)
        self.click(placed["minimize"])
        host.wait("minimized", lambda s: s["iconic"] and s["minimized"])
        run("xdotool", "windowactivate", window)
        host.wait("activated: restored, the minimized flag cleared",
                  lambda s: not s["iconic"] and not s["minimized"] and s["rect"] == moved)
        self.click(placed["close"])
        self.assertEqual(host.popen.wait(timeout=30), 0)

    def test_looks_at_144_dpi(self):
        # Wine reads LogPixels when a process starts: the host gets 144 dpi and the value goes back at once.
        query = run("wine", "reg", "query", DESKTOP, "/v", "LogPixels", check=False)
        restore = (["add", DESKTOP, "/v", "LogPixels", "/t", "REG_DWORD", "/d", int(query.stdout.split()[-1], 16)]
                   if query.returncode == 0 else ["delete", DESKTOP, "/v", "LogPixels"])
        self.addCleanup(run, "wine", "reg", *restore, "/f", check=False)
        run("wine", "reg", "add", DESKTOP, "/v", "LogPixels", "/t", "REG_DWORD", "/d", 144, "/f")
        try:
            host = Host(self, "--mask", 1, "--whats-this", "--at", "0,0")
            host.wait("the host loaded")
        finally:
            run("wine", "reg", *restore, "/f", check=False)
        state = self.look(host, "gradient-title-144.png")
        bar, close = state["bar"], state["close"]
        self.assertEqual((bar[3] - bar[1], close[2] - close[0], close[3] - close[1]), (28, 24, 21), state)
        self.click(state["maximize"])
        host.wait("maximized", lambda s: s["zoomed"])
        self.click(self.look(host, "gradient-title-144-max.png", 160)["close"])
        self.assertEqual(host.popen.wait(timeout=30), 0)


if __name__ == "__main__":
    unittest.main()
