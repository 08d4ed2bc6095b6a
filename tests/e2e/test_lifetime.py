"""Ending the program: WM_CLOSE to the options window, and the platform ending the session."""

import unittest

from e2e_support import (FIXED_DEFAULTS, PARAM_KEY, VALUE_NAMES, WM_ENDSESSION, WM_QUERYENDSESSION, OPTIONS_TITLE,
                         ProgramTestCase, probe, reg_texts, set_sz)


class CloseTest(ProgramTestCase):
    def test_close_ends_cleanly_and_keeps_the_stored_values(self):
        stored = {"LastMessageKey": "42", "LastMessageDate": "1/2/2020", "txtCaption": "Hello",
                  "WhenToDisplay": "1"}
        for name, value in stored.items():
            set_sz(name, value)
        program = self.start()
        program.wait_ready()
        self.wait_values()

        code = self.close(program, timeout=10)
        self.assertEqual(code, 0, "exit code after WM_CLOSE (log: %s)" % program.log_tail())
        values = reg_texts(PARAM_KEY)
        self.assertEqual(sorted(values), sorted(VALUE_NAMES))
        for name, value in stored.items():
            self.assertEqual(values[name], value, "value %s after the close" % name)
        for name in ("Time", "Pause", "FontName", "FontSize", "Enabled"):
            self.assertEqual(values[name], FIXED_DEFAULTS[name], "value %s" % name)

    def test_close_saves_the_record_when_start_up_wrote_none(self):
        # Disabled: start-up writes only Enabled, so the record comes from the close.
        set_sz("Enabled", "False")
        set_sz("txtCaption", "Written at the close")
        program = self.start()
        program.wait_ready()
        self.assertEqual(self.close(program), 0)
        values = reg_texts(PARAM_KEY)
        self.assertEqual(sorted(values), sorted(VALUE_NAMES))
        self.assertEqual(values["txtCaption"], "Written at the close")


class EndSessionTest(ProgramTestCase):
    def test_end_of_session_saves_the_settings_and_ends_the_process(self):
        set_sz("Enabled", "False")
        set_sz("txtCaption", "Good night")
        program = self.start()
        program.wait_ready()

        answer = probe("send", OPTIONS_TITLE, WM_QUERYENDSESSION, 0, 0)
        self.assertNotEqual(answer.stdout.strip(), "0", "the program refused to let the session end")
        # The program may end while handling WM_ENDSESSION: then the send reports a failure.
        probe("send", OPTIONS_TITLE, WM_ENDSESSION, 1, 0, "--timeout", 10000, check=False)
        code = program.wait_exit(10)
        self.assertIsNotNone(code, "the program still runs 10 s after WM_ENDSESSION")

        values = reg_texts(PARAM_KEY)
        self.assertEqual(sorted(values), sorted(VALUE_NAMES), "the settings were not saved")
        self.assertEqual(values["txtCaption"], "Good night")
        self.assertEqual(values["Enabled"], "False")


if __name__ == "__main__":
    unittest.main()
