#include "display/twips.h"

#include <gtest/gtest.h>

namespace uplift {
namespace {

TEST(TwipsPerPixel, FollowsTheResolution) {
    struct Case {
        int Dpi;
        double Expected;
    };
    constexpr Case cases[]{{96, 15.0}, {120, 12.0}, {144, 10.0}, {192, 7.5},
                           {72, 20.0}, {0, 15.0},   {-96, 15.0}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(TwipsPerPixel(c.Dpi), c.Expected) << "dpi " << c.Dpi;
}

TEST(TwipsToPixels, RoundsHalvesToEven) {
    struct Case {
        double Twips;
        int Dpi;
        int Expected;
    };
    constexpr Case cases[]{
        {0, 96, 0},       {15, 96, 1},      {22.5, 96, 2},   {37.5, 96, 2},   {52.5, 96, 4},
        {7.4, 96, 0},     {7.6, 96, 1},     {-22.5, 96, -2}, {-37.5, 96, -2}, {-50000, 96, -3333},
        {1440, 96, 96},   {1440, 144, 144}, {18, 120, 2},    {30, 120, 2},    {2055, 96, 137},
        {1440, 110, 110}, {1440, 0, 96},    {315, -1, 21},   {1425, 96, 95},  {5, 192, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TwipsToPixels(c.Twips, c.Dpi), c.Expected) << c.Twips << " twips at " << c.Dpi << " dpi";
}

TEST(PixelsToTwips, IsTheInverseOnWholePixels) {
    EXPECT_DOUBLE_EQ(PixelsToTwips(2, 96), 30.0);
    EXPECT_DOUBLE_EQ(PixelsToTwips(3, 192), 22.5);
    EXPECT_DOUBLE_EQ(PixelsToTwips(1, 0), 15.0);
    for (const int dpi : {96, 110, 120, 144, 168, 192})
        for (const int pixels : {-7, 0, 1, 13, 1000})
            EXPECT_EQ(TwipsToPixels(PixelsToTwips(pixels, dpi), dpi), pixels) << pixels << " px at " << dpi;
}

} // namespace
} // namespace uplift
