#include "en_us_regional_formats.h"

#include <cwchar>

namespace uplift {
namespace {

// Texts carry whole seconds.
CivilDateTime Whole(DateTime value) {
    return ToCivil(FromWholeSeconds(ToWholeSeconds(value)));
}

std::wstring Printed(const wchar_t* format, int a, int b, int c, const wchar_t* d = L"") {
    wchar_t text[64];
    std::swprintf(text, 64, format, a, b, c, d);
    return text;
}

} // namespace

std::wstring EnUsRegionalFormats::DateTimeToText(DateTime value) const {
    if (!IsValidDate(value)) return {};
    const CivilDateTime c = Whole(value);
    if (CivilDateTime{c.Year, c.Month, c.Day} == CivilDateTime{}) return LongTimeText(value);
    if (c.Hour + c.Minute + c.Second == 0) return ShortDateText(value);
    return DateAndTimeText(*this, value);
}

std::wstring EnUsRegionalFormats::ShortDateText(DateTime value) const {
    if (!IsValidDate(value)) return {};
    const CivilDateTime c = Whole(value);
    return Printed(L"%d/%d/%04d", c.Month, c.Day, c.Year);
}

std::wstring EnUsRegionalFormats::LongTimeText(DateTime value) const {
    if (!IsValidDate(value)) return {};
    const CivilDateTime c = Whole(value);
    return Printed(L"%d:%02d:%02d %ls", (c.Hour + 11) % 12 + 1, c.Minute, c.Second,
                   c.Hour < 12 ? L"AM" : L"PM");
}

std::optional<DateTime> EnUsRegionalFormats::TextToDateTime(std::wstring_view text) const {
    // The numbers give the value; the text must then be one that the writers give for it.
    const std::wstring copy(text.substr(0, 64));
    CivilDateTime c;
    wchar_t half[3] = L"AM";
    if (std::swscanf(copy.c_str(), L"%d/%d/%d %d:%d:%d %2ls", &c.Month, &c.Day, &c.Year, &c.Hour, &c.Minute,
                     &c.Second, half) < 3 &&
        std::swscanf(copy.c_str(), L"%d:%d:%d %2ls", &c.Hour, &c.Minute, &c.Second, half) != 4)
        return std::nullopt;
    c.Hour = c.Hour % 12 + (half == std::wstring_view(L"PM") ? 12 : 0);
    const DateTime value = FromCivil(c);
    for (const std::wstring& written :
         {DateTimeToText(value), DateAndTimeText(*this, value), ShortDateText(value), LongTimeText(value)})
        if (!written.empty() && written == text) return value;
    return std::nullopt;
}

} // namespace uplift
