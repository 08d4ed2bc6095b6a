// Times the transparent style's region for a 981 × ~200 image of Arial 48 text: the per-pixel
// way (GetPixel for every pixel, CombineRgn per run) against reading the image's bits and
// building the region from them (one ExtCreateRegion per row, rows joined pairwise). Also times
// one ExtCreateRegion over all the runs, which Wine builds rectangle by rectangle.

#include "display/frm_message.h"
#include "display/text_region.h"
#include "display/transparent_region.h"
#include "per_pixel_region.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using uplift::win::unique_hrgn;

double MedianMs(int repeats, const std::function<unique_hrgn()>& build) {
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const unique_hrgn region = build();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::ranges::sort(times);
    return times[times.size() / 2];
}

// Every run in a single ExtCreateRegion call.
unique_hrgn SingleCall(const std::vector<uplift::PixelRect>& runs) {
    std::vector<std::byte> buffer(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    RGNDATAHEADER header{sizeof(RGNDATAHEADER),
                         RDH_RECTANGLES,
                         static_cast<DWORD>(runs.size()),
                         static_cast<DWORD>(runs.size() * sizeof(RECT)),
                         {0, 0, 0, 0}};
    std::memcpy(buffer.data(), &header, sizeof(header));
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const RECT rect{runs[i].Left, runs[i].Top, runs[i].Right, runs[i].Bottom};
        std::memcpy(buffer.data() + sizeof(header) + i * sizeof(RECT), &rect, sizeof(RECT));
    }
    return unique_hrgn(::ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()),
                                         reinterpret_cast<const RGNDATA*>(buffer.data())));
}

} // namespace

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;

    uplift::SettingsRecord record;
    record.Background = uplift::ScreenBackground::Transparent;
    record.Font = {L"Arial", 48.0f};
    record.TextColor = RGB(0, 0, 255);
    uplift::win::frmMessage window;
    if (!window.PrepareMessageWindow(
            L"I am calm, I am focused, I am grateful and I am ready for all that this day brings", record)) {
        std::fprintf(stderr, "the message window could not be prepared\n");
        return 1;
    }
    const uplift::win::DibImage& image = window.Image();

    COLORREF colour = 0;
    const unique_hrgn fast = uplift::win::GetTextRegion(image, colour);
    COLORREF referenceColour = 0;
    const unique_hrgn reference =
        uplift::bench::PerPixelTextRegion(image.Dc(), image.Width(), image.Height(), referenceColour);
    const bool same = ::EqualRgn(fast.get(), reference.get()) &&
                      uplift::bench::RegionBytes(fast.get()) == uplift::bench::RegionBytes(reference.get());

    const double perPixel = MedianMs(repeats, [&] {
        COLORREF c = 0;
        return uplift::bench::PerPixelTextRegion(image.Dc(), image.Width(), image.Height(), c);
    });
    const double scanned = MedianMs(repeats * 5, [&] {
        COLORREF c = 0;
        return uplift::win::GetTextRegion(image, c);
    });

    std::vector<std::uint32_t> pixels(image.Pixels().begin(), image.Pixels().end());
    for (std::uint32_t& pixel : pixels)
        pixel &= 0x00FFFFFF;
    const std::vector<uplift::PixelRect> runs = uplift::SelectTextRuns(pixels, image.Width(), image.Height());
    const double single = MedianMs(repeats, [&] { return SingleCall(runs); });
    const bool singleSame =
        uplift::bench::RegionBytes(SingleCall(runs).get()) == uplift::bench::RegionBytes(fast.get());

    std::printf("image %d x %d, %zu rectangles, same region: %s\n", image.Width(), image.Height(),
                uplift::bench::RegionRects(fast.get()).size(), same ? "yes" : "NO");
    std::printf("per pixel (GetPixel + CombineRgn): %8.3f ms (median of %d)\n", perPixel, repeats);
    std::printf("DIB scan + region by rows:         %8.3f ms (median of %d)\n", scanned, repeats * 5);
    std::printf("ratio: %.1fx\n", perPixel / scanned);
    std::printf("for comparison, the runs in one ExtCreateRegion call: %.3f ms (%zu runs, same region: %s)\n",
                single, runs.size(), singleSame ? "yes" : "NO");
    return same ? 0 : 1;
}
