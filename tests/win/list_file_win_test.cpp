#include "affirmations/list_file_win.h"

#include <gtest/gtest.h>

#include <windows.h>

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
        ::DeleteFileW(path.c_str()), ::RemoveDirectoryW(folder.c_str());
    }
    std::string Bytes() const {
        std::ifstream in(std::filesystem::path(path), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void Put(const std::string& bytes) const {
        std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
    }

    const std::wstring folder = std::filesystem::temp_directory_path() /
                                ("UpliftBeaconListTest" + std::to_string(::GetCurrentProcessId()));
    const std::wstring path = ListFilePath(folder);
};

TEST_F(ListFileOnDisk, WritesTheCodePageOrElseUtf8ReadsItBackAndAnEmptyListIsAnEmptyFile) {
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
}

TEST_F(ListFileOnDisk, ReplacesAReadOnlyListButAFailedSaveKeepsTheSavedOneAndSaysWhy) {
    Put("\"old\"\r\n");
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_EQ(WriteListFileAt(path, {L"kept"}), std::nullopt);
    EXPECT_EQ(ReadListFileAt(path), Entries{L"kept"});
    ASSERT_TRUE(::CreateDirectoryW((path + L".new").c_str(), nullptr)); // the new file cannot be made
    const auto failure = WriteListFileAt(path, {L"lost"});
    ::RemoveDirectoryW((path + L".new").c_str());
    EXPECT_TRUE(failure && !failure->empty());
    EXPECT_EQ(ReadListFileAt(path), Entries{L"kept"});
}

TEST_F(ListFileOnDisk, ReadsNulsAndLinesLongerThanOneSliceOfTheRead) {
    Put(std::string("\"a\0b\"\r\n", 7) + std::string(1 << 20, 'x') + "\r\n\"after\"\r\n");
    EXPECT_EQ(ReadListFileAt(path),
              (Entries{std::wstring(L"a\0b", 3), std::wstring(1 << 20, L'x'), L"after"}));
}

} // namespace
} // namespace uplift::win
