"""One copy at a time: a second copy ends at once having written only the program folder."""

import os
import signal
import time
import unittest

from e2e_support import (OPTIONS_TITLE, PARAM_KEY, SETTINGS_KEY, ProgramTestCase, probe, reg_dump, wait_until,
                         window_count, window_info)


class SingleInstanceTest(ProgramTestCase):
    def test_second_copy_ends_and_writes_only_the_path(self):
        first = self.start()
        first.wait_ready()
        self.wait_values()
        before = reg_dump(PARAM_KEY)
        first_window = window_info()
        probe("delete-tree", r"Software\Fernbrook")

        start = time.monotonic()
        second = self.start()
        code = second.wait_exit(10)
        elapsed = time.monotonic() - start
        self.assertIsNotNone(code, "the second copy still runs after 10 s")
        print("second copy ended after %.2f s (exit code %d)" % (elapsed, code))
        # Wine itself takes a while to start a process; the copy must end at once after that.
        self.assertLess(elapsed, 5, "the second copy took %.1f s to end" % elapsed)

        self.assert_path_written(second)
        self.assertEqual(reg_dump(PARAM_KEY), before, "the second copy changed the settings")
        self.assertTrue(first.running(), "the first copy ended")
        self.assertEqual(window_count(), 1)
        self.assertEqual(window_info()["hwnd"], first_window["hwnd"])

    def test_ten_copies_started_together_leave_one(self):
        programs = [self.start() for _ in range(10)]
        wait_until(lambda: sum(p.running() for p in programs) <= 1, 40, interval=0.25,
                   message="all but one of ten copies to end")
        time.sleep(2)
        survivors = [p for p in programs if p.running()]
        self.assertEqual(len(survivors), 1, "copies running: %d" % len(survivors))
        self.assertEqual(window_count(), 1)
        survivors[0].wait_ready()
        self.assertEqual(self.close(survivors[0]), 0)

    def test_a_copy_starts_normally_after_the_first_was_killed(self):
        first = self.start()
        first.wait_ready()
        os.kill(first.pid, signal.SIGKILL)
        self.assertIsNotNone(first.wait_exit(10))
        wait_until(lambda: window_count() == 0, 10, message="the killed copy's window to go away")

        second = self.start()
        second.wait_ready()
        time.sleep(1.5)
        self.assertTrue(second.running(), "a copy started after a killed one ended (log: %s)" % second.log_tail())
        self.assertEqual(self.close(second), 0)


if __name__ == "__main__":
    unittest.main()
