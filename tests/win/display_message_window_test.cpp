// The message window as it is prepared for a text: its size by the measuring rule, its image
// and its window styles, at the screen's real resolution.

#include "display/frm_message.h"

#include "display/screen.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

namespace uplift::win {
namespace {

constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kCream = RGB(255, 253, 208);

SettingsRecord Record(ScreenBackground style) {
    SettingsRecord record;
    record.Background = style;
    record.Font = {L"Arial", 48.0f};
    record.BackgroundColor = kCream;
    record.TextColor = kNavy;
    return record;
}

// The text's extent measured here on its own, in the font the record describes.
struct Extent {
    int Width, LineHeight;
};

Extent MeasureOneLine(const std::wstring& text, const FontDescription& font, bool cleanEdges) {
    LOGFONTW lf{};
    lf.lfHeight = -::MulDiv(static_cast<int>(font.Size), ScreenDpi(), 72);
    lf.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
    lf.lfQuality = cleanEdges ? NONANTIALIASED_QUALITY : DEFAULT_QUALITY;
    lf.lfCharSet = DEFAULT_CHARSET;
    font.Name.copy(lf.lfFaceName, 31);
    const unique_hfont handle(::CreateFontIndirectW(&lf));
    const unique_hdc dc(::CreateCompatibleDC(nullptr));
    const select_object selected(dc.get(), handle.get());
    SIZE size{};
    ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc.get(), &tm);
    return {size.cx, tm.tmHeight};
}

int WrapWidth() {
    return TwipsToPixels(kWrapWidthTwips, ScreenDpi());
}

std::uint32_t PixelAt(const DibImage& image, int x, int y) {
    return image.Pixels()[static_cast<std::size_t>(y) * image.Width() + x] & 0x00FFFFFF;
}

TEST(MessageWindow, WrapWidthIs981PixelsAt96Dpi) {
    EXPECT_EQ(TwipsToPixels(kWrapWidthTwips, 96), 981);
    EXPECT_EQ(TwipsToPixels(kWrapWidthTwips, 120), 1226);
}

TEST(MessageWindow, OneWordGivesABoxJustAroundTheWord) {
    const SettingsRecord record = Record(ScreenBackground::Background);
    frmMessage window;
    ASSERT_TRUE(window.PrepareMessageWindow(L"Breathe", record));
    const Extent extent = MeasureOneLine(L"Breathe", record.Font, false);
    EXPECT_EQ(window.Width(), extent.Width);
    EXPECT_EQ(window.Height(), extent.LineHeight);
    RECT rect{};
    ::GetWindowRect(window.hWnd(), &rect);
    EXPECT_EQ(rect.right - rect.left, window.Width()) << "no frame: the outer size is the image's";
    EXPECT_EQ(rect.bottom - rect.top, window.Height());
    EXPECT_FALSE(window.lblMessage.Visible);
    EXPECT_FALSE(window.Visible()) << "prepared hidden";
}

TEST(MessageWindow, TextWiderThanTheWrapWidthIsWrappedToIt) {
    const SettingsRecord record = Record(ScreenBackground::Background);
    const std::wstring text =
        L"I am confident, I am capable and I deserve every good thing that comes my way";
    frmMessage window;
    ASSERT_TRUE(window.PrepareMessageWindow(text, record));
    const Extent extent = MeasureOneLine(text, record.Font, false);
    ASSERT_GT(extent.Width, WrapWidth());
    EXPECT_EQ(window.Width(), WrapWidth());
    EXPECT_GE(window.Height(), 2 * extent.LineHeight);
    EXPECT_EQ(window.Height() % extent.LineHeight, 0);
}

TEST(MessageWindow, ALineBreakWrapsEvenAShortText) {
    const SettingsRecord record = Record(ScreenBackground::Transparent);
    frmMessage window;
    ASSERT_TRUE(window.PrepareMessageWindow(L"Be\r\nkind", record));
    const Extent extent = MeasureOneLine(L"Be", record.Font, true);
    EXPECT_EQ(window.Width(), WrapWidth());
    EXPECT_EQ(window.Height(), 2 * extent.LineHeight);
}

TEST(MessageWindow, BackgroundStyleIsTheBackgroundColourAtTheEdgesAndTextInside) {
    frmMessage window;
    ASSERT_TRUE(window.PrepareMessageWindow(L"I am loved", Record(ScreenBackground::Background)));
    const DibImage& image = window.Image();
    const std::uint32_t background = ToPixel(kCream), text = ToPixel(kNavy);
    // The glyphs' side bearings and the line's leading leave the corners to the background.
    const int right = image.Width() - 1, bottom = image.Height() - 1;
    for (const auto [x, y] :
         {std::pair{0, 0}, std::pair{right, 0}, std::pair{0, bottom}, std::pair{right, bottom}}) {
        EXPECT_EQ(PixelAt(image, x, y), background) << "corner " << x << "," << y;
    }
    for (int x = 0; x < image.Width(); ++x)
        ASSERT_EQ(PixelAt(image, x, 0), background) << "top row, x " << x;
    const auto pixels = image.Pixels();
    const auto inText =
        std::ranges::count_if(pixels, [&](std::uint32_t p) { return (p & 0x00FFFFFF) == text; });
    EXPECT_GT(inText, 100) << "solid strokes in the text colour";
}

TEST(MessageWindow, TransparentStyleDrawsEveryPixelAsTextOrBackground) {
    frmMessage window;
    ASSERT_TRUE(
        window.PrepareMessageWindow(L"Clean edges, no fringe", Record(ScreenBackground::Transparent)));
    const std::uint32_t background = ToPixel(kCream), text = ToPixel(kNavy);
    std::size_t inText = 0, other = 0;
    for (const std::uint32_t pixel : window.Image().Pixels()) {
        const std::uint32_t colour = pixel & 0x00FFFFFF;
        if (colour == text)
            ++inText;
        else if (colour != background)
            ++other;
    }
    EXPECT_GT(inText, 0u);
    EXPECT_EQ(other, 0u) << "anti-aliasing would leave blended pixels around the glyphs";
}

TEST(MessageWindow, FullScreenCoversTheScreenWithTheTextInTheMiddle) {
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN), screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    const SettingsRecord record = Record(ScreenBackground::BackgroundFull);
    frmMessage window;
    ASSERT_TRUE(window.PrepareMessageWindow(L"Today is a good day", record));
    EXPECT_EQ(window.Width(), screenWidth);
    EXPECT_EQ(window.Height(), screenHeight);
    const RECT label = window.lblMessage.Rect;
    EXPECT_TRUE(window.lblMessage.Visible);
    EXPECT_EQ(window.lblMessage.Caption, L"Today is a good day");
    EXPECT_EQ(label.left, 0);
    EXPECT_EQ(label.right, screenWidth);
    EXPECT_EQ(label.bottom - label.top, MeasureOneLine(L"Hey", record.Font, false).LineHeight);
    EXPECT_LE(std::abs((label.top + label.bottom) - screenHeight), 1) << "centred vertically";
    EXPECT_EQ(PixelAt(window.Image(), 0, 0), ToPixel(kCream));
    EXPECT_EQ(PixelAt(window.Image(), screenWidth - 1, screenHeight - 1), ToPixel(kCream));
}

TEST(MessageWindow, FullScreenTextTallerThanTheScreenStartsAboveIt) {
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    std::wstring text;
    for (int i = 0; i < 80; ++i)
        text += L"I let go\r\n";
    text += L"and breathe";
    frmMessage window;
    ASSERT_TRUE(window.PrepareMessageWindow(text, Record(ScreenBackground::BackgroundFull)));
    const RECT label = window.lblMessage.Rect;
    EXPECT_GT(label.bottom - label.top, screenHeight);
    EXPECT_LT(label.top, 0);
    EXPECT_LE(std::abs((label.top + label.bottom) - screenHeight), 1) << "its middle at the screen's middle";
    EXPECT_EQ(window.Height(), screenHeight);
}

TEST(MessageWindow, HugeTextsAreCutToABoundedImage) {
    struct Case {
        const char* Name;
        std::wstring Text;
        ScreenBackground Style;
    };
    std::wstring words;
    while (words.size() < 1'000'000)
        words += L"I am calm. ";
    const Case cases[] = {
        {"a megabyte of words", words, ScreenBackground::Transparent},
        {"a megabyte of words, full screen", words, ScreenBackground::BackgroundFull},
        {"a megabyte without a blank", std::wstring(1'000'000, L'x'), ScreenBackground::Background},
        {"a megabyte of line breaks", std::wstring(1'000'000, L'\n'), ScreenBackground::Background},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto start = std::chrono::steady_clock::now();
        frmMessage window;
        ASSERT_TRUE(window.PrepareMessageWindow(c.Text, Record(c.Style)));
        const auto took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_LE(window.Width(), ::GetSystemMetrics(SM_CXSCREEN));
        EXPECT_LE(window.Height(), ::GetSystemMetrics(SM_CYSCREEN));
        EXPECT_GE(window.Height(), 1);
        std::printf("  %s: %d x %d in %.2f s\n", c.Name, window.Width(), window.Height(), took);
    }
}

TEST(MessageWindow, IsAFramelessTopmostToolWindowThatIsNeverActivated) {
    frmMessage window;
    ASSERT_TRUE(window.PrepareMessageWindow(L"Quietly", Record(ScreenBackground::Transparent)));
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window.hWnd(), GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(window.hWnd(), GWL_EXSTYLE));
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_SYSMENU));
    EXPECT_EQ(exStyle & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE),
              static_cast<DWORD>(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE));
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW) << "no task-bar button";
    EXPECT_EQ(::SendMessageW(window.hWnd(), WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
    wchar_t className[64]{};
    ::GetClassNameW(window.hWnd(), className, 64);
    EXPECT_STREQ(className, kMessageWindowClass);
}

TEST(MessageWindow, FontCarriesTheRecordsFaceSizeAndAttributes) {
    struct Case {
        FontDescription Font;
        int Dpi;
        bool CleanEdges;
        LONG Height, Weight;
    };
    const Case cases[] = {
        {{L"Arial", 48.0f}, 96, true, -64, FW_NORMAL},
        {{L"Arial", 48.0f}, 120, false, -80, FW_NORMAL},
        {{L"Times New Roman", 12.0f, true, true, true, true}, 96, false, -16, FW_BOLD},
        {{L"Arial", 8.25f}, 96, false, -11, FW_NORMAL},
        {{L"Arial", 0.0f}, 96, false, -11, FW_NORMAL}, // no size at all: a small readable one
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Font.Size << " pt at " << c.Dpi);
        const unique_hfont font = CreateMessageFont(c.Font, c.Dpi, c.CleanEdges);
        ASSERT_TRUE(font);
        LOGFONTW lf{};
        ASSERT_EQ(::GetObjectW(font.get(), sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
        EXPECT_EQ(lf.lfHeight, c.Height);
        EXPECT_EQ(lf.lfWeight, c.Weight);
        EXPECT_EQ(lf.lfItalic != 0, c.Font.Italic);
        EXPECT_EQ(lf.lfUnderline != 0, c.Font.Underline);
        EXPECT_EQ(lf.lfStrikeOut != 0, c.Font.Strikethru);
        EXPECT_EQ(lf.lfQuality, c.CleanEdges ? NONANTIALIASED_QUALITY : DEFAULT_QUALITY);
        EXPECT_EQ(std::wstring(lf.lfFaceName), c.Font.Name);
    }
}

} // namespace
} // namespace uplift::win
