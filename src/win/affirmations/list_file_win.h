#pragma once
// Reading and writing Data.Lst on disk.

#include "affirmations/list_file.h"

#include <optional>
#include <string>
#include <vector>

namespace uplift::win {

// The system's ANSI code page, exactly: a character without its own byte form does not encode.
class AnsiCodePage final : public CodePage {
public:
    std::wstring Decode(std::string_view bytes) const override;
    std::optional<std::string> Encode(std::wstring_view text) const override;
};

std::wstring ListFilePath(const std::wstring& programFolder); // <folder>\Data.Lst

inline constexpr long long kMaxListFileBytes = 64LL * 1024 * 1024;

struct ListFileContent {
    std::vector<std::wstring> Entries;
    // False when the file is there but was not read to its end (too large, in use, unreadable):
    // saving these entries would lose the rest.
    bool Whole = true;
};

// A missing or unreadable file is an empty list. Of a file larger than `maxBytes` only the lines
// that end within the first `maxBytes` are read.
ListFileContent ReadListFileContent(const std::wstring& path, long long maxBytes = kMaxListFileBytes);
inline std::vector<std::wstring> ReadListFileAt(const std::wstring& path) {
    return ReadListFileContent(path).Entries;
}

// Writes the whole list into a new file beside the old one and then puts it in the old one's
// place, so that a failure leaves the saved list as it was. The new file keeps the old one's
// security and attributes, except read-only: a read-only file is replaced all the same. Returns
// the failure's description, or nothing on success.
std::optional<std::wstring> WriteListFileAt(const std::wstring& path,
                                            const std::vector<std::wstring>& entries);

} // namespace uplift::win
