#include "app/frm_menu.h"

#include "affirmations/list_file_win.h"
#include "app/program_folder.h"
#include "display/screen.h"
#include "resource.h"
#include "settings/settings.h"

namespace uplift::win {

namespace {

constexpr UINT_PTR kMessageTimerId = 1;
constexpr UINT kMessageTimerInterval = 1000;

// Commands of the icon's menu.
enum MenuCommand : UINT { mnuShow = 101, mnuAbout, mnuSupport, mnuHelp, mnuDisable, mnuExit };

// Client area of the options window in twips.
constexpr int kClientWidthTwips = 6210;
constexpr int kClientHeightTwips = 7935;
constexpr DWORD kOptionsStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kOptionsExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP;

// Taken before the window test: two copies started together both pass a window test, because
// neither has created its window yet; the mutex has exactly one owner.
constexpr wchar_t kInstanceMutexName[] = L"Local\\Fernbrook.UpliftBeacon.SingleInstance";

unique_hicon LoadSmallIcon(int id) {
    return unique_hicon(static_cast<HICON>(::LoadImageW(AppInstance(), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                                        ::GetSystemMetrics(SM_CXSMICON),
                                                        ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
}

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
      scheduler_(Settings_, clock, formats, *this),
      tmrMessage_(*this, kMessageTimerId, kMessageTimerInterval) {}

frmMenu::~frmMenu() {
    SetFailureHook(nullptr);
    tmrMessage_.SetEnabled(false);
}

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
    // A shared resource icon: the system owns it, nothing destroys it.
    const HICON icon = ::LoadIconW(AppInstance(), MAKEINTRESOURCEW(IDI_APP));
    return LoadForm({L"UpliftBeacon.frmMenu", kOptionsStyle, kOptionsExStyle, icon}, kOptionsCaption,
                    CentredOptionsRect());
}

void frmMenu::Form_Load() {
    const SettingsContext context{formats_, clock_, DefaultMessage};

    const CarriedValues carried = LoadCarriedValues(store_, context);
    LastMessageKey = carried.LastMessageKey;
    LastMessageDate = carried.LastMessageDate;
    Enabled_ = carried.Enabled;

    LoadSettings(Settings_, store_, context);
    // A handler that fails keeps what the user has set.
    SetFailureHook([this] { SaveSettings(Settings_, Carried(), store_, formats_); });

    enabledIcon_ = LoadSmallIcon(IDI_APP);
    disabledIcon_ = LoadSmallIcon(IDI_DISABLED);
    CreatePopupMenuItems();
    LocalfrmTray = std::make_unique<frmTray>(static_cast<TrayEvents&>(*this));
    LocalfrmTray->Load();

    Closing_ = false;
    AboutOpen = false;

    LoadMessages();

    LocalfrmTray->SetToolTipText(L"Uplift Beacon Plus");
    ApplyEnabled();
    scheduler_.CheckPassed();
}

void frmMenu::LoadMessages() {
    const HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    Messages = ReadListFileAt(ListFilePath(programFolder_));
    ::SetCursor(previous);
}

void frmMenu::ApplyEnabled() {
    LocalfrmTray->SetIcon(Enabled_ ? enabledIcon_.get() : disabledIcon_.get());
    LocalfrmTray->RefreshTray();
    if (!Enabled_) {
        ::ModifyMenuW(mnuPopUp_.get(), mnuDisable, MF_BYCOMMAND | MF_STRING, mnuDisable, L"Enable");
        tmrMessage_.SetEnabled(false);
    } else {
        ::ModifyMenuW(mnuPopUp_.get(), mnuDisable, MF_BYCOMMAND | MF_STRING, mnuDisable, L"Disable");
        cmdOK_Action();
    }
    SaveEnabled(Enabled_, store_);
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
    ::AppendMenuW(menu, MF_STRING, mnuExit, L"Exit");
}

void frmMenu::LocalfrmTray_DblClick() {
    StopDisplay = true; // an affirmation on screen goes away
    if (!TestRunning && !AboutOpen) {
        SetVisible(true);
        ::SetForegroundWindow(hWnd());
    }
}

void frmMenu::LocalfrmTray_MouseDown(int button) {
    if (button != 2 || TestRunning || Visible()) return;
    POINT at{};
    ::GetCursorPos(&at);
    // Foreground first and WM_NULL after: otherwise the menu stays open when the user clicks elsewhere.
    ::SetForegroundWindow(hWnd());
    popupOpen_ = true;
    ::TrackPopupMenuEx(mnuPopUp_.get(), 0, at.x, at.y, hWnd(), nullptr);
    popupOpen_ = false;
    ::PostMessageW(hWnd(), WM_NULL, 0, 0);
}

void frmMenu::mnuShow_Click() {
    SetVisible(true);
    StopDisplay = true;
}

void frmMenu::mnuDisable_Click() {
    Enabled_ = !Enabled_;
    ApplyEnabled();
}

void frmMenu::cmdOK_Action() {
    display_.UnloadMessageWindow();
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
        // Unloading can happen inside the icon form's own handlers (Exit chosen while its refresh
        // runs DoEvents): the object outlives them and goes with the main form.
        unloadedTray_ = std::move(LocalfrmTray);
    }
    display_.UnloadMessageWindow();
}

void frmMenu::mnuExit_Click() {
    if (Unload()) ::PostQuitMessage(0);
}

void frmMenu::Form_Timer(UINT_PTR id) {
    // No tick while the icon's menu is open: a showing started from the menu's loop would run its
    // own message loop, which takes the clicks meant for the menu, and the menu would stay open.
    // The count-down goes on at the first tick after the menu has closed.
    if (id == kMessageTimerId && !popupOpen_) tmrMessage_Timer();
}

bool frmMenu::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 && lParam == 0) {
            switch (LOWORD(wParam)) {
            case mnuShow: mnuShow_Click(); break;
            case mnuDisable: mnuDisable_Click(); break;
            case mnuExit: mnuExit_Click(); break;
            default: break; // About, Support and Help open their windows once those exist
            }
            result = 0;
            return true;
        }
        return false;
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
    default: return false;
    }
}

void frmMenu::SetToolTipText(std::wstring text) {
    if (LocalfrmTray) LocalfrmTray->SetToolTipText(std::move(text));
}

void frmMenu::RefreshTray() {
    if (LocalfrmTray) LocalfrmTray->RefreshTray();
}

void frmMenu::ShowAffirmation() {
    display_.ShowAffirmation(displayHost_);
}

} // namespace uplift::win
