#include "settings/stored_date.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace uplift::text_forms {
namespace {

// A region writing M/d/y H:mm:ss with its calendar's year, or its last two digits; it reads
// Gregorian years like the platform's parser, two digits as 1930..2029.
class Region final : public RegionalFormats {
public:
    Region(int eraOffset, bool twoDigitYear) : offset_(eraOffset), twoDigits_(twoDigitYear) {}
    std::wstring DateTimeToText(DateTime v) const override {
        if (DatePart(v) == 0) return LongTimeText(v);
        return TimePart(v) == 0 ? ShortDateText(v) : DateAndTimeText(*this, v);
    }
    std::wstring ShortDateText(DateTime v) const override {
        const CivilDateTime c = ToCivil(v);
        const int year = c.Year + offset_;
        return std::to_wstring(c.Month) + L'/' + std::to_wstring(c.Day) + L'/' +
               std::to_wstring(twoDigits_ ? year % 100 : year);
    }
    std::wstring LongTimeText(DateTime v) const override {
        const CivilDateTime c = ToCivil(v);
        wchar_t text[16];
        std::swprintf(text, 16, L"%d:%02d:%02d", c.Hour, c.Minute, c.Second);
        return text;
    }
    std::optional<DateTime> TextToDateTime(std::wstring_view text) const override {
        const std::wstring t(text);
        int mo = 0, d = 0, y = 0, h = 0, mi = 0, s = 0;
        const int n = std::swscanf(t.c_str(), L"%d/%d/%d %d:%d:%d", &mo, &d, &y, &h, &mi, &s);
        if (n == 1 && std::swscanf(t.c_str(), L"%d:%d:%d", &h, &mi, &s) == 3) return TimeSerial(h, mi, s);
        if (n != 3 && n != 6) return std::nullopt;
        return FromCivil({y < 100 ? y + (y < 30 ? 2000 : 1900) : y, mo, d, h, mi, s});
    }
    wchar_t DecimalSeparator() const override { return L'.'; }

private:
    int offset_;
    bool twoDigits_;
};

TEST(StoredDate, KeepsTheRegionalTextOnlyWhereItReadsBackAlike) {
    const Region gregorian(0, false), buddhist(543, false), twoDigits(0, true);
    constexpr auto kBoth = DateTextForm::DateAndTime, kGeneral = DateTextForm::General;
    const std::tuple<const Region&, DateTime, DateTextForm, const wchar_t*> cases[] = {
        {gregorian, FromCivil({2026, 12, 6, 13, 5, 9}), kBoth, L"12/6/2026 13:05:09"},
        {gregorian, FromCivil({2026, 12, 6, 13, 5, 9, 700}), kBoth, L"12/6/2026 13:05:10"},
        {buddhist, FromCivil({2026, 12, 6, 13, 5, 9}), kBoth, L"2026-12-06 13:05:09"},
        {buddhist, DateSerial(2026, 12, 6), kGeneral, L"2026-12-06"},
        {buddhist, TimeSerial(7, 0, 1), kGeneral, L"7:00:01"},
        {twoDigits, FromCivil({2026, 12, 6, 13, 5, 9}), kBoth, L"12/6/26 13:05:09"},
        {twoDigits, FromCivil({2050, 1, 2, 3, 4, 5}), kGeneral, L"2050-01-02 03:04:05"},
        {twoDigits, DateSerial(1929, 12, 31), kGeneral, L"1929-12-31"},
    };
    for (const auto& [region, value, form, stored] : cases) {
        EXPECT_EQ(FormatDate(value, region, form), stored) << stored;
        EXPECT_EQ(ToWholeSeconds(ParseDate(stored, region).value_or(-1)), ToWholeSeconds(value)) << stored;
    }
    for (const wchar_t* text :
         {L"2026-02-30", L"2026-12-06 24:00:00", L"2026-12-6", L"2026-12-06 1:05:09", L""})
        EXPECT_EQ(ParseDate(text, buddhist), std::nullopt) << text;
    EXPECT_EQ(FormatDate(1e7, buddhist), L"");
}

} // namespace
} // namespace uplift::text_forms
