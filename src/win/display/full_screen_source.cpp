#include "display/full_screen_source.h"

#include <windows.h>

#include <shellapi.h>

namespace uplift::win {

namespace {
ScreenRect FromRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}
} // namespace

std::optional<ForegroundWindow> WindowsFullScreenSource::Foreground() const {
    const HWND hwnd = ::GetForegroundWindow();
    if (!hwnd) return std::nullopt;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT window{};
    if (!::GetWindowRect(hwnd, &window) ||
        !::GetMonitorInfoW(::MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor))
        return std::nullopt;
    wchar_t className[64] = {};
    ::GetClassNameW(hwnd, className, 64);
    return ForegroundWindow{FromRect(window), FromRect(monitor.rcMonitor),
                            static_cast<std::uint32_t>(::GetWindowLongW(hwnd, GWL_STYLE)), className,
                            hwnd == ::GetDesktopWindow()};
}

std::optional<int> WindowsFullScreenSource::NotificationState() const {
    QUERY_USER_NOTIFICATION_STATE state{};
    if (FAILED(::SHQueryUserNotificationState(&state))) return std::nullopt;
    return static_cast<int>(state);
}

} // namespace uplift::win
