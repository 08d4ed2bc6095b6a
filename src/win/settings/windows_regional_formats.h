#pragma once
// The user's regional conversions through the platform's variant date and number routines.

#include "common/regional_formats.h"

namespace uplift::win {

class WindowsRegionalFormats final : public RegionalFormats {
public:
    std::wstring DateTimeToText(DateTime value) const override;
    std::wstring ShortDateText(DateTime value) const override;
    std::wstring LongTimeText(DateTime value) const override;
    std::optional<DateTime> TextToDateTime(std::wstring_view text) const override;
    wchar_t DecimalSeparator() const override;
};

} // namespace uplift::win
