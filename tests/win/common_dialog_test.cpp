// The colour and font dialogs, opened over a window of the test and cancelled from a timer.

#include "forms/unique_handle.h"
#include "options/common_dialog.h"

#include <gtest/gtest.h>

namespace uplift::win {
namespace {

// Cancels the dialog with the given title once it is up, noting whether it was modal to `owner`.
struct Canceller {
    static inline const wchar_t* title;
    static inline HWND owner;
    static inline bool modal;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        const HWND dialog = ::FindWindowW(nullptr, title);
        if (!dialog || !::IsWindowVisible(dialog)) return;
        modal = !::IsWindowEnabled(owner) && ::GetWindow(dialog, GW_OWNER) == owner;
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
};

TEST(CommonDialog, CancelledDialogsChangeNothingAndHoldTheirOwner) {
    const unique_hwnd owner(::CreateWindowExW(0, L"STATIC", L"Options", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                                              100, 300, 200, nullptr, nullptr, nullptr, nullptr));
    mCommonDialog dialogs;
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(dialogs.CustomColors()[static_cast<std::size_t>(i)], ::GetSysColor(i)) << i;
    const FontDescription before{L"Tahoma", 10.5f, true, false, true};
    FontDescription font = before;
    FontDialogOptions options;
    for (const wchar_t* title : {L"Color", L"Font"}) {
        Canceller::title = title;
        Canceller::owner = owner.get();
        Canceller::modal = false;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &Canceller::Tick);
        const bool confirmed = title == std::wstring_view(L"Color")
                                   ? dialogs.ShowColor(owner.get()).has_value()
                                   : dialogs.ShowFont(owner.get(), font, options);
        ::KillTimer(nullptr, timer);
        EXPECT_FALSE(confirmed) << title;
        EXPECT_TRUE(Canceller::modal) << title << " was not modal to its owner";
        EXPECT_TRUE(::IsWindowEnabled(owner.get())) << title;
    }
    EXPECT_EQ(font, before);
    EXPECT_EQ(options.Flags, kOptionsFontFlags);
}

} // namespace
} // namespace uplift::win
