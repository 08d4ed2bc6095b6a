"""The icon's Pause submenu and its quiet item, their items found by their text; screenshots at 96 and 144 dpi."""

import os

from e2e_support import SETTINGS_KEY as OWN_KEY
from e2e_support import TIME_50_MS, Started, log_pixels, probe, reg_values, wait_until, windows
from test_tray import TrayIcon


class PauseTest(TrayIcon):
    def showings_within(self, ms):
        return probe("watch", "UpliftBeacon.frmMessage", 0, ms).count("state\t1")

    def cover_screen(self):
        self.started.append(Started(os.environ["UPLIFT_PROBE"], "cover", "fullscreen"))
        wait_until(lambda: [w for w in windows("UpliftProbeFullScreen") if w["foreground"]], "a full-screen window")
        return self.started[-1]

    def test_pause_for_an_hour_survives_a_restart_and_resume_brings_the_showings_back(self):
        program, window, watch = self.start_with_icon({"Pause": "1", "Time": TIME_50_MS})  # a showing every 2 s
        self.choose(window["pid"], "menu-pause-96dpi", "Pause", "For 1 hour")
        end = wait_until(lambda: (reg_values(OWN_KEY) or {}).get("PausedUntil"), "PausedUntil")
        self.assertRegex(" ".join(end), r"^REG_SZ \d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ$")
        self.assertEqual(self.showings_within(6000), 0, "a showing while paused")
        program.kill()
        with log_pixels("144"):
            program, window, _ = self.start_with_icon({"Pause": "1", "Time": TIME_50_MS})
        self.assertEqual(self.showings_within(6000), 0, "a showing while paused, after a restart")
        self.choose(window["pid"], "menu-resume-144dpi", "Pause", "Resume")
        wait_until(lambda: reg_values(OWN_KEY)["PausedUntil"] == ("REG_SZ", ""), "the end of the pause")
        watch.drain()
        watch.wait_for(True)

    def test_a_full_screen_window_holds_a_showing_back_unless_quiet_is_unchecked(self):
        program, window, watch = self.start_with_icon({"Pause": "1", "Time": TIME_50_MS})
        cover = self.cover_screen()
        self.assertEqual(self.showings_within(6000), 0, "a showing over the full-screen window")
        cover.kill()
        watch.drain()
        watch.wait_for(True)
        self.choose(window["pid"], "menu-quiet-96dpi", "Quiet during full-screen programs")
        wait_until(lambda: (reg_values(OWN_KEY) or {}).get("QuietDuringFullScreen") == ("REG_DWORD", "0x0"), "off")
        self.cover_screen()
        watch.drain()
        watch.wait_for(True)
