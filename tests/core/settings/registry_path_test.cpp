#include "settings/registry_path.h"

#include <gtest/gtest.h>

namespace uplift {
namespace {

TEST(RegistryNames, NamesAreTrimmedOrFallBackAndMakeTheKeyPath) {
    struct Case {
        const wchar_t *Given, *Company, *App;
    };
    static constexpr Case kCases[] = {
        {L"    ", L"Shared Program Settings", L"Uplift Beacon"},
        {L"  Acme Ltd  ", L"Acme Ltd", L"Acme Ltd"},
        {L"\tAcme", L"\tAcme", L"\tAcme"}, // only spaces count as blanks
    };
    for (const Case& c : kCases) {
        RegistryNames names;
        names.SetCompanyName(L"First"); // a later call replaces the name
        names.SetCompanyName(c.Given);
        names.SetAppName(c.Given);
        EXPECT_EQ(names.BuildKeyPath(L"S"), std::wstring(L"Software\\") + c.Company + L"\\" + c.App + L"\\S")
            << testing::PrintToString(std::wstring(c.Given));
    }
    RegistryNames names;
    names.SetCompanyName(L"Fernbrook");
    names.SetAppName(L"");
    EXPECT_EQ(names.BuildKeyPath(L""), L"Software\\Fernbrook\\Uplift Beacon");
}

} // namespace
} // namespace uplift
