#pragma once
// One section of string values: the registry key ParamSection in the program, a map in tests.

#include <optional>
#include <string>
#include <string_view>

namespace uplift {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Absent, unreadable or not a string: nothing.
    virtual std::optional<std::wstring> Read(std::wstring_view name) = 0;
    virtual bool Write(std::wstring_view name, std::wstring_view value) = 0;
};

} // namespace uplift
