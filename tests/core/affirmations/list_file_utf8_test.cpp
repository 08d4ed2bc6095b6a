#include "affirmations/list_file.h"

#include <gtest/gtest.h>

namespace uplift {
namespace {

using Entries = std::vector<std::wstring>;

TEST(ReadListFile, TakesUnmarkedUtf8BeyondAsciiAsUtf8AndElseTheCodePage) {
    const std::pair<std::string_view, Entries> cases[]{
        {"\"Caf\xC3\xA9\"\r\n\"plain\"\r\n", {L"Caf\u00E9", L"plain"}},
        {"\"Caf\xE9\"\r\n", {L"Caf\u00E9"}},
        {"\"\xE2\x9C\x93 \xF0\x9F\x98\x80\"", {L"\u2713 \U0001F600"}},
        {"\"\xC3\xA9\",\"\xE9\"", {L"\u00C3\u00A9", L"\u00E9"}}, // one byte that is no UTF-8 decides
        {"\"\xC0\xAF\"", {L"\u00C0\u00AF"}},                     // overlong
        {"\"a\xE2\x9C\"", {L"a\u00E2\u009C"}},                   // cut short
    };
    for (const auto& [bytes, expected] : cases)
        EXPECT_EQ(ReadListFile(bytes, Latin1CodePage{}), expected)
            << testing::PrintToString(std::string(bytes));
}

TEST(WriteListFile, CodePageBytesThatWouldReadAsUtf8TakeTheMark) {
    const std::pair<Entries, std::string_view> cases[]{
        {{L"\u00C3\u00A9"}, "\xEF\xBB\xBF\"\xC3\x83\xC2\xA9\"\r\n"},
        {{L"\u00C3\u00A9", L"\u00E9"}, "\"\xC3\xA9\"\r\n\"\xE9\"\r\n"},
        {{L"caf\u00E9"}, "\"caf\xE9\"\r\n"},
    };
    for (const auto& [entries, expected] : cases) {
        EXPECT_EQ(WriteListFile(entries, Latin1CodePage{}), expected) << testing::PrintToString(entries);
        EXPECT_EQ(ReadListFile(expected, Latin1CodePage{}), entries);
    }
}

} // namespace
} // namespace uplift
