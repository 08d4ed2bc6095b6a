#include "settings/stored_date.h"
#include "settings/text_forms.h"
#include "test_doubles.h"

#include <gtest/gtest.h>

namespace uplift::text_forms {
namespace {

std::string Show(std::wstring_view text) {
    return text.size() > 40 ? std::to_string(text.size()) + " characters"
                            : testing::PrintToString(std::wstring(text));
}
const std::wstring kHuge(100'000, L'9'), kSpread = L"1" + std::wstring(99'999, L' ') + L"1";

TEST(TextForms, BooleanIntegerAndColourReadOnlyWhatTheyMean) {
    // clang-format off
    const std::pair<const wchar_t*, std::optional<bool>> booleans[] = {
        {L"True", true}, {L"tRUE", true}, {L"FALSE", false}, {L" true ", true}, {L"-1", true}, {L"1.5", true},
        {L"0.0", false}, {L"-0", false}, {L".5", true}, {L"", {}}, {L"yes", {}}, {L"truex", {}}, {L"1e3", {}},
        {L"0x10", {}}, {L"1.2.3", {}}, {L"1,5", {}}, {L"-", {}}, {L"trux", {}}, {L"+2", true}, {L"True False", {}}};
    const std::tuple<std::wstring, std::optional<std::int32_t>, std::optional<Colour>> numbers[] = {
        {L"  12  ", 12, 12u}, {L"-0", 0, 0u}, {L"-1", -1, {}}, {L"16777215", 16777215, 16777215u}, {L"", {}, {}},
        {L"16777216", 16777216, {}}, {L"-2147483648", -2147483647 - 1, {}}, {L"2147483648", {}, {}}, {L"+5", {}, {}},
        {L"1e3", {}, {}}, {L"0x10", {}, {}}, {L"1.0", {}, {}}, {L"\x0661", {}, {}}, // not an ASCII digit
        {L"1 2", {}, {}}, {kHuge, {}, {}}, {kSpread, {}, {}}, {std::wstring(100'000, L'0') + L"12", 12, 12u}};
    // clang-format on
    for (const auto& [text, value] : booleans)
        EXPECT_EQ(ParseBoolean(text), value) << Show(text);
    for (const auto& [text, integer, colour] : numbers)
        EXPECT_EQ(std::pair(ParseInteger(text), ParseColour(text)), std::pair(integer, colour)) << Show(text);
}

TEST(TextForms, FontSizeWritesSevenDigitsAndReadsBothSeparators) {
    // clang-format off
    const std::pair<float, const wchar_t*> written[] = {
        {48.0f, L"48"}, {10.5f, L"10,5"}, {1.0f / 3, L"0,3333333"}, {12345678.0f, L"12345680"}, {0.0001f, L"0,0001"}, {-12.5f, L"-12,5"}};
    const std::pair<std::wstring, std::optional<float>> read[] = {
        {L"10,5", 10.5f}, {L"10.5", 10.5f}, {L" 12 ", 12.0f}, {L".5", 0.5f}, {L"7,", 7.0f}, {L"1638", 1638.0f},
        {L"0", {}}, {L"-8", {}}, {L"1639", {}}, {L"1e3", {}}, {L"inf", {}}, {L",", {}}, {L"1,000.5", {}},
        {L"0.0000000000000000000000000000000000000000000000001", {}}, {kHuge, {}}, {kSpread, {}},
        {L"0,00000000000000000000000000000000000001", {}}, {L"0." + std::wstring(100'000, L'0') + L"48", {}}};
    // clang-format on
    for (const auto& [value, text] : written)
        EXPECT_EQ(FormatFontSize(value, L','), text) << value;
    for (const auto& [text, value] : read)
        EXPECT_EQ(ParseFontSize(text, L','), value) << Show(text);
    EXPECT_FALSE(ParseFontSize(L"10,5", L'.'));
}

// En-US texts with the years of another era, or with two digits; the general form always holds both parts.
struct Region final : EnUsRegionalFormats {
    Region(int era, int yearModulo) : era(era), modulo(yearModulo) {}
    std::wstring DateTimeToText(DateTime v) const override { return DateAndTimeText(*this, v); }
    std::wstring ShortDateText(DateTime v) const override {
        const CivilDateTime c = ToCivil(v);
        return std::to_wstring(c.Month) + L'/' + std::to_wstring(c.Day) + L'/' +
               std::to_wstring((c.Year + era) % modulo);
    }
    int era, modulo;
};

TEST(StoredDate, KeepsTheRegionalTextOnlyWhereItReadsBackAlike) {
    const Region buddhist(543, 10000), twoDigits(0, 100);
    constexpr auto kBoth = DateTextForm::DateAndTime, kGeneral = DateTextForm::General;
    const std::tuple<const Region&, DateTime, DateTextForm, const wchar_t*> cases[] = {
        {buddhist, FromCivil({2026, 12, 6, 13, 5, 9}), kBoth, L"2026-12-06 13:05:09"},
        {buddhist, DateSerial(2026, 12, 6), kGeneral, L"2026-12-06"},
        {buddhist, TimeSerial(7, 0, 1), kGeneral, L"07:00:01"},
        {twoDigits, FromCivil({2026, 12, 6, 13, 5, 9, 700}), kBoth, L"12/6/26 1:05:10 PM"},
        {twoDigits, FromCivil({2050, 1, 2, 3, 4, 5}), kGeneral, L"2050-01-02 03:04:05"},
        {twoDigits, DateSerial(1929, 12, 31), kGeneral, L"1929-12-31"},
        {buddhist, 0.0, kGeneral, L"00:00:00"}, // day zero at midnight is a time
        {buddhist, DateSerial(1850, 6, 1), kGeneral, L"1850-06-01"},
        {buddhist, DateSerial(2026, 12, 6), kBoth, L"2026-12-06 00:00:00"},
        {buddhist, DateSerial(100, 1, 1), kGeneral, L"0100-01-01"}, // the first and the last moment
        {buddhist, FromCivil({9999, 12, 31, 23, 59, 59}), kGeneral, L"9999-12-31 23:59:59"}};
    for (const auto& [region, value, form, stored] : cases) {
        EXPECT_EQ(FormatDate(value, region, form), stored);
        EXPECT_EQ(ToWholeSeconds(ParseDate(stored, region).value_or(-1)), ToWholeSeconds(value)) << stored;
    }
    for (const wchar_t* text :
         {L"2026-02-30", L"2026-12-06 24:00:00", L"2026-12-6", L"2026-12-06 1:05:09", L"0099-12-31"})
        EXPECT_EQ(ParseDate(text, buddhist), std::nullopt) << text;
    for (const DateTime outside : {DateSerial(99, 12, 31), DateSerial(10000, 1, 1)})
        EXPECT_EQ(FormatDate(outside, buddhist), L"") << outside;
}

} // namespace
} // namespace uplift::text_forms
