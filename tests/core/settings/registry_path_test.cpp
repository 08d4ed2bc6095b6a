#include "settings/registry_path.h"

#include <gtest/gtest.h>

namespace uplift {
namespace {

TEST(RegistryNames, StartUpNamesGiveTheProgramsKey) {
    RegistryNames names;
    names.SetCompanyName(L"Fernbrook");
    names.SetAppName(L"UpliftBeacon");
    EXPECT_EQ(names.BuildKeyPath(L"Settings"), L"Software\\Fernbrook\\UpliftBeacon\\Settings");
    EXPECT_EQ(names.BuildKeyPath(L""), L"Software\\Fernbrook\\UpliftBeacon");
}

TEST(RegistryNames, NamesAreTrimmedOrFallBack) {
    struct Case {
        const wchar_t* Given;
        const wchar_t* Company;
        const wchar_t* App;
    };
    static constexpr Case kCases[] = {
        {L"", L"Shared Program Settings", L"Uplift Beacon"},
        {L"    ", L"Shared Program Settings", L"Uplift Beacon"},
        {L"  Acme Ltd  ", L"Acme Ltd", L"Acme Ltd"},
        {L"Acme", L"Acme", L"Acme"},
        {L"\tAcme", L"\tAcme", L"\tAcme"}, // only spaces count as blanks
    };
    for (const Case& c : kCases) {
        RegistryNames names;
        names.SetCompanyName(c.Given);
        names.SetAppName(c.Given);
        EXPECT_EQ(names.CompanyName(), c.Company) << testing::PrintToString(std::wstring(c.Given));
        EXPECT_EQ(names.AppName(), c.App) << testing::PrintToString(std::wstring(c.Given));
    }
}

TEST(RegistryNames, LaterCallsReplaceTheName) {
    RegistryNames names;
    names.SetCompanyName(L"First");
    names.SetCompanyName(L"");
    names.SetAppName(L"App");
    EXPECT_EQ(names.BuildKeyPath(L"S"), L"Software\\Shared Program Settings\\App\\S");
}

TEST(RegistryNames, StarNamesTheDefaultValue) {
    EXPECT_EQ(RegistryValueName(L"*"), L"");
    EXPECT_EQ(RegistryValueName(L"Path"), L"Path");
    EXPECT_EQ(RegistryValueName(L"**"), L"**");
    EXPECT_EQ(RegistryValueName(L""), L"");
}

} // namespace
} // namespace uplift
