#pragma once
// Which pixels of the message window's image stay visible in the transparent style: every pixel
// whose colour differs from the transparent colour, collected row by row into runs one pixel high.

#include <cstdint>
#include <span>
#include <vector>

namespace uplift {

struct PixelRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0; // right and bottom exclusive
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// `pixels` holds `height` rows of `width` colours, top row first; colours are compared exactly.
// Rows top to bottom, runs left to right, runs never merged across rows.
std::vector<PixelRect> SelectTextRuns(std::span<const std::uint32_t> pixels, int width, int height,
                                      std::uint32_t transparentColour);

// The transparent colour is that of the top-left pixel (an empty image has no runs at all).
std::vector<PixelRect> SelectTextRuns(std::span<const std::uint32_t> pixels, int width, int height);

} // namespace uplift
