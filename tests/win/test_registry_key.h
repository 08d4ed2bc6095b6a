#pragma once
// A private key below HKEY_CURRENT_USER for one test, deleted afterwards.

#include <windows.h>

#include <string>

namespace uplift::win::testing {

class TestRegistryKey {
public:
    TestRegistryKey()
        : path_(L"Software\\UpliftBeaconTests\\" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter_)) {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    }
    ~TestRegistryKey() { ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str()); }
    const std::wstring& Path() const { return path_; }

    void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) const {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, path_.c_str(), name, type, data, bytes);
    }
    DWORD TypeOf(const wchar_t* name) const {
        DWORD type = REG_NONE;
        ::RegGetValueW(HKEY_CURRENT_USER, path_.c_str(), name, RRF_RT_ANY, &type, nullptr, nullptr);
        return type;
    }

private:
    static inline int counter_ = 0;
    std::wstring path_;
};

} // namespace uplift::win::testing
