#pragma once
// GDI+ for pictures drawn as shapes at the size they take on the screen, so that they stay sharp at
// every resolution: its header with what it needs in scope, and one session for the whole run.

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

// Starts GDI+ on first use; false when it cannot run.
bool GdiplusReady();

} // namespace uplift::win
