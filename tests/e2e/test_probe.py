"""The probe itself, against Wine's registry and a minimal window program: if these fail, the
end-to-end tests of the program cannot be trusted."""

import os
import re
import time
import unittest

from e2e_support import (ProbeError, minimal_path, probe, probe_path, reg_dump, session_problem, wait_until,
                         window_count, window_info, WM_CLOSE, WM_QUERYENDSESSION)

KEY = r"Software\Uplift Beacon E2E Probe Check"
MINIMAL_TITLE = "Minimal Window"


class ProbeRegistryTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        problem = session_problem()
        if problem:
            raise unittest.SkipTest(problem)
        if not os.path.isfile(probe_path()):
            raise AssertionError("probe.exe not found: %r" % probe_path())

    def setUp(self):
        probe("delete-tree", KEY)

    def tearDown(self):
        probe("delete-tree", KEY)

    def test_missing_key_is_reported(self):
        self.assertIsNone(reg_dump(KEY))
        self.assertEqual(probe("dump", KEY, check=False).returncode, 1)

    def test_text_round_trip_keeps_tabs_newlines_backslashes_and_unicode(self):
        text = "tab\there\nnew line\\back slash ünïcødé"
        probe("set-sz", KEY, "A name", text)
        self.assertEqual(reg_dump(KEY), {"A name": ("REG_SZ", text)})
        raw = probe("dump", KEY).stdout
        self.assertEqual(raw, "A name\tREG_SZ\ttab\\there\\nnew line\\\\back slash ünïcødé\n")

    def test_types(self):
        probe("set-dword", KEY, "dw", "0x10")
        probe("set-binary", KEY, "bin", "00ff41")
        probe("set-long-sz", KEY, "long", 100000)
        probe("set-sz", KEY, "empty", "")
        values = reg_dump(KEY)
        self.assertEqual(values["dw"], ("REG_DWORD", "16"))
        self.assertEqual(values["bin"], ("REG_BINARY", "00ff41"))
        self.assertEqual(values["long"], ("REG_SZ", "x" * 100000))
        self.assertEqual(values["empty"], ("REG_SZ", ""))
        self.assertEqual(probe("get", KEY, "dw").stdout, "REG_DWORD\t16\n")

    def test_delete_value_and_tree(self):
        probe("set-sz", KEY + r"\Sub\Deeper", "v", "1")
        probe("set-sz", KEY, "w", "2")
        probe("delete-value", KEY, "w")
        self.assertEqual(reg_dump(KEY), {})
        probe("delete-tree", KEY)
        self.assertIsNone(reg_dump(KEY))
        probe("delete-tree", KEY)  # absent: still fine

    def test_bad_usage(self):
        with self.assertRaises(ProbeError):
            probe("set-dword", KEY, "dw", "not a number")
        self.assertEqual(probe("no-such-command", check=False).returncode, 2)


class ProbeWindowTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        problem = session_problem()
        if problem:
            raise unittest.SkipTest(problem)
        for path in (probe_path(), minimal_path()):
            if not os.path.isfile(path):
                raise AssertionError("tool not found: %r" % path)

    def tearDown(self):
        if window_count(MINIMAL_TITLE):
            probe("post", MINIMAL_TITLE, WM_CLOSE, check=False)
            wait_until(lambda: window_count(MINIMAL_TITLE) == 0, 10, message="the minimal window to close")

    def test_start_timed_find_post_and_wait_exit(self):
        result = probe("start-timed", minimal_path(), "--window", MINIMAL_TITLE)
        fields = dict(line.split("\t") for line in result.stdout.splitlines())
        self.assertGreater(float(fields["input_idle_ms"]), 0)
        self.assertGreaterEqual(float(fields["window_ms"]), float(fields["input_idle_ms"]))
        pid = fields["pid"]
        self.assertRegex(probe("find-window", MINIMAL_TITLE).stdout.strip(), r"^0x[0-9a-f]{8,}$")
        self.assertEqual(window_count(MINIMAL_TITLE), 1)
        info = window_info(MINIMAL_TITLE)
        self.assertEqual(info["pid"], pid)
        self.assertEqual(info["visible"], "0")
        self.assertEqual(info["class"], "MinimalWindowClass")
        self.assertEqual(probe("wait-idle", MINIMAL_TITLE, 5000).stdout.strip(), "pid\t" + pid)
        # DefWindowProc answers WM_QUERYENDSESSION with TRUE.
        self.assertEqual(probe("send", MINIMAL_TITLE, WM_QUERYENDSESSION, 0, 0).stdout.strip(), "1")
        self.assertEqual(probe("wait-exit", pid, 200, check=False).returncode, 1)  # still running
        probe("post", MINIMAL_TITLE, WM_CLOSE)
        self.assertEqual(probe("wait-exit", pid, 10000).stdout.strip(), "exit_code\t0")
        self.assertEqual(probe("find-window", MINIMAL_TITLE, check=False).returncode, 1)

    def test_title_must_match_exactly(self):
        probe("start-timed", minimal_path(), "--window", MINIMAL_TITLE)
        self.assertEqual(probe("find-window", MINIMAL_TITLE.lower(), check=False).returncode, 1)
        self.assertEqual(probe("find-window", "Minimal", check=False).returncode, 1)
        self.assertEqual(probe("count-windows", "Minimal").stdout.strip(), "0")

    def test_start_timed_terminate(self):
        result = probe("start-timed", minimal_path(), "--terminate")
        self.assertRegex(result.stdout, r"input_idle_ms\t\d+\.\d{3}\npid\t\d+\n")
        time.sleep(0.2)
        self.assertEqual(window_count(MINIMAL_TITLE), 0)
        pid = re.search(r"pid\t(\d+)", result.stdout).group(1)
        self.assertEqual(probe("wait-exit", pid, 1000).returncode, 0)


if __name__ == "__main__":
    unittest.main()
