// The message window prepared at the screen's resolution, its region against the per-pixel one; looks: e2e.

#include "display/frm_message.h"
#include "display/screen.h"
#include "display/transparent_region.h"

#include "../../tools/bench/per_pixel_region.h"

#include <gtest/gtest.h>

namespace uplift::win {
namespace {

TEST(MessageWindow, ABoxJustAroundOneLineWrapsAtTheWrapWidthAndIsCutToTheScreen) {
    const unique_hfont font = CreateMessageFont(FontDescription{}, ScreenDpi(), false);
    const unique_hdc dc(::CreateCompatibleDC(nullptr));
    const select_object selected(dc.get(), font.get());
    SIZE breathe{}; // one line of the default font
    ::GetTextExtentPoint32W(dc.get(), L"Breathe", 7, &breathe);
    const int wrap = TwipsToPixels(kWrapWidthTwips, ScreenDpi()), line = breathe.cy;
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN), screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    std::wstring huge;
    while (huge.size() < 1'000'000)
        huge += L"I am calm. ";
    using enum ScreenBackground;
    // clang-format off
    const std::tuple<std::wstring, ScreenBackground, int, int> cases[]{ // width and height, or 0: at most
        {L"Breathe", Background, breathe.cx, line}, {L"Be\r\nkind", Background, 0, 2 * line},
        {L"I am confident, I am capable and I deserve every good thing that comes my way", Transparent, wrap, 3 * line},
        {huge, Transparent, wrap, 0}, {huge, BackgroundFull, screenWidth, screenHeight},
        {std::wstring(1'000'000, L'x'), Background, 0, 0}, {std::wstring(1'000'000, L'\n'), Background, 0, 0}};
    // clang-format on
    for (const auto& [text, style, width, height] : cases) {
        SCOPED_TRACE(testing::PrintToString(text.substr(0, 12)) + " " + std::to_string(int(style)));
        frmMessage window;
        ASSERT_TRUE(window.PrepareMessageWindow(text, {.Background = style}));
        RECT rect{};
        ::GetWindowRect(window.hWnd(), &rect);
        constexpr LONG kNoFocus = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE; // nor task-bar button
        EXPECT_EQ(std::tuple(rect.right - rect.left, rect.bottom - rect.top, window.Visible(),
                             ::GetWindowLongW(window.hWnd(), GWL_EXSTYLE) & (kNoFocus | WS_EX_APPWINDOW),
                             ::SendMessageW(window.hWnd(), WM_MOUSEACTIVATE, 0,
                                            MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN))),
                  std::tuple(window.Width(), window.Height(), false, kNoFocus, LRESULT{MA_NOACTIVATE}))
            << "placed as measured, hidden, never activated";
        if (style == BackgroundFull) EXPECT_LT(window.lblMessage.Rect.top, 0) << "starts above the screen";
        const int w = window.Width(), h = window.Height(); // 0 in the table: anything within the screen
        EXPECT_EQ(std::pair(w, h), std::pair(width ? width : std::clamp(w, 0, screenWidth),
                                             height ? height : std::clamp(h, 1, screenHeight)));
    }
}

TEST(MessageWindow, FontCarriesTheRecordsFaceSizeAndAttributes) {
    // clang-format off
    const std::tuple<FontDescription, int, bool, LONG> cases[] = { // the last has no size at all: a small readable one
        {{L"Arial", 48.0f}, 120, true, -80}, {{L"Times New Roman", 12.0f, true, true, true, true}, 96, false, -16},
        {{L"Arial", 0.0f}, 96, false, -11}};
    // clang-format on
    for (const auto& [font, dpi, cleanEdges, height] : cases) {
        LOGFONTW lf{};
        ASSERT_EQ(::GetObjectW(CreateMessageFont(font, dpi, cleanEdges).get(), sizeof(lf), &lf),
                  int{sizeof(lf)});
        EXPECT_EQ(std::tuple(lf.lfHeight, lf.lfWeight, lf.lfItalic != 0, lf.lfUnderline != 0,
                             lf.lfStrikeOut != 0, lf.lfQuality, std::wstring(lf.lfFaceName)),
                  std::tuple(height, font.Bold ? FW_BOLD : FW_NORMAL, font.Italic, font.Underline,
                             font.Strikethru, cleanEdges ? NONANTIALIASED_QUALITY : DEFAULT_QUALITY,
                             font.Name))
            << font.Size << " pt at " << dpi;
    }
}

constexpr COLORREF kBlue = RGB(0, 0, 255);

// The fast region and the per-pixel one of the same image, byte for byte, and the colour each settled on.
void ExpectThePerPixelRegion(const DibImage& image, COLORREF colour, COLORREF settled, std::size_t runs) {
    COLORREF reference = colour;
    const unique_hrgn fast = GetTextRegion(image, colour);
    const unique_hrgn perPixel =
        bench::PerPixelTextRegion(image.Dc(), image.Width(), image.Height(), reference);
    ASSERT_TRUE(fast && perPixel);
    EXPECT_EQ(std::pair(colour, reference), std::pair(settled, settled));
    EXPECT_EQ(bench::RegionBytes(fast.get()), bench::RegionBytes(perPixel.get()));
    EXPECT_GE(bench::RegionRects(fast.get()).size(), runs);
}

TEST(TextRegion, RealTextAndPaintedImagesGiveThePerPixelRegionAndTheWindowGetsIt) {
    frmMessage window; // blue on white, Arial 48, transparent
    ASSERT_TRUE(window.PrepareMessageWindow(L"I am calm and ready for this day", {.TextColor = kBlue}));
    ExpectThePerPixelRegion(window.Image(), 0, kWhite, 100); // 0: the top-left pixel's colour
    ASSERT_TRUE(MakeTransparent(window));
    COLORREF colour = 0;
    const unique_hrgn region = GetTextRegion(window, colour), windowRegion(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(::GetWindowRgn(window.hWnd(), windowRegion.get()), COMPLEXREGION);
    EXPECT_TRUE(::EqualRgn(windowRegion.get(), region.get()));

    // Painted images. A row count no power of two, empty rows, runs of every length: rows join pairwise.
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
