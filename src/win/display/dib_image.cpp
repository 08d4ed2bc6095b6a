#include "display/dib_image.h"

#include <algorithm>
#include <cstddef>

namespace uplift::win {

bool DibImage::Create(int width, int height, COLORREF colour) {
    Reset();
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down: row 0 first in memory
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    unique_hdc dc(::CreateCompatibleDC(nullptr));
    if (!dc) return false;
    void* bits = nullptr;
    unique_hbitmap bitmap(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return false;
    // Stays selected for the image's lifetime; DeleteDC releases it before the bitmap goes.
    ::SelectObject(dc.get(), bitmap.get());

    bitmap_ = std::move(bitmap);
    dc_ = std::move(dc);
    bits_ = static_cast<std::uint32_t*>(bits);
    width_ = width;
    height_ = height;
    std::ranges::fill(Pixels(), ToPixel(colour));
    return true;
}

void DibImage::Reset() {
    dc_.reset();
    bitmap_.reset();
    bits_ = nullptr;
    width_ = height_ = 0;
}

std::span<const std::uint32_t> DibImage::Pixels() const {
    return {bits_, bits_ ? static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) : 0};
}

std::span<std::uint32_t> DibImage::Pixels() {
    return {bits_, bits_ ? static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) : 0};
}

} // namespace uplift::win
