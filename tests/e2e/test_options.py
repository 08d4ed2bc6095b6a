"""The options dialog as a user meets it: opened from the icon's menu, labels that choose their options and the
enabling rules, Default then Cancel (Escape) and Default then OK, the close box, Test with unsaved edits, a single
date that comes, and colour and font dialogs that are cancelled."""

import datetime
import os
import shutil
import subprocess

from e2e_support import (BM_CLICK, OPTIONS_TITLE, STORE_KEYS, WM_CLOSE, ProgramTest, click, controls, press, probe,
                         reg_texts, reg_write, run, screenshot, shown, wait_until, xdotool)

STORED = {"Time": "10", "Pause": "0", "txtCaption": "Health & happiness", "BackgroundColor": "255",
          "WhenToDisplay": "1", "LastMessageKey": "42", "LastMessageDate": "1/2/2020", "FontName": "Courier New",
          "Date": "3/7/2030 2:05:09 PM", "Everyday": "7:30:00 AM", "Enabled": "0"}


class OptionsTest(ProgramTest):
    def open(self, settings=STORED):
        """Starts the program and opens the dialog from the icon's menu once the start is over."""
        program, window = self.start_ready(settings)
        return program, self.show_options(window)

    def hidden(self):
        return not shown(OPTIONS_TITLE)

    def test_labels_choose_options_and_the_rules_follow(self):
        _, window = self.open()
        rules = [("Display only on:", (False, False, True, True)),
                 ("Display till pressing ESC on the keyboard", (False, False, True, False)),
                 ("Display always and pause every:", (True, False, False, False)),
                 ("Display time length:", (True, False, False, True)),
                 ("Display everyday at:", (False, True, False, True))]
        for label, (pause, time_picker, date_picker, time_length) in rules:
            click(controls(window)[label][-1]["rect"])
            wait_until(lambda: controls(window)[label][0]["checked"], "a click on %r to choose its option" % label)
            c = controls(window)
            pickers = c["SysDateTimePick32"]
            self.assertEqual((c["ComboBox"][1]["enabled"], pickers[0]["enabled"], pickers[1]["enabled"],
                              c["ComboBox"][0]["enabled"]), (pause, time_picker, date_picker, time_length), label)
        xdotool("key", "--window", "0", "Escape")
        wait_until(self.hidden, "Escape to hide the options window")
        self.assertEqual(reg_texts()["WhenToDisplay"], "1")

    def test_default_then_cancel_keeps_and_default_then_ok_stores_the_defaults(self):
        _, window = self.open()
        press(window, "&Default")
        wait_until(lambda: controls(window)["ComboBox"][0]["selected"] == 7, "Default to select 50 millisecond")
        press(window, "&Cancel")
        wait_until(self.hidden, "Cancel to hide the options window")
        self.assertEqual(controls(window)["ComboBox"][0]["selected"], 10, "the stored time length shows again")
        self.assertEqual({k: reg_texts()[k] for k in STORED}, dict(STORED, Enabled="False"))
        self.show_options(window)
        press(window, "&Default")
        press(window, "&Ok")
        texts = wait_until(lambda: reg_texts()["Time"] == "7" and reg_texts(), "OK to store the defaults")
        self.assertEqual((texts["Pause"], texts["txtCaption"], texts["BackgroundColor"], texts["WhenToDisplay"],
                          texts["FontName"]), ("10", "I am super productive and successful", "16777215", "0", "Arial"))
        for kept in ("Date", "Everyday", "LastMessageKey", "LastMessageDate"):
            self.assertEqual(texts[kept], STORED[kept], kept)
        self.assertEqual(texts["Enabled"], "False")

    def test_test_shows_unsaved_edits_that_cancel_takes_back_and_the_close_box_saves(self):
        # A pause of 20 seconds: no showing of the schedule's own comes while the dialog is being opened.
        program, window = self.open(dict(STORED, Enabled="1", WhenToDisplay="0", Pause="6", Time="15",
                                         txtCaption="Hi there"))
        watch = self.watch()
        press(window, "&Default")  # unsaved: the default affirmation in Arial instead of Courier New
        press(window, "&Test")
        _, tested = watch.wait_for(True)
        watch.wait_for(False)
        wait_until(lambda: shown(OPTIONS_TITLE), "the options window after the test")
        press(window, "&Cancel")
        _, scheduled = watch.wait_for(True)  # the schedule's own showing, of the stored text
        self.assertLess(scheduled[2] - scheduled[0], tested[2] - tested[0], "the cancelled edits were shown")
        self.assertEqual(reg_texts()["txtCaption"], "Hi there")
        self.show_options(window)
        press(window, "&Default")
        probe("post", window["hwnd"], WM_CLOSE)  # the close box acts as OK
        wait_until(lambda: reg_texts()["FontName"] == "Arial", "the close box to save")
        self.assertTrue(program.running() and self.hidden())

    def test_a_single_date_comes_once_and_cancelled_dialogs_change_nothing(self):
        soon = datetime.datetime.now() + datetime.timedelta(seconds=20)
        date = "%d/%d/%d %d:%02d:%02d %s" % (soon.month, soon.day, soon.year, (soon.hour + 11) % 12 + 1, soon.minute,
                                             soon.second, "AM" if soon.hour < 12 else "PM")
        watch = self.watch()
        _, window = self.open(dict(STORED, Enabled="1", WhenToDisplay="2", Date=date, Time="15"))
        colour = [b for b in controls(window)["Button"] if not b["text"]][0]  # the background colour's button
        for button, title in ((colour, "Color"), (controls(window)["&Font..."][0], "Font")):
            probe("post", button["hwnd"], BM_CLICK)
            dialog = wait_until(lambda: shown(title), "the %s dialog" % title)
            self.assertFalse(controls(window)[OPTIONS_TITLE][0]["enabled"], "the options under " + title)
            probe("post", dialog["hwnd"], WM_CLOSE)
            wait_until(lambda: not shown(title), "the %s dialog to close" % title)
        press(window, "&Ok")
        texts = wait_until(lambda: self.hidden() and reg_texts(), "OK")
        self.assertEqual((texts["BackgroundColor"], texts["FontName"], texts["Date"]), ("255", "Courier New", date))
        watch.wait_for(True, timeout=60)
        watch.wait_for(False)


class ResolutionTest(ProgramTest):
    """The dialog at 96 and 144 dots per inch, each in a server of its own over a copy of the registry (the setting is
    read when the server starts), on an X display large enough for the larger one. The screenshots are kept."""

    def test_the_dialog_grows_with_the_resolution(self):
        number = next(n for n in range(150, 250) if not os.path.exists("/tmp/.X%d-lock" % n))
        xvfb = subprocess.Popen(["Xvfb", ":%d" % number, "-screen", "0", "1920x1440x24", "-nolisten", "tcp"],
                                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        prefix = os.path.join(self.folder, "prefix")
        os.makedirs(prefix)
        for name in os.listdir(os.environ["WINEPREFIX"]):
            source = os.path.join(os.environ["WINEPREFIX"], name)
            if name.endswith(".reg"):
                shutil.copy2(source, prefix)
            elif not name.startswith("."):
                os.symlink(source, os.path.join(prefix, name))
        shared = dict(os.environ)
        os.environ.update(WINEPREFIX=prefix, DISPLAY=":%d" % number)
        widths = {}
        try:
            wait_until(lambda: os.path.exists("/tmp/.X11-unix/X%d" % number), "the X display")
            for dpi in (96, 144):
                run("wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d",
                    dpi, "/f")
                run("wineserver", "-k", check=False)
                run("wineserver", "-w", check=False)
                reg_write({}, delete=STORE_KEYS)
                program, window = self.start_ready({"Enabled": "0"})
                dialog = self.show_options(window)
                screenshot(dialog["rect"], save_as="options-%d-dpi.png" % dpi)
                widths[dpi] = dialog["rect"][2] - dialog["rect"][0]
                program.kill()
                self.started.remove(program)
        finally:
            run("wineserver", "-k", check=False)
            os.environ.clear()
            os.environ.update(shared)
            xvfb.kill()
            xvfb.wait()
        for dpi, width in widths.items():
            self.assertAlmostEqual(width / widths[96], dpi / 96, delta=0.04, msg="%d dpi: %s" % (dpi, widths))
