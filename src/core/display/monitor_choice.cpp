#include "display/monitor_choice.h"

#include "display/affirmation_choice.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace uplift {
namespace {

std::int64_t Overlap(const PixelRect& a, const PixelRect& b) {
    const std::int64_t width = std::int64_t{std::min(a.Right, b.Right)} - std::max(a.Left, b.Left);
    const std::int64_t height = std::int64_t{std::min(a.Bottom, b.Bottom)} - std::max(a.Top, b.Top);
    return width > 0 && height > 0 ? width * height : 0;
}

} // namespace

std::optional<MonitorArea> ChooseMonitor(std::span<const MonitorArea> monitors,
                                         std::optional<PixelRect> foreground) {
    if (monitors.empty()) return std::nullopt;
    const auto primary =
        std::find_if(monitors.begin(), monitors.end(), [](const auto& m) { return m.Primary; });
    const MonitorArea* chosen = primary != monitors.end() ? &*primary : &monitors.front();
    if (!foreground) return *chosen;
    // A window across two monitors goes with the larger part; an even split keeps the primary.
    std::int64_t most = Overlap(chosen->Rect, *foreground);
    for (const MonitorArea& monitor : monitors) {
        const std::int64_t overlap = Overlap(monitor.Rect, *foreground);
        if (overlap > most) {
            most = overlap;
            chosen = &monitor;
        }
    }
    return *chosen;
}

PixelRect MessageWindowRect(const PixelRect& monitor, bool fullScreen, int width, int height) {
    if (fullScreen) return monitor;
    const PixelRect centred =
        CentredRect(monitor.Right - monitor.Left, monitor.Bottom - monitor.Top, width, height);
    return {centred.Left + monitor.Left, centred.Top + monitor.Top, centred.Right + monitor.Left,
            centred.Bottom + monitor.Top};
}

int FontPixels(double points, int dpi, int maxPixels, double fallbackPoints) {
    if (!std::isfinite(points) || points <= 0) points = fallbackPoints;
    const double pixels = std::round(points * (dpi > 0 ? dpi : 96) / 72.0);
    return static_cast<int>(std::clamp(pixels, 1.0, static_cast<double>(std::max(1, maxPixels))));
}

} // namespace uplift
