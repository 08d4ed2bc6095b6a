#include "common/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

namespace uplift {

std::ostream& operator<<(std::ostream& out, const CivilDateTime& c) {
    return out << c.Year << '-' << c.Month << '-' << c.Day << ' ' << c.Hour << ':' << c.Minute << ':'
               << c.Second << '.' << c.Millisecond;
}

namespace {

TEST(DateTime, KnownSerialsBothWays) {
    struct Case {
        double Serial;
        CivilDateTime Civil;
    };
    static constexpr Case kCases[] = {
        {0.0, {1899, 12, 30, 0, 0, 0, 0}},
        {1.0, {1899, 12, 31, 0, 0, 0, 0}},
        {2.5, {1900, 1, 1, 12, 0, 0, 0}},
        {60.0, {1900, 2, 28, 0, 0, 0, 0}}, // no phantom 29 Feb 1900
        {61.0, {1900, 3, 1, 0, 0, 0, 0}},
        {25569.0, {1970, 1, 1, 0, 0, 0, 0}},
        {36585.0, {2000, 2, 29, 0, 0, 0, 0}},
        {46362.75, {2026, 12, 6, 18, 0, 0, 0}},
        {-1.0, {1899, 12, 29, 0, 0, 0, 0}},
        {-1.25, {1899, 12, 29, 6, 0, 0, 0}}, // the fraction is the time of day, not subtracted
        {-2.75, {1899, 12, 28, 18, 0, 0, 0}},
        {-657434.0, {100, 1, 1, 0, 0, 0, 0}},
        {2958465.0, {9999, 12, 31, 0, 0, 0, 0}},
    };
    for (const Case& c : kCases) {
        EXPECT_EQ(ToCivil(c.Serial), c.Civil) << "serial " << c.Serial;
        EXPECT_DOUBLE_EQ(FromCivil(c.Civil), c.Serial) << c.Civil;
    }
}

TEST(DateTime, ToCivilRoundsToTheNearestMillisecond) {
    const double oneMs = 1.0 / 86'400'000;
    EXPECT_EQ(ToCivil(46362.5 + 0.4 * oneMs), (CivilDateTime{2026, 12, 6, 12, 0, 0, 0}));
    EXPECT_EQ(ToCivil(46362.5 + 0.6 * oneMs), (CivilDateTime{2026, 12, 6, 12, 0, 0, 1}));
    // Just before midnight rounds into the next day, month and year.
    EXPECT_EQ(ToCivil(46388.0 - 0.2 * oneMs), (CivilDateTime{2027, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(ToCivil(-0.9999999999), (CivilDateTime{1899, 12, 31, 0, 0, 0, 0}));
}

TEST(DateTime, DateSerialCarriesMonthAndDayOverflow) {
    EXPECT_EQ(DateSerial(2026, 13, 1), DateSerial(2027, 1, 1));
    EXPECT_EQ(DateSerial(2026, 0, 1), DateSerial(2025, 12, 1));
    EXPECT_EQ(DateSerial(2026, -11, 1), DateSerial(2025, 1, 1));
    EXPECT_EQ(DateSerial(2026, 3, 0), DateSerial(2026, 2, 28));
    EXPECT_EQ(DateSerial(2024, 3, 0), DateSerial(2024, 2, 29));
    EXPECT_EQ(DateSerial(2026, 2, 31), DateSerial(2026, 3, 3));
    EXPECT_EQ(DateSerial(2026, 1, 366), DateSerial(2027, 1, 1));
}

TEST(DateTime, FromCivilCarriesTimeOverflow) {
    EXPECT_EQ(FromCivil({2026, 12, 31, 24, 0, 0, 0}), DateSerial(2027, 1, 1));
    EXPECT_EQ(ToCivil(FromCivil({2026, 12, 6, 0, 0, 0, -1000})), (CivilDateTime{2026, 12, 5, 23, 59, 59, 0}));
    EXPECT_DOUBLE_EQ(TimeSerial(30, 0, 0), 1.25);
    EXPECT_DOUBLE_EQ(TimeSerial(0, 0, -1), -1.0 / 86400);
}

TEST(DateTime, DateAndTimePartsFollowTheCalendar) {
    EXPECT_EQ(DatePart(46362.75), 46362.0);
    EXPECT_DOUBLE_EQ(TimePart(46362.75), 0.75);
    EXPECT_EQ(DatePart(-1.25), -1.0);
    EXPECT_DOUBLE_EQ(TimePart(-1.25), 0.25);
    EXPECT_TRUE(std::isnan(DatePart(std::nan(""))));
}

TEST(DateTime, WholeSecondsRoundAndComeBack) {
    EXPECT_EQ(ToWholeSeconds(1.0), 86'400);
    EXPECT_EQ(ToWholeSeconds(TimeSerial(0, 0, 1) * 0.49), 0);
    EXPECT_EQ(ToWholeSeconds(TimeSerial(0, 0, 1) * 0.51), 1);
    EXPECT_EQ(ToWholeSeconds(-1.25), -64'800); // 29 Dec 06:00 lies 18 hours before the epoch
    EXPECT_EQ(ToWholeSeconds(std::nan("")), 0);
    for (std::int64_t s :
         {std::int64_t{0}, std::int64_t{1}, std::int64_t{-1}, std::int64_t{-86'399}, std::int64_t{-86'401},
          std::int64_t{4'005'705'909}, std::int64_t{-56'802'009'600}}) {
        EXPECT_EQ(ToWholeSeconds(FromWholeSeconds(s)), s) << s;
    }
}

TEST(DateTime, CivilRoundTripAcrossCenturies) {
    for (int year = 100; year <= 9999; year += 97)
        for (int month = 1; month <= 12; ++month) {
            const CivilDateTime c{year, month, month == 2 ? 28 : 30, month, 59, 58, 0};
            EXPECT_EQ(ToCivil(FromCivil(c)), c) << c;
        }
}

TEST(DateTime, SecondsOfDay) {
    const double value = FromCivil({2026, 12, 6, 13, 5, 9, 0});
    EXPECT_EQ(SecondsOfDay(value, true), 13 * 3600 + 5 * 60 + 9);
    EXPECT_EQ(SecondsOfDay(value, false), 13 * 3600 + 5 * 60);
    EXPECT_EQ(SecondsOfDay(-1.25, true), 6 * 3600);
}

TEST(DateTime, ValidDatesAreYears100To9999) {
    EXPECT_TRUE(IsValidDate(DateSerial(100, 1, 1)));
    EXPECT_TRUE(IsValidDate(DateSerial(100, 1, 1) - 0.5)); // 1 Jan 100, noon
    EXPECT_FALSE(IsValidDate(DateSerial(99, 12, 31)));
    EXPECT_TRUE(IsValidDate(DateSerial(9999, 12, 31) + 0.99));
    EXPECT_FALSE(IsValidDate(DateSerial(10000, 1, 1)));
    EXPECT_FALSE(IsValidDate(std::nan("")));
    EXPECT_FALSE(IsValidDate(std::numeric_limits<double>::infinity()));
    EXPECT_EQ(ToCivil(std::numeric_limits<double>::infinity()), CivilDateTime{});
}

} // namespace
} // namespace uplift
