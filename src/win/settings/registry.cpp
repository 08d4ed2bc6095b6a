#include "settings/registry.h"

#include "forms/unique_handle.h"

#include <windows.h>

#include <vector>

namespace uplift::win {

namespace {

// Far beyond any real setting; a larger value is damage, not data.
constexpr DWORD kMaxValueBytes = 4 * 1024 * 1024;

bool WriteString(HKEY key, std::wstring_view valueName, std::wstring_view text) {
    const std::wstring name(valueName);
    const std::wstring data(text);
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(data.c_str()), bytes) == ERROR_SUCCESS;
}

unique_hkey CreateUserKey(std::wstring_view path) {
    const std::wstring p(path);
    unique_hkey key;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, p.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                          nullptr, key.put(), nullptr) != ERROR_SUCCESS)
        return {};
    return key;
}

} // namespace

std::optional<std::wstring> ReadUserString(std::wstring_view keyPath, std::wstring_view valueName) {
    const std::wstring path(keyPath);
    unique_hkey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return std::nullopt;
    const std::wstring name(valueName);
    const wchar_t* namePtr = name.empty() ? nullptr : name.c_str();

    // The value may change between the size query and the read; try again a few times.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (::RegQueryValueExW(key.get(), namePtr, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        if ((type != REG_SZ && type != REG_EXPAND_SZ) || size > kMaxValueBytes) return std::nullopt;
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        const LONG rc = ::RegQueryValueExW(key.get(), namePtr, nullptr, &type,
                                           reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (rc == ERROR_MORE_DATA) continue;
        if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
        // The stored bytes need not end in NUL, nor be a whole number of characters.
        std::size_t length = got / sizeof(wchar_t);
        while (length > 0 && buffer[length - 1] == L'\0')
            --length;
        std::wstring text(buffer.data(), length);
        if (const auto nul = text.find(L'\0'); nul != std::wstring::npos) text.resize(nul);
        return text;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> ReadUserDword(std::wstring_view keyPath, std::wstring_view valueName) {
    const std::wstring path(keyPath), name(valueName);
    DWORD value = 0, size = sizeof value;
    if (::RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value,
                       &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

bool WriteUserDword(std::wstring_view keyPath, std::wstring_view valueName, std::uint32_t value) {
    const unique_hkey key = CreateUserKey(keyPath);
    const std::wstring name(valueName);
    const DWORD data = value;
    return key && ::RegSetValueExW(key.get(), name.c_str(), 0, REG_DWORD,
                                   reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
}

std::optional<std::wstring> RegistrySettingsStore::Read(std::wstring_view name) {
    return ReadUserString(keyPath_, name);
}

bool RegistrySettingsStore::Write(std::wstring_view name, std::wstring_view value) {
    const unique_hkey key = CreateUserKey(keyPath_);
    return key && WriteString(key.get(), name, value);
}

bool WriteRegSetting(const RegistryNames& names, std::wstring_view section, std::wstring_view valueName,
                     std::wstring_view text) {
    const unique_hkey key = CreateUserKey(names.BuildKeyPath(section));
    if (!key) return false;
    return WriteString(key.get(), RegistryValueName(valueName), text);
}

} // namespace uplift::win
