// frmMenu: the notification-area icon's events and its menu.

#include "app/frm_menu.h"

#include "about/help_topics.h"
#include "about/shell_open.h"
#include "app/executable_path.h"
#include "app/login_start_win.h"
#include "settings/settings.h"

namespace uplift::win {

namespace {
// Commands of the icon's menu.
enum MenuCommand : UINT { mnuShow = 101, mnuAbout, mnuSupport, mnuHelp, mnuDisable, mnuExit, mnuLogin };
} // namespace

void frmMenu::ApplyEnabled() {
    LocalfrmTray->SetIcon(Enabled_ ? enabledIcon_.get() : disabledIcon_.get());
    LocalfrmTray->RefreshTray();
    if (!Enabled_) {
        ::ModifyMenuW(mnuPopUp_.get(), mnuDisable, MF_BYCOMMAND | MF_STRING, mnuDisable, L"Enable");
        tmrMessage_.SetEnabled(false);
    } else {
        ::ModifyMenuW(mnuPopUp_.get(), mnuDisable, MF_BYCOMMAND | MF_STRING, mnuDisable, L"Disable");
        (void)cmdOK_Action(); // with the options hidden nobody is there to be told of a failed save
    }
    (void)SaveEnabled(Enabled_, store_);
}

void frmMenu::CreatePopupMenuItems() {
    mnuPopUp_.reset(::CreatePopupMenu());
    HMENU menu = mnuPopUp_.get();
    ::AppendMenuW(menu, MF_STRING, mnuShow, L"Options...");
    ::AppendMenuW(menu, MF_STRING, mnuAbout, L"About...");
    ::AppendMenuW(menu, MF_STRING, mnuSupport, L"Support");
    ::AppendMenuW(menu, MF_STRING, mnuHelp, L"Help");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, mnuDisable, L"Disable");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, mnuLogin, L"Start when I log in");
    ::AppendMenuW(menu, MF_STRING, mnuExit, L"Exit");
    // Drawn bold: the double click on the icon opens the options too.
    ::SetMenuDefaultItem(menu, mnuShow, FALSE);
    CreatePauseMenuItems(mnuDisable);
}

bool frmMenu::OnMenuCommand(UINT id) {
    if (OnPauseCommand(id)) return true;
    if (id < mnuShow || id > mnuLogin) return false;
    if (BringModalToFront()) return true; // no second about box, no options beneath a modal window
    switch (id) {
    case mnuShow: mnuShow_Click(); return true;
    case mnuAbout: ShowAbout(); return true;
    case mnuSupport: SendSupportMail(hWnd()); return true;
    case mnuHelp: ShowHelp(kHelpNone); return true;
    case mnuDisable: mnuDisable_Click(); return true;
    case mnuExit: mnuExit_Click(); return true;
    case mnuLogin: mnuLogin_Click(); return true;
    default: return false;
    }
}

void frmMenu::LocalfrmTray_DblClick() {
    StopDisplay = true; // an affirmation on screen goes away
    if (BringModalToFront()) return;
    if (!TestRunning && !AboutOpen) {
        SetVisible(true);
        ::SetForegroundWindow(hWnd());
    }
}

void frmMenu::LocalfrmTray_MouseDown(int button) {
    if (button != 2 || TestRunning) return;
    if (BringModalToFront() || Visible()) return;
    POINT at{};
    ::GetCursorPos(&at);
    // Foreground first and WM_NULL after: otherwise the menu stays open when the user clicks elsewhere.
    ::SetForegroundWindow(hWnd());
    UpdatePauseMenu();
    // Read afresh each time: the installer, the platform's start-up list or another copy may have changed it.
    ::CheckMenuItem(mnuPopUp_.get(), mnuLogin,
                    MF_BYCOMMAND | (LoginStartOn(ExecutablePath()) ? MF_CHECKED : MF_UNCHECKED));
    popupOpen_ = true;
    ::TrackPopupMenuEx(mnuPopUp_.get(), 0, at.x, at.y, hWnd(), nullptr);
    popupOpen_ = false;
    // Ended while the menu was open (the end of the session unloads the form): the menu's loop has taken the
    // quit message that was meant for the program's loop.
    if (!Loaded()) {
        ::PostQuitMessage(0);
        return;
    }
    ::PostMessageW(hWnd(), WM_NULL, 0, 0);
}

void frmMenu::mnuShow_Click() {
    SetVisible(true);
    StopDisplay = true;
}

void frmMenu::mnuLogin_Click() {
    const std::wstring exe = ExecutablePath();
    (void)SetLoginStart(exe, !LoginStartOn(exe)); // the check mark shows the outcome the next time
}

void frmMenu::mnuDisable_Click() {
    Enabled_ = !Enabled_;
    ApplyEnabled();
}

} // namespace uplift::win
