"""The notification-area icon driven with the mouse in Wine's standalone tray window: a double click ends a showing
and opens the options window; the menu of the right button disables (another look of the icon, Enabled "False",
no showings), enables (the first look, showings again) and exits (code 0, the icon gone)."""

from e2e_support import (BOX, PAUSE_1_S, TIME_50_MS, WM_CLOSE, ProgramTest, options_window, probe,
                         run, screenshot, wait_until, windows, xdotool)

# The menu's items, separators left out: Options..., About..., Support, Help, Pause, Disable or Enable, Quiet during
# full-screen programs, Exit.
DISABLE, EXIT = 5, 7


def tray_cell():
    """The screen rectangle of the first icon of the "Wine System Tray" window, or None while it is not shown."""
    lines = run("xwininfo", "-name", "Wine System Tray", check=False).splitlines()
    info = dict(line.strip().split(": ", 1) for line in lines if ": " in line)
    if info.get("Map State") != "IsViewable":
        return None
    left, top, side = (int(info[name]) for name in ("Absolute upper-left X", "Absolute upper-left Y", "Height"))
    return left, top, left + side, top + side


def icon(cell):
    shot = screenshot(cell)
    return [shot(x, y) for y in range(cell[1], cell[3]) for x in range(cell[0], cell[2])]


def difference(a, b):
    return sum(max(abs(u - v) for u, v in zip(p, q)) for p, q in zip(a, b))


def menu_items(rect, save_as):
    """The items of an open menu read from the screen: [(top, bottom)], once it shows all of them. A row of text
    has dark pixels; a separator is a grey line across most of the width."""
    left, top, right, bottom = rect
    shot = screenshot(rect, save_as=save_as)
    rows = []
    for y in range(top + 2, bottom - 2):
        line = [shot(x, y) for x in range(left + 4, right - 4)]
        grey = sum(1 for p in line if max(p) - min(p) < 16 and 90 <= p[0] <= 200) >= 0.7 * len(line)
        kind = "separator" if grey else "item" if any(max(p) < 90 for p in line) else None
        if kind and rows and rows[-1][0] == kind and rows[-1][2] == y:
            rows[-1][2] = y + 1
        elif kind:
            rows.append([kind, y, y + 1])
    items = [(t, b) for kind, t, b in rows if kind == "item"]
    return items if (len(items), len(rows)) == (8, 10) else None


class TrayTest(ProgramTest):
    def start_with_icon(self, settings):
        watch = self.watch()
        program, window = self.start_ready(dict({"Pause": PAUSE_1_S, "ScreenBackground": BOX}, **settings))
        # The icon is there once the tray shows more than its background in the first cell.
        self.cell = wait_until(lambda: (lambda c: c if c and len(set(icon(c))) > 2 else None)(tray_cell()), "icon")
        return program, window, watch

    def click_icon(self, *click):
        xdotool("mousemove", (self.cell[0] + self.cell[2]) // 2, (self.cell[1] + self.cell[3]) // 2, "click", *click)

    def choose(self, pid, item, save_as):
        """Opens the icon's menu and clicks one of its items once the menu shows them all."""
        self.click_icon("3")
        menu = lambda: windows("#32768", pid=pid, visible=True)  # noqa: E731
        rect = wait_until(menu, "the icon's menu")[0]["rect"]
        top, bottom = wait_until(lambda: menu_items(rect, save_as), "the menu's items on the screen")[item]
        xdotool("mousemove", (rect[0] + rect[2]) // 2, (top + bottom) // 2, "click", "1")
        wait_until(lambda: not menu(), "the menu to close")

    def test_double_click_ends_the_showing_and_opens_the_options(self):
        # The showing lasts until Escape: only the double click can end it.
        program, window, watch = self.start_with_icon({"optTimeLength": "False", "txtCaption": "Almost there"})
        watch.wait_for(True)
        self.click_icon("--repeat", "2", "--delay", "80", "1")
        watch.wait_for(False)
        options = wait_until(lambda: options_window()["visible"] and options_window(), "the options window")
        screenshot(options["rect"], save_as="options.png")
        self.assertNotIn(True, [visible for visible, _ in watch.drain()], "a showing while the options were open")
        # Closing the options window keeps the program; a second close ends it.
        probe("post", window["hwnd"], WM_CLOSE)
        wait_until(lambda: not options_window()["visible"], "the options window to close")
        self.assertEqual(self.close(program), 0)

    def test_menu_disables_enables_and_exits(self):
        program, window, watch = self.start_with_icon({"Time": TIME_50_MS, "txtCaption": "On and off"})
        watch.wait_for(True)
        enabled_look = icon(self.cell)

        self.choose(window["pid"], DISABLE, "menu-disable.png")
        self.wait_values(lambda v: v["Enabled"] == "False", "Enabled False in the store")
        watch.drain()  # a showing under way when the menu opened ends now
        disabled_look = wait_until(lambda: (lambda p: p if difference(p, enabled_look) > 10 * len(p) else None)(
            icon(self.cell)), "the disabled look")
        screenshot(self.cell, save_as="icon-disabled.png")
        self.assertNotIn(True, [visible for visible, _ in watch.drain()], "a showing came while disabled")
        self.choose(window["pid"], DISABLE, "menu-enable.png")
        self.wait_values(lambda v: v["Enabled"] == "True", "Enabled True in the store")
        # Wine repaints the icon with small shifts of colour at its edges: the first look comes back nearly.
        wait_until(lambda: difference(icon(self.cell), enabled_look) * 5 < difference(icon(self.cell),
                                                                                     disabled_look), "the first look")
        watch.wait_for(True)

        self.choose(window["pid"], EXIT, "menu-exit.png")
        self.assertEqual(program.wait_exit(), 0)
        wait_until(lambda: tray_cell() is None or len(set(icon(self.cell))) <= 2, "the icon to go")
        self.assertEqual(self.wait_values(lambda v: True, "the settings")["Enabled"], "True")
