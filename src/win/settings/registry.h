#pragma once
// The registry under HKEY_CURRENT_USER: the settings section as a SettingsStore, and the
// program's own key written through RegistryNames.

#include "settings/registry_path.h"
#include "settings/settings_store.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace uplift::win {

// Every value a REG_SZ below one key of HKEY_CURRENT_USER; the key is created on the first write.
class RegistrySettingsStore final : public SettingsStore {
public:
    explicit RegistrySettingsStore(std::wstring keyPath) : keyPath_(std::move(keyPath)) {}
    // Values of other types, and values too large to be a setting, read as absent.
    std::optional<std::wstring> Read(std::wstring_view name) override;
    bool Write(std::wstring_view name, std::wstring_view value) override;

private:
    std::wstring keyPath_;
};

// Writes one REG_SZ below Software\<company>\<application>\<section>, creating the keys on the
// way; "*" names the default value. False when the key or the value could not be written.
bool WriteRegSetting(const RegistryNames& names, std::wstring_view section, std::wstring_view valueName,
                     std::wstring_view text);

// Reads a REG_SZ (or REG_EXPAND_SZ, unexpanded) value of HKEY_CURRENT_USER; absent otherwise.
std::optional<std::wstring> ReadUserString(std::wstring_view keyPath, std::wstring_view valueName);

// A REG_DWORD value of HKEY_CURRENT_USER; absent when it is missing or of another type.
std::optional<std::uint32_t> ReadUserDword(std::wstring_view keyPath, std::wstring_view valueName);
// Writes a REG_DWORD value, creating the key.
bool WriteUserDword(std::wstring_view keyPath, std::wstring_view valueName, std::uint32_t value);

} // namespace uplift::win
