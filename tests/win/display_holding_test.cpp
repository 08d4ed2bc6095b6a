// Showing an affirmation against a main form made for the test: the choice of text, the
// message box, the timer, the placement, and how the holding loop ends.

#include "display/affirmation_display.h"

#include "display/affirmation_choice.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace uplift::win {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int k1Millisecond = 0, k50Milliseconds = 7, k1Second = 15, k30Seconds = 22; // cboTime indexes
constexpr UINT_PTR kTickTimer = 1, kSafetyTimer = 2;

// The main form as the display sees it, with a record of what was asked of it.
class TestHost final : public Form, public DisplayHost {
public:
    TestHost() {
        LoadForm({L"UpliftBeacon.DisplayTestHost", WS_OVERLAPPEDWINDOW, 0}, L"Display test host",
                 {40, 40, 340, 240});
        record.txtCaption = L"I am calm";
        record.Background = ScreenBackground::Background;
        record.Time = k50Milliseconds;
    }
    ~TestHost() override { Unload(); }

    // `action` runs once on the host's timer, inside the showing; a safety stop after 5 s ends a
    // showing that nothing else ended.
    void AfterMs(UINT ms, std::function<void()> action) {
        tick = std::move(action);
        ::SetTimer(hWnd(), kTickTimer, ms, nullptr);
        ::SetTimer(hWnd(), kSafetyTimer, 5000, nullptr);
    }

    SettingsRecord record;
    std::vector<std::wstring> messages;
    bool stop = false, optionsVisible = false, safetyStopped = false;
    int hideOptions = 0;
    std::string timerCalls; // S: stopped, R: restarted
    std::function<void()> tick;

    const SettingsRecord& Settings() const override { return record; }
    const std::vector<std::wstring>& Messages() const override { return messages; }
    bool& StopDisplay() override { return stop; }
    bool OptionsVisible() const override { return optionsVisible; }
    void HideOptions() override { ++hideOptions, optionsVisible = false; }
    void StopTimer() override { timerCalls += 'S'; }
    void StartTimer() override { timerCalls += 'R'; }
    HWND OwnerWindow() const override { return hWnd(); }

private:
    void Form_Timer(UINT_PTR id) override {
        ::KillTimer(hWnd(), id);
        if (id == kSafetyTimer)
            safetyStopped = stop = true;
        else if (tick)
            std::exchange(tick, nullptr)();
    }
};

void PressEscape() {
    INPUT keys[2]{};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, keys, sizeof(INPUT));
}

class Holding : public ::testing::Test {
protected:
    void TearDown() override {
        MSG msg; // leave nothing behind for the next test
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    TestHost host;
};

TEST_F(Holding, HoldsForTheTimeLengthWaitingBetweenPassesThenHidesAndRestartsTheTimer) {
    std::vector<Clock::time_point> reads;
    AffirmationDisplay display([&] { return reads.emplace_back(Clock::now()); });
    display.ShowAffirmation(host);
    const auto held = Clock::now() - reads.front();
    EXPECT_GE(held, 50ms);
    EXPECT_LT(held, 500ms) << "ends soon after the time length";
    EXPECT_EQ(host.timerCalls, "SR");
    ASSERT_TRUE(display.MessageWindowLoaded()) << "kept for the next showing";
    EXPECT_FALSE(display.MessageWindow()->Visible());

    // A second showing, of one second, re-uses the prepared window and barely uses the processor.
    const HWND first = display.MessageWindow()->hWnd();
    host.record.Time = k1Second;
    const auto processorMs = [] {
        FILETIME created, exited, kernel, user;
        ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
        const auto ms = [](FILETIME t) {
            return ((ULONGLONG{t.dwHighDateTime} << 32) | t.dwLowDateTime) / 1e4;
        };
        return ms(kernel) + ms(user);
    };
    const double before = processorMs();
    const auto start = Clock::now();
    display.ShowAffirmation(host);
    EXPECT_GE(Clock::now() - start, 1s);
    EXPECT_LT(processorMs() - before, 300.0) << "the loop waits instead of polling";
    EXPECT_LT(reads.size(), 2000u) << "waits between passes instead of spinning (some 300 reads)";
    EXPECT_EQ(display.MessageWindow()->hWnd(), first);

    // A window prepared for another text is prepared again (a Test with edits that were then cancelled).
    host.record.txtCaption = L"changed";
    display.ShowAffirmation(host);
    EXPECT_NE(display.MessageWindow()->hWnd(), first);
}

TEST_F(Holding, ShownTopmostCentredAndCutToItsTextWithoutTakingTheForeground) {
    host.record.Background = ScreenBackground::Transparent;
    host.record.optTimeLength = false; // until Escape: the test ends it
    host.optionsVisible = true;
    host.SetVisible(true);
    ::SetForegroundWindow(host.hWnd());
    DoEvents();
    const HWND foregroundBefore = ::GetForegroundWindow();

    AffirmationDisplay display;
    bool visible = false, topmost = false;
    HWND foreground = nullptr;
    RECT shown{};
    int regionKind = ERROR;
    host.AfterMs(150, [&] {
        const HWND window = display.MessageWindow()->hWnd();
        visible = ::IsWindowVisible(window) != FALSE;
        topmost = (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        foreground = ::GetForegroundWindow();
        ::GetWindowRect(window, &shown);
        const unique_hrgn region(::CreateRectRgn(0, 0, 0, 0));
        regionKind = ::GetWindowRgn(window, region.get());
        host.stop = true;
    });
    display.ShowAffirmation(host);

    EXPECT_FALSE(host.safetyStopped);
    EXPECT_TRUE(visible && topmost);
    EXPECT_EQ(foreground, foregroundBefore) << "the message window never takes the foreground";
    EXPECT_EQ(regionKind, COMPLEXREGION);
    const frmMessage& message = *display.MessageWindow();
    EXPECT_EQ((PixelRect{shown.left, shown.top, shown.right, shown.bottom}),
              CentredRect(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), message.Width(),
                          message.Height()));
    EXPECT_EQ(host.hideOptions, 1);
    EXPECT_FALSE(::IsWindowVisible(message.hWnd()));
}

TEST_F(Holding, AStopRequestOrEscapeEndsAShowingUntilEscapeAndARequestFromBeforeIsForgotten) {
    host.record.optTimeLength = false;
    AffirmationDisplay display;
    const std::function<void()> enders[]{[&] { host.stop = true; } /* as the icon's double click */,
                                         PressEscape};
    for (const auto& end : enders) {
        host.timerCalls.clear();
        host.AfterMs(100, end);
        display.ShowAffirmation(host);
        EXPECT_FALSE(host.safetyStopped) << "only the request or Escape can have ended it";
        EXPECT_FALSE(host.stop) << "cleared at the end of the showing";
        EXPECT_EQ(host.timerCalls, "SR");
    }
    host.record.optTimeLength = true;
    host.stop = true;
    const auto start = Clock::now();
    display.ShowAffirmation(host);
    EXPECT_GE(Clock::now() - start, 50ms);
}

TEST_F(Holding, EscapeInAnotherProgramIsSeenWhileThatProgramKeepsTheFocus) {
    // Another thread's window holds the foreground and the focus, as the user's program would.
    std::atomic<DWORD> threadId = 0;
    std::atomic<HWND> other = nullptr;
    std::thread thread([&] {
        const HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300, 300,
                                            200, nullptr, nullptr, nullptr, nullptr);
        ::SetForegroundWindow(edit);
        ::SetFocus(edit);
        threadId = ::GetCurrentThreadId();
        other = edit;
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
            ::DispatchMessageW(&msg);
        ::DestroyWindow(edit);
    });
    const struct Join {
        std::thread& t;
        std::atomic<DWORD>& id;
        ~Join() {
            ::PostThreadMessageW(id, WM_QUIT, 0, 0);
            t.join();
        }
    } join{thread, threadId};
    const auto deadline = Clock::now() + 3s;
    while ((!other || ::GetForegroundWindow() != other) && Clock::now() < deadline) {
        DoEvents();
        std::this_thread::sleep_for(10ms);
    }
    if (!other || ::GetForegroundWindow() != other)
        GTEST_SKIP() << "the window manager gave it no foreground";

    host.record.optTimeLength = false;
    AffirmationDisplay display;
    HWND focusDuring = nullptr, foregroundDuring = nullptr;
    host.AfterMs(150, [&] {
        focusDuring = ::GetFocus(); // shared with the foreground thread while attached
        foregroundDuring = ::GetForegroundWindow();
        PressEscape();
    });
    display.ShowAffirmation(host);
    EXPECT_FALSE(host.safetyStopped) << "Escape has ended it";
    EXPECT_EQ(foregroundDuring, other);
    EXPECT_EQ(focusDuring, other) << "input attached for the showing";
    EXPECT_EQ(::GetFocus(), nullptr) << "detached afterwards";
    EXPECT_EQ(::GetForegroundWindow(), other);
}

BOOL CALLBACK ReadChild(HWND child, LPARAM texts) {
    wchar_t text[256]{};
    ::GetWindowTextW(child, text, 256);
    reinterpret_cast<std::set<std::wstring>*>(texts)->insert(text);
    return TRUE;
}

TEST_F(Holding, NoTextShowsOneMessageBoxAndLeavesTheTimerAlone) {
    host.record.optList = true; // and the list is empty
    AffirmationDisplay display;
    std::set<std::wstring> texts;
    int boxes = 0;
    Clock::duration nested{};
    host.AfterMs(200, [&] {
        const auto start = Clock::now(); // a second showing asked for while the box is up returns at once
        display.ShowAffirmation(host);
        nested = Clock::now() - start;
        for (HWND box = nullptr; (box = ::FindWindowExW(nullptr, box, L"#32770", kNoMessageCaption));) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(box, &pid);
            if (pid != ::GetCurrentProcessId()) continue;
            ++boxes;
            ::EnumChildWindows(box, ReadChild, reinterpret_cast<LPARAM>(&texts));
            ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    });
    display.ShowAffirmation(host);
    EXPECT_EQ(boxes, 1);
    EXPECT_TRUE(texts.contains(kNoMessageText));
    EXPECT_LT(nested, 100ms);
    EXPECT_EQ(host.timerCalls, "") << "the timer is not touched";
    EXPECT_FALSE(display.MessageWindowLoaded());
    EXPECT_FALSE(host.safetyStopped);
}

TEST_F(Holding, AListOfTwoPreparesEveryShowingAListOfOneOnlyTheFirst) {
    host.record.optList = true;
    host.record.Time = k1Millisecond;
    host.messages = {L"I am calm"};
    AffirmationDisplay display;
    display.ShowAffirmation(host);
    const HWND prepared = display.MessageWindow()->hWnd();
    display.ShowAffirmation(host);
    EXPECT_EQ(display.MessageWindow()->hWnd(), prepared);

    host.messages = {L"I", L"I am calm and I am kind"};
    std::set<int> widths;
    for (int i = 0; i < 12; ++i) {
        display.ShowAffirmation(host);
        widths.insert(display.MessageWindow()->Width());
    }
    EXPECT_EQ(widths.size(), 2u) << "both entries were drawn, each in a window of its own size";
}

TEST_F(Holding, TheInjectedClockDecidesWhenTheTimeIsUp) {
    host.record.Time = k30Seconds;
    Clock::time_point fake{};
    int reads = 0;
    // Ten seconds pass at every look: a clock that wraps at midnight could not do this.
    AffirmationDisplay display([&] { return ++reads, fake += 10s; });
    const auto start = Clock::now();
    display.ShowAffirmation(host);
    EXPECT_LT(Clock::now() - start, 3s);
    EXPECT_LE(reads, 6);
}

TEST_F(Holding, DiscardingTheWindowDuringTheShowingEndsItSafely) {
    host.record.optTimeLength = false;
    AffirmationDisplay display;
    bool loadedDuring = false;
    host.AfterMs(100, [&] {
        display.UnloadMessageWindow();
        loadedDuring = display.MessageWindowLoaded();
    });
    display.ShowAffirmation(host);
    EXPECT_TRUE(loadedDuring) << "the showing still holds it";
    EXPECT_FALSE(host.safetyStopped);
    EXPECT_FALSE(display.MessageWindowLoaded()) << "gone once the showing ended";
    EXPECT_EQ(host.timerCalls, "SR");
}

} // namespace
} // namespace uplift::win
