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
const std::wstring kName(kLoginStartName);

// The start-up list's entry: a few bytes, absent when there is none or it is not binary.
std::optional<std::vector<std::uint8_t>> ReadApproved() {
    std::vector<std::uint8_t> data(64);
    DWORD size = static_cast<DWORD>(data.size());
    if (::RegGetValueW(HKEY_CURRENT_USER, kApprovedKey, kName.c_str(), RRF_RT_REG_BINARY, nullptr,
                       data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(size);
    return data;
}

bool Deleted(LSTATUS status) {
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

} // namespace

bool LoginStartOn(const std::wstring& exePath) {
    const auto approved = ReadApproved();
    return StartsAtLogin(ReadUserString(kRunKey, kName),
                         approved ? std::optional<std::span<const std::uint8_t>>(*approved) : std::nullopt,
                         exePath);
}

bool SetLoginStart(const std::wstring& exePath, bool on) {
    const bool cleared = Deleted(::RegDeleteKeyValueW(HKEY_CURRENT_USER, kApprovedKey, kName.c_str()));
    if (!on) return Deleted(::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kName.c_str())) && cleared;
    if (exePath.empty()) return false;
    const std::wstring command = LoginStartCommand(exePath);
    return ::RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kName.c_str(), REG_SZ, command.c_str(),
                             static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS &&
           cleared;
}

} // namespace uplift::win
