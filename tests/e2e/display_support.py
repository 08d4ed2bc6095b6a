"""Helpers shared by the display tests: a program started from a private copy with chosen settings, another
program holding the focus (Wine's notepad), and checks of the message window."""

import os
import subprocess
import time

from e2e_support import (MESSAGE_CLASS, OPTIONS_TITLE, WM_CLOSE, ProgramTestCase, VisibilityWatch, find_class,
                         foreground, kill_started, log_dir, probe, program_copy, program_pid, set_sz, wait_until,
                         wine_env)

# Indexes of the duration lists.
PAUSE_1_S = "0"
PAUSE_1_HOUR = "20"
TIME_50_MS = "7"
TIME_200_MS = "10"
TIME_1_S = "15"
TIME_5_S = "19"
TIME_10_S = "20"
TIME_30_S = "22"
TRANSPARENT, BOX, FULL_SCREEN = "0", "1", "2"

NOTEPAD_CLASS = "Notepad"
NOTEPAD_TITLE = "Untitled - Notepad"


class DisplayTestCase(ProgramTestCase):
    """Starts the program from a private folder after writing its settings; helpers for its message window."""

    def setUp(self):
        super().setUp()
        self.watches = []
        self.addCleanup(self._stop_watches)

    def _stop_watches(self):
        for watch in self.watches:
            watch.stop()

    def start_with(self, settings, list_entries=None):
        """Writes the settings (name -> text), optionally Data.Lst beside a private copy of the program, starts
        it and waits until it is ready; returns (program, Windows process id)."""
        for name, value in settings.items():
            set_sz(name, value)
        exe = program_copy(self)
        if list_entries is not None:
            with open(os.path.join(os.path.dirname(exe), "Data.Lst"), "wb") as f:
                f.write(b"".join(b'"' + entry.encode("cp1252") + b'"\r\n' for entry in list_entries))
        program = self.start(exe)
        program.wait_ready()
        pid = program_pid()
        self.assertIsNotNone(pid, "no options window after the start")
        return program, pid

    def watch(self, pid, seconds, edges=0, interval_us=250):
        watch = VisibilityWatch(MESSAGE_CLASS, pid, seconds, edges=edges, interval_us=interval_us)
        self.watches.append(watch)
        return watch

    def message_window(self, pid):
        windows = find_class(MESSAGE_CLASS, pid=pid, visible=True)
        self.assertEqual(len(windows), 1, "visible message windows of the program: %s" % windows)
        return windows[0]

    def exit_program(self, program, timeout=10):
        """Ends the program as the user would (WM_CLOSE to its hidden options window); returns the exit code."""
        probe("post", OPTIONS_TITLE, WM_CLOSE)
        code = program.wait_exit(timeout)
        self.assertIsNotNone(code, "the program still runs %d s after WM_CLOSE" % timeout)
        return code


class Notepad:
    """Wine's notepad, started by a test and stopped by its pid."""

    def __init__(self):
        self.log = open(os.path.join(log_dir(), "notepad-%d-%d.log" % (os.getpid(), int(time.time() * 1000))), "wb")
        self.popen = subprocess.Popen(["wine", "notepad"], stdin=subprocess.DEVNULL, stdout=self.log,
                                      stderr=subprocess.STDOUT, env=wine_env())
        self.window = None

    def wait_ready(self, timeout=30):
        def ready():
            windows = [w for w in find_class(NOTEPAD_CLASS, visible=True) if w["title"] == NOTEPAD_TITLE]
            return windows[0] if len(windows) == 1 else None
        self.window = wait_until(ready, timeout, message="notepad's window")
        return self.window

    def has_foreground(self):
        info = foreground()
        return self.window is not None and info.get("hwnd") == self.window["hwnd"]

    def edit_text(self):
        edit = probe("child", self.window["hwnd"], "Edit").stdout.strip()
        return probe("get-text", edit).stdout.rstrip("\n")

    def stop(self):
        if self.popen.poll() is None and self.window:
            probe("terminate", self.window["pid"], check=False)
        kill_started(self.popen)
        self.log.close()
        try:
            wait_until(lambda: not find_class(NOTEPAD_CLASS), 10, message="notepad's window to go away")
        except AssertionError:
            pass
