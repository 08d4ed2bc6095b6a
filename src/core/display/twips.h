#pragma once
// Twips (1/1440 inch) to pixels at the screen's real resolution.

#include <cstdint>

namespace uplift {

inline constexpr int kTwipsPerInch = 1440;

double TwipsPerPixel(int dotsPerInch);
// Divided and rounded to the nearest integer, halves to the even neighbour.
int TwipsToPixels(double twips, int dotsPerInch);
double PixelsToTwips(int pixels, int dotsPerInch);

} // namespace uplift
