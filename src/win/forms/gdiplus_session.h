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

// Starts GDI+ on first use; false when it cannot run.
bool GdiplusReady();

// Draws a picture into a bitmap of its own, with smoothed edges, then onto `dc` at `pixels`. GDI+
// smooths what it draws into its own bitmaps everywhere, onto a device context not everywhere (Wine).
// `paint` draws at the origin in a square of width by height.
void DrawSmooth(
    HDC dc, const RECT& pixels,
    const std::function<void(Gdiplus::Graphics&, Gdiplus::REAL width, Gdiplus::REAL height)>& paint);

} // namespace uplift::win
