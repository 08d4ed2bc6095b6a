#include "settings/stored_date.h"

#include "common/blanks.h"

#include <cstdio>

namespace uplift::text_forms {
namespace {

// Exactly `count` ASCII digits at `pos`.
std::optional<int> Digits(std::wstring_view text, std::size_t pos, std::size_t count) {
    if (text.size() < pos + count) return std::nullopt;
    int value = 0;
    for (wchar_t c : text.substr(pos, count)) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    return value;
}

// "yyyy-mm-dd", "hh:mm:ss" or both with one blank between; a calendar date and a time of day only.
std::optional<DateTime> ParseFixed(std::wstring_view text) {
    CivilDateTime c; // day zero, midnight
    if (text.size() >= 10 && text[4] == L'-' && text[7] == L'-') {
        const auto year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
        if (!year || !month || !day) return std::nullopt;
        c = {*year, *month, *day};
        text.remove_prefix(10);
        if (!text.empty() && text.front() == L' ')
            text.remove_prefix(1);
        else if (!text.empty())
            return std::nullopt;
        else
            text = L"00:00:00";
    }
    if (text.size() != 8 || text[2] != L':' || text[5] != L':') return std::nullopt;
    const auto hour = Digits(text, 0, 2), minute = Digits(text, 3, 2), second = Digits(text, 6, 2);
    if (!hour || !minute || !second) return std::nullopt;
    c.Hour = *hour;
    c.Minute = *minute;
    c.Second = *second;
    // Out-of-range fields run over into the next day or month: only a value that comes back whole is one.
    const DateTime value = FromCivil(c);
    if (!IsValidDate(value) || !(ToCivil(value) == c)) return std::nullopt;
    return value;
}

std::wstring FixedText(DateTime value, DateTextForm form) {
    const CivilDateTime c = ToCivil(value);
    const bool general = form == DateTextForm::General;
    const bool date = !general || DatePart(value) != 0;
    const bool time = !general || DatePart(value) == 0 || TimePart(value) != 0;
    char buffer[32] = {};
    int length = 0;
    if (date)
        length =
            std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d%s", c.Year, c.Month, c.Day, time ? " " : "");
    if (time)
        std::snprintf(buffer + length, sizeof buffer - static_cast<std::size_t>(length), "%02d:%02d:%02d",
                      c.Hour, c.Minute, c.Second);
    return {buffer, buffer + std::char_traits<char>::length(buffer)};
}

} // namespace

std::wstring FormatDate(DateTime value, const RegionalFormats& formats, DateTextForm form) {
    if (!IsValidDate(value)) return {};
    value = FromWholeSeconds(ToWholeSeconds(value));
    std::wstring regional =
        form == DateTextForm::General ? formats.DateTimeToText(value) : DateAndTimeText(formats, value);
    const auto readBack = ParseDate(regional, formats);
    if (readBack && ToWholeSeconds(*readBack) == ToWholeSeconds(value)) return regional;
    return FixedText(value, form);
}

std::optional<DateTime> ParseDate(std::wstring_view text, const RegionalFormats& formats) {
    if (const auto fixed = ParseFixed(TrimBlanks(text))) return fixed;
    return formats.TextToDateTime(text);
}

} // namespace uplift::text_forms
