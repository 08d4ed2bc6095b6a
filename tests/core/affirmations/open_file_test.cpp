#include "affirmations/open_file.h"

#include <gtest/gtest.h>

#include <tuple>

namespace uplift {
namespace {

using namespace std::literals;
using Names = std::vector<std::wstring>;

// File buffer, title buffer; FileName, FileTitle, the names, their folder.
TEST(ReadOpenFileBuffer, TakesOneOrSeveralNamesEachWhole) {
    // clang-format off
    const std::tuple<std::wstring_view, std::wstring_view, std::wstring, std::wstring, Names, std::wstring> cases[]{
        {L"C:\\P\\A\\I am enough.txt\0\0\0"sv, L"I am enough.txt\0\0"sv, L"", L"I am enough.txt", {L"I am enough.txt"}, L"C:\\P\\A"},
        {L"C:\\A\\I am calm\0\0"sv, L"\0"sv, L"", L"I am calm", {L"I am calm"}, L"C:\\A"},
        {L"C:\\A\\Be calm; be kind\0\0"sv, L"Be calm; be kind\0"sv, L"", L"Be calm; be kind", {L"Be calm; be kind"}, L"C:\\A"},
        {L"C:\\A\0b\0a\0c\0\0\0\0"sv, L"\0"sv, L"b;a;c", L"b;a;c", {L"b", L"a", L"c"}, L"C:\\A"},
        {L"C:\\A\0Be calm; be kind\0x\0\0"sv, L""sv, L"Be calm; be kind;x", L"Be calm; be kind;x", {L"Be calm; be kind", L"x"}, L"C:\\A"},
    };
    // clang-format on
    EXPECT_FALSE(ReadOpenFileBuffer(L"C:\\A\0a\0b"sv, L""sv) || ReadOpenFileBuffer(L"C:\\A\\I am"sv, L""sv))
        << "cut short";
    for (const auto& [file, title, fileName, fileTitle, names, folder] : cases) {
        const OpenFileChoice got = ReadOpenFileBuffer(file, title).value();
        EXPECT_EQ(std::tie(got.FileName, got.FileTitle, got.Names, got.Folder),
                  std::tie(fileName, fileTitle, names, folder));
    }
}

} // namespace
} // namespace uplift
