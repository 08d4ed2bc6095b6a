#include "controls/gradient_title_layout.h"

#include "display/pixel_rect_print.h"

#include <gtest/gtest.h>

namespace uplift {
namespace {

using enum ButtonShow;

// Hosts 6480 twips wide inside, and one wider than 32767 twips: pixels from the twips design, halves
// to even (at 144 dpi the bar's 1.5 and 645.5 pixels make it reach the control's right edge).
TEST(GradientTitleLayout, PlacesTheElementsAtTheRealResolution) {
    struct Case {
        int Dpi, Width, Height;
        PixelRect Bar, Icon, Close, Maximize, Minimize;
    };
    constexpr Case cases[]{
        {96,
         432,
         21,
         {1, 1, 431, 20},
         {2, 2, 18, 18},
         {412, 3, 428, 17},
         {394, 3, 410, 17},
         {378, 3, 394, 17}},
        {144,
         648,
         32,
         {2, 2, 648, 30},
         {4, 4, 28, 28},
         {620, 5, 644, 26},
         {592, 5, 616, 26},
         {568, 5, 592, 26}},
        {96,
         3000,
         21,
         {1, 1, 2999, 20},
         {2, 2, 18, 18},
         {2980, 3, 2996, 17},
         {2962, 3, 2978, 17},
         {2946, 3, 2962, 17}},
    };
    for (const auto& c : cases) {
        const auto layout = LayOutTitle(c.Width, CaptionButtonsFor(3, false), c.Dpi);
        ASSERT_TRUE(layout) << c.Width;
        EXPECT_EQ(layout->Control, (PixelRect{0, 0, c.Width, c.Height})) << c.Width;
        EXPECT_EQ(layout->TitleBar, c.Bar) << c.Width;
        EXPECT_EQ(layout->FormIcon, c.Icon) << c.Width;
        EXPECT_EQ(layout->CloseForm, c.Close) << c.Width;
        EXPECT_EQ(layout->Maximize, c.Maximize) << c.Width;
        EXPECT_EQ(layout->Minimize, c.Minimize) << c.Width;
    }
    EXPECT_FALSE(LayOutTitle(0, {}, 96)); // a minimized host: nothing to lay out
    EXPECT_EQ(LayOutTitle(1, {}, 96)->TitleBar, (PixelRect{1, 1, 1, 20}));
}

// The mask shows and enables maximize and minimize; the What's-This button stands left of minimize,
// or where maximize would be; the caption ends before the first button shown.
TEST(GradientTitleLayout, FollowsTheButtonMask) {
    struct Case {
        int Dpi, Mask;
        bool WhatsThis;
        ButtonShow Maximize, Minimize;
        int WhatsThisLeft, CaptionRight;
    };
    constexpr Case cases[]{
        {96, 0, false, Hidden, Hidden, 394, 409},    {96, 0, true, Hidden, Hidden, 394, 391},
        {96, 1, false, Enabled, Disabled, 359, 375}, {96, 2, true, Disabled, Enabled, 359, 356},
        {96, 7, true, Enabled, Enabled, 359, 356},   {144, 0, true, Hidden, Hidden, 592, 588},
        {144, 1, true, Enabled, Disabled, 540, 536}, {144, 3, false, Enabled, Enabled, 540, 564},
    };
    for (const auto& c : cases) {
        const CaptionButtons buttons = CaptionButtonsFor(c.Mask, c.WhatsThis);
        EXPECT_TRUE(buttons == (CaptionButtons{c.Maximize, c.Minimize, c.WhatsThis})) << "mask " << c.Mask;
        const auto layout = LayOutTitle(c.Dpi * 9 / 2, buttons, c.Dpi);
        EXPECT_EQ(layout->WhatsThisHelp.Left, c.WhatsThisLeft) << "mask " << c.Mask << " at " << c.Dpi;
        EXPECT_EQ(layout->FormCaption.Right, c.CaptionRight) << "mask " << c.Mask << " at " << c.Dpi;
    }
}

// The bands tile the bar, pure blue at its left edge, 3 darker a band, black from the 86th on.
TEST(GradientTitleBands, CoverTheBarFromBlueToBlack) {
    struct Case {
        int Width, Dpi;
        std::size_t Count;
        int SecondLeft;
    };
    constexpr Case cases[]{
        {430, 96, 99, 5},    // 65 twips apart from 1: the 2nd at 4.4 px, the 100th inside the last column
        {646, 144, 100, 7},  // the same twips, 10 to the pixel
        {2998, 96, 100, 31}, // wider than 32767 twips
        {10, 96, 10, 1},     // 2 twips apart: each column shows the band at its left edge
    };
    for (const auto& c : cases) {
        const auto bands = GradientBands(c.Width, c.Dpi);
        ASSERT_EQ(bands.size(), c.Count) << c.Width;
        EXPECT_EQ(bands[0], (GradientBand{0, c.SecondLeft, 0, 0, 255})) << c.Width;
        EXPECT_EQ(bands.back().Right, c.Width) << c.Width;
        for (std::size_t i = 1; i < bands.size(); ++i) {
            const int blue = c.Count < 99 ? bands[i - 1].Blue - 1 : std::max(0, 255 - 3 * int(i));
            EXPECT_EQ(bands[i].Left, bands[i - 1].Right) << c.Width << " band " << i;
            EXPECT_LT(bands[i].Left, bands[i].Right) << c.Width << " band " << i;
            EXPECT_EQ(bands[i].Red + bands[i].Green, 0) << c.Width << " band " << i;
            EXPECT_LE(bands[i].Blue, blue) << c.Width << " band " << i;
            if (c.Count >= 99) EXPECT_EQ(bands[i].Blue, blue) << c.Width << " band " << i;
        }
    }
}

} // namespace
} // namespace uplift
