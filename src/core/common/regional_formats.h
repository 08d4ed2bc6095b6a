#pragma once
// The user's regional conversions between date-times, numbers and text: the platform's in the
// program, fixed ones in tests.

#include "common/date_time.h"

#include <optional>
#include <string>
#include <string_view>

namespace uplift {

class RegionalFormats {
public:
    virtual ~RegionalFormats() = default;
    // The general form: date only when the time is midnight, time only when the date is 30 Dec 1899.
    virtual std::wstring DateTimeToText(DateTime value) const = 0;
    virtual std::wstring ShortDateText(DateTime value) const = 0;
    virtual std::wstring LongTimeText(DateTime value) const = 0;
    // Hours and minutes only.
    virtual std::wstring ShortTimeText(DateTime value) const = 0;
    // Accepts what the three writers produce; a time alone gives day zero, a date alone midnight.
    virtual std::optional<DateTime> TextToDateTime(std::wstring_view text) const = 0;
    virtual wchar_t DecimalSeparator() const = 0;
};

// The picker text of a single date and time: short date, one blank, long time.
std::wstring DateAndTimeText(const RegionalFormats& formats, DateTime value);

} // namespace uplift
