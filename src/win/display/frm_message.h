#pragma once
// frmMessage: the borderless window that shows one affirmation. It is prepared once for a text
// and a style, then shown and hidden any number of times; its image is drawn when it is
// prepared and copied to the screen whenever the window needs painting.

#include "display/dib_image.h"
#include "display/monitor.h"
#include "forms/form.h"
#include "settings/settings_record.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace uplift::win {

inline constexpr wchar_t kMessageWindowClass[] = L"UpliftBeacon.frmMessage";

// Texts wider than this wrap (981 pixels at 96 dots per inch).
inline constexpr int kWrapWidthTwips = 14715;
// No side of the image grows beyond this, however long the text: a longer text is cut off.
inline constexpr int kMaxImageSide = 16384;

class frmMessage final : public Form {
public:
    // The window's own label. Only the full-screen style shows it; its rectangle is where the
    // text stands in the window, in pixels.
    struct Label {
        std::wstring Caption = L"I am I am I am";
        RECT Rect{};
        bool Visible = true;
    };

    frmMessage() = default;
    ~frmMessage() override;

    // Creates the window, hidden, sized and drawn for `text` in the style, font and colours of
    // `settings`, for `monitor`: its size bounds the window and its resolution sizes the text. Returns
    // false when the window or its image could not be made.
    bool PrepareMessageWindow(std::wstring_view text, const SettingsRecord& settings,
                              const MonitorArea& monitor = PrimaryMonitor());

    // The window's size in pixels, which is also that of its image.
    int Width() const { return image_.Width(); }
    int Height() const { return image_.Height(); }
    ScreenBackground Style() const { return style_; }
    // Whether the window shows `text` as `settings` would draw it now on `monitor`; if not, it must be
    // prepared again.
    bool PreparedFor(std::wstring_view text, const SettingsRecord& settings,
                     const MonitorArea& monitor) const;
    const DibImage& Image() const { return image_; }

    Label lblMessage;

private:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void Form_Paint();

    // Everything the image is drawn from.
    struct Look {
        std::wstring Text;
        ScreenBackground Style;
        FontDescription Font;
        Colour Background, Foreground;
        MonitorArea Monitor;
        static Look Of(std::wstring_view text, const SettingsRecord& settings, const MonitorArea& monitor);
        friend bool operator==(const Look&, const Look&) = default;
    };

    DibImage image_;
    Look preparedFor_{};
    ScreenBackground style_ = ScreenBackground::Transparent;
};

// The message window's font: the record's face, size, weight and attributes at `dpi`.
// `cleanEdges` turns anti-aliasing off, so that every pixel is either text or background.
unique_hfont CreateMessageFont(const FontDescription& font, int dpi, bool cleanEdges);

} // namespace uplift::win
