#include "app/frm_menu.h"

#include "app/program_folder.h"
#include "display/screen.h"
#include "settings/settings.h"

namespace uplift::win {

namespace {

constexpr UINT_PTR kMessageTimerId = 1;
constexpr UINT kMessageTimerInterval = 1000;

// Client area of the options window in twips.
constexpr int kClientWidthTwips = 6210;
constexpr int kClientHeightTwips = 7935;
constexpr DWORD kOptionsStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kOptionsExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP;

// Taken before the window test: two copies started together both pass a window test, because
// neither has created its window yet; the mutex has exactly one owner.
constexpr wchar_t kInstanceMutexName[] = L"Local\\Fernbrook.UpliftBeacon.SingleInstance";

RECT CentredOptionsRect() {
    RECT r{0, 0, ToPixels(kClientWidthTwips), ToPixels(kClientHeightTwips)};
    ::AdjustWindowRectEx(&r, kOptionsStyle, FALSE, kOptionsExStyle);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    return {left, top, left + width, top + height};
}

} // namespace

frmMenu::frmMenu(SettingsStore& store, const RegionalFormats& formats, const Clock& clock,
                 std::wstring programFolder)
    : store_(store), formats_(formats), clock_(clock), programFolder_(std::move(programFolder)),
      scheduler_(Settings_, clock, formats, *this), tmrMessage_(*this, kMessageTimerId, kMessageTimerInterval) {}

frmMenu::~frmMenu() { tmrMessage_.SetEnabled(false); }

bool frmMenu::Form_Initialize() {
    TestRunning = false;
    HelpFile_ = HelpFileOf(programFolder_);
    DefaultMessage = std::wstring(kDefaultMessage);

    instanceMutex_.reset(::CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    if (instanceMutex_ && ::GetLastError() == ERROR_ALREADY_EXISTS) return false;
    // Kept as well: a copy whose mutex could not be created still meets the other's window.
    return ::FindWindowW(nullptr, kOptionsCaption) == nullptr;
}

bool frmMenu::Load() {
    return LoadForm({L"UpliftBeacon.frmMenu", kOptionsStyle, kOptionsExStyle}, kOptionsCaption,
                    CentredOptionsRect());
}

void frmMenu::Form_Load() {
    const SettingsContext context{formats_, clock_, DefaultMessage};

    const CarriedValues carried = LoadCarriedValues(store_, context);
    LastMessageKey = carried.LastMessageKey;
    LastMessageDate = carried.LastMessageDate;
    Enabled_ = carried.Enabled;

    LoadSettings(Settings_, store_, context);

    LocalfrmTray = std::make_unique<frmTray>();
    LocalfrmTray->Load();

    Closing_ = false;
    AboutOpen = false;

    LocalfrmTray->SetToolTipText(L"Uplift Beacon Plus");
    ApplyEnabled();
    scheduler_.CheckPassed();
}

void frmMenu::ApplyEnabled() {
    LocalfrmTray->RefreshTray();
    if (!Enabled_) {
        tmrMessage_.SetEnabled(false);
    } else {
        cmdOK_Action();
    }
    SaveEnabled(Enabled_, store_);
}

void frmMenu::cmdOK_Action() {
    scheduler_.CheckPassed();
    SaveSettings(Settings_, Carried(), store_, formats_);
    scheduler_.StartSchedule();
}

void frmMenu::Form_QueryUnload(bool& cancel) {
    SaveSettings(Settings_, Carried(), store_, formats_);
    if (Visible()) {
        // Closing the options window keeps the edits, like OK; the program goes on.
        cancel = true;
        cmdOK_Action();
        return;
    }
    Closing_ = true;
}

void frmMenu::Form_Unload() {
    tmrMessage_.SetEnabled(false);
    if (LocalfrmTray) {
        LocalfrmTray->Unload();
        LocalfrmTray.reset();
    }
}

void frmMenu::mnuExit_Click() {
    if (Unload()) ::PostQuitMessage(0);
}

void frmMenu::Form_Timer(UINT_PTR id) {
    if (id == kMessageTimerId) tmrMessage_Timer();
}

bool frmMenu::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& result) {
    switch (message) {
    case WM_CLOSE:
        mnuExit_Click();
        result = 0;
        return true;
    case WM_QUERYENDSESSION: {
        // The settings are saved now: after WM_ENDSESSION the process may end at any moment.
        bool cancel = false;
        Form_QueryUnload(cancel);
        result = TRUE; // never hold up the end of the session
        return true;
    }
    case WM_ENDSESSION:
        if (wParam) {
            if (Closing_) mnuExit_Click();
        } else if (Closing_) {
            // The session goes on after all: so does the schedule.
            Closing_ = false;
            if (Enabled_ && !Visible()) scheduler_.StartSchedule();
        }
        result = 0;
        return true;
    default:
        return false;
    }
}

void frmMenu::SetToolTipText(std::wstring text) {
    if (LocalfrmTray) LocalfrmTray->SetToolTipText(std::move(text));
}

void frmMenu::RefreshTray() {
    if (LocalfrmTray) LocalfrmTray->RefreshTray();
}

void frmMenu::ShowAffirmation() {
    // The message window comes with the display code.
}

} // namespace uplift::win
