#include "affirmations/list_file_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace uplift::win {
namespace {

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
        ::DeleteFileW((path_ + L".new").c_str());
        ::RemoveDirectoryW(folder_.c_str());
    }
    std::string Bytes() const {
        std::ifstream in(std::filesystem::path(path_), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void Put(const std::string& bytes) const {
        std::ofstream out(std::filesystem::path(path_), std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    std::wstring folder_;
    std::wstring path_;
};

TEST_F(ListFileOnDisk, MissingFileIsAnEmptyList) {
    EXPECT_TRUE(ReadListFileAt(path_).empty());
    EXPECT_EQ(ListFilePath(L"C:\\"), L"C:\\Data.Lst");
    EXPECT_EQ(ListFilePath(L"C:\\Apps\\Uplift"), L"C:\\Apps\\Uplift\\Data.Lst");
}

TEST_F(ListFileOnDisk, WritesQuotedLinesAndReadsThemBack) {
    ASSERT_EQ(WriteListFileAt(path_, {L"Be calm, be kind", L"", L" I can "}), std::nullopt);
    EXPECT_EQ(Bytes(), "\"Be calm, be kind\"\r\n\" I can \"\r\n");
    EXPECT_EQ(ReadListFileAt(path_), (std::vector<std::wstring>{L"Be calm, be kind", L" I can "}));

    ASSERT_EQ(WriteListFileAt(path_, {}), std::nullopt);
    EXPECT_EQ(Bytes(), "") << "an empty list is an empty file";
    EXPECT_TRUE(ReadListFileAt(path_).empty());
}

TEST_F(ListFileOnDisk, TextOutsideTheCodePageIsKeptAsUtf8) {
    const std::vector<std::wstring> entries{L"Café", L"日本語 ✓"};
    ASSERT_EQ(WriteListFileAt(path_, entries), std::nullopt);
    EXPECT_EQ(Bytes().substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(ReadListFileAt(path_), entries);

    ASSERT_EQ(WriteListFileAt(path_, {L"Café"}), std::nullopt);
    EXPECT_EQ(Bytes(), "\"Caf\xE9\"\r\n") << "ANSI whenever every entry fits";
}

TEST_F(ListFileOnDisk, ReplacesAReadOnlyList) {
    Put("\"old\"\r\n");
    ::SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_EQ(WriteListFileAt(path_, {L"new"}), std::nullopt);
    EXPECT_EQ(ReadListFileAt(path_), std::vector<std::wstring>{L"new"});
}

TEST_F(ListFileOnDisk, AFailedSaveLeavesTheSavedListAndSaysWhy) {
    Put("\"kept\"\r\n");
    // The new file cannot be created while a folder stands in its place.
    ASSERT_TRUE(::CreateDirectoryW((path_ + L".new").c_str(), nullptr));
    const auto failure = WriteListFileAt(path_, {L"lost"});
    ::RemoveDirectoryW((path_ + L".new").c_str());
    ASSERT_TRUE(failure.has_value());
    EXPECT_FALSE(failure->empty());
    EXPECT_EQ(ReadListFileAt(path_), std::vector<std::wstring>{L"kept"});
}

TEST_F(ListFileOnDisk, DamagedFilesGiveBoundedResults) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>(i * 37 % 256);
    Put(binary);
    EXPECT_NO_THROW(ReadListFileAt(path_));

    Put(std::string("\"a\0b\"\r\n\"c\"\r\n", 11));
    EXPECT_EQ(ReadListFileAt(path_).size(), 2u);

    Put(std::string(1 << 20, 'x') + "\r\n\"after\"\r\n");
    const auto entries = ReadListFileAt(path_);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].size(), 1u << 20);
    EXPECT_EQ(entries[1], L"after");
}

} // namespace
} // namespace uplift::win
