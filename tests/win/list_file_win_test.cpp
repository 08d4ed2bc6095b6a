#include "affirmations/list_file_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <sddl.h>

#include <filesystem>
#include <fstream>

namespace uplift::win {
namespace {

using Entries = std::vector<std::wstring>;

class ListFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override { ::CreateDirectoryW(folder.c_str(), nullptr); }
    void TearDown() override {
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(path.c_str());
        ::RemoveDirectoryW(folder.c_str());
    }
    std::string Bytes() const {
        std::ifstream in(std::filesystem::path(path), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void Put(const std::wstring& at, const std::string& bytes) {
        std::ofstream(std::filesystem::path(at), std::ios::binary) << bytes;
    }
    std::vector<BYTE> Access() const {
        std::vector<BYTE> rules(4096);
        DWORD size = 0;
        ::GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, rules.data(), 4096, &size);
        return rules;
    }

    const std::wstring folder = std::filesystem::temp_directory_path() /
                                ("UpliftBeaconListTest" + std::to_string(::GetCurrentProcessId()));
    const std::wstring path = ListFilePath(folder);
};

TEST_F(ListFileOnDisk, WritesTheCodePageOrElseUtf8AndReadsItBackNulsAndLongLinesToo) {
    EXPECT_EQ(ListFilePath(L"C:\\"), L"C:\\Data.Lst");
    EXPECT_TRUE(ReadListFileAt(path).empty()) << "a missing file is an empty list";
    const std::pair<Entries, std::string> cases[]{
        {{L"Be calm, be kind", L"", L" Café "}, "\"Be calm, be kind\"\r\n\" Caf\xE9 \"\r\n"},
        {{L"Café", L"日本語 ✓", L"\U0001F600"},
         "\xEF\xBB\xBF\"Caf\xC3\xA9\"\r\n\"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E "
         "\xE2\x9C\x93\"\r\n\"\xF0\x9F\x98\x80\"\r\n"},
        {{}, ""}};
    for (const auto& [entries, bytes] : cases) {
        ASSERT_EQ(WriteListFileAt(path, entries), std::nullopt);
        EXPECT_EQ(Bytes(), bytes);
        Entries expected = entries;
        std::erase(expected, L"");
        EXPECT_EQ(ReadListFileAt(path), expected);
    }
    // A line longer than one slice of the read.
    Put(path, std::string("\"a\0b\"\r\n", 7) + std::string(1 << 20, 'x') + "\r\n\"after\"\r\n");
    EXPECT_EQ(ReadListFileAt(path),
              (Entries{std::wstring(L"a\0b", 3), std::wstring(1 << 20, L'x'), L"after"}));
}

TEST_F(ListFileOnDisk, ASaveKeepsTheListsAttributesAndAccessAndClearsWhatAFailedOneLeft) {
    const std::wstring leftover = path + L".new";
    Put(leftover, "from a failed save");
    ::SetFileAttributesW(leftover.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    Put(path, "\"one\"\r\n\"two\"\r\n\"three\"\r\n");
    PSECURITY_DESCRIPTOR rules = nullptr;
    ::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;FA;;;WD)", SDDL_REVISION_1, &rules,
                                                           nullptr);
    ::SetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, rules);
    ::LocalFree(rules);
    const std::vector<BYTE> access = Access();
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
    EXPECT_EQ(Access(), access);
    EXPECT_EQ(::GetFileAttributesW(leftover.c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
} // namespace uplift::win
