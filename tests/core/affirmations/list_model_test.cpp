#include "affirmations/list_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace uplift {
namespace {

using Entries = std::vector<std::wstring>;
using Indexes = std::vector<std::size_t>;
using State = std::tuple<Entries, std::optional<std::size_t>, Indexes, std::wstring>;

// Entries, current, selected, and what the list click procedure puts into the text box.
State StateOf(ListModel& list) {
    Indexes selected;
    for (std::size_t i = 0; i < list.Entries().size(); ++i)
        if (list.Selected(i)) selected.push_back(i);
    std::wstring shown = L"?";
    list.ListClick([&](std::wstring_view text) {
        shown = text;
        EXPECT_FALSE(list.TextChanged(L"written back")) << "the filled text box writes nothing back";
    });
    return {list.Entries(), list.Current(), selected, shown};
}

TEST(ListModel, EditorProceduresKeepCurrentAndSelectedEntries) {
    const Entries five{L"a", L"b", L"c", L"d", L"e"};
    struct Case {
        const char* Name;
        Entries Initial;
        std::function<void(ListModel&)> Do;
        State Expected;
    };
    const Case cases[]{
        {"add, type, add",
         {},
         [](ListModel& l) { l.Add(), l.TextChanged(L"abc"), l.Add(); },
         {{L"abc", L""}, 1, {1}, L""}},
        {"typing with no current entry",
         {L"a"},
         [](ListModel& l) { l.TextChanged(L"x"); },
         {{L"a"}, std::nullopt, {}, L""}},
        {"a click shows the entry",
         five,
         [](ListModel& l) {
             l.Choose(1, Indexes{1, 3});
         },
         {five, 1, {1, 3}, L"b"}},
        {"three selected deleted, the next takes the current's place",
         five,
         [](ListModel& l) {
             l.Choose(1, Indexes{1, 2, 4});
             EXPECT_EQ(l.Delete(), (Indexes{1, 2, 4}));
         },
         {{L"a", L"d"}, 1, {1}, L"d"}},
        {"nothing selected: nothing deleted",
         five,
         [](ListModel& l) { l.Choose(1, {}), l.Delete(); },
         {five, 1, {1}, L"b"}},
        {"the current entry stays",
         five,
         [](ListModel& l) {
             l.Choose(3, Indexes{0, 9}), l.Delete();
         },
         {{L"b", L"c", L"d", L"e"}, 2, {2}, L"d"}},
        {"the last entries deleted",
         five,
         [](ListModel& l) {
             l.Choose(4, Indexes{3, 4}), l.Delete();
         },
         {{L"a", L"b", L"c"}, 2, {2}, L"c"}},
        {"everything deleted",
         {L"a"},
         [](ListModel& l) { l.Choose(0, Indexes{0}), l.Delete(); },
         {{}, std::nullopt, {}, L""}},
        {"after-add makes the first current",
         {L"a"},
         [](ListModel& l) { l.Append(Entries{L"b"}), l.AfterAdd(); },
         {{L"a", L"b"}, 0, {0}, L"a"}},
        {"after-add selects the current",
         five,
         [](ListModel& l) { l.Choose(2, Indexes{4}), l.AfterAdd(); },
         {five, 2, {2, 4}, L"c"}},
        {"after-add on an empty list", {}, [](ListModel& l) { l.AfterAdd(); }, {{}, std::nullopt, {}, L""}},
    };
    for (const Case& c : cases) {
        ListModel list(c.Initial);
        c.Do(list);
        EXPECT_EQ(StateOf(list), c.Expected) << c.Name;
    }
}

TEST(ListModel, HoldsAtMost32767EntriesAndLosesNothingPastThem) {
    ListModel list(Entries(ListModel::kMaxEntries + 5, L"x"));
    EXPECT_EQ(list.Entries().size(), ListModel::kMaxEntries);
    list.Choose(0, Indexes{0, 1}), list.Delete();
    EXPECT_EQ(list.Append(Entries{L"p", L"q", L"r"}), 2u);
    EXPECT_EQ(list.Entries().back(), L"q");
    list.Choose(3, Indexes{0});
    EXPECT_FALSE(list.Add());
    EXPECT_EQ(StateOf(list), (State{list.Entries(), 3, {0}, L"x"})) << "a refused Add changes nothing";
}

} // namespace
} // namespace uplift
