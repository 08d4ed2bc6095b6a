#pragma once
// Date-time values as the settings and the scheduler use them: days since
// 30 December 1899, the time of day as the fraction.

#include <cstdint>
#include <optional>

namespace uplift {

using DateTime = double;

struct CivilDateTime {
    int Year = 1899;
    int Month = 12;
    int Day = 30;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
    friend bool operator==(const CivilDateTime&, const CivilDateTime&) = default;
};

// Serial day of a calendar date; month and day may run over (month 13 is January of the next year).
DateTime DateSerial(int year, int month, int day);
// Fraction of a day; may exceed one day or be negative like the inputs.
DateTime TimeSerial(int hour, int minute, int second);
DateTime FromCivil(const CivilDateTime& value);
// Rounded to the nearest millisecond. Values before 1899-12-30 follow the serial-date rule that the
// fraction is the time of day however negative the day part is.
CivilDateTime ToCivil(DateTime value);

DateTime DatePart(DateTime value);
DateTime TimePart(DateTime value);

// Whole seconds since the epoch of the serial dates, rounded; the base of every second count.
std::int64_t ToWholeSeconds(DateTime value);
DateTime FromWholeSeconds(std::int64_t seconds);

// Hour * 3600 + minute * 60 (+ second when asked) of a date-time's time of day.
int SecondsOfDay(DateTime value, bool withSeconds);

// Years 100..9999 are representable; anything else (NaN included) is not a date.
bool IsValidDate(DateTime value);

} // namespace uplift
