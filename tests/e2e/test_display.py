"""A showing over the user's program (Wine's notepad), which keeps the focus and what is typed until Escape, and a lock
and a sleep posted as Windows sends them (Wine sends neither), which end the showing and hold the next back."""

from e2e_support import MESSAGE_CLASS, PAUSE_1_S, ProgramTest, controls, probe, wait_until, windows, xdotool

LOCK = (0x2B1, 7, 8)  # WM_WTSSESSION_CHANGE: WTS_SESSION_LOCK, then WTS_SESSION_UNLOCK
SLEEP = (0x218, 4, 0x12)  # WM_POWERBROADCAST: PBT_APMSUSPEND, then PBT_APMRESUMEAUTOMATIC


class DisplayTest(ProgramTest):
    def test_a_showing_keeps_the_users_focus_until_escape_and_a_lock_or_a_sleep_ends_it_until_the_return(self):
        self.launch(r"C:\windows\system32\notepad.exe", "notepad")
        notepad = wait_until(lambda: windows("Notepad", visible=True, title="Untitled - Notepad"), "notepad")[0]
        focused = lambda: windows("Notepad")[0]["foreground"]  # noqa: E731
        typed = lambda: controls(notepad)["Edit"][0]["text"]  # noqa: E731
        wait_until(focused, "notepad to have the focus")
        watch = self.watch()
        program, window = self.start_ready({"Pause": PAUSE_1_S, "optTimeLength": "False"})
        for text in ("still typing", "still typing here"):  # each showing lasts until Escape
            watch.wait_for(True)  # the keys go on into notepad: the showing took no focus
            xdotool("type", "--delay", "15", text[len(typed()):])
            wait_until(lambda: typed() == text, "the typed text in notepad")
            self.assertNotIn(False, [visible for visible, _ in watch.drain()], "typing ended the showing")
            xdotool("key", "Escape")
            watch.wait_for(False)

        # A lock or a sleep ends the showing and none comes while away (the quiet after a wake: the core's tests).
        for message, away, back in (LOCK, SLEEP):
            watch.wait_for(True)
            probe("post", window["hwnd"], message, away)
            watch.wait_for(False)
            self.assertNotIn("state\t1", probe("watch", MESSAGE_CLASS, 0, 3000), "a showing while away")
            probe("post", window["hwnd"], message, back)
        watch.wait_for(True)
        self.assertEqual(self.close(program), 0)
        self.assertTrue(focused(), "the program's exit moved the focus")
