"""The program's life seen from the registry and the process: the first start, a start with showing disabled,
the end by WM_CLOSE, damaged settings, and one copy at a time."""

import datetime
import os

from e2e_support import (DEFAULTS, PARAM_KEY, SETTINGS_KEY, VALUE_NAMES, ProgramTest, options_window, reg_texts,
                         reg_values, reg_write, wait_until)


def parse(text, *formats):
    for form in formats:
        try:
            return datetime.datetime.strptime(text, form)
        except ValueError:
            pass
    raise AssertionError("%r is none of %s" % (text, formats))


class LifetimeTest(ProgramTest):
    def test_first_start_writes_the_defaults_and_the_program_folder(self):
        reg_write({"Path": r"C:\somewhere\else"}, key=SETTINGS_KEY)
        program = self.start()
        values = self.wait_values(lambda v: len(v) == len(VALUE_NAMES), "the values of the first start")
        self.assertEqual(sorted(values), VALUE_NAMES)
        self.assertEqual({name: values[name] for name in DEFAULTS}, DEFAULTS)
        # The moment of the start, read from the clock once for each value: the same second or the next.
        moment = parse(values["Date"], "%m/%d/%Y %I:%M:%S %p", "%m/%d/%Y")
        self.assertGreaterEqual(moment, datetime.datetime.fromtimestamp(os.path.getmtime(self.exe) // 1))
        everyday = parse(values["Everyday"], "%I:%M:%S %p")
        self.assertIn((everyday - moment).seconds, (0, 1), "Everyday %s, Date %s" % (values["Everyday"], moment))
        self.assertEqual(parse(values["LastMessageDate"], "%m/%d/%Y"), moment.replace(hour=0, minute=0, second=0)
                         - datetime.timedelta(days=1))
        self.assert_path_written()
        window = self.wait_options(program)
        self.assertFalse(window["visible"], "the options window shows at the start")
        self.assertEqual(self.close(program), 0)

    def test_disabled_start_writes_only_enabled_and_the_close_saves_the_record(self):
        kept = {"LastMessageKey": "42", "LastMessageDate": "1/2/2020", "txtCaption": "Hello", "WhenToDisplay": "1"}
        program, _ = self.start_ready(dict(kept, Enabled="0"))
        self.assertEqual(reg_texts(), dict(kept, Enabled="False"))
        self.assert_path_written()
        self.assertEqual(self.close(program), 0)
        values = reg_texts()
        self.assertEqual(sorted(values), VALUE_NAMES)
        expected = dict(DEFAULTS, **kept, Enabled="False")
        self.assertEqual({name: values[name] for name in expected}, expected)

    def test_damaged_values_load_the_defaults(self):
        long_text = "x" * 100000
        damaged = {"Time": 3, "FontName": b"\x00\xff\x7f\x80\xfe", "FontSize": long_text, "Pause": "999",
                   "LastMessageKey": "abc", "WhenToDisplay": "7", "ScreenBackground": "-1", "optList": "maybe",
                   "BackgroundColor": "blue", "FontBold": "TRUE", "txtCaption": long_text}
        program, _ = self.start_ready(damaged)
        self.assertEqual(self.close(program), 0)
        values = reg_texts()
        self.assertEqual(sorted(values), VALUE_NAMES)
        # A display mode or a look other than 0 and 1 is the third one; a long text is kept whole.
        expected = dict(DEFAULTS, WhenToDisplay="2", ScreenBackground="2", FontBold="True", txtCaption=long_text)
        self.assertEqual({name: values[name] for name in DEFAULTS}, expected)


class SingleInstanceTest(ProgramTest):
    def test_a_second_copy_ends_having_written_only_the_path(self):
        first, window = self.start_ready()
        before = reg_values(PARAM_KEY)
        reg_write({}, delete=[SETTINGS_KEY])
        second = self.start()
        self.assertEqual(second.wait_exit(), 0)
        self.assert_path_written()
        self.assertEqual(reg_values(PARAM_KEY), before)
        self.assertTrue(first.running())
        self.assertEqual(options_window()["hwnd"], window["hwnd"])

    def test_of_ten_copies_started_together_one_runs_on_and_a_copy_starts_after_it_is_killed(self):
        programs = [self.start() for _ in range(10)]
        wait_until(lambda: sum(p.running() for p in programs) <= 1, "all but one of ten copies to end", 60)
        survivors = [p for p in programs if p.running()]
        self.assertEqual(len(survivors), 1)
        survivors[0].kill()
        wait_until(lambda: options_window() is None, "the killed copy's window to go")
        second, _ = self.start_ready()
        self.assertEqual(self.close(second), 0)
