#pragma once
// Reading and writing Data.Lst on disk.

#include "affirmations/list_file.h"

#include <windows.h>

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
// place, so that a failure leaves the saved list as it was and no new file behind. The new file
// keeps the old one's security and attributes, except read-only: a read-only file is replaced all
// the same. A file with more than one name is written over in place instead (a new file would take
// only this name and leave the other with the old list), and written back as it was when that
// fails. Returns the failure's description, or nothing on success.
std::optional<std::wstring> WriteListFileAt(const std::wstring& path,
                                            const std::vector<std::wstring>& entries);

// The file calls of a save, in one table so that a test can make each of them fail in turn.
struct ListFileCalls {
    decltype(&::CreateFileW) CreateFile = ::CreateFileW;
    decltype(&::WriteFile) WriteFile = ::WriteFile;
    decltype(&::FlushFileBuffers) FlushFileBuffers = ::FlushFileBuffers;
    decltype(&::SetFilePointerEx) SetFilePointerEx = ::SetFilePointerEx;
    decltype(&::SetEndOfFile) SetEndOfFile = ::SetEndOfFile;
    decltype(&::GetFileInformationByHandle) GetFileInformationByHandle = ::GetFileInformationByHandle;
    decltype(&::SetFileAttributesW) SetFileAttributes = ::SetFileAttributesW;
    decltype(&::GetFileSecurityW) GetFileSecurity = ::GetFileSecurityW;
    decltype(&::SetFileSecurityW) SetFileSecurity = ::SetFileSecurityW;
    decltype(&::MoveFileExW) MoveFileEx = ::MoveFileExW;
};
ListFileCalls& SaveCalls();

} // namespace uplift::win
