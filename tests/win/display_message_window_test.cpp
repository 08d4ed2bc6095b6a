// The message window as it is prepared for a text: its size by the measuring rule, its image
// and its window styles, at the screen's real resolution.

#include "display/frm_message.h"

#include "display/screen.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace uplift::win {
namespace {

constexpr COLORREF kNavy = RGB(0, 0, 128), kCream = RGB(255, 253, 208);

SettingsRecord Record(ScreenBackground style) {
    SettingsRecord record;
    record.Background = style;
    record.BackgroundColor = kCream;
    record.TextColor = kNavy;
    return record; // Arial 48
}

// The text's width on one line and the line height, measured here in the record's font.
std::pair<int, int> MeasureOneLine(const std::wstring& text, bool cleanEdges) {
    const unique_hfont font = CreateMessageFont(FontDescription{}, ScreenDpi(), cleanEdges);
    const unique_hdc dc(::CreateCompatibleDC(nullptr));
    const select_object selected(dc.get(), font.get());
    SIZE size{};
    ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc.get(), &tm);
    return {size.cx, tm.tmHeight};
}

std::uint32_t PixelAt(const DibImage& image, int x, int y) {
    return image.Pixels()[static_cast<std::size_t>(y) * image.Width() + x] & 0x00FFFFFF;
}

TEST(MessageWindow, OneLineGivesAFramelessBoxJustAroundTheTextPreparedHidden) {
    frmMessage window;
    ASSERT_TRUE(window.PrepareMessageWindow(L"Breathe", Record(ScreenBackground::Background)));
    const auto [width, lineHeight] = MeasureOneLine(L"Breathe", false);
    RECT rect{};
    ::GetWindowRect(window.hWnd(), &rect);
    EXPECT_EQ((std::pair{window.Width(), window.Height()}), (std::pair{width, lineHeight}));
    EXPECT_EQ((std::pair<int, int>(rect.right - rect.left, rect.bottom - rect.top)),
              (std::pair{width, lineHeight}));
    EXPECT_FALSE(window.lblMessage.Visible);
    EXPECT_FALSE(window.Visible());
}

TEST(MessageWindow, LongTextsAndLineBreaksWrapToTheWrapWidth) {
    for (const std::wstring text :
         {L"I am confident, I am capable and I deserve every good thing that comes my way", L"Be\r\nkind"}) {
        SCOPED_TRACE(testing::PrintToString(text));
        frmMessage window;
        ASSERT_TRUE(window.PrepareMessageWindow(text, Record(ScreenBackground::Transparent)));
        const int lineHeight = MeasureOneLine(text, true).second;
        EXPECT_EQ(window.Width(), TwipsToPixels(kWrapWidthTwips, ScreenDpi()));
        EXPECT_GE(window.Height(), 2 * lineHeight);
        EXPECT_EQ(window.Height() % lineHeight, 0);
    }
}

TEST(MessageWindow, ImageIsTextOnTheBackgroundWithoutAFringeWhenTransparent) {
    for (const auto style : {ScreenBackground::Background, ScreenBackground::Transparent}) {
        SCOPED_TRACE(static_cast<int>(style));
        frmMessage window;
        ASSERT_TRUE(window.PrepareMessageWindow(L"I am loved, no fringe", Record(style)));
        const DibImage& image = window.Image();
        // The glyphs' side bearings and the line's leading leave the top row to the background.
        for (int x = 0; x < image.Width(); ++x)
            ASSERT_EQ(PixelAt(image, x, 0), ToPixel(kCream)) << "top row, x " << x;
        std::size_t inText = 0, blended = 0;
        for (const std::uint32_t pixel : image.Pixels()) {
            const std::uint32_t colour = pixel & 0x00FFFFFF;
            (colour == ToPixel(kNavy) ? inText : blended) += colour != ToPixel(kCream);
        }
        EXPECT_GT(inText, 100u) << "solid strokes in the text colour";
        if (style == ScreenBackground::Transparent) EXPECT_EQ(blended, 0u) << "no anti-aliased fringe";
    }
}

TEST(MessageWindow, FullScreenCoversTheScreenWithTheTextsMiddleInTheMiddle) {
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN), screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    std::wstring tall;
    for (int i = 0; i < 80; ++i)
        tall += L"I let go\r\n";
    for (const std::wstring text : {std::wstring(L"Today is a good day"), tall}) {
        frmMessage window;
        ASSERT_TRUE(window.PrepareMessageWindow(text, Record(ScreenBackground::BackgroundFull)));
        EXPECT_EQ((std::pair{window.Width(), window.Height()}), (std::pair{screenWidth, screenHeight}));
        const RECT label = window.lblMessage.Rect;
        EXPECT_TRUE(window.lblMessage.Visible);
        EXPECT_EQ(window.lblMessage.Caption, text);
        EXPECT_EQ((std::pair<int, int>(label.left, label.right)), (std::pair{0, screenWidth}));
        EXPECT_LE(std::abs((label.top + label.bottom) - screenHeight), 1) << "centred vertically";
        EXPECT_EQ(PixelAt(window.Image(), screenWidth - 1, screenHeight - 1), ToPixel(kCream));
        if (text == tall)
            EXPECT_LT(label.top, 0) << "a text taller than the screen starts above it";
        else
            EXPECT_EQ(label.bottom - label.top, MeasureOneLine(L"Hey", false).second);
    }
}

TEST(MessageWindow, HugeTextsAreCutToTheScreen) {
    std::wstring words;
    while (words.size() < 1'000'000)
        words += L"I am calm. ";
    const std::pair<std::wstring, ScreenBackground> cases[] = {
        {words, ScreenBackground::Transparent},
        {words, ScreenBackground::BackgroundFull},
        {std::wstring(1'000'000, L'x'), ScreenBackground::Background},
        {std::wstring(1'000'000, L'\n'), ScreenBackground::Background},
    };
    for (const auto& [text, style] : cases) {
        SCOPED_TRACE(testing::PrintToString(text.substr(0, 12)) + " " +
                     std::to_string(static_cast<int>(style)));
        frmMessage window;
        ASSERT_TRUE(window.PrepareMessageWindow(text, Record(style)));
        EXPECT_LE(window.Width(), ::GetSystemMetrics(SM_CXSCREEN));
        EXPECT_LE(window.Height(), ::GetSystemMetrics(SM_CYSCREEN));
        EXPECT_GE(window.Height(), 1);
    }
}

TEST(MessageWindow, IsAFramelessTopmostToolWindowThatIsNeverActivated) {
    frmMessage window;
    ASSERT_TRUE(window.PrepareMessageWindow(L"Quietly", Record(ScreenBackground::Transparent)));
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window.hWnd(), GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(window.hWnd(), GWL_EXSTYLE));
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_SYSMENU));
    constexpr DWORD kWanted = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    EXPECT_EQ(exStyle & (kWanted | WS_EX_APPWINDOW), kWanted) << "and no task-bar button";
    EXPECT_EQ(::SendMessageW(window.hWnd(), WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
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
        LOGFONTW lf{};
        ASSERT_EQ(::GetObjectW(CreateMessageFont(c.Font, c.Dpi, c.CleanEdges).get(), sizeof(lf), &lf),
                  static_cast<int>(sizeof(lf)));
        EXPECT_EQ(lf.lfHeight, c.Height);
        EXPECT_EQ(lf.lfWeight, c.Weight);
        EXPECT_EQ(std::tuple(lf.lfItalic != 0, lf.lfUnderline != 0, lf.lfStrikeOut != 0),
                  std::tuple(c.Font.Italic, c.Font.Underline, c.Font.Strikethru));
        EXPECT_EQ(lf.lfQuality, c.CleanEdges ? NONANTIALIASED_QUALITY : DEFAULT_QUALITY);
        EXPECT_EQ(std::wstring(lf.lfFaceName), c.Font.Name);
    }
}

} // namespace
} // namespace uplift::win
