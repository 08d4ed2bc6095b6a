#include "controls/picker_value.h"

namespace uplift {

DateTime ShownMoment(const CivilDateTime& shown, bool timeFormat) {
    if (timeFormat) return TimeSerial(shown.Hour, shown.Minute, shown.Second);
    return FromCivil({shown.Year, shown.Month, shown.Day, shown.Hour, shown.Minute, shown.Second});
}

PickerValue PickerValueOf(const CivilDateTime& shown, bool timeFormat, const RegionalFormats& formats) {
    const DateTime moment = ShownMoment(shown, timeFormat);
    if (timeFormat) return moment;
    return DateAndTimeText(formats, moment);
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
