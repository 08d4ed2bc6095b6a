#pragma once
// mCommonDialog: the platform's colour and font dialogs, modal to the window that opens them.
// One object lives for the run and keeps the colour dialog's 16 custom colours, so that a colour
// the user defines in one dialog is offered by every later one.

#include "options/common_dialog_flags.h"
#include "settings/settings_record.h"

#include <windows.h>

#include <array>
#include <optional>

namespace uplift::win {

// The font dialog's further inputs; Color and Flags come back changed when the user confirms.
struct FontDialogOptions {
    HDC DeviceContext = nullptr; // none: screen fonts, or the default printer's with CF_PRINTERFONTS
    Colour Color = kBlack;       // shown with the effects
    int MinSize = 0;             // points; 0 is no limit
    int MaxSize = 0;
    DWORD Flags = kOptionsFontFlags;
};

class mCommonDialog {
public:
    // The colour the user confirmed in a dialog owned by `owner` (disabled meanwhile), or nothing
    // when the dialog was cancelled or could not be shown.
    std::optional<Colour> ShowColor(HWND owner, Colour initial = kBlack, bool anyColor = true,
                                    bool fullOpen = false, bool preventFullOpen = false);
    // Runs the font dialog on `font`, owned by `owner`; true when the user confirmed, and only then
    // are `font` and `options` changed.
    bool ShowFont(HWND owner, FontDescription& font, FontDialogOptions& options);
    bool ShowFont(HWND owner, FontDescription& font) {
        FontDialogOptions options;
        return ShowFont(owner, font, options);
    }

    // GetSysColor(0..15) until the first colour dialog fills them; then as the user left them.
    const std::array<COLORREF, 16>& CustomColors();

private:
    std::array<COLORREF, 16> customColors_{};
    bool customColorsFilled_ = false;
};

} // namespace uplift::win
