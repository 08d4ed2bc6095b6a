#include "display/full_screen.h"

#include <gtest/gtest.h>

namespace uplift {
namespace {

constexpr ScreenRect kMonitor{0, 0, 1280, 1024};
constexpr std::uint32_t kPopup = 0x8000'0000, kBorder = 0x0080'0000, kOverlapped = 0x00CF'0000;

struct WindowCase {
    const char* Name;
    ScreenRect Window, Monitor;
    std::uint32_t Style;
    const wchar_t* Class;
    bool Desktop, FullScreen;
};
constexpr WindowCase kWindowCases[]{
    {"a captionless popup over the monitor", kMonitor, kMonitor, kPopup, L"Slides", false, true},
    {"larger than the monitor", {-8, -8, 1288, 1032}, kMonitor, kPopup, L"Game", false, true},
    {"a border but no title", kMonitor, kMonitor, kPopup | kBorder, L"Video", false, true},
    {"over the second monitor", {1280, 0, 2304, 768}, {1280, 0, 2304, 768}, kPopup, L"Remote", false, true},
    {"maximized: the caption stays", {-8, -8, 1288, 1032}, kMonitor, kOverlapped, L"Notepad", false, false},
    {"a pixel short", {0, 0, 1280, 1023}, kMonitor, kPopup, L"Slides", false, false},
    {"the second monitor's size on the first", {0, 0, 1024, 768}, kMonitor, kPopup, L"Remote", false, false},
    {"the desktop", kMonitor, kMonitor, kPopup, L"#32769", true, false},
    {"the shell's desktop", kMonitor, kMonitor, kPopup, L"Progman", false, false},
    {"the wallpaper's worker", kMonitor, kMonitor, kPopup, L"WorkerW", false, false},
    {"the task bar", kMonitor, kMonitor, kPopup, L"Shell_TrayWnd", false, false},
    {"a second task bar", kMonitor, kMonitor, kPopup, L"Shell_SecondaryTrayWnd", false, false},
    {"no monitor", kMonitor, {}, kPopup, L"Slides", false, false},
};

TEST(FullScreen, AForegroundWindowWithoutCaptionCoveringItsMonitor) {
    for (const WindowCase& r : kWindowCases)
        EXPECT_EQ(IsFullScreenWindow({r.Window, r.Monitor, r.Style, r.Class, r.Desktop}), r.FullScreen)
            << r.Name;
}

struct FakeScreen final : FullScreenSource {
    std::optional<ForegroundWindow> Foreground() const override { return window; }
    std::optional<int> NotificationState() const override { return state; }
    std::optional<ForegroundWindow> window;
    std::optional<int> state;
};

// Wine always answers 5, "accepts notifications": the window alone has to tell.
TEST(FullScreen, ThePlatformsNotificationStateOrTheWindow) {
    const ForegroundWindow covering{kMonitor, kMonitor, kPopup, L"Slides", false};
    const ForegroundWindow ordinary{{100, 100, 600, 400}, kMonitor, kOverlapped, L"Notepad", false};
    const struct {
        std::optional<int> State;
        std::optional<ForegroundWindow> Window;
        bool FullScreen;
    } cases[]{
        {5, covering, true},  {5, ordinary, false},      {2, ordinary, true},     {3, ordinary, true},
        {4, ordinary, true},  {1, ordinary, false},      {6, ordinary, false},    {7, ordinary, false},
        {{}, covering, true}, {{}, std::nullopt, false}, {4, std::nullopt, true},
    };
    for (const auto& r : cases) {
        FakeScreen screen;
        screen.state = r.State, screen.window = r.Window;
        EXPECT_EQ(FullScreenProgramRuns(screen), r.FullScreen)
            << "state " << r.State.value_or(-1) << (r.Window ? " " : " no window");
    }
}

} // namespace
} // namespace uplift
