#include "settings/registry_path.h"

#include <gtest/gtest.h>

namespace uplift {

TEST(RegistryNames, NamesAreTrimmedOfSpacesOrFallBackAndMakeTheKeyPath) {
    for (const auto& [given, company, app] :
         {std::tuple{L"    ", L"Shared Program Settings", L"Uplift Beacon"},
          {L"  Acme  ", L"Acme", L"Acme"},
          {L"\tAcme", L"\tAcme", L"\tAcme"}}) {
        RegistryNames names;
        names.SetCompanyName(L"First"); // a later call replaces the name
        names.SetCompanyName(given);
        names.SetAppName(given);
        EXPECT_EQ(names.BuildKeyPath(L"S"), std::wstring(L"Software\\") + company + L"\\" + app + L"\\S")
            << testing::PrintToString(std::wstring(given));
        EXPECT_EQ(names.BuildKeyPath(L""), std::wstring(L"Software\\") + company + L"\\" + app);
    }
}

} // namespace uplift
