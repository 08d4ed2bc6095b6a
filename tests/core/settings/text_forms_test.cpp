#include "settings/text_forms.h"

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
        {L"0x10", {}}, {L"1.2.3", {}}, {L"1,5", {}}, {L"-", {}}, {L"trux", {}}, {L"+2", true}};
    const std::tuple<std::wstring, std::optional<std::int32_t>, std::optional<Colour>> numbers[] = {
        {L"  12  ", 12, 12u}, {L"-0", 0, 0u}, {L"-1", -1, {}}, {L"16777215", 16777215, 16777215u},
        {L"16777216", 16777216, {}}, {L"-2147483648", -2147483647 - 1, {}}, {L"2147483648", {}, {}}, {L"", {}, {}},
        {L"+5", {}, {}}, {L"1e3", {}, {}}, {L"0x10", {}, {}}, {L"1.0", {}, {}}, {L"1 2", {}, {}},
        {L"\x0661", {}, {}}, // not an ASCII digit
        {kHuge, {}, {}}, {kSpread, {}, {}}, {std::wstring(100'000, L'0') + L"12", 12, 12u}};
    // clang-format on
    for (const auto& [text, value] : booleans)
        EXPECT_EQ(ParseBoolean(text), value) << Show(text);
    for (const auto& [text, integer, colour] : numbers) {
        EXPECT_EQ(ParseInteger(text), integer) << Show(text);
        EXPECT_EQ(ParseColour(text), colour) << Show(text);
    }
}

TEST(TextForms, FontSizeWritesSevenDigitsAndReadsBothSeparators) {
    // clang-format off
    const std::pair<float, const wchar_t*> written[] = {
        {48.0f, L"48"}, {10.5f, L"10,5"}, {1.0f / 3, L"0,3333333"}, {12345678.0f, L"12345680"}, {0.0001f, L"0,0001"}};
    const std::pair<std::wstring, std::optional<float>> read[] = {
        {L"10,5", 10.5f}, {L"10.5", 10.5f}, {L" 12 ", 12.0f}, {L".5", 0.5f}, {L"7,", 7.0f}, {L"1638", 1638.0f},
        {L"0", {}}, {L"-8", {}}, {L"1639", {}}, {L"1e3", {}}, {L"inf", {}}, {L",", {}}, {L"1,000.5", {}},
        {L"0.0000000000000000000000000000000000000000000000001", {}}, {kHuge, {}}, {kSpread, {}},
        {L"0." + std::wstring(100'000, L'0') + L"48", {}}};
    // clang-format on
    for (const auto& [value, text] : written)
        EXPECT_EQ(FormatFontSize(value, L','), text) << value;
    EXPECT_EQ(FormatFontSize(10.5f, L'.'), L"10.5");
    for (const auto& [text, value] : read)
        EXPECT_EQ(ParseFontSize(text, L','), value) << Show(text);
    EXPECT_FALSE(ParseFontSize(L"10,5", L'.'));

    // Seven digits do not keep every bit of a float, but what is read back writes the same text.
    for (float size = 0.25f; size <= 1638.0f; size = size * 1.013f + 0.01f) {
        const std::wstring text = FormatFontSize(size, L',');
        const auto back = ParseFontSize(text, L',');
        ASSERT_TRUE(back) << Show(text);
        EXPECT_NEAR(*back, size, size * 1e-6) << Show(text);
        EXPECT_EQ(FormatFontSize(*back, L','), text) << Show(text);
    }
}

} // namespace
} // namespace uplift::text_forms
