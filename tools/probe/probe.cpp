// probe.exe: a small console tool with which the end-to-end tests talk to the program the way the
// platform does: the per-user registry, top-level windows, window messages, process start and exit.
//
// Output is UTF-8, one record per line, fields separated by a tab. Exit codes: 0 success, 1 the thing
// looked for is not there (or a wait timed out), 2 bad usage or a failing system call.
//
// Keys are relative to HKEY_CURRENT_USER, e.g. "Software\Fernbrook\UpliftBeacon\Settings".
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kOk = 0;
constexpr int kNotFound = 1;
constexpr int kError = 2;

void WriteBytes(HANDLE handle, const std::string &text)
{
    DWORD written = 0;
    const char *data = text.data();
    size_t left = text.size();
    while (left > 0) {
        DWORD chunk = left > 1u << 20 ? 1u << 20 : static_cast<DWORD>(left);
        if (!WriteFile(handle, data, chunk, &written, nullptr) || written == 0)
            return;
        data += written;
        left -= written;
    }
}

std::string ToUtf8(const std::wstring &text)
{
    if (text.empty())
        return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                   nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

void Out(const std::string &text) { WriteBytes(GetStdHandle(STD_OUTPUT_HANDLE), text); }
void Err(const std::string &text) { WriteBytes(GetStdHandle(STD_ERROR_HANDLE), text); }

std::string Hex(uint64_t value, int width)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%0*llx", width, static_cast<unsigned long long>(value));
    return buffer;
}

std::string ErrorText(DWORD code)
{
    return "error " + std::to_string(code);
}

int Usage()
{
    Err("usage: probe <command> [arguments]\n"
        "  dump <key>                          every value: name<TAB>type<TAB>value\n"
        "  get <key> <name>                    one value: type<TAB>value\n"
        "  set-sz <key> <name> <text>\n"
        "  set-dword <key> <name> <number>\n"
        "  set-binary <key> <name> <hex bytes, e.g. 01ff20>\n"
        "  set-long-sz <key> <name> <count> [char]   a text of <count> copies of char (default x)\n"
        "  delete-value <key> <name>\n"
        "  delete-tree <key>                   the key and everything below it (absent: fine)\n"
        "  find-window <title> [--wait ms]     prints the HWND of a top-level window with exactly that title\n"
        "  count-windows <title>               how many top-level windows carry exactly that title\n"
        "  window-info <title>                 hwnd, pid, visible, class of that window\n"
        "  post <title> <msg> [wparam lparam]  PostMessageW\n"
        "  send <title> <msg> [wparam lparam] [--timeout ms]   SendMessageTimeoutW, prints the result\n"
        "  wait-idle <title> <ms>              WaitForInputIdle on the process that owns the window\n"
        "  start-timed <exe> [--terminate] [--timeout ms] [--window title]\n"
        "                                      CreateProcess + WaitForInputIdle, prints the time (and the time\n"
        "                                      until a window with that title exists); prints the pid\n"
        "  wait-exit <pid> <ms>                waits for a process to end, prints its exit code\n"
        "  terminate <pid>                     TerminateProcess\n"
        "  find-class <class> [--pid pid] [--visible]\n"
        "                                      every top-level window of that class: hwnd, pid, visible, rect,\n"
        "                                      style, exstyle, X11 window, title (one window a line)\n"
        "  foreground                          the foreground window: hwnd, pid, class, title\n"
        "  child <hwnd> <class>                the first descendant window of that class\n"
        "  get-text <hwnd>                     WM_GETTEXT of a window (any process)\n"
        "  watch-visible <class> <pid> <ms> [--edges n] [--interval-us n]\n"
        "                                      polls the visibility of that process's window of that class and\n"
        "                                      prints the initial state and every change as it happens:\n"
        "                                      state<TAB>0|1<TAB>unix time us<TAB>previous poll us<TAB>hwnd<TAB>rect;\n"
        "                                      stops after n changes (exit 0) or ms (exit 1)\n"
        "  menu-window [--pid pid]             the open popup menu (class #32768): hwnd, pid, rect, items\n"
        "  hold                                keeps a hidden window (and so Wine's desktop) until killed\n");
    return kError;
}

// --- numbers -------------------------------------------------------------------------------------

bool ParseU64(const std::wstring &text, uint64_t &value)
{
    if (text.empty())
        return false;
    wchar_t *end = nullptr;
    bool negative = text[0] == L'-';
    value = negative ? static_cast<uint64_t>(std::wcstoll(text.c_str(), &end, 0))
                     : std::wcstoull(text.c_str(), &end, 0);
    return end && *end == L'\0';
}

// --- registry ------------------------------------------------------------------------------------

const char *TypeName(DWORD type)
{
    switch (type) {
    case REG_NONE: return "REG_NONE";
    case REG_SZ: return "REG_SZ";
    case REG_EXPAND_SZ: return "REG_EXPAND_SZ";
    case REG_BINARY: return "REG_BINARY";
    case REG_DWORD: return "REG_DWORD";
    case REG_DWORD_BIG_ENDIAN: return "REG_DWORD_BIG_ENDIAN";
    case REG_LINK: return "REG_LINK";
    case REG_MULTI_SZ: return "REG_MULTI_SZ";
    case REG_QWORD: return "REG_QWORD";
    default: return "REG_UNKNOWN";
    }
}

// Text with backslash, tab, CR, LF and other control characters made visible.
std::string Escape(const std::wstring &text)
{
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        switch (c) {
        case L'\\': out += L"\\\\"; break;
        case L'\t': out += L"\\t"; break;
        case L'\n': out += L"\\n"; break;
        case L'\r': out += L"\\r"; break;
        default:
            if (c < 0x20 || c == 0x7f) {
                wchar_t buffer[8];
                std::swprintf(buffer, 8, L"\\x%02x", static_cast<unsigned>(c));
                out += buffer;
            } else {
                out += c;
            }
        }
    }
    return ToUtf8(out);
}

std::wstring WideFromData(const std::vector<BYTE> &data, DWORD size, bool stripNuls)
{
    std::wstring text(reinterpret_cast<const wchar_t *>(data.data()), size / sizeof(wchar_t));
    if (stripNuls)
        while (!text.empty() && text.back() == L'\0')
            text.pop_back();
    return text;
}

std::string FormatValue(DWORD type, const std::vector<BYTE> &data, DWORD size)
{
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
    case REG_LINK:
        return Escape(WideFromData(data, size, true));
    case REG_MULTI_SZ: {
        // Entries separated by a visible \0.
        std::wstring text = WideFromData(data, size, true);
        std::string out;
        size_t start = 0;
        for (;;) {
            size_t nul = text.find(L'\0', start);
            out += Escape(text.substr(start, nul == std::wstring::npos ? std::wstring::npos : nul - start));
            if (nul == std::wstring::npos)
                break;
            out += "\\0";
            start = nul + 1;
        }
        return out;
    }
    case REG_DWORD:
        if (size == 4) {
            DWORD value;
            memcpy(&value, data.data(), 4);
            return std::to_string(value);
        }
        break;
    case REG_QWORD:
        if (size == 8) {
            uint64_t value;
            memcpy(&value, data.data(), 8);
            return std::to_string(value);
        }
        break;
    default:
        break;
    }
    std::string hex;
    char buffer[4];
    for (DWORD i = 0; i < size; ++i) {
        std::snprintf(buffer, sizeof buffer, "%02x", data[i]);
        hex += buffer;
    }
    return hex;
}

int OpenKey(const std::wstring &path, REGSAM access, HKEY &key)
{
    LONG rc = RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, access, &key);
    if (rc == ERROR_FILE_NOT_FOUND) {
        Err("key not found: HKCU\\" + ToUtf8(path) + "\n");
        return kNotFound;
    }
    if (rc != ERROR_SUCCESS) {
        Err("cannot open HKCU\\" + ToUtf8(path) + ": " + ErrorText(static_cast<DWORD>(rc)) + "\n");
        return kError;
    }
    return kOk;
}

int CmdDump(const std::wstring &path)
{
    HKEY key;
    if (int rc = OpenKey(path, KEY_READ, key); rc != kOk)
        return rc;
    DWORD count = 0, maxName = 0, maxData = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &maxName, &maxData, nullptr,
                     nullptr);
    std::string out;
    for (DWORD i = 0;; ++i) {
        std::vector<wchar_t> name(maxName + 2);
        std::vector<BYTE> data(maxData + 4);
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        LONG rc = RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &size);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        if (rc == ERROR_MORE_DATA) {
            // The key changed under us: ask again with fresh sizes.
            RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &maxName, &maxData,
                             nullptr, nullptr);
            --i;
            continue;
        }
        if (rc != ERROR_SUCCESS) {
            Err("enumeration failed: " + ErrorText(static_cast<DWORD>(rc)) + "\n");
            RegCloseKey(key);
            return kError;
        }
        out += Escape(std::wstring(name.data(), nameLength));
        out += '\t';
        out += TypeName(type);
        out += '\t';
        out += FormatValue(type, data, size);
        out += '\n';
    }
    RegCloseKey(key);
    Out(out);
    return kOk;
}

int CmdGet(const std::wstring &path, const std::wstring &name)
{
    HKEY key;
    if (int rc = OpenKey(path, KEY_READ, key); rc != kOk)
        return rc;
    DWORD type = 0, size = 0;
    LONG rc = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
    if (rc == ERROR_FILE_NOT_FOUND) {
        RegCloseKey(key);
        Err("value not found: " + ToUtf8(name) + "\n");
        return kNotFound;
    }
    std::vector<BYTE> data(size + 4);
    rc = RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) {
        Err("cannot read " + ToUtf8(name) + ": " + ErrorText(static_cast<DWORD>(rc)) + "\n");
        return kError;
    }
    Out(std::string(TypeName(type)) + "\t" + FormatValue(type, data, size) + "\n");
    return kOk;
}

int SetValue(const std::wstring &path, const std::wstring &name, DWORD type, const void *data, DWORD size)
{
    HKEY key;
    LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS) {
        Err("cannot create HKCU\\" + ToUtf8(path) + ": " + ErrorText(static_cast<DWORD>(rc)) + "\n");
        return kError;
    }
    rc = RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE *>(data), size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) {
        Err("cannot write " + ToUtf8(name) + ": " + ErrorText(static_cast<DWORD>(rc)) + "\n");
        return kError;
    }
    return kOk;
}

int SetSz(const std::wstring &path, const std::wstring &name, const std::wstring &text)
{
    return SetValue(path, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

int CmdSetDword(const std::wstring &path, const std::wstring &name, const std::wstring &number)
{
    uint64_t value;
    if (!ParseU64(number, value))
        return Usage();
    DWORD dword = static_cast<DWORD>(value);
    return SetValue(path, name, REG_DWORD, &dword, sizeof dword);
}

int CmdSetBinary(const std::wstring &path, const std::wstring &name, const std::wstring &hex)
{
    if (hex.size() % 2 != 0)
        return Usage();
    std::vector<BYTE> bytes;
    for (size_t i = 0; i < hex.size(); i += 2) {
        wchar_t *end = nullptr;
        std::wstring pair = hex.substr(i, 2);
        unsigned long byte = std::wcstoul(pair.c_str(), &end, 16);
        if (!end || *end != L'\0')
            return Usage();
        bytes.push_back(static_cast<BYTE>(byte));
    }
    return SetValue(path, name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
}

int CmdSetLongSz(const std::wstring &path, const std::wstring &name, const std::wstring &count, wchar_t fill)
{
    uint64_t n;
    if (!ParseU64(count, n) || n > 64u * 1024 * 1024)
        return Usage();
    return SetSz(path, name, std::wstring(static_cast<size_t>(n), fill));
}

int CmdDeleteValue(const std::wstring &path, const std::wstring &name)
{
    HKEY key;
    if (int rc = OpenKey(path, KEY_SET_VALUE, key); rc != kOk)
        return rc;
    LONG rc = RegDeleteValueW(key, name.c_str());
    RegCloseKey(key);
    if (rc == ERROR_FILE_NOT_FOUND)
        return kOk;
    return rc == ERROR_SUCCESS ? kOk : kError;
}

int CmdDeleteTree(const std::wstring &path)
{
    if (path.empty()) {
        Err("refusing to delete all of HKCU\n");
        return kError;
    }
    LONG rc = RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    if (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND)
        return kOk;
    Err("cannot delete HKCU\\" + ToUtf8(path) + ": " + ErrorText(static_cast<DWORD>(rc)) + "\n");
    return kError;
}

// --- windows -------------------------------------------------------------------------------------

struct WindowSearch {
    std::wstring title;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param)
{
    auto *search = reinterpret_cast<WindowSearch *>(param);
    // InternalGetWindowText sends no message: a hung window cannot block the probe.
    std::vector<wchar_t> buffer(search->title.size() + 2);
    int length = InternalGetWindowText(hwnd, buffer.data(), static_cast<int>(buffer.size()));
    if (length == static_cast<int>(search->title.size()) &&
        std::wstring(buffer.data(), static_cast<size_t>(length)) == search->title)
        search->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> FindWindows(const std::wstring &title)
{
    WindowSearch search{title, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindOne(const std::wstring &title, DWORD waitMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        std::vector<HWND> found = FindWindows(title);
        if (!found.empty())
            return found.front();
        if (GetTickCount() - start >= waitMs)
            return nullptr;
        Sleep(20);
    }
}

HWND FindOrComplain(const std::wstring &title, DWORD waitMs = 0)
{
    HWND hwnd = FindOne(title, waitMs);
    if (!hwnd)
        Err("no top-level window titled \"" + ToUtf8(title) + "\"\n");
    return hwnd;
}

int CmdFindWindow(const std::wstring &title, DWORD waitMs)
{
    HWND hwnd = FindOrComplain(title, waitMs);
    if (!hwnd)
        return kNotFound;
    Out(Hex(reinterpret_cast<uintptr_t>(hwnd), 8) + "\n");
    return kOk;
}

int CmdCountWindows(const std::wstring &title)
{
    Out(std::to_string(FindWindows(title).size()) + "\n");
    return kOk;
}

int CmdWindowInfo(const std::wstring &title)
{
    HWND hwnd = FindOrComplain(title);
    if (!hwnd)
        return kNotFound;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t className[256] = {};
    GetClassNameW(hwnd, className, 256);
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    std::string out = "hwnd\t" + Hex(reinterpret_cast<uintptr_t>(hwnd), 8) + "\n";
    out += "pid\t" + std::to_string(pid) + "\n";
    out += "visible\t" + std::string(IsWindowVisible(hwnd) ? "1" : "0") + "\n";
    out += "class\t" + Escape(className) + "\n";
    out += "rect\t" + std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) +
           "," + std::to_string(rect.bottom) + "\n";
    Out(out);
    return kOk;
}

bool ParseMessage(const std::vector<std::wstring> &args, size_t first, UINT &msg, WPARAM &wParam, LPARAM &lParam)
{
    uint64_t m = 0, w = 0, l = 0;
    if (args.size() <= first || !ParseU64(args[first], m))
        return false;
    if (args.size() > first + 1 && !ParseU64(args[first + 1], w))
        return false;
    if (args.size() > first + 2 && !ParseU64(args[first + 2], l))
        return false;
    msg = static_cast<UINT>(m);
    wParam = static_cast<WPARAM>(w);
    lParam = static_cast<LPARAM>(l);
    return true;
}

int CmdPost(const std::vector<std::wstring> &args)
{
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    if (!ParseMessage(args, 1, msg, wParam, lParam))
        return Usage();
    HWND hwnd = FindOrComplain(args[0]);
    if (!hwnd)
        return kNotFound;
    if (!PostMessageW(hwnd, msg, wParam, lParam)) {
        Err("PostMessageW failed: " + ErrorText(GetLastError()) + "\n");
        return kError;
    }
    return kOk;
}

int CmdSend(std::vector<std::wstring> args)
{
    uint64_t timeout = 5000;
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == L"--timeout") {
            if (!ParseU64(args[i + 1], timeout))
                return Usage();
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
            break;
        }
    }
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    if (!ParseMessage(args, 1, msg, wParam, lParam))
        return Usage();
    HWND hwnd = FindOrComplain(args[0]);
    if (!hwnd)
        return kNotFound;
    DWORD_PTR result = 0;
    SetLastError(0);
    if (!SendMessageTimeoutW(hwnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, static_cast<UINT>(timeout), &result)) {
        DWORD error = GetLastError();
        Err("SendMessageTimeoutW failed: " + ErrorText(error) + (error == ERROR_TIMEOUT ? " (timeout)" : "") + "\n");
        return kNotFound;
    }
    Out(std::to_string(static_cast<long long>(result)) + "\n");
    return kOk;
}

int CmdWaitIdle(const std::wstring &title, const std::wstring &ms)
{
    uint64_t timeout;
    if (!ParseU64(ms, timeout))
        return Usage();
    HWND hwnd = FindOrComplain(title, static_cast<DWORD>(timeout));
    if (!hwnd)
        return kNotFound;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, pid);
    if (!process) {
        Err("OpenProcess failed: " + ErrorText(GetLastError()) + "\n");
        return kError;
    }
    DWORD rc = WaitForInputIdle(process, static_cast<DWORD>(timeout));
    CloseHandle(process);
    if (rc == WAIT_TIMEOUT) {
        Err("not idle in time\n");
        return kNotFound;
    }
    if (rc != 0) {
        Err("WaitForInputIdle failed: " + ErrorText(GetLastError()) + "\n");
        return kError;
    }
    Out("pid\t" + std::to_string(pid) + "\n");
    return kOk;
}

// --- processes -----------------------------------------------------------------------------------

int CmdStartTimed(const std::vector<std::wstring> &args)
{
    std::wstring exe, windowTitle;
    bool terminate = false;
    uint64_t timeout = 30000;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == L"--terminate")
            terminate = true;
        else if (args[i] == L"--timeout" && i + 1 < args.size()) {
            if (!ParseU64(args[++i], timeout))
                return Usage();
        } else if (args[i] == L"--window" && i + 1 < args.size())
            windowTitle = args[++i];
        else if (exe.empty())
            exe = args[i];
        else
            return Usage();
    }
    if (exe.empty())
        return Usage();
    std::wstring commandLine = L"\"" + exe + L"\"";
    // The child must not hold the probe's output: under Wine it would keep the caller's pipe open (and
    // whoever reads the probe's output to its end would wait for the child). Its standard handles are NUL.
    for (DWORD which : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE})
        SetHandleInformation(GetStdHandle(which), HANDLE_FLAG_INHERIT, 0);
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE nulIn = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING,
                               0, nullptr);
    HANDLE nulOut = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = nulIn;
    si.hStdOutput = nulOut;
    si.hStdError = nulOut;
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER frequency, t0, t1;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&t0);
    BOOL created = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    DWORD createError = GetLastError();
    CloseHandle(nulIn);
    CloseHandle(nulOut);
    if (!created) {
        Err("CreateProcessW failed: " + ErrorText(createError) + "\n");
        return kError;
    }
    DWORD rc = WaitForInputIdle(pi.hProcess, static_cast<DWORD>(timeout));
    QueryPerformanceCounter(&t1);
    double ms = static_cast<double>(t1.QuadPart - t0.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
    int result = kOk;
    if (rc == 0) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "input_idle_ms\t%.3f\n", ms);
        Out(buffer);
        if (!windowTitle.empty()) {
            // Under Wine the idle event can come before the first window exists: time that too.
            HWND hwnd = FindOne(windowTitle, static_cast<DWORD>(timeout));
            QueryPerformanceCounter(&t1);
            ms = static_cast<double>(t1.QuadPart - t0.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
            if (hwnd) {
                std::snprintf(buffer, sizeof buffer, "window_ms\t%.3f\n", ms);
                Out(buffer);
            } else {
                Err("no window titled \"" + ToUtf8(windowTitle) + "\" in time\n");
                result = kNotFound;
            }
        }
    } else {
        Err(rc == WAIT_TIMEOUT ? std::string("not idle in time\n")
                               : "WaitForInputIdle failed: " + ErrorText(GetLastError()) + "\n");
        result = kNotFound;
    }
    Out("pid\t" + std::to_string(pi.dwProcessId) + "\n");
    if (terminate) {
        TerminateProcess(pi.hProcess, 0);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return result;
}

int CmdWaitExit(const std::wstring &pidText, const std::wstring &ms)
{
    uint64_t pid, timeout;
    if (!ParseU64(pidText, pid) || !ParseU64(ms, timeout))
        return Usage();
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (!process) {
        // No such process (any more).
        Out("exit_code\tunknown\n");
        return kOk;
    }
    DWORD rc = WaitForSingleObject(process, static_cast<DWORD>(timeout));
    if (rc == WAIT_TIMEOUT) {
        CloseHandle(process);
        Err("still running\n");
        return kNotFound;
    }
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    Out("exit_code\t" + std::to_string(code) + "\n");
    return kOk;
}

int CmdTerminate(const std::wstring &pidText)
{
    uint64_t pid;
    if (!ParseU64(pidText, pid))
        return Usage();
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (!process)
        return kNotFound;
    BOOL ok = TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
    return ok ? kOk : kError;
}


// --- windows by class, focus, texts, visibility edges, popup menus -----------------------------------

std::string RectText(const RECT &rect)
{
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom);
}

std::wstring ClassOf(HWND hwnd)
{
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

std::wstring TitleOf(HWND hwnd)
{
    // InternalGetWindowText sends no message: a hung window cannot block the probe.
    wchar_t title[512] = {};
    InternalGetWindowText(hwnd, title, 512);
    return title;
}

DWORD PidOf(HWND hwnd)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

struct ClassSearch {
    std::wstring className;
    DWORD pid = 0; // 0: any process
    bool visibleOnly = false;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectByClass(HWND hwnd, LPARAM param)
{
    auto *search = reinterpret_cast<ClassSearch *>(param);
    if (ClassOf(hwnd) != search->className)
        return TRUE;
    if (search->pid != 0 && PidOf(hwnd) != search->pid)
        return TRUE;
    if (search->visibleOnly && !IsWindowVisible(hwnd))
        return TRUE;
    search->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> FindByClass(const std::wstring &className, DWORD pid, bool visibleOnly)
{
    ClassSearch search{className, pid, visibleOnly, {}};
    EnumWindows(CollectByClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The X11 window that Wine's X11 driver made for a top-level window (0 when there is none).
uintptr_t X11WindowOf(HWND hwnd)
{
    return reinterpret_cast<uintptr_t>(GetPropW(hwnd, L"__wine_x11_whole_window"));
}

std::string WindowLine(HWND hwnd)
{
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return Hex(reinterpret_cast<uintptr_t>(hwnd), 8) + "\t" + std::to_string(PidOf(hwnd)) + "\t" +
           (IsWindowVisible(hwnd) ? "1" : "0") + "\t" + RectText(rect) + "\t" +
           Hex(static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)), 8) + "\t" +
           Hex(static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE)), 8) + "\t" + Hex(X11WindowOf(hwnd), 8) + "\t" +
           Escape(TitleOf(hwnd)) + "\n";
}

bool ParseOptions(const std::vector<std::wstring> &args, size_t first, DWORD &pid, bool &visibleOnly)
{
    for (size_t i = first; i < args.size(); ++i) {
        uint64_t value;
        if (args[i] == L"--pid" && i + 1 < args.size() && ParseU64(args[i + 1], value)) {
            pid = static_cast<DWORD>(value);
            ++i;
        } else if (args[i] == L"--visible") {
            visibleOnly = true;
        } else {
            return false;
        }
    }
    return true;
}

int CmdFindClass(const std::vector<std::wstring> &args)
{
    DWORD pid = 0;
    bool visibleOnly = false;
    if (args.empty() || !ParseOptions(args, 1, pid, visibleOnly))
        return Usage();
    std::vector<HWND> found = FindByClass(args[0], pid, visibleOnly);
    std::string out;
    for (HWND hwnd : found)
        out += WindowLine(hwnd);
    Out(out);
    return found.empty() ? kNotFound : kOk;
}

int CmdForeground()
{
    HWND hwnd = GetForegroundWindow();
    if (!hwnd) {
        Out("hwnd\t0x00000000\n");
        return kNotFound;
    }
    Out("hwnd\t" + Hex(reinterpret_cast<uintptr_t>(hwnd), 8) + "\npid\t" + std::to_string(PidOf(hwnd)) +
        "\nclass\t" + Escape(ClassOf(hwnd)) + "\ntitle\t" + Escape(TitleOf(hwnd)) + "\n");
    return kOk;
}

bool ParseHwnd(const std::wstring &text, HWND &hwnd)
{
    uint64_t value;
    if (!ParseU64(text, value))
        return false;
    hwnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(value));
    return true;
}

struct ChildSearch {
    std::wstring className;
    HWND found = nullptr;
};

BOOL CALLBACK FirstChildOfClass(HWND hwnd, LPARAM param)
{
    auto *search = reinterpret_cast<ChildSearch *>(param);
    if (ClassOf(hwnd) == search->className) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

int CmdChild(const std::wstring &parentText, const std::wstring &className)
{
    HWND parent;
    if (!ParseHwnd(parentText, parent))
        return Usage();
    ChildSearch search{className, nullptr};
    EnumChildWindows(parent, FirstChildOfClass, reinterpret_cast<LPARAM>(&search));
    if (!search.found) {
        Err("no child window of class \"" + ToUtf8(className) + "\"\n");
        return kNotFound;
    }
    Out(Hex(reinterpret_cast<uintptr_t>(search.found), 8) + "\n");
    return kOk;
}

int CmdGetText(const std::wstring &hwndText)
{
    HWND hwnd;
    if (!ParseHwnd(hwndText, hwnd))
        return Usage();
    if (!IsWindow(hwnd))
        return kNotFound;
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return kError;
    std::vector<wchar_t> buffer(length + 2);
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                             SMTO_ABORTIFHUNG, 5000, &copied))
        return kError;
    Out(Escape(std::wstring(buffer.data(), copied)) + "\n");
    return kOk;
}

// Unix time in microseconds, from the same clock as the Linux side's time.time().
int64_t UnixMicros()
{
    FILETIME ft;
    GetSystemTimePreciseAsFileTime(&ft);
    const int64_t ticks = (static_cast<int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return ticks / 10 - 11644473600LL * 1000000LL;
}

using NtDelayExecutionFn = LONG(WINAPI *)(BOOLEAN, const LARGE_INTEGER *);

// Sleeps for a number of microseconds (Sleep only knows milliseconds); 0 yields only.
void SleepMicros(NtDelayExecutionFn delay, uint64_t micros)
{
    if (micros == 0) {
        SwitchToThread();
        return;
    }
    if (!delay) {
        Sleep(static_cast<DWORD>((micros + 999) / 1000));
        return;
    }
    LARGE_INTEGER interval;
    interval.QuadPart = -static_cast<LONGLONG>(micros) * 10; // relative, in 100 ns
    delay(FALSE, &interval);
}

int CmdWatchVisible(const std::vector<std::wstring> &args)
{
    uint64_t pid = 0, ms = 0, edges = 0, intervalUs = 250;
    if (args.size() < 3 || !ParseU64(args[1], pid) || !ParseU64(args[2], ms))
        return Usage();
    for (size_t i = 3; i < args.size(); ++i) {
        if (args[i] == L"--edges" && i + 1 < args.size() && ParseU64(args[i + 1], edges))
            ++i;
        else if (args[i] == L"--interval-us" && i + 1 < args.size() && ParseU64(args[i + 1], intervalUs))
            ++i;
        else
            return Usage();
    }
    const std::wstring className = args[0];
    auto delay = reinterpret_cast<NtDelayExecutionFn>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtDelayExecution")));

    HWND hwnd = nullptr;
    // The visible window of the class, else any: a list showing makes a new window every time.
    auto locate = [&]() {
        std::vector<HWND> visible = FindByClass(className, static_cast<DWORD>(pid), true);
        if (!visible.empty())
            return visible.front();
        std::vector<HWND> any = FindByClass(className, static_cast<DWORD>(pid), false);
        return any.empty() ? static_cast<HWND>(nullptr) : any.front();
    };
    // One poll; `at` is the time right after the visibility was read. The window is looked for again
    // only when it is gone (the search takes longer than one visibility test).
    auto poll = [&](int64_t &at) {
        const bool visible = hwnd && IsWindowVisible(hwnd);
        at = UnixMicros();
        if (visible)
            return true;
        if (!hwnd || !IsWindow(hwnd)) {
            hwnd = locate();
            if (hwnd && IsWindowVisible(hwnd)) {
                at = UnixMicros();
                return true;
            }
        }
        return false;
    };
    auto line = [&](bool visible, int64_t now, int64_t previous) {
        RECT rect{};
        if (hwnd)
            GetWindowRect(hwnd, &rect);
        Out("state\t" + std::string(visible ? "1" : "0") + "\t" + std::to_string(now) + "\t" +
            std::to_string(previous) + "\t" + Hex(reinterpret_cast<uintptr_t>(hwnd), 8) + "\t" + RectText(rect) +
            "\n");
    };

    const int64_t start = UnixMicros();
    const int64_t end = start + static_cast<int64_t>(ms) * 1000;
    int64_t previous = 0;
    bool current = poll(previous);
    line(current, previous, previous);
    uint64_t seen = 0, polls = 1;
    int result = kNotFound;
    for (;;) {
        if (edges != 0 && seen >= edges) {
            result = kOk;
            break;
        }
        int64_t now = UnixMicros();
        if (now >= end)
            break;
        SleepMicros(delay, intervalUs);
        const bool visible = poll(now);
        ++polls;
        if (visible != current) {
            current = visible;
            ++seen;
            line(visible, now, previous);
        }
        previous = now;
    }
    const int64_t elapsed = UnixMicros() - start;
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "polls\t%llu\t%.1f\n", static_cast<unsigned long long>(polls),
                  polls > 1 ? static_cast<double>(elapsed) / static_cast<double>(polls - 1) : 0.0);
    Out(buffer);
    if (edges == 0)
        result = kOk;
    return result;
}

int CmdMenuWindow(const std::vector<std::wstring> &args)
{
    DWORD pid = 0;
    bool visibleOnly = true;
    if (!ParseOptions(args, 0, pid, visibleOnly))
        return Usage();
    std::vector<HWND> found = FindByClass(L"#32768", pid, true);
    if (found.empty()) {
        Err("no open popup menu\n");
        return kNotFound;
    }
    HWND hwnd = found.front();
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    std::string out = "hwnd\t" + Hex(reinterpret_cast<uintptr_t>(hwnd), 8) + "\npid\t" +
                      std::to_string(PidOf(hwnd)) + "\nrect\t" + RectText(rect) + "\n";
    // The menu's items live in the owning process: their rectangles can be read only where the
    // platform shares menus between processes.
    DWORD_PTR menu = 0;
    if (SendMessageTimeoutW(hwnd, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 2000, &menu) && menu) {
        HMENU hmenu = reinterpret_cast<HMENU>(menu);
        out += "hmenu\t" + Hex(menu, 8) + "\n";
        int count = GetMenuItemCount(hmenu);
        out += "count\t" + std::to_string(count) + "\n";
        for (int i = 0; i < count; ++i) {
            RECT item{};
            if (GetMenuItemRect(hwnd, hmenu, static_cast<UINT>(i), &item))
                out += "item\t" + std::to_string(i) + "\t" + RectText(item) + "\n";
        }
    }
    Out(out);
    return kOk;
}

} // namespace

// Wine closes its desktop, and the explorer process behind it, some 20 s after the last program on it
// has ended; the next program starts explorer again, handing it its own output. A harness keeps the
// desktop with this command for as long as it runs programs.
int CmdHold()
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"UpliftProbeDesktopHolder";
    if (!RegisterClassW(&wc))
        return kError;
    if (!CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                         wc.hInstance, nullptr))
        return kError;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return kOk;
}

int wmain(int argc, wchar_t **argv)
{
    if (argc < 2)
        return Usage();
    std::wstring command = argv[1];
    std::vector<std::wstring> args(argv + 2, argv + argc);
    auto need = [&](size_t n) { return args.size() == n; };

    if (command == L"dump" && need(1))
        return CmdDump(args[0]);
    if (command == L"get" && need(2))
        return CmdGet(args[0], args[1]);
    if (command == L"set-sz" && need(3))
        return SetSz(args[0], args[1], args[2]);
    if (command == L"set-dword" && need(3))
        return CmdSetDword(args[0], args[1], args[2]);
    if (command == L"set-binary" && need(3))
        return CmdSetBinary(args[0], args[1], args[2]);
    if (command == L"set-long-sz" && (need(3) || (need(4) && args[3].size() == 1)))
        return CmdSetLongSz(args[0], args[1], args[2], need(4) ? args[3][0] : L'x');
    if (command == L"delete-value" && need(2))
        return CmdDeleteValue(args[0], args[1]);
    if (command == L"delete-tree" && need(1))
        return CmdDeleteTree(args[0]);
    if (command == L"find-window" && need(1))
        return CmdFindWindow(args[0], 0);
    if (command == L"find-window" && need(3) && args[1] == L"--wait") {
        uint64_t ms;
        if (!ParseU64(args[2], ms))
            return Usage();
        return CmdFindWindow(args[0], static_cast<DWORD>(ms));
    }
    if (command == L"count-windows" && need(1))
        return CmdCountWindows(args[0]);
    if (command == L"window-info" && need(1))
        return CmdWindowInfo(args[0]);
    if (command == L"post" && args.size() >= 2 && args.size() <= 4)
        return CmdPost(args);
    if (command == L"send" && args.size() >= 2)
        return CmdSend(args);
    if (command == L"wait-idle" && need(2))
        return CmdWaitIdle(args[0], args[1]);
    if (command == L"start-timed" && !args.empty())
        return CmdStartTimed(args);
    if (command == L"wait-exit" && need(2))
        return CmdWaitExit(args[0], args[1]);
    if (command == L"terminate" && need(1))
        return CmdTerminate(args[0]);
    if (command == L"find-class" && !args.empty())
        return CmdFindClass(args);
    if (command == L"foreground" && need(0))
        return CmdForeground();
    if (command == L"child" && need(2))
        return CmdChild(args[0], args[1]);
    if (command == L"get-text" && need(1))
        return CmdGetText(args[0]);
    if (command == L"watch-visible" && args.size() >= 3)
        return CmdWatchVisible(args);
    if (command == L"menu-window")
        return CmdMenuWindow(args);
    if (command == L"hold" && need(0))
        return CmdHold();
    return Usage();
}
