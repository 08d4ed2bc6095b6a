#pragma once
// Which monitor an affirmation goes on, and where on it: the monitor the user works on, the one that
// holds the foreground window.

#include "display/text_region.h"

#include <optional>
#include <span>

namespace uplift {

struct MonitorArea {
    PixelRect Rect; // in virtual-screen pixels; the primary monitor's origin is 0,0
    int Dpi = 96;   // the monitor's own resolution
    bool Primary = false;
    friend bool operator==(const MonitorArea&, const MonitorArea&) = default;
};

// The monitor of `monitors` that holds most of `foreground` (the foreground window's monitor as the
// system reports it); the primary when there is no foreground window or its monitor is gone, the first
// when none is marked primary; nothing when there are no monitors.
std::optional<MonitorArea> ChooseMonitor(std::span<const MonitorArea> monitors,
                                         std::optional<PixelRect> foreground);

// The message window on `monitor`: the whole monitor in the full-screen style, else centred on it.
PixelRect MessageWindowRect(const PixelRect& monitor, bool fullScreen, int width, int height);

// A font size in points as a pixel height at `dpi`, at least 1 and at most `maxPixels`; a size that is no
// positive number counts as `fallbackPoints`.
int FontPixels(double points, int dpi, int maxPixels, double fallbackPoints = 8.0);

} // namespace uplift
