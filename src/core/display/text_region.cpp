#include "display/text_region.h"

#include <algorithm>
#include <cstddef>

namespace uplift {

std::vector<PixelRect> SelectTextRuns(std::span<const std::uint32_t> pixels, int width, int height,
                                      std::uint32_t transparentColour) {
    std::vector<PixelRect> runs;
    if (width <= 0 || height <= 0) return runs;
    // Only whole rows that the buffer really holds are scanned.
    const auto stride = static_cast<std::size_t>(width);
    height =
        static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(height), pixels.size() / stride));
    // Text usually leaves a handful of runs per row; this spares most regrowth.
    runs.reserve(static_cast<std::size_t>(height) * 4);

    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = pixels.data() + static_cast<std::size_t>(y) * stride;
        int x = 0;
        while (x < width) {
            while (x < width && row[x] == transparentColour)
                ++x;
            if (x == width) break;
            const int start = x;
            while (x < width && row[x] != transparentColour)
                ++x;
            runs.push_back({start, y, x, y + 1});
        }
    }
    return runs;
}

std::vector<PixelRect> SelectTextRuns(std::span<const std::uint32_t> pixels, int width, int height) {
    if (width <= 0 || height <= 0 || pixels.empty()) return {};
    return SelectTextRuns(pixels, width, height, pixels[0]);
}

} // namespace uplift
