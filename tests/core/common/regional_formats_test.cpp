#include "common/regional_formats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

namespace uplift {
namespace {

const EnUsRegionalFormats kEnUs;

DateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return FromCivil({y, mo, d, h, mi, s, 0});
}
std::string Show(std::wstring_view text) {
    return testing::PrintToString(std::wstring(text.substr(0, 40)));
}

TEST(EnUsRegionalFormats, WritesLikeWindows) {
    struct Case {
        DateTime Value;
        const wchar_t* General;
        const wchar_t* DateAndTime;
    };
    const Case cases[] = {
        {At(2026, 12, 6, 13, 5, 9), L"12/6/2026 1:05:09 PM", L"12/6/2026 1:05:09 PM"},
        {At(2026, 12, 6), L"12/6/2026", L"12/6/2026 12:00:00 AM"},
        {At(2026, 1, 2, 12), L"1/2/2026 12:00:00 PM", L"1/2/2026 12:00:00 PM"},
        {TimeSerial(0, 0, 1), L"12:00:01 AM", L"12/30/1899 12:00:01 AM"},
        {0.0, L"12:00:00 AM", L"12/30/1899 12:00:00 AM"},
        {At(100, 1, 1, 6), L"1/1/0100 6:00:00 AM", L"1/1/0100 6:00:00 AM"},
        {-1.25, L"12/29/1899 6:00:00 AM", L"12/29/1899 6:00:00 AM"},
        // Texts carry whole seconds: 23:59:59.6 is the next midnight.
        {At(2026, 12, 31, 23, 59, 59) + 0.6 / 86400, L"1/1/2027", L"1/1/2027 12:00:00 AM"},
        {std::nan(""), L"", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kEnUs.DateTimeToText(c.Value), c.General) << Show(c.DateAndTime);
        EXPECT_EQ(DateAndTimeText(kEnUs, c.Value), c.DateAndTime) << Show(c.DateAndTime);
    }
}

TEST(EnUsRegionalFormats, ReadsTheOtherAcceptedForms) {
    // clang-format off
    const std::pair<const wchar_t*, DateTime> cases[] = {
        {L"1:05 pm", TimeSerial(13, 5, 0)}, {L"1:05:09", TimeSerial(1, 5, 9)}, {L"13:05", TimeSerial(13, 5, 0)},
        {L"12:30:00 am", TimeSerial(0, 30, 0)}, {L"1:05PM", TimeSerial(13, 5, 0)},
        {L"  12/06/2026   07:30:15 Am  ", At(2026, 12, 6, 7, 30, 15)}, {L"2/29/2000 23:59:59", At(2000, 2, 29, 23, 59, 59)},
    };
    // clang-format on
    for (const auto& [text, value] : cases)
        EXPECT_EQ(kEnUs.TextToDateTime(text), value) << Show(text);
}

TEST(EnUsRegionalFormats, RejectsWhatItNeverWrites) {
    // clang-format off
    const std::wstring cases[] = {
        L"", L"   ", L"garbage", L"13/1/2026", L"0/1/2026", L"2/30/2026", L"2/29/1900", L"4/31/2026", L"12/6/99",
        L"12/6/10000", L"25:00", L"24:00", L"12:60", L"12:00:60", L"13:00 PM", L"0:30 AM", L"12/6/2026 1:05 PM x",
        L"12/6/2026x", L"1:05 PMX", L"12//2026", L"12/6/", L"1:", L":30", L"-1:00", L"1:05 PM 12/6/2026",
        L"12.6.2026", std::wstring(100'000, L'1'), L"12/6/2026 " + std::wstring(100'000, L' ') + L"x",
    };
    // clang-format on
    for (const std::wstring& text : cases)
        EXPECT_FALSE(kEnUs.TextToDateTime(text)) << Show(text);
}

TEST(EnUsRegionalFormats, EveryTextWrittenReadsBackToTheSameSecond) {
    // Every hour (midnight, noon, 12 AM/PM included) on leap days, the first and last years and
    // a day before the epoch.
    for (DateTime day : {At(2024, 2, 29), At(2000, 2, 29), At(1900, 2, 28), At(100, 1, 1), At(9999, 12, 31),
                         At(1899, 12, 28)})
        for (int hour = 0; hour < 24; ++hour)
            for (auto [minute, second] : {std::pair{0, 0}, {1, 59}, {59, 30}}) {
                const DateTime time = TimeSerial(hour, minute, second);
                const DateTime value = day < 0 ? day - time : day + time;
                const std::pair<std::wstring, DateTime> texts[] = {{kEnUs.DateTimeToText(value), value},
                                                                   {DateAndTimeText(kEnUs, value), value},
                                                                   {kEnUs.ShortDateText(value), day},
                                                                   {kEnUs.LongTimeText(value), time}};
                for (const auto& [text, expected] : texts) {
                    const auto back = kEnUs.TextToDateTime(text);
                    ASSERT_TRUE(back) << Show(text);
                    EXPECT_EQ(ToWholeSeconds(*back), ToWholeSeconds(expected)) << Show(text);
                }
            }
}

} // namespace
} // namespace uplift
