#pragma once
// Date-time values in the settings store. The regional text is kept wherever it reads back as the
// same moment; where it would not (a calendar other than the Gregorian, a year written with two
// digits) the value is stored in a fixed form that every region reads alike.

#include "common/regional_formats.h"

#include <optional>
#include <string>
#include <string_view>

namespace uplift::text_forms {

enum class DateTextForm {
    General,     // the date alone at midnight, the time alone on day zero, both otherwise
    DateAndTime, // always the date, one blank, the time (a date picker's text)
};

// The regional text of `value` in whole seconds when ParseDate reads it back as that moment,
// otherwise "yyyy-mm-dd hh:mm:ss" (or its date or time alone, as `form` says). "" for no date.
std::wstring FormatDate(DateTime value, const RegionalFormats& formats,
                        DateTextForm form = DateTextForm::General);
// Reads the fixed form and whatever the regional formats accept.
std::optional<DateTime> ParseDate(std::wstring_view text, const RegionalFormats& formats);

} // namespace uplift::text_forms
