#include "affirmations/list_file_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <sddl.h>

#include <fstream>

namespace uplift::win {
namespace {

using Entries = std::vector<std::wstring>;

std::vector<BYTE> Access(const std::wstring& path) {
    std::vector<BYTE> rules(4096);
    DWORD size = 0;
    ::GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, rules.data(), 4096, &size);
    return rules;
}

TEST(ListFileSave, KeepsAttributesAndAccessClearsLeftoversAndTellsAPartialRead) {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring path =
        temp + (L"UpliftBeaconSave" + std::to_wstring(::GetCurrentProcessId())) + L".Lst";
    const std::wstring leftover = path + L".new";
    std::ofstream(leftover.c_str()) << "from a failed save";
    ::SetFileAttributesW(leftover.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    std::ofstream(path.c_str(), std::ios::binary) << "\"one\"\r\n\"two\"\r\n\"three\"\r\n";
    PSECURITY_DESCRIPTOR rules = nullptr;
    ::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;FA;;;WD)", SDDL_REVISION_1, &rules,
                                                           nullptr);
    ::SetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, rules);
    ::LocalFree(rules);
    const std::vector<BYTE> access = Access(path);
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ::SetFileAttributesW(path.c_str(), kKept);

    const ListFileContent cut = ReadListFileContent(path, 16);
    EXPECT_EQ(std::tie(cut.Entries, cut.Whole), std::tuple(Entries{L"one", L"two"}, false))
        << "no half entry";
    EXPECT_TRUE(ReadListFileContent(path).Whole && ReadListFileContent(path + L"x").Whole);
    const HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(ReadListFileContent(path).Whole) << "a file that is there but cannot be read";
    ::CloseHandle(held);

    ASSERT_EQ(WriteListFileAt(path, {L"new"}), std::nullopt);
    EXPECT_EQ(ReadListFileAt(path), Entries{L"new"});
    EXPECT_EQ(::GetFileAttributesW(path.c_str()) & kKept, kKept);
    EXPECT_EQ(Access(path), access);
    EXPECT_EQ(::GetFileAttributesW(leftover.c_str()), INVALID_FILE_ATTRIBUTES);
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(path.c_str());
}

} // namespace
} // namespace uplift::win
