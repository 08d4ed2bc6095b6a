#pragma once
// One section of string values: the registry key ParamSection in the program, a map in tests.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace uplift {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Absent, unreadable or not a string: nothing.
    virtual std::optional<std::wstring> Read(std::wstring_view name) = 0;
    virtual bool Write(std::wstring_view name, std::wstring_view value) = 0;
};

// A store in memory that remembers the order of reads and writes.
class MemorySettingsStore final : public SettingsStore {
public:
    std::optional<std::wstring> Read(std::wstring_view name) override {
        reads.emplace_back(name);
        auto it = values.find(std::wstring(name));
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    bool Write(std::wstring_view name, std::wstring_view value) override {
        writes.emplace_back(name);
        values[std::wstring(name)] = std::wstring(value);
        return true;
    }

    std::map<std::wstring, std::wstring> values;
    std::vector<std::wstring> reads;
    std::vector<std::wstring> writes;
};

} // namespace uplift
