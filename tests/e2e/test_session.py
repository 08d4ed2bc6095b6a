"""The session and the monitors: a lock and a sleep, posted as Windows sends them (Wine sends neither), end the
showing and hold the next back until the unlock or the wake; with Wine's notepad on the second of two monitors
(Xephyr's two screens in a copy of the prefix), each look is centred on that monitor, the full screen covers it."""

import os
import shutil
import subprocess
import tempfile
import unittest

from e2e_support import (BOX, FULL_SCREEN, PAUSE_1_S, TRANSPARENT, ProgramTest, Started, log_dir, probe,
                         screenshot, wait_until, wine_env, windows, xdotool)

WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, WTS_SESSION_UNLOCK = 0x2B1, 7, 8
WM_POWERBROADCAST, PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC = 0x218, 4, 0x12
SECOND = (1280, 0, 2304, 768)  # the second monitor, right of the 1280x800 primary


class SessionTest(ProgramTest):
    def test_a_lock_or_a_sleep_ends_the_showing_and_the_next_waits_for_the_unlock_and_the_wake(self):
        watch = self.watch()
        _, window = self.start_ready({"Pause": PAUSE_1_S, "optTimeLength": "False"})
        post = lambda *message: probe("post", window["hwnd"], *message)  # noqa: E731
        watch.wait_for(True)
        post(WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK)
        watch.wait_for(False)
        post(WM_POWERBROADCAST, PBT_APMSUSPEND)
        post(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC)
        self.assertEqual(watch.drain(), [], "a showing while locked")
        post(WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK)
        watch.wait_for(True)
        post(WM_POWERBROADCAST, PBT_APMSUSPEND)
        watch.wait_for(False)
        post(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC)
        watch.wait_for(True)


class TwoMonitorTest(ProgramTest):
    @classmethod
    def setUpClass(cls):
        if not shutil.which("Xephyr"):
            raise unittest.SkipTest("no Xephyr: scripts/test.sh installs xserver-xephyr")
        cls.saved = {name: os.environ[name] for name in ("WINEPREFIX", "DISPLAY")}
        cls.spawned, cls.place = [], tempfile.mkdtemp(prefix="uplift-monitors-")
        number = next(n for n in range(150, 250) if not os.path.exists("/tmp/.X%d-lock" % n))
        cls.spawn("Xephyr", ":%d" % number, "+xinerama", "-screen", "1280x800+0+0", "-screen", "1024x768+1280+0",
                  "-nolisten", "tcp", "-noreset")
        os.environ["DISPLAY"] = ":%d" % number
        wait_until(lambda: subprocess.run(["xdpyinfo"], capture_output=True).returncode == 0, "Xephyr's display")
        rc = os.path.join(cls.place, "rc.xml")
        with open(rc, "w") as f:
            f.write('<openbox_config xmlns="http://openbox.org/3.4/rc"><applications><application title="Wine System'
                    ' Tray"><focus>no</focus></application></applications></openbox_config>')
        cls.spawn("openbox", "--sm-disable", "--config-file", rc)
        # Wine reads the two screens through Xinerama only with XRandR off, set before its server starts.
        prefix = os.environ["WINEPREFIX"] = os.path.join(cls.place, "prefix")
        shutil.copytree(cls.saved["WINEPREFIX"], prefix, symlinks=True)
        with open(os.path.join(prefix, "user.reg"), "a") as f:
            f.write('\n[Software\\\\Wine\\\\X11 Driver] 0\n"UseXRandR"="N"\n')
        cls.spawn("wineserver", "-f", "-p")
        cls.spawn("wine", "wineboot").wait(timeout=120)
        cls.spawn("wine", os.environ["UPLIFT_PROBE"], "hold")  # the desktop stays, see wine_session_hold_desktop

    @classmethod
    def spawn(cls, *args):
        with open(os.path.join(log_dir(), "monitors-%s.log" % os.path.basename(args[0])), "ab") as log:
            cls.spawned.append(subprocess.Popen(args, stdin=subprocess.DEVNULL, stdout=log, stderr=log, env=wine_env()))
        return cls.spawned[-1]

    @classmethod
    def tearDownClass(cls):
        subprocess.run(["wineserver", "-k"], env=wine_env(), stderr=subprocess.DEVNULL)
        for started in reversed(cls.spawned):
            started.kill()
            started.wait()
        os.environ.update(cls.saved)
        shutil.rmtree(cls.place, True)

    def test_each_look_goes_on_the_monitor_of_the_foreground_window(self):
        self.started.append(Started(r"C:\windows\system32\notepad.exe", "notepad"))
        notepad = wait_until(lambda: windows("Notepad", visible=True, title="Untitled - Notepad"), "notepad")[0]
        xdotool("windowmove", notepad["x11"], 1400, 100)
        wait_until(lambda: (lambda pad: pad["rect"][0] > SECOND[0] and pad["foreground"])(windows("Notepad")[0]),
                   "notepad on the second monitor, with the focus")
        for look in (BOX, TRANSPARENT, FULL_SCREEN):
            watch = self.watch()
            program, _ = self.start_ready({"Pause": PAUSE_1_S, "optTimeLength": "False", "ScreenBackground": look,
                                           "TextColor": "65535"})  # yellow on the black desktop
            left, top, right, bottom = rect = watch.wait_for(True)[1]
            shot = lambda: screenshot(rect)  # noqa: E731
            wait_until(lambda: (lambda pixel: any(pixel(x, y) == (255, 255, 0) for y in range(top, bottom, 2)
                                                  for x in range(left, right, 2)))(shot()), "the text on the screen")
            screenshot((0, 0, 2304, 800), save_as="monitors-look-%s.png" % look)
            if look == FULL_SCREEN:
                self.assertEqual(rect, SECOND)
            else:
                self.assertLessEqual(abs(left + right - 3584) + abs(top + bottom - 768), 2, "not centred: %s" % (rect,))
            self.assertEqual(self.close(program), 0)
