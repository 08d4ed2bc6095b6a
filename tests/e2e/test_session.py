"""A lock and a sleep posted as Windows sends them (Wine sends neither) end the showing and hold the next back."""

from e2e_support import MESSAGE_CLASS, PAUSE_1_S, ProgramTest, probe

WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, WTS_SESSION_UNLOCK = 0x2B1, 7, 8
WM_POWERBROADCAST, PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC = 0x218, 4, 0x12


class SessionTest(ProgramTest):
    def test_a_lock_or_a_sleep_ends_the_showing_and_the_next_waits_for_the_unlock_and_the_wake(self):
        watch = self.watch()
        _, window = self.start_ready({"Pause": PAUSE_1_S, "optTimeLength": "False"})
        for message, away, back in ((WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, WTS_SESSION_UNLOCK),
                                    (WM_POWERBROADCAST, PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC)):
            watch.wait_for(True)
            probe("post", window["hwnd"], message, away)
            watch.wait_for(False)
            self.assertNotIn("state\t1", probe("watch", MESSAGE_CLASS, 0, 3000), "a showing while away")
            probe("post", window["hwnd"], message, back)
        self.assertNotIn("state\t1", probe("watch", MESSAGE_CLASS, 0, 3000), "a showing just after the wake")
        watch.wait_for(True)
