#include "affirmations/list_file.h"
#include "test_doubles.h"

#include <gtest/gtest.h>

namespace uplift {
namespace {

using namespace std::string_view_literals;
using Entries = std::vector<std::wstring>;
using testing::PrintToString;

const Latin1CodePage kLatin1;

// The field rules, then the encoding chosen by the byte order mark.
TEST(ReadListFile, FollowsTheFieldRulesAndChoosesTheEncodingByTheByteOrderMark) {
    // clang-format off
    const std::pair<std::string_view, Entries> cases[]{
        {"\"Be calm, be kind\"\r\n", {L"Be calm, be kind"}}, {"Be calm, be kind\r\n", {L"Be calm", L"be kind"}},
        {"a\rb\nc\r\n\nd\n\re", {L"a", L"b", L"c", L"d", L"e"}}, // CR, LF or CR LF end a line
        {"\"a\"tail,b", {L"a", L"b"}}, {"\"a\"\"b\"", {L"a"}}, {" \t \"  spaced, kept  \"", {L"  spaced, kept  "}},
        {"  trailing  ,\tb\t", {L"trailing  ", L"b\t"}}, // blanks skipped only before a field
        {",,,\r\n , ,\t\r\n\"\"\r\n\"\"x", {}}, {"say \"hi\" now", {L"say \"hi\" now"}}, {"\"", {}},
        {"\"unterminated, still\r\nnext", {L"unterminated, still", L"next"}}, // a quote ends at its line
        {"a\0b,\0"sv, {std::wstring(L"a\0b", 3), std::wstring(1, L'\0')}},
        {"\"caf\xE9\"\r\n\"na\xEFve\"\r\n", {L"caf\u00E9", L"na\u00EFve"}}, {"\xEF\xBB", {L"\u00EF\u00BB"}},
        {"\xEF\xBB\xBF\"\xE6\x97\xA5\xE6\x9C\xAC\"\r\n\"\xE2\x9C\x93\"\r\n", {L"\u65E5\u672C", L"\u2713"}},
        {"\xEF\xBB\xBF\"\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF\"", {L"\U0001F600\U0010FFFF"}}, // two UTF-16 units each
        // Unmarked UTF-8; one byte that is no UTF-8 makes it all ANSI.
        {"\"Caf\xC3\xA9\"\r\n\"\xE2\x9C\x93 \xF0\x9F\x98\x80\"", {L"Caf\u00E9", L"\u2713 \U0001F600"}},
        {"\"\xC3\xA9\",\"\xE9\"", {L"\u00C3\u00A9", L"\u00E9"}},
        {"\"\xC0\xAF\",\"a\xE2\x9C\"", {L"\u00C0\u00AF", L"a\u00E2\u009C"}}, // overlong, cut short
        {"\xEF\xBB\xBF\"a\xE2\x82\",b", {L"a\uFFFD", L"b"}}, // a sequence cut by the closing quote
        {"\xEF\xBB\xBF\xEF\xBB\xBF\"x\"", {L"\uFEFF\"x\""}}, // only the first mark is taken off
        {"\"a\0b\"\r\n\0\0\r\n"sv, {std::wstring(L"a\0b", 3), std::wstring(2, L'\0')}},
        // Notepad's "Unicode": two entries, not five with lone NULs among them.
        {"\xFF\xFE\"\0a\0\"\0\r\0\n\0\"\0\xE9\0\"\0\r\0\n\0"sv, {L"a", L"\u00E9"}},
        // Big endian: a surrogate pair, two low surrogates that make no pair, an odd last byte.
        {"\xFE\xFF\0\"\xD8\x3D\xDE\x00\0\"\0,\xDC\x00\xDC\x00\0x\x41"sv, {L"\U0001F600", L"\uFFFD\uFFFDx"}},
    };
    // clang-format on
    for (const auto& [bytes, expected] : cases)
        EXPECT_EQ(ReadListFile(bytes, kLatin1), expected) << PrintToString(std::string(bytes));
}

TEST(WriteListFile, WritesOneQuotedLinePerEntryInTheCodePageOrElseAllInUtf8) {
    // clang-format off
    const std::pair<Entries, std::string_view> cases[]{
        {{L"", L"a", L"", L" b, c "}, "\"a\"\r\n\" b, c \"\r\n"}, {{L"", L""}, ""},
        {{L"caf\u00E9", L"\u00FF"}, "\"caf\xE9\"\r\n\"\xFF\"\r\n"}, {{std::wstring(L"a\0b", 3)}, "\"a\0b\"\r\n"sv},
        {{L"ok", L"\u2713", L"\u00E9"}, "\xEF\xBB\xBF\"ok\"\r\n\"\xE2\x9C\x93\"\r\n\"\xC3\xA9\"\r\n"},
        {{L"say \"hi\"", L"\""}, "\"say ''hi''\"\r\n\"''\"\r\n"},
        {{L"one\r\ntwo\rthree\nfour\n\n"}, "\"one two three four  \"\r\n"},
        {{L"\u00C3\u00A9"}, "\xEF\xBB\xBF\"\xC3\x83\xC2\xA9\"\r\n"},    // ANSI that would read as UTF-8
        {{L"\u00C3\u00A9", L"\u00E9"}, "\"\xC3\xA9\"\r\n\"\xE9\"\r\n"}, // ANSI that would not
    };
    // clang-format on
    for (const auto& [entries, expected] : cases)
        EXPECT_EQ(WriteListFile(entries, kLatin1), expected) << PrintToString(entries);
}

TEST(Utf8, DecodesReplacingBrokenSequencesAndEncodesOnlyWholePairs) {
    // clang-format off
    const std::pair<std::string_view, std::wstring_view> cases[]{
        {"a\xC3\xA9\xE2\x9C\x93", L"a\u00E9\u2713"}, {"\x80", L"\uFFFD"}, {"a\0b"sv, std::wstring_view(L"a\0b", 3)},
        {"\xC0\xAF", L"\uFFFD\uFFFD"}, {"\xE0\x80\xAF", L"\uFFFD\uFFFD\uFFFD"}, // overlong
        {"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},                                // a surrogate
        {"\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},                      // above U+10FFFF
        {"\xF5\x80\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"}, {"\xF8\xFF\xFE", L"\uFFFD\uFFFD\uFFFD"}, // no lead byte
        {"\xF0\x8F\xBF\xBF", L"\uFFFD\uFFFD\uFFFD\uFFFD"},                      // overlong, four bytes
        {"\xE2\x9C", L"\uFFFD"}, {"\xE2\x9C!", L"\uFFFD!"}, // cut short at the end, and by an ASCII byte
    };
    // A high surrogate and a low one make a pair; any other surrogate stands for nothing.
    const std::pair<std::wstring, std::string_view> units[]{{L"\xDC00\xDC00", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {L"\xDBFF\xDFFF", "\xF4\x8F\xBF\xBF"}, {L"\xD800\xD800\xDC00", "\xEF\xBF\xBD\xF0\x90\x80\x80"}};
    // clang-format on
    for (const auto& [bytes, expected] : cases)
        EXPECT_EQ(DecodeUtf8(bytes), expected) << PrintToString(std::string(bytes));
    for (const auto& [text, bytes] : units)
        EXPECT_EQ(EncodeUtf8(text), bytes) << PrintToString(text);
}

// A string grown by doubling would hold up to twice this; one decoded into reserved room holds it exactly.
TEST(ReadListFile, AHugeEntryIsHeldOnceWithoutSpareRoom) {
    constexpr std::size_t kSize = 1u << 20;
    for (const std::string_view prefix : {""sv, "\""sv, kUtf8Bom}) {
        const Entries entries = ReadListFile(std::string(prefix) + std::string(kSize, 'x'), kLatin1);
        ASSERT_EQ(entries.size(), 1u) << PrintToString(std::string(prefix));
        EXPECT_EQ(std::pair(entries[0].size(), entries[0].capacity() <= kSize + 16), std::pair(kSize, true))
            << "the entry's length and no spare room after " << PrintToString(std::string(prefix));
    }
}

} // namespace
} // namespace uplift
