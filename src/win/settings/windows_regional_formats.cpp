#include "settings/windows_regional_formats.h"

#include "settings/system_time.h"

#include <oleauto.h>
#include <windows.h>

#include <cmath>

namespace uplift::win {

namespace {

template <typename Format> std::wstring Formatted(DateTime value, Format format) {
    const auto st = ToSystemTime(value);
    if (!st) return {};
    wchar_t buffer[128] = {};
    const int written = format(&*st, buffer, 128);
    return written > 1 ? std::wstring(buffer, static_cast<std::size_t>(written - 1)) : std::wstring();
}

} // namespace

// The general form: a date at midnight shows as the date alone, a time on day zero as the time
// alone (day zero at midnight included), anything else as both.
std::wstring WindowsRegionalFormats::DateTimeToText(DateTime value) const {
    if (!IsValidDate(value)) return {};
    if (DatePart(value) == 0) return LongTimeText(value);
    if (TimePart(value) == 0) return ShortDateText(value);
    return ShortDateText(value) + L" " + LongTimeText(value);
}

std::wstring WindowsRegionalFormats::ShortDateText(DateTime value) const {
    return Formatted(value, [this](const SYSTEMTIME* st, wchar_t* out, int size) {
        return ::GetDateFormatW(locale_, DATE_SHORTDATE, st, nullptr, out, size);
    });
}

std::wstring WindowsRegionalFormats::LongTimeText(DateTime value) const {
    return Formatted(value, [this](const SYSTEMTIME* st, wchar_t* out, int size) {
        return ::GetTimeFormatW(locale_, 0, st, nullptr, out, size);
    });
}

std::wstring WindowsRegionalFormats::ShortTimeText(DateTime value) const {
    return Formatted(value, [this](const SYSTEMTIME* st, wchar_t* out, int size) {
        return ::GetTimeFormatW(locale_, TIME_NOSECONDS, st, nullptr, out, size);
    });
}

std::optional<DateTime> WindowsRegionalFormats::TextToDateTime(std::wstring_view text) const {
    // The conversion routine has no length argument and would stop at an embedded NUL.
    if (text.empty() || text.size() > 256 || text.find(L'\0') != std::wstring_view::npos) return std::nullopt;
    std::wstring copy(text);
    DATE value = 0;
    if (FAILED(::VarDateFromStr(copy.data(), locale_, 0, &value))) return std::nullopt;
    if (!IsValidDate(value)) return std::nullopt;
    return value;
}

wchar_t WindowsRegionalFormats::DecimalSeparator() const {
    wchar_t buffer[8] = {};
    if (::GetLocaleInfoW(locale_, LOCALE_SDECIMAL, buffer, 8) > 1) return buffer[0];
    return L'.';
}

} // namespace uplift::win
