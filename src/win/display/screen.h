#pragma once
// Facts about the primary screen that layouts in twips depend on.

#include "display/twips.h"
#include "forms/unique_handle.h"

#include <windows.h>

namespace uplift::win {

// Dots per inch of the screen, not an assumed 96.
inline int ScreenDpi() {
    const window_dc screen(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSX) : 96;
    return dpi > 0 ? dpi : 96;
}

inline int ToPixels(double twips) {
    return TwipsToPixels(twips, ScreenDpi());
}

} // namespace uplift::win
