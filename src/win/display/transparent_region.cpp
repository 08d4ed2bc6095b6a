#include "display/transparent_region.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace uplift::win {
namespace {

constexpr std::uint32_t kColourBits = 0x00FFFFFF; // GDI leaves the top byte of a 32-bit DIB undefined

RECT ToRect(const PixelRect& run) {
    return {run.Left, run.Top, run.Right, run.Bottom};
}

// The runs of one row, which never overlap, in one ExtCreateRegion call.
unique_hrgn RowRegion(std::span<const PixelRect> runs, std::vector<std::byte>& buffer) {
    buffer.resize(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    RGNDATAHEADER header{};
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(runs.size());
    header.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
    header.rcBound = ToRect(runs.front());
    std::byte* rects = buffer.data() + sizeof(RGNDATAHEADER);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const RECT rect = ToRect(runs[i]);
        header.rcBound.left = std::min(header.rcBound.left, rect.left);
        header.rcBound.right = std::max(header.rcBound.right, rect.right);
        std::memcpy(rects + i * sizeof(RECT), &rect, sizeof(RECT));
    }
    std::memcpy(buffer.data(), &header, sizeof(header));
    return unique_hrgn(::ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()),
                                         reinterpret_cast<const RGNDATA*>(buffer.data())));
}

bool Join(const unique_hrgn& into, const unique_hrgn& other) {
    return ::CombineRgn(into.get(), into.get(), other.get(), RGN_OR) != ERROR;
}

} // namespace

unique_hrgn RegionFromRuns(std::span<const PixelRect> runs) {
    // Wine's ExtCreateRegion joins its rectangles one at a time into the growing region, which
    // costs the square of their number: 20-50 ms for the ~3900 runs of three lines of Arial 48.
    // One call per row stays small, and joining the rows pairwise, like a binary counter adds,
    // copies each rectangle only about log2(rows) times and keeps a dozen regions at most.
    struct Part {
        unique_hrgn Region;
        std::size_t Rows;
    };
    std::vector<Part> parts;
    std::vector<std::byte> buffer;
    std::size_t first = 0;
    while (first < runs.size()) {
        std::size_t end = first + 1;
        while (end < runs.size() && runs[end].Top == runs[first].Top)
            ++end;
        unique_hrgn row = RowRegion(runs.subspan(first, end - first), buffer);
        if (!row) return {};
        parts.push_back({std::move(row), 1});
        while (parts.size() >= 2 && parts[parts.size() - 2].Rows == parts.back().Rows) {
            Part last = std::move(parts.back());
            parts.pop_back();
            if (!Join(parts.back().Region, last.Region)) return {};
            parts.back().Rows += last.Rows;
        }
        first = end;
    }
    if (parts.empty()) return unique_hrgn(::CreateRectRgn(0, 0, 0, 0));
    while (parts.size() >= 2) {
        Part last = std::move(parts.back());
        parts.pop_back();
        if (!Join(parts.back().Region, last.Region)) return {};
    }
    return std::move(parts.back().Region);
}

unique_hrgn GetTextRegion(const DibImage& image, COLORREF& transparentColour) {
    const std::span<const std::uint32_t> bits = image.Pixels();
    if (bits.empty()) return unique_hrgn(::CreateRectRgn(0, 0, 0, 0));
    if (static_cast<LONG>(transparentColour) < 1) transparentColour = ToColorRef(bits[0] & kColourBits);

    std::vector<std::uint32_t> pixels(bits.begin(), bits.end());
    for (std::uint32_t& pixel : pixels)
        pixel &= kColourBits;
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
