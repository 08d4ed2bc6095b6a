#pragma once
// GDI+ for the pictures the forms draw as shapes at the size they take on the screen.

#include <windows.h>

#include <algorithm>

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

} // namespace uplift::win
