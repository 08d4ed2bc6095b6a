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

TEST(EnUsRegionalFormats, WritesLikeWindows) {
    struct Case {
        DateTime Value;
        const wchar_t* General;
        const wchar_t* DateAndTime;
    };
    const Case cases[] = {
        {At(2026, 12, 6, 13, 5, 9), L"12/6/2026 1:05:09 PM", L"12/6/2026 1:05:09 PM"},
        {At(2026, 12, 6), L"12/6/2026", L"12/6/2026 12:00:00 AM"},
        {At(2026, 1, 2, 12, 0, 0), L"1/2/2026 12:00:00 PM", L"1/2/2026 12:00:00 PM"},
        {At(2026, 1, 2, 0, 0, 1), L"1/2/2026 12:00:01 AM", L"1/2/2026 12:00:01 AM"},
        {TimeSerial(13, 5, 9), L"1:05:09 PM", L"12/30/1899 1:05:09 PM"},
        {0.0, L"12:00:00 AM", L"12/30/1899 12:00:00 AM"},
        {At(2024, 2, 29, 23, 59, 59), L"2/29/2024 11:59:59 PM", L"2/29/2024 11:59:59 PM"},
        {At(100, 1, 1, 6), L"1/1/0100 6:00:00 AM", L"1/1/0100 6:00:00 AM"},
        {At(1899, 12, 29, 6), L"12/29/1899 6:00:00 AM", L"12/29/1899 6:00:00 AM"},
        // Half a second past 23:59:59 is the next midnight in a text of whole seconds.
        {At(2026, 12, 31, 23, 59, 59) + 0.6 / 86400, L"1/1/2027", L"1/1/2027 12:00:00 AM"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kEnUs.DateTimeToText(c.Value), c.General) << c.General;
        EXPECT_EQ(DateAndTimeText(kEnUs, c.Value), c.DateAndTime) << c.DateAndTime;
    }
    EXPECT_EQ(kEnUs.DateTimeToText(std::nan("")), L"");
    EXPECT_EQ(DateAndTimeText(kEnUs, DateSerial(10000, 1, 1)), L"");
}

TEST(EnUsRegionalFormats, ReadsEveryAcceptedForm) {
    struct Case {
        const wchar_t* Text;
        DateTime Value;
    };
    const Case cases[] = {
        {L"12/6/2026 1:05:09 PM", At(2026, 12, 6, 13, 5, 9)},
        {L"12/6/2026", At(2026, 12, 6)},
        {L"1:05:09 PM", TimeSerial(13, 5, 9)},
        {L"1:05 pm", TimeSerial(13, 5, 0)},
        {L"1:05:09", TimeSerial(1, 5, 9)},
        {L"13:05", TimeSerial(13, 5, 0)},
        {L"0:00", 0.0},
        {L"12:00:00 AM", 0.0},
        {L"12:30:00 am", TimeSerial(0, 30, 0)},
        {L"12:30:00 Pm", TimeSerial(12, 30, 0)},
        {L"1:05PM", TimeSerial(13, 5, 0)},
        {L"  12/06/2026   07:30:15 AM  ", At(2026, 12, 6, 7, 30, 15)},
        {L"2/29/2024 23:59:59", At(2024, 2, 29, 23, 59, 59)},
        {L"1/1/100", At(100, 1, 1)},
        {L"12/31/9999 11:59:59 PM", At(9999, 12, 31, 23, 59, 59)},
        {L"12/29/1899 6:00:00 AM", -1.25},
    };
    for (const Case& c : cases) {
        const auto value = kEnUs.TextToDateTime(c.Text);
        ASSERT_TRUE(value) << "\"" << testing::PrintToString(std::wstring(c.Text)) << "\"";
        EXPECT_EQ(ToWholeSeconds(*value), ToWholeSeconds(c.Value))
            << testing::PrintToString(std::wstring(c.Text));
    }
}

TEST(EnUsRegionalFormats, RejectsWhatItNeverWrites) {
    const wchar_t* const cases[] = {
        L"",
        L"   ",
        L"garbage",
        L"13/1/2026",
        L"0/1/2026",
        L"2/30/2026",
        L"2/29/2025",
        L"4/31/2026",
        L"12/6/99",
        L"12/6/10000",
        L"12/6/0099",
        L"25:00",
        L"24:00",
        L"12:60",
        L"12:00:60",
        L"13:00 PM",
        L"0:30 AM",
        L"12/6/2026 1:05:09 PM x",
        L"12/6/2026x",
        L"12/6/2026 13:05 PM",
        L"1:05 PMX",
        L"12//2026",
        L"12/6/",
        L"/6/2026",
        L"1:",
        L":30",
        L"1:5:",
        L"-1:00",
        L"12/6/2026 1:05:09 PM 1:05",
        L"100/1/2026",
        L"1/001/2026",
        L"12345:00",
        L"1:05:09 PM 12/6/2026",
        L"12.6.2026",
    };
    for (const wchar_t* text : cases)
        EXPECT_FALSE(kEnUs.TextToDateTime(text)) << testing::PrintToString(std::wstring(text));
}

TEST(EnUsRegionalFormats, EveryTextWrittenReadsBackToTheSameValue) {
    // Every hour of the clock (midnight, noon, 12 AM/PM included), minutes and seconds at their edges,
    // across leap days, the first and last years and the days before the epoch.
    const DateTime days[] = {At(2024, 2, 29), At(2026, 1, 1), At(2026, 12, 31), At(2000, 2, 29),
                             At(1900, 2, 28), At(100, 1, 1),  At(9999, 12, 31), At(1899, 12, 28)};
    int checked = 0;
    for (DateTime day : days)
        for (int hour = 0; hour < 24; ++hour)
            for (auto [minute, second] : {std::pair{0, 0}, {1, 59}, {30, 30}, {59, 0}}) {
                const DateTime time = TimeSerial(hour, minute, second);
                const DateTime value = day < 0 ? day - time : day + time;
                for (const std::wstring& text : {kEnUs.DateTimeToText(value), DateAndTimeText(kEnUs, value),
                                                 kEnUs.ShortDateText(value)}) {
                    const auto back = kEnUs.TextToDateTime(text);
                    ASSERT_TRUE(back) << testing::PrintToString(text);
                    const DateTime expected = text == kEnUs.ShortDateText(value) ? day : value;
                    EXPECT_EQ(ToWholeSeconds(*back), ToWholeSeconds(expected))
                        << testing::PrintToString(text);
                    ++checked;
                }
                const auto timeOnly = kEnUs.TextToDateTime(kEnUs.LongTimeText(value));
                ASSERT_TRUE(timeOnly);
                EXPECT_EQ(ToWholeSeconds(*timeOnly), ToWholeSeconds(time));
            }
    EXPECT_EQ(checked, 8 * 24 * 4 * 3);
}

TEST(EnUsRegionalFormats, VeryLongTextIsRejected) {
    EXPECT_FALSE(kEnUs.TextToDateTime(std::wstring(100'000, L'1')));
    EXPECT_FALSE(kEnUs.TextToDateTime(L"12/6/2026 " + std::wstring(100'000, L' ') + L"x"));
    EXPECT_FALSE(kEnUs.TextToDateTime(std::wstring(100'000, L'0') + L"1/1/2026"));
}

} // namespace
} // namespace uplift
