#include "controls/gradient_title_layout.h"

#include "display/pixel_rect_print.h"

#include <gtest/gtest.h>

namespace uplift {
namespace {

using enum ButtonShow;

// One host, 6480 twips wide inside, at two resolutions: the elements' pixels from the twips design.
TEST(GradientTitleLayout, PlacesTheElementsAtTheRealResolution) {
    struct Case {
        int Dpi, HostWidth;
        PixelRect Control, Bar, Icon, Close, Maximize, Minimize;
    };
    constexpr Case cases[]{
        {96,
         432,
         {0, 0, 432, 21},
         {1, 1, 431, 20},
         {2, 2, 18, 18},
         {412, 3, 428, 17},
         {394, 3, 410, 17},
         {378, 3, 394, 17}},
        // 1.5 and 645.5 pixels round to the even neighbours: the bar reaches the control's right edge.
        {144,
         648,
         {0, 0, 648, 32},
         {2, 2, 648, 30},
         {4, 4, 28, 28},
         {620, 5, 644, 26},
         {592, 5, 616, 26},
         {568, 5, 592, 26}},
        // Wider than 32767 twips.
        {96,
         3000,
         {0, 0, 3000, 21},
         {1, 1, 2999, 20},
         {2, 2, 18, 18},
         {2980, 3, 2996, 17},
         {2962, 3, 2978, 17},
         {2946, 3, 2962, 17}},
    };
    for (const auto& c : cases) {
        const auto layout = LayOutTitle(c.HostWidth, CaptionButtonsFor(3, false), c.Dpi);
        ASSERT_TRUE(layout) << c.HostWidth << " px at " << c.Dpi;
        EXPECT_EQ(layout->Control, c.Control) << c.Dpi;
        EXPECT_EQ(layout->TitleBar, c.Bar) << c.Dpi;
        EXPECT_EQ(layout->FormIcon, c.Icon) << c.Dpi;
        EXPECT_EQ(layout->CloseForm, c.Close) << c.Dpi;
        EXPECT_EQ(layout->Maximize, c.Maximize) << c.Dpi;
        EXPECT_EQ(layout->Minimize, c.Minimize) << c.Dpi;
    }
}

// The mask chooses the buttons; the What's-This button stands left of minimize, or where maximize
// would be when there is none; the caption ends before the first button shown.
TEST(GradientTitleLayout, FollowsTheButtonMask) {
    struct Case {
        int Mask;
        bool WhatsThis;
        CaptionButtons Buttons;
        int Dpi, HelpLeft, CaptionLeft, CaptionRight;
    };
    constexpr Case cases[]{
        {0, false, {Hidden, Hidden, false}, 96, 394, 20, 409},
        {0, true, {Hidden, Hidden, true}, 96, 394, 20, 391},
        {1, false, {Enabled, Disabled, false}, 96, 359, 20, 375},
        {2, true, {Disabled, Enabled, true}, 96, 359, 20, 356},
        {3, true, {Enabled, Enabled, true}, 96, 359, 20, 356},
        {7, false, {Enabled, Enabled, false}, 96, 359, 20, 375}, // only the two low bits count
        {0, false, {Hidden, Hidden, false}, 144, 592, 30, 616},
        {0, true, {Hidden, Hidden, true}, 144, 592, 30, 588},
        {1, true, {Enabled, Disabled, true}, 144, 540, 30, 536},
        {3, false, {Enabled, Enabled, false}, 144, 540, 30, 564},
    };
    for (const auto& c : cases) {
        const CaptionButtons buttons = CaptionButtonsFor(c.Mask, c.WhatsThis);
        EXPECT_TRUE(buttons == c.Buttons) << "mask " << c.Mask;
        const auto layout = LayOutTitle(c.Dpi == 96 ? 432 : 648, buttons, c.Dpi);
        ASSERT_TRUE(layout);
        EXPECT_EQ(layout->WhatsThisHelp.Left, c.HelpLeft) << "mask " << c.Mask << " at " << c.Dpi;
        EXPECT_EQ(layout->FormCaption.Left, c.CaptionLeft) << "mask " << c.Mask << " at " << c.Dpi;
        EXPECT_EQ(layout->FormCaption.Right, c.CaptionRight) << "mask " << c.Mask << " at " << c.Dpi;
    }
    EXPECT_EQ(CaptionButtonMask(true, false), 1);
    EXPECT_EQ(CaptionButtonMask(false, true), 2);
}

TEST(GradientTitleLayout, NarrowHostsGetNoNegativeSizes) {
    EXPECT_FALSE(LayOutTitle(0, {}, 96));
    EXPECT_FALSE(LayOutTitle(-5, {}, 144));
    const auto layout = LayOutTitle(1, CaptionButtonsFor(3, true), 96);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->TitleBar, (PixelRect{1, 1, 1, 20}));
    EXPECT_EQ(layout->FormCaption.Right, layout->FormCaption.Left);
}

// The bands tile the bar from its left edge to its right, blue falling 3 a band to black.
TEST(GradientTitleBands, CoverTheBarFromBlueToBlack) {
    struct Case {
        int Width, Dpi;
        std::size_t Count;
        int SecondLeft, LastBlue;
    };
    constexpr Case cases[]{
        // 64 twips a band, 65 apart: the second from 66 twips (4.4 pixels); the last, from 6436 twips,
        // starts inside the last column, which shows the one before.
        {430, 96, 99, 5, 0},
        {646, 144, 100, 7, 0},  // the same twips, 10 to the pixel
        {2998, 96, 100, 31, 0}, // wider than 32767 twips
        {10, 96, 10, 1, 54},    // 2 twips apart: 75 bands, many in one pixel; the last column at 135
                                // twips shows band 68
        {1, 144, 1, 0, 255},
    };
    for (const auto& c : cases) {
        const auto bands = GradientBands(c.Width, c.Dpi);
        ASSERT_EQ(bands.size(), c.Count) << c.Width << " px at " << c.Dpi;
        EXPECT_EQ(bands.front(), (GradientBand{0, bands.front().Right, 0, 0, 255})) << c.Width;
        EXPECT_EQ(bands.back().Right, c.Width) << c.Width;
        EXPECT_EQ(bands.back().Blue, c.LastBlue) << c.Width;
        if (c.Count > 1) EXPECT_EQ(bands[1].Left, c.SecondLeft) << c.Width;
        for (std::size_t i = 1; i < bands.size(); ++i) {
            EXPECT_EQ(bands[i].Left, bands[i - 1].Right) << c.Width << " band " << i;
            EXPECT_LT(bands[i].Left, bands[i].Right) << c.Width << " band " << i;
            EXPECT_LE(bands[i].Blue, bands[i - 1].Blue) << c.Width << " band " << i;
            EXPECT_EQ(bands[i].Red + bands[i].Green, 0) << c.Width << " band " << i;
            if (c.Count >= 99) EXPECT_EQ(bands[i].Blue, i < 85 ? 255 - 3 * i : 0) << c.Width << " band " << i;
        }
    }
    EXPECT_TRUE(GradientBands(0, 96).empty());
}

} // namespace
} // namespace uplift
