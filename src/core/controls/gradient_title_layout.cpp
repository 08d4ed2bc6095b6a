#include "controls/gradient_title_layout.h"

#include "display/twips.h"

#include <algorithm>
#include <cmath>

namespace uplift {
namespace {

// The design in twips (15 to the pixel at 96 dots per inch).
constexpr double kControlHeight = 320;
constexpr double kBarLeft = 15, kBarTop = 20, kBarHeight = 280, kBarInset = 25;
constexpr double kIconLeft = 20, kIconTop = 20, kIconSide = 240;
constexpr double kCaptionLeft = 285, kCaptionTop = 30, kCaptionGap = 40;
// The buttons' faces are 16 x 14 pixels at 96 dots per inch and grow with the resolution.
constexpr double kButtonTop = 30, kButtonWidth = 240, kButtonHeight = 210;
constexpr double kCloseMargin = 40, kButtonsMargin = 80, kWhatsThisGap = 40;

constexpr int kBandCount = 100;
constexpr int kBandStep = -3;

PixelRect At(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

std::uint8_t Darker(std::uint8_t component) {
    return static_cast<std::uint8_t>(std::clamp(component + kBandStep, 0, 255));
}

// The first column of pixels whose left edge lies at `twips` or beyond, within the bar.
int FirstColumnFrom(double twips, int barWidth, int dotsPerInch) {
    const double column = std::ceil(twips * dotsPerInch / kTwipsPerInch);
    return static_cast<int>(std::clamp(column, 0.0, static_cast<double>(barWidth)));
}

} // namespace

int CaptionButtonMask(bool hasMaximize, bool hasMinimize) {
    return (hasMaximize ? 1 : 0) + (hasMinimize ? 2 : 0);
}

CaptionButtons CaptionButtonsFor(int mask, bool hasWhatsThisHelp) {
    using enum ButtonShow;
    // Maximize and minimize by mask: the button that the host lacks is shown disabled beside the other.
    constexpr ButtonShow kShown[4][2]{
        {Hidden, Hidden}, {Enabled, Disabled}, {Disabled, Enabled}, {Enabled, Enabled}};
    return {kShown[mask & 3][0], kShown[mask & 3][1], hasWhatsThisHelp};
}

std::optional<TitleLayout> LayOutTitle(int hostWidth, const CaptionButtons& buttons, int dotsPerInch) {
    if (hostWidth <= 0) return std::nullopt;
    const auto px = [dotsPerInch](double twips) { return TwipsToPixels(twips, dotsPerInch); };
    TitleLayout layout;
    layout.Control = At(0, 0, hostWidth, px(kControlHeight));
    // A host narrower than the inset gets an empty bar rather than a negative width.
    const int barWidth = px(std::max(0.0, PixelsToTwips(hostWidth, dotsPerInch) - kBarInset));
    layout.TitleBar = At(px(kBarLeft), px(kBarTop), barWidth, px(kBarHeight));
    const auto inBar = [&](double left, double top, int width, int height) {
        return At(layout.TitleBar.Left + px(left), layout.TitleBar.Top + px(top), width, height);
    };

    // The arithmetic runs on the widths as the elements report them: whole pixels, in twips.
    const double bar = PixelsToTwips(barWidth, dotsPerInch);
    const int buttonWidth = px(kButtonWidth), buttonHeight = px(kButtonHeight);
    const double button = PixelsToTwips(buttonWidth, dotsPerInch);
    const double close = bar - button - kCloseMargin;
    const double maximize = bar - 2 * button - kButtonsMargin;
    const double minimize = bar - 3 * button - kButtonsMargin;
    const bool maximizeShown = buttons.Maximize != ButtonShow::Hidden;
    const double whatsThis = maximizeShown ? minimize - button - kWhatsThisGap : maximize;
    layout.CloseForm = inBar(close, kButtonTop, buttonWidth, buttonHeight);
    layout.Maximize = inBar(maximize, kButtonTop, buttonWidth, buttonHeight);
    layout.Minimize = inBar(minimize, kButtonTop, buttonWidth, buttonHeight);
    layout.WhatsThisHelp = inBar(whatsThis, kButtonTop, buttonWidth, buttonHeight);
    layout.FormIcon = inBar(kIconLeft, kIconTop, px(kIconSide), px(kIconSide));

    // The caption ends before the first button shown, so that no button covers its text.
    int firstButton = layout.CloseForm.Left;
    if (maximizeShown) firstButton = std::min({firstButton, layout.Maximize.Left, layout.Minimize.Left});
    if (buttons.WhatsThisHelp) firstButton = std::min(firstButton, layout.WhatsThisHelp.Left);
    layout.FormCaption = inBar(kCaptionLeft, kCaptionTop, 0, 0);
    layout.FormCaption.Right = std::max(layout.FormCaption.Left, firstButton - px(kCaptionGap));
    layout.FormCaption.Bottom = std::max(layout.FormCaption.Top, layout.TitleBar.Bottom);
    return layout;
}

std::vector<GradientBand> GradientBands(int barWidth, int dotsPerInch) {
    std::vector<GradientBand> bands;
    if (barWidth <= 0) return bands;
    // Positions in the bar's own units (twips); 32-bit, so that the widest bars are painted whole.
    const double scaleWidth = PixelsToTwips(barWidth, dotsPerInch);
    const double bandWidth = static_cast<double>(std::llround(scaleWidth) / kBandCount);
    GradientBand colour{0, 0, 0, 0, 255};
    double position = 1;
    for (int k = 1; k <= kBandCount && position <= scaleWidth; ++k) {
        const double next = position + bandWidth + 1;
        // The one unit left between two bands is far less than a pixel: each band reaches to the next
        // one and the last to the bar's right edge, so that no seam shows. A column of pixels takes
        // the band under its left edge, so the first column is pure blue however narrow the bands.
        const bool last = k == kBandCount || next > scaleWidth;
        const int left = k == 1 ? 0 : FirstColumnFrom(position, barWidth, dotsPerInch);
        const int right = last ? barWidth : FirstColumnFrom(next, barWidth, dotsPerInch);
        if (right > left) bands.push_back({left, right, colour.Red, colour.Green, colour.Blue});
        colour = {0, 0, Darker(colour.Red), Darker(colour.Green), Darker(colour.Blue)};
        position = next;
    }
    return bands;
}

} // namespace uplift
