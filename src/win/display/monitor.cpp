#include "display/monitor.h"

#include "display/screen.h"
#include "forms/unique_handle.h"

#include <shellscalingapi.h>

#include <vector>

namespace uplift::win {
namespace {

using GetDpiForMonitorProc = HRESULT(WINAPI*)(HMONITOR, MONITOR_DPI_TYPE, UINT*, UINT*);

// shcore.dll from the system folder, loaded on first use and freed when the program ends.
GetDpiForMonitorProc DpiForMonitorFunction() {
    static const unique_hmodule library(
        ::LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    static const auto proc = library ? reinterpret_cast<GetDpiForMonitorProc>(reinterpret_cast<void*>(
                                           ::GetProcAddress(library.get(), "GetDpiForMonitor")))
                                     : nullptr;
    return proc;
}

PixelRect ToPixelRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoW(monitor, &info)) {
        reinterpret_cast<std::vector<MonitorArea>*>(data)->push_back(
            {ToPixelRect(info.rcMonitor), MonitorDpi(monitor), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    }
    return TRUE;
}

} // namespace

int MonitorDpi(HMONITOR monitor) {
    UINT x = 0, y = 0;
    if (const GetDpiForMonitorProc proc = DpiForMonitorFunction();
        proc && monitor && SUCCEEDED(proc(monitor, MDT_EFFECTIVE_DPI, &x, &y)) && y > 0)
        return static_cast<int>(y);
    return ScreenDpi();
}

MonitorArea PrimaryMonitor() {
    return {{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}, ScreenDpi(), true};
}

MonitorArea ForegroundMonitor() {
    std::vector<MonitorArea> monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    std::optional<PixelRect> foreground;
    if (const HWND window = ::GetForegroundWindow()) {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (const HMONITOR monitor = ::MonitorFromWindow(window, MONITOR_DEFAULTTONULL);
            monitor && ::GetMonitorInfoW(monitor, &info))
            foreground = ToPixelRect(info.rcMonitor);
    }
    return ChooseMonitor(monitors, foreground).value_or(PrimaryMonitor());
}

} // namespace uplift::win
