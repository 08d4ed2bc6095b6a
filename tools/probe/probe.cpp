// probe.exe: what the end-to-end tests and benchmarks ask of Wine itself. Output is UTF-8, one record a
// line (CR LF), fields separated by tabs. Exit codes: 0 success, 1 nothing found or not posted, 2 bad usage.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

enum ExitCode { kOk, kNotFound, kUsage };

uint64_t Number(const std::wstring& text) {
    return std::wcstoull(text.c_str(), nullptr, 0);
}

HWND Window(const std::wstring& text) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(Number(text)));
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

DWORD PidOf(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

unsigned long long Handle(HWND hwnd) {
    return reinterpret_cast<uintptr_t>(hwnd);
}

// Tabs and line breaks would split a record.
std::wstring OneLine(std::wstring text) {
    for (wchar_t& c : text)
        if (c == L'\t' || c == L'\n') c = L' ';
    return text;
}

// SendMessageTimeoutW's result, or 0 when the window does not answer within 20 s.
DWORD_PTR Ask(HWND hwnd, UINT message, WPARAM w = 0, LPARAM l = 0) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(hwnd, message, w, l, SMTO_ABORTIFHUNG, 20000, &result) ? result : 0;
}

std::wstring RectText(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    wchar_t text[64];
    std::swprintf(text, 64, L"%ld,%ld,%ld,%ld", r.left, r.top, r.right, r.bottom);
    return text;
}

BOOL CALLBACK Collect(HWND hwnd, LPARAM found) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(hwnd);
    return TRUE;
}

// The top-level windows of that class (empty: every class) and process (0: every process).
std::vector<HWND> TopLevel(const std::wstring& className, DWORD pid = 0) {
    std::vector<HWND> found;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&found));
    std::erase_if(found, [&](HWND hwnd) {
        return (!className.empty() && ClassOf(hwnd) != className) || (pid != 0 && PidOf(hwnd) != pid);
    });
    return found;
}

// Each line: hwnd pid visible rect x11-window foreground class title.
int Windows(const std::wstring& className) {
    const HWND foreground = GetForegroundWindow();
    for (HWND hwnd : TopLevel(className)) {
        // InternalGetWindowText sends no message: a busy program cannot hold the probe up.
        wchar_t title[512] = {};
        InternalGetWindowText(hwnd, title, 512);
        wprintf(L"%#llx\t%lu\t%d\t%ls\t%#llx\t%d\t%ls\t%ls\n", Handle(hwnd), PidOf(hwnd),
                IsWindowVisible(hwnd) ? 1 : 0, RectText(hwnd).c_str(),
                Handle(static_cast<HWND>(GetPropW(hwnd, L"__wine_x11_whole_window"))), hwnd == foreground,
                ClassOf(hwnd).c_str(), OneLine(title).c_str());
    }
    return kOk;
}

int Message(bool post, const std::vector<std::wstring>& args) {
    const HWND hwnd = Window(args[0]);
    const UINT message = static_cast<UINT>(Number(args[1]));
    const auto w = static_cast<WPARAM>(args.size() > 2 ? Number(args[2]) : 0);
    const auto l = static_cast<LPARAM>(args.size() > 3 ? Number(args[3]) : 0);
    if (post) return PostMessageW(hwnd, message, w, l) ? kOk : kNotFound;
    wprintf(L"%lld\n", static_cast<long long>(Ask(hwnd, message, w, l)));
    return kOk;
}

// Each line, the window first, then its children: hwnd class enabled checked selected rect text. Buttons
// answer BM_GETCHECK and combo boxes CB_GETCURSEL across processes.
int Controls(const std::wstring& parent) {
    std::vector<HWND> found{Window(parent)};
    EnumChildWindows(Window(parent), Collect, reinterpret_cast<LPARAM>(&found));
    for (HWND hwnd : found) {
        const std::wstring cls = ClassOf(hwnd);
        const bool checked = cls == L"Button" && Ask(hwnd, BM_GETCHECK) == BST_CHECKED;
        const auto selected = static_cast<LRESULT>(cls == L"ComboBox" ? Ask(hwnd, CB_GETCURSEL) : -1);
        wchar_t text[1024] = {};
        Ask(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
        wprintf(L"%#llx\t%ls\t%d\t%d\t%lld\t%ls\t%ls\n", Handle(hwnd), cls.c_str(),
                IsWindowEnabled(hwnd) ? 1 : 0, checked, static_cast<long long>(selected),
                RectText(hwnd).c_str(), OneLine(text).c_str());
    }
    return kOk;
}

// Unix time in microseconds: the clock of the Linux side's time.time().
int64_t UnixMicros() {
    FILETIME ft;
    GetSystemTimePreciseAsFileTime(&ft);
    return ((static_cast<int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) / 10 -
           11644473600LL * 1000000LL;
}

// Each line: state 0|1 unix-us previous-poll-us hwnd rect, at the start and at each change; at the end
// polls count mean-interval-us. Polls every interval (microseconds; Sleep knows only milliseconds) until
// `edges` changes were seen or the time is up. A list showing makes a new window each time, so the window
// is looked for again when it is gone; the visible one of the class comes first.
int Watch(const std::vector<std::wstring>& args) {
    const DWORD pid = static_cast<DWORD>(Number(args[1]));
    const int64_t end = UnixMicros() + static_cast<int64_t>(Number(args[2])) * 1000;
    const uint64_t edges = args.size() > 3 ? Number(args[3]) : 0;
    const int64_t interval = args.size() > 4 ? static_cast<int64_t>(Number(args[4])) : 250;
    using Delay = LONG(WINAPI*)(BOOLEAN, const LARGE_INTEGER*);
    const auto delay = reinterpret_cast<Delay>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtDelayExecution")));

    HWND hwnd = nullptr;
    const auto visible = [&] {
        if (hwnd && IsWindowVisible(hwnd)) return true;
        if (hwnd && IsWindow(hwnd)) return false;
        hwnd = nullptr;
        for (HWND candidate : TopLevel(args[0], pid))
            if (!hwnd || IsWindowVisible(candidate)) hwnd = candidate;
        return hwnd && IsWindowVisible(hwnd);
    };
    const auto line = [&](bool state, int64_t at, int64_t previous) {
        wprintf(L"state\t%d\t%lld\t%lld\t%#llx\t%ls\n", state ? 1 : 0, static_cast<long long>(at),
                static_cast<long long>(previous), Handle(hwnd), RectText(hwnd).c_str());
        std::fflush(stdout); // each change as it comes, to a reader of the log or the pipe
    };

    bool current = visible();
    int64_t previous = UnixMicros();
    const int64_t start = previous;
    line(current, previous, previous);
    uint64_t seen = 0, polls = 1;
    const LARGE_INTEGER wait{.QuadPart = -interval * 10}; // relative, in 100 ns
    while ((edges == 0 || seen < edges) && previous < end) {
        delay(FALSE, &wait);
        const bool now = visible();
        const int64_t at = UnixMicros();
        ++polls;
        if (now != current) {
            current = now;
            ++seen;
            line(now, at, previous);
        }
        previous = at;
    }
    wprintf(L"polls\t%llu\t%.1f\n", static_cast<unsigned long long>(polls),
            static_cast<double>(previous - start) / static_cast<double>(polls));
    return edges == 0 || seen >= edges ? kOk : kNotFound;
}

int Pump() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return kOk;
}

// Wine closes its desktop, and the explorer process behind it, some 20 s after the last program on it
// has ended; the next program starts explorer again, handing it its own output. A harness keeps the
// desktop with this command for as long as it runs programs.
int Hold() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"UpliftProbeDesktopHolder";
    if (!RegisterClassW(&wc) || !CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1,
                                                 1, nullptr, nullptr, wc.hInstance, nullptr))
        return kNotFound;
    return Pump();
}

// Each line: selected caret text. LB_GETTEXT is carried across processes like CB_GETLBTEXT.
int Items(const std::wstring& list) {
    const HWND hwnd = Window(list);
    const DWORD_PTR count = Ask(hwnd, LB_GETCOUNT), caret = Ask(hwnd, LB_GETCARETINDEX);
    for (DWORD_PTR i = 0; i < count; ++i) {
        std::vector<wchar_t> text(Ask(hwnd, LB_GETTEXTLEN, i) + 1);
        Ask(hwnd, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        wprintf(L"%d\t%d\t%ls\n", static_cast<LRESULT>(Ask(hwnd, LB_GETSEL, i)) > 0, i == caret, text.data());
    }
    return kOk;
}

// A window without a caption that covers the primary monitor, in the foreground until the probe is
// ended: what a slide show or a game looks like to the program.
int FullScreen() {
    const HWND hwnd = CreateWindowExW(0, L"Static", L"Full screen", WS_POPUP | WS_VISIBLE, 0, 0,
                                      GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                                      nullptr, nullptr, nullptr);
    if (!hwnd) return kNotFound;
    SetForegroundWindow(hwnd);
    return Pump();
}

int Lock(const std::wstring& path) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return kNotFound;
    wprintf(L"locked\n");
    std::fflush(stdout); // read while the probe runs on
    Sleep(INFINITE);
    return kOk;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_U8TEXT); // UTF-8, lines ended by CR LF
    const std::wstring command = argc > 1 ? argv[1] : L"";
    const std::vector<std::wstring> args(argv + (argc > 1 ? 2 : argc), argv + argc);
    if (command == L"windows" && args.size() <= 1) return Windows(args.empty() ? L"" : args[0]);
    if ((command == L"post" || command == L"send") && args.size() >= 2 && args.size() <= 4)
        return Message(command == L"post", args);
    if (command == L"controls" && args.size() == 1) return Controls(args[0]);
    if (command == L"watch" && args.size() >= 3 && args.size() <= 5) return Watch(args);
    if (command == L"hold" && args.empty()) return Hold();
    if (command == L"items" && args.size() == 1) return Items(args[0]);
    if (command == L"lock" && args.size() == 1) return Lock(args[0]);
    if (command == L"fullscreen" && args.empty()) return FullScreen();
    wprintf(
        L"usage: probe windows [class] | post|send <hwnd> <msg> [w [l]] | controls <hwnd>\n"
        L"       | items <list hwnd> | watch <class> <pid> <ms> [edges [interval-us]] | hold | lock <path>\n"
        L"       | fullscreen   (see probe.cpp)\n");
    return kUsage;
}
