#include "settings/windows_regional_formats.h"

#include "common/date_time.h"

#include <gtest/gtest.h>

namespace uplift::win {
namespace {

constexpr LCID kEnUs = 0x0409, kDeDe = 0x0407;

// The tests of the settings run against the fixed en-US conversions, the program against the platform's.
TEST(WindowsRegionalFormats, AgreesWithTheFixedUsFormats) {
    const WindowsRegionalFormats platform(kEnUs);
    const EnUsRegionalFormats fixed;
    for (const DateTime value : {FromCivil({2026, 12, 6, 12, 0, 0}), FromCivil({2026, 12, 6, 0, 0, 0}),
                                 FromCivil({2026, 1, 9, 13, 5, 9}), FromCivil({2024, 2, 29, 23, 59, 59}),
                                 TimeSerial(7, 30, 15), 0.0}) {
        SCOPED_TRACE(value);
        EXPECT_EQ(platform.DateTimeToText(value), fixed.DateTimeToText(value));
        EXPECT_EQ(platform.LongTimeText(value), fixed.LongTimeText(value));
        if (value >= 1) EXPECT_EQ(platform.ShortDateText(value), fixed.ShortDateText(value));
        const std::wstring text = DateAndTimeText(platform, value);
        EXPECT_EQ(text, DateAndTimeText(fixed, value));
        ASSERT_TRUE(platform.TextToDateTime(text).has_value());
        EXPECT_EQ(ToWholeSeconds(*platform.TextToDateTime(text)), ToWholeSeconds(value));
    }
    EXPECT_EQ(platform.DecimalSeparator(), L'.');
    for (const std::wstring text : {std::wstring(), std::wstring(L"abc"), std::wstring(L"13/45/2026"),
                                    std::wstring(L"12/6/2026 25:00:00"), std::wstring(100000, L'1'),
                                    std::wstring(L"12/6/2026\0junk", 14)})
        EXPECT_EQ(platform.TextToDateTime(text), std::nullopt) << text.substr(0, 20);
}

TEST(WindowsRegionalFormats, FollowsAnotherRegion) {
    const WindowsRegionalFormats german(kDeDe);
    const DateTime noon = FromCivil({2026, 12, 6, 12, 0, 0});
    // Windows writes the day with two digits, Wine with one; both are day.month.year, 24 hours.
    const std::wstring text = german.DateTimeToText(noon);
    EXPECT_NE(text.find(L"6.12.2026 12:00:00"), std::wstring::npos) << text;
    EXPECT_EQ(german.TextToDateTime(text), noon);
    EXPECT_EQ(german.DecimalSeparator(), L',');
}

} // namespace
} // namespace uplift::win
