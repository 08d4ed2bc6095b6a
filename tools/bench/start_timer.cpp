// start_timer.exe <exe> <window title> [<tray window class>]: starts a program as the shell would
// (CreateProcess), prints the milliseconds until it is idle for input (WaitForInputIdle), until a top-level
// window with that title exists and, with a tray window class, until that window (Wine's standalone
// notification area, which shows only while it holds an icon) is visible; then closes the program
// (WM_CLOSE, TerminateProcess after 10 s). Exit code 0, or 1 when something timed out.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

double Since(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3 && argc != 4) {
        std::fputs("usage: start_timer <exe> <window title> [<tray window class>]\n", stderr);
        return 2;
    }
    const wchar_t* trayClass = argc == 4 ? argv[3] : nullptr;
    const auto trayShown = [trayClass] {
        HWND tray = FindWindowW(trayClass, nullptr);
        return tray && IsWindowVisible(tray);
    };
    // The icon of the run before must have gone: the tray hides once it holds none.
    LARGE_INTEGER waited;
    QueryPerformanceCounter(&waited);
    while (trayClass && trayShown() && Since(waited) < 10000)
        Sleep(1);
    std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
    // The child gets no handle of ours: under Wine it would keep the caller's output pipe open.
    for (DWORD which : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE})
        SetHandleInformation(GetStdHandle(which), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        std::fprintf(stderr, "CreateProcessW failed: %lu\n", GetLastError());
        return 1;
    }
    int result = WaitForInputIdle(pi.hProcess, 30000) == 0 ? 0 : 1;
    std::printf("input_idle_ms\t%.3f\n", Since(start));
    // Under Wine the idle event can come before the first window exists: time that too.
    HWND window = nullptr;
    while (!(window = FindWindowW(nullptr, argv[2])) && Since(start) < 30000)
        Sleep(1);
    std::printf("window_ms\t%.3f\n", Since(start));
    if (trayClass) {
        while (!trayShown() && Since(start) < 30000)
            Sleep(1);
        std::printf("icon_ms\t%.3f\n", Since(start));
        if (!trayShown()) result = 1;
    }
    if (!window)
        result = 1;
    else
        PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000);
        result = 1;
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return result;
}
