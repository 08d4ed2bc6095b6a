"""Damaged settings (wrong types, huge texts, out-of-range numbers): the program starts, keeps running,
and stores sane values again."""

import re
import time
import unittest

from e2e_support import PARAM_KEY, VALUE_NAMES, ProgramTestCase, probe, reg_texts, set_sz

LONG = 100000


class BadValuesTest(ProgramTestCase):
    def test_damaged_store_gives_sane_values(self):
        probe("set-dword", PARAM_KEY, "Time", 3)
        probe("set-binary", PARAM_KEY, "FontName", "00ff7f80fe")
        probe("set-long-sz", PARAM_KEY, "txtCaption", LONG)
        probe("set-long-sz", PARAM_KEY, "FontSize", LONG)
        set_sz("WhenToDisplay", "7")
        set_sz("Pause", "abc")

        program = self.start()
        program.wait_ready()
        time.sleep(2)
        self.assertTrue(program.running(), "the program ended on damaged settings (log: %s)" % program.log_tail())

        self.assertEqual(self.close(program), 0)
        values = reg_texts(PARAM_KEY)  # fails unless every value is REG_SZ again
        self.assertEqual(sorted(values), sorted(VALUE_NAMES))
        self.assertEqual(values["Time"], "7")
        self.assertEqual(values["FontName"], "Arial")
        self.assertEqual(values["FontSize"], "48")
        self.assertEqual(values["WhenToDisplay"], "2")
        self.assertEqual(len(values["txtCaption"]), LONG)
        self.assertEqual(values["txtCaption"], "x" * LONG)
        self.assertRegex(values["Pause"], r"^\d+$")
        self.assertLess(int(values["Pause"]), 21, "Pause is not an index of the pause list")

    def test_odd_texts_in_numbers_and_flags(self):
        for name, value in {"Time": "-5", "Pause": "999", "ScreenBackground": "7", "optList": "maybe",
                            "BackgroundColor": "blue", "FontBold": "TRUE"}.items():
            set_sz(name, value)
        program = self.start()
        program.wait_ready()
        time.sleep(1)
        self.assertTrue(program.running(), "the program ended on odd settings (log: %s)" % program.log_tail())
        self.assertEqual(self.close(program), 0)
        values = reg_texts(PARAM_KEY)
        self.assertEqual(sorted(values), sorted(VALUE_NAMES))
        self.assertEqual(values["ScreenBackground"], "2")
        self.assertEqual(values["FontBold"], "True")
        for name in ("Time", "Pause", "BackgroundColor"):
            self.assertRegex(values[name], r"^-?\d+$", "value %s" % name)
        self.assertIn(values["optList"], ("True", "False"))


if __name__ == "__main__":
    unittest.main()
