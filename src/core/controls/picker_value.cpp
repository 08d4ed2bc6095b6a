#include "controls/picker_value.h"

namespace uplift {

PickerValue PickerValueOf(const CivilDateTime& shown, bool timeFormat, const RegionalFormats& formats) {
    if (timeFormat) return TimeSerial(shown.Hour, shown.Minute, shown.Second);
    return DateAndTimeText(
        formats, FromCivil({shown.Year, shown.Month, shown.Day, shown.Hour, shown.Minute, shown.Second}));
}

std::optional<DateTime> PickerMoment(const PickerValue& value, const RegionalFormats& formats) {
    if (const auto* moment = std::get_if<DateTime>(&value))
        return IsValidDate(*moment) ? std::optional(*moment) : std::nullopt;
    if (const auto* text = std::get_if<std::wstring>(&value)) return formats.TextToDateTime(*text);
    return std::nullopt;
}

std::wstring PickerText(const PickerValue& value, const RegionalFormats& formats) {
    if (const auto* moment = std::get_if<DateTime>(&value)) return formats.DateTimeToText(*moment);
    if (const auto* text = std::get_if<std::wstring>(&value)) return *text;
    return {};
}

} // namespace uplift
