"""On two monitors (scripts/two_monitors.sh), each look goes on the one of the foreground window (notepad's)."""

from e2e_support import BOX, FULL_SCREEN, PAUSE_1_S, TRANSPARENT, ProgramTest, screenshot, wait_until, windows, xdotool

SECOND, YELLOW, GREEN = (1280, 0, 2304, 768), (255, 255, 0), (32, 128, 64)


def notepad_on_the_second():
    """Notepad once it is on the second monitor with the focus; moved there until the window manager takes the move."""
    for pad in windows("Notepad", visible=True, title="Untitled - Notepad"):
        if pad["rect"][0] >= SECOND[0] and pad["foreground"]:
            return pad
        xdotool("windowmove", pad["x11"], 1400, 100)


class TwoMonitorTest(ProgramTest):
    def test_each_look_goes_on_the_monitor_of_the_foreground_window(self):
        self.launch(r"C:\windows\system32\notepad.exe", "notepad")
        wait_until(notepad_on_the_second, "notepad on the second monitor, with the focus")
        for look in (BOX, TRANSPARENT, FULL_SCREEN):
            watch = self.watch()
            program, _ = self.start_ready({"Pause": PAUSE_1_S, "optTimeLength": "False", "ScreenBackground": look,
                                           "TextColor": "65535", "BackgroundColor": "4227104"})  # yellow on green
            left, top, right, bottom = rect = watch.wait_for(True)[1]
            wait_until(lambda: (lambda shot: any(shot(x, y) == YELLOW for y in range(top, bottom, 2)
                                                 for x in range(left, right, 2)))(screenshot(rect)), "the text")
            pixel = screenshot((0, 0, 2304, 800), save_as="two-monitors-look-%s.png" % look)
            self.assertLessEqual(abs(left + right - 3584) + abs(top + bottom - 768), 2, "not centred: %s" % (rect,))
            self.assertTrue(look != FULL_SCREEN or rect == SECOND, "the full screen is not the monitor: %s" % (rect,))
            if look == BOX:  # green up to the window's edges; its size is the Windows-side tests'
                self.assertEqual({pixel(x, y) for x in (left, right - 1) for y in (top, bottom - 1)}, {GREEN})
            self.assertEqual(self.close(program), 0)
