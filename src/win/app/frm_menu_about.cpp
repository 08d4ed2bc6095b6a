// frmMenu: the about box and help, from the options dialog and from the icon's menu.

#include "app/frm_menu.h"

#include "about/frm_about.h"
#include "about/help_topics.h"
#include "about/html_help.h"

namespace uplift::win {

void frmMenu::ShowAbout() {
    AboutOpen = true;
    {
        frmAbout about;
        if (about.Load()) about.ShowModal(hWnd());
        about.Unload();
    }
    AboutOpen = false;
}

void frmMenu::ShowHelp(int topic) {
    ShowHelpTopic(topic);
}

void frmMenu::Form_Help(int helpId) {
    ShowHelp(helpId);
}

void frmMenu::Form_WhatsThis(int helpId, POINT at) {
    ShowHelpPopup(hWnd(), helpId, at);
}

void frmMenu::cmdAbout_Click() {
    ShowAbout();
}

// The Help button has no help number of its own: it opens the overview.
void frmMenu::cmdHelp_Click() {
    ShowHelp(kHelpNone);
}

bool frmMenu::BringModalToFront() {
    HWND modal = ModalWindow();
    HWND base = modal ? modal : hWnd();
    // A platform dialog over it (colour, font, message box) keeps it disabled and is its last active popup.
    if (!::IsWindowEnabled(base)) {
        HWND popup = ::GetLastActivePopup(base);
        if (popup && popup != base)
            modal = popup;
        else if (!modal)
            return true; // something modal holds the options window; nothing of it to show
    }
    if (!modal) return false;
    ::SetForegroundWindow(modal);
    return true;
}

} // namespace uplift::win
