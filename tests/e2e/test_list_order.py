"""List mode: entries drawn from Data.Lst beside the program come in the same order on every run (the random
generator starts from the same state). Each entry has its own length, so the width of the message window (in
the box style, as wide as its text on one line) tells which one is on the screen."""

import unittest

from display_support import BOX, PAUSE_1_S, TIME_200_MS, DisplayTestCase

ENTRIES = [
    "Hi",
    "Be calm",
    "You can do it",
    "Every day, a new start",
    "Small steps still move you forward",
]
SHOWINGS = 5


class ListOrderTest(DisplayTestCase):
    def run_once(self):
        """Starts the program in list mode; returns the widths of its first showings, then ends it."""
        program, pid = self.start_with({"Pause": PAUSE_1_S, "Time": TIME_200_MS, "optTimeLength": "True",
                                        "ScreenBackground": BOX, "optList": "True"}, list_entries=ENTRIES)
        watch = self.watch(pid, 30)
        widths = []
        for _ in range(SHOWINGS):
            shown = watch.wait_for(True, 10)
            left, _, right, _ = shown[4]
            widths.append(right - left)
            hidden = watch.wait_for(False, 5)
            length = hidden[1] - shown[1]
            self.assertGreater(length, 0.15, "a 200 ms showing lasted %.0f ms" % (length * 1000))
            self.assertLess(length, 1.0, "a 200 ms showing lasted %.0f ms" % (length * 1000))
        watch.stop()
        self.assertEqual(self.exit_program(program), 0)
        return widths

    def test_two_runs_show_the_entries_in_the_same_order(self):
        first = self.run_once()
        second = self.run_once()
        print("window widths, run 1: %s; run 2: %s" % (first, second))
        self.assertEqual(first, second, "the two runs drew different entries")
        self.assertGreaterEqual(len(set(first)), 2, "always the same entry: %s" % first)
        self.assertTrue(all(width > 0 for width in first))


if __name__ == "__main__":
    unittest.main()
