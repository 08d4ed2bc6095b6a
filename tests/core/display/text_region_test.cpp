#include "display/pixel_rect_print.h"
#include "display/text_region.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace uplift {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kRed = 0x0000FF;

// An image drawn as text: '.' background (white), '#' text (black), 'r' red.
struct Picture {
    std::vector<std::uint32_t> Pixels;
    int Width = 0, Height = 0;
};

Picture Draw(std::initializer_list<std::string> rows) {
    Picture picture;
    for (const auto& row : rows) {
        picture.Width = static_cast<int>(row.size());
        ++picture.Height;
        for (const char c : row)
            picture.Pixels.push_back(c == '.' ? kWhite : c == '#' ? kBlack : kRed);
    }
    return picture;
}

using Rects = std::vector<PixelRect>;

TEST(SelectTextRuns, FollowsTheRowRule) {
    struct Case {
        const char* Name;
        Picture Image;
        Rects Expected;
    };
    const Case cases[]{
        {"pixels 2 to 4 and 7 of a 10-pixel row", Draw({"..###..#.."}), {{2, 0, 5, 1}, {7, 0, 8, 1}}},
        {"only background", Draw({"....", "....", "...."}), {}},
        {"one-pixel line across the whole width", Draw({"......", "######", "......"}), {{0, 1, 6, 2}}},
        {"two glyph parts in a row",
         Draw({
             "..#..#.",
             ".......",
         }),
         {{2, 0, 3, 1}, {5, 0, 6, 1}}},
        {"runs end at the right edge", Draw({".##", "..#"}), {{1, 0, 3, 1}, {2, 1, 3, 2}}},
        {"rows are never merged", Draw({".##.", ".##."}), {{1, 0, 3, 1}, {1, 1, 3, 2}}},
        {"any other colour stays, neighbours join one run", Draw({".#r#.r"}), {{1, 0, 4, 1}, {5, 0, 6, 1}}},
        {"glyph over the top-left pixel: background becomes the runs",
         Draw({"##..", "#..#"}),
         {{2, 0, 4, 1}, {1, 1, 3, 2}}},
        {"text in the background colour", Draw({"...", "..."}), {}},
        {"one pixel", Draw({"#"}), {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SelectTextRuns(c.Image.Pixels, c.Image.Width, c.Image.Height), c.Expected) << c.Name;
}

TEST(SelectTextRuns, EmptyImagesHaveNoRuns) {
    const std::vector<std::uint32_t> none;
    const std::vector<std::uint32_t> some{kBlack, kWhite};
    EXPECT_TRUE(SelectTextRuns(none, 0, 0).empty());
    EXPECT_TRUE(SelectTextRuns(some, 0, 2).empty()) << "no width";
    EXPECT_TRUE(SelectTextRuns(some, 2, 0).empty()) << "no height";
    EXPECT_TRUE(SelectTextRuns(some, -1, 2).empty()) << "negative width";
    EXPECT_TRUE(SelectTextRuns(none, 0, 0, kWhite).empty());
}

TEST(SelectTextRuns, ScansOnlyTheRowsTheBufferHolds) {
    const Picture picture = Draw({"#..", ".#."});
    EXPECT_EQ(SelectTextRuns(picture.Pixels, 3, 5, kWhite), (Rects{{0, 0, 1, 1}, {1, 1, 2, 2}}));
}

TEST(SelectTextRuns, TakesAnExplicitTransparentColour) {
    const Picture picture = Draw({"#.r", "rr."});
    EXPECT_EQ(SelectTextRuns(picture.Pixels, 3, 2, kRed), (Rects{{0, 0, 2, 1}, {2, 1, 3, 2}}));
    EXPECT_EQ(SelectTextRuns(picture.Pixels, 3, 2, kWhite),
              (Rects{{0, 0, 1, 1}, {2, 0, 3, 1}, {0, 1, 2, 2}}));
    // The colour is compared as given: a stray high byte is a different colour.
    EXPECT_EQ(SelectTextRuns(picture.Pixels, 3, 2, kWhite | 0xFF000000u).size(), 2u);
}

TEST(SelectTextRuns, ScansAWideWindowQuickly) {
    constexpr int kWidth = 981, kHeight = 200;
    std::vector<std::uint32_t> pixels(kWidth * kHeight, kWhite);
    // Vertical strokes two pixels wide every seven pixels in the middle band, like a line of text.
    for (int y = 50; y < 150; ++y)
        for (int x = 0; x + 1 < kWidth; x += 7)
            pixels[y * kWidth + x] = pixels[y * kWidth + x + 1] = kBlack;

    auto best = std::chrono::nanoseconds::max();
    std::size_t runs = 0;
    for (int attempt = 0; attempt < 20; ++attempt) {
        const auto start = std::chrono::steady_clock::now();
        runs = SelectTextRuns(pixels, kWidth, kHeight).size();
        best = std::min(best, std::chrono::steady_clock::now() - start);
    }
    EXPECT_EQ(runs, 100u * 140u);
    EXPECT_LT(best, std::chrono::milliseconds(1));
}

} // namespace
} // namespace uplift
