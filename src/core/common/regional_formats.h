#pragma once
// The user's regional conversions between date-times, numbers and text. The program uses the
// platform's; tests use the fixed en-US implementation below so that texts can be compared.

#include "common/date_time.h"

#include <optional>
#include <string>
#include <string_view>

namespace uplift {

class RegionalFormats {
public:
    virtual ~RegionalFormats() = default;
    // The general form: date only when the time is midnight, time only when the date is 30 Dec 1899.
    virtual std::wstring DateTimeToText(DateTime value) const = 0;
    virtual std::wstring ShortDateText(DateTime value) const = 0;
    virtual std::wstring LongTimeText(DateTime value) const = 0;
    // Accepts what the three writers produce; a time alone gives day zero, a date alone midnight.
    virtual std::optional<DateTime> TextToDateTime(std::wstring_view text) const = 0;
    virtual wchar_t DecimalSeparator() const = 0;
};

// en-US as Windows writes it: "12/6/2026 1:05:09 PM", short date M/d/yyyy, long time h:mm:ss tt.
// The decimal separator is configurable so that tests can try a comma region.
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

// The picker text of a single date and time: short date, one blank, long time.
std::wstring DateAndTimeText(const RegionalFormats& formats, DateTime value);

} // namespace uplift
