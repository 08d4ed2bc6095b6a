"""The program's life seen from the registry and the process; the clock and damaged values are the core's tests."""

import os
import pathlib
import re
import shutil

from e2e_support import SETTINGS_KEY, ProgramTest, options_window, reg_texts, reg_values, reg_write, wait_until

# What the first start writes; Date, Everyday and LastMessageDate come from the moment of the start.
DEFAULTS = {"txtCaption": "I am super productive and successful", "Time": "7", "Pause": "10", "optList": "False",
            "optTimeLength": "True", "LastMessageKey": "0", "BackgroundColor": "16777215", "TextColor": "0",
            "FontBold": "False", "FontItalic": "False", "FontName": "Arial", "FontSize": "48",
            "FontStrikethru": "False", "FontTransparent": "True", "FontUnderline": "False", "WhenToDisplay": "0",
            "ScreenBackground": "0", "Enabled": "True"}
VALUE_NAMES = sorted(list(DEFAULTS) + ["Date", "Everyday", "LastMessageDate"])


class LifetimeTest(ProgramTest):
    def assert_path_written(self):
        folders = {"Z:" + p.replace("/", "\\") for p in (self.folder, os.path.realpath(self.folder))}
        self.assertIn(reg_values(SETTINGS_KEY).get("Path"), {("REG_SZ", name) for name in folders}, "Path")

    def test_a_start_with_showing_disabled_writes_only_enabled_and_the_close_saves_the_record(self):
        kept = {"LastMessageKey": "42", "LastMessageDate": "1/2/2020", "txtCaption": "Hello", "WhenToDisplay": "1"}
        program, _ = self.start_ready(dict(kept, Enabled="0"))
        self.assertEqual(reg_texts(), dict(kept, Enabled="False"))
        self.assertEqual(self.close(program), 0)
        values, expected = reg_texts(), dict(DEFAULTS, **kept, Enabled="False")
        self.assertEqual((sorted(values), {name: values[name] for name in expected}), (VALUE_NAMES, expected))

    def test_one_of_ten_first_copies_writes_the_defaults_and_runs_on_a_later_one_only_the_path_no_planted_dll(self):
        reg_write({"Path": r"C:\somewhere\else"}, key=SETTINGS_KEY)
        programs = [self.start() for _ in range(10)]
        wait_until(lambda: sum(p.running() for p in programs) == 1, "all but one of ten copies to end", 60)
        survivor = next(p for p in programs if p.running())
        window = self.wait_options(survivor)
        before = self.wait_values(lambda v: len(v) == len(VALUE_NAMES), "the values of the first start")
        self.assertEqual((sorted(before), {name: before[name] for name in DEFAULTS}), (VALUE_NAMES, DEFAULTS))
        self.assert_path_written()
        reg_write({}, delete=[SETTINGS_KEY])
        self.assertEqual(self.start().wait_exit(), 0)
        self.assert_path_written()
        self.assertEqual((reg_texts(), options_window()["hwnd"]), (before, window["hwnd"]))
        survivor.kill()
        wait_until(lambda: options_window() is None, "the killed copy's window to go")
        # A wtsapi32.dll planted beside it and preferred by an override: the start's last step loads system32's.
        shutil.copy(os.environ["UPLIFT_PLANTED_DLL"], os.path.join(self.folder, "wtsapi32.dll"))
        second = self.launch(self.exe, "planted", debug="+loaddll",
                             env={"WINEDLLOVERRIDES": "mscoree,mshtml=;wtsapi32=n,b"})
        log = pathlib.Path(second.log.name)
        paths = wait_until(lambda: re.findall(rb'Loaded L"([^"]*wtsapi32\.dll)"', log.read_bytes(), re.I), "wtsapi32")
        self.assertEqual([p for p in paths if b"system32" not in p.lower()], [], "a DLL from beside the program")
