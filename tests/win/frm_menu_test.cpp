// The main form against a store in memory and a still clock; its start, close, one instance: e2e tests.

#include "app/frm_menu.h"
#include "app/frm_tray.h"

#include "test_doubles.h"

#include <gtest/gtest.h>

namespace uplift::win {
namespace {

class MainForm : public ::testing::Test {
protected:
    MemorySettingsStore store; // read at Load
    EnUsRegionalFormats formats;
    ManualClock clock{{2026, 12, 6, 9, 30, 15, 0}};
    frmMenu form{store, formats, clock, L"C:\\nowhere"};
};

TEST_F(MainForm, TheTimerTicksIntoTheIconsTipAndTheEndOfSessionSavesAtOnceAndEndsOnlyIfTheSessionDoes) {
    store.values = {{L"LastMessageKey", L"42"}, {L"LastMessageDate", L"1/2/2020"}, {L"WhenToDisplay", L"1"}};
    ASSERT_TRUE(form.Form_Initialize() && form.Load() && form.LocalfrmTray);
    store.values.clear(); // for the end of the session to write again
    EXPECT_EQ(form.LocalfrmTray->ToolTipText(), L"Uplift Beacon Plus");
    ::SendMessageW(form.hWnd(), WM_TIMER, 1, 0); // every day at 9:30, and the clock stands at 9:30:15
    EXPECT_EQ(form.LocalfrmTray->ToolTipText(), L"Uplift Beacon, Count down: 23:59:45");
    for (const bool ends : {false, true}) {
        EXPECT_EQ(::SendMessageW(form.hWnd(), WM_QUERYENDSESSION, 0, 0), TRUE);
        EXPECT_EQ(std::tuple(store.values[L"LastMessageKey"], store.values[L"LastMessageDate"],
                             store.values[L"WhenToDisplay"], form.Closing_),
                  std::tuple(L"42", L"1/2/2020", L"1", true));
        ::SendMessageW(form.hWnd(), WM_ENDSESSION, ends, 0);
        MSG quit; // taken, so that no WM_QUIT is left for the next test
        const bool quits = ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        EXPECT_EQ(std::tuple(form.Loaded(), quits, form.Closing_), std::tuple(!ends, ends, ends))
            << "a cancelled end of session keeps the form and the schedule running";
    }
    form.Unload();
}

// The icon's right click makes the hidden options window the foreground window on Windows.
TEST_F(MainForm, HiddenItTakesNoKeysALabelFocusesItsOptionAndAFailedSaveIsToldOnceAtOkOnly) {
    ASSERT_TRUE(form.Form_Initialize() && form.Load());
    static int told = 0;
    MessageBoxCall() = [](HWND, LPCWSTR, LPCWSTR, UINT) { return ++told, IDOK; };
    form.SetVisible(true); // the controls are made at the first showing; hidden again, as after Cancel
    form.SetVisible(false);
    ::SetWindowTextW(form.Control(L"txtCaption"), L"typed");
    ::SendMessageW(form.hWnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    for (HWND to : {form.hWnd(), form.Control(L"optPause")}) // Default's access key, an arrow in a group
        ::PostMessageW(to, WM_CHAR, 'd', 0), ::PostMessageW(to, WM_KEYDOWN, VK_DOWN, 0);
    for (MSG msg; ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);)
        if (!TranslateDialogMessage(msg)) ::DispatchMessageW(&msg);
    EXPECT_EQ(std::tuple(form.Settings().txtCaption, form.Settings().When),
              std::tuple(L"typed", WhenToDisplay::Pause));

    form.SetVisible(true);
    ::SetForegroundWindow(form.hWnd());
    ::SetFocus(form.Control(L"cboPause"));
    const HWND label = form.Control(L"lblEveryday"); // its choice disables cboPause
    ::SendMessageW(form.hWnd(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(label), STN_CLICKED), LPARAM(label));
    EXPECT_EQ(::GetFocus(), form.Control(L"optEveryday"));
    store.failWrites = true;
    ::SendMessageW(form.Control(L"cmdOk"), BM_CLICK, 0, 0);
    EXPECT_EQ(std::tuple(told, form.Settings().txtCaption, form.Settings().When),
              std::tuple(1, L"typed", WhenToDisplay::Everyday));
    ::SendMessageW(form.hWnd(), WM_QUERYENDSESSION, 0, 0);
    ::SendMessageW(form.hWnd(), WM_ENDSESSION, FALSE, 0);
    form.mnuExit_Click();
    EXPECT_EQ(std::tuple(told, form.Loaded()), std::tuple(1, false)) << "nothing told at log-off or Exit";
    MSG quit;
    ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    MessageBoxCall() = ::MessageBoxW;
}

struct Recorded : TrayEvents {
    void LocalfrmTray_DblClick() override { events += L"double "; }
    void LocalfrmTray_MouseDown(int button) override { events += L"button" + std::to_wstring(button) + L" "; }
    std::wstring events;
};

// The icon's mouse messages (in a mouse move's X): a move, clicks, a double click as Wine sends it, wheel.
TEST(frmTray, AClickOnTheIconIsAButtonAndOnlyADoubleClickIsADoubleClick) {
    Recorded recorded;
    frmTray tray(recorded);
    ASSERT_TRUE(tray.Load());
    for (const LPARAM message :
         {0x200, 0x201, 0x202, 0x201, 0x202, 0x203, 0x202, 0x204, 0x205, 0x207, 0x208, 0x209, 0x20A})
        ::SendMessageW(tray.hWnd(), WM_MOUSEMOVE, 1, message);
    EXPECT_EQ(recorded.events, L"button1 button1 double button1 button2 ");
    tray.Unload();
}

} // namespace
} // namespace uplift::win
