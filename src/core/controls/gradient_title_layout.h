#pragma once
// The arithmetic of the gradient title bar: which caption buttons it shows, where its elements stand
// at a given resolution, and the colour bands of its gradient. The bar is designed in twips and laid
// out in whole pixels of the real resolution.

#include "display/text_region.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace uplift {

// 1 when the host has a maximize button, plus 2 when it has a minimize button.
int CaptionButtonMask(bool hasMaximize, bool hasMinimize);

enum class ButtonShow { Hidden, Disabled, Enabled };

struct CaptionButtons {
    ButtonShow Maximize = ButtonShow::Hidden;
    ButtonShow Minimize = ButtonShow::Hidden;
    bool WhatsThisHelp = false;
    friend bool operator==(const CaptionButtons&, const CaptionButtons&) = default;
};

// A mask outside 0 to 3 keeps its two low bits.
CaptionButtons CaptionButtonsFor(int mask, bool hasWhatsThisHelp);

// Rectangles in pixels of the control's own surface, except `Control`, which is in the host's client
// area. Hidden buttons keep the place they would have.
struct TitleLayout {
    PixelRect Control, TitleBar, FormIcon, FormCaption;
    PixelRect CloseForm, Maximize, Minimize, WhatsThisHelp;
};

// The layout across a host whose inner width is `hostWidth` pixels; nothing when that width is 0 or
// less (a minimized host), as there is then nothing to lay out or paint.
std::optional<TitleLayout> LayOutTitle(int hostWidth, const CaptionButtons& buttons, int dotsPerInch);

// One band of the gradient: columns [Left, Right) of the bar, in pixels from the bar's left edge.
struct GradientBand {
    int Left = 0, Right = 0;
    std::uint8_t Red = 0, Green = 0, Blue = 0;
    friend bool operator==(const GradientBand&, const GradientBand&) = default;
};

// Up to 100 bands from pure blue on the left, 3 steps darker each, black from the 86th on. The bands
// cover the bar's whole width without gaps, left to right.
std::vector<GradientBand> GradientBands(int barWidth, int dotsPerInch);

} // namespace uplift
