#include "display/pixel_rect_print.h"
#include "display/text_region.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace uplift {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000, kRed = 0x0000FF;
using Rects = std::vector<PixelRect>;

// An image drawn as text: '.' white, '#' black, 'r' red.
std::vector<std::uint32_t> Draw(std::initializer_list<std::string> rows) {
    std::vector<std::uint32_t> pixels;
    for (const auto& row : rows)
        for (const char c : row)
            pixels.push_back(c == '.' ? kWhite : c == '#' ? kBlack : kRed);
    return pixels;
}

TEST(SelectTextRuns, FollowsTheRowRuleWithTheTopLeftColourTransparent) {
    struct Case {
        const char* Name;
        std::vector<std::uint32_t> Pixels;
        int Width, Height;
        Rects Expected;
    };
    const Case cases[]{
        {"pixels 2 to 4 and 7 of a row", Draw({"..###..#.."}), 10, 1, {{2, 0, 5, 1}, {7, 0, 8, 1}}},
        {"only background", Draw({"....", "...."}), 4, 2, {}},
        {"a line across the whole width", Draw({"......", "######", "......"}), 6, 3, {{0, 1, 6, 2}}},
        {"runs end at the right edge, rows never merged",
         Draw({".##", ".##"}),
         3,
         2,
         {{1, 0, 3, 1}, {1, 1, 3, 2}}},
        {"other colours stay, neighbours join", Draw({".#r#.r"}), 6, 1, {{1, 0, 4, 1}, {5, 0, 6, 1}}},
        {"glyph over the top-left pixel", Draw({"##..", "#..#"}), 4, 2, {{2, 0, 4, 1}, {1, 1, 3, 2}}},
        {"only the rows the buffer holds", Draw({"...", ".#."}), 3, 5, {{1, 1, 2, 2}}},
        {"no width", Draw({"#."}), 0, 2, {}},
        {"negative width", Draw({"#."}), -1, 2, {}},
        {"no height", Draw({"#."}), 2, 0, {}},
        {"no pixels", {}, 0, 0, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SelectTextRuns(c.Pixels, c.Width, c.Height), c.Expected) << c.Name;
}

TEST(SelectTextRuns, ComparesAGivenColourExactly) {
    const auto pixels = Draw({"#.r", "rr."});
    EXPECT_EQ(SelectTextRuns(pixels, 3, 2, kRed), (Rects{{0, 0, 2, 1}, {2, 1, 3, 2}}));
    EXPECT_EQ(SelectTextRuns(pixels, 3, 2, kWhite), (Rects{{0, 0, 1, 1}, {2, 0, 3, 1}, {0, 1, 2, 2}}));
    EXPECT_EQ(SelectTextRuns(pixels, 3, 2, kWhite | 0xFF000000u), (Rects{{0, 0, 3, 1}, {0, 1, 3, 2}}));
}

} // namespace
} // namespace uplift
