#include "controls/caption_button_face.h"
#include "controls/gradient_title_layout.h"

#include <gtest/gtest.h>

#include <array>

namespace uplift {
namespace {

// Hosts 6480 twips wide inside, and one wider than 32767 twips: pixels from the twips design, halves to even
// (at 144 dpi the bar's 1.5 and 645.5 pixels reach the right edge). What's-This stands left of minimize, or
// where maximize would be; the caption ends before the first button shown.
TEST(GradientTitleLayout, PlacesTheElementsForEachMaskAtTheRealResolution) {
    // Dpi, width, mask, What's-This; control, bar, icon, caption, close, maximize, minimize, What's-This.
    // clang-format off
    constexpr std::tuple<int, int, int, bool, std::array<PixelRect, 8>> cases[]{
        {96, 432, 3, true, {{{0, 0, 432, 21}, {1, 1, 431, 20}, {2, 2, 18, 18}, {20, 3, 356, 20}, {412, 3, 428, 17},
                             {394, 3, 410, 17}, {378, 3, 394, 17}, {359, 3, 375, 17}}}},
        {144, 648, 1, true, {{{0, 0, 648, 32}, {2, 2, 648, 30}, {4, 4, 28, 28}, {30, 5, 536, 30}, {620, 5, 644, 26},
                              {592, 5, 616, 26}, {568, 5, 592, 26}, {540, 5, 564, 26}}}},
        {96, 3000, 0, false, {{{0, 0, 3000, 21}, {1, 1, 2999, 20}, {2, 2, 18, 18}, {20, 3, 2977, 20},
                               {2980, 3, 2996, 17}, {2962, 3, 2978, 17}, {2946, 3, 2962, 17}, {2962, 3, 2978, 17}}}},
    };
    // clang-format on
    for (const auto& [dpi, width, mask, whatsThis, expected] : cases) {
        const auto l = LayOutTitle(width, CaptionButtonsFor(mask, whatsThis), dpi);
        ASSERT_TRUE(l) << width;
        EXPECT_EQ((std::array{l->Control, l->TitleBar, l->FormIcon, l->FormCaption, l->CloseForm, l->Maximize,
                              l->Minimize, l->WhatsThisHelp}),
                  expected)
            << "mask " << mask << ", " << width << " px at " << dpi;
    }
    EXPECT_FALSE(LayOutTitle(0, {}, 96)); // a minimized host: nothing to lay out
    EXPECT_EQ(LayOutTitle(1, {}, 96)->TitleBar, (PixelRect{1, 1, 1, 20}));
}

// The bands tile the bar, pure blue at its left edge, 3 darker a band, black from the 86th on; a bar wider
// than 32767 twips, and one 2 twips apart, where each column shows the band at its left edge.
TEST(GradientTitleBands, CoverTheBarFromBlueToBlack) {
    constexpr int kCases[][4]{{2998, 96, 100, 31}, {10, 96, 10, 1}}; // width, dpi, bands, second band's left
    for (const auto& [width, dpi, count, secondLeft] : kCases) {
        const auto bands = GradientBands(width, dpi);
        ASSERT_EQ(int(bands.size()), count) << width;
        EXPECT_EQ(bands[0], (GradientBand{0, secondLeft, 0, 0, 255})) << width;
        EXPECT_EQ(bands.back().Right, width) << width;
        for (std::size_t i = 1; i < bands.size(); ++i) {
            const GradientBand &a = bands[i - 1], &b = bands[i]; // a narrow bar skips bands between columns
            EXPECT_TRUE(b.Left == a.Right && b.Left < b.Right && b.Red + b.Green == 0 &&
                        (count < 100 ? b.Blue < a.Blue : b.Blue == std::max(0, 255 - 3 * int(i))))
                << width << " px, band " << i;
        }
    }
}

// At 96, 144 and 192 dpi each glyph lies inside the edge (two rings `edge` pixels wide), pressed too, when it
// moves one edge width down and right. At one pixel the edge and every stroke are still one pixel wide.
TEST(CaptionButtonFace, GlyphsStayInsideTheEdgeAtEveryResolutionAndNothingIsDrawnWithoutPixels) {
    constexpr int kSizes[][3]{{16, 14, 1}, {24, 21, 1}, {32, 28, 2}}; // width, height, edge
    for (int face = 0; face <= int(CaptionFace::WhatsThisHelp); ++face) {
        const auto draw = [face](bool down, int width, int height) {
            return CaptionButtonFace(CaptionFace(face), down, true, width, height);
        };
        for (const auto& [width, height, edge] : kSizes) {
            const auto up = draw(false, width, height), down = draw(true, width, height);
            ASSERT_EQ(up.size(), down.size());
            for (std::size_t i = 9; i < up.size(); ++i) { // after the face and the two rings of four sides
                const PixelRect &r = up[i].Rect, &d = down[i].Rect;
                EXPECT_TRUE(d.Left == r.Left + edge && d.Top == r.Top + edge && d.Right == r.Right + edge &&
                            d.Bottom == r.Bottom + edge && r.Left >= 2 * edge && r.Top >= 2 * edge &&
                            d.Right <= width - 2 * edge && d.Bottom <= height - 2 * edge)
                    << height << " px, face " << face << ", piece " << i;
            }
        }
        EXPECT_TRUE(draw(false, 0, 14).empty() && draw(false, 16, 0).empty()) << "without pixels " << face;
        const auto tiny = draw(false, 1, 1);
        EXPECT_EQ(tiny.at(1), (FacePiece{{0, 0, 1, 1}, FaceInk::Light})) << face;
        for (std::size_t i = 9; i < tiny.size(); ++i)
            EXPECT_TRUE(tiny[i].Rect.Left < tiny[i].Rect.Right && tiny[i].Rect.Top < tiny[i].Rect.Bottom)
                << "face " << face << ", piece " << i;
    }
}

} // namespace
} // namespace uplift
