#pragma once
// The settings section as a map.

#include "settings/settings_store.h"

#include <map>
#include <string>

namespace uplift {

class MemorySettingsStore final : public SettingsStore {
public:
    std::optional<std::wstring> Read(std::wstring_view name) override {
        const auto it = values.find(name);
        return it == values.end() ? std::nullopt : std::optional(it->second);
    }
    bool Write(std::wstring_view name, std::wstring_view value) override {
        values.insert_or_assign(std::wstring(name), std::wstring(value));
        return true;
    }

    std::map<std::wstring, std::wstring, std::less<>> values;
};

} // namespace uplift
