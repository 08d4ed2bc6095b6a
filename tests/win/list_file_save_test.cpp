#include "affirmations/list_file_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <sddl.h>

#include <fstream>
#include <string>

namespace uplift::win {
namespace {

using Entries = std::vector<std::wstring>;

void Put(const std::wstring& path, const std::string& bytes) {
    std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << bytes;
}

// The access rules as text; empty when they cannot be read.
std::wstring Dacl(const std::wstring& path) {
    DWORD needed = 0;
    ::GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    std::vector<BYTE> sd(needed);
    wchar_t* text = nullptr;
    if (!needed || !::GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, sd.data(), needed, &needed) ||
        !::ConvertSecurityDescriptorToStringSecurityDescriptorW(sd.data(), SDDL_REVISION_1,
                                                                DACL_SECURITY_INFORMATION, &text, nullptr))
        return {};
    std::wstring result(text);
    ::LocalFree(text);
    return result;
}

TEST(ListFileSave, KeepsAttributesAndAccessClearsLeftoversAndTellsAPartialRead) {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder =
        temp + std::wstring(L"UpliftBeaconSave") + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = ListFilePath(folder), leftover = path + L".new";
    Put(leftover, "from a failed save");
    ::SetFileAttributesW(leftover.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    Put(path, "\"one\"\r\n\"two\"\r\n\"three\"\r\n");
    PSECURITY_DESCRIPTOR sd = nullptr;
    ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;FA;;;WD)", SDDL_REVISION_1,
                                                                       &sd, nullptr));
    ::SetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, sd);
    ::LocalFree(sd);
    const std::wstring access = Dacl(path);
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ::SetFileAttributesW(path.c_str(), kKept);

    EXPECT_EQ(ReadListFileContent(path, 16).Entries, (Entries{L"one", L"two"})) << "no half entry at the cut";
    EXPECT_FALSE(ReadListFileContent(path, 16).Whole);
    EXPECT_TRUE(ReadListFileContent(path).Whole);
    EXPECT_TRUE(ReadListFileContent(path + L"x").Whole) << "a missing file is an empty list, read whole";
    {
        const HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_FALSE(ReadListFileContent(path).Whole) << "a file that cannot be opened";
        ::CloseHandle(held);
    }

    ASSERT_EQ(WriteListFileAt(path, {L"new"}), std::nullopt);
    EXPECT_EQ(ReadListFileAt(path), Entries{L"new"});
    EXPECT_EQ(::GetFileAttributesW(path.c_str()) & kKept, kKept);
    EXPECT_EQ(Dacl(path), access);
    EXPECT_EQ(::GetFileAttributesW(leftover.c_str()), INVALID_FILE_ATTRIBUTES);

    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(path.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

} // namespace
} // namespace uplift::win
