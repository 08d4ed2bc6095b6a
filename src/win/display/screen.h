#pragma once
// Facts about the primary screen that layouts in twips depend on.

#include "display/twips.h"

#include <windows.h>

namespace uplift::win {

// Dots per inch of the screen, not an assumed 96.
inline int ScreenDpi() {
    HDC dc = ::GetDC(nullptr);
    const int dpi = dc ? ::GetDeviceCaps(dc, LOGPIXELSX) : 96;
    if (dc) ::ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}

inline int ToPixels(double twips) {
    return TwipsToPixels(twips, ScreenDpi());
}

} // namespace uplift::win
