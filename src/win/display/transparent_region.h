#pragma once
// Cuts the message window down to its text in the transparent style: every pixel of its image
// that differs from the transparent colour stays, the rest of the window is neither drawn nor hit.

#include "display/dib_image.h"
#include "display/frm_message.h"
#include "display/text_region.h"
#include "forms/unique_handle.h"

#include <windows.h>

#include <span>

namespace uplift::win {

// One region made of the runs, which come row by row, left to right (as SelectTextRuns gives
// them). No runs: an empty region.
unique_hrgn RegionFromRuns(std::span<const PixelRect> runs);

// The pixels of `image` whose colour differs from `transparentColour` (0x00BBGGRR). A colour
// below 1 means the colour of the top-left pixel, which is then written back.
unique_hrgn GetTextRegion(const DibImage& image, COLORREF& transparentColour);
unique_hrgn GetTextRegion(const frmMessage& window, COLORREF& transparentColour);

// Hands the window the region of its text; the top-left pixel's colour is cut away.
bool MakeTransparent(frmMessage& window);

} // namespace uplift::win
