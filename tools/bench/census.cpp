// census.exe <pid>: what a process holds, seen from outside, for the soak (bench_soak.py): its kernel handles
// (GetProcessHandleCount answers 0 under Wine; the system's process list has them) and its windows,
// top-level, child and message-only. Prints "handles N" and "windows N", one a line; exit code 1 when there
// is no such process.
#include <windows.h>
#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

struct Search {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (search->pid == 0 || pid == search->pid) search->found.push_back(hwnd);
    return TRUE;
}

// The process's entry in the system's process list, or nothing.
bool HandleCount(DWORD pid, ULONG& handles) {
    using Query = LONG(WINAPI*)(SYSTEM_INFORMATION_CLASS, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<unsigned char> list(1 << 20);
    ULONG size = 0;
    if (!query || query(SystemProcessInformation, list.data(), static_cast<ULONG>(list.size()), &size) < 0)
        return false;
    for (std::size_t offset = 0;;) {
        const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(list.data() + offset);
        if (static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(entry->UniqueProcessId)) == pid) {
            handles = entry->HandleCount;
            return true;
        }
        if (!entry->NextEntryOffset) return false;
        offset += entry->NextEntryOffset;
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: census <pid>\n", stderr);
        return 2;
    }
    const auto pid = static_cast<DWORD>(std::wcstoul(argv[1], nullptr, 0));
    ULONG handles = 0;
    if (!HandleCount(pid, handles)) return 1;
    Search tops{pid, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&tops));
    for (HWND hwnd = nullptr; (hwnd = FindWindowExW(HWND_MESSAGE, hwnd, nullptr, nullptr));)
        Collect(hwnd, reinterpret_cast<LPARAM>(&tops));
    Search all{0, tops.found};
    for (HWND top : tops.found)
        EnumChildWindows(top, Collect, reinterpret_cast<LPARAM>(&all));
    std::printf("handles\t%lu\nwindows\t%zu\n", handles, all.found.size());
    return 0;
}
