// frmMenu: the session, the power state and the clock.

#include "app/frm_menu.h"

namespace uplift::win {
namespace {

// Posted to the main window for a tick outside the notification's handler: a showing that the tick
// starts must not hold up whoever sent the notification.
UINT TickNowMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"UpliftBeacon.TickNow");
    return message;
}

} // namespace

void frmMenu::StartSessionWatch() {
    session_.Start(hWnd());
}

void frmMenu::StopSessionWatch() {
    session_.Stop();
}

void frmMenu::AddSessionHolds(Holds& holds) {
    session_.AddHolds(holds);
}

bool frmMenu::OnSessionMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != 0 && message == TickNowMessage()) {
        // Only while the schedule runs, and not while the icon's menu is open (as the timer's own tick).
        if (tmrMessage_.Enabled() && !popupOpen_) {
            tmrMessage_Timer();
            // The next tick a whole interval after this one.
            if (tmrMessage_.Enabled()) tmrMessage_.SetEnabled(true);
        }
        result = 0;
        return true;
    }
    const std::optional<SessionEvent> event = SessionWatch::EventOf(message, wParam, lParam);
    if (!event) return false;
    const SessionEffect effect = session_.Apply(*event);
    // Nobody is there to see the affirmation: it goes as with Escape.
    if (effect.EndsShowing) StopDisplay = true;
    if (effect.Recompute) {
        // The count-down is worked out from the new time at once, and the repeated one counts its
        // pause afresh instead of firing for the time that was skipped.
        scheduler_.RestartPauseCount();
        ::PostMessageW(hWnd(), TickNowMessage(), 0, 0);
    }
    result = message == WM_POWERBROADCAST ? TRUE : 0;
    return true;
}

} // namespace uplift::win
