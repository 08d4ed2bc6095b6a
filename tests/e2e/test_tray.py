"""The notification-area icon driven with the mouse in Wine's standalone tray window: a double click ends a
showing and opens the options window; the right button's menu disables (the icon changes, the count-down stops,
Enabled is "False" in the store), enables again (the old look, the count-down restarts) and exits (the icon
goes, the process ends with code 0)."""

import time
import unittest

from display_support import BOX, PAUSE_1_S, TIME_30_S, TIME_50_MS, DisplayTestCase
from e2e_support import (OPTIONS_TITLE, PARAM_KEY, menu_rows, menu_window, probe, rect_centre, reg_texts,
                         screenshot, tray_icon_cell, tray_window, wait_until, window_info, xdotool, WM_CLOSE)

# Items of the icon's menu, top to bottom: Options..., About..., Support, Help, (separator), Disable or
# Enable, (separator), Exit.
ITEM_DISABLE = 4
ITEM_EXIT = 5
ITEM_COUNT = 6


def icon_pixels(cell):
    return screenshot(crop=cell).region(cell)


def difference(a, b):
    """Sum over the pixels of the largest channel difference."""
    return sum(max(abs(u - v) for u, v in zip(p, q)) for p, q in zip(a, b))


def looks_like(pixels, look, other):
    """Closer to look than to other by far. Wine repaints the tray's icon with small shifts of colour near its
    edges, so a look that comes back is near its first capture, not equal to it."""
    return difference(pixels, look) * 5 < difference(pixels, other)


class TrayTest(DisplayTestCase):
    def click_icon(self, *click):
        x, y = rect_centre(tray_icon_cell())
        xdotool("mousemove", x, y, "click", *click)

    def choose(self, pid, item, shot_name):
        """Opens the icon's menu with the right button and clicks one of its items (counted from 0, separators
        left out), found in a screenshot of the menu."""
        self.click_icon("3")
        menu = wait_until(lambda: menu_window(pid), 10, interval=0.1, message="the icon's menu")
        rect = menu["rect"]
        shot = screenshot(save_as=shot_name)
        rows = menu_rows(shot, rect)
        items = [row for row in rows if row[0] == "item"]
        separators = [row for row in rows if row[0] == "separator"]
        self.assertEqual((len(items), len(separators)), (ITEM_COUNT, 2),
                         "menu %s read as %s (screenshot %s)" % (rect, rows, shot.path))
        _, top, bottom = items[item]
        xdotool("mousemove", (rect[0] + rect[2]) // 2, (top + bottom) // 2, "click", "1")
        wait_until(lambda: menu_window(pid) is None, 10, interval=0.1, message="the menu to close")

    def enabled_value(self):
        return (reg_texts(PARAM_KEY) or {}).get("Enabled")

    def test_double_click_ends_the_showing_and_opens_the_options(self):
        program, pid = self.start_with({"Pause": PAUSE_1_S, "Time": TIME_30_S, "optTimeLength": "True",
                                        "ScreenBackground": BOX, "txtCaption": "Almost there"})
        watch = self.watch(pid, 60)
        watch.wait_for(True, 10)
        self.assertEqual(window_info()["visible"], "0")
        x, y = rect_centre(tray_icon_cell())
        clicked = time.time()
        xdotool("mousemove", x, y, "click", "--repeat", "2", "--delay", "80", "1")
        done = time.time()
        hidden = watch.wait_for(False, 5)
        print("double click: showing ended %.0f ms after the clicks began (xdotool took %.0f ms)" % (
            (hidden[1] - clicked) * 1000, (done - clicked) * 1000))
        self.assertLess(hidden[1] - clicked, 3.0)
        wait_until(lambda: window_info()["visible"] == "1", 5, interval=0.1, message="the options window")
        # No new showing while the options window is open.
        self.assertIsNone(watch.next(2.5), "a showing came while the options window was open")
        # Closing the options window keeps the program; a second close ends it.
        probe("post", OPTIONS_TITLE, WM_CLOSE)
        wait_until(lambda: window_info()["visible"] == "0", 5, interval=0.1, message="the options window to close")
        self.assertTrue(program.running())
        self.assertEqual(self.exit_program(program), 0)

    def test_menu_disables_enables_and_exits(self):
        program, pid = self.start_with({"Pause": PAUSE_1_S, "Time": TIME_50_MS, "optTimeLength": "True",
                                        "ScreenBackground": BOX, "txtCaption": "On and off"})
        self.assertEqual(self.enabled_value(), "True")
        watch = self.watch(pid, 90)
        watch.wait_for(True, 10)
        watch.wait_for(False, 5)
        cell = tray_icon_cell()
        enabled_look = icon_pixels(cell)
        screenshot(save_as="tray-enabled.png", crop=cell)

        # Disable: another look, the store says so, no more showings.
        self.choose(pid, ITEM_DISABLE, "tray-menu-disable.png")
        wait_until(lambda: self.enabled_value() == "False", 5, message="Enabled = False in the store")
        wait_until(lambda: icon_pixels(cell) != enabled_look, 5, interval=0.1, message="the icon's look to change")
        disabled_look = icon_pixels(cell)
        screenshot(save_as="tray-disabled.png", crop=cell)
        self.assertGreater(difference(enabled_look, disabled_look), 10 * len(enabled_look),
                           "the two looks hardly differ")
        while watch.next(0) is not None:  # a showing that was under way when the menu opened
            pass
        self.assertIsNone(watch.next(3), "a showing came while disabled")
        self.assertEqual(self.enabled_value(), "False")

        # Enable: the first look again and the count-down restarts.
        self.choose(pid, ITEM_DISABLE, "tray-menu-enable.png")
        wait_until(lambda: self.enabled_value() == "True", 5, message="Enabled = True in the store")
        wait_until(lambda: looks_like(icon_pixels(cell), enabled_look, disabled_look), 5, interval=0.1,
                   message="the enabled look")
        watch.wait_for(True, 5)
        watch.wait_for(False, 5)

        # Exit: the icon goes and the process ends with code 0.
        self.choose(pid, ITEM_EXIT, "tray-menu-exit.png")
        code = program.wait_exit(10)
        self.assertEqual(code, 0, "exit code after Exit (log: %s)" % program.log_tail())
        def icon_gone():
            tray = tray_window()
            if tray is None or not tray["mapped"]:
                return True
            pixels = icon_pixels(cell)
            return len(set(pixels)) <= 2  # an empty cell of the tray's background

        wait_until(icon_gone, 5, interval=0.1, message="the icon to go")
        self.assertEqual(self.enabled_value(), "True")


if __name__ == "__main__":
    unittest.main()
