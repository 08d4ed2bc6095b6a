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

// A missing or unreadable file is an empty list. Only the first kMaxListFileBytes are read.
std::vector<std::wstring> ReadListFileAt(const std::wstring& path);
inline constexpr long long kMaxListFileBytes = 64LL * 1024 * 1024;

// Writes the whole list into a new file beside the old one and then puts it in the old one's
// place, so that a failure leaves the saved list as it was. A read-only file is replaced all the
// same. Returns the failure's description, or nothing on success.
std::optional<std::wstring> WriteListFileAt(const std::wstring& path,
                                            const std::vector<std::wstring>& entries);

} // namespace uplift::win
