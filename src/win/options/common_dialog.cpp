#include "options/common_dialog.h"

#include "display/screen.h"
#include "forms/com_apartment.h"
#include "forms/unique_handle.h"

#include <commdlg.h>

#include <string>

namespace uplift::win {
namespace {

using namespace dialog_flags;

static_assert(kColorRgbInit == CC_RGBINIT && kColorFullOpen == CC_FULLOPEN &&
              kColorPreventFullOpen == CC_PREVENTFULLOPEN && kColorEnableHook == CC_ENABLEHOOK &&
              kColorEnableTemplate == CC_ENABLETEMPLATE && kColorSolid == CC_SOLIDCOLOR &&
              kColorAny == CC_ANYCOLOR);
static_assert(kFontScreen == CF_SCREENFONTS && kFontPrinter == CF_PRINTERFONTS &&
              kFontEnableHook == CF_ENABLEHOOK && kFontEnableTemplate == CF_ENABLETEMPLATE &&
              kFontInitToLogFont == CF_INITTOLOGFONTSTRUCT && kFontEffects == CF_EFFECTS &&
              kFontApply == CF_APPLY && kFontLimitSize == CF_LIMITSIZE &&
              kFontForceExist == CF_FORCEFONTEXIST && kBoldFontType == BOLD_FONTTYPE);

// The default printer's device context, for printer fonts asked for without one.
unique_hdc DefaultPrinterDc() {
    PRINTDLGW request{};
    request.lStructSize = sizeof request;
    request.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (!::PrintDlgW(&request)) return {};
    ::GlobalFree(request.hDevMode);
    ::GlobalFree(request.hDevNames);
    return unique_hdc(request.hDC);
}

} // namespace

const std::array<COLORREF, 16>& mCommonDialog::CustomColors() {
    if (!customColorsFilled_) {
        for (int i = 0; i < 16; ++i)
            customColors_[static_cast<std::size_t>(i)] = ::GetSysColor(i);
        customColorsFilled_ = true;
    }
    return customColors_;
}

std::optional<Colour> mCommonDialog::ShowColor(HWND owner, Colour initial, bool anyColor, bool fullOpen,
                                               bool preventFullOpen) {
    CustomColors();
    CHOOSECOLORW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.rgbResult = initial;
    request.lpCustColors = customColors_.data();
    request.Flags = ColorDialogFlags(anyColor, fullOpen, preventFullOpen);
    EnsureComApartment();
    if (!::ChooseColorW(&request)) return std::nullopt;
    return request.rgbResult;
}

bool mCommonDialog::ShowFont(HWND owner, FontDescription& font, FontDialogOptions& options) {
    unique_hdc printer;
    HDC dc = options.DeviceContext;
    if (!dc && (options.Flags & CF_PRINTERFONTS)) {
        printer = DefaultPrinterDc();
        dc = printer.get();
    }
    const DialogFont start = ToDialogFont(font);
    LOGFONTW logFont{};
    logFont.lfHeight = LogFontHeight(font.Size, ScreenDpi()); // the dialog's points are the screen's
    logFont.lfWeight = start.Weight;
    logFont.lfItalic = start.Italic;
    logFont.lfUnderline = start.Underline;
    logFont.lfStrikeOut = start.StrikeOut;
    start.FaceName.copy(logFont.lfFaceName, LF_FACESIZE - 1);

    CHOOSEFONTW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.hDC = dc;
    request.lpLogFont = &logFont;
    request.iPointSize = PointSizeTenths(font.Size);
    request.Flags = FontDialogFlags(options.Flags, options.DeviceContext != nullptr, options.Color,
                                    options.MinSize, options.MaxSize);
    request.rgbColors = options.Color;
    request.nSizeMin = options.MinSize;
    request.nSizeMax = options.MaxSize;
    EnsureComApartment();
    if (!::ChooseFontW(&request)) return false;

    options.Flags = request.Flags;
    options.Color = request.rgbColors;
    const DialogFont chosen{logFont.lfFaceName, static_cast<int>(logFont.lfWeight), logFont.lfItalic != 0,
                            logFont.lfUnderline != 0, logFont.lfStrikeOut != 0};
    ApplyDialogFont(font, chosen, request.iPointSize, (request.nFontType & BOLD_FONTTYPE) != 0);
    return true;
}

} // namespace uplift::win
