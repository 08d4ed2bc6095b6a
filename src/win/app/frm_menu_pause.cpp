// frmMenu: the timed pause and the quiet during full-screen programs.

#include "app/frm_menu.h"

namespace uplift::win {

bool frmMenu::Paused() const {
    return false;
}

std::wstring frmMenu::PausedTip() const {
    return {};
}

void frmMenu::AddPauseHolds(Holds& /*holds*/) {}

} // namespace uplift::win
