// frmMenu: the session, the power state and the clock.

#include "app/frm_menu.h"

namespace uplift::win {

void frmMenu::AddSessionHolds(Holds& /*holds*/) {}

bool frmMenu::OnSessionMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
    return false;
}

} // namespace uplift::win
