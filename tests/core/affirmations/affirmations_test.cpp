#include "affirmations/list_model.h"
#include "affirmations/open_file.h"
#include "affirmations/random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <tuple>

namespace uplift {
namespace {

using namespace std::literals;
using Entries = std::vector<std::wstring>;
using Indexes = std::vector<std::size_t>;
// Entries, current, selected, and what the list click procedure shows in the text box.
using State = std::tuple<Entries, std::optional<std::size_t>, Indexes, std::wstring>;

State StateOf(ListModel& list) {
    Indexes selected;
    for (std::size_t i = 0; i < list.Entries().size(); ++i)
        if (list.Selected(i)) selected.push_back(i);
    std::wstring shown;
    list.ListClick([&](std::wstring_view text) {
        shown = text;
        EXPECT_FALSE(list.TextChanged(L"written back")) << "the text box filled from the list";
    });
    return {list.Entries(), list.Current(), selected, shown};
}

TEST(ListModel, ProceduresKeepTheCurrentAndSelectedEntries) {
    const Entries five{L"a", L"b", L"c", L"d", L"e"};
    using L = ListModel&;
    // clang-format off
    const std::tuple<const char*, Entries, std::function<void(L)>, State> cases[]{
        {"add, type, add", {}, [](L l) { l.Add(), l.TextChanged(L"abc"), l.Add(); }, {{L"abc", L""}, 1, {1}, L""}},
        {"typing, nothing current", {L"a"}, [](L l) { l.TextChanged(L"x"); }, {{L"a"}, {}, {}, L""}},
        {"three deleted", five, [](L l) { l.Choose(1, Indexes{1, 2, 4}), l.Delete(); }, {{L"a", L"d"}, 1, {1}, L"d"}},
        {"none selected", five, [](L l) { l.Choose(1, {}), l.Delete(); }, {five, 1, {1}, L"b"}},
        {"current stays", five, [](L l) { l.Choose(3, Indexes{0, 9}), l.Delete(); }, {{L"b", L"c", L"d", L"e"}, 2, {2}, L"d"}},
        {"last deleted", five, [](L l) { l.Choose(4, Indexes{3, 4}), l.Delete(); }, {{L"a", L"b", L"c"}, 2, {2}, L"c"}},
        {"all deleted", {L"a"}, [](L l) { l.Choose(0, Indexes{0}), l.Delete(); }, {{}, {}, {}, L""}},
        {"after-add, none", {L"a"}, [](L l) { l.Append(Entries{L"b"}), l.AfterAdd(); }, {{L"a", L"b"}, 0, {0}, L"a"}},
        {"after-add, one", five, [](L l) { l.Choose(2, Indexes{4}), l.AfterAdd(); }, {five, 2, {2, 4}, L"c"}},
    };
    // clang-format on
    for (const auto& [name, initial, steps, expected] : cases) {
        ListModel list(initial);
        steps(list);
        EXPECT_EQ(StateOf(list), expected) << name;
    }
}

TEST(ListModel, HoldsAtMost32767EntriesAndLosesNothingPastThem) {
    ListModel list(Entries(ListModel::kMaxEntries + 5, L"x"));
    EXPECT_EQ((list.Choose(0, Indexes{0, 2}), list.Delete()), (Indexes{0, 2})) << "the indexes removed";
    EXPECT_EQ(list.Append(Entries{L"p", L"q", L"r"}), 2u);
    list.Choose(3, Indexes{0});
    EXPECT_FALSE(list.Add());
    EXPECT_EQ(StateOf(list), (State{list.Entries(), 3, {0}, L"x"})) << "a refused Add changes nothing";
    EXPECT_EQ(std::tuple(list.Entries().size(), list.Entries().back()),
              std::tuple(ListModel::kMaxEntries, L"q"));
}

// File buffer, title buffer; FileName, FileTitle, the names, their folder.
TEST(ReadOpenFileBuffer, TakesOneOrSeveralNamesEachWhole) {
    // clang-format off
    const std::tuple<std::wstring_view, std::wstring_view, std::wstring, std::wstring, Entries, std::wstring> cases[]{
        {L"C:\\P\\A\\I am enough.txt\0\0\0"sv, L"I am enough.txt\0\0"sv, L"", L"I am enough.txt", {L"I am enough.txt"}, L"C:\\P\\A"},
        {L"C:\\A\\I am calm\0\0"sv, L"\0"sv, L"", L"I am calm", {L"I am calm"}, L"C:\\A"},
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

// An index lies inside the list, 0 without one; the sequence itself is pinned where the showings draw.
TEST(UniformRandom, IndexesInsideTheList) {
    UniformRandom random;
    for (const std::int64_t count : {std::int64_t{0}, INT64_MIN, (std::int64_t{1} << 53) + 1, INT64_MAX})
        for (int i = 0; i < 2000; ++i) {
            const std::int64_t index = random.NextIndex(count);
            ASSERT_TRUE(count < 1 ? index == 0 : index >= 1 && index <= count) << count << " gave " << index;
        }
}

} // namespace
} // namespace uplift
