#include "display/pixel_rect_print.h"
#include "display/text_region.h"

#include <gtest/gtest.h>

namespace uplift {
namespace {

using Rects = std::vector<PixelRect>;
constexpr std::uint32_t kWhite = 0xFFFFFF, kRed = 0x0000FF;

// An image drawn as text: '.' white, '#' black, 'r' red.
std::vector<std::uint32_t> Draw(std::string_view rows) {
    std::vector<std::uint32_t> pixels;
    for (const char c : rows)
        pixels.push_back(c == '.' ? kWhite : c == '#' ? 0 : kRed);
    return pixels;
}

// The rows one after the other, each `width` pixels long (scripts/fuzz.sh tries any image).
TEST(SelectTextRuns, RunsOfEachRowInOrderWithTheTopLeftColourTransparent) {
    // clang-format off
    const std::tuple<std::string_view, int, int, Rects> cases[]{
        {"..###..#..", 10, 1, {{2, 0, 5, 1}, {7, 0, 8, 1}}},
        {"........", 4, 2, {}},
        {"......######......", 6, 3, {{0, 1, 6, 2}}},
        {".##.##", 3, 2, {{1, 0, 3, 1}, {1, 1, 3, 2}}}, // runs end at the right edge, rows never merged
        {".#r#.r", 6, 1, {{1, 0, 4, 1}, {5, 0, 6, 1}}}, // other colours stay, neighbours join
        {"##..#..#", 4, 2, {{2, 0, 4, 1}, {1, 1, 3, 2}}}, // a glyph over the top-left pixel
        {"....#.", 3, 5, {{1, 1, 2, 2}}},                 // only the rows the buffer holds
        {"#.", 0, 2, {}}, {"#.", -1, 2, {}}, {"#.", 2, 0, {}}, {"", 0, 0, {}}};
    // clang-format on
    for (const auto& [rows, width, height, expected] : cases)
        EXPECT_EQ(SelectTextRuns(Draw(rows), width, height), expected)
            << rows << " " << width << "x" << height;
    const auto pixels = Draw("#.rrr."); // a colour given is compared exactly
    EXPECT_EQ(SelectTextRuns(pixels, 3, 2, kRed), (Rects{{0, 0, 2, 1}, {2, 1, 3, 2}}));
    EXPECT_EQ(SelectTextRuns(pixels, 3, 2, kWhite), (Rects{{0, 0, 1, 1}, {2, 0, 3, 1}, {0, 1, 2, 2}}));
    EXPECT_EQ(SelectTextRuns(pixels, 3, 2, kWhite | 0xFF000000u), (Rects{{0, 0, 3, 1}, {0, 1, 3, 2}}));
}

} // namespace
} // namespace uplift
