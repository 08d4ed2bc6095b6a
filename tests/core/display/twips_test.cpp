#include "display/twips.h"

#include <gtest/gtest.h>

namespace uplift {

TEST(Twips, FollowTheRealResolutionAndRoundHalvesToEven) {
    // clang-format off
    constexpr std::tuple<double, int, int> kCases[]{
        {15, 96, 1}, {22.5, 96, 2}, {37.5, 96, 2}, {52.5, 96, 4}, {7.4, 96, 0}, {7.6, 96, 1}, {-22.5, 96, -2},
        {-37.5, 96, -2}, {1440, 144, 144}, {18, 120, 2}, {30, 120, 2}, {1440, 110, 110}, {14715, 96, 981}, {5, 192, 1},
        {1440, 0, 96}, {315, -1, 21}}; // no resolution: 96 dpi
    // clang-format on
    for (const auto& [twips, dpi, pixels] : kCases)
        EXPECT_EQ(TwipsToPixels(twips, dpi), pixels) << twips << " twips at " << dpi << " dpi";
    EXPECT_DOUBLE_EQ(PixelsToTwips(2, -96), 30.0);
    for (const int dpi : {96, 110, 120, 144, 168, 192})
        for (const int pixels : {-7, 0, 1, 13, 1000})
            EXPECT_EQ(TwipsToPixels(PixelsToTwips(pixels, dpi), dpi), pixels) << pixels << " px at " << dpi;
}

} // namespace uplift
