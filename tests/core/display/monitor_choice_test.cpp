#include "display/monitor_choice.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace uplift {
namespace {

// A desk: a 4K monitor at 150 % left of and above the primary (negative origin), one at 96 dpi right of it.
const MonitorArea kLeft{{-2560, -440, 0, 1000}, 144, false}, kPrimary{{0, 0, 1280, 1024}, 96, true},
    kRight{{1280, 0, 2304, 768}, 96, false};

TEST(MonitorChoice, TheForegroundWindowsMonitorOrThePrimaryAndTheWindowAndItsTextThere) {
    using Monitors = std::vector<MonitorArea>;
    const Monitors desk{kLeft, kPrimary, kRight};
    const std::tuple<Monitors, std::optional<PixelRect>, std::optional<MonitorArea>> choices[]{
        {{}, PixelRect{0, 0, 10, 10}, std::nullopt},
        {desk, std::nullopt, kPrimary}, // no foreground window
        {desk, kRight.Rect, kRight},
        {desk, PixelRect{2304, 0, 3328, 768}, kPrimary},               // its monitor unplugged
        {{kRight, kLeft}, kPrimary.Rect, kRight},                      // ... and no primary marked
        {desk, PixelRect{-300, 100, 100, 400}, kLeft},                 // mostly on the left
        {{kRight, kPrimary}, PixelRect{1180, 0, 1380, 10}, kPrimary}}; // half and half
    for (const auto& [monitors, foreground, chosen] : choices)
        EXPECT_EQ(ChooseMonitor(monitors, foreground), chosen)
            << monitors.size() << " " << foreground.has_value();

    const std::tuple<PixelRect, bool, int, int, PixelRect> rects[]{
        {kPrimary.Rect, false, 300, 101, {490, 462, 790, 563}}, // as on one screen: halves to even
        {kLeft.Rect, false, 981, 199, {-1770, 180, -789, 379}},
        {kLeft.Rect, true, 2560, 1440, kLeft.Rect}};
    for (const auto& [monitor, fullScreen, width, height, expected] : rects)
        EXPECT_EQ(MessageWindowRect(monitor, fullScreen, width, height), expected)
            << monitor.Left << " " << width;

    const std::tuple<double, int, int> fonts[]{{48, kPrimary.Dpi, 64},
                                               {48, kLeft.Dpi, 96},
                                               {0, 96, 11},
                                               {1e9, 96, 4096},
                                               {std::numeric_limits<double>::quiet_NaN(), 96, 11}};
    for (const auto& [points, dpi, pixels] : fonts)
        EXPECT_EQ(FontPixels(points, dpi, 4096), pixels) << points << " pt at " << dpi;
}

} // namespace
} // namespace uplift
