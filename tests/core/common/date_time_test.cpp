#include "common/date_time.h"

#include <gtest/gtest.h>

#include <cmath>

namespace uplift {

void PrintTo(const CivilDateTime& c, std::ostream* out) {
    *out << c.Year << '-' << c.Month << '-' << c.Day << ' ' << c.Hour << ':' << c.Minute << ':' << c.Second
         << '.' << c.Millisecond;
}

namespace {

TEST(DateTime, KnownSerialsBothWaysAndTheFractionIsTheTimeOfDayBeforeTheEpochToo) {
    static constexpr std::pair<double, CivilDateTime> kCases[] = {
        {0.0, {1899, 12, 30, 0, 0, 0, 0}},    {61.0, {1900, 3, 1, 0, 0, 0, 0}}, // no 29 Feb 1900
        {36585.0, {2000, 2, 29, 0, 0, 0, 0}}, {46362.75, {2026, 12, 6, 18, 0, 0, 0}},
        {-1.25, {1899, 12, 29, 6, 0, 0, 0}},  {-2.75, {1899, 12, 28, 18, 0, 0, 0}},
        {-657434.0, {100, 1, 1, 0, 0, 0, 0}}, {2958465.0, {9999, 12, 31, 0, 0, 0, 0}}};
    for (const auto& [serial, civil] : kCases)
        EXPECT_EQ(std::pair(ToCivil(serial), FromCivil(civil)), std::pair(civil, serial))
            << "serial " << serial;
    EXPECT_EQ(std::tuple(DatePart(-1.25), TimePart(-1.25), SecondsOfDay(-1.25, true), ToWholeSeconds(-1.25)),
              std::tuple(-1.0, 0.25, 6 * 3600, -64'800))
        << "29 Dec 1899, 6:00";
}

TEST(DateTime, RoundingAndOverflowCarryAcrossTheCalendar) {
    const double ms = 1.0 / 86'400'000;
    EXPECT_EQ(ToCivil(46362.5 + 0.4 * ms), (CivilDateTime{2026, 12, 6, 12, 0, 0, 0}));
    EXPECT_EQ(ToCivil(46362.5 + 0.6 * ms), (CivilDateTime{2026, 12, 6, 12, 0, 0, 1}));
    EXPECT_EQ(ToCivil(46388.0 - 0.2 * ms), (CivilDateTime{2027, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(DateSerial(2026, 13, 1), DateSerial(2027, 1, 1));
    EXPECT_EQ(DateSerial(2024, 3, 0), DateSerial(2024, 2, 29));
    EXPECT_EQ(FromCivil({2026, 12, 31, 24, 0, 0, 0}), DateSerial(2027, 1, 1));
    EXPECT_EQ(ToCivil(FromCivil({2026, 12, 6, 0, 0, 0, -1000})), (CivilDateTime{2026, 12, 5, 23, 59, 59, 0}));
    EXPECT_EQ(ToWholeSeconds(0.51 / 86400), 1);
    EXPECT_EQ(ToWholeSeconds(std::nan("")), 0);
    for (std::int64_t s : {0LL, -1LL, -86'399LL, -86'401LL, 4'005'705'909LL, -56'802'009'600LL})
        EXPECT_EQ(ToWholeSeconds(FromWholeSeconds(s)), s) << s;
}

// Midnight of the first day, the last second and the days beyond both are pinned by the stored dates' table.
TEST(DateTime, ValidDatesAreYears100To9999) {
    EXPECT_TRUE(IsValidDate(DateSerial(100, 1, 1) - 0.5)) << "1 Jan 100, noon";
    EXPECT_FALSE(IsValidDate(std::nan("")) || IsValidDate(HUGE_VAL));
    EXPECT_EQ(ToCivil(HUGE_VAL), CivilDateTime{});
}

} // namespace
} // namespace uplift
