// A window without a title bar of its own that hosts a GradientTitle, for the bar's end-to-end test.
//
//   gradient_host.exe <state file> [--caption TEXT] [--mask 0-3] [--whats-this] [--at X,Y]
//
// --mask gives the window's maximize (1) and minimize (2) buttons (3 when absent), --whats-this its
// What's-This button, --at its top left corner in pixels. After every change of the window's size,
// place or activation it appends one line of JSON to the state file: its own caption, the bar's
// caption, its rectangle, whether it is maximized or minimized, the bar's two flags and, in screen
// pixels, the rectangles of the bar and of its buttons (null when hidden).

#include "controls/gradient_title.h"
#include "display/twips.h"

#include <shellapi.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>

namespace {

using uplift::win::GradientTitle;

constexpr wchar_t kHostClass[] = L"UpliftBeacon.GradientHost";
constexpr UINT kWriteState = WM_APP + 1;

GradientTitle title;
FILE* stateFile = nullptr;
std::string lastState;
bool writePending = false;

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                          nullptr);
    return out;
}

std::string JsonText(const std::wstring& text) {
    std::string out = "\"";
    for (const char c : Utf8(text)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string JsonRect(const RECT& r) {
    char text[64];
    std::snprintf(text, sizeof(text), "[%ld, %ld, %ld, %ld]", r.left, r.top, r.right, r.bottom);
    return text;
}

std::string ScreenRect(GradientTitle::Element element) {
    std::optional<RECT> rect = title.ElementRect(element);
    if (!rect) return "null";
    ::MapWindowPoints(title.hWnd(), HWND_DESKTOP, reinterpret_cast<POINT*>(&*rect), 2);
    return JsonRect(*rect);
}

void WriteState(HWND hwnd) {
    writePending = false;
    wchar_t own[256] = L"";
    ::GetWindowTextW(hwnd, own, 256);
    RECT window{};
    ::GetWindowRect(hwnd, &window);
    using enum GradientTitle::Element;
    const std::string state =
        "{\"title\": " + JsonText(own) + ", \"caption\": " + JsonText(title.Caption()) +
        ", \"rect\": " + JsonRect(window) + ", \"zoomed\": " + (::IsZoomed(hwnd) ? "true" : "false") +
        ", \"iconic\": " + (::IsIconic(hwnd) ? "true" : "false") +
        ", \"maximized\": " + (title.MaximizedFlag() ? "true" : "false") +
        ", \"minimized\": " + (title.MinimizedFlag() ? "true" : "false") +
        ", \"bar\": " + ScreenRect(TitleBar) + ", \"close\": " + ScreenRect(CloseForm) +
        ", \"maximize\": " + ScreenRect(Maximize) + ", \"minimize\": " + ScreenRect(Minimize) +
        ", \"help\": " + ScreenRect(WhatsThisHelp) + "}\n";
    if (state == lastState || !stateFile) return;
    lastState = state;
    std::fputs(state.c_str(), stateFile);
    std::fflush(stateFile);
}

// Written once the message that changed the window has been handled, so that the bar's flags are
// those that the bar's own handlers leave.
void ScheduleState(HWND hwnd) {
    if (writePending) return;
    writePending = true;
    ::PostMessageW(hwnd, kWriteState, 0, 0);
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
    case WM_MOVE:
    case WM_ACTIVATE: ScheduleState(hwnd); break;
    case kWriteState: WriteState(hwnd); return 0;
    case WM_DESTROY: ::PostQuitMessage(0); return 0;
    default: break;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (!argv || argc < 2) return 2;
    std::wstring caption = L"Gradient & title: Crème brûlée, naïve café";
    int mask = 3;
    bool whatsThis = false;
    int x = 100, y = 100;
    for (int i = 2; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--caption" && i + 1 < argc)
            caption = argv[++i];
        else if (arg == L"--mask" && i + 1 < argc)
            mask = _wtoi(argv[++i]);
        else if (arg == L"--whats-this")
            whatsThis = true;
        else if (arg == L"--at" && i + 1 < argc && std::swscanf(argv[++i], L"%d,%d", &x, &y) != 2)
            return 2;
    }
    stateFile = _wfopen(argv[1], L"wb");
    ::LocalFree(argv);
    if (!stateFile) return 3;

    const int dpi = static_cast<int>(::GetDpiForSystem());
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = HostProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.hIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               ::GetSystemMetricsForDpi(SM_CXICON, dpi),
                                               ::GetSystemMetricsForDpi(SM_CYICON, dpi), LR_SHARED));
    wc.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                 ::GetSystemMetricsForDpi(SM_CXSMICON, dpi),
                                                 ::GetSystemMetricsForDpi(SM_CYSMICON, dpi), LR_SHARED));
    wc.lpszClassName = kHostClass;
    if (!::RegisterClassExW(&wc)) return 4;

    // A thin border and no title bar of its own (a window manager would decorate a thick frame).
    DWORD style = WS_POPUP | WS_BORDER | WS_SYSMENU | WS_CLIPCHILDREN;
    if (mask & 1) style |= WS_MAXIMIZEBOX;
    if (mask & 2) style |= WS_MINIMIZEBOX;
    const DWORD exStyle = WS_EX_APPWINDOW | (whatsThis ? WS_EX_CONTEXTHELP : 0);
    // 6480 x 3000 twips inside the frame.
    RECT rect{x, y, x + uplift::TwipsToPixels(6480, dpi), y + uplift::TwipsToPixels(3000, dpi)};
    ::AdjustWindowRectExForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi));
    ::OffsetRect(&rect, x - rect.left, y - rect.top);
    HWND hwnd = ::CreateWindowExW(exStyle, kHostClass, caption.c_str(), style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance,
                                  nullptr);
    if (!hwnd || !title.Attach(hwnd)) return 5;
    ::ShowWindow(hwnd, SW_SHOW);
    ScheduleState(hwnd);

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    std::fclose(stateFile);
    return static_cast<int>(msg.wParam);
}
