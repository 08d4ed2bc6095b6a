#include "display/transparent_region.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace uplift::win {
namespace {

constexpr std::uint32_t kColourBits = 0x00FFFFFF; // GDI leaves the top byte of a 32-bit DIB undefined

RECT ToRect(const PixelRect& run) { return {run.Left, run.Top, run.Right, run.Bottom}; }

} // namespace

unique_hrgn RegionFromRuns(std::span<const PixelRect> runs) {
    if (runs.empty()) return unique_hrgn(::CreateRectRgn(0, 0, 0, 0));

    std::vector<std::byte> buffer(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    RGNDATAHEADER header{};
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(runs.size());
    header.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
    RECT bounds = ToRect(runs.front());
    for (const PixelRect& run : runs) {
        bounds.left = std::min<LONG>(bounds.left, run.Left);
        bounds.top = std::min<LONG>(bounds.top, run.Top);
        bounds.right = std::max<LONG>(bounds.right, run.Right);
        bounds.bottom = std::max<LONG>(bounds.bottom, run.Bottom);
    }
    header.rcBound = bounds;
    std::memcpy(buffer.data(), &header, sizeof(header));
    std::byte* rects = buffer.data() + sizeof(RGNDATAHEADER);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const RECT rect = ToRect(runs[i]);
        std::memcpy(rects + i * sizeof(RECT), &rect, sizeof(RECT));
    }
    return unique_hrgn(::ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()),
                                         reinterpret_cast<const RGNDATA*>(buffer.data())));
}

unique_hrgn GetTextRegion(const DibImage& image, COLORREF& transparentColour) {
    const std::span<const std::uint32_t> bits = image.Pixels();
    if (bits.empty()) return unique_hrgn(::CreateRectRgn(0, 0, 0, 0));
    if (static_cast<LONG>(transparentColour) < 1) transparentColour = ToColorRef(bits[0] & kColourBits);

    std::vector<std::uint32_t> pixels(bits.begin(), bits.end());
    for (std::uint32_t& pixel : pixels) pixel &= kColourBits;
    const std::vector<PixelRect> runs =
        SelectTextRuns(pixels, image.Width(), image.Height(), ToPixel(transparentColour) & kColourBits);
    return RegionFromRuns(runs);
}

unique_hrgn GetTextRegion(const frmMessage& window, COLORREF& transparentColour) {
    return GetTextRegion(window.Image(), transparentColour);
}

bool MakeTransparent(frmMessage& window) {
    COLORREF transparent = 0;
    unique_hrgn region = GetTextRegion(window, transparent);
    if (!region || !window.Loaded()) return false;
    if (!::SetWindowRgn(window.hWnd(), region.get(), TRUE)) return false;
    // The window owns the region from here on and deletes it itself.
    (void)region.release();
    return true;
}

} // namespace uplift::win
