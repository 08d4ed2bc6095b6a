#include "common/date_time.h"

#include <cmath>

namespace uplift {
namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;
constexpr std::int64_t kSecondsPerDay = 86'400;
// Far beyond year 9999 in both directions, yet safe to scale to milliseconds in 64 bits.
constexpr double kDayLimit = 1e9;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, std::int64_t m, std::int64_t d) {
    y -= m <= 2;
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, CivilDateTime& out) {
    z += 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
    out.Year = static_cast<int>(yoe + era * 400 + (m <= 2));
    out.Month = static_cast<int>(m);
    out.Day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
}

const std::int64_t kEpochDays = DaysFromCivil(1899, 12, 30);

std::int64_t SerialDay(std::int64_t year, std::int64_t month, std::int64_t day) {
    // Month overflow moves the year, day overflow moves along the calendar.
    const std::int64_t months = year * 12 + (month - 1);
    const std::int64_t y = FloorDiv(months, 12);
    const std::int64_t m = months - y * 12 + 1;
    return DaysFromCivil(y, m, 1) + (day - 1) - kEpochDays;
}

// A serial from a day number and a time of day: before the epoch the fraction still counts
// forward from that day's midnight, so it is subtracted from the negative day part.
DateTime Compose(std::int64_t day, double fraction) {
    const auto d = static_cast<double>(day);
    return day >= 0 ? d + fraction : d - fraction;
}

// Day number and milliseconds of the day, the latter rounded to the nearest millisecond.
struct Split {
    std::int64_t Day;
    std::int64_t Ms;
};

Split SplitSerial(DateTime value) {
    const double day = std::trunc(value);
    auto ms = static_cast<std::int64_t>(std::llround(std::fabs(value - day) * kMsPerDay));
    auto d = static_cast<std::int64_t>(day);
    if (ms >= kMsPerDay) { // rounded up to the next midnight
        ms -= kMsPerDay;
        ++d;
    }
    return {d, ms};
}

} // namespace

DateTime DateSerial(int year, int month, int day) {
    return static_cast<double>(SerialDay(year, month, day));
}

DateTime TimeSerial(int hour, int minute, int second) {
    return (static_cast<double>(hour) * 3600.0 + minute * 60.0 + second) /
           static_cast<double>(kSecondsPerDay);
}

DateTime FromCivil(const CivilDateTime& value) {
    const std::int64_t ms = static_cast<std::int64_t>(value.Hour) * 3'600'000 + value.Minute * 60'000LL +
                            value.Second * 1000LL + value.Millisecond;
    const std::int64_t carry = FloorDiv(ms, kMsPerDay);
    const std::int64_t day = SerialDay(value.Year, value.Month, value.Day) + carry;
    return Compose(day, static_cast<double>(ms - carry * kMsPerDay) / kMsPerDay);
}

CivilDateTime ToCivil(DateTime value) {
    CivilDateTime out;
    if (!(std::fabs(value) < kDayLimit)) return out; // NaN and absurd values: the epoch
    const Split s = SplitSerial(value);
    CivilFromDays(s.Day + kEpochDays, out);
    out.Hour = static_cast<int>(s.Ms / 3'600'000);
    out.Minute = static_cast<int>(s.Ms / 60'000 % 60);
    out.Second = static_cast<int>(s.Ms / 1000 % 60);
    out.Millisecond = static_cast<int>(s.Ms % 1000);
    return out;
}

DateTime DatePart(DateTime value) {
    if (!(std::fabs(value) < kDayLimit)) return value;
    return static_cast<double>(SplitSerial(value).Day);
}

DateTime TimePart(DateTime value) {
    if (!(std::fabs(value) < kDayLimit)) return value;
    return static_cast<double>(SplitSerial(value).Ms) / kMsPerDay;
}

std::int64_t ToWholeSeconds(DateTime value) {
    if (std::isnan(value)) return 0;
    if (std::fabs(value) >= kDayLimit) value = std::copysign(kDayLimit, value);
    const double day = std::trunc(value);
    const auto seconds = static_cast<std::int64_t>(std::llround(std::fabs(value - day) * kSecondsPerDay));
    return static_cast<std::int64_t>(day) * kSecondsPerDay + seconds;
}

DateTime FromWholeSeconds(std::int64_t seconds) {
    const std::int64_t day = FloorDiv(seconds, kSecondsPerDay);
    return Compose(day, static_cast<double>(seconds - day * kSecondsPerDay) / kSecondsPerDay);
}

int SecondsOfDay(DateTime value, bool withSeconds) {
    const CivilDateTime c = ToCivil(value);
    return c.Hour * 3600 + c.Minute * 60 + (withSeconds ? c.Second : 0);
}

bool IsValidDate(DateTime value) {
    if (!std::isfinite(value)) return false;
    static const double first = DateSerial(100, 1, 1);
    static const double last = DateSerial(10000, 1, 1);
    return value > first - 1 && value < last;
}

} // namespace uplift
