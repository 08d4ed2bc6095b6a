#include "schedule/durations.h"

#include <gtest/gtest.h>

namespace uplift {
namespace {

// The lists' texts as the user sees them (the pause list has always said "minuet").
TEST(Durations, ListsReadAsShownAndItemValueRefusesOtherIndexes) {
    ASSERT_EQ(kTimeLengths.size(), 23u);
    ASSERT_EQ(kPauses.size(), 21u);
    constexpr std::tuple<int, const wchar_t*, int> kTimes[]{{0, L"1 millisecond", 1},
                                                            {7, L"50 millisecond", 50},
                                                            {15, L"1 second", 1000},
                                                            {22, L"30 seconds", 30000}};
    for (const auto& [index, text, value] : kTimes)
        EXPECT_TRUE(kTimeLengths[index].Text == text && ItemValue(kTimeLengths, index) == value) << index;
    constexpr std::tuple<int, const wchar_t*, int> kPauseEntries[]{
        {0, L"1 second", 1}, {10, L"1 minuet", 60}, {15, L"10 minuets", 600}, {20, L"1 hour", 3600}};
    for (const auto& [index, text, value] : kPauseEntries)
        EXPECT_TRUE(kPauses[index].Text == text && ItemValue(kPauses, index) == value) << index;
    for (std::size_t i = 1; i < kPauses.size(); ++i)
        EXPECT_LT(kPauses[i - 1].Value, kPauses[i].Value) << i;
    EXPECT_EQ(ItemValue(kPauses, 21), std::nullopt);
    EXPECT_EQ(ItemValue(kPauses, -1), std::nullopt);
    EXPECT_EQ(ItemValue(kTimeLengths, 23), std::nullopt);
}

} // namespace
} // namespace uplift
