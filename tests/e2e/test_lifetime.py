"""The program's life seen from the registry and the process: the first start, a start with showing disabled,
the end by WM_CLOSE, and one copy at a time. What the clock and damaged values load is for the core's tests."""

from e2e_support import (DEFAULTS, PARAM_KEY, SETTINGS_KEY, STORE_KEYS, VALUE_NAMES, ProgramTest, options_window,
                         reg_texts, reg_values, reg_write, wait_until)


class LifetimeTest(ProgramTest):
    def test_first_start_writes_the_defaults_a_disabled_one_only_enabled_and_the_close_saves_the_record(self):
        reg_write({"Path": r"C:\somewhere\else"}, key=SETTINGS_KEY)
        program = self.start()
        values = self.wait_values(lambda v: len(v) == len(VALUE_NAMES), "the values of the first start")
        self.assertEqual((sorted(values), {name: values[name] for name in DEFAULTS}), (VALUE_NAMES, DEFAULTS))
        self.assert_path_written()
        self.assertFalse(self.wait_options(program)["visible"], "the options window shows at the start")
        self.assertEqual(self.close(program), 0)

        kept = {"LastMessageKey": "42", "LastMessageDate": "1/2/2020", "txtCaption": "Hello", "WhenToDisplay": "1"}
        reg_write({}, delete=STORE_KEYS)
        program, _ = self.start_ready(dict(kept, Enabled="0"))
        self.assertEqual(reg_texts(), dict(kept, Enabled="False"))
        self.assertEqual(self.close(program), 0)
        values, expected = reg_texts(), dict(DEFAULTS, **kept, Enabled="False")
        self.assertEqual((sorted(values), {name: values[name] for name in expected}), (VALUE_NAMES, expected))


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
