"""The gradient title bar on its host window (tests/gradient_host), driven with the mouse through X.

No window of the program hosts the bar, so these tests start gradient_host.exe (UPLIFT_GRADIENT_HOST),
which appends its state as one JSON line per change to a file: its own caption, the bar's caption, its
rectangle, whether it is maximized or minimized, the bar's two flags and the screen rectangles of the
bar and its buttons. Screenshots of the bar at 96 and 144 dots per inch are kept as artifacts.
"""

import json
import os
import shutil
import subprocess
import tempfile
import unittest

from e2e_support import kill_started, log_dir, session_problem, wait_until, windows_path, wine_env

CAPTION = "Gradient & title: Crème brûlée, naïve café"
DESKTOP_KEY = r"HKCU\Control Panel\Desktop"
BLUE, BLACK = (0, 0, 255), (0, 0, 0)


def run(*args, check=True):
    return subprocess.run([str(a) for a in args], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, env=wine_env(), check=check, timeout=60)


def centre(rect):
    return ((rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2)


def pixels(rect, save_as=None):
    """The screen's pixels in rect (left, top, right, bottom) as rows of (r, g, b); saved as PNG too."""
    left, top, right, bottom = rect
    crop = ["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (right - left, bottom - top, left, top), "+repage"]
    if save_as:
        folder = os.path.join(log_dir(), "artifacts")
        os.makedirs(folder, exist_ok=True)
        run(*crop, os.path.join(folder, save_as))
    data = run(*crop, "-depth", "8", "rgb:-").stdout
    width = right - left
    return [[tuple(data[i:i + 3]) for i in range(row * width * 3, (row + 1) * width * 3, 3)]
            for row in range(bottom - top)]


def gradient_fault(row):
    """What is wrong with one row of the bar's pixels, or None: blue on the left, black on the right,
    blue never rising, no red or green."""
    if row[0] != BLUE or row[-1] != BLACK:
        return "the row runs from %s to %s" % (row[0], row[-1])
    for x, (a, b) in enumerate(zip(row, row[1:])):
        if b[2] > a[2] or b[0] or b[1]:
            return "column %d %s follows %s" % (x + 1, b, a)
    return None


class Host:
    """One gradient_host.exe under Wine, stopped (by its pid) when the test ends."""

    def __init__(self, test, *args):
        folder = tempfile.mkdtemp(prefix="gradient-host-")
        test.addCleanup(shutil.rmtree, folder, True)
        self.state_path = os.path.join(folder, "state.jsonl")
        self.log = open(os.path.join(log_dir(), "gradient-host-%d.log" % id(self)), "wb")
        self.popen = subprocess.Popen(["wine", os.environ["UPLIFT_GRADIENT_HOST"], windows_path(self.state_path),
                                       "--caption", CAPTION] + [str(a) for a in args],
                                      stdin=subprocess.DEVNULL, stdout=self.log, stderr=subprocess.STDOUT,
                                      env=wine_env())
        test.addCleanup(self.stop)

    def state(self):
        try:
            with open(self.state_path, encoding="utf-8") as f:
                lines = [line for line in f.read().split("\n")[:-1] if line]
        except FileNotFoundError:
            return None
        return json.loads(lines[-1]) if lines else None

    def wait(self, what, predicate=lambda s: True):
        def ready():
            state = self.state()
            if state and predicate(state):
                return state
            if self.popen.poll() is not None:
                raise AssertionError("the host ended (exit code %s) waiting for: %s; its last state: %s"
                                     % (self.popen.returncode, what, state))
            return None
        try:
            return wait_until(ready, 30, message="the host: " + what)
        except AssertionError as timeout:
            raise AssertionError("%s; its last state: %s" % (timeout, self.state())) from None

    def x_window(self):
        """The host's mapped X window (Wine gives each window of the process an X window of its own)."""
        def mapped():
            ids = run("xdotool", "search", "--pid", self.popen.pid, check=False).stdout.decode().split()
            for window in ids:
                info = run("xwininfo", "-id", window, check=False).stdout.decode()
                if "IsViewable" in info and "Width: 1\n" not in info:
                    return window
            return None
        return wait_until(mapped, 30, message="the host's X window")

    def stop(self):
        kill_started(self.popen)
        self.log.close()


class GradientTitleTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        problem = session_problem()
        if problem:
            raise unittest.SkipTest(problem)
        if not os.path.isfile(os.environ.get("UPLIFT_GRADIENT_HOST", "")):
            raise AssertionError("gradient_host.exe not found (UPLIFT_GRADIENT_HOST): build the Windows "
                                 "configuration first")

    def click(self, rect):
        run("xdotool", "mousemove", *centre(rect), "click", 1)

    def wait_gradient(self, bar, save_as, keep_last=None):
        """Waits until the bar's top row shows the gradient; keeps a screenshot of the bar (of its last
        `keep_last` pixels only when given)."""
        top_row = (bar[0], bar[1], bar[2], bar[1] + 1)
        try:
            wait_until(lambda: gradient_fault(pixels(top_row)[0]) is None, 30, message="the gradient")
        except AssertionError:
            self.fail("no gradient on the bar %s: %s" % (bar, gradient_fault(pixels(top_row)[0])))
        left = bar[2] - keep_last if keep_last else bar[0] - 2
        pixels((left, bar[1] - 2, bar[2] + 2, bar[3] + 2), save_as)

    def test_drag_maximize_restore_minimize_activate_close(self):
        host = Host(self, "--mask", 3, "--whats-this", "--at", "100,100")
        start = host.wait("loaded")
        self.assertEqual(start["title"], "", "the host keeps a caption of its own")
        self.assertEqual(start["caption"], CAPTION)
        window = host.x_window()
        self.wait_gradient(start["bar"], "gradient-title-96.png")

        # A press shows the pressed face; released away from the button, nothing happens (the steps
        # below need the host still there).
        close = start["close"]
        at_rest = pixels(close)
        run("xdotool", "mousemove", *centre(close), "mousedown", 1)
        wait_until(lambda: pixels(close) != at_rest, 30, message="the pressed face of the close button")
        run("xdotool", "mousemove", start["bar"][0] + 150, centre(close)[1])
        wait_until(lambda: pixels(close) == at_rest, 30, message="the close button's face at rest")
        run("xdotool", "mouseup", 1)

        # Dragging the caption moves the host by the pointer's travel.
        x, y = start["bar"][0] + 150, centre(start["bar"])[1]
        run("xdotool", "mousemove", x, y, "mousedown", 1, "mousemove", x + 120, y + 70, "mouseup", 1)
        left, top, right, bottom = start["rect"]
        moved = [left + 120, top + 70, right + 120, bottom + 70]
        placed = host.wait("moved by (120, 70)", lambda s: s["rect"] == moved)
        geometry = lambda: run("xwininfo", "-id", window).stdout.decode()
        wait_until(lambda: "Absolute upper-left X:  %d\n" % moved[0] in geometry()
                   and "Absolute upper-left Y:  %d\n" % moved[1] in geometry(), 30,
                   message="the X window at %s: %s" % (moved[:2], geometry()))

        self.click(placed["maximize"])
        maximized = host.wait("maximized", lambda s: s["zoomed"] and s["maximized"])
        self.wait_gradient(maximized["bar"], "gradient-title-96-maximized.png", keep_last=110)
        self.click(maximized["maximize"])
        host.wait("restored to its rectangle", lambda s: not s["zoomed"] and not s["maximized"] and s["rect"] == moved)

        self.click(placed["minimize"])
        host.wait("minimized", lambda s: s["iconic"] and s["minimized"])
        run("xdotool", "windowactivate", window)
        host.wait("restored by activation, the minimized flag cleared",
                  lambda s: not s["iconic"] and not s["minimized"] and s["rect"] == moved)

        self.click(placed["close"])
        try:
            code = host.popen.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.fail("the host still runs 30 s after a click on close")
        self.assertEqual(code, 0)

    def test_looks_at_144_dots_per_inch(self):
        # Wine takes the resolution from LogPixels when a process starts: the hosts get 144 and the
        # value goes back at once, before any other program starts.
        query = run("wine", "reg", "query", DESKTOP_KEY, "/v", "LogPixels", check=False)
        before = query.stdout.decode().split()[-1] if query.returncode == 0 else None
        restore = (["wine", "reg", "add", DESKTOP_KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d", int(before, 16),
                    "/f"] if before else ["wine", "reg", "delete", DESKTOP_KEY, "/v", "LogPixels", "/f"])
        self.addCleanup(run, *restore, check=False)
        run("wine", "reg", "add", DESKTOP_KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d", 144, "/f")
        try:
            full = Host(self, "--mask", 3, "--whats-this", "--at", "100,100")
            minimize_only = Host(self, "--mask", 2, "--at", "100,500")
            full_state, other_state = full.wait("loaded"), minimize_only.wait("loaded")
        finally:
            run(*restore, check=False)

        for state in (full_state, other_state):
            bar, close = state["bar"], state["close"]
            self.assertEqual((bar[3] - bar[1], close[2] - close[0], close[3] - close[1]), (28, 24, 21),
                             "bar height and button size at 144 dots per inch: %s" % state)
            self.assertEqual(state["title"], "")
        self.assertIsNone(other_state["help"])
        self.wait_gradient(full_state["bar"], "gradient-title-144.png")
        self.wait_gradient(other_state["bar"], "gradient-title-144-minimize-only.png")

        self.click(full_state["maximize"])
        self.wait_gradient(full.wait("maximized", lambda s: s["zoomed"])["bar"], "gradient-title-144-maximized.png",
                           keep_last=160)
        for host, state in ((full, full.state()), (minimize_only, other_state)):
            self.click(state["close"])
            self.assertEqual(host.popen.wait(timeout=30), 0)


if __name__ == "__main__":
    unittest.main()
