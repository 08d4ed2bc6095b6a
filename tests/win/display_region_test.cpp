// The text region read from the image's bits against the per-pixel way it replaces.

#include "display/transparent_region.h"

#include "../../tools/bench/per_pixel_region.h"

#include <gtest/gtest.h>

namespace uplift::win {
namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);

// The fast region and the per-pixel one of the same image, byte for byte, and the colour each settled on.
void ExpectThePerPixelRegion(const DibImage& image, COLORREF colour, COLORREF settled, std::size_t runs) {
    COLORREF reference = colour;
    const unique_hrgn fast = GetTextRegion(image, colour);
    const unique_hrgn perPixel =
        bench::PerPixelTextRegion(image.Dc(), image.Width(), image.Height(), reference);
    ASSERT_TRUE(fast && perPixel);
    EXPECT_EQ(colour, settled);
    EXPECT_EQ(reference, settled);
    EXPECT_EQ(bench::RegionBytes(fast.get()), bench::RegionBytes(perPixel.get()));
    EXPECT_GE(bench::RegionRects(fast.get()).size(), runs);
}

TEST(TextRegion, RealTextIsThePerPixelRegionAndTheWindowGetsIt) {
    SettingsRecord record;
    record.TextColor = kBlue; // on white, Arial 48, transparent
    frmMessage window;
    ASSERT_TRUE(window.PrepareMessageWindow(
        L"I am calm, I am focused, I am grateful and I am ready for all that this day brings", record));
    ExpectThePerPixelRegion(window.Image(), 0, kWhite, 100); // 0: the top-left pixel's colour
    ASSERT_TRUE(MakeTransparent(window));
    COLORREF colour = 0;
    const unique_hrgn region = GetTextRegion(window, colour), windowRegion(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(::GetWindowRgn(window.hWnd(), windowRegion.get()), COMPLEXREGION);
    EXPECT_TRUE(::EqualRgn(windowRegion.get(), region.get()));
}

TEST(TextRegion, PaintedImagesGiveThePerPixelRegion) {
    // A row count no power of two with empty rows and runs of every length: rows are joined pairwise.
    DibImage pattern, glyphAtTheCorner, blank;
    ASSERT_TRUE(pattern.Create(97, 333, kWhite) && glyphAtTheCorner.Create(3, 2, kBlack) &&
                blank.Create(12, 5, kWhite));
    for (int y = 0; y < pattern.Height(); ++y)
        for (int x = 0; x < pattern.Width() && y % 17 != 5; ++x)
            if ((x * 7 + y * 13) % 11 < 3 || (y % 29 == 0 && x > 10)) ::SetPixel(pattern.Dc(), x, y, kBlue);
    ::SetPixel(glyphAtTheCorner.Dc(), 2, 1, kBlue); // black is a colour like any other
    ::GdiFlush();
    ExpectThePerPixelRegion(pattern, 0, kBlue, 1000);       // a glyph at the corner: its colour is cut away
    ExpectThePerPixelRegion(pattern, kWhite, kWhite, 1000); // a colour given is kept
    ExpectThePerPixelRegion(glyphAtTheCorner, 0, kBlack, 1);
    ExpectThePerPixelRegion(blank, 0, kWhite, 0);
}

} // namespace
} // namespace uplift::win
