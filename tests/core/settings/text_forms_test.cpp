#include "settings/text_forms.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <string>

namespace uplift::text_forms {
namespace {

std::string Show(std::wstring_view text) {
    return testing::PrintToString(std::wstring(text));
}

TEST(TextForms, Boolean) {
    struct Case {
        const wchar_t* Text;
        std::optional<bool> Value;
    };
    const Case cases[] = {
        {L"True", true},    {L"False", false},
        {L"tRUE", true},    {L"FALSE", false},
        {L" true ", true},  {L"1", true},
        {L"0", false},      {L"-1", true},
        {L"1.5", true},     {L"0.0", false},
        {L"-0", false},     {L".5", true},
        {L"  00  ", false}, {L"", {}},
        {L"   ", {}},       {L"yes", {}},
        {L"truex", {}},     {L"tru", {}},
        {L"1e3", {}},       {L"0x10", {}},
        {L"1.2.3", {}},     {L"1,5", {}},
        {L"-", {}},         {L".", {}},
        {L"1 0", {}},       {L"99999999999999999999999", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseBoolean(c.Text), c.Value) << Show(c.Text);
    for (bool value : {true, false})
        EXPECT_EQ(ParseBoolean(FormatBoolean(value)), value);
    EXPECT_EQ(FormatBoolean(true), L"True");
    EXPECT_EQ(FormatBoolean(false), L"False");
}

TEST(TextForms, Integer) {
    struct Case {
        const wchar_t* Text;
        std::optional<std::int32_t> Value;
    };
    const Case cases[] = {
        {L"0", 0},
        {L"7", 7},
        {L"-1", -1},
        {L"  12  ", 12},
        {L"-0", 0},
        {L"007", 7},
        {L"2147483647", 2147483647},
        {L"-2147483648", -2147483647 - 1},
        {L"2147483648", {}},
        {L"-2147483649", {}},
        {L"99999999999", {}},
        {L"", {}},
        {L"-", {}},
        {L"+5", {}},
        {L"1e3", {}},
        {L"0x10", {}},
        {L"1.0", {}},
        {L"1,000", {}},
        {L"1 2", {}},
        {L"--1", {}},
        {L"seven", {}},
        {L"\x0661", {}}, // Arabic-Indic one is not a decimal digit here
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseInteger(c.Text), c.Value) << Show(c.Text);
    for (std::int32_t value :
         {0, 1, -1, 22, std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min()})
        EXPECT_EQ(ParseInteger(FormatInteger(value)), value) << value;
}

TEST(TextForms, Colour) {
    struct Case {
        const wchar_t* Text;
        std::optional<Colour> Value;
    };
    const Case cases[] = {
        {L"0", 0u},           {L"16777215", 16777215u}, {L"255", 255u},
        {L" 65280 ", 65280u}, {L"16777216", {}},        {L"-1", {}},
        {L"4294967295", {}},  {L"&HFFFFFF", {}},        {L"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseColour(c.Text), c.Value) << Show(c.Text);
    for (Colour value : {0u, 1u, 0x0000FFu, 0x00FF00u, 0xFF0000u, 0xFFFFFFu})
        EXPECT_EQ(ParseColour(FormatColour(value)), value) << value;
    EXPECT_EQ(FormatColour(kWhite), L"16777215");
}

TEST(TextForms, FontSizeWriting) {
    struct Case {
        float Value;
        const wchar_t* Point;
        const wchar_t* Comma;
    };
    const Case cases[] = {
        {48.0f, L"48", L"48"},
        {10.5f, L"10.5", L"10,5"},
        {8.25f, L"8.25", L"8,25"},
        {0.1f, L"0.1", L"0,1"},
        {1.0f / 3, L"0.3333333", L"0,3333333"},
        {9.999999f, L"9.999999", L"9,999999"},
        {100.0f, L"100", L"100"},
        {1638.0f, L"1638", L"1638"},
        {12345678.0f, L"12345680", L"12345680"},
        {0.0001f, L"0.0001", L"0,0001"},
        {72.1f, L"72.1", L"72,1"},
        {0.0f, L"0", L"0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatFontSize(c.Value, L'.'), c.Point) << c.Value;
        EXPECT_EQ(FormatFontSize(c.Value, L','), c.Comma) << c.Value;
    }
}

TEST(TextForms, FontSizeReading) {
    struct Case {
        const wchar_t* Text;
        wchar_t Separator;
        std::optional<float> Value;
    };
    const Case cases[] = {
        {L"48", L'.', 48.0f},
        {L"10.5", L'.', 10.5f},
        {L"10,5", L',', 10.5f},
        {L"10.5", L',', 10.5f},
        {L" 12 ", L'.', 12.0f},
        {L".5", L'.', 0.5f},
        {L"7.", L'.', 7.0f},
        {L"1638", L'.', 1638.0f},
        {L"10,5", L'.', {}},
        {L"0", L'.', {}},
        {L"-8", L'.', {}},
        {L"1639", L'.', {}},
        {L"1e3", L'.', {}},
        {L"nan", L'.', {}},
        {L"inf", L'.', {}},
        {L"", L'.', {}},
        {L".", L'.', {}},
        {L"1.2.3", L'.', {}},
        {L"1,000.5", L',', {}},
        {L"0x10", L'.', {}},
        {L"0.0000000000000000000000000000000000000000000000001", L'.', {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseFontSize(c.Text, c.Separator), c.Value) << Show(c.Text);
}

TEST(TextForms, FontSizeRoundTripsInBothRegions) {
    int checked = 0;
    for (float size = 0.25f; size <= 1638.0f; size = size * 1.013f + 0.01f)
        for (wchar_t separator : {L'.', L','}) {
            const std::wstring text = FormatFontSize(size, separator);
            const auto back = ParseFontSize(text, separator);
            ASSERT_TRUE(back) << Show(text);
            // Seven digits do not always recover every bit of a float; they must come within one
            // unit of the seventh digit.
            EXPECT_NEAR(*back, size, size * 1e-6) << Show(text);
            // And what was read back is written the same again, so saves are stable.
            EXPECT_EQ(FormatFontSize(*back, separator), text) << Show(text);
            ++checked;
        }
    EXPECT_GT(checked, 500);
}

TEST(TextForms, HugeInputsAreRejectedQuickly) {
    const auto start = std::chrono::steady_clock::now();
    const std::wstring inputs[] = {
        std::wstring(100'000, L'9'),
        std::wstring(100'000, L'x'),
        L"1" + std::wstring(99'999, L' ') + L"1",
        L"0." + std::wstring(100'000, L'0') + L"48",
        std::wstring(100'000, L'-'),
    };
    for (const std::wstring& text : inputs) {
        EXPECT_FALSE(ParseInteger(text));
        EXPECT_FALSE(ParseColour(text));
        EXPECT_FALSE(ParseFontSize(text, L'.'));
    }
    // Leading zeros do not make a number invalid, however many there are.
    EXPECT_EQ(ParseInteger(std::wstring(100'000, L'0') + L"12"), 12);
    EXPECT_EQ(ParseFontSize(std::wstring(100'000, L'0') + L"12.5", L'.'), 12.5f);
    EXPECT_EQ(ParseBoolean(std::wstring(100'000, L'0')), false);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

} // namespace
} // namespace uplift::text_forms
