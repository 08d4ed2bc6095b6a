#pragma once
// The arithmetic around the platform's colour and font dialogs: the flags each request carries,
// and the font description turned into the dialog's terms and back.

#include "settings/settings_record.h"

#include <cstdint>
#include <string>

namespace uplift {

// The platform's common-dialog flag values.
namespace dialog_flags {
inline constexpr std::uint32_t kColorRgbInit = 0x1, kColorFullOpen = 0x2, kColorPreventFullOpen = 0x4,
                               kColorEnableHook = 0x10, kColorEnableTemplate = 0x20, kColorSolid = 0x80,
                               kColorAny = 0x100;
inline constexpr std::uint32_t kFontScreen = 0x1, kFontPrinter = 0x2, kFontEnableHook = 0x8,
                               kFontEnableTemplate = 0x10, kFontInitToLogFont = 0x40, kFontEffects = 0x100,
                               kFontApply = 0x200, kFontLimitSize = 0x2000, kFontForceExist = 0x10000;
inline constexpr std::uint32_t kBoldFontType = 0x100;
} // namespace dialog_flags

// The options dialog's font request: effects and existing fonts only.
inline constexpr std::uint32_t kOptionsFontFlags = dialog_flags::kFontEffects | dialog_flags::kFontForceExist;

// Any or solid colours, the initial colour selected, the custom part as asked; never hooks or templates.
std::uint32_t ColorDialogFlags(bool anyColor, bool fullOpen, bool preventFullOpen);
// The caller's flags completed: printer fonts with a device context, screen fonts otherwise,
// effects with a colour, a size limit with either bound, and started from the LOGFONT.
std::uint32_t FontDialogFlags(std::uint32_t flags, bool hasDeviceContext, Colour color, int minSize,
                              int maxSize);

// Tenths of a point, rounded to the nearest, halves to the even neighbour (8.25 gives 82).
int PointSizeTenths(float points);
// A LOGFONT height: the character height in pixels at `dpi`, negative, rounded like the tenths.
int LogFontHeight(float points, int dpi);

// A font as the dialog takes and returns it; the weight is the platform's 1..1000 (0: not known).
struct DialogFont {
    std::wstring FaceName; // at most 31 characters, so that the NUL fits the LOGFONT
    int Weight = 0;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
};

DialogFont ToDialogFont(const FontDescription& font);
// The confirmed choice onto `font`: bold from the returned font type, then the weight, which decides
// (semi-bold and heavier are bold); size from the tenths; the other fields as returned.
void ApplyDialogFont(FontDescription& font, const DialogFont& chosen, int pointSizeTenths, bool boldFontType);

} // namespace uplift
