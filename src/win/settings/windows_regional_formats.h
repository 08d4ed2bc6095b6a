#pragma once
// The user's regional conversions through the platform's variant date and number routines.

#include "common/regional_formats.h"

#include <windows.h>

namespace uplift::win {

class WindowsRegionalFormats final : public RegionalFormats {
public:
    // The user's own formats unless a locale is named.
    explicit WindowsRegionalFormats(LCID locale = LOCALE_USER_DEFAULT) : locale_(locale) {}
    std::wstring DateTimeToText(DateTime value) const override;
    std::wstring ShortDateText(DateTime value) const override;
    std::wstring LongTimeText(DateTime value) const override;
    std::wstring ShortTimeText(DateTime value) const override;
    std::optional<DateTime> TextToDateTime(std::wstring_view text) const override;
    wchar_t DecimalSeparator() const override;

private:
    LCID locale_;
};

} // namespace uplift::win
