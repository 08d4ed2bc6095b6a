#include "controls/gradient_title_layout.h"

#include "display/pixel_rect_print.h"

#include <gtest/gtest.h>

namespace uplift {
namespace {

// Hosts 6480 twips wide inside, and one wider than 32767 twips, by button mask: pixels from the twips
// design, halves to even (at 144 dpi the bar's 1.5 and 645.5 pixels take it to the right edge). The
// What's-This button stands left of minimize, or where maximize would be; the caption ends before the
// first button shown.
TEST(GradientTitleLayout, PlacesTheElementsForEachMaskAtTheRealResolution) {
    struct Case {
        int Dpi, Width, Mask;
        bool WhatsThis;
        TitleLayout Expected; // control, bar, icon, caption, close, maximize, minimize, What's-This
    };
    // clang-format off
    constexpr Case cases[]{
        {96, 432, 3, true, {{0, 0, 432, 21}, {1, 1, 431, 20}, {2, 2, 18, 18}, {20, 3, 356, 20}, {412, 3, 428, 17},
                            {394, 3, 410, 17}, {378, 3, 394, 17}, {359, 3, 375, 17}}},
        {96, 432, 0, true, {{0, 0, 432, 21}, {1, 1, 431, 20}, {2, 2, 18, 18}, {20, 3, 391, 20}, {412, 3, 428, 17},
                            {394, 3, 410, 17}, {378, 3, 394, 17}, {394, 3, 410, 17}}},
        {144, 648, 1, true, {{0, 0, 648, 32}, {2, 2, 648, 30}, {4, 4, 28, 28}, {30, 5, 536, 30}, {620, 5, 644, 26},
                             {592, 5, 616, 26}, {568, 5, 592, 26}, {540, 5, 564, 26}}},
        {144, 648, 0, false, {{0, 0, 648, 32}, {2, 2, 648, 30}, {4, 4, 28, 28}, {30, 5, 616, 30}, {620, 5, 644, 26},
                              {592, 5, 616, 26}, {568, 5, 592, 26}, {592, 5, 616, 26}}},
        {96, 3000, 2, false, {{0, 0, 3000, 21}, {1, 1, 2999, 20}, {2, 2, 18, 18}, {20, 3, 2943, 20},
                              {2980, 3, 2996, 17}, {2962, 3, 2978, 17}, {2946, 3, 2962, 17}, {2927, 3, 2943, 17}}},
    };
    // clang-format on
    constexpr PixelRect TitleLayout::*kElements[]{
        &TitleLayout::Control,   &TitleLayout::TitleBar, &TitleLayout::FormIcon, &TitleLayout::FormCaption,
        &TitleLayout::CloseForm, &TitleLayout::Maximize, &TitleLayout::Minimize, &TitleLayout::WhatsThisHelp};
    for (const auto& c : cases) {
        const auto layout = LayOutTitle(c.Width, CaptionButtonsFor(c.Mask, c.WhatsThis), c.Dpi);
        ASSERT_TRUE(layout) << c.Width;
        for (std::size_t i = 0; i < std::size(kElements); ++i)
            EXPECT_EQ((*layout).*kElements[i], c.Expected.*kElements[i])
                << "element " << i << ", mask " << c.Mask << ", " << c.Width << " px at " << c.Dpi;
    }
    EXPECT_FALSE(LayOutTitle(0, {}, 96)); // a minimized host: nothing to lay out
    EXPECT_EQ(LayOutTitle(1, {}, 96)->TitleBar, (PixelRect{1, 1, 1, 20}));
}

// The bands tile the bar, pure blue at its left edge, 3 darker a band, black from the 86th on.
TEST(GradientTitleBands, CoverTheBarFromBlueToBlack) {
    constexpr int kCases[][4]{
        // width, dpi, bands, left of the second band
        {430, 96, 99, 5},    // 65 twips apart from 1: the 2nd at 4.4 px, the 100th inside the last column
        {646, 144, 100, 7},  // the same twips, 10 to the pixel
        {2998, 96, 100, 31}, // wider than 32767 twips
        {10, 96, 10, 1},     // 2 twips apart: each column shows the band at its left edge
    };
    for (const auto& [width, dpi, count, secondLeft] : kCases) {
        const auto bands = GradientBands(width, dpi);
        ASSERT_EQ(int(bands.size()), count) << width;
        EXPECT_EQ(bands[0], (GradientBand{0, secondLeft, 0, 0, 255})) << width;
        EXPECT_EQ(bands.back().Right, width) << width;
        for (std::size_t i = 1; i < bands.size(); ++i) {
            const GradientBand& b = bands[i];
            const int blue = count < 99 ? bands[i - 1].Blue - 1 : std::max(0, 255 - 3 * int(i));
            EXPECT_TRUE(b.Left == bands[i - 1].Right && b.Left < b.Right && b.Red + b.Green == 0 &&
                        (count < 99 ? b.Blue <= blue : b.Blue == blue))
                << width << " px, band " << i;
        }
    }
}

} // namespace
} // namespace uplift
