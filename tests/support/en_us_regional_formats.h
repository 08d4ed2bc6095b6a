#pragma once
// en-US as Windows writes it ("12/6/2026 1:05:09 PM"), so that tests can compare texts. It reads
// back exactly what it writes and nothing else.

#include "common/regional_formats.h"

namespace uplift {

class EnUsRegionalFormats final : public RegionalFormats {
public:
    explicit EnUsRegionalFormats(wchar_t decimalSeparator = L'.') : separator_(decimalSeparator) {}
    std::wstring DateTimeToText(DateTime value) const override;
    std::wstring ShortDateText(DateTime value) const override;
    std::wstring LongTimeText(DateTime value) const override;
    std::optional<DateTime> TextToDateTime(std::wstring_view text) const override;
    wchar_t DecimalSeparator() const override { return separator_; }

private:
    wchar_t separator_;
};

} // namespace uplift
