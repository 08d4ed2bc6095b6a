#include "affirmations/list_file_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace uplift::win {
namespace {

using Entries = std::vector<std::wstring>;

class ListFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"UpliftBeaconListTest" + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(folder_.c_str(), nullptr);
        path_ = ListFilePath(folder_);
    }
    void TearDown() override {
        ::SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(path_.c_str());
        ::RemoveDirectoryW(folder_.c_str());
    }
    std::string Bytes() const {
        std::ifstream in(std::filesystem::path(path_), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void Put(const std::string& bytes) const {
        std::ofstream(std::filesystem::path(path_), std::ios::binary | std::ios::trunc) << bytes;
    }

    std::wstring folder_, path_;
};

TEST_F(ListFileOnDisk, WritesQuotedLinesInTheCodePageOrElseUtf8AndReadsThemBack) {
    EXPECT_EQ(ListFilePath(L"C:\\"), L"C:\\Data.Lst");
    EXPECT_TRUE(ReadListFileAt(path_).empty()) << "a missing file is an empty list";

    ASSERT_EQ(WriteListFileAt(path_, {L"Be calm, be kind", L"", L" Café "}), std::nullopt);
    EXPECT_EQ(Bytes(), "\"Be calm, be kind\"\r\n\" Caf\xE9 \"\r\n");
    EXPECT_EQ(ReadListFileAt(path_), (Entries{L"Be calm, be kind", L" Café "}));

    const Entries beyond{L"Café", L"日本語 ✓"};
    ASSERT_EQ(WriteListFileAt(path_, beyond), std::nullopt);
    EXPECT_EQ(Bytes(),
              "\xEF\xBB\xBF\"Caf\xC3\xA9\"\r\n\"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E \xE2\x9C\x93\"\r\n");
    EXPECT_EQ(ReadListFileAt(path_), beyond);

    ASSERT_EQ(WriteListFileAt(path_, {}), std::nullopt);
    EXPECT_EQ(Bytes(), "") << "an empty list is an empty file";
}

TEST_F(ListFileOnDisk, ReplacesAReadOnlyListButAFailedSaveKeepsTheSavedOneAndSaysWhy) {
    Put("\"old\"\r\n");
    ::SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_EQ(WriteListFileAt(path_, {L"kept"}), std::nullopt);
    EXPECT_EQ(ReadListFileAt(path_), Entries{L"kept"});

    // The new file cannot be created while a folder stands in its place.
    ASSERT_TRUE(::CreateDirectoryW((path_ + L".new").c_str(), nullptr));
    const auto failure = WriteListFileAt(path_, {L"lost"});
    ::RemoveDirectoryW((path_ + L".new").c_str());
    ASSERT_TRUE(failure.has_value());
    EXPECT_FALSE(failure->empty());
    EXPECT_EQ(ReadListFileAt(path_), Entries{L"kept"});
}

TEST_F(ListFileOnDisk, DamagedFilesGiveBoundedResults) {
    Put(std::string("\"a\0b\"\r\n\"c\"\r\n", 11));
    EXPECT_EQ(ReadListFileAt(path_), (Entries{std::wstring(L"a\0b", 3), L"c"}));

    Put(std::string(1 << 20, 'x') + "\r\n\"after\"\r\n"); // longer than one slice of the conversion
    const auto entries = ReadListFileAt(path_);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].size(), 1u << 20);
    EXPECT_EQ(entries[1], L"after");
}

} // namespace
} // namespace uplift::win
