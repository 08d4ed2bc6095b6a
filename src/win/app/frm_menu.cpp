// frmMenu: start-up, the single-instance rule, saving, and the end of the run.

#include "app/frm_menu.h"

#include "about/html_help.h"
#include "affirmations/list_file_win.h"
#include "app/program_folder.h"
#include "app/startup_trace.h"
#include "resource.h"
#include "settings/settings.h"

#include <commctrl.h>

namespace uplift::win {

namespace {

constexpr UINT_PTR kMessageTimerId = 1;
constexpr UINT kMessageTimerInterval = 1000;

constexpr DWORD kOptionsStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kOptionsExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP;

unique_hicon LoadSmallIcon(int id) {
    return unique_hicon(static_cast<HICON>(::LoadImageW(AppInstance(), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                                        ::GetSystemMetrics(SM_CXSMICON),
                                                        ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
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
    SetAppHelpFile(HelpFile_);
    DefaultMessage = std::wstring(kDefaultMessage);
    return instance_.Claim(kOptionsCaption);
}

bool frmMenu::Load() {
    // A shared resource icon: the system owns it, nothing destroys it.
    const HICON icon = ::LoadIconW(AppInstance(), MAKEINTRESOURCEW(IDI_APP));
    return LoadForm({L"UpliftBeacon.frmMenu", kOptionsStyle, kOptionsExStyle, icon}, kOptionsCaption,
                    {0, 0, 0, 0});
}

void frmMenu::Form_Load() {
    TraceStart("main window made");
    const SettingsContext context{formats_, clock_, DefaultMessage};

    const CarriedValues carried = LoadCarriedValues(store_, context);
    LastMessageKey = carried.LastMessageKey;
    LastMessageDate = carried.LastMessageDate;
    Enabled_ = carried.Enabled;

    LoadSettings(Settings_, store_, context);
    TraceStart("settings read");
    // A handler that fails keeps what the user has set.
    SetFailureHook([this] { (void)SaveAll(); });

    enabledIcon_ = LoadSmallIcon(IDI_APP);
    disabledIcon_ = LoadSmallIcon(IDI_DISABLED);
    CreatePopupMenuItems();
    LocalfrmTray = std::make_unique<frmTray>(static_cast<TrayEvents&>(*this));
    LocalfrmTray->Load();

    Closing_ = false;
    AboutOpen = false;

    LoadMessages();
    TraceStart("list read");

    LocalfrmTray->SetToolTipText(L"Uplift Beacon Plus");
    ApplyEnabled();
    TraceStart("icon added, settings saved");
    scheduler_.CheckPassed();
    StartSessionWatch();
    TraceStart("session watch started");
}

// The options dialog's controls are made as its window is first shown: most runs never show it, and
// the controls, tool tips and pickers are most of the start's time and memory.
void frmMenu::CreateOptionsOnce() {
    if (optionsCreated_) return;
    optionsCreated_ = true;
    TraceStart("options dialog: begin");
    CreateOptionControls();
    TraceStart("options dialog: controls and tool tips made");
    CreatePickers();
    TraceStart("options dialog: pickers made");
    FillDurationLists();
    ShowRecord();
    TraceStart("options dialog: filled");
}

void frmMenu::LoadMessages() {
    const HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    Messages = ReadListFileAt(ListFilePath(programFolder_));
    ::SetCursor(previous);
}

bool frmMenu::SaveAll() {
    return SaveSettings(Settings_, Carried(), store_, formats_);
}

bool frmMenu::cmdOK_Action() {
    display_.UnloadMessageWindow();
    scheduler_.CheckPassed();
    const bool saved = SaveAll();
    scheduler_.StartSchedule();
    return saved;
}

void frmMenu::Form_QueryUnload(bool& cancel) {
    if (Visible()) {
        // Closing the options window keeps the edits, like OK, which saves them; the program goes on.
        cancel = true;
        cmdOk_Click();
        return;
    }
    (void)SaveAll(); // a failure cannot be helped at the end of the run
    Closing_ = true;
}

void frmMenu::Form_Unload() {
    tmrMessage_.SetEnabled(false);
    StopSessionWatch();
    if (LocalfrmTray) {
        LocalfrmTray->Unload();
        // Unloading can happen inside the icon form's own handlers (Exit chosen while its refresh
        // runs DoEvents): the object outlives them and goes with the main form.
        unloadedTray_ = std::move(LocalfrmTray);
    }
    display_.UnloadMessageWindow();
    if (DatePicker) DatePicker->Destroy();
    DatePicker.reset();
    if (TimePicker) TimePicker->Destroy();
    TimePicker.reset();
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

bool frmMenu::OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND:
        if (lParam != 0 || HIWORD(wParam) != 0) return false;
        result = 0;
        return OnMenuCommand(LOWORD(wParam));
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == DTN_DATETIMECHANGE) PickerChanged(header->hwndFrom);
        return false;
    }
    case WM_SHOWWINDOW:
        if (wParam) CreateOptionsOnce();
        return false;
    case WM_CLOSE:
        mnuExit_Click();
        result = 0;
        return true;
    case WM_QUERYENDSESSION:
        // The settings are saved now: after WM_ENDSESSION the process may end at any moment. An
        // open options window keeps its edits, as its close box does, without asking anything.
        if (Visible())
            (void)cmdOK_Action();
        else
            (void)SaveAll();
        Closing_ = true;
        result = TRUE; // never hold up the end of the session, not even for a failed save
        return true;
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
    default: return OnSessionMessage(message, wParam, lParam, result);
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

Holds frmMenu::HeldBack() {
    Holds holds;
    AddPauseHolds(holds);
    AddSessionHolds(holds);
    return holds;
}

} // namespace uplift::win
