#include "forms/unique_handle.h"
#include "options/common_dialog.h"

#include <gtest/gtest.h>

namespace uplift::win {
namespace {

// The colour dialog, and the font dialog of the options, cancelled over the options: the end-to-end tests.
TEST(CommonDialog, ACancelledFontDialogChangesNeitherTheFontNorItsOptionsAndHoldsItsOwner) {
    const unique_hwnd owner(::CreateWindowExW(0, L"STATIC", L"Options", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                                              100, 300, 200, nullptr, nullptr, nullptr, nullptr));
    const FontDescription before{L"Tahoma", 10.5f, true, false, true};
    FontDescription font = before;
    FontDialogOptions options;
    static HWND dialogOwner = owner.get(); // of the dialog to cancel
    static bool modal = false;             // whether the dialog was seen holding its owner disabled
    // Cancels the font dialog once it is up, noting whether it held its owner disabled meanwhile.
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        const HWND dialog = ::FindWindowW(nullptr, L"Font");
        if (!dialog || !::IsWindowVisible(dialog)) return;
        modal = !::IsWindowEnabled(dialogOwner) && ::GetWindow(dialog, GW_OWNER) == dialogOwner;
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(mCommonDialog().ShowFont(owner.get(), font, options));
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(modal && ::IsWindowEnabled(owner.get()));
    EXPECT_EQ(std::tie(font, options.Flags), std::tie(before, kOptionsFontFlags));
}

} // namespace
} // namespace uplift::win
