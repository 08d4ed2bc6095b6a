#pragma once
// Data.Lst: one double-quoted entry per line, CR LF, in the ANSI code page; UTF-8 with a
// byte-order mark when an entry cannot be written in the code page.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace uplift {

// Conversion between the program's text and the system's ANSI code page.
class CodePage {
public:
    virtual ~CodePage() = default;
    virtual std::wstring Decode(std::string_view bytes) const = 0;
    // Nothing when a character has no exact form in the code page.
    virtual std::optional<std::string> Encode(std::wstring_view text) const = 0;
};

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The non-empty fields of the file, in order, by the sequential-input field rules: blanks before a
// field skipped; a quoted field runs to the next quote, the rest of it up to the next comma or line
// end dropped; other fields run to the next comma or line end; CR, LF or CR LF end a line.
std::vector<std::wstring> ParseListText(std::wstring_view text);

// File bytes to entries: UTF-8 when they begin with its byte-order mark, otherwise the code page.
std::vector<std::wstring> ReadListFile(std::string_view bytes, const CodePage& ansi);

// An entry as the file can carry it: a double quote, which would end the entry early on reading,
// becomes two apostrophes (they fit every code page); a line break becomes one blank.
std::wstring StorableEntry(std::wstring_view entry);

// Entries to file bytes, each as StorableEntry gives it: empty entries are left out; the code page when every
// entry fits in it, otherwise UTF-8 with a byte-order mark.
std::string WriteListFile(const std::vector<std::wstring>& entries, const CodePage& ansi);

std::wstring DecodeUtf8(std::string_view bytes);
std::string EncodeUtf8(std::wstring_view text);

} // namespace uplift
