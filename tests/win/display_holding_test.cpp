// Showing an affirmation against a main form made for the test: the choice of text, the
// message box, the timer, the placement, and how the holding loop ends.

#include "display/affirmation_display.h"

#include "display/affirmation_choice.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
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
constexpr UINT kStopRequest = WM_APP + 1;
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

    // `action` runs once on the host's timer, inside the showing; a safety stop ends an
    // until-Escape showing that nothing else ended.
    void AfterMs(UINT ms, std::function<void()> action) {
        tick = std::move(action);
        ::SetTimer(hWnd(), kTickTimer, ms, nullptr);
        ::SetTimer(hWnd(), kSafetyTimer, 5000, nullptr);
    }

    SettingsRecord record;
    std::vector<std::wstring> messages;
    bool stop = false;
    bool optionsVisible = false;
    int hideOptions = 0;
    std::string timerCalls; // S: stopped, R: restarted
    bool safetyStopped = false;
    std::function<void()> tick;

    const SettingsRecord& Settings() const override { return record; }
    const std::vector<std::wstring>& Messages() const override { return messages; }
    bool& StopDisplay() override { return stop; }
    bool OptionsVisible() const override { return optionsVisible; }
    void HideOptions() override {
        ++hideOptions;
        optionsVisible = false;
    }
    void StopTimer() override { timerCalls += 'S'; }
    void StartTimer() override { timerCalls += 'R'; }
    HWND OwnerWindow() const override { return hWnd(); }

private:
    void Form_Timer(UINT_PTR id) override {
        ::KillTimer(hWnd(), id);
        if (id == kSafetyTimer) {
            safetyStopped = true;
            stop = true;
        } else if (tick) {
            std::exchange(tick, nullptr)();
        }
    }
    bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override {
        if (message != kStopRequest) return false;
        stop = true; // as the icon's double click does
        result = 0;
        return true;
    }
};

void PressEscape() {
    INPUT keys[2]{};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, keys, sizeof(INPUT));
}

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

class Holding : public ::testing::Test {
protected:
    void TearDown() override {
        // Leave nothing behind for the next test.
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    TestHost host;
};

TEST_F(Holding, HoldsForTheTimeLengthThenHidesAndRestartsTheTimer) {
    std::vector<Clock::time_point> reads;
    AffirmationDisplay display([&] { return reads.emplace_back(Clock::now()); });
    display.ShowAffirmation(host);
    const auto returned = Clock::now();
    ASSERT_FALSE(reads.empty());
    const auto held = returned - reads.front();
    std::printf("  held %.2f ms for 50 ms, %zu clock reads\n", Ms(held), reads.size());
    EXPECT_GE(held, 50ms);
    EXPECT_LT(held, 50ms + 450ms) << "ends soon after the time length";
    EXPECT_LT(reads.size(), 2000u) << "waits between passes instead of spinning";
    EXPECT_EQ(host.timerCalls, "SR");
    EXPECT_FALSE(host.stop);
    ASSERT_TRUE(display.MessageWindowLoaded()) << "kept for the next showing";
    EXPECT_FALSE(display.MessageWindow()->Visible());

    // A single text re-uses the prepared window.
    const HWND first = display.MessageWindow()->hWnd();
    host.record.txtCaption = L"changed, but not prepared again";
    display.ShowAffirmation(host);
    EXPECT_EQ(display.MessageWindow()->hWnd(), first);
    EXPECT_EQ(host.timerCalls, "SRSR");
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
    EXPECT_TRUE(visible);
    EXPECT_TRUE(topmost);
    const HWND window = display.MessageWindow()->hWnd();
    EXPECT_NE(foreground, window) << "never the foreground window";
    EXPECT_EQ(foreground, foregroundBefore) << "the foreground stays where it was";
    EXPECT_EQ(regionKind, COMPLEXREGION);
    const frmMessage& message = *display.MessageWindow();
    const PixelRect centred = CentredRect(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                                          message.Width(), message.Height());
    EXPECT_EQ((PixelRect{shown.left, shown.top, shown.right, shown.bottom}), centred);
    EXPECT_EQ(host.hideOptions, 1);
    EXPECT_FALSE(::IsWindowVisible(window));
    EXPECT_NE(::GetForegroundWindow(), window);
}

TEST_F(Holding, AStopRequestPostedDuringTheShowingEndsIt) {
    host.record.optTimeLength = false;
    host.record.Time = k30Seconds;
    AffirmationDisplay display;
    host.AfterMs(100, [&] { ::PostMessageW(host.hWnd(), kStopRequest, 0, 0); });
    const auto start = Clock::now();
    display.ShowAffirmation(host);
    EXPECT_LT(Clock::now() - start, 4s);
    EXPECT_FALSE(host.safetyStopped) << "only the posted request can have ended it";
    EXPECT_FALSE(host.stop) << "cleared at the end of the showing";
    EXPECT_EQ(host.timerCalls, "SR");
}

TEST_F(Holding, AStopRequestFromBeforeTheShowingIsForgotten) {
    host.stop = true;
    std::vector<Clock::time_point> reads;
    AffirmationDisplay display([&] { return reads.emplace_back(Clock::now()); });
    const auto start = Clock::now();
    display.ShowAffirmation(host);
    EXPECT_GE(Clock::now() - start, 50ms);
}

TEST_F(Holding, EscapeEndsAShowingThatLastsUntilEscape) {
    host.record.optTimeLength = false;
    AffirmationDisplay display;
    host.AfterMs(100, PressEscape);
    display.ShowAffirmation(host);
    EXPECT_FALSE(host.safetyStopped) << "Escape has ended it";
    EXPECT_EQ(host.timerCalls, "SR");
}

// Another thread's window holds the foreground and the focus, as the user's program would.
class ForegroundThread {
public:
    ForegroundThread() {
        thread_ = std::thread([this] {
            threadId_ = ::GetCurrentThreadId();
            HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300, 300,
                                          200, nullptr, nullptr, nullptr, nullptr);
            window_ = edit;
            ::SetForegroundWindow(edit);
            ::SetFocus(edit);
            ready_ = true;
            MSG msg;
            while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            ::DestroyWindow(edit);
        });
        while (!ready_)
            std::this_thread::sleep_for(1ms);
    }
    ~ForegroundThread() {
        ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    HWND Window() const { return window_; }

private:
    std::thread thread_;
    std::atomic<DWORD> threadId_ = 0;
    std::atomic<HWND> window_ = nullptr;
    std::atomic<bool> ready_ = false;
};

TEST_F(Holding, EscapeInAnotherProgramIsSeenWhileThatProgramKeepsTheFocus) {
    ForegroundThread other;
    const auto deadline = Clock::now() + 3s;
    while (::GetForegroundWindow() != other.Window() && Clock::now() < deadline) {
        DoEvents();
        std::this_thread::sleep_for(10ms);
    }
    if (::GetForegroundWindow() != other.Window()) GTEST_SKIP() << "the window manager gave it no foreground";

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
    EXPECT_EQ(foregroundDuring, other.Window());
    EXPECT_EQ(focusDuring, other.Window()) << "input attached for the showing";
    EXPECT_EQ(::GetFocus(), nullptr) << "detached afterwards";
    EXPECT_EQ(::GetForegroundWindow(), other.Window());
}

// Finds the message box from inside its modal loop, reads it and closes it.
struct MessageBoxSeen {
    bool Found = false;
    std::set<std::wstring> Texts;
    bool HasIcon = false;
    int Boxes = 0;
};

BOOL CALLBACK ReadChild(HWND child, LPARAM param) {
    auto& seen = *reinterpret_cast<MessageBoxSeen*>(param);
    wchar_t text[256]{};
    ::GetWindowTextW(child, text, 256);
    if (text[0]) seen.Texts.insert(text);
    wchar_t cls[32]{};
    ::GetClassNameW(child, cls, 32);
    if (std::wstring(cls) == L"Static" && (::GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        seen.HasIcon = true;
    return TRUE;
}

TEST_F(Holding, NoTextShowsTheMessageBoxAndLeavesTheTimerAlone) {
    struct Case {
        const char* Name;
        bool List;
        std::wstring Caption;
    };
    const Case cases[] = {{"single text, empty", false, L""}, {"list mode, empty list", true, L"unused"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        host.record.optList = c.List;
        host.record.txtCaption = c.Caption;
        host.timerCalls.clear();
        AffirmationDisplay display;
        MessageBoxSeen seen;
        Clock::duration nested{};
        host.AfterMs(200, [&] {
            // A second showing asked for while the box is up returns at once.
            const auto start = Clock::now();
            display.ShowAffirmation(host);
            nested = Clock::now() - start;
            for (HWND box = nullptr; (box = ::FindWindowExW(nullptr, box, L"#32770", kNoMessageCaption));) {
                DWORD pid = 0;
                ::GetWindowThreadProcessId(box, &pid);
                if (pid != ::GetCurrentProcessId()) continue;
                ++seen.Boxes;
                seen.Found = true;
                ::EnumChildWindows(box, ReadChild, reinterpret_cast<LPARAM>(&seen));
                ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
        });
        display.ShowAffirmation(host);
        EXPECT_TRUE(seen.Found);
        EXPECT_EQ(seen.Boxes, 1);
        EXPECT_TRUE(seen.Texts.contains(kNoMessageText));
        EXPECT_TRUE(seen.HasIcon) << "the exclamation icon";
        EXPECT_LT(nested, 100ms);
        EXPECT_EQ(host.timerCalls, "") << "the timer is not touched";
        EXPECT_FALSE(display.MessageWindowLoaded());
        EXPECT_FALSE(host.safetyStopped);
        ::KillTimer(host.hWnd(), kSafetyTimer);
    }
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
    AffirmationDisplay display([&] {
        ++reads;
        return fake += 10s;
    });
    const auto start = Clock::now();
    display.ShowAffirmation(host);
    EXPECT_LT(Clock::now() - start, 3s);
    EXPECT_LE(reads, 6);
}

TEST_F(Holding, ASecondLongShowingBarelyUsesTheProcessor) {
    host.record.Time = k1Second;
    AffirmationDisplay display;
    const auto cpu = [] {
        FILETIME created, exited, kernel, user;
        ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
        const auto value = [](FILETIME t) {
            return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
        };
        return (value(kernel) + value(user)) / 10'000.0; // ms
    };
    display.ShowAffirmation(host); // prepared outside the measurement
    const double before = cpu();
    const auto start = Clock::now();
    display.ShowAffirmation(host);
    const double used = cpu() - before;
    std::printf("  1 s showing: %.0f ms of processor time in %.0f ms\n", used, Ms(Clock::now() - start));
    EXPECT_GE(Clock::now() - start, 1s);
    EXPECT_LT(used, 300.0) << "the loop waits instead of polling";
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
