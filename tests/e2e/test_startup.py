"""Start-up: the program folder entry, the hidden options window, the settings written on a first start
and with showing disabled."""

import datetime
import time
import unittest

from e2e_support import (DATE_RE, FIXED_DEFAULTS, OPTIONS_TITLE, PARAM_KEY, VALUE_NAMES, ProgramTestCase,
                         parse_us_date_time, parse_us_time, reg_texts, set_sz, us_date, window_count, window_info)

SLACK = datetime.timedelta(seconds=3)


class FirstStartTest(ProgramTestCase):
    def test_first_start_on_an_empty_store_writes_the_defaults(self):
        before = datetime.datetime.now()
        program = self.start()
        program.wait_ready()
        values = self.wait_values()
        after = datetime.datetime.now()

        self.assertEqual(sorted(values), sorted(VALUE_NAMES), "the values under HKCU\\" + PARAM_KEY)
        for name, expected in FIXED_DEFAULTS.items():
            self.assertEqual(values[name], expected, "value %s" % name)

        # Yesterday's date, as a date alone (M/d/yyyy).
        self.assertRegex(values["LastMessageDate"], DATE_RE)
        yesterdays = {us_date(before.date() - datetime.timedelta(days=1)),
                      us_date(after.date() - datetime.timedelta(days=1))}
        self.assertIn(values["LastMessageDate"], yesterdays)

        # Date: the moment of start-up, "M/d/yyyy h:mm:ss AM|PM".
        moment = parse_us_date_time(values["Date"])
        self.assertIsNotNone(moment, "Date %r is not M/d/yyyy h:mm:ss AM|PM" % values["Date"])
        self.assertTrue(before.replace(microsecond=0) - SLACK <= moment <= after + SLACK,
                        "Date %s is not between %s and %s" % (values["Date"], before, after))

        # Everyday: the time of day of start-up, "h:mm:ss AM|PM".
        seconds = parse_us_time(values["Everyday"])
        self.assertIsNotNone(seconds, "Everyday %r is not h:mm:ss AM|PM" % values["Everyday"])
        lo = before.hour * 3600 + before.minute * 60 + before.second - SLACK.seconds
        hi = after.hour * 3600 + after.minute * 60 + after.second + SLACK.seconds
        if before.date() == after.date():
            self.assertTrue(lo <= seconds <= hi, "Everyday %s is not the start time (%s..%s)"
                            % (values["Everyday"], before.time(), after.time()))

        self.assert_path_written(program)

        # The options window exists, hidden, and belongs to the running program.
        info = window_info()
        self.assertIsNotNone(info, "no window titled %r" % OPTIONS_TITLE)
        self.assertEqual(info["visible"], "0", "the options window is visible at start-up")
        self.assertEqual(window_count(), 1)
        time.sleep(1)
        self.assertTrue(program.running(), "the program ended by itself (log: %s)" % program.log_tail())

    def test_path_is_written_again_over_an_old_value(self):
        set_sz("Path", r"C:\somewhere\else", key=r"Software\Fernbrook\UpliftBeacon\Settings")
        program = self.start()
        program.wait_ready()
        self.wait_values()
        self.assert_path_written(program)


class DisabledStartTest(ProgramTestCase):
    def test_with_showing_disabled_start_up_writes_only_enabled(self):
        set_sz("Enabled", "False")
        program = self.start()
        program.wait_ready()
        # Give start-up time to write whatever it writes.
        time.sleep(2)
        self.assertEqual(reg_texts(PARAM_KEY), {"Enabled": "False"})
        self.assert_path_written(program)
        self.assertTrue(program.running(), "the program ended by itself (log: %s)" % program.log_tail())

        # Closing saves the record; Enabled stays as it was.
        self.assertEqual(self.close(program), 0)
        values = reg_texts(PARAM_KEY)
        self.assertEqual(sorted(values), sorted(VALUE_NAMES))
        self.assertEqual(values["Enabled"], "False")
        for name in ("txtCaption", "Time", "Pause", "FontName", "FontSize", "WhenToDisplay"):
            self.assertEqual(values[name], FIXED_DEFAULTS[name], "value %s" % name)


if __name__ == "__main__":
    unittest.main()
