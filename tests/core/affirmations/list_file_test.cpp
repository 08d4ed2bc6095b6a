#include "affirmations/list_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace uplift {
namespace {

using namespace std::string_view_literals;
using Entries = std::vector<std::wstring>;

// Bytes as readable escapes, so a failing case shows what it wrote.
std::string Shown(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F) {
            text += c;
        } else {
            constexpr char kHex[] = "0123456789ABCDEF";
            text += "\\x";
            text += kHex[b >> 4];
            text += kHex[b & 15];
        }
    }
    return text;
}

std::string Shown(const Entries& entries) {
    std::string text = "{";
    for (const auto& entry : entries)
        text += "[" + Shown(EncodeUtf8(entry)) + "]";
    return text + "}";
}

const Latin1CodePage kLatin1;

TEST(ParseListText, FollowsTheFieldRules) {
    struct Case {
        std::wstring_view Text;
        Entries Expected;
    };
    const Case cases[]{
        {L"\"Be calm, be kind\"\r\n", {L"Be calm, be kind"}},
        {L"Be calm, be kind\r\n", {L"Be calm", L"be kind"}},
        {L"\r\n\r\n\"a\"\r\n\r\n\r\n\"b\"\r\n", {L"a", L"b"}},
        {L"a\rb\rc", {L"a", L"b", L"c"}},
        {L"a\nb\nc\n", {L"a", L"b", L"c"}},
        {L"a\r\nb\r\nc\r\n", {L"a", L"b", L"c"}},
        {L"a\r\n\nb\n\rc", {L"a", L"b", L"c"}},
        {L"\"a\" after the quote\r\nb", {L"a", L"b"}},
        {L"\"a\"tail,b", {L"a", L"b"}},
        {L"\"a\"\"b\"", {L"a"}},
        {L" \t \"  spaced, kept  \"", {L"  spaced, kept  "}},
        {L"  trailing  ,\tb\t", {L"trailing  ", L"b\t"}},
        {L",,,\r\n , ,\t\r\n", {}},
        {L"\"\"\r\n\"\"x,\"\"", {}},
        {L"\"unterminated, still\r\nnext", {L"unterminated, still", L"next"}},
        {L"\"unterminated to the end", {L"unterminated to the end"}},
        {L"\"a,b\",c", {L"a,b", L"c"}},
        {L"say \"hi\" now", {L"say \"hi\" now"}},
        {L"no line end", {L"no line end"}},
        {L"", {}},
        {L"\"", {}},
        {L"a\0b,\0"sv, {std::wstring(L"a\0b", 3), std::wstring(1, L'\0')}},
        {L"\"caf\u00E9 \u2713\"", {L"caf\u00E9 \u2713"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseListText(c.Text), c.Expected) << "text [" << Shown(EncodeUtf8(c.Text)) << "]";
}

TEST(ReadListFile, ChoosesTheEncodingByTheByteOrderMark) {
    struct Case {
        std::string_view Bytes;
        Entries Expected;
    };
    const Case cases[]{
        {"", {}},
        {"\"caf\xE9\"\r\n\"na\xEFve\"\r\n", {L"caf\u00E9", L"na\u00EFve"}},
        {"\xEF\xBB\xBF\"\xE6\x97\xA5\xE6\x9C\xAC\"\r\n\"\xE2\x9C\x93\"\r\n", {L"\u65E5\u672C", L"\u2713"}},
        {"\xEF\xBB\xBF", {}},
        {"\xEF\xBB\xBF\r\n\r\n", {}},
        {"\xEF\xBB", {L"\u00EF\u00BB"}},
        {"\"\xC3\xA9\"", {L"\u00C3\u00A9"}},                 // UTF-8 without the mark is ANSI
        {"\xEF\xBB\xBF\"\xFF\xC3\"", {L"\uFFFD\uFFFD"}},     // broken UTF-8
        {"\xEF\xBB\xBF\"a\xE2\x82\",b", {L"a\uFFFD", L"b"}}, // a sequence cut by the closing quote
        {"\xEF\xBB\xBF\xEF\xBB\xBF\"x\"", {L"\uFEFF\"x\""}}, // only the first mark is taken off
        {"\"a\0b\"\r\n\0\0\r\n"sv, {std::wstring(L"a\0b", 3), std::wstring(2, L'\0')}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadListFile(c.Bytes, kLatin1), c.Expected) << "bytes [" << Shown(c.Bytes) << "]";
}

TEST(WriteListFile, WritesOneQuotedLinePerEntry) {
    struct Case {
        const char* Name;
        Entries Written;
        std::string_view Expected;
    };
    const Case cases[]{
        {"empty entries left out", {L"a", L"", L"b c"}, "\"a\"\r\n\"b c\"\r\n"},
        {"empty list", {}, ""},
        {"only empty entries", {L"", L""}, ""},
        {"commas and blanks kept", {L" lead, trail "}, "\" lead, trail \"\r\n"},
        {"Latin-1 stays ANSI", {L"caf\u00E9", L"\u00FF"}, "\"caf\xE9\"\r\n\"\xFF\"\r\n"},
        {"beyond Latin-1: all UTF-8",
         {L"ok", L"\u2713", L"\u00E9"},
         "\xEF\xBB\xBF\"ok\"\r\n\"\xE2\x9C\x93\"\r\n\"\xC3\xA9\"\r\n"},
        {"a quote becomes two apostrophes", {L"say \"hi\""}, "\"say ''hi''\"\r\n"},
        {"a lone quote", {L"\""}, "\"''\"\r\n"},
        {"line breaks become blanks", {L"one\r\ntwo\rthree\nfour\n\n"}, "\"one two three four  \"\r\n"},
        {"a line break alone", {L"\r\n"}, "\" \"\r\n"},
        {"NUL kept", {std::wstring(L"a\0b", 3)}, "\"a\0b\"\r\n"sv},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Shown(WriteListFile(c.Written, kLatin1)), Shown(c.Expected)) << c.Name;
}

TEST(WriteListFile, ReadsBackWhatItWrote) {
    struct Case {
        const char* Name;
        Entries Written;
        Entries Read;
    };
    const Case cases[]{
        {"plain", {L"Be calm, be kind", L"  I am enough  "}, {L"Be calm, be kind", L"  I am enough  "}},
        {"Latin-1", {L"\u00C0 bient\u00F4t", L"\u00A9\u00FF"}, {L"\u00C0 bient\u00F4t", L"\u00A9\u00FF"}},
        {"Japanese and a tick",
         {L"\u65E5\u672C", L"done \u2713", L"caf\u00E9"},
         {L"\u65E5\u672C", L"done \u2713", L"caf\u00E9"}},
        {"beyond the basic plane", {L"\U0001F600 smile"}, {L"\U0001F600 smile"}},
        {"empty entries gone", {L"", L"x", L""}, {L"x"}},
        {"quotes", {L"\"", L"a\"b", L"\"\""}, {L"''", L"a''b", L"''''"}},
        {"line breaks", {L"a\r\nb", L"\n"}, {L"a b", L" "}},
        {"replacement character", {L"\uFFFD"}, {L"\uFFFD"}},
    };
    for (const auto& c : cases) {
        const std::string bytes = WriteListFile(c.Written, kLatin1);
        EXPECT_EQ(ReadListFile(bytes, kLatin1), c.Read) << c.Name << ": [" << Shown(bytes) << "]";
    }
}

TEST(Utf8, DecodesAndReplacesBrokenSequences) {
    struct Case {
        std::string_view Bytes;
        std::wstring_view Expected;
    };
    const Case cases[]{
        {"", L""},
        {"abc", L"abc"},
        {"\xC3\xA9", L"\u00E9"},
        {"\xE2\x9C\x93", L"\u2713"},
        {"\xF0\x9F\x98\x80", L"\U0001F600"},
        {"\xF4\x8F\xBF\xBF", L"\U0010FFFF"},
        {"\x80", L"\uFFFD"},
        {"\xC0\xAF", L"\uFFFD\uFFFD"},                     // overlong
        {"\xE0\x80\xAF", L"\uFFFD\uFFFD\uFFFD"},           // overlong
        {"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},           // a surrogate
        {"\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"}, // above U+10FFFF
        {"\xE2\x9C", L"\uFFFD"},                           // cut short at the end
        {"\xE2\x9C"
         "a",
         L"\uFFFDa"}, // cut short by an ASCII byte
        {"\xF8\xFF\xFE", L"\uFFFD\uFFFD\uFFFD"},
        {"a\0b"sv, std::wstring_view(L"a\0b", 3)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeUtf8(c.Bytes), c.Expected) << "bytes [" << Shown(c.Bytes) << "]";
}

TEST(Utf8, EncodesEveryCodePointAndBackAgain) {
    std::wstring all;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        if (sizeof(wchar_t) == 2 && c >= 0x10000) {
            all += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
            all += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            all += static_cast<wchar_t>(c);
        }
    }
    EXPECT_EQ(DecodeUtf8(EncodeUtf8(all)), all);
    EXPECT_EQ(EncodeUtf8(L"\u00E9\u2713\U0001F600"), "\xC3\xA9\xE2\x9C\x93\xF0\x9F\x98\x80");
}

TEST(Utf8, EncodesStrayCodeUnitsAsReplacement) {
    EXPECT_EQ(EncodeUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(EncodeUtf8(std::wstring(1, static_cast<wchar_t>(0xDC00)) + L"a"), "\xEF\xBF\xBD"
                                                                                "a");
    if constexpr (sizeof(wchar_t) == 4) {
        EXPECT_EQ(EncodeUtf8(std::wstring(1, static_cast<wchar_t>(0x110000))), "\xEF\xBF\xBD");
        EXPECT_EQ(EncodeUtf8(std::wstring(1, static_cast<wchar_t>(-1))), "\xEF\xBF\xBD");
    }
}

TEST(Latin1CodePage, MapsEveryByteToItsCodePoint) {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    const std::wstring text = kLatin1.Decode(bytes);
    ASSERT_EQ(text.size(), 256u);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(static_cast<int>(text[b]), b) << "byte " << b;
    EXPECT_EQ(kLatin1.Encode(text), bytes);
    EXPECT_FALSE(kLatin1.Encode(L"a\u0100").has_value());
    EXPECT_FALSE(kLatin1.Encode(L"\u20AC").has_value()) << "the euro sign is not Latin-1";
    EXPECT_EQ(kLatin1.Encode(L""), "");
}

// Bytes drawn mostly from the characters the reader cares about.
std::string RandomBytes(std::mt19937& engine) {
    static constexpr std::string_view kAlphabet = "\"\",,\r\n \t\0a\xEF\xBB\xBF\xC3\xA9\xE2\xFF"sv;
    std::uniform_int_distribution<int> length(0, 300), pick(0, static_cast<int>(kAlphabet.size()) - 1),
        any(0, 255), coin(0, 3);
    std::string bytes;
    if (coin(engine) == 0) bytes = kUtf8Bom;
    for (int n = length(engine); n > 0; --n)
        bytes += coin(engine) == 0 ? static_cast<char>(any(engine))
                                   : kAlphabet[static_cast<std::size_t>(pick(engine))];
    return bytes;
}

TEST(ReadListFile, SurvivesArbitraryBytes) {
    std::mt19937 engine(20260612);
    for (int round = 0; round < 3000; ++round) {
        const std::string bytes = RandomBytes(engine);
        const Entries entries = ReadListFile(bytes, kLatin1);
        SCOPED_TRACE("bytes [" + Shown(bytes) + "]");

        std::size_t characters = 0;
        for (const auto& entry : entries) {
            ASSERT_FALSE(entry.empty());
            ASSERT_EQ(entry.find_first_of(L"\r\n"), std::wstring::npos);
            characters += entry.size();
        }
        ASSERT_LE(characters, bytes.size());
        ASSERT_LE(entries.size(), bytes.size() / 2 + 1);
        if (!bytes.starts_with(kUtf8Bom)) ASSERT_EQ(entries, ParseListText(kLatin1.Decode(bytes)));

        Entries storable;
        for (const auto& entry : entries)
            storable.push_back(StorableEntry(entry));
        const std::string written = WriteListFile(entries, kLatin1);
        ASSERT_EQ(ReadListFile(written, kLatin1), storable) << "written [" << Shown(written) << "]";
        ASSERT_EQ(WriteListFile(storable, kLatin1), written);
    }
}

TEST(ParseListText, TenMegabytesOfLinesInWellUnderASecond) {
    const std::wstring line = L"\"I am calm, I am kind, I am enough today\"\r\n";
    std::wstring text;
    text.reserve(10'000'000 + line.size());
    while (text.size() < 10'000'000)
        text += line;
    std::string bytes = EncodeUtf8(text);

    auto start = std::chrono::steady_clock::now();
    const Entries parsed = ParseListText(text);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(parsed.size(), text.size() / line.size());

    start = std::chrono::steady_clock::now();
    const Entries read = ReadListFile(bytes, kLatin1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(read, parsed);
}

TEST(ReadListFile, OneHugeLineTakesNoMoreThanItsEntry) {
    constexpr std::size_t kSize = 32u << 20;
    for (const std::string_view prefix : {""sv, "\""sv, kUtf8Bom}) {
        std::string bytes(prefix);
        bytes.resize(prefix.size() + kSize, 'x');
        const Entries entries = ReadListFile(bytes, kLatin1);
        ASSERT_EQ(entries.size(), 1u) << "prefix [" << Shown(prefix) << "]";
        EXPECT_EQ(entries[0].size(), kSize);
        EXPECT_LE(entries[0].capacity(), kSize + 16) << "prefix [" << Shown(prefix) << "]";
    }
    const std::wstring text(kSize, L'y');
    const Entries entries = ParseListText(text);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_LE(entries[0].capacity(), kSize + 16);
}

} // namespace
} // namespace uplift
