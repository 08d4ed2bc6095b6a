#include "schedule/durations.h"

#include <gtest/gtest.h>

#include <string>

namespace uplift {
namespace {

struct EntryCase {
    int Index;
    const wchar_t* Text;
    int Value;
};

std::string Narrow(std::wstring_view text) {
    return {text.begin(), text.end()};
}

TEST(Durations, TimeLengthsReadAsListed) {
    ASSERT_EQ(kTimeLengths.size(), 23u);
    constexpr EntryCase cases[]{
        {0, L"1 millisecond", 1},      {7, L"50 millisecond", 50}, {11, L"300 millisecond", 300},
        {14, L"750 millisecond", 750}, {15, L"1 second", 1000},    {16, L"2 seconds", 2000},
        {22, L"30 seconds", 30000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(kTimeLengths[c.Index].Text, c.Text) << "entry " << c.Index;
        EXPECT_EQ(kTimeLengths[c.Index].Value, c.Value) << "entry " << c.Index;
    }
}

TEST(Durations, PausesReadAsListed) {
    ASSERT_EQ(kPauses.size(), 21u);
    constexpr EntryCase cases[]{
        {0, L"1 second", 1},     {1, L"2 seconds", 2},     {9, L"50 seconds", 50},    {10, L"1 minuet", 60},
        {11, L"2 minuets", 120}, {15, L"10 minuets", 600}, {19, L"50 minuets", 3000}, {20, L"1 hour", 3600},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(kPauses[c.Index].Text, c.Text) << "entry " << c.Index;
        EXPECT_EQ(kPauses[c.Index].Value, c.Value) << "entry " << c.Index;
    }
}

TEST(Durations, ValuesGrowDownTheLists) {
    for (std::size_t i = 1; i < kTimeLengths.size(); ++i)
        EXPECT_LT(kTimeLengths[i - 1].Value, kTimeLengths[i].Value) << Narrow(kTimeLengths[i].Text);
    for (std::size_t i = 1; i < kPauses.size(); ++i)
        EXPECT_LT(kPauses[i - 1].Value, kPauses[i].Value) << Narrow(kPauses[i].Text);
}

TEST(Durations, ItemValueOfAnIndexOutsideTheListIsEmpty) {
    EXPECT_EQ(ItemValue(kPauses, 10), 60);
    EXPECT_EQ(ItemValue(kTimeLengths, 7), 50);
    EXPECT_EQ(ItemValue(kPauses, 20), 3600);
    EXPECT_EQ(ItemValue(kPauses, 21), std::nullopt);
    EXPECT_EQ(ItemValue(kPauses, -1), std::nullopt);
    EXPECT_EQ(ItemValue(kTimeLengths, 23), std::nullopt);
}

} // namespace
} // namespace uplift
