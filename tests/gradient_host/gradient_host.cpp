// A window without a title bar of its own that hosts a GradientTitle, for the bar's end-to-end test:
// gradient_host.exe MASK (maximize 1 + minimize 2), with What's This beside them. After each
// change it prints "state", IsZoomed, IsIconic, the bar's two flags, "c" + its caption in hex UTF-16,
// then its rectangle and, on the screen, the bar's, close's, maximize's and minimize's.

#include "controls/gradient_title.h"

#include <windows.h>

#include <cstdio>

namespace {

uplift::win::GradientTitle title;

void WriteState(HWND hwnd) {
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    std::printf("state %d %d %d %d c", ::IsZoomed(hwnd), ::IsIconic(hwnd), title.MaximizedFlag(),
                title.MinimizedFlag());
    for (const wchar_t c : title.Caption())
        std::printf("%04x", c);
    std::printf(" %ld %ld %ld %ld", rect.left, rect.top, rect.right, rect.bottom);
    using enum uplift::win::GradientTitle::Element;
    for (const auto element : {TitleBar, CloseForm, Maximize, Minimize}) {
        rect = title.ElementRect(element).value_or(RECT{});
        ::MapWindowPoints(title.hWnd(), HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
        std::printf(" %ld %ld %ld %ld", rect.left, rect.top, rect.right, rect.bottom);
    }
    std::printf("\n");
    std::fflush(stdout);
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
    case WM_MOVE:
    case WM_ACTIVATE: ::PostMessageW(hwnd, WM_APP, 0, 0); break; // written once the bar's handlers have run
    case WM_APP: WriteState(hwnd); return 0;
    case WM_DESTROY: ::PostQuitMessage(0); return 0;
    default: break;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    int mask = 3;
    std::swscanf(commandLine, L"%d", &mask);
    WNDCLASSW wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.lpszClassName = L"UpliftBeacon.GradientHost";
    // A thin border and no title bar of its own (a window manager would decorate a thick frame),
    // 6480 x 3000 twips in all, at the screen's corner.
    const int dpi = static_cast<int>(::GetDpiForSystem());
    HWND hwnd = ::CreateWindowExW(
        WS_EX_APPWINDOW | WS_EX_CONTEXTHELP, reinterpret_cast<LPCWSTR>(::RegisterClassW(&wc)),
        L"Gradient & title: Crème brûlée, naïve café",
        WS_POPUP | WS_BORDER | WS_SYSMENU | WS_CLIPCHILDREN | (mask & 1 ? WS_MAXIMIZEBOX : 0) |
            (mask & 2 ? WS_MINIMIZEBOX : 0),
        0, 0, ::MulDiv(432, dpi, 96), ::MulDiv(200, dpi, 96), nullptr, nullptr, instance, nullptr);
    if (!hwnd || !title.Attach(hwnd)) return 5;
    ::ShowWindow(hwnd, SW_SHOW);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&msg);
    return static_cast<int>(msg.wParam);
}
