#pragma once
// GDI+ for pictures drawn as shapes at the size they take on the screen, so that they stay sharp at
// every resolution: its header with what it needs in scope, and one session for the whole run.

#include <windows.h>

#include <algorithm>
#include <functional>

#include <objidl.h> // GDI+ needs the COM types that a lean windows.h leaves out

// GDI+ wants min and max in scope.
namespace Gdiplus {
using std::max;
using std::min;
} // namespace Gdiplus
#include <gdiplus.h>

namespace uplift::win {

// Starts GDI+ on first use, for the rest of the run; false when it could not start.
bool GdiplusReady();

// The few colours of the program's pictures.
namespace pictures {
inline const Gdiplus::Color kInk(255, 52, 73, 94);
inline const Gdiplus::Color kWarm(255, 240, 138, 36);
inline const Gdiplus::Color kSky(255, 66, 133, 204);
inline const Gdiplus::Color kPaper(255, 255, 255, 255);
} // namespace pictures

// Anti-aliased drawing with the origin at the picture's top left corner; the side of the largest
// square the picture holds.
Gdiplus::REAL PrepareGraphics(Gdiplus::Graphics& g, const RECT& pixels);

// Draws a picture into a bitmap of its own, with smoothed edges, then onto `dc` at `pixels`. GDI+
// smooths what it draws into its own bitmaps everywhere, onto a device context not everywhere (Wine).
// `paint` draws at the origin in a square of width by height.
void DrawSmooth(
    HDC dc, const RECT& pixels,
    const std::function<void(Gdiplus::Graphics&, Gdiplus::REAL width, Gdiplus::REAL height)>& paint);

} // namespace uplift::win
