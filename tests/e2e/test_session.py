"""A lock and a sleep, posted as Windows sends them (Wine sends neither): each ends the showing on the screen, and
the next waits for the unlock and the wake."""

from e2e_support import PAUSE_1_S, ProgramTest, probe

WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, WTS_SESSION_UNLOCK = 0x2B1, 7, 8
WM_POWERBROADCAST, PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC = 0x218, 4, 0x12


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
