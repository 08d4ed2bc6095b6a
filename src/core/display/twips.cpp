#include "display/twips.h"

#include <cmath>

namespace uplift {
namespace {

constexpr int kDefaultDotsPerInch = 96;

// A device that reports no resolution is taken for the common screen.
int UsableDpi(int dotsPerInch) {
    return dotsPerInch > 0 ? dotsPerInch : kDefaultDotsPerInch;
}

} // namespace

double TwipsPerPixel(int dotsPerInch) {
    return static_cast<double>(kTwipsPerInch) / UsableDpi(dotsPerInch);
}

int TwipsToPixels(double twips, int dotsPerInch) {
    // Multiplying first keeps resolutions like 110 dpi, whose twips per pixel is no exact double, exact.
    const double pixels = twips * UsableDpi(dotsPerInch) / kTwipsPerInch;
    double whole = std::floor(pixels);
    const double fraction = pixels - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
    return static_cast<int>(whole);
}

double PixelsToTwips(int pixels, int dotsPerInch) {
    return pixels * TwipsPerPixel(dotsPerInch);
}

} // namespace uplift
