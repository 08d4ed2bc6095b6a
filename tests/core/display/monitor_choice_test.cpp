#include "display/monitor_choice.h"

#include <gtest/gtest.h>

#include <cmath>
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
        {desk, std::nullopt, kPrimary},                           // no foreground window
        {{kRight, kLeft}, PixelRect{2304, 0, 3328, 768}, kRight}, // its monitor unplugged, no primary marked
        {desk, PixelRect{-300, 100, 100, 400}, kLeft},            // mostly on the left
        {{kRight, kPrimary}, PixelRect{1180, 0, 1380, 10}, kPrimary}}; // half and half
    for (const auto& [monitors, foreground, chosen] : choices)
        EXPECT_EQ(ChooseMonitor(monitors, foreground), chosen) << monitors.size();

    EXPECT_EQ(MessageWindowRect(kLeft.Rect, false, 981, 199), (PixelRect{-1770, 180, -789, 379}));
    EXPECT_EQ(MessageWindowRect(kLeft.Rect, true, 981, 199), kLeft.Rect);
    const std::pair<double, int> fonts[]{{48, 96}, {0, 16}, {NAN, 16}, {1e9, 4096}}; // at 144 dpi
    for (const auto& [points, pixels] : fonts)
        EXPECT_EQ(FontPixels(points, kLeft.Dpi, 4096), pixels) << points;
}

} // namespace
} // namespace uplift
