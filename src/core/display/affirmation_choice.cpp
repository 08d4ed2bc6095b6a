#include "display/affirmation_choice.h"

#include <cstdint>

namespace uplift {
namespace {

// Half of a whole number, a .5 going to the even neighbour.
int HalfToEven(std::int64_t value) {
    std::int64_t half = value / 2;
    if (value % 2 != 0) {
        if (value < 0) --half; // floor of the exact half
        if (half % 2 != 0) ++half;
    }
    return static_cast<int>(half);
}

} // namespace

AffirmationChoice ChooseAffirmation(const SettingsRecord& settings, const std::vector<std::wstring>& messages,
                                    UniformRandom& random) {
    if (!settings.optList) {
        if (settings.txtCaption.empty()) return {};
        return {settings.txtCaption, false};
    }
    if (messages.empty()) return {};
    const auto count = static_cast<std::int64_t>(messages.size());
    const std::int64_t index = random.NextIndex(count);
    // A window prepared for one entry would show the wrong text for another.
    return {messages[static_cast<std::size_t>(index - 1)], count >= 2};
}

PixelRect CentredRect(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
    const int left = HalfToEven(std::int64_t{screenWidth} - windowWidth);
    const int top = HalfToEven(std::int64_t{screenHeight} - windowHeight);
    return {left, top, left + windowWidth, top + windowHeight};
}

} // namespace uplift
