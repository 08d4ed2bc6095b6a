#include "settings/stored_date.h"
#include "settings/windows_regional_formats.h"

#include <gtest/gtest.h>

namespace uplift::win {
namespace {

TEST(WindowsRegionalFormats, WritesAndReadsUsTextsAndRefusesWhatIsNoDate) {
    const WindowsRegionalFormats us(0x0409);
    const std::tuple<DateTime, const wchar_t*, const wchar_t*> cases[]{
        {FromCivil({2026, 12, 6, 12, 0, 0}), L"12/6/2026 12:00:00 PM", L"12/6/2026 12:00:00 PM"},
        {FromCivil({2026, 12, 6, 0, 0, 0}), L"12/6/2026", L"12/6/2026 12:00:00 AM"},
        {FromCivil({2024, 2, 29, 23, 59, 59}), L"2/29/2024 11:59:59 PM", L"2/29/2024 11:59:59 PM"},
        {TimeSerial(7, 30, 15), L"7:30:15 AM", L"12/30/1899 7:30:15 AM"},
        {0.0, L"12:00:00 AM", L"12/30/1899 12:00:00 AM"}};
    for (const auto& [value, general, dateAndTime] : cases) {
        EXPECT_EQ(us.DateTimeToText(value), general);
        EXPECT_EQ(DateAndTimeText(us, value), dateAndTime);
        for (const wchar_t* text : {general, dateAndTime})
            EXPECT_EQ(ToWholeSeconds(us.TextToDateTime(text).value_or(-1)), ToWholeSeconds(value)) << text;
    }
    EXPECT_EQ(us.DecimalSeparator(), L'.');
    for (const std::wstring text : {std::wstring(), std::wstring(L"abc"), std::wstring(L"13/45/2026"),
                                    std::wstring(L"12/6/2026 25:00:00"), std::wstring(100'000, L'1'),
                                    std::wstring(L"12/6/2026\0junk", 14)})
        EXPECT_EQ(us.TextToDateTime(text), std::nullopt) << text.substr(0, 20);
}

TEST(WindowsRegionalFormats, FollowsAnotherRegionOrTheUsersOwnFormats) {
    const WindowsRegionalFormats german(0x0407);
    const DateTime noon = FromCivil({2026, 12, 6, 12, 0, 0});
    // Windows writes the day with two digits, Wine with one; both are day.month.year, 24 hours.
    const std::wstring text = german.DateTimeToText(noon);
    EXPECT_NE(text.find(L"6.12.2026 12:00:00"), std::wstring::npos) << text;
    EXPECT_EQ(german.TextToDateTime(text), noon);
    EXPECT_EQ(german.DecimalSeparator(), L',');
    // Two-digit years outside the parser's century are stored in the fixed form.
    const WindowsRegionalFormats user;
    wchar_t saved[80] = {};
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, saved, 80);
    ASSERT_TRUE(::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, L"M/d/yy"));
    const std::wstring stored = text_forms::FormatDate(DateSerial(2026, 12, 6), user) + L"|" +
                                text_forms::FormatDate(FromCivil({2050, 1, 2, 3, 4, 5}), user);
    ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, saved);
    EXPECT_EQ(stored, L"12/6/26|2050-01-02 03:04:05");
}

} // namespace
} // namespace uplift::win
