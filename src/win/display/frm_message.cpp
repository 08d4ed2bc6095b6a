#include "display/frm_message.h"

#include "display/affirmation_choice.h"
#include "display/monitor_choice.h"
#include "display/twips.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace uplift::win {
namespace {

// Centred on each line, broken between words, not clipped. The user's text is drawn as typed: an
// "&" is a character, not the mark of an access key.
constexpr UINT kDrawFlags = DT_CENTER | DT_WORDBREAK | DT_NOCLIP | DT_NOPREFIX;
// An affirmation is short: the first measurement normally sees the whole text.
constexpr std::size_t kFirstMeasuredChars = 4096;
constexpr int kMaxFontPixels = 4096;

class paint_dc {
public:
    explicit paint_dc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(::BeginPaint(hwnd, &ps_)) {}
    paint_dc(const paint_dc&) = delete;
    paint_dc& operator=(const paint_dc&) = delete;
    ~paint_dc() { ::EndPaint(hwnd_, &ps_); }
    HDC get() const noexcept { return dc_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

RECT MeasureText(HDC dc, std::wstring_view text, int width, UINT flags) {
    RECT rect{0, 0, width, 0};
    if (!text.empty())
        ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rect, flags | DT_CALCRECT);
    return rect;
}

int RectHeight(const RECT& rect) {
    return rect.bottom - rect.top;
}

// Never ends a piece of the text between the two halves of a surrogate pair.
std::size_t WholeCharacters(std::wstring_view text, std::size_t count) {
    if (count > 0 && count < text.size() && IS_HIGH_SURROGATE(text[count - 1])) --count;
    return count;
}

struct WrappedText {
    std::wstring_view Laid; // the beginning of the text that the height covers
    int Height = 0;
};

// The height of `text` wrapped to `width`. DrawText's cost grows with the square of the text's
// length, so a huge text is measured on growing beginnings until one reaches a line beyond the
// image's cap: the lines of a beginning are those of the whole text except its last, so all that
// the image can show is laid out exactly.
WrappedText MeasureWrapped(HDC dc, std::wstring_view text, int width, int lineHeight) {
    std::size_t count = std::min(text.size(), kFirstMeasuredChars);
    for (;;) {
        count = WholeCharacters(text, count);
        const std::wstring_view laid = text.substr(0, count);
        const int height = RectHeight(MeasureText(dc, laid, width, kDrawFlags));
        if (count >= text.size() || height >= kMaxImageSide + lineHeight) return {laid, height};
        count = std::min(text.size(), count * 2);
    }
}

} // namespace

unique_hfont CreateMessageFont(const FontDescription& font, int dpi, bool cleanEdges) {
    LOGFONTW lf{};
    // Points to pixels at the monitor's real resolution; whole-point sizes give -MulDiv(points, dpi, 72).
    lf.lfHeight = -static_cast<LONG>(FontPixels(font.Size, dpi, kMaxFontPixels));
    lf.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.Italic ? TRUE : FALSE;
    lf.lfUnderline = font.Underline ? TRUE : FALSE;
    lf.lfStrikeOut = font.Strikethru ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = cleanEdges ? NONANTIALIASED_QUALITY : DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::size_t length = std::min(font.Name.size(), std::size(lf.lfFaceName) - 1);
    std::copy_n(font.Name.data(), length, lf.lfFaceName);
    return unique_hfont(::CreateFontIndirectW(&lf));
}

frmMessage::~frmMessage() = default;

bool frmMessage::PrepareMessageWindow(std::wstring_view text, const SettingsRecord& settings,
                                      const MonitorArea& monitor) {
    if (Loaded()) return true; // prepared once; discarded to be prepared afresh
    style_ = settings.Background;
    const int dpi = monitor.Dpi;
    const int monitorWidth = std::max(1, monitor.Rect.Right - monitor.Rect.Left);
    const int monitorHeight = std::max(1, monitor.Rect.Bottom - monitor.Rect.Top);
    // The transparent style keeps every pixel that differs from the background, so anti-aliased
    // glyph edges would float over the desktop as a fringe of blended colours; without
    // anti-aliasing each pixel is text or background. The boxed styles keep smooth text.
    const unique_hfont font = CreateMessageFont(settings.Font, dpi, style_ == ScreenBackground::Transparent);
    const unique_hdc measuring(::CreateCompatibleDC(nullptr));
    if (!font || !measuring) return false;

    int width = 0, height = 0;
    RECT textRect{};
    std::wstring_view laid;
    {
        const select_object selected(measuring.get(), font.get());
        HDC dc = measuring.get();
        if (style_ == ScreenBackground::BackgroundFull) {
            const int lineHeight = RectHeight(MeasureText(dc, L"Hey", monitorWidth, kDrawFlags));
            const WrappedText wrapped = MeasureWrapped(dc, text, monitorWidth, lineHeight);
            // Centred vertically; a text taller than the monitor starts above it.
            const PixelRect centred = CentredRect(monitorWidth, monitorHeight, monitorWidth, wrapped.Height);
            lblMessage.Caption.assign(text);
            lblMessage.Rect = {0, centred.Top, monitorWidth, centred.Top + wrapped.Height};
            lblMessage.Visible = true;
            width = monitorWidth;
            height = monitorHeight;
            textRect = lblMessage.Rect;
            laid = wrapped.Laid;
        } else {
            const int wrapWidth = TwipsToPixels(kWrapWidthTwips, dpi);
            const int oneLine = RectHeight(MeasureText(dc, L"Hey", wrapWidth, kDrawFlags));
            const WrappedText wrapped = MeasureWrapped(dc, text, wrapWidth, oneLine);
            if (wrapped.Height == oneLine && wrapped.Laid.size() == text.size()) {
                // Fits on one line: the window takes the width of the text without wrapping.
                const RECT single = MeasureText(dc, text, 0, kDrawFlags & ~DT_WORDBREAK);
                width = single.right - single.left;
                height = RectHeight(single);
            } else {
                width = wrapWidth;
                height = wrapped.Height;
            }
            ::OffsetRect(&lblMessage.Rect, -lblMessage.Rect.left, -lblMessage.Rect.top);
            lblMessage.Visible = false;
            textRect = {0, 0, width, height};
            laid = wrapped.Laid;
        }
    }

    // A text larger than the monitor is cut to the monitor's size, keeping its middle in view as the
    // centred window would: nothing more could be seen, and the outline of a larger transparent
    // window grows beyond what the window system accepts.
    const int imageWidth = std::clamp(width, 1, monitorWidth);
    const int imageHeight = std::clamp(height, 1, monitorHeight);
    ::OffsetRect(&textRect, -(width - imageWidth) / 2, -(height - imageHeight) / 2);
    if (!image_.Create(imageWidth, imageHeight, settings.BackgroundColor)) return false;
    {
        HDC dc = image_.Dc();
        const select_object selected(dc, font.get());
        ::SetTextColor(dc, settings.TextColor);
        ::SetBkMode(dc, TRANSPARENT);
        RECT rect = textRect;
        if (!laid.empty()) ::DrawTextW(dc, laid.data(), static_cast<int>(laid.size()), &rect, kDrawFlags);
        // The region is read from the bits themselves: GDI must have finished writing them.
        ::GdiFlush();
    }

    const FormStyle style{kMessageWindowClass, WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE};
    // Made on its monitor, so that it never changes resolution when it is placed there.
    const RECT rect{monitor.Rect.Left, monitor.Rect.Top, monitor.Rect.Left + imageWidth,
                    monitor.Rect.Top + imageHeight};
    if (!LoadForm(style, L"", rect)) {
        image_.Reset();
        return false;
    }
    preparedFor_ = Look::Of(text, settings, monitor);
    return true;
}

frmMessage::Look frmMessage::Look::Of(std::wstring_view text, const SettingsRecord& settings,
                                      const MonitorArea& monitor) {
    return {std::wstring(text),       settings.Background, settings.Font,
            settings.BackgroundColor, settings.TextColor,  monitor};
}

bool frmMessage::PreparedFor(std::wstring_view text, const SettingsRecord& settings,
                             const MonitorArea& monitor) const {
    return Loaded() && preparedFor_ == Look::Of(text, settings, monitor);
}

bool frmMessage::OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
    switch (message) {
    case WM_MOUSEACTIVATE:
        // A click on the affirmation must not take the focus from the user's program.
        result = MA_NOACTIVATE;
        return true;
    case WM_ERASEBKGND:
        result = 1; // the image covers the whole window
        return true;
    case WM_PAINT:
        Form_Paint();
        result = 0;
        return true;
    default: return false;
    }
}

void frmMessage::Form_Paint() {
    const paint_dc paint(hWnd());
    if (image_) ::BitBlt(paint.get(), 0, 0, image_.Width(), image_.Height(), image_.Dc(), 0, 0, SRCCOPY);
}

} // namespace uplift::win
