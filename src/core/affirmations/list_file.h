#pragma once
// Data.Lst: one double-quoted entry per line, CR LF, in the ANSI code page; UTF-8 with a
// byte-order mark when an entry cannot be written in the code page. A file without the mark whose
// bytes are UTF-8 beyond ASCII is read as UTF-8; one with the mark of UTF-16 (either byte order), as
// another editor may save it, is read as UTF-16.

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
inline constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
inline constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// The non-empty fields of the file, in order, by the sequential-input field rules: blanks before a
// field skipped; a quoted field runs to the next quote, the rest of it up to the next comma or line
// end dropped; other fields run to the next comma or line end; CR, LF or CR LF end a line.
std::vector<std::wstring> ParseListText(std::wstring_view text);

// File bytes to entries: UTF-16 when they begin with its byte-order mark (little or big endian);
// UTF-8 when they begin with its mark, or when they are valid UTF-8 and hold a character beyond
// ASCII; otherwise the code page.
std::vector<std::wstring> ReadListFile(std::string_view bytes, const CodePage& ansi);

// An entry as the file can carry it: a double quote, which would end the entry early on reading,
// becomes two apostrophes (they fit every code page); a line break becomes one blank.
std::wstring StorableEntry(std::wstring_view entry);

// Entries to file bytes, each as StorableEntry gives it: empty entries are left out; the code page when every
// entry fits in it and the bytes read back as the same entries, otherwise UTF-8 with a byte-order mark.
std::string WriteListFile(const std::vector<std::wstring>& entries, const CodePage& ansi);

std::wstring DecodeUtf8(std::string_view bytes);
// Well-formed UTF-8 with at least one character beyond ASCII.
bool LooksLikeUtf8(std::string_view bytes);
std::string EncodeUtf8(std::wstring_view text);

} // namespace uplift
