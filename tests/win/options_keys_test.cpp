// The options window's keys and focus while hidden and shown, and a settings store that cannot be written.

#include "app/frm_menu.h"

#include "test_doubles.h"

#include <gtest/gtest.h>

namespace uplift::win {
namespace {

int optionBoxes = 0;

void PumpKeys() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (TranslateDialogMessage(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void SendCommand(const frmMenu& form, std::wstring_view name, UINT code) {
    HWND control = form.Control(name);
    ::SendMessageW(form.hWnd(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(control), code),
                   reinterpret_cast<LPARAM>(control));
}

TEST(MainForm, HiddenItTakesNoKeysALabelFocusesItsOptionAndAFailedSaveIsToldOnceAtOkOnly) {
    MemorySettingsStore store;
    EnUsRegionalFormats formats;
    ManualClock clock{{2026, 12, 6, 9, 30, 15, 0}};
    frmMenu form{store, formats, clock, L"C:\\nowhere"};
    ASSERT_TRUE(form.Form_Initialize() && form.Load());
    MessageBoxCall() = [](HWND, LPCWSTR, LPCWSTR, UINT) { return ++optionBoxes, IDOK; };
    ::SetWindowTextW(form.Control(L"txtCaption"), L"typed");
    ::SendMessageW(form.hWnd(), WM_ACTIVATE, WA_ACTIVE, 0); // foreground, as after the icon's right click
    for (HWND to : {form.hWnd(), ::GetFocus(), form.Control(L"optPause")}) {
        for (const UINT key : {UINT{'D'}, UINT{'T'}, UINT{VK_DOWN}, UINT{VK_RETURN}}) {
            ::PostMessageW(to, WM_KEYDOWN, key, 0);
            ::PostMessageW(to, WM_CHAR, key | 0x20, 0);
        }
    }
    PumpKeys();
    EXPECT_EQ(std::tuple(form.Settings().txtCaption, form.Settings().When, form.Visible()),
              std::tuple(L"typed", WhenToDisplay::Pause, false));

    form.SetVisible(true);
    ::SetForegroundWindow(form.hWnd());
    ::SetFocus(form.Control(L"cboPause"));
    SendCommand(form, L"lblEveryday", STN_CLICKED);
    EXPECT_EQ(::GetFocus(), form.Control(L"optEveryday"));

    store.failWrites = true;
    SendCommand(form, L"cmdOk", BN_CLICKED);
    EXPECT_EQ(std::tuple(optionBoxes, form.Settings().txtCaption, form.Settings().When),
              std::tuple(1, L"typed", WhenToDisplay::Everyday));
    ::SendMessageW(form.hWnd(), WM_QUERYENDSESSION, 0, 0);
    ::SendMessageW(form.hWnd(), WM_ENDSESSION, FALSE, 0);
    form.mnuExit_Click();
    EXPECT_EQ(std::tuple(optionBoxes, form.Loaded()), std::tuple(1, false))
        << "nothing told at log-off or Exit";
    MSG quit;
    ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    MessageBoxCall() = ::MessageBoxW;
}

} // namespace
} // namespace uplift::win
