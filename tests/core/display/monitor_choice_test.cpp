#include "display/monitor_choice.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace uplift {
namespace {

// A desk: the primary in the middle, a 4K monitor at 150 % to its left and above (negative origin), one
// at 96 dpi to its right.
const MonitorArea kLeft{{-2560, -440, 0, 1000}, 144, false};
const MonitorArea kPrimary{{0, 0, 1280, 1024}, 96, true};
const MonitorArea kRight{{1280, 0, 2304, 768}, 96, false};

TEST(ChooseMonitor, TheForegroundWindowsMonitorOrThePrimary) {
    using Monitors = std::vector<MonitorArea>;
    const Monitors desk{kLeft, kPrimary, kRight};
    const struct {
        const char* Name;
        Monitors Monitors;
        std::optional<PixelRect> Foreground;
        std::optional<MonitorArea> Chosen;
    } cases[]{
        {"no monitors at all", {}, PixelRect{0, 0, 10, 10}, std::nullopt},
        {"no foreground window", desk, std::nullopt, kPrimary},
        {"on the right", desk, kRight.Rect, kRight},
        {"on the left, negative origin", desk, kLeft.Rect, kLeft},
        {"its monitor unplugged", desk, PixelRect{2304, 0, 3328, 768}, kPrimary},
        {"its monitor unplugged, the primary unmarked", {kRight, kLeft}, PixelRect{0, 0, 1280, 1024}, kRight},
        {"mostly on the left", desk, PixelRect{-300, 100, 100, 400}, kLeft},
        {"half and half keeps the primary", {kRight, kPrimary}, PixelRect{1180, 0, 1380, 10}, kPrimary},
        {"one monitor", {kPrimary}, kPrimary.Rect, kPrimary},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseMonitor(c.Monitors, c.Foreground), c.Chosen) << c.Name;
}

TEST(MessageWindowRect, CentredOnTheMonitorOrCoveringIt) {
    const struct {
        PixelRect Monitor;
        bool FullScreen;
        int Width, Height;
        PixelRect Expected;
    } cases[]{
        {kPrimary.Rect, false, 300, 101, {490, 462, 790, 563}}, // as on a single screen: halves to even
        {kRight.Rect, false, 300, 100, {1642, 334, 1942, 434}},
        {kLeft.Rect, false, 981, 199, {-1770, 180, -789, 379}},
        {kLeft.Rect, true, 2560, 1440, kLeft.Rect},
        {kRight.Rect, true, 1024, 768, kRight.Rect},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MessageWindowRect(c.Monitor, c.FullScreen, c.Width, c.Height), c.Expected)
            << c.Monitor.Left << "," << c.Monitor.Top << " " << c.Width << "x" << c.Height;
}

TEST(FontPixels, PointsAtTheChosenMonitorsResolution) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::tuple<double, int, int> cases[]{
        {48, kPrimary.Dpi, 64}, {48, kLeft.Dpi, 96}, {48, 120, 80}, {11.5, 96, 15},  {0, 96, 11},
        {-3, 144, 16},          {nan, 96, 11},       {48, 0, 64},   {1e9, 96, 4096}, {0.1, 96, 1}};
    for (const auto& [points, dpi, pixels] : cases)
        EXPECT_EQ(FontPixels(points, dpi, 4096), pixels) << points << " pt at " << dpi;
}

} // namespace
} // namespace uplift
