#pragma once
// The value of a date-time picker as the options dialog and the settings see it: nothing, a time of
// day (a date-time on day zero) for a time picker, or the text "short date, one blank, long time" in
// the user's regional formats for a date picker.

#include "common/date_time.h"
#include "common/regional_formats.h"

#include <optional>
#include <string>
#include <variant>

namespace uplift {

using PickerValue = std::variant<std::monostate, DateTime, std::wstring>;

// The moment a picker showing `shown` stands for: with the time format, the time of day alone.
// The day of week and the milliseconds are never read.
DateTime ShownMoment(const CivilDateTime& shown, bool timeFormat);
// What a picker showing `shown` yields as its value.
PickerValue PickerValueOf(const CivilDateTime& shown, bool timeFormat, const RegionalFormats& formats);

// The moment a value stands for: the date-time itself, or a text the regional formats accept as one.
std::optional<DateTime> PickerMoment(const PickerValue& value, const RegionalFormats& formats);

// The value as text: a date-time in the regional general form, a text as it is, nothing as "".
std::wstring PickerText(const PickerValue& value, const RegionalFormats& formats);

} // namespace uplift
