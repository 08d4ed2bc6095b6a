#include "settings/windows_regional_formats.h"

#include <windows.h>
#include <oleauto.h>

#include <cmath>
#include <memory>

namespace uplift::win {

namespace {

struct BstrDeleter {
    void operator()(wchar_t* s) const { ::SysFreeString(s); }
};
using unique_bstr = std::unique_ptr<wchar_t, BstrDeleter>;

std::wstring ToText(DateTime value, ULONG flags) {
    if (!std::isfinite(value)) return {};
    BSTR text = nullptr;
    if (FAILED(::VarBstrFromDate(value, LOCALE_USER_DEFAULT, flags, &text))) return {};
    const unique_bstr owned(text);
    return std::wstring(text, ::SysStringLen(text));
}

} // namespace

std::wstring WindowsRegionalFormats::DateTimeToText(DateTime value) const { return ToText(value, 0); }

std::wstring WindowsRegionalFormats::ShortDateText(DateTime value) const {
    return ToText(value, VAR_DATEVALUEONLY);
}

std::wstring WindowsRegionalFormats::LongTimeText(DateTime value) const {
    return ToText(value, VAR_TIMEVALUEONLY);
}

std::optional<DateTime> WindowsRegionalFormats::TextToDateTime(std::wstring_view text) const {
    // The conversion routine has no length argument and would stop at an embedded NUL.
    if (text.empty() || text.size() > 256 || text.find(L'\0') != std::wstring_view::npos) return std::nullopt;
    const std::wstring copy(text);
    DATE value = 0;
    if (FAILED(::VarDateFromStr(copy.c_str(), LOCALE_USER_DEFAULT, 0, &value))) return std::nullopt;
    if (!IsValidDate(value)) return std::nullopt;
    return value;
}

wchar_t WindowsRegionalFormats::DecimalSeparator() const {
    wchar_t buffer[8] = {};
    if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8) > 1) return buffer[0];
    return L'.';
}

} // namespace uplift::win
