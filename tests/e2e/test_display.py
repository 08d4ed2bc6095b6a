"""Showings as the user sees them: over the user's program (Wine's notepad), which keeps the focus and what is
typed, until Escape; the box read back from a screenshot (saved in the logs' artifacts folder). The other looks
are measured on two monitors (test_two_monitors), the transparent window's region by the Windows-side tests."""

import collections

from e2e_support import (BOX, MESSAGE_CLASS, PAUSE_1_S, ProgramTest, Started, controls, screenshot, wait_until,
                         windows, xdotool)

SCREEN = (0, 0, 1280, 1024)  # the harness's X display
TEXT, BACKGROUND = (255, 255, 0), (32, 128, 64)
WS_EX_TOPMOST, WS_EX_TOOLWINDOW, WS_EX_APPWINDOW, WS_EX_NOACTIVATE = 0x8, 0x80, 0x40000, 0x8000000


def colour(rgb):
    """The stored form of a colour, 0x00BBGGRR in decimal."""
    return str(rgb[0] | rgb[1] << 8 | rgb[2] << 16)


def pixels(shot, rect):
    return collections.Counter(shot(x, y) for y in range(rect[1], rect[3]) for x in range(rect[0], rect[2]))


class DisplayTest(ProgramTest):
    def show(self, look, caption="Shine on", **settings):
        """Starts the program with showings that last until Escape; returns (program, watch, message window)."""
        watch = self.watch()
        program, _ = self.start_ready(dict({"Pause": PAUSE_1_S, "optTimeLength": "False", "ScreenBackground": look,
                                            "txtCaption": caption, "TextColor": colour(TEXT),
                                            "BackgroundColor": colour(BACKGROUND)}, **settings))
        watch.wait_for(True)
        return program, watch, windows(MESSAGE_CLASS, visible=True)[0]

    def test_a_showing_keeps_the_focus_on_the_users_program_and_ends_on_escape(self):
        self.started.append(Started(r"C:\windows\system32\notepad.exe", "notepad"))
        notepad = wait_until(lambda: windows("Notepad", visible=True, title="Untitled - Notepad"), "notepad")[0]
        focused = lambda: windows("Notepad")[0]["foreground"]  # noqa: E731
        wait_until(focused, "notepad to have the focus")

        program, watch, window = self.show(BOX, "Keep going")
        left, top, right, bottom = rect = window["rect"]
        self.assertLessEqual(abs(left + right - SCREEN[2]) + abs(top + bottom - SCREEN[3]), 2, "not centred")
        flags = window["exstyle"] & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_APPWINDOW | WS_EX_NOACTIVATE)
        self.assertEqual(flags, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "no task-bar button, no focus")
        self.assertTrue(focused(), "the showing took the focus")
        # The box, in the background colour around the text, lies above notepad.
        pad_left, pad_top, pad_right, pad_bottom = notepad["rect"]
        self.assertTrue(pad_left < left and pad_top < top and right < pad_right and bottom < pad_bottom)
        shot = screenshot((left - 2, top - 2, right + 2, bottom + 2), save_as="look-box.png")
        corners = [(left, top), (right - 1, top), (left, bottom - 1), (right - 1, bottom - 1)]
        self.assertEqual({shot(x, y) for x, y in corners}, {BACKGROUND})
        self.assertNotIn(BACKGROUND, {shot(left - 2, top), shot(right + 1, bottom - 1)}, "the box is too large")
        self.assertGreater(pixels(shot, rect)[TEXT], (right - left) * (bottom - top) // 100, "no text in the box")

        # Escape typed into notepad ends the showing; the next one comes a pause later.
        xdotool("key", "Escape")
        watch.wait_for(False)
        self.assertTrue(focused())
        watch.wait_for(True)
        self.assertTrue(focused(), "the second showing took the focus")
        typed = lambda: controls(notepad)["Edit"][0]["text"]  # noqa: E731
        xdotool("type", "--delay", "15", "still typing")
        wait_until(lambda: typed() == "still typing", "the typed text in notepad")
        self.assertNotIn(False, [visible for visible, _ in watch.drain()], "typing ended the showing")
        xdotool("key", "Escape")
        watch.wait_for(False)
        xdotool("type", "--delay", "15", " here")
        wait_until(lambda: typed() == "still typing here", "the typed text in notepad")
        self.assertEqual(self.close(program), 0)
        self.assertTrue(focused(), "the program's exit moved the focus")

