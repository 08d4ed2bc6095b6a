#include "affirmations/list_file.h"

#include "common/blanks.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace uplift {
namespace {

constexpr wchar_t kReplacement = 0xFFFD;
constexpr bool kUtf16 = sizeof(wchar_t) == 2;

template <typename Char> bool IsLineEnd(Char c) {
    return c == Char('\r') || c == Char('\n');
}
template <typename Char> bool EndsField(Char c) {
    return c == Char(',') || IsLineEnd(c);
}

// Calls `field` with every field of `text`, empty ones included. A quoted field never runs past
// its line, so one damaged line cannot swallow the entries after it. Blanks at the end of an
// unquoted field stay: only blanks before a field are skipped.
template <typename Char, typename Field> void ForEachField(std::basic_string_view<Char> text, Field field) {
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        while (i < size && IsBlank(text[i]))
            ++i;
        std::size_t start = i;
        std::size_t end = i;
        if (i < size && text[i] == Char('"')) {
            start = ++i;
            while (i < size && text[i] != Char('"') && !IsLineEnd(text[i]))
                ++i;
            end = i;
            // Whatever follows the closing quote is dropped.
            while (i < size && !EndsField(text[i]))
                ++i;
        } else {
            while (i < size && !EndsField(text[i]))
                ++i;
            end = i;
        }
        field(text.substr(start, end - start));
        if (i < size) {
            if (text[i] == Char('\r') && i + 1 < size && text[i + 1] == Char('\n')) ++i;
            ++i;
        }
    }
}

void AppendCodePoint(std::wstring& out, char32_t c) {
    if constexpr (kUtf16) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (c >> 10));
            out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
            return;
        }
    }
    out += static_cast<wchar_t>(c);
}

void AppendUtf8(std::string& out, char32_t c) {
    const auto byte = [&out](char32_t b) { out += static_cast<char>(b); };
    if (c < 0x80) {
        byte(c);
    } else if (c < 0x800) {
        byte(0xC0 | c >> 6);
        byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        byte(0xE0 | c >> 12);
        byte(0x80 | (c >> 6 & 0x3F));
        byte(0x80 | (c & 0x3F));
    } else {
        byte(0xF0 | c >> 18);
        byte(0x80 | (c >> 12 & 0x3F));
        byte(0x80 | (c >> 6 & 0x3F));
        byte(0x80 | (c & 0x3F));
    }
}

char32_t CodeUnit(wchar_t c) {
    return static_cast<std::make_unsigned_t<wchar_t>>(c);
}

// The length of the well-formed UTF-8 sequence at `i` with its code point in `c`; 0 when it is
// broken, with `c` then the number of bytes that belong to the broken sequence. The allowed range
// of the second byte rules out overlong forms, surrogates and values above U+10FFFF.
std::size_t Utf8Sequence(std::string_view bytes, std::size_t i, char32_t& c) {
    const auto lead = static_cast<std::uint8_t>(bytes[i]);
    std::size_t length = 0;
    std::uint8_t low = 0x80, high = 0xBF;
    if (lead < 0x80) {
        c = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0Fu;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07u;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        c = 1;
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const std::size_t next = i + k;
        const auto byte = next < bytes.size() ? static_cast<std::uint8_t>(bytes[next]) : std::uint8_t{0};
        if (next >= bytes.size() || byte < low || byte > high) {
            c = static_cast<char32_t>(k);
            return 0;
        }
        c = c << 6 | (byte & 0x3Fu);
        low = 0x80;
        high = 0xBF;
    }
    return length;
}

// The code units of UTF-16 bytes; an odd last byte is no unit and is dropped.
std::u16string Utf16Units(std::string_view bytes, bool bigEndian) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto first = static_cast<std::uint8_t>(bytes[2 * i]);
        const auto second = static_cast<std::uint8_t>(bytes[2 * i + 1]);
        units[i] = static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return units;
}

// A surrogate without its partner becomes one replacement.
std::wstring DecodeUtf16(std::u16string_view units) {
    std::wstring text;
    text.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00u);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendCodePoint(text, c);
    }
    return text;
}

void AppendLine(std::string& out, std::string_view text) {
    out += '"';
    out += text;
    out += "\"\r\n";
}

} // namespace

std::wstring DecodeUtf8(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t c = 0;
        const std::size_t length = Utf8Sequence(bytes, i, c);
        // A broken sequence becomes one replacement; the byte that broke it starts afresh.
        if (length)
            AppendCodePoint(text, c);
        else
            text += kReplacement;
        i += length ? length : std::max<std::size_t>(1, c);
    }
    return text;
}

bool LooksLikeUtf8(std::string_view bytes) {
    bool multiByte = false;
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t c = 0;
        const std::size_t length = Utf8Sequence(bytes, i, c);
        if (!length) return false;
        multiByte = multiByte || length > 1;
        i += length;
    }
    return multiByte;
}

std::string EncodeUtf8(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = CodeUnit(text[i]);
        // Pairs are joined whatever the width of wchar_t, so that the rule is the same everywhere.
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
            const char32_t second = CodeUnit(text[i + 1]);
            if (second >= 0xDC00 && second <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (second - 0xDC00);
                ++i;
            }
        }
        if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = kReplacement;
        AppendUtf8(bytes, c);
    }
    return bytes;
}

std::vector<std::wstring> ParseListText(std::wstring_view text) {
    std::vector<std::wstring> entries;
    ForEachField(text, [&entries](std::wstring_view field) {
        if (!field.empty()) entries.emplace_back(field);
    });
    return entries;
}

std::vector<std::wstring> ReadListFile(std::string_view bytes, const CodePage& ansi) {
    // Notepad's "Unicode" and "Unicode big endian": the fields are cut from the code units.
    const bool little = bytes.starts_with(kUtf16LeBom);
    if (little || bytes.starts_with(kUtf16BeBom)) {
        const std::u16string units = Utf16Units(bytes.substr(kUtf16LeBom.size()), !little);
        std::vector<std::wstring> entries;
        ForEachField(std::u16string_view(units), [&entries](std::u16string_view field) {
            if (!field.empty()) entries.push_back(DecodeUtf16(field));
        });
        return entries;
    }
    const bool marked = bytes.starts_with(kUtf8Bom);
    if (marked) bytes.remove_prefix(kUtf8Bom.size());
    // A file saved as UTF-8 by another editor has no mark; its bytes are rarely valid UTF-8 by chance.
    const bool utf8 = marked || LooksLikeUtf8(bytes);
    // Quotes, commas, blanks and line ends are bytes that no UTF-8 sequence and no double-byte
    // ANSI character contains, so the fields are cut from the bytes and decoded one by one: a
    // huge file never exists a second time as one decoded text.
    std::vector<std::wstring> entries;
    ForEachField(bytes, [&](std::string_view field) {
        if (field.empty()) return;
        std::wstring text = utf8 ? DecodeUtf8(field) : ansi.Decode(field);
        if (!text.empty()) entries.push_back(std::move(text));
    });
    return entries;
}

std::wstring StorableEntry(std::wstring_view entry) {
    std::wstring text;
    text.reserve(entry.size());
    for (std::size_t i = 0; i < entry.size(); ++i) {
        const wchar_t c = entry[i];
        if (c == L'"') {
            text += L"''";
        } else if (IsLineEnd(c)) {
            text += L' ';
            if (c == L'\r' && i + 1 < entry.size() && entry[i + 1] == L'\n') ++i;
        } else {
            text += c;
        }
    }
    return text;
}

std::string WriteListFile(const std::vector<std::wstring>& entries, const CodePage& ansi) {
    std::vector<std::wstring> lines;
    lines.reserve(entries.size());
    for (const auto& entry : entries)
        if (!entry.empty()) lines.push_back(StorableEntry(entry));

    const auto inUtf8 = [&lines] {
        // One entry the code page cannot hold puts the whole file in UTF-8.
        std::string file(kUtf8Bom);
        for (const auto& each : lines)
            AppendLine(file, EncodeUtf8(each));
        return file;
    };
    std::string file;
    for (const auto& line : lines) {
        const auto bytes = ansi.Encode(line);
        if (!bytes) return inUtf8();
        AppendLine(file, *bytes);
    }
    // Code-page bytes that happen to form UTF-8 ("Ã©") would read back as other text: they get the mark.
    if (LooksLikeUtf8(file) && ReadListFile(file, ansi) != lines) return inUtf8();
    return file;
}

} // namespace uplift
