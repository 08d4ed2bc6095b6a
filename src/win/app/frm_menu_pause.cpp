// frmMenu: the timed pause and the quiet during full-screen programs.

#include "app/frm_menu.h"

#include "display/full_screen_source.h"

#include <algorithm>
#include <array>

namespace uplift::win {

namespace {

// Commands of the icon's menu, apart from those of frm_menu_tray.cpp.
enum PauseCommand : UINT { mnuResume = 201, mnuPause30, mnuPause60, mnuPause120, mnuPauseTomorrow, mnuQuiet };

struct PauseItem {
    PauseCommand Id;
    PauseChoice Choice;
    const wchar_t* Caption;
};
constexpr std::array<PauseItem, 4> kPauseItems{{
    {mnuPause30, PauseChoice::Minutes30, L"For 30 minutes"},
    {mnuPause60, PauseChoice::Hour1, L"For 1 hour"},
    {mnuPause120, PauseChoice::Hours2, L"For 2 hours"},
    {mnuPauseTomorrow, PauseChoice::UntilTomorrow, L"Until tomorrow"},
}};

} // namespace

bool frmMenu::Paused() const {
    return pause_.Running();
}

std::wstring frmMenu::PausedTip() const {
    return uplift::PausedTip(pause_.End(), clock_.UtcSeconds(), timeZone_, formats_);
}

void frmMenu::AddPauseHolds(Holds& holds) {
    holds.Paused = Paused();
    // A pause decides alone what becomes of the showing: the screen need not be looked at.
    holds.FullScreen = !holds.Paused && pause_.Quiet() && FullScreenProgramRuns(WindowsFullScreenSource{});
}

void frmMenu::CreatePauseMenuItems(UINT disableId) {
    const HMENU menu = mnuPopUp_.get();
    unique_hmenu submenu(::CreatePopupMenu());
    if (::InsertMenuW(menu, disableId, MF_BYCOMMAND | MF_POPUP | MF_STRING,
                      reinterpret_cast<UINT_PTR>(submenu.get()), L"Pause"))
        mnuPause_ = submenu.release(); // destroyed with its menu
    for (int i = 0, count = ::GetMenuItemCount(menu); i < count; ++i) {
        if (::GetMenuItemID(menu, i) != disableId) continue;
        ::InsertMenuW(menu, static_cast<UINT>(i + 1), MF_BYPOSITION | MF_STRING, mnuQuiet,
                      L"Quiet during full-screen programs");
        break;
    }
    UpdatePauseMenu();
}

void frmMenu::UpdatePauseMenu() {
    ::CheckMenuItem(mnuPopUp_.get(), mnuQuiet, MF_BYCOMMAND | (pause_.Quiet() ? MF_CHECKED : MF_UNCHECKED));
    if (!mnuPause_) return;
    while (::GetMenuItemCount(mnuPause_) > 0)
        ::DeleteMenu(mnuPause_, 0, MF_BYPOSITION);
    if (pause_.Running()) {
        ::AppendMenuW(mnuPause_, MF_STRING, mnuResume, L"Resume");
        ::AppendMenuW(mnuPause_, MF_SEPARATOR, 0, nullptr);
    }
    for (const PauseItem& item : kPauseItems)
        ::AppendMenuW(mnuPause_, MF_STRING, item.Id, item.Caption);
}

bool frmMenu::OnPauseCommand(UINT id) {
    const auto item =
        std::find_if(kPauseItems.begin(), kPauseItems.end(), [id](auto& i) { return i.Id == id; });
    if (id == mnuQuiet) {
        pause_.SetQuiet(!pause_.Quiet());
        return true;
    }
    if (id == mnuResume) {
        pause_.Resume();
    } else if (item != kPauseItems.end()) {
        pause_.Start(item->Choice);
        StopDisplay = true; // an affirmation on screen goes away with the rest
    } else {
        return false;
    }
    // At once rather than at the next tick: the tip, and a single date that waited for the pause to end.
    if (tmrMessage_.Enabled()) tmrMessage_Timer();
    return true;
}

} // namespace uplift::win
