// The text region read from the image's bits against the per-pixel way it replaces.

#include "display/transparent_region.h"

#include "display/screen.h"

#include "../../tools/bench/per_pixel_region.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <ostream>
#include <string_view>
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

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);

SettingsRecord TransparentArial48() {
    SettingsRecord record;
    record.Background = ScreenBackground::Transparent;
    record.Font = {L"Arial", 48.0f};
    record.BackgroundColor = kWhite;
    record.TextColor = kBlue;
    return record;
}

bool IsEmpty(HRGN region) {
    RECT box{};
    return ::GetRgnBox(region, &box) == NULLREGION;
}

// The fast region and the per-pixel one, each with the transparent colour it settled on.
struct BothRegions {
    unique_hrgn Fast, Reference;
    COLORREF FastColour, ReferenceColour;
};

BothRegions Build(const DibImage& image, COLORREF colour = 0) {
    BothRegions both{{}, {}, colour, colour};
    both.Fast = GetTextRegion(image, both.FastColour);
    both.Reference =
        bench::PerPixelTextRegion(image.Dc(), image.Width(), image.Height(), both.ReferenceColour);
    return both;
}

void ExpectSameRegion(const BothRegions& both, std::string_view what) {
    SCOPED_TRACE(what);
    ASSERT_TRUE(both.Fast);
    ASSERT_TRUE(both.Reference);
    EXPECT_EQ(both.FastColour, both.ReferenceColour);
    EXPECT_TRUE(::EqualRgn(both.Fast.get(), both.Reference.get()));
    EXPECT_EQ(bench::RegionRects(both.Fast.get()), bench::RegionRects(both.Reference.get()));
    EXPECT_EQ(bench::RegionBytes(both.Fast.get()), bench::RegionBytes(both.Reference.get()));
}

TEST(TextRegion, RealTextInArial48IsThePerPixelRegion) {
    frmMessage window;
    ASSERT_TRUE(window.PrepareMessageWindow(
        L"I am calm, I am focused, I am grateful and I am ready for all that this day brings",
        TransparentArial48()));
    EXPECT_EQ(window.Width(), TwipsToPixels(kWrapWidthTwips, ScreenDpi()));
    EXPECT_GE(window.Height(), 150) << "three lines of text";
    const BothRegions both = Build(window.Image());
    EXPECT_EQ(both.FastColour, kWhite) << "the top-left pixel is background";
    EXPECT_FALSE(IsEmpty(both.Fast.get()));
    EXPECT_GT(bench::RegionRects(both.Fast.get()).size(), 100u);
    ExpectSameRegion(both, "Arial 48");
}

struct PaintedImage {
    const char* Name;
    int Width, Height;
    COLORREF Background;
    std::vector<std::pair<POINT, COLORREF>> Pixels; // painted over the background
    std::vector<RECT> Expected;                     // the region's rectangles
    COLORREF ExpectedColour;                        // the transparent colour settled on
};

// clang-format off
const PaintedImage kPaintedImages[] = {
    {"only background", 12, 5, kWhite, {}, {}, kWhite},
    {"one row, two runs", 10, 1, kWhite, {{{2, 0}, kBlue}, {{3, 0}, kBlue}, {{4, 0}, kBlue}, {{7, 0}, kBlue}},
     {{2, 0, 5, 1}, {7, 0, 8, 1}}, kWhite},
    {"a line across the whole width", 6, 3, kWhite,
     {{{0, 1}, kBlue}, {{1, 1}, kBlue}, {{2, 1}, kBlue}, {{3, 1}, kBlue}, {{4, 1}, kBlue}, {{5, 1}, kBlue}},
     {{0, 1, 6, 2}}, kWhite},
    // A glyph on the top-left pixel makes the text transparent and keeps the background.
    {"glyph on the top-left pixel", 3, 2, kWhite, {{{0, 0}, kBlue}, {{2, 1}, kBlue}},
     {{1, 0, 3, 1}, {0, 1, 2, 2}}, kBlue},
    {"black background is still the top-left colour", 4, 1, kBlack, {{{1, 0}, kYellow}}, {{1, 0, 2, 1}}, kBlack},
    {"every pixel differs from the top-left one", 2, 2, kWhite, {{{0, 0}, kBlue}}, {{1, 0, 2, 1}, {0, 1, 2, 2}}, kBlue},
};
// clang-format on

TEST(TextRegion, PaintedImagesGiveTheirRunsTheSameAsPerPixel) {
    for (const PaintedImage& c : kPaintedImages) {
        SCOPED_TRACE(c.Name);
        DibImage image;
        ASSERT_TRUE(image.Create(c.Width, c.Height, c.Background));
        for (const auto& [at, colour] : c.Pixels)
            ::SetPixel(image.Dc(), at.x, at.y, colour);
        ::GdiFlush();
        const BothRegions both = Build(image);
        EXPECT_EQ(both.FastColour, c.ExpectedColour);
        EXPECT_EQ(bench::RegionRects(both.Fast.get()), c.Expected);
        EXPECT_EQ(IsEmpty(both.Fast.get()), c.Expected.empty());
        ExpectSameRegion(both, c.Name);
    }
}

TEST(TextRegion, APatternOverManyRowsIsThePerPixelRegion) {
    // Rows of every length of run, some rows empty, a row count that is no power of two.
    DibImage image;
    ASSERT_TRUE(image.Create(97, 333, kWhite));
    for (int y = 0; y < image.Height(); ++y) {
        if (y % 17 == 5) continue;
        for (int x = 0; x < image.Width(); ++x) {
            if ((x * 7 + y * 13) % 11 < 3 || (y % 29 == 0 && x > 10)) ::SetPixel(image.Dc(), x, y, kBlue);
        }
    }
    ::GdiFlush();
    const BothRegions both = Build(image);
    EXPECT_GT(bench::RegionRects(both.Fast.get()).size(), 1000u);
    ExpectSameRegion(both, "pattern");
}

TEST(TextRegion, AGivenColourIsUsedAndKept) {
    DibImage image;
    ASSERT_TRUE(image.Create(5, 1, kWhite));
    ::SetPixel(image.Dc(), 0, 0, kBlue);
    ::SetPixel(image.Dc(), 3, 0, kBlue);
    ::GdiFlush();
    const BothRegions both = Build(image, kWhite);
    EXPECT_EQ(both.FastColour, kWhite);
    EXPECT_EQ(bench::RegionRects(both.Fast.get()), (std::vector<RECT>{{0, 0, 1, 1}, {3, 0, 4, 1}}));
    ExpectSameRegion(both, "white given");
}

TEST(TextRegion, TextInTheBackgroundColourLeavesNothing) {
    SettingsRecord record = TransparentArial48();
    record.TextColor = record.BackgroundColor;
    frmMessage window;
    ASSERT_TRUE(window.PrepareMessageWindow(L"Invisible ink", record));
    const BothRegions both = Build(window.Image());
    EXPECT_TRUE(IsEmpty(both.Fast.get()));
    ExpectSameRegion(both, "same colours");
}

TEST(TextRegion, BlankTextLeavesNothing) {
    frmMessage window;
    ASSERT_TRUE(window.PrepareMessageWindow(L"   ", TransparentArial48()));
    const BothRegions both = Build(window.Image());
    EXPECT_TRUE(IsEmpty(both.Fast.get()));
    ExpectSameRegion(both, "blank");
}

TEST(TextRegion, RunsOfManyRowsMakeOneRegion) {
    const std::vector<PixelRect> runs{{0, 0, 3, 1}, {0, 1, 3, 2}, {5, 1, 6, 2}};
    const unique_hrgn region = RegionFromRuns(runs);
    ASSERT_TRUE(region);
    EXPECT_TRUE(::PtInRegion(region.get(), 2, 1));
    EXPECT_TRUE(::PtInRegion(region.get(), 5, 1));
    EXPECT_FALSE(::PtInRegion(region.get(), 4, 1));
    EXPECT_FALSE(::PtInRegion(region.get(), 5, 0));
    EXPECT_TRUE(IsEmpty(RegionFromRuns({}).get()));
}

TEST(TextRegion, MakeTransparentHandsTheRegionToTheWindow) {
    frmMessage window;
    ASSERT_TRUE(window.PrepareMessageWindow(L"Floating words", TransparentArial48()));
    ASSERT_TRUE(MakeTransparent(window));
    const unique_hrgn windowRegion(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(window.hWnd(), windowRegion.get()), ERROR);
    COLORREF colour = 0;
    const unique_hrgn expected = GetTextRegion(window, colour);
    EXPECT_TRUE(::EqualRgn(windowRegion.get(), expected.get()));
    EXPECT_FALSE(IsEmpty(windowRegion.get()));
}

} // namespace
} // namespace uplift::win
