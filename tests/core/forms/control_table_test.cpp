#include "forms/control_table.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace uplift {
namespace {

using K = ControlKind;

// A frame in a frame, a label with its option and a list on its row, and a neighbour elsewhere.
constexpr std::array<ControlSpec, 6> kTable{{
    {K::Frame, L"outer", L"", L"", {240, 1860, 5655, 2415}},
    {K::Frame, L"inner", L"", L"", {240, 990, 5175, 1275}, 0, L"outer"},
    {K::Option, L"optPause", L"", L"", {120, 280}, 16, L"inner"},
    {K::Label, L"lblPause", L"", L"", {480, 300, 2310, 195}, 16, L"inner", L"optPause"},
    {K::DropDownList, L"cboPause", L"", L"", {2880, 240, 2175, 315}, 16, L"inner"},
    {K::Button, L"cmdOther", L"", L"", {2880, 240, 2175, 315}, 0, L"outer"},
}};

TEST(ControlTable, FramesAddUpAndEdgesRoundAtEachDpi) {
    const std::tuple<std::size_t, int, PixelBox> cases[]{
        {4, 144, {336, 309, 218, 31}}, // 3360 twips = 336 px; 5535/10 = 553.5 rounds to the even 554
        {2, 144, {60, 313, 26, 25}},   // 255 twips square, 25.5 px: edges 60..85.5, 313..338.5 round to even
    };
    for (const auto& [index, dpi, expected] : cases)
        EXPECT_EQ(ClientPixels(kTable, index, dpi), expected) << kTable[index].Name.data() << " at " << dpi;
}

TEST(ControlTable, AWideLabelPushesItsRowInItsFrameOnly) {
    std::array<PixelBox, 6> rects{};
    for (std::size_t i = 0; i < rects.size(); ++i)
        rects[i] = ClientPixels(kTable, i, 96);
    const auto before = rects;
    const std::array<int, 6> widths{0, 0, 0, 190, 0, 0}; // the label needs 190 of its 154 pixels
    WidenLabels(kTable, rects, widths, 4);
    EXPECT_EQ(rects[4].Left, rects[3].Left + 190 + 4);
    EXPECT_EQ(rects[3].Left + rects[3].Width, rects[4].Left); // the label has the gap, up to the list
    EXPECT_EQ(rects[4].Left + rects[4].Width, before[4].Left + before[4].Width); // right edge kept
    EXPECT_EQ(rects[5], before[5]);                                             // another frame
    EXPECT_EQ(rects[2], before[2]);                                             // left of the label
}

} // namespace
} // namespace uplift
