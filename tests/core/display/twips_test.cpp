#include "display/twips.h"

#include <gtest/gtest.h>

namespace uplift {
namespace {

TEST(Twips, FollowTheRealResolutionAndRoundHalvesToEven) {
    struct Case {
        double Twips;
        int Dpi, Pixels;
    };
    constexpr Case cases[]{
        {15, 96, 1},      {22.5, 96, 2},   {37.5, 96, 2},    {52.5, 96, 4}, {7.4, 96, 0}, {7.6, 96, 1},
        {-22.5, 96, -2},  {-37.5, 96, -2}, {1440, 144, 144}, {18, 120, 2},  {30, 120, 2}, {1440, 110, 110},
        {14715, 96, 981}, {1440, 0, 96},   {315, -1, 21},    {5, 192, 1}, // no resolution: 96 dpi
    };
    for (const auto& c : cases)
        EXPECT_EQ(TwipsToPixels(c.Twips, c.Dpi), c.Pixels) << c.Twips << " twips at " << c.Dpi << " dpi";
    EXPECT_DOUBLE_EQ(TwipsPerPixel(192), 7.5);
    EXPECT_DOUBLE_EQ(TwipsPerPixel(-96), 15.0);
    for (const int dpi : {96, 110, 120, 144, 168, 192})
        for (const int pixels : {-7, 0, 1, 13, 1000})
            EXPECT_EQ(TwipsToPixels(PixelsToTwips(pixels, dpi), dpi), pixels) << pixels << " px at " << dpi;
}

} // namespace
} // namespace uplift
