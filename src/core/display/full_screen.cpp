#include "display/full_screen.h"

#include <array>
#include <string_view>

namespace uplift {
namespace {

constexpr std::uint32_t kCaption = 0x00C0'0000; // a border and a dialog frame together
constexpr std::array<std::wstring_view, 4> kShellClasses{L"Progman", L"WorkerW", L"Shell_TrayWnd",
                                                         L"Shell_SecondaryTrayWnd"};
// The platform's QUNS_BUSY, QUNS_RUNNING_D3D_FULL_SCREEN and QUNS_PRESENTATION_MODE.
constexpr int kBusy = 2, kDirect3DFullScreen = 3, kPresentationMode = 4;

} // namespace

bool IsFullScreenWindow(const ForegroundWindow& w) {
    if (w.IsDesktop || (w.Style & kCaption) == kCaption) return false;
    for (const std::wstring_view shell : kShellClasses)
        if (w.ClassName == shell) return false;
    const ScreenRect& m = w.Monitor;
    if (m.Right <= m.Left || m.Bottom <= m.Top) return false;
    return w.Window.Left <= m.Left && w.Window.Top <= m.Top && w.Window.Right >= m.Right &&
           w.Window.Bottom >= m.Bottom;
}

bool IsQuietNotificationState(int state) {
    return state == kBusy || state == kDirect3DFullScreen || state == kPresentationMode;
}

bool FullScreenProgramRuns(const FullScreenSource& source) {
    if (const auto state = source.NotificationState(); state && IsQuietNotificationState(*state)) return true;
    const auto window = source.Foreground();
    return window && IsFullScreenWindow(*window);
}

} // namespace uplift
