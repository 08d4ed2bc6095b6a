#include "forms/control_table.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <vector>

namespace uplift {
namespace {

using K = ControlKind;

// A frame in a frame holding an option and a list.
constexpr std::array<ControlSpec, 4> kTable{{
    {K::Frame, L"outer", L"", L"", {240, 1860, 5655, 2415}},
    {K::Frame, L"inner", L"", L"", {240, 990, 5175, 1275}, 0, L"outer"},
    {K::Option, L"optPause", L"", L"", {120, 280}, 16, L"inner"},
    {K::DropDownList, L"cboPause", L"", L"", {2880, 240, 2175, 315}, 16, L"inner"},
}};

TEST(ControlTable, FramesAddUpAndEdgesRoundAtEachDpi) {
    const std::tuple<std::size_t, int, PixelBox> cases[]{
        {3, 144, {336, 309, 218, 31}}, // 3360 twips = 336 px; 5535/10 = 553.5 rounds to the even 554
        {2, 144, {60, 313, 26, 25}},   // 255 twips square, 25.5 px: edges 60..85.5, 313..338.5 round to even
    };
    for (const auto& [index, dpi, expected] : cases)
        EXPECT_EQ(ClientPixels(kTable, index, dpi), expected) << kTable[index].Name.data() << " at " << dpi;
}

// Pixels before and after, gap 4: a label too narrow for its text grows, a control right of it on its row in
// its frame starts a gap after it keeping its right edge (and one pixel), then each label takes the gap.
TEST(ControlTable, WidenLabelsMovesOnlyWhatStandsRightOfTheLabelOnItsRowInItsFrame) {
    using Control = std::tuple<ControlKind, std::wstring_view, PixelBox, int, PixelBox>;
    // clang-format off
    const std::vector<Control> forms[]{
        {{K::Label, L"", {0, 0, 50, 20}, 70, {0, 0, 74, 20}}, {K::ListBox, L"", {60, 0, 100, 20}, 0, {74, 0, 86, 20}}},
        {{K::Label, L"", {0, 0, 50, 20}, 200, {0, 0, 200, 20}}, {K::ListBox, L"", {60, 0, 40, 20}, 0, {99, 0, 1, 20}}},
        {{K::Label, L"", {0, 0, 50, 20}, 40, {0, 0, 50, 20}}, {K::ListBox, L"", {30, 0, 40, 20}, 0, {30, 0, 40, 20}}},
        // Beyond the gap, below the row, at the label's own left, a frame, another frame's control.
        {{K::Button, L"", {86, 0, 30, 20}, 0, {86, 0, 30, 20}}, {K::Button, L"", {30, 20, 40, 20}, 0, {30, 20, 40, 20}},
         {K::Picture, L"", {10, 0, 100, 20}, 0, {10, 0, 100, 20}}, {K::Frame, L"", {40, 0, 90, 40}, 0, {40, 0, 90, 40}},
         {K::Button, L"f", {50, 0, 30, 20}, 0, {50, 0, 30, 20}}, {K::Label, L"", {10, 0, 40, 20}, 70, {10, 0, 74, 20}}},
    };
    // clang-format on
    for (const auto& form : forms) {
        std::vector<ControlSpec> table;
        std::vector<PixelBox> rects, expected;
        std::vector<int> widths;
        for (const auto& [kind, container, before, textWidth, after] : form) {
            table.push_back({kind, L"", L"", L"", {}, 0, container});
            rects.push_back(before);
            widths.push_back(textWidth);
            expected.push_back(after);
        }
        WidenLabels(table, rects, widths, 4);
        EXPECT_EQ(rects, expected) << "form " << &form - forms;
    }
}

} // namespace
} // namespace uplift
