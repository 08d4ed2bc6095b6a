"""The about box, help topics by number (read from Wine's HTML Help trace) and support as a user meets them, the icon
while the about box is up, the web site and the support mail through the shell and their addresses shown on failure."""

import os
import pathlib
import re
import shutil

from e2e_support import (MNU_ABOUT, MNU_HELP, MNU_SHOW, MNU_SUPPORT, OPTIONS_TITLE, WM_CLOSE, WM_COMMAND, ProgramTest,
                         click, controls, options_window, press, probe, reg_values, run, screenshot, wait_until,
                         windows, xdotool)

TRAY_CALLBACK, DOUBLE_CLICK, RIGHT_BUTTON_UP = 0x200, 0x203, 0x205
ABOUT_TITLE, APP_TITLE, VIEWER = "About Uplift Beacon", "Uplift Beacon Plus", "HH Parent"
WEB, SUPPORT = "https://www.example.com/upliftbeacon", "support@example.com"
OVERVIEW, PAUSE, EVERY_DAY, LIST = 1, 16, 23, 4


class AboutHelpTest(ProgramTest):
    def wait_active(self, title):
        """The visible window of that title once openbox and Wine both have it active: keys reach it, no late one."""
        def active():
            found = windows(title=title, visible=True)
            focused = re.findall(r"0x[0-9a-f]+", run("xprop", "-root", "_NET_ACTIVE_WINDOW"))
            return found and found[0]["foreground"] and [int(v, 16) for v in focused] == [found[0]["x11"]] and found[0]
        return wait_until(active, "%r active" % title)

    def wait_message(self, pid, text):
        boxes = lambda: [box for box in windows("#32770", title=APP_TITLE, pid=pid, visible=True)  # noqa: E731
                         if any(text in line for line in controls(box))]
        return wait_until(boxes, "a message box showing %r" % text)[0]

    def topics(self, program, command="HH_HELP_CONTEXT"):
        """The data of the program's requests of HTML Help with that command so far, from Wine's trace in its log."""
        text = pathlib.Path(program.log.name).read_text("utf-8", "replace")
        return [int(data, 16) for data in
                re.findall(r'HtmlHelpW \([0-9A-Fa-f]+, L"[^"]*", command=%s, data=([0-9a-f]+)\)' % command, text)]

    def set_handler(self, scheme, command):
        """Makes `command` the prefix's program for addresses of the scheme until the test ends."""
        key = "HKCR\\%s\\shell\\open\\command" % scheme
        previous = reg_values(key)["(Default)"][1]
        run("wine", "reg", "add", key, "/ve", "/t", "REG_SZ", "/d", command, "/f")
        self.addCleanup(run, "wine", "reg", "add", key, "/ve", "/t", "REG_SZ", "/d", previous, "/f")

    def test_support_web_site_about_box_then_each_key_button_and_the_menus_help_ask_once_for_a_topic(self):
        sent = os.path.join(self.folder, "mail.txt")
        self.set_handler("mailto", "C:\\windows\\system32\\cmd.exe /c echo %%1> Z:%s" % sent.replace("/", "\\"))
        self.set_handler("https", 'Z:\\nowhere\\browser.exe "%1"')
        program, window = self.start_ready(debug="+htmlhelp")
        probe("post", window["hwnd"], WM_COMMAND, MNU_SUPPORT)
        mail = wait_until(lambda: os.path.exists(sent) and pathlib.Path(sent).read_bytes().strip(), "the mail program")
        self.assertEqual(mail, b"mailto:" + SUPPORT.encode())

        # Neither the browser nor the mail program can be started: the box shows the address to copy.
        self.set_handler("mailto", 'Z:\\nowhere\\mailer.exe "%1"')
        probe("post", window["hwnd"], WM_COMMAND, MNU_ABOUT)
        about = self.wait_active(ABOUT_TITLE)
        xdotool("key", "Tab", "Tab")  # past OK and Support to the link, which shows its focus
        screenshot(about["rect"], save_as="about-link-focus.png")
        xdotool("key", "Return")
        press(self.wait_message(about["pid"], WEB), "OK")
        press(about, "S&upport")
        press(self.wait_message(about["pid"], SUPPORT), "OK")
        # The about box, active again once the message box has gone.
        about = self.wait_active(ABOUT_TITLE)
        screenshot(about["rect"], save_as="about.png")
        self.assertLessEqual({"Version 1.1.3", "Uplift Beacon", "OK", "S&upport", WEB}, set(controls(about)))

        # While it is up, the icon and the menu only bring it to the front (one queue: all handled before OK).
        tray = windows("UpliftBeacon.frmTray", pid=about["pid"])[0]
        probe("post", tray["hwnd"], TRAY_CALLBACK, 0, DOUBLE_CLICK)
        probe("post", tray["hwnd"], TRAY_CALLBACK, 0, RIGHT_BUTTON_UP)
        probe("post", window["hwnd"], WM_COMMAND, MNU_SHOW)
        probe("post", window["hwnd"], WM_COMMAND, MNU_ABOUT)
        press(about, "OK")
        wait_until(lambda: not windows(title=ABOUT_TITLE, visible=True), "OK to close the one about box")
        self.assertFalse(options_window()["visible"], "the options window opened beneath the about box")
        self.assertFalse(windows("#32768", pid=about["pid"], visible=True), "the icon's menu opened")

        # Enter closes the box.
        probe("post", window["hwnd"], WM_COMMAND, MNU_ABOUT)
        self.wait_active(ABOUT_TITLE)
        xdotool("key", "Return")
        wait_until(lambda: not windows(title=ABOUT_TITLE), "Enter to close the about box")

        # From the options dialog, which waits beneath it; Escape closes it.
        self.show_options(window)
        options = self.wait_active(OPTIONS_TITLE)
        press(options, "&About...")
        self.wait_active(ABOUT_TITLE)
        self.assertFalse(controls(options)[OPTIONS_TITLE][0]["enabled"], "the options window under the about box")
        xdotool("key", "Escape")
        wait_until(lambda: not windows(title=ABOUT_TITLE), "Escape to close the about box")
        wait_until(lambda: controls(options)[OPTIONS_TITLE][0]["enabled"], "the options window enabled again")

        # Help: no help file yet, so the requests show in the trace and no viewer takes the focus between the keys.
        c, expected = controls(options), []

        def asks(topic, what):
            expected.append(topic)
            wait_until(lambda: self.topics(program) == expected, "%s to ask for topic %d" % (what, topic))
        # F1 on cboPause (a click opens its list, Escape closes it, the mouse leaves it for its tool tip), then F2.
        click(c["ComboBox"][1]["rect"])
        wait_until(lambda: windows("ComboLBox", pid=window["pid"], visible=True), "cboPause's list")
        xdotool("key", "Escape", "mousemove", options["rect"][0] + 8, options["rect"][3] - 8, "key", "F1")
        asks(PAUSE, "F1 on cboPause")
        xdotool("key", "F2")
        asks(PAUSE, "F2 on cboPause")
        # The time picker stands outside the table: it has the number of its row.
        click(c["Display everyday at:"][-1]["rect"])
        picker = wait_until(lambda: (lambda p: p["enabled"] and p)(controls(options)["SysDateTimePick32"][0]),
                            "the time picker enabled")
        click(picker["rect"])
        xdotool("key", "F1")
        asks(EVERY_DAY, "F1 on the time picker")
        # Clicked, the Help button has the focus: a space sent to the active window would press it again.
        click(c["&Help"][0]["rect"])
        asks(OVERVIEW, "the Help button")
        # F1 asked for the topic alone: the platform's own request that follows F1 shows no What's This popup.
        self.assertEqual(self.topics(program, "HH_DISPLAY_TEXT_POPUP"), [])
        # F1 in the list editor, whose list has the focus when it opens; Escape closes the editor, then the options.
        press(options, "Randomly select affirmations from list...")
        self.wait_active("Affirmations list")
        xdotool("key", "F1")
        asks(LIST, "F1 on the list")
        xdotool("key", "Escape")
        self.wait_active(OPTIONS_TITLE)
        xdotool("key", "Escape")  # after any key press the program could have sent itself
        wait_until(lambda: not options_window()["visible"], "Escape to close the options window")
        self.assertEqual(self.topics(program), expected)
        self.assertFalse(windows(VIEWER, pid=window["pid"]))

        # Once there is a help file, the menu's Help opens it at its overview.
        if not os.path.exists(os.environ.get("UPLIFT_HELP_FILE", "")):
            self.skipTest("no help file built (chmcmd missing)")
        shutil.copy(os.environ["UPLIFT_HELP_FILE"], self.folder)
        probe("post", window["hwnd"], WM_COMMAND, MNU_HELP)
        wait_until(lambda: self.topics(program) == expected + [OVERVIEW], "the menu's Help to ask for the overview")
        viewer = wait_until(lambda: windows(VIEWER, pid=window["pid"], visible=True), "the help viewer")[0]
        self.assertEqual(viewer["title"], "Uplift Beacon Plus Help")
        probe("post", viewer["hwnd"], WM_CLOSE)  # the program never closes it
        wait_until(lambda: not windows(VIEWER, pid=window["pid"]), "the help viewer to close")
