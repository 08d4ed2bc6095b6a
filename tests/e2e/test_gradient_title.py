"""The gradient title bar, which no window of the program hosts, on gradient_host.exe (UPLIFT_GRADIENT_HOST) with the
mouse through X. The host prints a line of its state after each change (see gradient_host.cpp)."""

import os
import unittest

from e2e_support import Started, centre, log_pixels, screenshot, wait_until, windows, xdotool

CAPTION = "Gradient & title: Crème brûlée, naïve café"  # the host's text, which goes to the bar
STATE = "zoomed iconic maximized minimized caption rect bar close maximize minimize".split()  # rectangles: 4 numbers


def painted(bar):
    """Whether the top row of the bar runs from pure blue to black, blue never rising, no red or green."""
    pixel = screenshot((bar[0], bar[1], bar[2], bar[1] + 1))
    row = [pixel(x, bar[1]) for x in range(bar[0], bar[2])]
    return row[0] == (0, 0, 255) and row[-1] == (0, 0, 0) and all(
        b[2] <= a[2] and b[:2] == (0, 0) for a, b in zip(row, row[1:]))


class GradientTitleTest(unittest.TestCase):
    def start(self, mask, shot):
        """gradient_host.exe and its first state, once its bar is painted; a screenshot of the bar is kept as shot."""
        host = Started(os.environ["UPLIFT_GRADIENT_HOST"], "gradient-host", mask)
        self.addCleanup(host.kill)
        state = self.wait(host, "the host's painted bar")
        screenshot([value + margin for value, margin in zip(state["bar"], (-2, -2, 2, 2))], save_as=shot)
        return host, state

    def wait(self, host, what, predicate=lambda state: True):
        """The host's latest state once predicate holds and, unless the host is minimized, its bar is painted."""
        def ready():
            self.assertTrue(host.running(), "the host ended")
            with open(host.log.name, encoding="utf-8", errors="replace") as f:
                lines = [line.split()[1:] for line in f.read().split("\n")[:-1] if line.startswith("state ")]
            values = [bytes.fromhex(v[1:]).decode("utf-16-be") if v[0] == "c" else int(v) for v in (lines or [[]])[-1]]
            state = dict(zip(STATE, values[:5] + [values[i:i + 4] for i in range(5, len(values), 4)]))
            return state if state and predicate(state) and (state["iconic"] or painted(state["bar"])) else None
        return wait_until(ready, "%s (the host's states are in %s)" % (what, host.log.name))

    def test_press_drag_maximize_restore_minimize_activate_close_at_96_dpi(self):
        host, start = self.start(3, "gradient-title-96.png")
        window = windows("UpliftBeacon.GradientHost")[0]
        self.assertEqual((window["title"], start["caption"]), ("", CAPTION), "the caption goes to the bar")

        # Pressed, the close button looks pressed (its outer edge turns dark); released away from it, on the caption,
        # it does nothing. Dragged by its caption, the host follows the pointer.
        close, x, y = start["close"], start["bar"][0] + 150, centre(start["close"])[1]
        at_rest = screenshot(close)(close[0], close[1])
        self.addCleanup(xdotool, "mouseup", 1)  # never left pressed for the tests that follow
        xdotool("mousemove", *centre(close), "mousedown", 1)
        wait_until(lambda: screenshot(close)(close[0], close[1]) != at_rest, "the pressed face")
        xdotool("mousemove", x, y, "mouseup", 1, "mousedown", 1, "mousemove", x + 120, y + 70, "mouseup", 1)
        moved = [value + step for value, step in zip(start["rect"], (120, 70, 120, 70))]
        placed = self.wait(host, "moved by (120, 70)", lambda s: s["rect"] == moved)
        xdotool("mousemove", *centre(placed["maximize"]), "click", 1)
        maximized = self.wait(host, "maximized across the screen",
                              lambda s: s["zoomed"] and s["maximized"] and s["close"][0] > start["rect"][2])
        xdotool("mousemove", *centre(maximized["maximize"]), "click", 1)
        self.wait(host, "back in its place", lambda s: not s["zoomed"] and not s["maximized"] and s["rect"] == moved)
        xdotool("mousemove", *centre(placed["minimize"]), "click", 1)
        self.wait(host, "minimized", lambda s: s["iconic"] and s["minimized"])
        xdotool("windowactivate", window["x11"])
        self.wait(host, "activated", lambda s: not s["iconic"] and not s["minimized"] and s["rect"] == moved)
        xdotool("mousemove", *centre(placed["close"]), "click", 1)
        self.assertEqual(host.wait_exit(), 0)

    def test_grows_at_144_dpi(self):
        with log_pixels(144):
            _, state = self.start(1, "gradient-title-144.png")
        self.assertEqual((state["bar"][3] - state["bar"][1], state["close"][3] - state["close"][1]), (28, 21), state)
