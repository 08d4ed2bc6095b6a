#pragma once
// The straightforward text region: GetPixel for every pixel and one rectangle region per run,
// joined with CombineRgn. The yardstick that the region code is tested and timed against; the
// program itself does not use it.

#include "forms/unique_handle.h"

#include <windows.h>

#include <cstddef>
#include <vector>

namespace uplift::bench {

// `image` is a DC with the picture selected; a colour below 1 means that of the top-left pixel.
inline win::unique_hrgn PerPixelTextRegion(HDC image, int width, int height, COLORREF& transparentColour) {
    win::unique_hrgn result(::CreateRectRgn(0, 0, 0, 0));
    if (width <= 0 || height <= 0) return result;
    if (static_cast<LONG>(transparentColour) < 1) transparentColour = ::GetPixel(image, 0, 0);
    for (int y = 0; y < height; ++y) {
        int x = 0;
        while (x < width) {
            while (x < width && ::GetPixel(image, x, y) == transparentColour)
                ++x;
            if (x == width) break;
            const int start = x;
            while (x < width && ::GetPixel(image, x, y) != transparentColour)
                ++x;
            const win::unique_hrgn run(::CreateRectRgn(start, y, x, y + 1));
            ::CombineRgn(result.get(), result.get(), run.get(), RGN_OR);
        }
    }
    return result;
}

// A region's complete description, for comparing two regions byte for byte.
inline std::vector<std::byte> RegionBytes(HRGN region) {
    const DWORD size = ::GetRegionData(region, 0, nullptr);
    std::vector<std::byte> bytes(size);
    if (size > 0) ::GetRegionData(region, size, reinterpret_cast<RGNDATA*>(bytes.data()));
    return bytes;
}

// The rectangles the region is made of, in its own order.
inline std::vector<RECT> RegionRects(HRGN region) {
    const std::vector<std::byte> bytes = RegionBytes(region);
    std::vector<RECT> rects;
    if (bytes.size() < sizeof(RGNDATAHEADER)) return rects;
    const auto* data = reinterpret_cast<const RGNDATA*>(bytes.data());
    const auto* first = reinterpret_cast<const RECT*>(data->Buffer);
    rects.assign(first, first + data->rdh.nCount);
    return rects;
}

} // namespace uplift::bench
