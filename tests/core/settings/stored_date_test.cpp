#include "settings/stored_date.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace uplift::text_forms {
namespace {

// Writes M/d/y h:m:s with its era's year modulo `yearModulo`; reads Gregorian years like the
// platform's parser, two digits as 1930..2029.
class Region final : public RegionalFormats {
public:
    Region(int era, int yearModulo) : era_(era), modulo_(yearModulo) {}
    std::wstring DateTimeToText(DateTime v) const override { return DateAndTimeText(*this, v); }
    std::wstring ShortDateText(DateTime v) const override {
        return Join(L'/', ToCivil(v).Month, ToCivil(v).Day, (ToCivil(v).Year + era_) % modulo_);
    }
    std::wstring LongTimeText(DateTime v) const override {
        return Join(L':', ToCivil(v).Hour, ToCivil(v).Minute, ToCivil(v).Second);
    }
    std::optional<DateTime> TextToDateTime(std::wstring_view text) const override {
        int mo = 0, d = 0, y = 0, h = 0, mi = 0, s = 0;
        const std::wstring copy(text);
        if (std::swscanf(copy.c_str(), L"%d/%d/%d %d:%d:%d", &mo, &d, &y, &h, &mi, &s) != 6) return {};
        return FromCivil({y < 100 ? y + (y < 30 ? 2000 : 1900) : y, mo, d, h, mi, s});
    }
    wchar_t DecimalSeparator() const override { return L'.'; }

private:
    static std::wstring Join(wchar_t separator, int a, int b, int c) {
        return std::to_wstring(a) + separator + std::to_wstring(b) + separator + std::to_wstring(c);
    }
    int era_, modulo_;
};

TEST(StoredDate, KeepsTheRegionalTextOnlyWhereItReadsBackAlike) {
    const Region buddhist(543, 10000), twoDigits(0, 100);
    constexpr auto kBoth = DateTextForm::DateAndTime, kGeneral = DateTextForm::General;
    const std::tuple<const Region&, DateTime, DateTextForm, const wchar_t*> cases[] = {
        {buddhist, FromCivil({2026, 12, 6, 13, 5, 9}), kBoth, L"2026-12-06 13:05:09"},
        {buddhist, DateSerial(2026, 12, 6), kGeneral, L"2026-12-06"},
        {buddhist, TimeSerial(7, 0, 1), kGeneral, L"07:00:01"},
        {twoDigits, FromCivil({2026, 12, 6, 13, 5, 9, 700}), kBoth, L"12/6/26 13:5:10"},
        {twoDigits, FromCivil({2050, 1, 2, 3, 4, 5}), kGeneral, L"2050-01-02 03:04:05"},
        {twoDigits, DateSerial(1929, 12, 31), kGeneral, L"1929-12-31"}};
    for (const auto& [region, value, form, stored] : cases) {
        EXPECT_EQ(FormatDate(value, region, form), stored);
        EXPECT_EQ(ToWholeSeconds(ParseDate(stored, region).value_or(-1)), ToWholeSeconds(value)) << stored;
    }
    for (const wchar_t* text : {L"2026-02-30", L"2026-12-06 24:00:00", L"2026-12-6", L"2026-12-06 1:05:09"})
        EXPECT_EQ(ParseDate(text, buddhist), std::nullopt) << text;
}

} // namespace
} // namespace uplift::text_forms
