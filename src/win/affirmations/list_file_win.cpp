#include "affirmations/list_file_win.h"

#include "forms/unique_handle.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace uplift::win {

namespace {

// CreateFileW reports failure as INVALID_HANDLE_VALUE, not as a null handle.
unique_kernel_handle OpenFile(const std::wstring& path, DWORD access, DWORD share, DWORD disposition,
                              DWORD flags, decltype(&::CreateFileW) create = ::CreateFileW) {
    HANDLE h = create(path.c_str(), access, share, nullptr, disposition, flags, nullptr);
    return unique_kernel_handle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

std::wstring ErrorDescription(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                              FORMAT_MESSAGE_IGNORE_INSERTS,
                                          nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : L"Error " + std::to_wstring(error);
    if (buffer) ::LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text;
}

bool WriteAll(const ListFileCalls& calls, HANDLE file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!calls.WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

bool SetEnd(const ListFileCalls& calls, HANDLE file, std::size_t size) {
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(size);
    return calls.SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && calls.SetEndOfFile(file);
}

// The owner, group and access rules of `from` onto `to`; the owner and group only as far as the
// process may set them.
bool CopySecurity(const ListFileCalls& calls, const std::wstring& from, const std::wstring& to) {
    constexpr SECURITY_INFORMATION kAll =
        OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    DWORD needed = 0;
    calls.GetFileSecurity(from.c_str(), kAll, nullptr, 0, &needed);
    if (needed == 0) return false;
    std::vector<BYTE> descriptor(needed);
    if (!calls.GetFileSecurity(from.c_str(), kAll, descriptor.data(), needed, &needed)) return false;
    return calls.SetFileSecurity(to.c_str(), kAll, descriptor.data()) ||
           calls.SetFileSecurity(to.c_str(), DACL_SECURITY_INFORMATION, descriptor.data());
}

// The number of names of the file; nothing when it cannot be told.
std::optional<DWORD> LinkCount(const ListFileCalls& calls, const std::wstring& path) {
    const unique_kernel_handle file =
        OpenFile(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                 OPEN_EXISTING, 0, calls.CreateFile);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || !calls.GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
    return info.nNumberOfLinks;
}

// The new bytes over the old ones in the file itself; when they cannot be written whole (a full
// disk), the old ones are written back.
std::optional<DWORD> Overwrite(const ListFileCalls& calls, const std::wstring& path, std::string_view bytes) {
    const unique_kernel_handle file =
        OpenFile(path, GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING, 0, calls.CreateFile);
    if (!file) return ::GetLastError();
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) return ::GetLastError();
    if (size.QuadPart > kMaxListFileBytes) return ERROR_FILE_TOO_LARGE;
    std::string old(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!old.empty() &&
        (!::ReadFile(file.get(), old.data(), static_cast<DWORD>(old.size()), &read, nullptr) ||
         read != old.size()))
        return ::GetLastError();
    const auto put = [&](std::string_view content) {
        return calls.SetFilePointerEx(file.get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN) &&
               WriteAll(calls, file.get(), content) && SetEnd(calls, file.get(), content.size()) &&
               calls.FlushFileBuffers(file.get());
    };
    if (put(bytes)) return std::nullopt;
    // The old bytes fit where they were: writing them back needs no room the disk may lack.
    const DWORD error = ::GetLastError();
    put(old);
    return error;
}

} // namespace

std::wstring AnsiCodePage::Decode(std::string_view bytes) const {
    if (bytes.empty()) return {};
    std::wstring text;
    // Converted in slices so that a huge file never needs one huge call; a slice ends after a
    // line end, which never splits a double-byte character.
    constexpr std::size_t kSlice = 1u << 20;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = std::min(bytes.size(), start + kSlice);
        if (end < bytes.size()) {
            const std::size_t lineEnd = bytes.rfind('\n', end - 1);
            if (lineEnd != std::string_view::npos && lineEnd >= start) end = lineEnd + 1;
        }
        const auto slice = bytes.substr(start, end - start);
        const int count =
            ::MultiByteToWideChar(CP_ACP, 0, slice.data(), static_cast<int>(slice.size()), nullptr, 0);
        if (count > 0) {
            const std::size_t at = text.size();
            text.resize(at + static_cast<std::size_t>(count));
            ::MultiByteToWideChar(CP_ACP, 0, slice.data(), static_cast<int>(slice.size()), text.data() + at,
                                  count);
        }
        start = end;
    }
    return text;
}

std::optional<std::string> AnsiCodePage::Encode(std::wstring_view text) const {
    if (text.empty()) return std::string();
    if (text.size() > 0x3FFFFFFF) return std::nullopt;
    BOOL usedDefault = FALSE;
    const int length = static_cast<int>(text.size());
    const int count = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0,
                                            nullptr, &usedDefault);
    if (count <= 0 || usedDefault) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(count), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, bytes.data(), count, nullptr,
                          &usedDefault);
    if (usedDefault) return std::nullopt;
    return bytes;
}

std::wstring ListFilePath(const std::wstring& programFolder) {
    if (!programFolder.empty() && programFolder.back() == L'\\') return programFolder + L"Data.Lst";
    return programFolder + L"\\Data.Lst";
}

ListFileContent ReadListFileContent(const std::wstring& path, long long maxBytes) {
    const unique_kernel_handle file = OpenFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                               OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN);
    if (!file) {
        // A missing file is an empty list; one that is there but cannot be read is not.
        const DWORD error = ::GetLastError();
        return {{}, error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND};
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) return {{}, false};
    if (size.QuadPart <= 0) return {};
    std::string bytes(static_cast<std::size_t>(std::min(size.QuadPart, maxBytes)), '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        DWORD read = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - got, 1u << 20));
        if (!::ReadFile(file.get(), bytes.data() + got, chunk, &read, nullptr) || read == 0) break;
        got += read;
    }
    const bool whole = got == static_cast<unsigned long long>(size.QuadPart);
    // The entry at the cut is left out rather than shown in half.
    bytes.resize(whole ? got : bytes.find_last_of("\r\n", got ? got - 1 : 0) + 1);
    return {ReadListFile(bytes, AnsiCodePage{}), whole};
}

ListFileCalls& SaveCalls() {
    static ListFileCalls calls;
    return calls;
}

std::optional<std::wstring> WriteListFileAt(const std::wstring& path,
                                            const std::vector<std::wstring>& entries) {
    const ListFileCalls& calls = SaveCalls();
    const std::string bytes = WriteListFile(entries, AnsiCodePage{});
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    const bool existed = attributes != INVALID_FILE_ATTRIBUTES;
    // A read-only list is replaced rather than refused; when the save fails it is read-only again.
    const bool readOnly = existed && (attributes & FILE_ATTRIBUTE_READONLY);
    const auto failed = [&](DWORD error) -> std::optional<std::wstring> {
        if (readOnly) calls.SetFileAttributes(path.c_str(), attributes);
        return ErrorDescription(error);
    };
    if (existed) {
        const auto links = LinkCount(calls, path);
        if (!links) return ErrorDescription(::GetLastError());
        if (*links > 1) {
            if (readOnly && !calls.SetFileAttributes(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY))
                return ErrorDescription(::GetLastError());
            const auto error = Overwrite(calls, path, bytes);
            return error ? failed(*error) : std::nullopt;
        }
    }

    const std::wstring temporary = path + L".new";
    const auto removeTemporary = [&] {
        ::SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(temporary.c_str());
    };
    removeTemporary(); // what a failed save may have left behind must not stand in the way of this one
    const auto discard = [&](DWORD error) {
        removeTemporary();
        return failed(error);
    };
    bool written = false;
    DWORD error = ERROR_SUCCESS;
    {
        const unique_kernel_handle file =
            OpenFile(temporary, GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, calls.CreateFile);
        written = file && WriteAll(calls, file.get(), bytes) && calls.FlushFileBuffers(file.get());
        if (!written) error = ::GetLastError();
    } // closed before it may go
    if (!written) return discard(error);
    // The new file carries what the old one did but read-only: its other attributes, then its owner
    // and access rules (which the platform may change with the attributes).
    constexpr DWORD kCarried = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                               FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (existed && (attributes & kCarried) &&
        !calls.SetFileAttributes(temporary.c_str(), attributes & kCarried))
        return discard(::GetLastError());
    if (existed && !CopySecurity(calls, path, temporary)) return discard(::GetLastError());
    if (readOnly && !calls.SetFileAttributes(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY))
        return discard(::GetLastError());
    if (!calls.MoveFileEx(temporary.c_str(), path.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return discard(::GetLastError());
    return std::nullopt;
}

} // namespace uplift::win
