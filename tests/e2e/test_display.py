"""A showing over the user's program (Wine's notepad), which keeps the focus and what is typed until Escape. The
looks are measured on two monitors (test_two_monitors), the window's styles and region by the Windows-side tests."""

from e2e_support import PAUSE_1_S, ProgramTest, controls, wait_until, windows, xdotool


class DisplayTest(ProgramTest):
    def test_a_showing_keeps_the_focus_on_the_users_program_and_ends_on_escape(self):
        self.launch(r"C:\windows\system32\notepad.exe", "notepad")
        notepad = wait_until(lambda: windows("Notepad", visible=True, title="Untitled - Notepad"), "notepad")[0]
        focused = lambda: windows("Notepad")[0]["foreground"]  # noqa: E731
        typed = lambda: controls(notepad)["Edit"][0]["text"]  # noqa: E731
        wait_until(focused, "notepad to have the focus")
        watch = self.watch()
        program, _ = self.start_ready({"Pause": PAUSE_1_S, "optTimeLength": "False"})
        for text in ("still typing", "still typing here"):  # each showing lasts until Escape
            watch.wait_for(True)
            self.assertTrue(focused(), "the showing took the focus")
            xdotool("type", "--delay", "15", text[len(typed()):])
            wait_until(lambda: typed() == text, "the typed text in notepad")
            self.assertNotIn(False, [visible for visible, _ in watch.drain()], "typing ended the showing")
            xdotool("key", "Escape")
            watch.wait_for(False)
        self.assertEqual(self.close(program), 0)
        self.assertTrue(focused(), "the program's exit moved the focus")
