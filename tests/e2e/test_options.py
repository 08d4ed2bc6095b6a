"""The options dialog as a user meets it: labels that choose their options and the enabling rules, Test with unsaved
edits that Cancel takes back, the close box, colour and font dialogs that are cancelled, its size at 96 and 144 dpi."""

from e2e_support import (BM_CLICK, OPTIONS_TITLE, WM_CLOSE, ProgramTest, click, controls, log_pixels, options_window,
                         press, probe, reg_texts, screenshot, shown, wait_until)

STORED = {"Time": "10", "Pause": "0", "txtCaption": "Health & happiness", "BackgroundColor": "255",
          "WhenToDisplay": "1", "LastMessageKey": "42", "LastMessageDate": "1/2/2020", "FontName": "Courier New",
          "Date": "3/7/2030 2:05:09 PM", "Everyday": "7:30:00 AM", "Enabled": "0"}


class OptionsTest(ProgramTest):
    def open(self, settings=STORED):  # the dialog, opened from the icon's menu once the start is over
        program, window = self.start_ready(settings)
        return program, self.show_options(window)

    def test_labels_choose_options_the_rules_follow_cancelled_dialogs_change_nothing_and_144_dpi_grows_it(self):
        program, window = self.open()
        screenshot(window["rect"], save_as="options-96-dpi.png")
        rules = [("Display only on:", (False, False, True, True)),
                 ("Display till pressing ESC on the keyboard", (False, False, True, False)),
                 ("Display always and pause every:", (True, False, False, False)),
                 ("Display time length:", (True, False, False, True)),
                 ("Display everyday at:", (False, True, False, True))]
        for label, (pause, time_picker, date_picker, time_length) in rules:
            click(controls(window)[label][-1]["rect"])
            wait_until(lambda: controls(window)[label][0]["checked"], "a click on %r to choose its option" % label)
            c = controls(window)  # the pause's list, the time and date pickers, the time length's list
            ruled = (c["ComboBox"][1], *c["SysDateTimePick32"], c["ComboBox"][0])
            self.assertEqual(tuple(w["enabled"] for w in ruled), (pause, time_picker, date_picker, time_length), label)

        # Colour and font dialogs, cancelled, change nothing (the colour's button is named, though it shows no text).
        for name, title in (("Background color", "Color"), ("&Font...", "Font")):
            probe("post", controls(window)[name][0]["hwnd"], BM_CLICK)
            dialog = wait_until(lambda: shown(title), "the %s dialog" % title)
            self.assertFalse(controls(window)[OPTIONS_TITLE][0]["enabled"], "the options under " + title)
            probe("post", dialog["hwnd"], WM_CLOSE)
            wait_until(lambda: not shown(title), "the %s dialog to close" % title)
        press(window, "&Ok")
        wait_until(lambda: not shown(OPTIONS_TITLE), "OK to hide the options window")
        self.assertEqual({k: reg_texts()[k] for k in STORED}, dict(STORED, Enabled="False"))

        # Started again at 144 dpi, the dialog is half as wide again.
        program.kill()
        wait_until(lambda: not options_window(), "the program's windows to go")
        with log_pixels(144):
            _, larger = self.open({"Enabled": "0"})
        screenshot(larger["rect"], save_as="options-144-dpi.png")
        widths = [w["rect"][2] - w["rect"][0] for w in (window, larger)]
        self.assertAlmostEqual(widths[1] / widths[0], 1.5, delta=0.06, msg=widths)

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
        self.show_options(window)
        self.assertEqual(controls(window)["ComboBox"][0]["selected"], 15, "the stored time length shows again")
        press(window, "&Default")
        probe("post", window["hwnd"], WM_CLOSE)  # the close box acts as OK
        self.wait_values(lambda v: v["FontName"] == "Arial", "the close box to save")
        self.assertTrue(program.running() and not shown(OPTIONS_TITLE))
