// The text region read from the image's bits against the per-pixel way it replaces.

#include "display/transparent_region.h"

#include "display/screen.h"

#include "../../tools/bench/per_pixel_region.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <ostream>
#include <utility>
#include <vector>

// RECT lives in the global namespace: its comparison and printer must too.
inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
    return out << '(' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ')';
}

namespace uplift::win {
namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255), kYellow = RGB(255, 255, 0);
using Rects = std::vector<RECT>;

// The fast region, checked to be the per-pixel one with the same transparent colour; `colour`
// is the colour given (0: the top-left pixel's) and then the one settled on.
unique_hrgn BuildAndCompare(const DibImage& image, COLORREF& colour) {
    COLORREF reference = colour;
    unique_hrgn fast = GetTextRegion(image, colour);
    const unique_hrgn perPixel =
        bench::PerPixelTextRegion(image.Dc(), image.Width(), image.Height(), reference);
    EXPECT_TRUE(fast && perPixel);
    EXPECT_EQ(colour, reference);
    EXPECT_EQ(bench::RegionRects(fast.get()), bench::RegionRects(perPixel.get()));
    EXPECT_EQ(bench::RegionBytes(fast.get()), bench::RegionBytes(perPixel.get()));
    return fast;
}

TEST(TextRegion, RealTextInArial48IsThePerPixelRegion) {
    SettingsRecord record;
    record.TextColor = kBlue; // on white, Arial 48, transparent
    frmMessage window;
    ASSERT_TRUE(window.PrepareMessageWindow(
        L"I am calm, I am focused, I am grateful and I am ready for all that this day brings", record));
    EXPECT_GE(window.Height(), 150) << "three lines of text";
    COLORREF colour = 0;
    const unique_hrgn region = BuildAndCompare(window.Image(), colour);
    EXPECT_EQ(colour, kWhite) << "the top-left pixel is background";
    EXPECT_GT(bench::RegionRects(region.get()).size(), 100u);

    ASSERT_TRUE(MakeTransparent(window)); // the window gets the same region
    const unique_hrgn windowRegion(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(window.hWnd(), windowRegion.get()), ERROR);
    EXPECT_TRUE(::EqualRgn(windowRegion.get(), region.get()));
}

TEST(TextRegion, PaintedImagesGiveTheirRuns) {
    struct Case {
        const char* Name;
        int Width, Height;
        COLORREF Background, Given;
        std::vector<std::pair<POINT, COLORREF>> Pixels; // painted over the background
        Rects Expected;
        COLORREF Settled; // the transparent colour settled on
    };
    // clang-format off
    const Case cases[] = {
        {"only background", 12, 5, kWhite, 0, {}, {}, kWhite},
        {"one row, two runs", 10, 1, kWhite, 0, {{{2, 0}, kBlue}, {{3, 0}, kBlue}, {{4, 0}, kBlue}, {{7, 0}, kBlue}},
         {{2, 0, 5, 1}, {7, 0, 8, 1}}, kWhite},
        {"a line across the whole width", 3, 3, kWhite, 0, {{{0, 1}, kBlue}, {{1, 1}, kBlue}, {{2, 1}, kBlue}},
         {{0, 1, 3, 2}}, kWhite},
        // A glyph on the top-left pixel makes the text transparent and keeps the background.
        {"glyph on the top-left pixel", 3, 2, kWhite, 0, {{{0, 0}, kBlue}, {{2, 1}, kBlue}},
         {{1, 0, 3, 1}, {0, 1, 2, 2}}, kBlue},
        {"black background is still the top-left colour", 4, 1, kBlack, 0, {{{1, 0}, kYellow}}, {{1, 0, 2, 1}}, kBlack},
        {"a given colour is used and kept", 5, 1, kWhite, kWhite, {{{0, 0}, kBlue}, {{3, 0}, kBlue}},
         {{0, 0, 1, 1}, {3, 0, 4, 1}}, kWhite},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        DibImage image;
        ASSERT_TRUE(image.Create(c.Width, c.Height, c.Background));
        for (const auto& [at, colour] : c.Pixels)
            ::SetPixel(image.Dc(), at.x, at.y, colour);
        ::GdiFlush();
        COLORREF colour = c.Given;
        const unique_hrgn region = BuildAndCompare(image, colour);
        EXPECT_EQ(colour, c.Settled);
        EXPECT_EQ(bench::RegionRects(region.get()), c.Expected);
    }
}

TEST(TextRegion, APatternOverManyRowsIsThePerPixelRegion) {
    // Rows of every length of run, some rows empty, a row count that is no power of two: the rows
    // are joined pairwise.
    DibImage image;
    ASSERT_TRUE(image.Create(97, 333, kWhite));
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width() && y % 17 != 5; ++x)
            if ((x * 7 + y * 13) % 11 < 3 || (y % 29 == 0 && x > 10)) ::SetPixel(image.Dc(), x, y, kBlue);
    ::GdiFlush();
    COLORREF colour = 0;
    EXPECT_GT(bench::RegionRects(BuildAndCompare(image, colour).get()).size(), 1000u);
}

} // namespace
} // namespace uplift::win
