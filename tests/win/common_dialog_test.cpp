#include "forms/unique_handle.h"
#include "options/common_dialog.h"

#include <gtest/gtest.h>

namespace uplift::win {
namespace {

std::tuple<const wchar_t*, HWND, bool> g_dialog; // title, owner, whether it was seen modal to its owner

// Cancels the dialog once it is up, noting whether it held its owner disabled meanwhile.
void CALLBACK CancelDialog(HWND, UINT, UINT_PTR, DWORD) {
    auto& [title, owner, modal] = g_dialog;
    const HWND dialog = ::FindWindowW(nullptr, title);
    if (!dialog || !::IsWindowVisible(dialog)) return;
    modal = !::IsWindowEnabled(owner) && ::GetWindow(dialog, GW_OWNER) == owner;
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST(CommonDialog, CancelledDialogsChangeNothingAndHoldTheirOwner) {
    const unique_hwnd owner(::CreateWindowExW(0, L"STATIC", L"Options", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                                              100, 300, 200, nullptr, nullptr, nullptr, nullptr));
    mCommonDialog dialogs;
    EXPECT_EQ(dialogs.CustomColors()[1] + dialogs.CustomColors()[15], ::GetSysColor(1) + ::GetSysColor(15));
    const FontDescription before{L"Tahoma", 10.5f, true, false, true};
    FontDescription font = before;
    FontDialogOptions options;
    for (const wchar_t* title : {L"Color", L"Font"}) {
        g_dialog = {title, owner.get(), false};
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &CancelDialog);
        const bool confirmed = *title == L'C' ? dialogs.ShowColor(owner.get()).has_value()
                                              : dialogs.ShowFont(owner.get(), font, options);
        ::KillTimer(nullptr, timer);
        EXPECT_TRUE(!confirmed && std::get<bool>(g_dialog) && ::IsWindowEnabled(owner.get())) << title;
    }
    EXPECT_EQ(std::tie(font, options.Flags), std::tie(before, kOptionsFontFlags));
}

} // namespace
} // namespace uplift::win
