"""The three looks of a showing, read back from screenshots of the X display (saved under the e2e logs'
artifacts folder): the text alone over a coloured desktop, the text on a box of the background colour, and the
whole screen in the background colour."""

import collections
import unittest

from display_support import BOX, FULL_SCREEN, PAUSE_1_S, TIME_10_S, TRANSPARENT, DisplayTestCase
from e2e_support import hex_colour, screenshot, set_root_colour, stored_colour

DESKTOP = "#3060a0"
TEXT = (255, 255, 0)
BOX_BACKGROUND = (32, 128, 64)
WHITE = (255, 255, 255)
SCREEN = (1280, 1024)


class StylesTest(DisplayTestCase):
    def setUp(self):
        super().setUp()
        set_root_colour(DESKTOP)
        self.addCleanup(set_root_colour, None)
        self.desktop = hex_colour(DESKTOP)

    def show(self, style, background, name):
        """Starts the program with a 10 s showing of that style, waits for it; returns (window, screenshot)."""
        program, pid = self.start_with({"Pause": PAUSE_1_S, "Time": TIME_10_S, "optTimeLength": "True",
                                        "ScreenBackground": style, "txtCaption": "Shine on",
                                        "BackgroundColor": stored_colour(background),
                                        "TextColor": stored_colour(TEXT)})
        watch = self.watch(pid, 30)
        watch.wait_for(True, 10)
        window = self.message_window(pid)
        shot = screenshot(save_as=name)
        print("%s: window %s, screenshot %s" % (name, window["rect"], shot.path))
        self.assertEqual(self.exit_program(program), 0)
        return window, shot

    def test_transparent_shows_only_the_glyphs_over_the_desktop(self):
        window, shot = self.show(TRANSPARENT, WHITE, "style-transparent.png")
        left, top, right, bottom = window["rect"]
        counts = collections.Counter(shot.region(window["rect"]))
        total = (right - left) * (bottom - top)
        others = {colour: n for colour, n in counts.items() if colour not in (self.desktop, TEXT)}
        self.assertEqual(others, {}, "pixels in the window that are neither desktop nor text (%d in all)" % total)
        self.assertGreater(counts[self.desktop], total // 3, "too little desktop shows through: %s" % counts)
        self.assertGreater(counts[TEXT], total // 50, "too few glyph pixels: %s" % counts)
        # The corners of the window's rectangle lie outside the glyphs: the desktop shows there.
        for x, y in ((left, top), (right - 1, top), (left, bottom - 1), (right - 1, bottom - 1)):
            self.assertEqual(shot.pixel(x, y), self.desktop, "corner (%d, %d)" % (x, y))

    def test_box_is_the_background_colour_around_the_text(self):
        window, shot = self.show(BOX, BOX_BACKGROUND, "style-box.png")
        left, top, right, bottom = window["rect"]
        counts = collections.Counter(shot.region(window["rect"]))
        total = (right - left) * (bottom - top)
        self.assertGreater(counts[BOX_BACKGROUND], total // 3, "the box is not the background colour: %s" %
                           counts.most_common(4))
        self.assertEqual(counts[self.desktop], 0, "the desktop shows through the box")
        self.assertGreater(counts[TEXT], total // 100, "no text-coloured pixels in the box")
        for x, y in ((left, top), (right - 1, top), (left, bottom - 1), (right - 1, bottom - 1)):
            self.assertEqual(shot.pixel(x, y), BOX_BACKGROUND, "corner (%d, %d)" % (x, y))
        # Just outside the box: the desktop.
        for x, y in ((left - 2, top), (right + 1, bottom - 1), (left, top - 2), (right - 1, bottom + 1)):
            self.assertEqual(shot.pixel(x, y), self.desktop, "outside the box at (%d, %d)" % (x, y))

    def test_full_screen_covers_the_screen_with_the_text_in_the_middle(self):
        window, shot = self.show(FULL_SCREEN, BOX_BACKGROUND, "style-full-screen.png")
        self.assertEqual(window["rect"], (0, 0) + SCREEN)
        # The bottom half of the screen away from the middle row of text: all background.
        bottom_band = collections.Counter(shot.region((0, SCREEN[1] - 100, SCREEN[0], SCREEN[1])))
        self.assertEqual(list(bottom_band), [BOX_BACKGROUND], "bottom of the screen: %s" % bottom_band.most_common(3))
        middle = collections.Counter(shot.region((0, SCREEN[1] // 2 - 60, SCREEN[0], SCREEN[1] // 2 + 60)))
        self.assertGreater(middle[TEXT], 100, "no text in the middle of the screen: %s" % middle.most_common(3))
        self.assertEqual(middle[self.desktop], 0)
        # The text sits in the middle: its glyph columns are centred on the screen.
        xs = [x for y in range(SCREEN[1] // 2 - 60, SCREEN[1] // 2 + 60) for x in range(SCREEN[0])
              if shot.pixel(x, y) == TEXT]
        self.assertLessEqual(abs((min(xs) + max(xs)) / 2 - SCREEN[0] / 2), 4)


if __name__ == "__main__":
    unittest.main()
