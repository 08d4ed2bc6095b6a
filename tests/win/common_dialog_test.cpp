#include "options/common_dialog.h"

#include <gtest/gtest.h>

namespace uplift::win {
namespace {

// The colour dialog, and the font dialog of the options holding its owner disabled: the end-to-end tests.
TEST(CommonDialog, ACancelledFontDialogChangesNeitherTheFontNorItsOptions) {
    const FontDescription before{L"Tahoma", 10.5f, true, false, true};
    FontDescription font = before;
    FontDialogOptions options;
    // Cancels the font dialog once it is up.
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        const HWND dialog = ::FindWindowW(nullptr, L"Font");
        if (dialog && ::IsWindowVisible(dialog)) ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(mCommonDialog().ShowFont(nullptr, font, options));
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(std::tie(font, options.Flags), std::tie(before, kOptionsFontFlags));
}

} // namespace
} // namespace uplift::win
