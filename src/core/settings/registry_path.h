#pragma once
// Names of the program's own registry key: Software\<company>\<application>\<section>.

#include <string>
#include <string_view>

namespace uplift {

class RegistryNames {
public:
    void SetCompanyName(std::wstring_view name); // empty: "Shared Program Settings"
    void SetAppName(std::wstring_view name);     // empty: "Uplift Beacon"
    const std::wstring& CompanyName() const { return company_; }
    const std::wstring& AppName() const { return app_; }
    // Relative to HKEY_CURRENT_USER; an empty section is the application's key itself.
    std::wstring BuildKeyPath(std::wstring_view section) const;

private:
    std::wstring company_;
    std::wstring app_;
};

// The value name "*" stands for a key's default value, which has no name.
std::wstring_view RegistryValueName(std::wstring_view name);

// The store of the options: HKEY_CURRENT_USER\Software\Shared Program Settings\Uplift Beacon
// Plus\ParamSection.
inline constexpr std::wstring_view kParamSectionPath =
    L"Software\\Shared Program Settings\\Uplift Beacon Plus\\ParamSection";

// The program's own key, written at every start with `Path`, the program folder; beside it the values
// that are not options (the timed pause, the quiet during full-screen programs):
// HKEY_CURRENT_USER\Software\Fernbrook\UpliftBeacon\Settings.
inline constexpr std::wstring_view kCompanyName = L"Fernbrook";
inline constexpr std::wstring_view kAppName = L"UpliftBeacon";
inline constexpr std::wstring_view kProgramSettingsSection = L"Settings";
inline constexpr std::wstring_view kProgramSettingsPath = L"Software\\Fernbrook\\UpliftBeacon\\Settings";

} // namespace uplift
