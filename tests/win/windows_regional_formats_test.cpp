#include "settings/windows_regional_formats.h"

#include "common/date_time.h"

#include <gtest/gtest.h>

namespace uplift::win {
namespace {

constexpr LCID kEnUs = 0x0409;
constexpr LCID kDeDe = 0x0407;

// Where the platform and the fixed en-US conversions must agree: the tests of the settings
// run against the latter, the program against the former.
TEST(WindowsRegionalFormats, AgreesWithTheFixedUsFormats) {
    const WindowsRegionalFormats platform(kEnUs);
    const EnUsRegionalFormats fixed;
    const DateTime samples[] = {
        FromCivil({2026, 12, 6, 12, 0, 0}), FromCivil({2026, 12, 6, 0, 0, 0}), FromCivil({2026, 1, 9, 13, 5, 9}),
        FromCivil({2024, 2, 29, 23, 59, 59}), TimeSerial(7, 30, 15), TimeSerial(0, 0, 0) + 0.0,
        FromCivil({1999, 12, 31, 0, 0, 1}),
    };
    for (const DateTime value : samples) {
        SCOPED_TRACE(value);
        EXPECT_EQ(platform.DateTimeToText(value), fixed.DateTimeToText(value));
        EXPECT_EQ(platform.LongTimeText(value), fixed.LongTimeText(value));
        if (value >= 1) EXPECT_EQ(platform.ShortDateText(value), fixed.ShortDateText(value));
        EXPECT_EQ(DateAndTimeText(platform, value), DateAndTimeText(fixed, value));
        const auto back = platform.TextToDateTime(DateAndTimeText(platform, value));
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(ToWholeSeconds(*back), ToWholeSeconds(value));
    }
    EXPECT_EQ(platform.DecimalSeparator(), L'.');
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

TEST(WindowsRegionalFormats, RejectsWhatIsNoDate) {
    const WindowsRegionalFormats platform(kEnUs);
    for (const wchar_t* text : {L"", L"abc", L"13/45/2026", L"12/6/2026 25:00:00"}) {
        EXPECT_EQ(platform.TextToDateTime(text), std::nullopt) << text;
    }
    EXPECT_EQ(platform.TextToDateTime(std::wstring(100000, L'1')), std::nullopt);
    EXPECT_EQ(platform.TextToDateTime(std::wstring(L"12/6/2026\0junk", 14)), std::nullopt);
}

} // namespace
} // namespace uplift::win
