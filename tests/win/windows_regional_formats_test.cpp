#include "settings/windows_regional_formats.h"

#include <gtest/gtest.h>

namespace uplift::win {
namespace {

// The en-US texts the program reads and writes are the end-to-end tests' (the harness pins that locale).
TEST(WindowsRegionalFormats, RefusesWhatIsNoDateAndFollowsAnotherRegionOrTheUsersOwnFormats) {
    const WindowsRegionalFormats us(0x0409), german(0x0407);
    for (const std::wstring text :
         {std::wstring(L"abc"), std::wstring(100'000, L'1'), std::wstring(L"12/6/2026\0junk", 14)})
        EXPECT_EQ(us.TextToDateTime(text), std::nullopt) << text.substr(0, 20);
    const DateTime noon = FromCivil({2026, 12, 6, 12, 0, 0});
    // Windows writes the day with two digits, Wine with one; both are day.month.year, 24 hours.
    const std::wstring text = german.DateTimeToText(noon);
    EXPECT_NE(text.find(L"6.12.2026 12:00:00"), std::wstring::npos) << text;
    EXPECT_EQ(german.TextToDateTime(text), noon);
    EXPECT_EQ(std::pair(us.DecimalSeparator(), german.DecimalSeparator()), std::pair(L'.', L','));
    wchar_t saved[80] = {};
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, saved, 80);
    ASSERT_TRUE(::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, L"M/d/yy"));
    const std::wstring user = WindowsRegionalFormats().DateTimeToText(DateSerial(2026, 12, 6));
    ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, saved);
    EXPECT_EQ(user, L"12/6/26");
}

} // namespace
} // namespace uplift::win
