"""The timed pause and the quiet during full-screen programs, through the icon's menu in Wine's standalone tray
window, its items found by their text (tesseract reads them from a screenshot of the menu): Pause > For 1 hour
stops the showings that come every 2 s, also after a restart, and Resume brings them back; a captionless window
over the whole screen in the foreground holds a showing back until it goes, unless the quiet item is unchecked.
Screenshots of the menu and its submenu at 96 and 144 dpi go to the artifacts."""

import os
import re

from e2e_support import (TIME_50_MS, ProgramTest, Started, log_dir, log_pixels, probe, reg_values, run,
                         screenshot, wait_until, windows, xdotool)
from test_tray import icon, tray_cell

OWN_KEY = r"HKCU\Software\Shared Program Settings\Uplift Beacon Plus\Settings"
PAUSE_2_S = "1"
FULL_SCREEN_CLASS = "UpliftProbeFullScreen"
QUIET = "Quiet during full-screen programs"


def words_of(text):
    return re.sub(r"[^a-z0-9]+", "", text.lower())


def find(lines, text):
    """The rectangle of the line that holds text (a check mark or an arrow may be read beside it), or None."""
    return next((rect for line, rect in lines if words_of(text) in words_of(line)), None)


def menu_lines(rect, save_as):
    """The lines of text of a menu on the screen, [(text, (left, top, right, bottom))], read by tesseract from a
    grey and enlarged shot of the menu; words whose middles lie within half a word's height make one line."""
    left, top, right, bottom = rect
    screenshot(rect, save_as=save_as)
    shot = os.path.join(log_dir("artifacts"), save_as)
    big = os.path.join(log_dir(), "ocr-" + save_as)
    run("convert", shot, "-colorspace", "gray", "-resize", "400%", big)
    words = []
    # As one block of text: read word by word (--psm 11), a lone "1" came back as "lL".
    for row in run("tesseract", big, "-", "--psm", "6", "tsv").splitlines()[1:]:
        f = row.split("\t")
        if len(f) == 12 and f[11].strip() and float(f[10]) > 0:
            x, y, w, h = (int(v) / 4 for v in f[6:10])
            words.append((left + x, top + y, left + x + w, top + y + h, f[11]))
    lines = []
    for word in sorted(words, key=lambda w: ((w[1] + w[3]) / 2, w[0])):
        middle = (word[1] + word[3]) / 2
        if lines and abs(middle - lines[-1][1]) < (word[3] - word[1]) / 2:
            lines[-1][0].append(word)
        else:
            lines.append([[word], middle])
    lines = [sorted(line) for line, _ in lines]
    return [(" ".join(w[4] for w in line), (line[0][0], min(w[1] for w in line), line[-1][2],
                                              max(w[3] for w in line))) for line in lines]


class PauseTest(ProgramTest):
    def start_with_icon(self, **settings):
        program, window = self.start_ready(dict({"Pause": PAUSE_2_S, "Time": TIME_50_MS, "txtCaption": "Go on"},
                                                **settings))
        self.cell = wait_until(lambda: (lambda c: c if c and len(set(icon(c))) > 2 else None)(tray_cell()), "icon")
        return program, window

    def open_menu(self, pid, save_as):
        """Opens the icon's menu: {text: rectangle of the line} once all of its items can be read."""
        xdotool("mousemove", (self.cell[0] + self.cell[2]) // 2, (self.cell[1] + self.cell[3]) // 2, "click", "3")
        return self.read_menu(pid, 1, save_as, ("Options", "Pause", "Exit"))

    def read_menu(self, pid, count, save_as, expected):
        """The count-th visible menu of the program once the lines in expected can be read from it."""
        def read():
            menus = sorted((w["rect"] for w in windows("#32768", pid=pid, visible=True)), key=lambda r: r[0])
            if len(menus) < count:
                return None
            lines = menu_lines(menus[count - 1], save_as)
            return lines if all(find(lines, e) for e in expected) else None
        return wait_until(read, "the menu's items %s" % (expected,))

    def choose(self, pid, *path, save_as):
        """Clicks the menu items named in path, the first in the icon's menu, the next in its submenu."""
        lines = self.open_menu(pid, save_as + ".png")
        for depth, text in enumerate(path):
            if depth:
                lines = self.read_menu(pid, depth + 1, "%s-sub.png" % save_as, (text,))
            rect = find(lines, text)
            # The middle of the line's text: the submenu opens as the pointer rests on its item.
            xdotool("mousemove", (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2, *([] if depth + 1 < len(path)
                                                                                     else ["click", "1"]))
        wait_until(lambda: not windows("#32768", pid=pid, visible=True), "the menu to close")

    def showings_within(self, ms):
        """How often the message window came up while probe watch looked at it for ms milliseconds."""
        lines = probe("watch", "UpliftBeacon.frmMessage", "0", ms, "0", "1000", check=False).splitlines()
        return sum(1 for line in lines if line.startswith("state\t1"))

    def own_values(self):
        return reg_values(OWN_KEY) or {}

    def test_pause_for_an_hour_survives_a_restart_and_resume_brings_the_showings_back(self):
        program, window = self.start_with_icon()
        watch = self.watch()
        watch.wait_for(True)
        self.choose(window["pid"], "Pause", "For 1 hour", save_as="menu-pause-96dpi")
        kind, end = wait_until(lambda: self.own_values().get("PausedUntil"), "PausedUntil")
        self.assertEqual(kind, "REG_SZ")
        self.assertRegex(end, r"^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ$")
        self.assertNotIn("PausedUntil", reg_values(), "the pause among the options")
        watch.drain()  # a showing under way as the menu closed
        self.assertEqual(self.showings_within(6000), 0, "a showing while paused")

        program.kill()
        program, window = self.start_with_icon()
        self.assertEqual(self.showings_within(6000), 0, "a showing while paused, after the restart")
        self.assertEqual(self.own_values()["PausedUntil"], ("REG_SZ", end))

        self.choose(window["pid"], "Pause", "Resume", save_as="menu-resume-96dpi")
        wait_until(lambda: self.own_values()["PausedUntil"] == ("REG_SZ", ""), "the pause to be cleared")
        watch.drain()
        watch.wait_for(True)

    def test_a_full_screen_window_holds_the_showing_back_unless_quiet_is_unchecked(self):
        program, window = self.start_with_icon()
        watch = self.watch()
        watch.wait_for(True)
        cover = Started(os.environ["UPLIFT_PROBE"], "fullscreen", "fullscreen")
        self.addCleanup(cover.kill)
        wait_until(lambda: [w for w in windows(FULL_SCREEN_CLASS) if w["foreground"]], "the full-screen window")
        watch.drain()
        self.assertEqual(self.showings_within(6000), 0, "a showing over the full-screen window")
        cover.kill()
        watch.wait_for(True)

        self.choose(window["pid"], QUIET, save_as="menu-quiet-96dpi")
        wait_until(lambda: self.own_values().get("QuietDuringFullScreen") == ("REG_DWORD", "0x0"), "quiet off")
        cover = Started(os.environ["UPLIFT_PROBE"], "fullscreen", "fullscreen")
        self.addCleanup(cover.kill)
        wait_until(lambda: [w for w in windows(FULL_SCREEN_CLASS) if w["foreground"]], "the full-screen window")
        watch.drain()
        watch.wait_for(True)
        self.assertTrue([w for w in windows(FULL_SCREEN_CLASS) if w["foreground"]], "the full-screen window left")

    def test_menu_and_submenu_at_144_dpi(self):
        with log_pixels("144"):
            program, window = self.start_with_icon(Enabled="0")
        lines = self.open_menu(window["pid"], "menu-144dpi.png")
        for text in ("Options...", "About...", "Support", "Help", "Pause", "Enable", QUIET, "Exit"):
            self.assertTrue(find(lines, text), text)
        self.assertLess(find(lines, "Pause")[1], find(lines, "Enable")[1], "Pause above Enable")
        self.assertLess(find(lines, "Enable")[1], find(lines, QUIET)[1], "Quiet below Enable")
        rect = find(lines, "Pause")
        xdotool("mousemove", (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2)
        self.read_menu(window["pid"], 2, "menu-pause-144dpi-sub.png",
                       ("For 30 minutes", "For 1 hour", "For 2 hours", "Until tomorrow"))
