#include "options/common_dialog_flags.h"

#include "display/twips.h"

#include <cmath>

namespace uplift {
namespace {

using namespace dialog_flags;

constexpr std::size_t kMaxFaceName = 31;
constexpr int kNormalWeight = 400, kBoldWeight = 700;
// Semi-bold (600) and heavier count as bold, medium (500) and lighter not.
constexpr int kLightestBold = 551;

} // namespace

std::uint32_t ColorDialogFlags(bool anyColor, bool fullOpen, bool preventFullOpen) {
    std::uint32_t flags = (anyColor ? kColorAny : kColorSolid) | kColorRgbInit;
    if (fullOpen) flags |= kColorFullOpen;
    if (preventFullOpen) flags |= kColorPreventFullOpen;
    return flags & ~(kColorEnableHook | kColorEnableTemplate);
}

std::uint32_t FontDialogFlags(std::uint32_t flags, bool hasDeviceContext, Colour color, int minSize,
                              int maxSize) {
    if (hasDeviceContext) flags |= kFontPrinter;
    if (!(flags & kFontPrinter)) flags |= kFontScreen;
    if (color != 0) flags |= kFontEffects;
    if (minSize != 0 || maxSize != 0) flags |= kFontLimitSize;
    return (flags & ~(kFontEnableHook | kFontEnableTemplate | kFontApply)) | kFontInitToLogFont;
}

int PointSizeTenths(float points) {
    // The default rounding mode takes halves to the even neighbour.
    return static_cast<int>(std::nearbyint(static_cast<double>(points) * 10));
}

int LogFontHeight(float points, int dpi) {
    constexpr int kTwipsPerPoint = 20;
    return -TwipsToPixels(static_cast<double>(points) * kTwipsPerPoint, dpi);
}

DialogFont ToDialogFont(const FontDescription& font) {
    return {font.Name.substr(0, kMaxFaceName), font.Bold ? kBoldWeight : kNormalWeight, font.Italic,
            font.Underline, font.Strikethru};
}

void ApplyDialogFont(FontDescription& font, const DialogFont& chosen, int pointSizeTenths,
                     bool boldFontType) {
    font.Bold = boldFontType;
    if (chosen.Weight != 0) font.Bold = chosen.Weight >= kLightestBold;
    font.Italic = chosen.Italic;
    font.Strikethru = chosen.StrikeOut;
    font.Underline = chosen.Underline;
    font.Size = static_cast<float>(pointSizeTenths) / 10;
    font.Name = chosen.FaceName;
}

} // namespace uplift
