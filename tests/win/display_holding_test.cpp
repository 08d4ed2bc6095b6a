// Showings against a form made for the test: its clock and the messages it posts, no wall clock, decide all.

#include "display/affirmation_display.h"
#include "forms/unique_handle.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

namespace uplift::win {
namespace {

using namespace std::chrono_literals;

class Holding : public ::testing::Test, public Form, public DisplayHost {
protected:
    Holding() {
        LoadForm({L"UpliftBeacon.DisplayTestHost", WS_OVERLAPPEDWINDOW, 0}, L"Display test host",
                 {0, 0, 300, 200});
    }
    void TearDown() override { // leave nothing behind for the next test
        for (MSG msg; ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) {
        }
    }
    // `event` runs at the first look at the messages: inside the holding loop when the window is prepared.
    void During(std::function<void()> event) {
        posted = std::move(event);
        ::PostMessageW(hWnd(), WM_APP, 0, 0);
    }

    // Serves this thread's messages until the event is set.
    static void Serve(HANDLE event) {
        while (::MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
            DoEvents();
    }

    SettingsRecord record{.txtCaption = L"I am calm", .Time = 15, .Background = ScreenBackground::Background};
    std::vector<std::wstring> messages;
    bool stop = false, options = true, overran = false;
    int looks = 0; // at the stop request, in this showing
    MonotonicClock::result_type now;
    const MonotonicClock clock = [this] { return now += 100ms; }; // 100 ms pass at every read
    std::string timer;                                            // S: stopped, R: restarted
    std::function<void()> posted;

    const SettingsRecord& Settings() const override { return record; }
    const std::vector<std::wstring>& Messages() const override { return messages; }
    // Looked at once a pass: a queued message keeps the loop awake; the 1000th look ends it (not a time).
    bool& StopDisplay() override {
        if (++looks == 1000) overran = stop = true;
        ::PostMessageW(hWnd(), WM_NULL, 0, 0);
        return stop;
    }
    bool OptionsVisible() const override { return options; }
    void HideOptions() override { options = false; }
    void StopTimer() override { // a showing begins here
        timer += 'S';
        looks = 0;
    }
    void StartTimer() override { timer += 'R'; }
    HWND OwnerWindow() const override { return hWnd(); }
    bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override {
        if (message != WM_APP || !posted) return false;
        std::exchange(posted, nullptr)();
        result = 0;
        return true;
    }
};

TEST_F(Holding, HoldsForTheTimeLengthOrUntilAStopANestedShowingOrADiscardedWindowAndBoxesNoText) {
    AffirmationDisplay display(clock);
    stop = true; // a request from before the showing is forgotten
    display.ShowAffirmation(*this);
    const auto held = now.time_since_epoch() - 100ms; // from the first read; a Time of 15 is 1 s
    EXPECT_TRUE(held >= 1s && held <= 1200ms) << "ends at one of the first looks after the time is up";
    ASSERT_TRUE(display.MessageWindowLoaded()) << "kept for the next showing";
    EXPECT_FALSE(options || stop || overran || display.MessageWindow()->Visible());
    const HWND prepared = display.MessageWindow()->hWnd(); // for another text prepared again: e2e

    // Until Escape, and prepared: the events below come inside the holding loop.
    record.optTimeLength = false;
    bool loadedDuring = false; // a stop alone (the icon's double click, a lock): e2e.test_display
    const std::function<void()> events[]{
        [&] { display.ShowAffirmation(*this), stop = true; },
        [&] { display.UnloadMessageWindow(), loadedDuring = display.MessageWindowLoaded(); }};
    for (const auto& event : events) {
        timer.clear();
        During(event);
        display.ShowAffirmation(*this);
        EXPECT_EQ(std::tuple(overran || stop, timer), std::tuple(false, "SR"))
            << "event " << &event - events << " ended it, was cleared; the timer stopped, restarted once";
        if (display.MessageWindowLoaded()) EXPECT_EQ(display.MessageWindow()->hWnd(), prepared);
    }
    EXPECT_TRUE(loadedDuring && !display.MessageWindowLoaded())
        << "the prepared window, which the showing held till its end and then let go";

    record.optList = true; // an empty list, nothing to show: one box, and the timer is left alone
    timer.clear();
    bool boxed = false; // the box's own message loop runs the event, which closes the box
    During([&] {
        const HWND box = ::FindWindowW(L"#32770", nullptr); // the only dialog: the test holds the desktop
        boxed = box == ::FindWindowW(L"#32770", kNoMessageCaption) &&
                ::GetWindowThreadProcessId(box, nullptr) == ::GetCurrentThreadId() &&
                ::FindWindowExW(box, nullptr, L"Static", kNoMessageText);
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    display.ShowAffirmation(*this);
    EXPECT_TRUE(boxed && timer.empty() && !display.MessageWindowLoaded());
}

// The user's window on another thread has the focus; Escape, pressed on a third, is held past the showing.
// Seen by the key state alone: with the hook on, the hook would end it anyway (e2e.test_display's Escape).
TEST_F(Holding, EscapeTypedInTheForegroundProgramEndsAShowingThatSharesItsInputMeanwhile) {
    const unique_kernel_handle ready(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::atomic<HWND> user = nullptr;
    std::thread thread([&] {
        user = ::CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300, 300, 200,
                                 nullptr, nullptr, nullptr, nullptr);
        const unique_hwnd owned(user);
        ::SetForegroundWindow(user);
        ::SetFocus(user);
        ::SetEvent(ready.get());
        for (MSG msg; ::GetMessageW(&msg, nullptr, 0, 0) > 0;)
            ::DispatchMessageW(&msg);
    });
    Serve(ready.get());
    AffirmationDisplay display(clock, EscapeSense::KeyStateOnly);
    display.ShowAffirmation(*this); // timed, and prepared: the event below comes inside the holding loop
    record.optTimeLength = false;   // until Escape: nothing else ends it
    const unique_kernel_handle pressed(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread typist;
    HWND focus = nullptr; // during the showing
    During([&] {
        focus = ::GetFocus();
        typist = std::thread([&] {
            ::keybd_event(VK_ESCAPE, 0, 0, 0);
            ::SetEvent(pressed.get());
        });
        Serve(pressed.get());
    });
    display.ShowAffirmation(*this);
    typist.join();
    ::keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    EXPECT_FALSE(overran) << "Escape ended the showing";
    const HWND foreground = ::GetForegroundWindow(), focusAfter = ::GetFocus();
    ::PostThreadMessageW(::GetWindowThreadProcessId(user, nullptr), WM_QUIT, 0, 0);
    thread.join();
    if (foreground != user) GTEST_SKIP() << "the window manager gave the other window no foreground";
    EXPECT_EQ(std::pair(focus, focusAfter), std::pair(user.load(), HWND{}))
        << "attached to the foreground thread during the showing, detached afterwards";
}

} // namespace
} // namespace uplift::win
