#pragma once
// A 32-bit top-down DIB section kept selected into its own memory DC: the message window's
// persistent image. Its pixels can be read straight from memory and drawn with GDI alike.

#include "forms/unique_handle.h"

#include <windows.h>

#include <cstdint>
#include <span>

namespace uplift::win {

class DibImage {
public:
    DibImage() = default;
    DibImage(const DibImage&) = delete;
    DibImage& operator=(const DibImage&) = delete;

    // Replaces the image by a new one of the given size filled with `colour` (0x00BBGGRR).
    bool Create(int width, int height, COLORREF colour);
    void Reset();

    explicit operator bool() const { return static_cast<bool>(bitmap_); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    HDC Dc() const { return dc_.get(); }
    // Rows top to bottom, each pixel 0xAARRGGBB; GDI leaves the top byte undefined.
    std::span<const std::uint32_t> Pixels() const;
    std::span<std::uint32_t> Pixels();

private:
    // The DC is declared last so that it goes first: deleting it lets go of the bitmap.
    unique_hbitmap bitmap_;
    unique_hdc dc_;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// A colour as a DIB pixel holds it (0x00RRGGBB), and back.
constexpr std::uint32_t ToPixel(COLORREF colour) {
    return ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}
constexpr COLORREF ToColorRef(std::uint32_t pixel) {
    return ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
}

} // namespace uplift::win
