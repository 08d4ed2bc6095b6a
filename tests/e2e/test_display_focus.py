"""A showing seen from the desktop: centred, topmost, off the task bar, never taking the focus from the user's
program (Wine's notepad); Escape typed into that program ends it within tens of milliseconds, and what the
user types keeps reaching that program."""

import subprocess
import time
import unittest

from display_support import BOX, PAUSE_1_S, TIME_30_S, DisplayTestCase, Notepad
from e2e_support import (WS_EX_APPWINDOW, foreground, WS_EX_NOACTIVATE, WS_EX_TOOLWINDOW, WS_EX_TOPMOST, x_window_attributes,
                         x_window_tree, xdotool)

SCREEN = (1280, 1024)  # the harness's Xvfb screen
ESCAPE_LIMIT_S = 0.15


def root_child_order():
    """X ids of the root's children, bottom to top (xwininfo -tree lists the topmost first)."""
    order = []
    for line in x_window_tree().splitlines():
        if line.startswith("     0x"):  # direct children are indented by five blanks
            order.append(int(line.split()[0], 16))
    return order[::-1]


def top_level_ancestor(window):
    """The root's child that holds an X window (openbox puts managed windows in a frame)."""
    while True:
        attributes = subprocess.run(["xwininfo", "-children", "-id", str(window)], stdout=subprocess.PIPE,
                                    stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL,
                                    timeout=30).stdout.decode("utf-8", "replace")
        parent = root = None
        for line in attributes.splitlines():
            line = line.strip()
            if line.startswith("Root window id:"):
                root = int(line.split()[3], 16)
            elif line.startswith("Parent window id:"):
                parent = int(line.split()[3], 16)
        if parent is None or parent == root:
            return window
        window = parent


class FocusAndEscapeTest(DisplayTestCase):
    def setUp(self):
        super().setUp()
        self.notepad = Notepad()
        self.addCleanup(self.notepad.stop)

    def test_showing_keeps_the_focus_elsewhere_and_ends_on_escape(self):
        # The user's program is up and focused before the program starts.
        self.notepad.wait_ready()
        self.assertTrue(self.notepad.has_foreground(), "notepad is not in the foreground at the start")

        program, pid = self.start_with({"Pause": PAUSE_1_S, "Time": TIME_30_S, "optTimeLength": "True",
                                        "ScreenBackground": BOX, "txtCaption": "Keep going"})
        watch = self.watch(pid, 60)
        first = watch.next(10)
        self.assertIsNotNone(first)
        if not first[0]:
            self.assertTrue(self.notepad.has_foreground(),
                            "the program's start took the foreground: %s" % foreground())
        watch.wait_for(True, 10)

        # During the showing.
        window = self.message_window(pid)
        left, top, right, bottom = window["rect"]
        width, height = right - left, bottom - top
        self.assertGreater(width, 20)
        self.assertGreater(height, 20)
        self.assertLessEqual(abs((left + right) - SCREEN[0]), 1, "not centred horizontally: %s" % (window["rect"],))
        self.assertLessEqual(abs((top + bottom) - SCREEN[1]), 1, "not centred vertically: %s" % (window["rect"],))
        self.assertTrue(window["exstyle"] & WS_EX_TOPMOST, "not topmost: exstyle %#x" % window["exstyle"])
        self.assertTrue(window["exstyle"] & WS_EX_TOOLWINDOW, "no WS_EX_TOOLWINDOW: exstyle %#x" % window["exstyle"])
        self.assertTrue(window["exstyle"] & WS_EX_NOACTIVATE, "no WS_EX_NOACTIVATE: exstyle %#x" % window["exstyle"])
        self.assertFalse(window["exstyle"] & WS_EX_APPWINDOW, "WS_EX_APPWINDOW: a task-bar button")
        self.assertTrue(self.notepad.has_foreground(), "the showing took the foreground")

        # On the X side: the window manager does not manage it (no task-bar entry, no focus), and it lies
        # above notepad, which covers the middle of the screen.
        self.assertNotEqual(window["x11"], 0, "no X window for the message window")
        attributes = x_window_attributes(window["x11"])
        self.assertEqual(attributes.get("map state"), "IsViewable")
        if attributes.get("override redirect state") != "yes":
            state = subprocess.run(["xprop", "-id", str(window["x11"]), "_NET_WM_STATE"], stdout=subprocess.PIPE,
                                   stderr=subprocess.DEVNULL, timeout=30).stdout.decode()
            self.assertIn("_NET_WM_STATE_SKIP_TASKBAR", state)
        order = root_child_order()
        ours = top_level_ancestor(window["x11"])
        notepads = top_level_ancestor(self.notepad.window["x11"])
        self.assertIn(ours, order)
        self.assertIn(notepads, order)
        self.assertGreater(order.index(ours), order.index(notepads), "the message window is below notepad")

        # Escape typed into notepad ends the showing.
        before = time.time()
        xdotool("key", "Escape")
        after = time.time()
        hidden = watch.wait_for(False, 5)
        latency = hidden[1] - before
        print("Escape: window hidden %.1f ms after xdotool started (%.1f ms after it returned; polled every "
              "%.2f ms)" % (latency * 1000, (hidden[1] - after) * 1000, (hidden[1] - hidden[2]) * 1000))
        self.assertLess(latency, ESCAPE_LIMIT_S, "the showing ended %.0f ms after Escape" % (latency * 1000))
        self.assertTrue(self.notepad.has_foreground(), "notepad lost the foreground after the showing")

        # The next showing comes a pause later; what the user types meanwhile reaches notepad.
        watch.wait_for(True, 10)
        self.assertTrue(self.notepad.has_foreground(), "the second showing took the foreground")
        xdotool("type", "--delay", "15", "still typing")
        self.assertEqual(self.notepad.edit_text(), "still typing")
        self.assertIsNotNone(self.message_window(pid), "the typing ended the showing")
        xdotool("key", "Escape")
        watch.wait_for(False, 5)
        xdotool("type", "--delay", "15", " here")
        self.assertEqual(self.notepad.edit_text(), "still typing here")
        self.assertTrue(self.notepad.has_foreground())

        self.assertEqual(self.exit_program(program), 0)
        self.assertTrue(self.notepad.has_foreground(), "the program's exit changed the foreground")


if __name__ == "__main__":
    unittest.main()
