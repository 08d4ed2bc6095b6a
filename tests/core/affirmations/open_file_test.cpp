#include "affirmations/open_file.h"

#include <gtest/gtest.h>

#include <tuple>

namespace uplift {
namespace {

using namespace std::literals;
using Names = std::vector<std::wstring>;

TEST(ReadOpenFileBuffer, TakesOneOrSeveralNamesEachWhole) {
    struct Case {
        std::wstring_view File, Title;
        std::wstring FileName, FileTitle;
        Names Chosen;
        std::wstring Folder;
    };
    const Case cases[]{
        {L"C:\\P\\Affirmations\\I am enough.txt\0\0\0"sv,
         L"I am enough.txt\0\0"sv,
         L"",
         L"I am enough.txt",
         {L"I am enough.txt"},
         L"C:\\P\\Affirmations"},
        {L"C:\\A\\I am calm\0\0"sv, L"\0"sv, L"", L"I am calm", {L"I am calm"}, L"C:\\A"},
        {L"C:\\A\\Be calm; be kind\0\0"sv,
         L"Be calm; be kind\0"sv,
         L"",
         L"Be calm; be kind",
         {L"Be calm; be kind"},
         L"C:\\A"},
        {L"C:\\A\0b\0a\0c\0\0\0\0"sv, L"\0"sv, L"b;a;c", L"b;a;c", {L"b", L"a", L"c"}, L"C:\\A"},
        {L"C:\\A\0Be calm; be kind\0x\0\0"sv,
         L""sv,
         L"Be calm; be kind;x",
         L"Be calm; be kind;x",
         {L"Be calm; be kind", L"x"},
         L"C:\\A"},
        {L"C:\\A\0a\0b"sv, L""sv, L"a;b", L"a;b", {L"a", L"b"}, L"C:\\A"}, // a buffer filled to its end
    };
    for (const Case& c : cases) {
        const OpenFileChoice got = ReadOpenFileBuffer(c.File, c.Title);
        EXPECT_EQ(std::tie(got.FileName, got.FileTitle, got.Names, got.Folder),
                  std::tie(c.FileName, c.FileTitle, c.Chosen, c.Folder))
            << testing::PrintToString(std::wstring(c.File));
    }
}

TEST(OpenFileSettings, ReadyMadeRequestsFlagsAndFilter) {
    OpenFileSettings settings;
    SetReadyMadeRequest(settings, L"C:\\Program", false);
    EXPECT_EQ(std::tie(settings.Flags, settings.InitDir, settings.DialogTitle),
              std::make_tuple(0x81804u, L"C:\\Program\\Affirmations"s,
                              L"Please select affirmations to add to list"s));
    SetReadyMadeRequest(settings, L"C:\\", true);
    EXPECT_EQ(std::tie(settings.Flags, settings.InitDir), std::make_tuple(0x81A04u, L"C:\\Affirmations"s));
    EXPECT_EQ(OpenFileFlags(settings), 0x81A04u);
    settings.ReadOnly = true;
    settings.Flags |= 0x60; // a hook and a template are never asked for
    EXPECT_EQ(OpenFileFlags(settings), 0x81A05u);
    EXPECT_EQ(OpenFileFilter(L"Text (*.txt)|*.txt:All|*.*"), L"Text (*.txt)\0*.txt\0All\0*.*\0\0"sv);
    EXPECT_EQ(OpenFileFilter(L""), L"\0\0"sv);
}

} // namespace
} // namespace uplift
