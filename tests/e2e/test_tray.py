"""The notification-area icon driven with the mouse in Wine's standalone tray window: the double click, and the
menu's items (found by their text) Disable, Enable, Exit, the Pause submenu and the quiet item, at 96 and 144 dpi."""

import os

from e2e_support import (BOX, PAUSE_1_S, SETTINGS_KEY, TIME_50_MS, ProgramTest, centre, log_dir,
                         log_pixels, options_window, probe, reg_values, run, screenshot, wait_until, windows, xdotool)


def tray_cell():
    """The screen rectangle of the first icon of this prefix's "Wine System Tray" window, None while it is hidden."""
    tray = windows("__winex11_standalone_tray", visible=True)
    lines = run("xwininfo", "-id", tray[0]["x11"], check=False).splitlines() if tray else []
    info = dict(line.strip().split(": ", 1) for line in lines if ": " in line)
    if info.get("Map State") == "IsViewable":
        left, top, side = (int(info[name]) for name in ("Absolute upper-left X", "Absolute upper-left Y", "Height"))
        return left, top, left + side, top + side


def icon(cell):
    shot = screenshot(cell)
    return [shot(x, y) for y in range(cell[1], cell[3]) for x in range(cell[0], cell[2])]


def difference(a, b):
    return sum(max(abs(u - v) for u, v in zip(p, q)) for p, q in zip(a, b))


def letters(text):
    return "".join(c for c in text.lower() if c.isascii() and c.isalnum())


def menu_lines(rect, save_as):
    """The lines of a menu on the screen, {their letters: a point on them}, as tesseract reads them from a grey shot
    enlarged 4 times: as one block of text (--psm 6), for word by word it read a lone "1" as "lL"."""
    screenshot(rect, save_as=save_as)
    big = os.path.join(log_dir(), "ocr-" + save_as)
    run("convert", os.path.join(log_dir("artifacts"), save_as), "-colorspace", "gray", "-resize", "400%", big)
    lines = {}
    for f in (row.split("\t") for row in run("tesseract", big, "-", "--psm", "6", "tsv").splitlines()[1:]):
        if len(f) == 12 and f[11].strip():
            line = lines.setdefault(tuple(f[2:5]), ["", rect[0] + int(f[6]) // 4 + 4, rect[1] + int(f[7]) // 4 + 4])
            line[0] += letters(f[11])
    return {text: (x, y) for text, x, y in lines.values()}


class TrayTest(ProgramTest):
    def start_with_icon(self, settings):
        watch = self.watch()
        program, window = self.start_ready(dict({"Pause": PAUSE_1_S, "ScreenBackground": BOX}, **settings))
        # The icon is there once the tray shows more than its background in the first cell.
        self.cell = wait_until(lambda: (lambda c: c if c and len(set(icon(c))) > 2 else None)(tray_cell()), "icon")
        return program, window, watch

    def click_icon(self, *click):
        xdotool("mousemove", *centre(self.cell), "click", *click)

    def choose(self, pid, save_as, *path):
        """Opens the icon's menu and clicks the items of path, the first in that menu and the next in its submenu."""
        self.click_icon("3")
        for depth, text in enumerate(path):
            def item():
                menus = sorted(w["rect"] for w in windows("#32768", pid=pid, visible=True))
                lines = menu_lines(menus[depth], "%s-%d.png" % (save_as, depth)) if len(menus) > depth else {}
                return next((at for line, at in lines.items() if letters(text) in line), None)
            xdotool("mousemove", *wait_until(item, text), *(["click", "1"] if depth + 1 == len(path) else []))
        wait_until(lambda: not windows("#32768", pid=pid, visible=True), "the menu to close")

    def showings_within(self, ms):
        return probe("watch", "UpliftBeacon.frmMessage", 0, ms).count("state\t1")

    def cover_screen(self):
        cover = self.launch(os.environ["UPLIFT_PROBE"], "cover", "fullscreen")
        wait_until(lambda: [w for w in windows("Static", "Full screen") if w["foreground"]], "a full-screen window")
        return cover

    def test_double_click_ends_the_showing_and_opens_the_options(self):
        # The showing lasts until Escape: only the double click can end it.
        watch = self.start_with_icon({"optTimeLength": "False", "txtCaption": "Almost there"})[2]
        watch.wait_for(True)
        self.click_icon("--repeat", "2", "--delay", "80", "1")
        watch.wait_for(False)
        wait_until(lambda: options_window()["visible"], "the options window")
        self.assertEqual(self.showings_within(4000), 0, "a showing while the options were open")

    def test_menu_disables_enables_and_exits(self):
        program, window, watch = self.start_with_icon({"Time": TIME_50_MS, "txtCaption": "On and off"})
        watch.wait_for(True)
        enabled_look = icon(self.cell)

        self.choose(window["pid"], "menu-disable", "Disable")
        self.wait_values(lambda v: v["Enabled"] == "False", "Enabled False in the store")
        watch.drain()  # a showing under way when the menu opened ends now
        disabled_look = wait_until(lambda: (lambda p: p if difference(p, enabled_look) > 10 * len(p) else None)(
            icon(self.cell)), "the disabled look")
        screenshot(self.cell, save_as="icon-disabled.png")
        self.assertNotIn(True, [visible for visible, _ in watch.drain()], "a showing came while disabled")
        self.choose(window["pid"], "menu-enable", "Enable")
        self.wait_values(lambda v: v["Enabled"] == "True", "Enabled True in the store")
        # Wine repaints the icon with small shifts of colour at its edges: the first look comes back nearly.
        wait_until(lambda: difference(icon(self.cell), enabled_look) * 5 < difference(icon(self.cell),
                                                                                     disabled_look), "the first look")
        watch.wait_for(True)

        self.choose(window["pid"], "menu-exit", "Exit")
        self.assertEqual(program.wait_exit(), 0)
        wait_until(lambda: tray_cell() is None or len(set(icon(self.cell))) <= 2, "the icon to go")
        self.assertEqual(reg_values()["Enabled"], ("REG_SZ", "True"), "Exit changed Enabled")

    def test_a_pause_survives_a_restart_and_a_full_screen_window_holds_showings_back_unless_quiet_is_off(self):
        program, window, watch = self.start_with_icon({"Pause": "1", "Time": TIME_50_MS})  # a showing every 2 s
        self.choose(window["pid"], "menu-pause-96dpi", "Pause", "For 1 hour")
        wait_until(lambda: reg_values(SETTINGS_KEY).get("PausedUntil"), "PausedUntil")  # its form: the core's tests
        self.assertEqual(self.showings_within(6000), 0, "a showing while paused")
        program.kill()
        with log_pixels("144"):
            program, window, _ = self.start_with_icon({"Pause": "1", "Time": TIME_50_MS})
        self.assertEqual(self.showings_within(6000), 0, "a showing while paused, after a restart")
        self.choose(window["pid"], "menu-resume-144dpi", "Pause", "Resume")
        wait_until(lambda: reg_values(SETTINGS_KEY)["PausedUntil"] == ("REG_SZ", ""), "the end of the pause")
        watch.drain()
        watch.wait_for(True)

        cover = self.cover_screen()
        self.assertEqual(self.showings_within(6000), 0, "a showing over the full-screen window")
        cover.kill()
        watch.drain()
        watch.wait_for(True)
        self.choose(window["pid"], "menu-quiet-144dpi", "Quiet during full-screen programs")
        wait_until(lambda: reg_values(SETTINGS_KEY).get("QuietDuringFullScreen") == ("REG_DWORD", "0x0"), "off")
        self.cover_screen()
        watch.drain()
        watch.wait_for(True)
