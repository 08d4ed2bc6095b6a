#pragma once
// Whole rectangles in assertion messages.

#include "display/text_region.h"

#include <ostream>

namespace uplift {

inline void PrintTo(const PixelRect& r, std::ostream* os) {
    *os << '(' << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ')';
}

} // namespace uplift
