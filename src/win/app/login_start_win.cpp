#include "app/login_start_win.h"

#include "app/login_start.h"
#include "settings/registry.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace uplift::win {

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kApprovedKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
const wchar_t* const kName = kLoginStartName.data(); // a literal: ends in NUL

// The start-up list's entry: a few bytes, none when there is no entry or it is not binary.
std::vector<std::uint8_t> ReadApproved() {
    std::vector<std::uint8_t> data(64);
    DWORD size = static_cast<DWORD>(data.size());
    if (::RegGetValueW(HKEY_CURRENT_USER, kApprovedKey, kName, RRF_RT_REG_BINARY, nullptr, data.data(),
                       &size) != ERROR_SUCCESS)
        return {};
    data.resize(size);
    return data;
}

bool Deleted(LSTATUS status) {
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

} // namespace

bool LoginStartOn(const std::wstring& exePath) {
    return StartsAtLogin(ReadUserString(kRunKey, kName), ReadApproved(), exePath);
}

bool SetLoginStart(const std::wstring& exePath, bool on) {
    const bool cleared = Deleted(::RegDeleteKeyValueW(HKEY_CURRENT_USER, kApprovedKey, kName));
    if (!on) return Deleted(::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kName)) && cleared;
    if (exePath.empty()) return false;
    const std::wstring command = LoginStartCommand(exePath);
    return ::RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kName, REG_SZ, command.c_str(),
                             static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS &&
           cleared;
}

} // namespace uplift::win
